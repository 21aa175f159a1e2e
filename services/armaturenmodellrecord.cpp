#include "kavex/services/armaturenmodellrecord.h"

#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"

namespace nrvBaseArmaturen {

namespace {

constexpr std::string_view kBlank = " \t\r\n";

bool isBlank(char c) {
    return kBlank.find(c) != std::string_view::npos;
}

std::string_view field(const std::vector<std::string_view>& fields, std::size_t number) {
    return number >= 1 && number <= fields.size() ? fields[number - 1] : std::string_view{};
}

std::string_view stripCarriageReturns(std::string_view text) {
    while (!text.empty() && text.front() == '\r')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return text;
}

}  // namespace

// --- ArmaturenModell: helpers of the text form ------------------------------

std::string_view ArmaturenModell::trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return trimRight(text);
}

std::string_view ArmaturenModell::trimRight(std::string_view text) {
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> ArmaturenModell::lineFields(std::string_view text) {
    const std::string_view line = text.substr(0, text.find('\n'));
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t semi = line.find(';', start);
        fields.push_back(line.substr(start, semi == std::string_view::npos ? semi : semi - start));
        if (semi == std::string_view::npos) break;
        start = semi + 1;
    }
    return fields;
}

bool ArmaturenModell::appendModelText(std::string& text, const nrvArmaturObject& model) {
    CNode node;
    if (!model.write(&node)) return false;
    std::string tree;
    if (!node.WriteToString(tree)) return false;
    text += trim(tree);
    return true;
}

std::unique_ptr<CNode> ArmaturenModell::parseModelText(std::string_view text) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) return nullptr;
    std::string_view tree = text.substr(lf + 1);
    while (!tree.empty() && (tree.front() == '\r' || tree.front() == '\n' || tree.front() == ':'))
        tree.remove_prefix(1);
    tree = trim(tree);
    if (tree.empty()) return nullptr;
    return TreeItems::ReadFromString(tree);
}

// --- VDIArmaturenModell -----------------------------------------------------

VDIArmaturenModell::VDIArmaturenModell() = default;
VDIArmaturenModell::VDIArmaturenModell(const VDIArmaturenModell& other) = default;
VDIArmaturenModell& VDIArmaturenModell::operator=(const VDIArmaturenModell& other) = default;
VDIArmaturenModell::~VDIArmaturenModell() = default;

std::string VDIArmaturenModell::recordLine(std::string_view key) const {
    std::string line(key);
    for (const int value : {version, global, modellId, static_cast<int>(typ)}) {
        line += ';';
        line += std::to_string(value);
    }
    line += ';';
    line += bezeichnung;
    line += ';';
    line += std::to_string(intA);
    line += ';';
    line += klasse;
    return line;
}

bool VDIArmaturenModell::writeToString(std::string& text, std::string_view key) const {
    text = recordLine(key);
    text += '\n';
    return writeToStringEx(text);
}

bool VDIArmaturenModell::writeToStringEx(std::string& text) const {
    return appendModelText(text, m_modell);
}

bool VDIArmaturenModell::readFromString(std::string_view text, std::string_view key) {
    const std::vector<std::string_view> fields = lineFields(text);
    const std::string_view name = field(fields, 1);
    // A '*' marks a user record; it never reads as a catalogue record.
    if (name.find('*') != std::string_view::npos || name != key) return false;

    using nrvNumbers::parseInt;
    if (fields.size() >= 2) version = parseInt(field(fields, 2));
    if (fields.size() >= 3) global = parseInt(field(fields, 3));
    if (fields.size() >= 4) modellId = parseInt(field(fields, 4));
    if (fields.size() >= 5) typ = static_cast<enArmaturenTyp>(parseInt(field(fields, 5)));
    if (fields.size() >= 6) bezeichnung = std::string(field(fields, 6));
    if (version == 1) {
        // The first layout ended with the designation, padded with blanks.
        bezeichnung = std::string(trimRight(bezeichnung));
    } else if (version >= 2) {
        if (fields.size() >= 7) intA = parseInt(field(fields, 7));
        if (fields.size() >= 8) klasse = std::string(stripCarriageReturns(field(fields, 8)));
    }

    const std::unique_ptr<CNode> tree = parseModelText(text);
    if (!tree) return false;
    // The record holds exactly the model of its text, whatever it held before.
    m_modell.destroyAll();
    return m_modell.read(tree.get());
}

bool VDIArmaturenModell::isEqualTo(const VDIArmaturenModell& other, std::string_view requested,
                                   bool sameIdentity) const {
    if (typ != other.typ) return false;
    if (!requested.empty() && !klasse.empty() && requested != klasse) return false;
    const nrvVDIArmaturen::nrvVDIArmaturenModell& mine = m_modell;
    const nrvVDIArmaturen::nrvVDIArmaturenModell& theirs = other.m_modell;
    if (mine.getManufacturer() != theirs.getManufacturer() ||
        mine.getModelType() != theirs.getModelType() ||
        mine.getAusfuehrung(", ") != theirs.getAusfuehrung(", "))
        return false;
    if (sameIdentity) return true;
    std::string a;
    std::string b;
    return writeToStringEx(a) && other.writeToStringEx(b) && a == b;
}

bool VDIArmaturenModell::bIsEmpty() const {
    return m_modell.getSize() == 0;
}

namespace {

// The nearest-valve rule over `count` valves given by `at(i)`, so that a
// model's own valves are searched without copying their pointers.
template <class At>
nrvVDIArmaturen::nrvArmatur* nearestValve(int count, At at, int dn, double kv) {
    if (kv != -1.0) {
        // The smallest valve up to the requested size that still reaches kv.
        nrvVDIArmaturen::nrvArmatur* best = nullptr;
        double bestSurplus = 0.0;
        for (int i = 0; i < count; ++i) {
            nrvVDIArmaturen::nrvArmatur* valve = at(i);
            if (!valve) continue;
            if (valve->getDimension() > dn) break;
            const double surplus = valve->getKvs() - kv;
            if (surplus >= 0.0 && (!best || surplus < bestSurplus)) {
                best = valve;
                bestSurplus = surplus;
            }
        }
        if (best) return best;
    }
    for (int i = 0; i < count; ++i) {
        nrvVDIArmaturen::nrvArmatur* valve = at(i);
        if (valve && valve->getDimension() >= dn) return valve;
    }
    return count > 0 ? at(count - 1) : nullptr;
}

}  // namespace

nrvVDIArmaturen::nrvArmatur* VDIArmaturenModell::findNearestArmatur(int dn, double kv) const {
    return nearestValve(
        m_modell.getSize(), [this](int i) { return m_modell.getArmaturAt(i); }, dn, kv);
}

nrvVDIArmaturen::nrvArmatur* VDIArmaturenModell::findNearestArmaturEx(
    const std::vector<nrvVDIArmaturen::nrvArmatur*>& valves, int dn, double kv) {
    return nearestValve(
        static_cast<int>(valves.size()), [&valves](int i) { return valves[std::size_t(i)]; }, dn,
        kv);
}

}  // namespace nrvBaseArmaturen

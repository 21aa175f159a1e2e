#include "kavex/services/userarmaturenmodellrecord.h"

#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"

namespace nrvUserArmaturen {

namespace {

std::string_view field(const std::vector<std::string_view>& fields, std::size_t number) {
    return number >= 1 && number <= fields.size() ? fields[number - 1] : std::string_view{};
}

bool has(const std::vector<std::string_view>& fields, std::size_t number) {
    return number <= fields.size();
}

int intField(const std::vector<std::string_view>& fields, std::size_t number) {
    return nrvNumbers::parseInt(field(fields, number));
}

std::string_view withoutCarriageReturns(std::string_view text) {
    while (!text.empty() && text.front() == '\r')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return text;
}

}  // namespace

UserArmaturenModell::UserArmaturenModell() = default;
UserArmaturenModell::UserArmaturenModell(const UserArmaturenModell& other) = default;
UserArmaturenModell& UserArmaturenModell::operator=(const UserArmaturenModell& other) = default;
UserArmaturenModell::~UserArmaturenModell() = default;

void UserArmaturenModell::sortCurve() {
    for (nrvUserArmatur* valve : m_modell.getUserArmaturen())
        valve->sortKurven();
}

bool UserArmaturenModell::bIsEmpty() const {
    return m_modell.getSize() == 0;
}

bool UserArmaturenModell::isEqualTo(const UserArmaturenModell& other, std::string_view requested,
                                    bool sameIdentity) const {
    if (!requested.empty() && requested != klasse) return false;
    if (m_modell.getManufacturer() != other.m_modell.getManufacturer() ||
        m_modell.getModelType() != other.m_modell.getModelType())
        return false;
    if (sameIdentity) return true;
    if (bezeichnung != other.bezeichnung) return false;
    std::string mine;
    std::string theirs;
    return writeToStringEx(mine) && other.writeToStringEx(theirs) && mine == theirs;
}

nrvUserArmatur* UserArmaturenModell::findNearestArmatur(int dn, double kv) const {
    return findNearestArmaturEx(m_modell.getUserArmaturen(), dn, kv);
}

nrvUserArmatur* UserArmaturenModell::findNearestArmaturEx(
    const std::vector<nrvUserArmatur*>& valves, int dn, double kv) {
    if (kv != -1.0) {
        // The valve up to the requested size that reaches kv with the least surplus.
        nrvUserArmatur* best = nullptr;
        double bestSurplus = 0.0;
        for (nrvUserArmatur* valve : valves) {
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
    for (nrvUserArmatur* valve : valves)
        if (valve && valve->getDimension() >= dn) return valve;
    return valves.empty() ? nullptr : valves.back();
}

// --- text form ----------------------------------------------------------------

std::string UserArmaturenModell::recordLine(std::string_view key) const {
    // Always the current layout: a record read from a version-1 line is
    // written back in the version-2 order, so its number must say 2.
    std::string line = "*";
    line += key;
    for (const int value : {kTextVersion, global, modellId, static_cast<int>(typ)}) {
        line += ';';
        line += std::to_string(value);
    }
    line += ';';
    line += bezeichnung;
    for (const int value : {intB, intA}) {
        line += ';';
        line += std::to_string(value);
    }
    line += ';';
    line += klasse;
    return line;
}

bool UserArmaturenModell::writeToString(std::string& text, std::string_view key) const {
    text = recordLine(key);
    text += '\n';
    return writeToStringEx(text);
}

bool UserArmaturenModell::writeToStringEx(std::string& text) const {
    return appendModelText(text, m_modell);
}

bool UserArmaturenModell::readFromString(std::string_view text, std::string_view key) {
    const std::vector<std::string_view> fields = lineFields(text);
    std::string_view name = field(fields, 1);
    const std::size_t star = name.find('*');
    if (star != std::string_view::npos) name.remove_prefix(star + 1);
    if (name != key) return false;

    if (has(fields, 2)) version = intField(fields, 2);
    std::string manufacturer;
    if (version == 2) {
        if (has(fields, 3)) global = intField(fields, 3);
        if (has(fields, 4)) modellId = intField(fields, 4);
        if (has(fields, 5)) typ = static_cast<enArmaturenTyp>(intField(fields, 5));
        if (has(fields, 6)) bezeichnung = std::string(field(fields, 6));
        if (has(fields, 7)) intB = intField(fields, 7);
        if (has(fields, 8)) intA = intField(fields, 8);
        if (has(fields, 9)) klasse = std::string(withoutCarriageReturns(field(fields, 9)));
    } else if (version == 1) {
        // The first layout named the manufacturer in the line and put the
        // kind last.
        if (has(fields, 3)) manufacturer = std::string(field(fields, 3));
        if (has(fields, 4)) global = intField(fields, 4);
        if (has(fields, 5)) intB = intField(fields, 5);
        if (has(fields, 6)) modellId = intField(fields, 6);
        if (has(fields, 7)) bezeichnung = std::string(field(fields, 7));
        if (has(fields, 8)) typ = static_cast<enArmaturenTyp>(intField(fields, 8));
    }

    const std::unique_ptr<CNode> tree = parseModelText(text);
    if (!tree) return false;
    m_modell.destroyAll();
    // The tree's own manufacturer ("X") wins over the one of an old line.
    m_modell.setManufacturer(manufacturer);
    return m_modell.read(tree.get());
}

}  // namespace nrvUserArmaturen

#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/valvelist_p.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

#include "kavex/platform/combobox.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturfactory.h"
#include "kavex/valves/armaturthkv.h"

namespace nrvBaseArmaturen {

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturenModell, nrvArmaturObject)

nrvArmaturenModell::nrvArmaturenModell() = default;
nrvArmaturenModell::nrvArmaturenModell(const nrvArmaturenModell& other) = default;
nrvArmaturenModell::~nrvArmaturenModell() = default;

nrvArmaturenModell& nrvArmaturenModell::operator=(const nrvArmaturenModell& other) {
    if (this == &other) return *this;
    nrvArmaturObject::operator=(other);
    m_version = other.m_version;
    m_model = other.m_model;
    m_manufacturer = other.m_manufacturer;
    return *this;
}

void nrvArmaturenModell::setManufacturerModel(std::string manufacturer, std::string model) {
    m_manufacturer = std::move(manufacturer);
    m_model = std::move(model);
}

void nrvArmaturenModell::destroyAll() {
    m_version = 0;
    m_model.clear();
    m_manufacturer.clear();
}

bool nrvArmaturenModell::assignFrom(const nrvArmaturenModell& other) {
    *this = other;
    return true;
}

bool nrvArmaturenModell::loadVMFFile(const std::string& path) {
    if (path.empty()) return false;
    destroyAll();
    std::unique_ptr<CNode> root = TreeItems::ReadFromFile(path, false);
    if (!root || root->GetName() != RootNodeName) return false;
    return read(root.get());
}

bool nrvArmaturenModell::saveVMFFile(const std::string& path) const {
    if (path.empty()) return false;
    CNode root;
    write(&root);
    return root.WriteToFile(path, false, true, true, 0, ':');
}

}  // namespace nrvBaseArmaturen

namespace nrvVDIArmaturen {

using nrvBaseArmaturen::nrvArmaturenModell;

KAVEX_IMPLEMENT_DYNCREATE(nrvVDIArmaturenModell, nrvArmaturenModell)

namespace {

// The root node of a model file: the class name without "nrvVDIArmaturen".
constexpr std::string_view kRootName = nrvArmaturenModell::RootNodeName;
// A valve node is named after its class without this prefix; the base class
// itself writes "ARM".
constexpr std::string_view kValvePrefix = "nrvArmatur";
constexpr std::string_view kBaseValveNode = "ARM";

std::string classNameOfValveNode(const std::string& nodeName) {
    if (nodeName == kBaseValveNode) return std::string(kValvePrefix);
    return std::string(kValvePrefix) + nodeName;
}

// A valve of the class the catalogue type becomes; null for types without one.
std::unique_ptr<nrvArmatur> createValveForType(en700ArmaturTyp type) {
    const std::string className = nrvBaseArmaturen::getArmaturClassNameForType(type);
    if (className.empty()) return nullptr;
    std::unique_ptr<nrvBaseArmaturen::nrvArmaturObject> object =
        nrvBaseArmaturen::createArmaturObject(className);
    auto* valve = dynamic_cast<nrvArmatur*>(object.get());
    if (valve == nullptr) return nullptr;
    object.release();
    return std::unique_ptr<nrvArmatur>(valve);
}

// One line of the semicolon export: the valve's data and its kv curve as
// setting/kv pairs.
std::string exportLine(const nrvVDIArmaturenModell& model, const nrvArmatur& valve) {
    const auto* body = dynamic_cast<const nrvArmaturTHKV*>(&valve);
    const double xp = body ? body->getXp() : 0.0;
    const CKurve& kv = body ? static_cast<const CKurve&>(body->getKvKurve()) : valve.getKurve();

    std::string line = "1;" + model.getManufacturer() + ";" + model.getModelType() + ";" +
                       valve.getArtikelNr() + ";";
    line += nrvNumbers::format("%d", static_cast<long long>(valve.getDimension())) + ";";
    line += nrvNumbers::format("%.1f", xp) + ";";
    line += valve.getAusfuehrung(", ") + ";";
    for (const nrvBaseArmaturen::curveNode& n : kv.nodes()) {
        // A setting that has only a printed label goes out by that label.
        if (n.x > nrvBaseArmaturen::curveNode::NoNumericSetting) {
            line += nrvNumbers::formatG(n.x) + ";";
        } else {
            line += n.einst + ";";
        }
        line += nrvNumbers::formatG(n.y) + ";";
    }
    line += "\n";
    return line;
}

}  // namespace

// ---------------------------------------------------------------------------
// Life cycle

nrvVDIArmaturenModell::nrvVDIArmaturenModell() = default;

nrvVDIArmaturenModell::nrvVDIArmaturenModell(const nrvVDIArmaturenModell& other)
    : nrvArmaturenModell() {
    *this = other;
}

nrvVDIArmaturenModell::~nrvVDIArmaturenModell() = default;

nrvVDIArmaturenModell& nrvVDIArmaturenModell::operator=(const nrvVDIArmaturenModell& other) {
    if (this == &other) return *this;
    destroyAll();
    for (const auto& source : other.m_armaturen) {
        // The copy is made by the class the valve's own type becomes; a valve
        // of a type the model cannot create, or one whose class does not match
        // its type, stays behind.
        std::unique_ptr<nrvArmatur> copy = createValveForType(en700ArmaturTyp(source->getTyp()));
        if (!copy || !copy->assignFrom(*source)) continue;
        copy->setParent(this);
        m_armaturen.push_back(std::move(copy));
    }
    m_filename = other.m_filename;
    setModel(other.getModelType());
    setManufacturer(other.getManufacturer());
    m_type = other.m_type;
    m_catID = other.m_catID;
    m_idx = other.m_idx;
    m_rlDatum = other.m_rlDatum;
    return *this;
}

bool nrvVDIArmaturenModell::assignFrom(const nrvArmaturenModell& other) {
    const auto* source = dynamic_cast<const nrvVDIArmaturenModell*>(&other);
    if (source == nullptr) return false;
    *this = *source;
    return true;
}

void nrvVDIArmaturenModell::destroyAll() {
    nrvArmaturenModell::destroyAll();
    m_armaturen.clear();
    m_filename.clear();
    m_catID.clear();
    m_idx = 0;
    m_rlDatum = 0;
}

std::string nrvVDIArmaturenModell::getNrvArmTypeStr() const {
    return nrvBaseArmaturen::getNrvArmTypeText(m_type, 2);
}

// ---------------------------------------------------------------------------
// Valves

nrvArmatur* nrvVDIArmaturenModell::Add(en700ArmaturTyp type) {
    std::unique_ptr<nrvArmatur> valve = createValveForType(type);
    if (!valve) return nullptr;
    // The valve is of the type it was made for; a copy of the model makes its
    // valves again by that type, so a valve without it would be lost.
    valve->setTyp(type);
    valve->setParent(this);
    m_armaturen.push_back(std::move(valve));
    return m_armaturen.back().get();
}

bool nrvVDIArmaturenModell::Remove(const nrvArmatur* valve) {
    const auto it = std::find_if(m_armaturen.begin(), m_armaturen.end(),
                                 [valve](const auto& held) { return held.get() == valve; });
    if (!valve || it == m_armaturen.end()) return false;
    m_armaturen.erase(it);
    return true;
}

void nrvVDIArmaturenModell::SortBy(const std::function<double(const nrvArmatur&)>& key) {
    std::stable_sort(m_armaturen.begin(), m_armaturen.end(),
                     [&key](const auto& a, const auto& b) { return key(*a) < key(*b); });
}

nrvArmatur* nrvVDIArmaturenModell::getArmaturAt(int i) const {
    return nrvBaseArmaturen::valveAt(m_armaturen, i,
                                     "nrvVDIArmaturenModell::getArmaturAt: negative index");
}

std::vector<nrvArmatur*> nrvVDIArmaturenModell::getArmaturen() const {
    return nrvBaseArmaturen::valvePointers(m_armaturen);
}

std::string nrvVDIArmaturenModell::getArtikelNrAt(int i) const {
    const nrvArmatur* valve = getArmaturAt(i);
    return valve ? valve->getArtikelNr() : std::string();
}

void nrvVDIArmaturenModell::getDimensionList(nrvComboBox& combo) const {
    combo.clear();
    for (const auto& valve : m_armaturen) {
        combo.addString(nrvNumbers::format("%d", static_cast<long long>(valve->getDimension())),
                        reinterpret_cast<std::intptr_t>(valve.get()));
    }
}

std::string nrvVDIArmaturenModell::getAusfuehrung(std::string_view separator) const {
    if (m_armaturen.empty())
        return TranslateText("Fehler: Dieses Modell enthält keine Ausführungen!");
    const std::string first = m_armaturen.front()->getAusfuehrung(separator);
    for (std::size_t i = 1; i < m_armaturen.size(); ++i) {
        if (m_armaturen[i]->getAusfuehrung(separator) != first) {
            return TranslateText("Das Modell enthält verschiedene Ausführungs-Varianten.") + "\n" +
                   TranslateText("Bitte prüfen Sie, ob dies beabsichtigt war.");
        }
    }
    if (first.empty()) {
        return TranslateText("Es sind keine Ausführungsdetails in diesem Modell enthalten.");
    }
    return first;
}

// ---------------------------------------------------------------------------
// Persistence

bool nrvVDIArmaturenModell::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName(std::string(kRootName));
    node->AddLeaf("VER", getVersion());
    node->AddLeaf("MON", std::string_view(getModelType()));

    CLeaf* x = node->AddLeaf("X", std::string_view{});
    CLeaf::InitSetValues(':');
    x->SetFirstValue(static_cast<int>(m_type));
    x->SetNextValue(m_idx);
    x->SetNextValue(std::string_view(getManufacturer()));
    x->SetNextValue(std::string_view(m_filename));
    x->SetNextValue(std::string_view(m_catID));
    x->SetNextValue(m_rlDatum);
    CLeaf::ExitSetValues();

    for (const auto& valve : m_armaturen)
        valve->write(node->AddChild(std::string()));
    return true;
}

bool nrvVDIArmaturenModell::read(CNode* node) {
    if (node == nullptr || node->FindLeaf("VER") == nullptr) return false;
    const CLeaf* mon = node->FindLeaf("MON");
    setModel(mon ? mon->GetOnlyValue() : std::string());

    const CLeaf* x = node->FindLeaf("X");
    if (x == nullptr) return false;
    const std::vector<std::string> values = x->GetValues(':');
    auto value = [&values](std::size_t i) { return i < values.size() ? values[i] : std::string(); };
    m_type = en700ArmaturTyp(nrvNumbers::parseInt(value(0)));
    m_idx = nrvNumbers::parseInt(value(1));
    setManufacturer(value(2));
    m_filename = value(3);
    m_catID = value(4);
    m_rlDatum = nrvNumbers::parseInt(value(5));

    CNode::Pos pos = node->GetFirstChildPos();
    while (CNode* child = node->GetNextChild(pos)) {
        std::unique_ptr<nrvBaseArmaturen::nrvArmaturObject> object =
            nrvBaseArmaturen::createArmaturObject(classNameOfValveNode(child->GetName()));
        // Children of classes this layer does not know (or that are not
        // valves) are left out; the rest of the model still loads.
        auto* valve = dynamic_cast<nrvArmatur*>(object.get());
        if (valve == nullptr || !valve->read(child)) continue;
        object.release();
        valve->setParent(this);
        m_armaturen.emplace_back(valve);
    }
    return true;
}

bool nrvVDIArmaturenModell::appendDataToFile(const std::string& path) const {
    if (path.empty() || m_type != nrvBaseArmaturen::en700THKV) return false;
    // An export collects several models in one file, so it appends rather
    // than replacing the file.
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return false;
    std::string text =
        "//Version;Hersteller;Modellbezeichnung;Artikel-Nr.;DN;XP;Ausführung;[Einstellung;kv;]...\n"
        "//Int;String;String;String;Int;Double;String;Einstellung;kv;\n";
    for (const auto& valve : m_armaturen)
        text += exportLine(*this, *valve);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

// ---------------------------------------------------------------------------
// Comparison

bool nrvVDIArmaturenModell::isEqual(const nrvVDIArmaturenModell& o) const {
    // The version is written but never read back, so it takes no part.
    if (getModelType() != o.getModelType() || getManufacturer() != o.getManufacturer() ||
        m_filename != o.m_filename || m_idx != o.m_idx || m_catID != o.m_catID ||
        m_rlDatum != o.m_rlDatum || m_type != o.m_type ||
        m_armaturen.size() != o.m_armaturen.size()) {
        return false;
    }
    for (std::size_t i = 0; i < m_armaturen.size(); ++i) {
        if (!m_armaturen[i]->isEqual(*o.m_armaturen[i])) return false;
    }
    return true;
}

}  // namespace nrvVDIArmaturen

#include "kavex/uservalves/userarmatur.h"

#include <cstdint>
#include <limits>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string_view>

#include "kavex/platform/combobox.h"
#include "kavex/platform/interpolation.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturfactory.h"
#include "kavex/valves/valvelist_p.h"

namespace nrvUserArmaturen {

using nrvBaseArmaturen::curveNode;

KAVEX_IMPLEMENT_DYNCREATE(nrvUserArmatur, nrvArmaturObject)
KAVEX_IMPLEMENT_DYNCREATE(nrvUserArmaturenModell, nrvArmaturenModell)

namespace {

constexpr std::string_view kValveNode = "ARM";
constexpr std::string_view kModelRoot = nrvBaseArmaturen::nrvArmaturenModell::RootNodeName;
constexpr std::string_view kValveClass = "nrvUserArmatur";
constexpr double kNoLimit = std::numeric_limits<double>::max();

std::string curveLeafName(const char* prefix, std::size_t index) {
    return prefix + nrvNumbers::format("%d", static_cast<long long>(index));
}

// A leaf of the values in order, ':'-separated; an empty list gives an empty
// leaf (a list of one empty text cannot be told apart from it).
template <class T, class Format>
void addListLeaf(CNode& node, std::string name, const std::vector<T>& values, Format format) {
    CLeaf* leaf = node.AddLeaf(std::move(name), std::string_view{});
    CLeaf::InitSetValues(':');
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i == 0) {
            leaf->SetFirstValue(std::string_view(format(values[i])));
        } else {
            leaf->SetNextValue(std::string_view(format(values[i])));
        }
    }
    CLeaf::ExitSetValues();
}

std::string formatInt(int v) {
    return nrvNumbers::formatI(v);
}
std::string formatText(const std::string& v) {
    return v;
}

std::vector<int> intValues(const CLeaf& leaf) {
    std::vector<int> out;
    for (const std::string& v : leaf.GetValues(':'))
        out.push_back(nrvNumbers::parseInt(v));
    return out;
}

// The first leaf of each name, so that the curve leaves of a valve are found
// without searching the node again for every index.
std::map<std::string_view, const CLeaf*> leavesByName(const CNode& node) {
    std::map<std::string_view, const CLeaf*> leaves;
    for (const auto& item : node.Items()) {
        if (!item->IsNode()) leaves.emplace(item->GetName(), static_cast<const CLeaf*>(item.get()));
    }
    return leaves;
}

const CLeaf* leafOf(const std::map<std::string_view, const CLeaf*>& leaves,
                    const std::string& name) {
    auto it = leaves.find(name);
    return it == leaves.end() ? nullptr : it->second;
}

std::vector<std::string> valuesOf(const CLeaf* leaf) {
    return leaf ? leaf->GetValues(':') : std::vector<std::string>{};
}

bool sameStoredNodes(const CKurve& a, const CKurve& b) {
    if (a.getSize() != b.getSize()) return false;
    for (int i = 0; i < a.getSize(); ++i) {
        const curveNode& p = a[i];
        const curveNode& q = b[i];
        if (p.x != q.x || p.y != q.y || p.einst != q.einst) return false;
    }
    return true;
}

// The table's answer with the precision of the curve's float values; its "no
// value" (beyond the float range) passes unchanged.
double narrowedToFloat(double value) {
    if (value >= CLinearInterpolation::NoValue) return value;
    return static_cast<double>(static_cast<float>(value));
}

// Interpolation on the first curve's nodes taken as points (a, b). A single
// node (a, b) stands for the line through the origin, unless a is 0: then it
// answers b everywhere.
template <class GetA, class GetB>
double interpolateFirstCurve(const std::vector<CKurve>& curves, double v, GetA a, GetB b) {
    if (curves.empty() || curves.front().bIsEmpty()) return 0.0;
    const std::vector<curveNode>& nodes = curves.front().nodes();
    CLinearInterpolation table;
    if (nodes.size() == 1) {
        if (a(nodes[0]) == 0.0f) return b(nodes[0]);
        table.Add(0.0, 0.0);
    }
    for (const curveNode& n : nodes)
        table.Add(a(n), b(n));
    return narrowedToFloat(table.GetY(v, false));
}

}  // namespace

void registerUserArmaturClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        nrvBaseArmaturen::registerArmaturClass(std::make_unique<nrvUserArmatur>());
        nrvBaseArmaturen::registerArmaturClass(std::make_unique<nrvUserArmaturenModell>());
    });
}

// ===========================================================================
// nrvUserArmatur

nrvUserArmatur::nrvUserArmatur() = default;

nrvUserArmatur::nrvUserArmatur(const nrvUserArmatur& other) : nrvArmaturObject() {
    *this = other;
}

nrvUserArmatur& nrvUserArmatur::operator=(const nrvUserArmatur& other) {
    if (this == &other) return *this;
    m_version = other.m_version;
    m_artikelNr = other.m_artikelNr;
    m_dimension = other.m_dimension;
    m_dimensionsString = other.m_dimensionsString;
    m_kvs = other.m_kvs;
    m_useKvs = other.m_useKvs;
    m_kurven = other.m_kurven;
    for (CKurve& curve : m_kurven)
        curve.setParent(this);
    m_kurvenInterpolierbar = other.m_kurvenInterpolierbar;
    m_klappenstellungen = other.m_klappenstellungen;
    m_klappenInterpolierbar = other.m_klappenInterpolierbar;
    return *this;
}

nrvUserArmatur::~nrvUserArmatur() = default;

std::string nrvUserArmatur::getManufacturer() const {
    const auto* model = dynamic_cast<const nrvUserArmaturenModell*>(getParent());
    return model ? model->getManufacturer() : std::string();
}

std::string nrvUserArmatur::getModelType() const {
    const auto* model = dynamic_cast<const nrvUserArmaturenModell*>(getParent());
    return model ? model->getModelType() : std::string();
}

// --- curves -----------------------------------------------------------------

void nrvUserArmatur::addKurve(const CKurve& curve) {
    m_kurven.push_back(curve);
    m_kurven.back().setParent(this);
}

void nrvUserArmatur::addKurve(const CKurve& curve, int curveFlag) {
    addKurve(curve);
    m_kurvenInterpolierbar.push_back(curveFlag);
}

void nrvUserArmatur::addKurve(const CKurve& curve, int curveFlag, const std::string& position,
                              int positionFlag) {
    addKurve(curve, curveFlag);
    m_klappenstellungen.push_back(position);
    m_klappenInterpolierbar.push_back(positionFlag);
}

void nrvUserArmatur::removeAllKurven() {
    m_kurven.clear();
    m_kurvenInterpolierbar.clear();
    m_klappenstellungen.clear();
    m_klappenInterpolierbar.clear();
}

CKurve nrvUserArmatur::getKurve() const {
    return m_kurven.empty() ? CKurve() : m_kurven.front();
}

void nrvUserArmatur::getKurven(std::vector<CKurve>& curves) const {
    curves = m_kurven;
    for (CKurve& curve : curves)
        curve.setParent(nullptr);
}

void nrvUserArmatur::getKurven(std::vector<CKurve>& curves, std::vector<int>& curveFlags) const {
    getKurven(curves);
    curveFlags = m_kurvenInterpolierbar;
}

void nrvUserArmatur::getKurven(std::vector<CKurve>& curves, std::vector<int>& curveFlags,
                               std::vector<std::string>& positions,
                               std::vector<int>& positionFlags) const {
    getKurven(curves, curveFlags);
    positions = m_klappenstellungen;
    positionFlags = m_klappenInterpolierbar;
}

bool nrvUserArmatur::hasFilledCurveData() const {
    return !m_kurven.empty() && !m_kurvenInterpolierbar.empty();
}

void nrvUserArmatur::sortKurven() {
    for (CKurve& curve : m_kurven)
        curve.SortbyX(true);
}

// --- lookups ------------------------------------------------------------------

double nrvUserArmatur::getXValueByYValue(double v) const {
    return interpolateFirstCurve(
        m_kurven, v, [](const curveNode& n) { return n.x; },
        [](const curveNode& n) { return n.y; });
}

double nrvUserArmatur::getYValueByXValue(double v) const {
    return interpolateFirstCurve(
        m_kurven, v, [](const curveNode& n) { return n.y; },
        [](const curveNode& n) { return n.x; });
}

double nrvUserArmatur::getMaxXValue(bool first) const {
    if (m_kurven.empty()) return kNoLimit;
    const CKurve& curve = first ? m_kurven.front() : m_kurven.back();
    return curve.bIsEmpty() ? kNoLimit : curve.getFirstNode().x;
}

double nrvUserArmatur::getMaxYValue(bool first) const {
    if (m_kurven.empty()) return kNoLimit;
    const CKurve& curve = first ? m_kurven.front() : m_kurven.back();
    return curve.bIsEmpty() ? kNoLimit : curve.getFirstNode().y;
}

double nrvUserArmatur::getMinXValue() const {
    if (m_kurven.empty() || m_kurven.front().bIsEmpty()) return 0.0;
    return m_kurven.front().getLastNode().x;
}

double nrvUserArmatur::getMinYValue() const {
    if (m_kurven.empty() || m_kurven.front().bIsEmpty()) return 0.0;
    return m_kurven.front().getLastNode().y;
}

// --- persistence ----------------------------------------------------------------

bool nrvUserArmatur::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName(std::string(kValveNode));
    node->AddLeaf("VER", m_version);

    CLeaf* x = node->AddLeaf("X", std::string_view{});
    CLeaf::InitSetValues(':');
    x->SetFirstValue(std::string_view(m_artikelNr));
    x->SetNextValue(std::string_view(nrvNumbers::formatI(m_dimension)));
    x->SetNextValue(std::string_view(nrvNumbers::formatF(m_kvs)));
    x->SetNextValue(std::string_view(nrvNumbers::formatI(m_useKvs)));
    x->SetNextValue(std::string_view(m_dimensionsString));
    CLeaf::ExitSetValues();

    addListLeaf(*node, "KUINTP", m_kurvenInterpolierbar, formatInt);
    addListLeaf(*node, "KLINTP", m_klappenInterpolierbar, formatInt);
    addListLeaf(*node, "REG", m_klappenstellungen, formatText);

    // A curve keeps its index in the leaf names, so an empty curve leaves a
    // gap that ends reading there.
    for (std::size_t i = m_kurven.size(); i-- > 0;) {
        const std::vector<curveNode>& nodes = m_kurven[i].nodes();
        if (nodes.empty()) continue;
        addListLeaf(*node, curveLeafName("KX", i), nodes,
                    [](const curveNode& n) { return nrvNumbers::formatF(n.x); });
        addListLeaf(*node, curveLeafName("KY", i), nodes,
                    [](const curveNode& n) { return nrvNumbers::formatF(n.y); });
        addListLeaf(*node, curveLeafName("KZ", i), nodes,
                    [](const curveNode& n) { return n.einst; });
    }
    return true;
}

bool nrvUserArmatur::read(CNode* node) {
    if (node == nullptr) return false;
    const std::map<std::string_view, const CLeaf*> leaves = leavesByName(*node);
    const CLeaf* x = leafOf(leaves, "X");
    if (x == nullptr) return false;
    if (const CLeaf* ver = leafOf(leaves, "VER")) m_version = ver->GetOnlyValueI();

    // Fields missing from a short leaf keep their values.
    const std::vector<std::string> fields = x->GetValues(':');
    if (fields.empty()) m_artikelNr.clear();
    if (fields.size() > 0) m_artikelNr = fields[0];
    if (fields.size() > 1) m_dimension = nrvNumbers::parseInt(fields[1]);
    if (fields.size() > 2) m_kvs = nrvNumbers::parseDouble(fields[2]);
    if (fields.size() > 3) m_useKvs = nrvNumbers::parseInt(fields[3]);
    if (fields.size() > 4) m_dimensionsString = fields[4];

    m_kurvenInterpolierbar.clear();
    m_klappenInterpolierbar.clear();
    m_klappenstellungen.clear();
    if (const CLeaf* l = leafOf(leaves, "KUINTP")) m_kurvenInterpolierbar = intValues(*l);
    if (const CLeaf* l = leafOf(leaves, "KLINTP")) m_klappenInterpolierbar = intValues(*l);
    if (const CLeaf* l = leafOf(leaves, "REG")) m_klappenstellungen = l->GetValues(':');

    for (std::size_t i = 0;; ++i) {
        const CLeaf* kx = leafOf(leaves, curveLeafName("KX", i));
        const CLeaf* ky = leafOf(leaves, curveLeafName("KY", i));
        if (kx == nullptr && ky == nullptr) break;
        const std::vector<std::string> xs = valuesOf(kx);
        const std::vector<std::string> ys = valuesOf(ky);
        const std::vector<std::string> labels = valuesOf(leafOf(leaves, curveLeafName("KZ", i)));
        CKurve curve;
        for (std::size_t j = 0; j < xs.size(); ++j) {
            const double yv = j < ys.size() ? nrvNumbers::parseDouble(ys[j]) : 0.0;
            curve.addCurveNode(static_cast<float>(nrvNumbers::parseDouble(xs[j])),
                               j < labels.size() ? labels[j] : std::string(),
                               static_cast<float>(yv));
        }
        if (!curve.bIsEmpty()) addKurve(curve);
    }
    return true;
}

bool nrvUserArmatur::isEqual(const nrvUserArmatur& o) const {
    if (m_version != o.m_version || m_artikelNr != o.m_artikelNr || m_dimension != o.m_dimension ||
        m_dimensionsString != o.m_dimensionsString || m_kvs != o.m_kvs || m_useKvs != o.m_useKvs ||
        m_kurvenInterpolierbar != o.m_kurvenInterpolierbar ||
        m_klappenstellungen != o.m_klappenstellungen ||
        m_klappenInterpolierbar != o.m_klappenInterpolierbar ||
        m_kurven.size() != o.m_kurven.size()) {
        return false;
    }
    for (std::size_t i = 0; i < m_kurven.size(); ++i) {
        if (!sameStoredNodes(m_kurven[i], o.m_kurven[i])) return false;
    }
    return true;
}

// ===========================================================================
// nrvUserArmaturenModell

nrvUserArmaturenModell::nrvUserArmaturenModell() = default;

nrvUserArmaturenModell::nrvUserArmaturenModell(const nrvUserArmaturenModell& other)
    : nrvArmaturenModell() {
    *this = other;
}

nrvUserArmaturenModell& nrvUserArmaturenModell::operator=(const nrvUserArmaturenModell& other) {
    if (this == &other) return *this;
    destroyAll();
    setVersion(other.getVersion());
    setManufacturerModel(other.getManufacturer(), other.getModelType());
    m_objectID = other.m_objectID;
    m_userArmType = other.m_userArmType;
    for (const auto& valve : other.m_armaturen) {
        auto copy = std::make_unique<nrvUserArmatur>(*valve);
        copy->setParent(this);
        m_armaturen.push_back(std::move(copy));
    }
    return *this;
}

nrvUserArmaturenModell::~nrvUserArmaturenModell() = default;

bool nrvUserArmaturenModell::assignFrom(const nrvArmaturenModell& other) {
    const auto* source = dynamic_cast<const nrvUserArmaturenModell*>(&other);
    if (source == nullptr) return false;
    *this = *source;
    return true;
}

void nrvUserArmaturenModell::destroyAll() {
    nrvArmaturenModell::destroyAll();
    m_armaturen.clear();
}

// --- valves -------------------------------------------------------------------

nrvUserArmatur* nrvUserArmaturenModell::Add() {
    auto valve = std::make_unique<nrvUserArmatur>();
    valve->setParent(this);
    m_armaturen.push_back(std::move(valve));
    return m_armaturen.back().get();
}

nrvUserArmatur* nrvUserArmaturenModell::getUserArmaturAt(int i) const {
    return nrvBaseArmaturen::valveAt(m_armaturen, i,
                                     "nrvUserArmaturenModell::getUserArmaturAt: negative index");
}

std::vector<nrvUserArmatur*> nrvUserArmaturenModell::getUserArmaturen() const {
    return nrvBaseArmaturen::valvePointers(m_armaturen);
}

std::string nrvUserArmaturenModell::getArtikelNrAt(int i) const {
    const nrvUserArmatur* valve = getUserArmaturAt(i);
    return valve ? valve->getArtikelNr() : std::string();
}

void nrvUserArmaturenModell::getDimensionList(nrvComboBox& combo) const {
    combo.clear();
    for (const auto& valve : m_armaturen) {
        const std::string& text = valve->getDimensionsString();
        combo.addString(
            text.empty() ? nrvNumbers::format("%d", static_cast<long long>(valve->getDimension()))
                         : text,
            reinterpret_cast<std::intptr_t>(valve.get()));
    }
}

// --- persistence ----------------------------------------------------------------

bool nrvUserArmaturenModell::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName(std::string(kModelRoot));
    node->AddLeaf("VER", getVersion());
    node->AddLeaf("MON", std::string_view(getModelType()));
    node->AddLeaf("X", std::string_view(getManufacturer()));
    for (const auto& valve : m_armaturen)
        valve->write(node->AddChild(std::string(kValveNode)));
    return true;
}

bool nrvUserArmaturenModell::read(CNode* node) {
    if (node == nullptr || node->FindLeaf("VER") == nullptr) return false;
    const CLeaf* mon = node->FindLeaf("MON");
    setModel(mon ? mon->GetOnlyValue() : std::string());
    const CLeaf* x = node->FindLeaf("X");
    if (x == nullptr) return false;
    const std::vector<std::string> values = x->GetValues(':');
    setManufacturer(values.empty() ? std::string() : values.front());

    // Reading must work without the module frame having registered the class.
    registerUserArmaturClasses();
    CNode::Pos pos = node->GetFirstChildPos();
    while (CNode* child = node->GetNextChild(pos)) {
        const std::string className = child->GetName() == kValveNode
                                          ? std::string(kValveClass)
                                          : std::string(kValveClass) + child->GetName();
        std::unique_ptr<nrvArmaturObject> object = nrvBaseArmaturen::createArmaturObject(className);
        auto* valve = dynamic_cast<nrvUserArmatur*>(object.get());
        if (valve == nullptr || !valve->read(child)) continue;
        object.release();
        valve->setParent(this);
        m_armaturen.emplace_back(valve);
    }
    return true;
}

bool nrvUserArmaturenModell::isEqual(const nrvUserArmaturenModell& o) const {
    if (getModelType() != o.getModelType() || getManufacturer() != o.getManufacturer() ||
        m_armaturen.size() != o.m_armaturen.size()) {
        return false;
    }
    for (std::size_t i = 0; i < m_armaturen.size(); ++i) {
        if (!m_armaturen[i]->isEqual(*o.m_armaturen[i])) return false;
    }
    return true;
}

}  // namespace nrvUserArmaturen

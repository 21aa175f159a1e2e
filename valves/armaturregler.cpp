#include "kavex/valves/armaturregler.h"

#include <string>
#include <vector>

#include "armaturfamily_p.h"
#include "kavex/platform/treestore.h"

namespace nrvVDIArmaturen {

namespace {

// Children and keys (x, label, y, x2) of the controller's three curves.
struct CurveKeys {
    const char* child;
    const char* x;
    const char* einst;
    const char* y;
    const char* x2;
};
constexpr CurveKeys kDpKeys{"CKDP", "DPE_F", "DPE_S", "DPW", "X2"};
constexpr CurveKeys kPAbwKeys{"CKKV", "KVW", "SX1", "PABW", "X2"};
constexpr CurveKeys kVmaxKeys{"CKVS", "VmaxE_F", "VmaxE_S", "VmaxW", "X2"};

void writeCurveChild(CNode* node, const CKurve& curve, const CurveKeys& keys) {
    curve.write(node->AddChild(keys.child), keys.x, keys.einst, keys.y, keys.x2);
}

void readCurveChild(const CNode* node, CKurve& curve, const CurveKeys& keys) {
    family::readCurve(curve, node->FindChild(keys.child), keys.x, keys.einst, keys.y, keys.x2);
}

// The unit of the per-setting active differential pressures.
constexpr const char* kWirkdruckEinheit = "mbar";

}  // namespace

// --- nrvArmaturDDR -----------------------------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturDDR, nrvArmatur)

nrvArmaturDDR::nrvArmaturDDR() {
    adoptCurves();
}

nrvArmaturDDR::nrvArmaturDDR(const nrvArmaturDDR& other)
    : nrvArmatur(other),
      m_kennlinieDp(other.m_kennlinieDp),
      m_kennlinieKvzuPAbw(other.m_kennlinieKvzuPAbw),
      m_kennlinieMaxVolStrom(other.m_kennlinieMaxVolStrom) {
    adoptCurves();
}

nrvArmaturDDR& nrvArmaturDDR::operator=(const nrvArmaturDDR& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kennlinieDp = other.m_kennlinieDp;
    m_kennlinieKvzuPAbw = other.m_kennlinieKvzuPAbw;
    m_kennlinieMaxVolStrom = other.m_kennlinieMaxVolStrom;
    return *this;
}

nrvArmaturDDR::~nrvArmaturDDR() = default;

void nrvArmaturDDR::adoptCurves() {
    m_kennlinieDp.setParent(this);
    m_kennlinieKvzuPAbw.setParent(this);
    m_kennlinieMaxVolStrom.setParent(this);
}

bool nrvArmaturDDR::write(CNode* node) const {
    if (node == nullptr) return false;
    family::nameNode(node, *this);
    nrvArmatur::write(node);
    node->AddLeaf("Y", std::string_view{});
    writeCurveChild(node, m_kennlinieDp, kDpKeys);
    writeCurveChild(node, m_kennlinieKvzuPAbw, kPAbwKeys);
    writeCurveChild(node, m_kennlinieMaxVolStrom, kVmaxKeys);
    return true;
}

bool nrvArmaturDDR::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    readCurveChild(node, m_kennlinieDp, kDpKeys);
    readCurveChild(node, m_kennlinieKvzuPAbw, kPAbwKeys);
    readCurveChild(node, m_kennlinieMaxVolStrom, kVmaxKeys);
    return true;
}

double nrvArmaturDDR::getKvmin() const {
    return m_kennlinieKvzuPAbw.bIsEmpty() ? -1.0 : m_kennlinieKvzuPAbw.getLastNode().x;
}

double nrvArmaturDDR::getKvmax() const {
    return m_kennlinieKvzuPAbw.bIsEmpty() ? -1.0 : m_kennlinieKvzuPAbw.getFirstNode().x;
}

double nrvArmaturDDR::getDpSollMin() const {
    return m_kennlinieDp.bIsEmpty() ? -1.0 : m_kennlinieDp.getLastNode().y;
}

double nrvArmaturDDR::getDpSollMax() const {
    return m_kennlinieDp.bIsEmpty() ? -1.0 : m_kennlinieDp.getFirstNode().y;
}

void nrvArmaturDDR::removeData() {
    m_kennlinieDp.removeData();
    m_kennlinieKvzuPAbw.removeData();
    m_kennlinieMaxVolStrom.removeData();
}

void nrvArmaturDDR::addKennlinieDp(const CKurve& curve) {
    m_kennlinieDp = curve;
}
void nrvArmaturDDR::addKennlinieKvzuPAbw(const CKurve& curve) {
    m_kennlinieKvzuPAbw = curve;
}
void nrvArmaturDDR::addKennlinieMaxVolStrom(const CKurve& curve) {
    m_kennlinieMaxVolStrom = curve;
}

float nrvArmaturDDR::getpAbwAtkv(float kv) const {
    return m_kennlinieKvzuPAbw.getYInterpol(kv);
}

void nrvArmaturDDR::getKvzuDpKurveAt(float dp, CKurve& curve) const {
    curve.removeData();
    for (const nrvBaseArmaturen::curveNode& n : m_kennlinieKvzuPAbw.nodes()) {
        curve.addCurveNode(n.y + dp, "", n.x, 0.0f);
    }
}

bool nrvArmaturDDR::getKvzudeltaP(float kv, float dp, float& result) const {
    if (m_kennlinieDp.bIsEmpty()) return false;
    // The controller holds dp plus the deviation its opening kv causes.
    const float d = getpAbwAtkv(kv);
    CKurve shifted;
    for (const nrvBaseArmaturen::curveNode& n : m_kennlinieKvzuPAbw.nodes()) {
        shifted.addCurveNode(n.y + dp + d, "", n.x, 0.0f);
    }
    result = shifted.getXInterpol(kv);
    return m_kennlinieDp.getLastNode().y <= result && result <= m_kennlinieDp.getFirstNode().y;
}

bool nrvArmaturDDR::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturDDR*>(&other);
    return o != nullptr && isEqualCurve(m_kennlinieDp, o->m_kennlinieDp) &&
           isEqualCurve(m_kennlinieKvzuPAbw, o->m_kennlinieKvzuPAbw) &&
           isEqualCurve(m_kennlinieMaxVolStrom, o->m_kennlinieMaxVolStrom) &&
           nrvArmatur::isEqual(other);
}

// --- nrvArmaturDFR -------------------------------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturDFR, nrvArmatur)

nrvArmaturDFR::nrvArmaturDFR() {
    m_flowKurve.setParent(this);
}

nrvArmaturDFR::nrvArmaturDFR(const nrvArmaturDFR& other)
    : nrvArmatur(other),
      m_flowKurve(other.m_flowKurve),
      m_wirkdruck(other.m_wirkdruck),
      m_wirkdruckListe(other.m_wirkdruckListe) {
    m_flowKurve.setParent(this);
}

nrvArmaturDFR& nrvArmaturDFR::operator=(const nrvArmaturDFR& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_flowKurve = other.m_flowKurve;
    m_wirkdruck = other.m_wirkdruck;
    m_wirkdruckListe = other.m_wirkdruckListe;
    return *this;
}

nrvArmaturDFR::~nrvArmaturDFR() = default;

bool nrvArmaturDFR::write(CNode* node) const {
    if (node == nullptr) return false;
    family::nameNode(node, *this);
    nrvArmatur::write(node);
    family::addNumberLeaf(node, "Y", {m_wirkdruck});
    CLeaf* list = node->AddLeaf("Y2", std::string_view{});
    CLeaf::InitSetValues(':');
    list->SetFirstValue(std::string_view(kWirkdruckEinheit));
    for (double dp : m_wirkdruckListe)
        list->SetNextValue(dp);
    CLeaf::ExitSetValues();
    m_flowKurve.write(node, "VSE_F", "VSE_S", "VSW", "X2");
    return true;
}

bool nrvArmaturDFR::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    const std::vector<double> y = family::readNumberLeaf(node, "Y");
    m_wirkdruck = y.empty() ? 0.0 : y.front();
    // "Y2": the unit, then one value per setting.
    m_wirkdruckListe = family::readNumberLeaf(node, "Y2");
    if (!m_wirkdruckListe.empty()) m_wirkdruckListe.erase(m_wirkdruckListe.begin());
    family::readCurve(m_flowKurve, node, "VSE_F", "VSE_S", "VSW", "X2");
    return true;
}

void nrvArmaturDFR::removeData() {
    m_flowKurve.removeData();
    m_wirkdruck = 0.0;
    m_wirkdruckListe.clear();
}

void nrvArmaturDFR::addKurve(const CKurve& curve) {
    m_flowKurve = curve;
}

double nrvArmaturDFR::getWirkdruckAt(int i) const {
    if (i < 0 || i >= getWirkdruckCount()) return 0.0;
    return m_wirkdruckListe[static_cast<std::size_t>(i)];
}

double nrvArmaturDFR::getFlowRateAt(int i) const {
    if (i < 0 || i >= m_flowKurve.getSize()) return 0.0;
    return m_flowKurve[i].y;
}

double nrvArmaturDFR::getFlowRateMax() const {
    return m_flowKurve.bIsEmpty() ? 0.0 : m_flowKurve.getFirstNode().y;
}

double nrvArmaturDFR::getFlowRateMin() const {
    return m_flowKurve.bIsEmpty() ? 0.0 : m_flowKurve.getLastNode().y;
}

bool nrvArmaturDFR::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturDFR*>(&other);
    return o != nullptr && m_wirkdruck == o->m_wirkdruck &&
           m_wirkdruckListe == o->m_wirkdruckListe && isEqualCurve(m_flowKurve, o->m_flowKurve) &&
           nrvArmatur::isEqual(other);
}

// --- nrvArmaturDDRDFR ------------------------------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturDDRDFR, nrvArmaturDDR)

nrvArmaturDDRDFR::nrvArmaturDDRDFR() {
    m_dfr.setParent(this);
}

nrvArmaturDDRDFR::nrvArmaturDDRDFR(const nrvArmaturDDRDFR& other)
    : nrvArmaturDDR(other), m_dfr(other.m_dfr) {
    m_dfr.setParent(this);
}

nrvArmaturDDRDFR& nrvArmaturDDRDFR::operator=(const nrvArmaturDDRDFR& other) {
    if (this == &other) return *this;
    nrvArmaturDDR::operator=(other);
    m_dfr = other.m_dfr;
    m_dfr.setParent(this);
    return *this;
}

nrvArmaturDDRDFR::~nrvArmaturDDRDFR() = default;

bool nrvArmaturDDRDFR::write(CNode* node) const {
    if (node == nullptr) return false;
    family::nameNode(node, *this);
    nrvArmaturDDR::write(node->AddChild(family::nodeNameOf(*this)));
    m_dfr.write(node->AddChild("DFR"));
    return true;
}

bool nrvArmaturDDRDFR::read(CNode* node) {
    if (node == nullptr) return false;
    // Parts missing from the node come back empty.
    removeData();
    if (CNode* regler = node->FindChild(family::nodeNameOf(*this))) nrvArmaturDDR::read(regler);
    if (CNode* dfr = node->FindChild("DFR")) m_dfr.read(dfr);
    return true;
}

void nrvArmaturDDRDFR::removeData() {
    nrvArmaturDDR::removeData();
    m_dfr = nrvArmaturDFR();
    m_dfr.setParent(this);
}

bool nrvArmaturDDRDFR::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturDDRDFR*>(&other);
    return o != nullptr && m_dfr.isEqual(o->m_dfr) && nrvArmaturDDR::isEqual(other);
}

}  // namespace nrvVDIArmaturen

#include "kavex/valves/armaturthkv.h"

#include <algorithm>
#include <vector>

#include "armaturfamily_p.h"
#include "kavex/platform/treestore.h"

namespace nrvVDIArmaturen {

namespace {

// Leaf "Y" of the two four-value kinds: the proportional band alone.
void writeXpLeaf(CNode* node, double xp) {
    family::addNumberLeaf(node, "Y", {xp});
}

// Without value the proportional band is "not given".
void readXpLeaf(const CNode* node, double& xp, double notGiven) {
    const std::vector<double> values = family::readNumberLeaf(node, "Y");
    xp = values.empty() ? notGiven : values.front();
}

}  // namespace

// --- nrvArmaturTHKV ------------------------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturTHKV, nrvArmatur)

nrvArmaturTHKV::nrvArmaturTHKV() {
    m_kvKurve.setParent(this);
}

nrvArmaturTHKV::nrvArmaturTHKV(const nrvArmaturTHKV& other)
    : nrvArmatur(other), m_kvKurve(other.m_kvKurve) {
    m_kvKurve.setParent(this);
}

nrvArmaturTHKV& nrvArmaturTHKV::operator=(const nrvArmaturTHKV& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kvKurve = other.m_kvKurve;
    m_kvKurve.setParent(this);
    return *this;
}

nrvArmaturTHKV::~nrvArmaturTHKV() = default;

bool nrvArmaturTHKV::write(CNode* node) const {
    if (node == nullptr) return false;
    family::nameNode(node, *this);
    nrvArmatur::write(node);
    node->AddLeaf("Y", std::string_view{});
    m_kvKurve.write(node, true, "KVE_F", "KVE_S", "KVW", "X2", "XP");
    return true;
}

bool nrvArmaturTHKV::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    // Start from a fresh curve: setting data a curve without setting leaf
    // lacks must not survive from before.
    m_kvKurve = CEinstellungKurve();
    m_kvKurve.setParent(this);
    m_kvKurve.read(node, true, "KVE_F", "KVE_S", "KVW", "X2", "XP");
    return true;
}

double nrvArmaturTHKV::getKvmin() const {
    return m_kvKurve.bIsEmpty() ? -1.0 : m_kvKurve.getLastNode().y;
}

double nrvArmaturTHKV::getKvmax() const {
    if (useKvs()) return getKvs();
    return m_kvKurve.bIsEmpty() ? -1.0 : m_kvKurve.getFirstNode().y;
}

void nrvArmaturTHKV::removeData() {
    m_kvKurve = CEinstellungKurve();
    m_kvKurve.setParent(this);
}

void nrvArmaturTHKV::addKvKurve(const CEinstellungKurve& curve) {
    m_kvKurve = curve;
    m_kvKurve.setParent(this);
}

bool nrvArmaturTHKV::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturTHKV*>(&other);
    return o != nullptr && isEqualSettingCurve(m_kvKurve, o->m_kvKurve) &&
           nrvArmatur::isEqual(other);
}

// --- nrvArmaturTHKVDFR -----------------------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturTHKVDFR, nrvArmatur)

nrvArmaturTHKVDFR::nrvArmaturTHKVDFR() {
    m_kurve14.setParent(this);
}

nrvArmaturTHKVDFR::nrvArmaturTHKVDFR(const nrvArmaturTHKVDFR& other)
    : nrvArmatur(other), m_kurve14(other.m_kurve14), m_xp(other.m_xp) {
    m_kurve14.setParent(this);
}

nrvArmaturTHKVDFR& nrvArmaturTHKVDFR::operator=(const nrvArmaturTHKVDFR& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kurve14 = other.m_kurve14;
    m_xp = other.m_xp;
    return *this;
}

nrvArmaturTHKVDFR::~nrvArmaturTHKVDFR() = default;

bool nrvArmaturTHKVDFR::write(CNode* node) const {
    if (node == nullptr) return false;
    family::nameNode(node, *this);
    nrvArmatur::write(node);
    writeXpLeaf(node, m_xp);
    m_kurve14.write(node->AddChild("CK"), "X1", "SX1", "Y1", "Y2", "Y3", "Y4");
    return true;
}

bool nrvArmaturTHKVDFR::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    readXpLeaf(node, m_xp, XpNichtAngegeben);
    m_kurve14.removeData();
    m_kurve14.read(node->FindChild("CK"), "X1", "SX1", "Y1", "Y2", "Y3", "Y4");
    return true;
}

void nrvArmaturTHKVDFR::removeData() {
    m_kurve14.removeData();
    m_xp = XpNichtAngegeben;
}

void nrvArmaturTHKVDFR::addKurve14(const CKurve14& curve) {
    m_kurve14 = curve;
}

double nrvArmaturTHKVDFR::valueAt(int i, float nrvBaseArmaturen::curveNode14::*value) const {
    if (i < 0 || i >= m_kurve14.getSize()) return 0.0;
    return m_kurve14.getAt(i).*value;
}

double nrvArmaturTHKVDFR::getDpMaxAt(int i) const {
    return valueAt(i, &nrvBaseArmaturen::curveNode14::y2);
}

double nrvArmaturTHKVDFR::getWirkdruck(int i) const {
    return valueAt(i, &nrvBaseArmaturen::curveNode14::y3);
}

double nrvArmaturTHKVDFR::getVmaxAt(int i) const {
    return valueAt(i, &nrvBaseArmaturen::curveNode14::y4);
}

double nrvArmaturTHKVDFR::getFlowRateMax() const {
    return getVmaxAt(0);
}

double nrvArmaturTHKVDFR::getFlowRateMin() const {
    return getVmaxAt(m_kurve14.getUpperBound());
}

bool nrvArmaturTHKVDFR::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturTHKVDFR*>(&other);
    return o != nullptr && m_xp == o->m_xp && isEqualCurve14(m_kurve14, o->m_kurve14) &&
           nrvArmatur::isEqual(other);
}

// --- nrvArmaturEAV -------------------------------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturEAV, nrvArmatur)

nrvArmaturEAV::nrvArmaturEAV() {
    m_kurve14.setParent(this);
}

nrvArmaturEAV::nrvArmaturEAV(const nrvArmaturEAV& other)
    : nrvArmatur(other), m_kurve14(other.m_kurve14), m_xp(other.m_xp) {
    m_kurve14.setParent(this);
}

nrvArmaturEAV& nrvArmaturEAV::operator=(const nrvArmaturEAV& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kurve14 = other.m_kurve14;
    m_xp = other.m_xp;
    return *this;
}

nrvArmaturEAV::~nrvArmaturEAV() = default;

bool nrvArmaturEAV::write(CNode* node) const {
    if (node == nullptr) return false;
    family::nameNode(node, *this);
    nrvArmatur::write(node);
    writeXpLeaf(node, m_xp);
    m_kurve14.write(node, "EIN", "SX1", "KVB", "KVH", "KVS", "DPM");
    return true;
}

bool nrvArmaturEAV::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    readXpLeaf(node, m_xp, XpNichtAngegeben);
    m_kurve14.removeData();
    m_kurve14.read(node, "EIN", "SX1", "KVB", "KVH", "KVS", "DPM");
    return true;
}

double nrvArmaturEAV::getKvmin() const {
    if (m_kurve14.getSize() == 0) return -1.0;
    return std::min(m_kurve14.getFirstNode().y2, m_kurve14.getLastNode().y2);
}

double nrvArmaturEAV::getKvmax() const {
    if (m_kurve14.getSize() == 0) return -1.0;
    return std::max(m_kurve14.getFirstNode().y2, m_kurve14.getLastNode().y2);
}

void nrvArmaturEAV::removeData() {
    m_kurve14.removeData();
    m_xp = XpNichtAngegeben;
}

void nrvArmaturEAV::addKurve14(const CKurve14& curve) {
    m_kurve14 = curve;
}

bool nrvArmaturEAV::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturEAV*>(&other);
    return o != nullptr && m_xp == o->m_xp && isEqualCurve14(m_kurve14, o->m_kurve14) &&
           nrvArmatur::isEqual(other);
}

}  // namespace nrvVDIArmaturen

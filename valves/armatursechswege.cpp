#include "kavex/valves/armatursechswege.h"

#include <vector>

#include "armaturfamily_p.h"
#include "kavex/platform/treestore.h"

namespace nrvVDIArmaturen {

namespace {

// Both circuits store their curve under the same keys, each in its own child.
void writeKreis(CNode* node, const char* child, const CKurve& curve) {
    curve.write(node->AddChild(child), "X1", "SX1", "Y1", "X2");
}

void readKreis(const CNode* node, const char* child, CKurve& curve) {
    family::readCurve(curve, node->FindChild(child), "X1", "SX1", "Y1", "X2");
}

}  // namespace

// --- nrvArmaturSechsWegeRegelarmatur ----------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturSechsWegeRegelarmatur, nrvArmatur)

nrvArmaturSechsWegeRegelarmatur::nrvArmaturSechsWegeRegelarmatur() {
    m_kurveHeizen.setParent(this);
    m_kurveKuehlen.setParent(this);
}

nrvArmaturSechsWegeRegelarmatur::nrvArmaturSechsWegeRegelarmatur(
    const nrvArmaturSechsWegeRegelarmatur& other)
    : nrvArmatur(other),
      m_kurveHeizen(other.m_kurveHeizen),
      m_kurveKuehlen(other.m_kurveKuehlen),
      m_dpmax(other.m_dpmax) {
    m_kurveHeizen.setParent(this);
    m_kurveKuehlen.setParent(this);
}

nrvArmaturSechsWegeRegelarmatur& nrvArmaturSechsWegeRegelarmatur::operator=(
    const nrvArmaturSechsWegeRegelarmatur& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kurveHeizen = other.m_kurveHeizen;
    m_kurveKuehlen = other.m_kurveKuehlen;
    m_dpmax = other.m_dpmax;
    return *this;
}

nrvArmaturSechsWegeRegelarmatur::~nrvArmaturSechsWegeRegelarmatur() = default;

bool nrvArmaturSechsWegeRegelarmatur::write(CNode* node) const {
    if (node == nullptr) return false;
    family::nameNode(node, *this);
    nrvArmatur::write(node);
    family::addNumberLeaf(node, "Y", {m_dpmax});
    writeKreis(node, "CK", m_kurveHeizen);
    writeKreis(node, "CK2", m_kurveKuehlen);
    return true;
}

bool nrvArmaturSechsWegeRegelarmatur::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    const std::vector<double> y = family::readNumberLeaf(node, "Y");
    m_dpmax = y.empty() ? 0.0 : y.front();
    readKreis(node, "CK", m_kurveHeizen);
    readKreis(node, "CK2", m_kurveKuehlen);
    return true;
}

double nrvArmaturSechsWegeRegelarmatur::getKvmin() const {
    return m_kurveHeizen.bIsEmpty() ? -1.0 : m_kurveHeizen.getLastNode().y;
}

double nrvArmaturSechsWegeRegelarmatur::getKvmax() const {
    return m_kurveHeizen.bIsEmpty() ? -1.0 : m_kurveHeizen.getFirstNode().y;
}

void nrvArmaturSechsWegeRegelarmatur::removeData() {
    m_kurveHeizen.removeData();
    m_kurveKuehlen.removeData();
    m_dpmax = 0.0;
}

void nrvArmaturSechsWegeRegelarmatur::addKurve(const CKurve& curve) {
    m_kurveHeizen = curve;
}

void nrvArmaturSechsWegeRegelarmatur::addKurveKühlen(const CKurve& curve) {
    m_kurveKuehlen = curve;
}

double nrvArmaturSechsWegeRegelarmatur::getFlowRateAt(int i, int j) const {
    const CKurve& k = kreis(j);
    if (i < 0 || i >= k.getSize()) return 0.0;
    return k[i].y;
}

double nrvArmaturSechsWegeRegelarmatur::getFlowRateMax(int j) const {
    const CKurve& k = kreis(j);
    return k.bIsEmpty() ? 0.0 : k.getFirstNode().y;
}

double nrvArmaturSechsWegeRegelarmatur::getFlowRateMin(int j) const {
    const CKurve& k = kreis(j);
    return k.bIsEmpty() ? 0.0 : k.getLastNode().y;
}

bool nrvArmaturSechsWegeRegelarmatur::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturSechsWegeRegelarmatur*>(&other);
    return o != nullptr && m_dpmax == o->m_dpmax && isEqualCurve(m_kurveHeizen, o->m_kurveHeizen) &&
           isEqualCurve(m_kurveKuehlen, o->m_kurveKuehlen) && nrvArmatur::isEqual(other);
}

// --- nrvArmaturSechsWegeRegelarmaturMitDFR ----------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturSechsWegeRegelarmaturMitDFR, nrvArmaturSechsWegeRegelarmatur)

nrvArmaturSechsWegeRegelarmaturMitDFR::nrvArmaturSechsWegeRegelarmaturMitDFR() {
    m_dfr.setParent(this);
}

nrvArmaturSechsWegeRegelarmaturMitDFR::nrvArmaturSechsWegeRegelarmaturMitDFR(
    const nrvArmaturSechsWegeRegelarmaturMitDFR& other)
    : nrvArmaturSechsWegeRegelarmatur(other), m_dfr(other.m_dfr) {
    m_dfr.setParent(this);
}

nrvArmaturSechsWegeRegelarmaturMitDFR& nrvArmaturSechsWegeRegelarmaturMitDFR::operator=(
    const nrvArmaturSechsWegeRegelarmaturMitDFR& other) {
    if (this == &other) return *this;
    nrvArmaturSechsWegeRegelarmatur::operator=(other);
    m_dfr = other.m_dfr;
    m_dfr.setParent(this);
    return *this;
}

nrvArmaturSechsWegeRegelarmaturMitDFR::~nrvArmaturSechsWegeRegelarmaturMitDFR() = default;

bool nrvArmaturSechsWegeRegelarmaturMitDFR::write(CNode* node) const {
    if (!nrvArmaturSechsWegeRegelarmatur::write(node)) return false;
    m_dfr.write(node->AddChild("DFR"));
    return true;
}

bool nrvArmaturSechsWegeRegelarmaturMitDFR::read(CNode* node) {
    if (!nrvArmaturSechsWegeRegelarmatur::read(node)) return false;
    m_dfr = nrvArmaturDFR();
    m_dfr.setParent(this);
    if (CNode* dfr = node->FindChild("DFR")) m_dfr.read(dfr);
    return true;
}

void nrvArmaturSechsWegeRegelarmaturMitDFR::removeData() {
    nrvArmaturSechsWegeRegelarmatur::removeData();
    m_dfr = nrvArmaturDFR();
    m_dfr.setParent(this);
}

bool nrvArmaturSechsWegeRegelarmaturMitDFR::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturSechsWegeRegelarmaturMitDFR*>(&other);
    return o != nullptr && m_dfr.isEqual(o->m_dfr) &&
           nrvArmaturSechsWegeRegelarmatur::isEqual(other);
}

}  // namespace nrvVDIArmaturen

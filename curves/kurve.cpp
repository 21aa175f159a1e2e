#include "kavex/curves/kurve.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "kavex/curves/leaflists_p.h"
#include "kavex/platform/interpolation.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/treestore.h"

namespace nrvBaseArmaturen {

namespace {

// Two curve values are the same point when they lie closer than this.
constexpr double kSamePoint = 1e-5;

// The distance as the float arithmetic of the stored values sees it.
double floatDistance(float a, float b) {
    return std::fabs(static_cast<double>(a - b));
}

bool isNoNumericSetting(float x) {
    return std::fabs(static_cast<double>(x) + 9999.0) <= kSamePoint;
}

// A total order that keeps NaN values (from damaged files) at the end, so that
// sorting stays well-defined whatever a curve holds.
bool lessWithNaNLast(float a, float b) {
    if (std::isnan(a)) return false;
    if (std::isnan(b)) return true;
    return a < b;
}

template <typename Key>
void sortNodes(std::vector<curveNode>& nodes, Key key, bool descending) {
    std::sort(nodes.begin(), nodes.end(), [&](const curveNode& a, const curveNode& b) {
        return descending ? lessWithNaNLast(key(b), key(a)) : lessWithNaNLast(key(a), key(b));
    });
}

// Value of axis `target` at `v` on axis `source`: a stored point within 1e-5
// answers at once, otherwise the points in stored order form the table.
float interpolate(const std::vector<curveNode>& nodes, float curveNode::*source,
                  float curveNode::*target, float v) {
    if (nodes.empty()) return CKurve::NoValue;
    if (nodes.size() == 1) return nodes.front().*target;
    CLinearInterpolation table;
    for (const curveNode& n : nodes) {
        if (floatDistance(n.*source, v) < kSamePoint) return n.*target;
        table.Add(n.*source, n.*target);
    }
    double y = table.GetY(v, false);
    if (y == CLinearInterpolation::NoValue) return CKurve::NoValue;
    return leaflists::toFloat(y);
}

// Index of the node that the nearest lookup on axis `axis` chooses for `v`, or
// -1. The ends answer for queries beyond them; between two points `mode`
// decides; points with equal values on the axis are passed over.
int nearestIndex(const std::vector<curveNode>& nodes, float curveNode::*axis, float v,
                 CKurve::enNearest mode) {
    const int count = static_cast<int>(nodes.size());
    const float first = nodes.front().*axis;
    const float last = nodes.back().*axis;
    const bool rising = last > first;
    if (rising ? v <= first : v >= first) return 0;
    if (rising ? v >= last : v <= last) return count - 1;
    for (int i = 0; i < count; ++i) {
        const double xi = nodes[i].*axis;
        if (floatDistance(nodes[i].*axis, v) < kSamePoint) return i;
        if (i == 0) continue;
        const double p = nodes[i - 1].*axis;
        if (xi > p && p < v && v < xi) {  // rising step
            if (mode == CKurve::closest) return (v - p > xi - v) ? i : i - 1;
            if (mode == CKurve::higher) return i;
            if (mode == CKurve::lower) return i - 1;
            return -1;
        }
        if (p > v && v > xi) {  // falling step
            if (mode == CKurve::closest) return (p - v > v - xi) ? i : i - 1;
            if (mode == CKurve::higher) return i - 1;
            if (mode == CKurve::lower) return i;
            return -1;
        }
    }
    return -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// curveNode

int curveNode::setEinstellung(std::string_view einstText, std::string_view xText,
                              std::string_view x2Text) {
    const bool given = !einstText.empty() || !xText.empty();
    einst = given ? std::string(einstText) : TranslateText("<unbekannt>");
    x = xText.empty() ? NoNumericSetting : leaflists::toFloat(nrvNumbers::parseDouble(xText));
    x2 = leaflists::toFloat(nrvNumbers::parseDouble(x2Text));
    return given ? 1 : 0;
}

std::string curveNode::getEinst() const {
    if (x < -9998.0f) return einst;
    std::string text = nrvNumbers::formatG(static_cast<double>(x));
    if (!einst.empty()) text += " (" + einst + ")";
    return text;
}

bool curveNode::operator==(const curveNode& other) const {
    const bool ownMarker = isNoNumericSetting(x);
    const bool otherMarker = isNoNumericSetting(other.x);
    if (!ownMarker && !otherMarker) return floatDistance(x, other.x) < kSamePoint;
    return ownMarker && otherMarker && einst == other.einst;
}

// ---------------------------------------------------------------------------
// CKurve

KAVEX_IMPLEMENT_DYNCREATE(CKurve, nrvArmaturObject)

CKurve::CKurve(const CKurve& other)
    : nrvArmaturObject(),
      m_nodes(other.m_nodes),
      m_einheitX(other.m_einheitX),
      m_einheitX2(other.m_einheitX2),
      m_einheitY(other.m_einheitY) {}

CKurve& CKurve::operator=(const CKurve& other) {
    if (this == &other) return *this;
    m_nodes = other.m_nodes;
    m_einheitX = other.m_einheitX;
    m_einheitX2 = other.m_einheitX2;
    m_einheitY = other.m_einheitY;
    return *this;
}

CKurve::~CKurve() = default;

void CKurve::removeData() {
    m_nodes.clear();
    m_einheitX.clear();
    m_einheitX2.clear();
    m_einheitY.clear();
}

void CKurve::addCurveNode(const curveNode& node) {
    m_nodes.push_back(node);
}

void CKurve::addCurveNode(float x, std::string_view einst, float y, float x2) {
    m_nodes.emplace_back(x, std::string(einst), y, x2);
}

void CKurve::addCurveNodeAt(int i, const curveNode& node) {
    const int pos = std::clamp(i, 0, getSize());
    m_nodes.insert(m_nodes.begin() + pos, node);
}

void CKurve::addCurveNodeAt(int i, float x, std::string_view einst, float y, float x2) {
    addCurveNodeAt(i, curveNode(x, std::string(einst), y, x2));
}

bool CKurve::setCurveNodeAt(int i, const curveNode& node) {
    if (i < 0) throw std::invalid_argument("CKurve::setCurveNodeAt: negative index");
    if (i >= getSize()) return false;
    m_nodes[static_cast<std::size_t>(i)] = node;
    return true;
}

const curveNode& CKurve::getAt(int i) const {
    if (m_nodes.empty()) throw std::invalid_argument("CKurve::getAt: empty curve");
    return m_nodes[static_cast<std::size_t>(std::clamp(i, 0, getUpperBound()))];
}

curveNode& CKurve::operator[](int i) {
    if (i < 0 || i >= getSize()) throw std::invalid_argument("CKurve: index out of range");
    return m_nodes[static_cast<std::size_t>(i)];
}

const curveNode& CKurve::operator[](int i) const {
    if (i < 0 || i >= getSize()) throw std::invalid_argument("CKurve: index out of range");
    return m_nodes[static_cast<std::size_t>(i)];
}

const curveNode& CKurve::getFirstNode() const {
    if (m_nodes.empty()) throw std::invalid_argument("CKurve::getFirstNode: empty curve");
    return m_nodes.front();
}

const curveNode& CKurve::getLastNode() const {
    if (m_nodes.empty()) throw std::invalid_argument("CKurve::getLastNode: empty curve");
    return m_nodes.back();
}

void CKurve::SortbyX(bool descending) {
    sortNodes(
        m_nodes, [](const curveNode& n) { return n.x; }, descending);
}

void CKurve::SortbyY(bool descending, bool /*unused*/) {
    sortNodes(
        m_nodes, [](const curveNode& n) { return n.y; }, descending);
}

void CKurve::swapNodes() {
    std::reverse(m_nodes.begin(), m_nodes.end());
}

float CKurve::getYInterpol(float x) const {
    return interpolate(m_nodes, &curveNode::x, &curveNode::y, x);
}

float CKurve::getX2(float x) const {
    return interpolate(m_nodes, &curveNode::x, &curveNode::x2, x);
}

float CKurve::getX(float x2) const {
    return interpolate(m_nodes, &curveNode::x2, &curveNode::x, x2);
}

float CKurve::getXInterpol(float y) const {
    return interpolate(m_nodes, &curveNode::y, &curveNode::x, y);
}

float CKurve::getYNearest(float x, enNearest mode) const {
    if (m_nodes.empty()) return NoNearestValue;
    if (m_nodes.size() == 1) return m_nodes.front().y;
    const int i = nearestIndex(m_nodes, &curveNode::x, x, mode);
    return i < 0 ? NoNearestValue : m_nodes[static_cast<std::size_t>(i)].y;
}

int CKurve::getXNearest(float& outX, std::string& outEinst, float y, enNearest mode) const {
    int i = -1;
    if (m_nodes.size() == 1) {
        const float only = m_nodes.front().y;
        const bool chosen =
            mode == closest || (mode == higher && only >= y) || (mode == lower && only <= y);
        i = chosen ? 0 : -1;
    } else if (m_nodes.size() > 1) {
        i = nearestIndex(m_nodes, &curveNode::y, y, mode);
    }
    if (i < 0) return 0;
    outX = m_nodes[static_cast<std::size_t>(i)].x;
    outEinst = m_nodes[static_cast<std::size_t>(i)].einst;
    return 1;
}

// ---------------------------------------------------------------------------
// Persistence

bool CKurve::write(CNode* node, std::string_view keyX, std::string_view keyEinst,
                   std::string_view keyY, std::string_view keyX2) const {
    if (node == nullptr) return false;
    using leaflists::writeList;
    writeList(node, keyX, m_einheitX, m_nodes,
              [](const curveNode& n) { return static_cast<double>(n.x); });
    writeList(node, keyEinst, m_einheitX, m_nodes,
              [](const curveNode& n) { return std::string_view(n.einst); });
    double sumX2 = 0.0;
    for (const curveNode& n : m_nodes)
        sumX2 += std::fabs(static_cast<double>(n.x2));
    // A curve without second abscissa keeps its node free of an all-zero leaf.
    if (sumX2 > 0.001) {
        writeList(node, keyX2, m_einheitX2, m_nodes,
                  [](const curveNode& n) { return static_cast<double>(n.x2); });
    }
    writeList(node, keyY, m_einheitY, m_nodes,
              [](const curveNode& n) { return static_cast<double>(n.y); });
    return true;
}

bool CKurve::read(CNode* node, std::string_view keyX, std::string_view keyEinst,
                  std::string_view keyY, std::string_view keyX2) {
    if (node == nullptr) return false;
    const CLeaf* leafX = node->FindLeaf(keyX);
    const CLeaf* leafEinst = node->FindLeaf(keyEinst);
    const CLeaf* leafY = node->FindLeaf(keyY);
    if (leafX == nullptr || leafEinst == nullptr || leafY == nullptr) return false;

    // Every unit is taken before anything is refused, so that a curve which
    // does not read (a unit without values) keeps the same units however
    // often it is written and read again.
    std::vector<float> xs, x2s, ys;
    std::vector<std::string> labels;
    std::string droppedUnit;
    const bool okX = leaflists::readNumbers(leafX, m_einheitX, xs);
    const bool okEinst = leaflists::readTexts(leafEinst, droppedUnit, labels);
    // The second abscissa is optional; a leaf with its unit alone means none.
    const CLeaf* leafX2 = node->FindLeaf(keyX2);
    if (leafX2 != nullptr) leaflists::readNumbers(leafX2, m_einheitX2, x2s);
    const bool okY = leaflists::readNumbers(leafY, m_einheitY, ys);
    if (!okX || !okEinst || !okY || xs.empty() || labels.empty() || ys.empty()) return false;

    const std::size_t count = xs.size();
    if (labels.size() != count || ys.size() != count) return false;
    if (!x2s.empty() && x2s.size() != count) return false;
    m_nodes.reserve(m_nodes.size() + count);
    for (std::size_t i = 0; i < count; ++i) {
        m_nodes.emplace_back(xs[i], std::move(labels[i]), ys[i], x2s.empty() ? 0.0f : x2s[i]);
    }
    return true;
}

}  // namespace nrvBaseArmaturen

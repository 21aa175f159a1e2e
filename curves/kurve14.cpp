#include "kavex/curves/kurve14.h"

#include <stdexcept>

#include "kavex/curves/leaflists_p.h"
#include "kavex/platform/treestore.h"

namespace nrvBaseArmaturen {

KAVEX_IMPLEMENT_DYNCREATE(CKurve14, nrvArmaturObject)

CKurve14::CKurve14(const CKurve14& other)
    : nrvArmaturObject(), m_nodes(other.m_nodes), m_einheitX(other.m_einheitX) {
    for (int k = 0; k < 4; ++k)
        m_einheitY[k] = other.m_einheitY[k];
}

CKurve14& CKurve14::operator=(const CKurve14& other) {
    if (this == &other) return *this;
    m_nodes = other.m_nodes;
    m_einheitX = other.m_einheitX;
    for (int k = 0; k < 4; ++k)
        m_einheitY[k] = other.m_einheitY[k];
    return *this;
}

CKurve14::~CKurve14() = default;

void CKurve14::removeData() {
    m_nodes.clear();
    m_einheitX.clear();
    for (std::string& unit : m_einheitY)
        unit.clear();
}

void CKurve14::addCurveNode(const curveNode14& node) {
    m_nodes.push_back(node);
}

const curveNode14& CKurve14::at(int i) const {
    if (i < 0 || i >= getSize()) throw std::invalid_argument("CKurve14: index out of range");
    return m_nodes[static_cast<std::size_t>(i)];
}

const curveNode14& CKurve14::getAt(int i) const {
    return at(i);
}

const curveNode14& CKurve14::getCurveNodeAt(int i) const {
    return at(i);
}

curveNode14& CKurve14::operator[](int i) {
    return const_cast<curveNode14&>(at(i));
}

const curveNode14& CKurve14::operator[](int i) const {
    return at(i);
}

const curveNode14& CKurve14::getFirstNode() const {
    return at(0);
}

const curveNode14& CKurve14::getLastNode() const {
    return at(getUpperBound());
}

bool CKurve14::write(CNode* node, std::string_view keyX, std::string_view keyEinst,
                     std::string_view keyY1, std::string_view keyY2, std::string_view keyY3,
                     std::string_view keyY4) const {
    if (node == nullptr) return false;
    using leaflists::writeList;
    writeList(node, keyX, m_einheitX, m_nodes,
              [](const curveNode14& n) { return static_cast<double>(n.x); });
    writeList(node, keyEinst, m_einheitX, m_nodes,
              [](const curveNode14& n) { return std::string_view(n.einst); });
    writeList(node, keyY1, m_einheitY[0], m_nodes,
              [](const curveNode14& n) { return static_cast<double>(n.y1); });
    writeList(node, keyY2, m_einheitY[1], m_nodes,
              [](const curveNode14& n) { return static_cast<double>(n.y2); });
    writeList(node, keyY3, m_einheitY[2], m_nodes,
              [](const curveNode14& n) { return static_cast<double>(n.y3); });
    writeList(node, keyY4, m_einheitY[3], m_nodes,
              [](const curveNode14& n) { return static_cast<double>(n.y4); });
    return true;
}

bool CKurve14::read(CNode* node, std::string_view keyX, std::string_view keyEinst,
                    std::string_view keyY1, std::string_view keyY2, std::string_view keyY3,
                    std::string_view keyY4) {
    if (node == nullptr) return false;
    const CLeaf* leafX = node->FindLeaf(keyX);
    if (leafX == nullptr) return false;

    std::vector<float> xs;
    std::vector<std::string> labels;
    std::vector<float> values[4];
    std::string droppedUnit;
    leaflists::readNumbers(leafX, m_einheitX, xs);
    leaflists::readTexts(node->FindLeaf(keyEinst), droppedUnit, labels);
    const std::string_view keysY[4] = {keyY1, keyY2, keyY3, keyY4};
    for (int k = 0; k < 4; ++k) {
        leaflists::readNumbers(node->FindLeaf(keysY[k]), m_einheitY[k], values[k]);
    }

    const std::size_t count = xs.size();
    if (labels.size() != count) return true;
    for (const std::vector<float>& v : values) {
        if (v.size() != count) return true;
    }
    std::vector<curveNode14> nodes;
    nodes.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        nodes.emplace_back(xs[i], std::move(labels[i]), values[0][i], values[1][i], values[2][i],
                           values[3][i]);
    }
    m_nodes = std::move(nodes);
    return true;
}

}  // namespace nrvBaseArmaturen

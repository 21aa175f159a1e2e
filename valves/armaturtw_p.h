#pragma once
// Reading and writing the "Y" leaf of the drinking-water and control valves:
// a flat ':'-separated list of numbers and texts in a fixed order. Values a
// shorter (older) leaf lacks keep the defaults the caller set before.

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/curves/kurve.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"

namespace nrvVDIArmaturen::yleaf {

// A double narrowed to float the way the processor would, without an
// out-of-range conversion: values beyond the float range become infinite.
inline float toFloat(double v) {
    constexpr double maxF = std::numeric_limits<float>::max();
    if (v > maxF) return std::numeric_limits<float>::infinity();
    if (v < -maxF) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

// Adds leaf `name` to a node and appends values to it in order.
class Writer {
public:
    Writer(CNode* node, const char* name) : m_leaf(node->AddLeaf(name, std::string_view{})) {
        CLeaf::InitSetValues(':');
    }
    ~Writer() { CLeaf::ExitSetValues(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    Writer& real(double v) {
        if (m_first)
            m_leaf->SetFirstValue(v);
        else
            m_leaf->SetNextValue(v);
        m_first = false;
        return *this;
    }
    Writer& integer(int v) {
        if (m_first)
            m_leaf->SetFirstValue(v);
        else
            m_leaf->SetNextValue(v);
        m_first = false;
        return *this;
    }
    Writer& text(std::string_view v) {
        if (m_first)
            m_leaf->SetFirstValue(v);
        else
            m_leaf->SetNextValue(v);
        m_first = false;
        return *this;
    }

private:
    CLeaf* m_leaf;
    bool m_first = true;
};

// Takes the values of a leaf one after the other; a missing leaf or a value
// behind the last one leaves the target untouched.
class Reader {
public:
    explicit Reader(const CLeaf* leaf) {
        if (leaf != nullptr && leaf->InitGetValues(':')) m_values = leaf->GetValues(':');
    }
    bool atEnd() const { return m_pos >= m_values.size(); }
    std::size_t remaining() const { return atEnd() ? 0 : m_values.size() - m_pos; }

    Reader& real(double& out) {
        if (!atEnd()) out = nrvNumbers::parseDouble(m_values[m_pos++]);
        return *this;
    }
    Reader& real(float& out) {
        if (!atEnd()) out = toFloat(nrvNumbers::parseDouble(m_values[m_pos++]));
        return *this;
    }
    Reader& integer(int& out) {
        if (!atEnd()) out = nrvNumbers::parseInt(m_values[m_pos++]);
        return *this;
    }
    Reader& text(std::string& out) {
        if (!atEnd()) out = m_values[m_pos++];
        return *this;
    }
    Reader& skip() {
        if (!atEnd()) ++m_pos;
        return *this;
    }

private:
    std::vector<std::string> m_values;
    std::size_t m_pos = 0;
};

// Reads a curve stored under the four keys into an emptied curve. A curve that
// does not read stays empty (no half-set units), so that an empty curve
// written and read again compares equal.
inline void readCurve(nrvBaseArmaturen::CKurve& curve, CNode* node, std::string_view keyX,
                      std::string_view keyEinst, std::string_view keyY, std::string_view keyX2) {
    curve.removeData();
    if (node == nullptr || !curve.read(node, keyX, keyEinst, keyY, keyX2)) curve.removeData();
}

}  // namespace nrvVDIArmaturen::yleaf

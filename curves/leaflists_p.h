#pragma once
// Curves store each axis as one leaf: the unit first, then one value per node.

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"

namespace nrvBaseArmaturen::leaflists {

// A number read from a file as a curve value. Values beyond the float range
// become infinite, as the processor would narrow them, without relying on an
// out-of-range conversion.
inline float toFloat(double v) {
    constexpr double maxF = std::numeric_limits<float>::max();
    if (v > maxF) return std::numeric_limits<float>::infinity();
    if (v < -maxF) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

// The unit and the values behind it. False for a missing leaf or one without
// any value; `values` may come back empty when the leaf holds the unit alone.
inline bool readTexts(const CLeaf* leaf, std::string& unit, std::vector<std::string>& values) {
    values.clear();
    if (leaf == nullptr || !leaf->InitGetValues(':')) return false;
    std::vector<std::string> all = leaf->GetValues(':');
    if (all.empty()) return false;
    unit = all.front();
    values.assign(std::make_move_iterator(all.begin() + 1), std::make_move_iterator(all.end()));
    return true;
}

inline bool readNumbers(const CLeaf* leaf, std::string& unit, std::vector<float>& values) {
    values.clear();
    std::vector<std::string> texts;
    if (!readTexts(leaf, unit, texts)) return false;
    values.reserve(texts.size());
    for (const std::string& t : texts)
        values.push_back(toFloat(nrvNumbers::parseDouble(t)));
    return true;
}

// Adds leaf `key` holding `unit` and then value(i) for i in 0..count-1; numbers
// are written with "%f".
template <typename Items, typename Value>
void writeList(CNode* node, std::string_view key, const std::string& unit, const Items& items,
               Value value) {
    CLeaf* leaf = node->AddLeaf(std::string(key), std::string_view{});
    CLeaf::InitSetValues(':');
    leaf->SetFirstValue(std::string_view(unit));
    for (const auto& item : items)
        leaf->SetNextValue(value(item));
    CLeaf::ExitSetValues();
}

}  // namespace nrvBaseArmaturen::leaflists

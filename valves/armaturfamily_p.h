#pragma once
// Small pieces shared by the persistence of the throttling, regulator and
// six-way valve classes: the node name a valve writes, and the "Y" leaves that
// hold a valve's extra numbers.

#include <string>
#include <string_view>
#include <vector>

#include "kavex/curves/armaturobject.h"
#include "kavex/curves/kurve.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"

namespace nrvVDIArmaturen::family {

// A model file names each valve node after the valve's class without the
// leading "nrvArmatur" ("Dross", "ThermoDross", "DDRDFR", ...); the model
// reader turns the name back into the class.
inline std::string nodeNameOf(const nrvBaseArmaturen::nrvArmaturObject& valve) {
    constexpr std::string_view prefix = "nrvArmatur";
    std::string name = valve.desc();
    if (name.compare(0, prefix.size(), prefix) == 0) name.erase(0, prefix.size());
    return name;
}

// Gives an unnamed node the valve's node name; a named node keeps its name.
inline void nameNode(CNode* node, const nrvBaseArmaturen::nrvArmaturObject& valve) {
    if (node != nullptr && node->GetName().empty()) node->SetName(nodeNameOf(valve));
}

// Replaces `curve` by the one stored under the keys. A curve that does not
// read (missing, or written without points) comes back empty, units included.
inline void readCurve(nrvBaseArmaturen::CKurve& curve, CNode* node, std::string_view keyX,
                      std::string_view keyEinst, std::string_view keyY, std::string_view keyX2) {
    curve.removeData();
    if (!curve.read(node, keyX, keyEinst, keyY, keyX2)) curve.removeData();
}

// A leaf of numbers, each written with "%f".
inline void addNumberLeaf(CNode* node, std::string_view key, const std::vector<double>& values) {
    CLeaf* leaf = node->AddLeaf(std::string(key), std::string_view{});
    if (values.empty()) return;
    CLeaf::InitSetValues(':');
    leaf->SetFirstValue(values.front());
    for (std::size_t i = 1; i < values.size(); ++i)
        leaf->SetNextValue(values[i]);
    CLeaf::ExitSetValues();
}

// The values of a leaf as numbers; empty for a missing or empty leaf.
inline std::vector<double> readNumberLeaf(const CNode* node, std::string_view key) {
    std::vector<double> numbers;
    const CLeaf* leaf = node->FindLeaf(key);
    if (leaf == nullptr || !leaf->InitGetValues(':')) return numbers;
    for (const std::string& text : leaf->GetValues(':'))
        numbers.push_back(nrvNumbers::parseDouble(text));
    return numbers;
}

}  // namespace nrvVDIArmaturen::family

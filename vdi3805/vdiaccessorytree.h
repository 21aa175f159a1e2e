#pragma once
// Accessory trees of a VDI 3805 catalogue (record 930 below the file header):
// which accessory articles fit which executions. A tree (930, field 3 its
// name) holds nodes (930.01: article, quantity, node name); a node may carry
// further articles that come with it (930.02) and condition groups (930.03)
// of conditions (930.04). Conditions name records the execution must refer
// to; a node is offered for an execution when every condition of one of its
// groups holds (a node without groups always is). docs/vdi3805-details.md
// describes the fields.

#include <string>
#include <vector>

#include "kavex/platform/export.h"

class CVDIBase;
class VDIStruct_800;
namespace nrvVDIArmaturen {
class nrvArmaturZubehoer;
}

// One 930.01 or 930.02 record, judged against one execution.
struct KAVEX_API VDI930Node {
    const CVDIBase* record = nullptr;   // the 930.01 / 930.02 record
    const CVDIBase* article = nullptr;  // the 900 record it names, null when missing
    int articleNumber = 0;              // field 3: index of the 900 record
    double quantity = 0.0;              // field 4
    std::string name;                   // 930.01: field 5, else the article's name
    bool valid = false;                 // offered for the execution
    std::vector<VDI930Node> children;   // the 930.02 records below a 930.01

    // The article name (900 field 11), empty without article.
    std::string ArticleName() const;
    // Fills an accessory entry of a valve: the node's type number and index,
    // quantity, article number, the article's name and number text. False
    // (entry untouched) when the node names no existing article.
    bool FillAccessory(nrvVDIArmaturen::nrvArmaturZubehoer& entry) const;
};

struct KAVEX_API VDI930Tree {
    const CVDIBase* record = nullptr;  // the 930 record
    std::string name;                  // field 3
    std::vector<VDI930Node> nodes;     // one per 930.01, in file order
};

// One condition record 930.04 against an execution: field 3 a record type
// (100, 110, 160 … 760, 800), field 4 an index. Holds when the execution
// stands below the 100 / 110 record of that index, is itself the 800 of that
// index, or its TGA number names a record of that type and index.
KAVEX_API bool ConditionHolds(const CVDIBase& condition, VDIStruct_800& execution);

// A 930.01 record against an execution: no condition group below it, or one
// group (930.03 records of equal group number, field 3, taken together) whose
// conditions all hold.
KAVEX_API bool NodeValid(const CVDIBase& node, VDIStruct_800& execution);

// Every accessory tree of the execution's catalogue, judged against it.
KAVEX_API std::vector<VDI930Tree> BuildAccessoryTrees(VDIStruct_800& execution);

// The valid nodes of the trees (a node's own article first, then its 930.02
// articles) as accessory entries; nodes without an existing article are left
// out.
KAVEX_API std::vector<nrvVDIArmaturen::nrvArmaturZubehoer> ValidAccessories(
    const std::vector<VDI930Tree>& trees);

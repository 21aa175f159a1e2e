#include "kavex/vdi3805/vdiaccessorytree.h"

#include <algorithm>
#include <map>

#include "kavex/valves/armatur.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"

namespace {

constexpr int kTree = 93000;
constexpr int kNode = 93001;
constexpr int kSubNode = 93002;
constexpr int kGroup = 93003;
constexpr int kCondition = 93004;
constexpr int kArticle = 90000;
constexpr int kMainGroup = 10000;
constexpr int kSeries = 11000;
constexpr int kExecution = 80000;
constexpr int kFirstProperty = 16000;
constexpr int kLastProperty = 76000;

// The direct children of `record` of one type, in file order.
std::vector<const CVDIBase*> childrenOf(const CVDIBase& record, int typeNo) {
    std::vector<const CVDIBase*> out;
    for (const auto& child : record.GetChildren())
        if (child->GetTypeNo() == typeNo) out.push_back(child.get());
    return out;
}

// The record above `record` when it has that type.
const CVDIBase* above(const CVDIBase* record, int typeNo) {
    const CVDIBase* parent = record ? record->GetParent() : nullptr;
    return parent && parent->GetTypeNo() == typeNo ? parent : nullptr;
}

bool namesReference(VDIStruct_800& execution, int typeNo, int index) {
    std::vector<CVDIBase*> references;
    execution.GetReferences(typeNo, references);
    return std::any_of(references.begin(), references.end(),
                       [index](const CVDIBase* r) { return r->GetIndex() == index; });
}

VDI930Node makeNode(const CVDIBase& record, bool valid) {
    VDI930Node node;
    node.record = &record;
    node.articleNumber = record.GetFieldInt(3);
    node.quantity = record.GetFieldDouble(4);
    const CVDIDoc* doc = record.GetDocument();
    node.article = doc ? doc->FindRecord(kArticle, node.articleNumber, 2) : nullptr;
    node.name = record.GetTypeNo() == kNode ? record.GetField(5) : std::string();
    if (node.name.empty()) node.name = node.ArticleName();
    node.valid = valid;
    return node;
}

}  // namespace

std::string VDI930Node::ArticleName() const {
    return article ? article->GetField(11) : std::string();
}

bool VDI930Node::FillAccessory(nrvVDIArmaturen::nrvArmaturZubehoer& entry) const {
    if (!record || !article) return false;
    entry.typNr = record->GetTypeNo();
    entry.index = record->GetIndex();
    entry.anzahl = static_cast<float>(quantity);
    entry.artikelNr = articleNumber;
    // Tree articles are offered, never part of the execution itself.
    entry.optional = 1;
    entry.nichtF = 1;
    entry.name = ArticleName();
    entry.artikelNrText = article->GetField(7);
    return true;
}

bool ConditionHolds(const CVDIBase& condition, VDIStruct_800& execution) {
    const int typeNo = CVDIBase::TypeNoOf(condition.GetFieldDouble(3));
    const int index = condition.GetFieldInt(4);
    if (typeNo == kExecution) return execution.GetIndex() == index;
    const CVDIBase* series = above(&execution, kSeries);
    if (typeNo == kSeries) return series && series->GetIndex() == index;
    if (typeNo == kMainGroup) {
        const CVDIBase* group = above(series, kMainGroup);
        return group && group->GetIndex() == index;
    }
    if (typeNo < kFirstProperty || typeNo > kLastProperty) return false;
    return namesReference(execution, typeNo, index);
}

bool NodeValid(const CVDIBase& node, VDIStruct_800& execution) {
    // Group number → all conditions of the group hold so far.
    std::map<int, bool> groups;
    for (const CVDIBase* group : childrenOf(node, kGroup)) {
        bool& holds = groups.try_emplace(group->GetFieldInt(3), true).first->second;
        for (const CVDIBase* condition : childrenOf(*group, kCondition))
            holds = holds && ConditionHolds(*condition, execution);
    }
    return groups.empty() ||
           std::any_of(groups.begin(), groups.end(), [](const auto& g) { return g.second; });
}

std::vector<VDI930Tree> BuildAccessoryTrees(VDIStruct_800& execution) {
    std::vector<VDI930Tree> trees;
    const CVDIDoc* doc = execution.GetDocument();
    if (!doc) return trees;
    std::vector<CVDIBase*> records;
    doc->CollectRecords(kTree, records, 2);
    for (const CVDIBase* treeRecord : records) {
        VDI930Tree tree{treeRecord, treeRecord->GetField(3), {}};
        for (const CVDIBase* nodeRecord : childrenOf(*treeRecord, kNode)) {
            VDI930Node node = makeNode(*nodeRecord, NodeValid(*nodeRecord, execution));
            for (const CVDIBase* sub : childrenOf(*nodeRecord, kSubNode))
                node.children.push_back(makeNode(*sub, node.valid));
            tree.nodes.push_back(std::move(node));
        }
        trees.push_back(std::move(tree));
    }
    return trees;
}

std::vector<nrvVDIArmaturen::nrvArmaturZubehoer> ValidAccessories(
    const std::vector<VDI930Tree>& trees) {
    std::vector<nrvVDIArmaturen::nrvArmaturZubehoer> out;
    auto add = [&out](const VDI930Node& node) {
        nrvVDIArmaturen::nrvArmaturZubehoer entry;
        if (node.FillAccessory(entry)) out.push_back(entry);
    };
    for (const VDI930Tree& tree : trees) {
        for (const VDI930Node& node : tree.nodes) {
            if (!node.valid) continue;
            add(node);
            for (const VDI930Node& child : node.children)
                add(child);
        }
    }
    return out;
}

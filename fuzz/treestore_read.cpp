// Tree-store text from outside: model, user valve, pump and info files and
// project sections. Whatever parses must write a text that reads back to the
// same text, in every write form, through CNode and CProNodeBase alike.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/treestore.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

std::string textOf(const CNode& node, bool bom = false, bool indent = false,
                   bool trailingNewline = true, int level = 0) {
    std::string text;
    require(node.WriteToString(text, bom, indent, trailingNewline, level));
    return text;
}

// Every walking and reading call on every node; the counts must agree.
void walkEverything(const CNode& root) {
    std::vector<const CNode*> pending{&root};
    std::string value;
    int number = 0;
    while (!pending.empty()) {
        const CNode* node = pending.back();
        pending.pop_back();
        int children = 0;
        for (CNode::Pos pos = node->GetFirstChildPos(); pos != CNode::npos; ++children) {
            pending.push_back(node->GetNextChild(pos));
        }
        require(children == node->NrOfChildren());
        int leaves = 0;
        for (CLeaf* leaf = node->GetFirstLeaf(); leaf; leaf = node->GetNextLeaf(), ++leaves) {
            require(node->FindLeaf(leaf->GetName()) != nullptr);
            std::size_t count = 1;
            if (leaf->GetFirstValue(value)) {
                ++count;
                while (leaf->GetNextValue(number))
                    ++count;
            }
            require(leaf->InitGetValues() ? count == leaf->NrOfValues() : count == 1);
            require(leaf->GetValues(';').size() == leaf->NrOfValues(';'));
            (void)leaf->GetOnlyValueD();
        }
        require(leaves == node->NrOfLeaves());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    auto tree = TreeItems::ReadFromString(input);
    auto pro = CProNodeBase::ReadFromString(input);
    require(static_cast<bool>(tree) == static_cast<bool>(pro));
    if (!tree) return 0;

    const std::string first = textOf(*tree);
    auto again = TreeItems::ReadFromString(first);
    require(again != nullptr);
    require(textOf(*again) == first);

    auto indented = TreeItems::ReadFromString(textOf(*tree, true, true, false, 2));
    require(indented != nullptr);
    require(textOf(*indented) == first);

    std::string proText;
    require(pro->WriteToString(proText));
    require(proText == first);
    require(textOf(*pro->ToNode()) == first);

    walkEverything(*tree);
    return 0;
}

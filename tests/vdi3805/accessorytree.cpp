// Accessory trees (930): which nodes the condition groups let through for an
// execution, and the accessory entries the valid nodes give.
#include <gtest/gtest.h>

#include "kavex/valves/armatur.h"
#include "kavex/vdi3805/vdiaccessorytree.h"
#include "kavex/vdi3805/vdirecords.h"
#include "vdifixtures.h"

namespace {

// Node index → valid for 800;1 (200;1, 400;1 + 400;0), 800;2 (200;2, 400;2 +
// 400;0), 800;3 (no references); the node's condition records.
struct NodeCase {
    int index;
    bool valid[3];
    std::vector<std::string> lines;  // after "930.01;<index>;901;1;"
} const kNodes[] = {
    {1, {true, true, true}, {}},  // no condition group
    {2, {true, false, false}, {"930.03;1;1", "930.04;1;200;1"}},
    {3, {false, true, false}, {"930.03;1;1", "930.04;1;400;2"}},
    {4, {true, true, false}, {"930.03;1;1", "930.04;1;400;0"}},
    {5, {true, true, true}, {"930.03;1;1", "930.04;1;110;3", "930.04;2;100;2"}},
    {6, {false, false, false}, {"930.03;1;1", "930.04;1;110;4"}},
    {7, {false, true, false}, {"930.03;1;1", "930.04;1;800;2"}},
    // two groups: either will do; one group over two records: both must hold
    {8, {true, true, false}, {"930.03;1;1", "930.04;1;200;1", "930.03;2;2", "930.04;1;400;2"}},
    {9, {false, false, false}, {"930.03;1;1", "930.04;1;200;1", "930.03;2;1", "930.04;1;400;2"}},
    {10, {false, false, false}, {"930.03;1;1", "930.04;1;;1"}},  // unreadable type
    {11, {true, true, true}, {"930.03;1;1"}},                    // group without conditions
};

class AccessoryTree : public vditest::VdiTest {
protected:
    void SetUp() override {
        VdiTest::SetUp();
        std::vector<std::string> lines = vditest::detailCatalogueLines("2", "201601");
        lines.insert(lines.end(), {"900;901;;1;;;F-901;9.90;;;Thermostatkopf",
                                   "900;902;;1;;;F-902;1.00;;;Fühler", "930;1;Zubehörbaum"});
        for (const NodeCase& n : kNodes) {
            lines.push_back("930.01;" + std::to_string(n.index) + ";901;" +
                            (n.index == 1 ? "2;Köpfe" : "1;"));
            if (n.index == 1) lines.push_back("930.02;1;902;1");
            lines.insert(lines.end(), n.lines.begin(), n.lines.end());
        }
        lines.insert(lines.end(), {"930.01;12;999;1;", "930;2;Leer"});
        doc = load("baum.vdix", vditest::joinLines(lines));
        for (int i = 1; i <= 3; ++i)
            executions.push_back(dynamic_cast<VDIStruct_800*>(doc->FindRecord(80000, i)));
    }
    std::unique_ptr<CVDIDoc> doc;
    std::vector<VDIStruct_800*> executions;
};

TEST_F(AccessoryTree, NodesAreValidWhenOneConditionGroupHolds) {
    for (int e = 0; e < 3; ++e) {
        const std::vector<VDI930Tree> trees = BuildAccessoryTrees(*executions[e]);
        ASSERT_EQ(trees.size(), 2u);
        EXPECT_EQ(trees[0].name, "Zubehörbaum");
        EXPECT_TRUE(trees[1].nodes.empty());
        ASSERT_EQ(trees[0].nodes.size(), std::size(kNodes) + 1);
        for (std::size_t n = 0; n < std::size(kNodes); ++n)
            EXPECT_EQ(trees[0].nodes[n].valid, kNodes[n].valid[e])
                << "node " << kNodes[n].index << ", execution " << e + 1;
        EXPECT_TRUE(trees[0].nodes.back().valid);  // no article, but no condition either
    }
}

TEST_F(AccessoryTree, ValidNodesWithAnArticleBecomeAccessoryEntries) {
    const std::vector<VDI930Tree> trees = BuildAccessoryTrees(*executions[1]);
    EXPECT_EQ(trees[0].nodes[0].name, "Köpfe");
    EXPECT_EQ(trees[0].nodes[1].name, "Thermostatkopf");  // unnamed: the article's name
    EXPECT_EQ(trees[0].nodes.back().article, nullptr);

    std::vector<std::pair<int, int>> refs;
    const auto entries = ValidAccessories(trees);
    for (const auto& z : entries)
        refs.emplace_back(z.typNr, z.index);
    const std::vector<std::pair<int, int>> expected = {
        {93001, 1}, {93002, 1}, {93001, 3}, {93001, 4},
        {93001, 5}, {93001, 7}, {93001, 8}, {93001, 11}};  // node 12 names no article
    EXPECT_EQ(refs, expected);
    nrvVDIArmaturen::nrvArmaturZubehoer head;
    head.typNr = 93001, head.index = 1, head.artikelNr = 901, head.anzahl = 2.0f;
    head.optional = head.nichtF = 1;
    head.name = "Thermostatkopf", head.artikelNrText = "F-901";
    EXPECT_TRUE(entries[0] == head);
    EXPECT_EQ(entries[1].name, "Fühler");  // the follower comes with its node
    EXPECT_EQ(entries[1].artikelNrText, "F-902");

    VDIStruct_800 loose;  // belongs to no catalogue
    EXPECT_TRUE(BuildAccessoryTrees(loose).empty());
}

}  // namespace

// Curves against tree-store nodes: the two-axis and the four-value curve.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "kavex/curves/kurve.h"
#include "kavex/curves/kurve14.h"
#include "kavex/platform/treestore.h"

using namespace nrvBaseArmaturen;

namespace {

bool readKv(CKurve& k, CNode* node) {
    return k.read(node, "KVE_F", "KVE_S", "KVW", "X2");
}
bool writeKv(const CKurve& k, CNode* node) {
    return k.write(node, "KVE_F", "KVE_S", "KVW", "X2");
}

CKurve sample(float x2) {
    CKurve k;
    k.setEinheitx("Einstellung");
    k.setEinheitx2("K");
    k.setEinheity("m³/h");
    k.addCurveNode(1.23456789f, "1", 0.1f, x2);
    k.addCurveNode(1e7f, "N:2", 2.0f / 3.0f, 0.0f);
    return k;
}

// A node holding leaves with the given raw texts.
std::unique_ptr<CNode> nodeWith(std::initializer_list<std::pair<const char*, const char*>> leaves) {
    auto node = std::make_unique<CNode>("N");
    for (const auto& [key, text] : leaves)
        node->AddLeaf(key, nullptr)->SetRawText(text);
    return node;
}

std::string textOf(const CNode& node) {
    std::string text;
    EXPECT_TRUE(node.WriteToString(text));
    return text;
}

TEST(KurvePersistence, WritesUnitThenValuesWithPercentF) {
    CNode node("N");
    ASSERT_TRUE(writeKv(sample(0.5f), &node));
    EXPECT_EQ(textOf(node),
              "[N]\nKVE_F:Einstellung:1.234568:10000000.000000\nKVE_S:Einstellung:1:N%3A2\n"
              "X2:K:0.500000:0.000000\nKVW:m³/h:0.100000:0.666667\n[ENDE_N]\n");
    EXPECT_FALSE(writeKv(sample(0), nullptr));
    // x2 summing to no more than 0.001 is no second abscissa: no leaf.
    CNode small("N");
    writeKv(sample(0.0005f), &small);
    EXPECT_EQ(small.FindLeaf("X2"), nullptr);
}

TEST(KurvePersistence, ReadAppendsToHeldNodes) {
    CNode node("N");
    writeKv(sample(0.5f), &node);
    CKurve k;
    k.addCurveNode(-1, "vorher", -1);
    ASSERT_TRUE(readKv(k, &node));
    ASSERT_EQ(k.getSize(), 3);
    EXPECT_EQ(k[0].einst + "|" + k[2].einst, "vorher|N:2");
    EXPECT_FLOAT_EQ(k[1].x, 1.234568f);
    EXPECT_FLOAT_EQ(k[1].x2, 0.5f);
    // An x2 leaf holding only its unit means no second abscissa.
    auto unitOnly = nodeWith({{"KVE_F", "u:1"}, {"KVE_S", "u:a"}, {"KVW", "u:3"}, {"X2", "K"}});
    ASSERT_TRUE(readKv(k, unitOnly.get()));
    EXPECT_EQ(k.getSize(), 4);
    EXPECT_EQ(k.getLastNode().x2, 0.0f);
}

TEST(KurvePersistence, ReadRefusals) {
    const std::pair<const char*, std::unique_ptr<CNode>> cases[] = {
        {"no x", nodeWith({{"KVE_S", "u:a"}, {"KVW", "u:1"}})},
        {"no label", nodeWith({{"KVE_F", "u:1"}, {"KVW", "u:1"}})},
        {"no y", nodeWith({{"KVE_F", "u:1"}, {"KVE_S", "u:a"}})},
        {"x unit only", nodeWith({{"KVE_F", "u"}, {"KVE_S", "u:a"}, {"KVW", "u:1"}})},
        {"label unit only", nodeWith({{"KVE_F", "u:1"}, {"KVE_S", "u"}, {"KVW", "u:1"}})},
        {"y empty", nodeWith({{"KVE_F", "u:1"}, {"KVE_S", "u:a"}, {"KVW", ""}})},
        {"labels short", nodeWith({{"KVE_F", "u:1:2"}, {"KVE_S", "u:a"}, {"KVW", "u:1:2"}})},
        {"y long", nodeWith({{"KVE_F", "u:1"}, {"KVE_S", "u:a"}, {"KVW", "u:1:2"}})},
        {"x2 short",
         nodeWith({{"KVE_F", "u:1:2"}, {"KVE_S", "u:a:b"}, {"KVW", "u:1:2"}, {"X2", "k:1"}})},
        {"written without nodes", nodeWith({})},
        {"null node", nullptr}};
    writeKv(CKurve(), cases[9].second.get());  // leaves holding their units alone
    for (const auto& [why, node] : cases) {
        CKurve k;
        k.addCurveNode(9, "keep", 9);
        EXPECT_FALSE(readKv(k, node.get())) << why;
        EXPECT_EQ(k.getSize(), 1) << why;
    }
    // A refused curve still takes every unit, so writing it again is stable.
    CKurve unitsOnly;
    EXPECT_FALSE(readKv(unitsOnly, nodeWith({{"KVE_F", "x"}, {"KVE_S", "x"}, {"KVW", "y"}}).get()));
    EXPECT_EQ(unitsOnly.getEinheitx() + unitsOnly.getEinheity(), "xy");
}

// Random curves written to text and read back keep their nodes to six decimals
// and their units.
TEST(KurvePersistence, RandomCurvesSurviveTextForm) {
    const std::string alphabet = "abcN :%[]\\ü0123456789.";
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        auto upTo = [&](int n) { return std::uniform_int_distribution<int>(0, n)(rng); };
        auto value = [&] { return std::uniform_real_distribution<float>(-5000, 5000)(rng); };
        auto text = [&] {
            std::string s;
            for (int n = upTo(6); n > 0; --n)
                s += alphabet[std::size_t(upTo(int(alphabet.size()) - 1))];
            return s;
        };
        const bool withX2 = seed % 2 == 0;
        CKurve k, r;
        k.setEinheitx(text());
        k.setEinheitx2(withX2 ? text() : "");
        k.setEinheity(text());
        for (int n = 1 + upTo(29); n > 0; --n)
            k.addCurveNode(value(), text(), value(), withX2 ? value() : 0.0f);
        CNode root("Dross");
        writeKv(k, &root);
        std::unique_ptr<CNode> back = TreeItems::ReadFromString(textOf(root));
        ASSERT_TRUE(back && readKv(r, back.get()));
        ASSERT_EQ(r.getSize(), k.getSize());
        EXPECT_EQ(std::tie(r.getEinheitx(), r.getEinheitx2(), r.getEinheity()),
                  std::tie(k.getEinheitx(), k.getEinheitx2(), k.getEinheity()));
        for (int i = 0; i < k.getSize(); ++i) {
            EXPECT_NEAR(r[i].x, k[i].x, 1e-6);
            EXPECT_NEAR(r[i].x2, k[i].x2, 1e-6);
            EXPECT_NEAR(r[i].y, k[i].y, 1e-6);
            EXPECT_EQ(r[i].einst, k[i].einst);
        }
    }
}

// --- four values per abscissa ---------------------------------------------

bool read14(CKurve14& k, CNode* node) {
    return k.read(node, "X1", "SX1", "Y1", "Y2", "Y3", "Y4");
}

TEST(Kurve14, WritesAllSixLeavesAndReadsBackOnlyMatchingLists) {
    CKurve14 sample;
    sample.setEinheitx("Einstellung");
    sample.setEinheity4("l/h");
    curveNode14 a(1, "1", 0.5f, 200, 100, 150);
    a.x2 = 7;  // x2 and y travel with a copy but are not stored
    a.y = 8;
    sample.addCurveNode(a);
    sample.addCurveNode(curveNode14(2, "2", 0.75f, 250, 110, 1.0f / 3.0f));
    CNode full("CK");
    ASSERT_TRUE(sample.write(&full, "X1", "SX1", "Y1", "Y2", "Y3", "Y4"));
    const std::string text = textOf(full);
    EXPECT_EQ(text,
              "[CK]\nX1:Einstellung:1.000000:2.000000\nSX1:Einstellung:1:2\n"
              "Y1::0.500000:0.750000\nY2::200.000000:250.000000\nY3::100.000000:110.000000\n"
              "Y4:l/h:150.000000:0.333333\n[ENDE_CK]\n");
    EXPECT_FALSE(sample.write(nullptr, "X1", "SX1", "Y1", "Y2", "Y3", "Y4"));
    CKurve14 back;
    ASSERT_TRUE(read14(back, &full));
    EXPECT_EQ(back.getEinheity4() + back.getLastNode().einst, "l/h2");
    EXPECT_FLOAT_EQ(back.getLastNode().y4, 0.333333f);

    // The nodes are replaced only when every list is as long as the x list.
    const std::pair<std::string, std::string> edits[] = {{"", ""},
                                                         {"SX1:Einstellung:1:2\n", ""},
                                                         {":1:2\n", ":1\n"},
                                                         {"Y3::100.000000:110.000000\n", ""},
                                                         {":0.333333\n", "\n"}};
    for (const auto& [from, to] : edits) {
        std::string edited = text;
        if (!from.empty()) edited.replace(edited.find(from), from.size(), to);
        CKurve14 k;
        k.addCurveNode(curveNode14(9, "alt", 1, 2, 3, 4));
        EXPECT_TRUE(read14(k, TreeItems::ReadFromString(edited).get()));
        EXPECT_EQ(k.getSize(), from.empty() ? 2 : 1) << from;
    }
    EXPECT_FALSE(read14(back, nodeWith({{"SX1", "u"}}).get()));
    EXPECT_FALSE(read14(back, nullptr));

    // Indexing is strict, unlike the two-axis curve's getAt.
    EXPECT_THROW(back.getAt(2), std::invalid_argument);
    EXPECT_THROW(std::as_const(back)[-1], std::invalid_argument);
    EXPECT_THROW(CKurve14().getFirstNode(), std::invalid_argument);
}

}  // namespace

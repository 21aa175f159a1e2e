#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "kavex/curves/kurve.h"
#include "kavex/platform/treestore.h"

using namespace nrvBaseArmaturen;
using Values = std::vector<std::string>;

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

TEST(KurvePersistence, WritesUnitThenValuesWithPercentF) {
    CNode node("Dross");
    ASSERT_TRUE(writeKv(sample(0.5f), &node));
    Values names;
    for (const auto& item : node.Items())
        names.push_back(item->GetName());
    EXPECT_EQ(names, (Values{"KVE_F", "KVE_S", "X2", "KVW"}));
    EXPECT_EQ(node.FindLeaf("KVE_F")->GetValues(':'),
              (Values{"Einstellung", "1.234568", "10000000.000000"}));
    EXPECT_EQ(node.FindLeaf("KVE_S")->GetValues(':'), (Values{"Einstellung", "1", "N:2"}));
    EXPECT_EQ(node.FindLeaf("X2")->GetValues(':'), (Values{"K", "0.500000", "0.000000"}));
    EXPECT_EQ(node.FindLeaf("KVW")->GetValues(':'), (Values{"m³/h", "0.100000", "0.666667"}));
    EXPECT_FALSE(writeKv(sample(0), nullptr));

    // x2 summing to no more than 0.001 is no second abscissa: no leaf, read back as 0.
    CNode small("N");
    writeKv(sample(0.0005f), &small);
    EXPECT_EQ(small.FindLeaf("X2"), nullptr);
    CKurve back;
    ASSERT_TRUE(readKv(back, &small));
    EXPECT_EQ(back[0].x2, 0.0f);
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
    EXPECT_EQ(k.getLastNode().x2, 0.0f);
}

TEST(KurvePersistence, ReadRefusals) {
    struct Case {
        const char* why;
        std::unique_ptr<CNode> node;
    } cases[] = {
        {"no x", nodeWith({{"KVE_S", "u:a"}, {"KVW", "u:1"}})},
        {"no label", nodeWith({{"KVE_F", "u:1"}, {"KVW", "u:1"}})},
        {"no y", nodeWith({{"KVE_F", "u:1"}, {"KVE_S", "u:a"}})},
        {"x unit only", nodeWith({{"KVE_F", "u"}, {"KVE_S", "u:a"}, {"KVW", "u:1"}})},
        {"label unit only", nodeWith({{"KVE_F", "u:1"}, {"KVE_S", "u"}, {"KVW", "u:1"}})},
        {"y empty", nodeWith({{"KVE_F", "u:1"}, {"KVE_S", "u:a"}, {"KVW", ""}})},
        {"labels short", nodeWith({{"KVE_F", "u:1:2"}, {"KVE_S", "u:a"}, {"KVW", "u:1:2"}})},
        {"y long", nodeWith({{"KVE_F", "u:1"}, {"KVE_S", "u:a"}, {"KVW", "u:1:2"}})},
        {"x2 short",
         nodeWith({{"KVE_F", "u:1:2"}, {"KVE_S", "u:a:b"}, {"KVW", "u:1:2"}, {"X2", "k:1"}})}};
    for (Case& c : cases) {
        CKurve k;
        k.addCurveNode(9, "keep", 9);
        EXPECT_FALSE(readKv(k, c.node.get())) << c.why;
        EXPECT_EQ(k.getSize(), 1) << c.why;
    }
    CKurve k;
    EXPECT_FALSE(readKv(k, nullptr));
    CNode empty("N");  // a written curve without nodes does not come back
    writeKv(CKurve(), &empty);
    EXPECT_FALSE(readKv(k, &empty));
}

// Random curves written to text and read back keep their nodes to six decimals
// and their units.
TEST(KurvePersistence, RandomCurvesSurviveTextForm) {
    const std::string alphabet = "abcN :%[]\\ü0123456789.";
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<float> value(-5000.0f, 5000.0f);
        std::uniform_int_distribution<int> count(1, 30), len(0, 6),
            pick(0, int(alphabet.size()) - 1);
        auto text = [&] {
            std::string s;
            for (int n = len(rng); n > 0; --n)
                s += alphabet[std::size_t(pick(rng))];
            return s;
        };
        const bool withX2 = seed % 2 == 0;
        CKurve k;
        k.setEinheitx(text());
        k.setEinheitx2(withX2 ? text() : "");
        k.setEinheity(text());
        for (int n = count(rng); n > 0; --n) {
            k.addCurveNode(value(rng), text(), value(rng), withX2 ? value(rng) : 0.0f);
        }
        CNode root("Dross");
        writeKv(k, &root);
        std::string written;
        ASSERT_TRUE(root.WriteToString(written));
        std::unique_ptr<CNode> back = TreeItems::ReadFromString(written);
        CKurve r;
        ASSERT_TRUE(back && readKv(r, back.get())) << "seed " << seed;
        ASSERT_EQ(r.getSize(), k.getSize()) << "seed " << seed;
        EXPECT_EQ(r.getEinheitx() + "|" + r.getEinheitx2() + "|" + r.getEinheity(),
                  k.getEinheitx() + "|" + k.getEinheitx2() + "|" + k.getEinheity());
        for (int i = 0; i < k.getSize(); ++i) {
            EXPECT_NEAR(r[i].x, k[i].x, 1e-6) << "seed " << seed;
            EXPECT_NEAR(r[i].x2, k[i].x2, 1e-6) << "seed " << seed;
            EXPECT_NEAR(r[i].y, k[i].y, 1e-6) << "seed " << seed;
            EXPECT_EQ(r[i].einst, k[i].einst) << "seed " << seed;
        }
    }
}

}  // namespace

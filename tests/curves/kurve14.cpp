#include "kavex/curves/kurve14.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "kavex/platform/treestore.h"

using namespace nrvBaseArmaturen;

namespace {

bool read14(CKurve14& k, CNode* node) {
    return k.read(node, "X1", "SX1", "Y1", "Y2", "Y3", "Y4");
}
bool write14(const CKurve14& k, CNode* node) {
    return k.write(node, "X1", "SX1", "Y1", "Y2", "Y3", "Y4");
}

CKurve14 sample() {
    CKurve14 k;
    k.setEinheitx("Einstellung");
    k.setEinheity2("mbar");
    k.setEinheity4("l/h");
    curveNode14 a(1, "1", 0.5f, 200, 100, 150);
    a.x2 = 7;  // x2 and y travel with a copy but are not stored
    a.y = 8;
    k.addCurveNode(a);
    k.addCurveNode(curveNode14(2, "2", 0.75f, 250, 110, 1.0f / 3.0f));
    return k;
}

TEST(Kurve14, WritesAllSixLeavesAndReadsBack) {
    CNode node("CK");
    ASSERT_TRUE(write14(sample(), &node));
    std::string names;
    for (const auto& item : node.Items())
        names += item->GetName() + " ";
    EXPECT_EQ(names, "X1 SX1 Y1 Y2 Y3 Y4 ");
    EXPECT_EQ(node.FindLeaf("Y4")->GetValues(':'),
              (std::vector<std::string>{"l/h", "150.000000", "0.333333"}));
    CKurve14 back;
    ASSERT_TRUE(read14(back, &node));
    ASSERT_EQ(back.getSize(), 2);
    EXPECT_EQ(back.getEinheitx() + back.getEinheity2() + back.getEinheity4(), "Einstellungmbarl/h");
    const curveNode14& n = back.getFirstNode();
    EXPECT_EQ(n.einst, "1");
    EXPECT_EQ(n.y1 + n.y2 + n.y3 + n.y4, 450.5f);
    EXPECT_EQ(n.x2 + n.y, 0.0f);
    EXPECT_FLOAT_EQ(back.getLastNode().y4, 0.333333f);

    CNode empty("CK");
    write14(CKurve14(), &empty);
    EXPECT_EQ(empty.Items().size(), 6u);
    EXPECT_FALSE(write14(sample(), nullptr));
}

TEST(Kurve14, ReadReplacesOnlyWhenListsMatch) {
    struct Case {
        const char *missing, *shortened;  // leaf left out; leaf with one value less
        int size;                         // 2: replaced, 1: the old node kept
    } cases[] = {{"", "", 2}, {"SX1", "", 1}, {"Y3", "", 1}, {"", "Y4", 1}, {"", "SX1", 1}};
    CNode full("CK");
    write14(sample(), &full);
    for (const Case& c : cases) {
        CNode node("CK");
        for (const auto& item : full.Items()) {
            if (item->GetName() == c.missing) continue;
            std::string raw = static_cast<const CLeaf&>(*item).GetRawText();
            if (item->GetName() == c.shortened) raw = raw.substr(0, raw.rfind(':'));
            node.AddLeaf(item->GetName(), nullptr)->SetRawText(raw);
        }
        CKurve14 k;
        k.addCurveNode(curveNode14(9, "alt", 1, 2, 3, 4));
        EXPECT_TRUE(read14(k, &node));
        EXPECT_EQ(k.getSize(), c.size) << c.missing << c.shortened;
    }
    CKurve14 k;
    CNode noX("CK");
    noX.AddLeaf("SX1", "u");
    EXPECT_FALSE(read14(k, &noX));
    EXPECT_FALSE(read14(k, nullptr));
}

TEST(Kurve14, StrictIndexingAndRemoveData) {
    CKurve14 k = sample();
    k[1].y2 = 300;
    EXPECT_EQ(k.getAt(1).y2, 300.0f);
    EXPECT_EQ(k.getCurveNodeAt(0).y2, 200.0f);
    for (int i : {-1, 2}) {
        EXPECT_THROW(k.getAt(i), std::invalid_argument);
        EXPECT_THROW(k.getCurveNodeAt(i), std::invalid_argument);
        EXPECT_THROW(std::as_const(k)[i], std::invalid_argument);
    }
    CKurve14 copy(k);
    k.removeData();
    EXPECT_EQ(k.getCount(), 0);
    EXPECT_EQ(k.getEinheitx() + k.getEinheity2() + k.getEinheity4(), "");
    EXPECT_THROW(k.getFirstNode(), std::invalid_argument);
    EXPECT_THROW(k.getLastNode(), std::invalid_argument);
    EXPECT_EQ(copy.getSize(), 2);
    EXPECT_EQ(copy.getEinheity4(), "l/h");
}

}  // namespace

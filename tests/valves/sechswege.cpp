// Six-way control valves: flows per circuit, the kv range from the heating
// circuit, and the nodes with and without flow-controller part.

#include "kavex/valves/armatursechswege.h"

#include <gtest/gtest.h>

#include "kavex/platform/treestore.h"

using nrvBaseArmaturen::CKurve;
using nrvVDIArmaturen::nrvArmaturSechsWegeRegelarmatur;
using nrvVDIArmaturen::nrvArmaturSechsWegeRegelarmaturMitDFR;

namespace {

CKurve curve(std::initializer_list<float> ys) {
    CKurve k;
    float x = 1.0f;
    for (float y : ys)
        k.addCurveNode(x++, "", y);
    return k;
}

nrvArmaturSechsWegeRegelarmatur sixWay() {
    nrvArmaturSechsWegeRegelarmatur v;
    v.addKurve(curve({2.0f, 1.0f}));
    v.addKurveKühlen(curve({3.0f, 1.5f, 0.5f}));
    v.setDpmax(150.0);
    return v;
}

}  // namespace

TEST(SechsWege, FlowsPerCircuit) {
    const nrvArmaturSechsWegeRegelarmatur v = sixWay();
    struct Case {
        int i, j;
        double flow;
    } cases[] = {
        {0, 0, 2.0},  {1, 0, 1.0}, {2, 0, 0.0},  // heating: two points
        {1, 1, 1.5},  {2, 1, 0.5}, {3, 1, 0.0},  // cooling: three points
        {2, 7, 0.5},                             // any circuit but 0 is cooling
        {-1, 0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.i << "/" << c.j);
        EXPECT_DOUBLE_EQ(v.getFlowRateAt(c.i, c.j), c.flow);
    }
    EXPECT_DOUBLE_EQ(v.getFlowRateMax(0), 2.0);
    EXPECT_DOUBLE_EQ(v.getFlowRateMin(0), 1.0);
    EXPECT_DOUBLE_EQ(v.getFlowRateMax(1), 3.0);
    EXPECT_DOUBLE_EQ(v.getFlowRateMin(1), 0.5);
    // The kv range comes from the heating circuit.
    EXPECT_DOUBLE_EQ(v.getKvmax(), 2.0);
    EXPECT_DOUBLE_EQ(v.getKvmin(), 1.0);

    const nrvArmaturSechsWegeRegelarmatur empty;
    EXPECT_EQ(empty.getFlowRateMax(1), 0.0);
    EXPECT_EQ(empty.getFlowRateMin(0), 0.0);
    EXPECT_EQ(empty.getKvmin(), -1.0);
    EXPECT_EQ(empty.getKvmax(), -1.0);
}

TEST(SechsWege, CircuitsInTheirOwnChildren) {
    const nrvArmaturSechsWegeRegelarmatur v = sixWay();
    CNode node;
    ASSERT_TRUE(v.write(&node));
    EXPECT_EQ(node.GetName(), "SechsWegeRegelarmatur");
    ASSERT_NE(node.FindChild("CK"), nullptr);
    ASSERT_NE(node.FindChild("CK2"), nullptr);
    EXPECT_EQ(node.FindChild("CK2")->GetStrLeafValue("", "Y1", 3), "0.500000");

    nrvArmaturSechsWegeRegelarmatur back;
    ASSERT_TRUE(back.read(&node));
    EXPECT_TRUE(back.isEqual(v));
    EXPECT_DOUBLE_EQ(back.getDpmax(), 150.0);
}

TEST(SechsWege, FlowPartInChildDFR) {
    nrvArmaturSechsWegeRegelarmaturMitDFR v;
    static_cast<nrvArmaturSechsWegeRegelarmatur&>(v) = sixWay();
    v.getDFRAnteil().setWirkdruck(180.0);
    v.getDFRAnteil().setWirkdruckListe({150.0, 160.0});
    v.getDFRAnteil().addKurve(curve({0.5f, 0.25f}));

    CNode node;
    ASSERT_TRUE(v.write(&node));
    EXPECT_EQ(node.GetName(), "SechsWegeRegelarmaturMitDFR");
    ASSERT_NE(node.FindChild("DFR"), nullptr);
    EXPECT_NE(node.FindLeaf("X"), nullptr) << "the six-way part lives in the node itself";

    nrvArmaturSechsWegeRegelarmaturMitDFR back;
    ASSERT_TRUE(back.read(&node));
    EXPECT_TRUE(back.isEqual(v));
    EXPECT_DOUBLE_EQ(back.getWirkdruck(), 180.0);
    EXPECT_EQ(back.getWirkdruckCount(), 2);
    EXPECT_DOUBLE_EQ(back.getWirkdruckAt(1), 160.0);
    EXPECT_EQ(back.getWirkdruckAt(2), 0.0);
    EXPECT_DOUBLE_EQ(back.getFlowRateAt(2, 1), 0.5);
    EXPECT_EQ(back.getDFRAnteil().getParent(), &back);
}

// Six-way control valves: flows per circuit and the kv range from the heating
// circuit.

#include "kavex/valves/armatursechswege.h"

#include <gtest/gtest.h>

using nrvBaseArmaturen::CKurve;
using nrvVDIArmaturen::nrvArmaturSechsWegeRegelarmatur;

namespace {

CKurve curve(std::initializer_list<float> ys) {
    CKurve k;
    float x = 1.0f;
    for (float y : ys)
        k.addCurveNode(x++, "", y);
    return k;
}

}  // namespace

TEST(SechsWege, FlowsPerCircuit) {
    nrvArmaturSechsWegeRegelarmatur v;
    v.addKurve(curve({2.0f, 1.0f}));
    v.addKurveKühlen(curve({3.0f, 1.5f, 0.5f}));
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

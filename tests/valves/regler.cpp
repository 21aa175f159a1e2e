// Regulators: the differential pressure controller's deviation arithmetic and
// ranges, the flow controller's flows and active pressures.

#include "kavex/valves/armaturregler.h"

#include <gtest/gtest.h>

#include "valvetest.h"

using nrvBaseArmaturen::CKurve;
using nrvVDIArmaturen::nrvArmaturDDR;
using nrvVDIArmaturen::nrvArmaturDFR;
using valvetest::curveOf;
using valvetest::Pt;

namespace {

constexpr float kNo = CKurve::NoValue;

// Setpoints 300, 200, 100 mbar for settings 1 to 3; deviation 50, 20, 10
// at kv 4, 2, 1.
nrvArmaturDDR controller() {
    nrvArmaturDDR v;
    v.addKennlinieDp(curveOf({{1, 300}, {2, 200}, {3, 100}}));
    v.addKennlinieKvzuPAbw(curveOf({{4, 50}, {2, 20}, {1, 10}}));
    v.addKennlinieMaxVolStrom(curveOf({{1, 0.5f}, {3, 1.5f}}));
    return v;
}

}  // namespace

TEST(DDR, RangesFromTheCurveEndsDeviationCurveTurnedRound) {
    const nrvArmaturDDR v = controller();
    EXPECT_DOUBLE_EQ(v.getKvmax(), 4.0);
    EXPECT_DOUBLE_EQ(v.getKvmin(), 1.0);
    EXPECT_DOUBLE_EQ(v.getDpSollMax(), 300.0);
    EXPECT_DOUBLE_EQ(v.getDpSollMin(), 100.0);
    EXPECT_EQ(&v.getKurve(), &v.getKennlinieDp());
    EXPECT_EQ(nrvArmaturDDR().getKvmin(), -1.0);
    EXPECT_EQ(nrvArmaturDDR().getDpSollMax(), -1.0);

    CKurve out = curveOf({{9, 9}});
    out.setEinheitx("alt");
    v.getKvzuDpKurveAt(150.0f, out);
    // (kv, deviation) -> (deviation + 150, kv): (200, 4), (170, 2), (160, 1).
    const Pt expected[] = {{200, 4}, {170, 2}, {160, 1}};
    ASSERT_EQ(out.getSize(), 3);
    EXPECT_EQ(out.getEinheitx(), "");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(out[i].x, expected[i].x);
        EXPECT_EQ(out[i].y, expected[i].y);
        EXPECT_TRUE(out[i].x2 == 0.0f && out[i].einst.empty()) << "no extra data";
    }
}

TEST(DDR, PressureAtKvHandComputed) {
    struct Case {
        const char* name;
        float kv, dp;
        bool ok;
        float result;
    } cases[] = {
        // Deviation at kv 3: between (4, 50) and (2, 20) -> 35. Shifted curve
        // (50+150+35, 4) (20+185, 2) (10+185, 1) = (235, 4) (205, 2) (195, 1);
        // at kv 3 halfway between 235 and 205 -> 220, inside 100..300.
        {"inside", 3.0f, 150.0f, true, 220.0f},
        // Deviation at 1.5: 15; curve (315, 4) (285, 2) (275, 1); at 1.5 -> 280.
        {"near the top", 1.5f, 250.0f, true, 280.0f},
        // kv 4 exactly: deviation 50, result 50 + 260 + 50 = 360 > 300.
        {"above the setpoints", 4.0f, 260.0f, false, 360.0f},
        // kv 1: deviation 10, result 10 + 80 + 10 = 100: the lowest setpoint counts.
        {"lowest setpoint inclusive", 1.0f, 80.0f, true, 100.0f},
        {"just below", 1.0f, 79.0f, false, 99.0f},
        // kv 0.5 lies outside the deviation curve: no value at all.
        {"kv outside", 0.5f, 150.0f, false, kNo},
    };
    const nrvArmaturDDR v = controller();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        float result = -7.0f;
        EXPECT_EQ(v.getKvzudeltaP(c.kv, c.dp, result), c.ok);
        EXPECT_FLOAT_EQ(result, c.result);
    }
    EXPECT_FLOAT_EQ(v.getpAbwAtkv(3.0f), 35.0f);

    // Without setpoint curve there is nothing to compare: false, result untouched.
    nrvArmaturDDR noSetpoints;
    noSetpoints.addKennlinieKvzuPAbw(curveOf({{4, 50}, {1, 10}}));
    float result = -7.0f;
    EXPECT_FALSE(noSetpoints.getKvzudeltaP(2.0f, 100.0f, result));
    EXPECT_EQ(result, -7.0f);
}

TEST(DFR, FlowsAndActivePressures) {
    nrvArmaturDFR v;
    EXPECT_EQ(v.getFlowRateMax(), 0.0);
    EXPECT_EQ(v.getFlowRateMin(), 0.0);
    EXPECT_EQ(v.getWirkdruckAt(0), 0.0);

    v.addKurve(curveOf({{1, 0.5f}, {2, 0.25f}, {3, 0.125f}}));
    v.setWirkdruckListe({150.0, 175.5});
    EXPECT_DOUBLE_EQ(v.getFlowRateMax(), 0.5);
    EXPECT_DOUBLE_EQ(v.getFlowRateMin(), 0.125);
    const struct {
        int i;
        double flow, wirkdruck;
    } cases[] = {{-1, 0, 0}, {0, 0.5, 150}, {1, 0.25, 175.5}, {2, 0.125, 0}, {3, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(v.getFlowRateAt(c.i), c.flow) << c.i;
        EXPECT_DOUBLE_EQ(v.getWirkdruckAt(c.i), c.wirkdruck) << c.i;
    }
    // Searched by flow, not by kv.
    EXPECT_EQ(v.getKvmin(), -1.0);
    EXPECT_EQ(v.getKvmax(), -1.0);
}

// Control and check valves: kv and temperature limits of the electronic
// throttle, the kv range of control valves, the flows per circuit of six-way
// control valves and the execution variants of check valves.

#include "kavex/valves/armaturregel.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "kavex/platform/treestore.h"
#include "kavex/valves/armatursechswege.h"
#include "valvetest.h"

using namespace nrvVDIArmaturen;
using valvetest::curveOf;

namespace {

scAusfuehrung variant(double kvs, int einbaulage, int feder) {
    scAusfuehrung v;
    v.kvs = kvs;
    v.einbaulage = einbaulage;
    v.schliessfeder = feder;
    return v;
}

}  // namespace

TEST(ElectronicThrottle, KvLimitsAreExclusiveTemperatureLimitsInclusive) {
    nrvArmaturElektroDross valve;
    valve.setKvmin(1.0);
    valve.setKvmax(4.0);
    valve.setMinRegelTemperatur(55.0);
    valve.setMaxRegelTemperatur(70.0);
    const std::pair<double, bool> kvs[] = {{0.5, false},  {1.0, false}, {1.001, true}, {2.5, true},
                                           {3.999, true}, {4.0, false}, {4.5, false}};
    for (const auto& [kv, inside] : kvs)
        EXPECT_EQ(valve.IsInKvRange(kv), inside) << kv;
    const std::pair<double, bool> temperatures[] = {
        {54.9, false}, {55.0, true}, {60.0, true}, {70.0, true}, {70.1, false}};
    for (const auto& [t, inside] : temperatures)
        EXPECT_EQ(valve.IsInTemperaturRange(t), inside) << t;
}

TEST(ControlValve, KvRangeFromTheCurveEndsOrTheKvs) {
    const struct {
        const char* name;
        std::vector<valvetest::Pt> kv;  // (setting, kv), most open first
        double kvs, kvmin, kvmax;
    } cases[] = {
        {"only kvs", {}, 2.5, 2.5, 2.5},
        {"neither", {}, 0.0, -1.0, -1.0},
        {"kvs too small", {}, 1e-6, -1.0, -1.0},
        {"curve wins over kvs", {{0, 3.2f}, {1, 1.5f}, {2, 0.4f}}, 2.5, 0.4f, 3.2f},
        {"rising curve", {{0, 0.5}, {1, 2.0}, {2, 6.25}}, 0.0, 0.5, 6.25},
        {"inner points not looked at", {{0, 1.0}, {1, 9.0}, {2, 2.0}}, 0.0, 1.0, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        nrvArmaturRegelventil valve;
        valve.setKvs(c.kvs);
        valve.addKurve(curveOf(c.kv));
        const nrvArmatur& base = valve;  // as the containers ask
        EXPECT_DOUBLE_EQ(base.getKvmax(), c.kvmax);
        EXPECT_DOUBLE_EQ(base.getKvmin(), c.kvmin);
    }
}

TEST(SixWayValve, FlowsPerCircuitKvRangeFromHeating) {
    nrvArmaturSechsWegeRegelarmatur v;
    v.addKurve(curveOf({{1, 2.0}, {2, 1.0}}));
    v.addKurveKühlen(curveOf({{1, 3.0}, {2, 1.5}, {3, 0.5}}));
    const struct {
        int i, j;
        double flow;
    } cases[] = {
        {0, 0, 2.0},  {1, 0, 1.0}, {2, 0, 0.0},  // heating: two points
        {1, 1, 1.5},  {2, 1, 0.5}, {3, 1, 0.0},  // cooling: three points
        {2, 7, 0.5},                             // any circuit but 0 is cooling
        {-1, 0, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(v.getFlowRateAt(c.i, c.j), c.flow) << c.i << "/" << c.j;
    EXPECT_DOUBLE_EQ(v.getFlowRateMax(0), 2.0);
    EXPECT_DOUBLE_EQ(v.getFlowRateMin(0), 1.0);
    EXPECT_DOUBLE_EQ(v.getFlowRateMax(1), 3.0);
    EXPECT_DOUBLE_EQ(v.getFlowRateMin(1), 0.5);
    EXPECT_DOUBLE_EQ(v.getKvmax(), 2.0);
    EXPECT_DOUBLE_EQ(v.getKvmin(), 1.0);

    const nrvArmaturSechsWegeRegelarmatur empty;
    EXPECT_EQ(empty.getFlowRateMax(1), 0.0);
    EXPECT_EQ(empty.getFlowRateMin(0), 0.0);
    EXPECT_EQ(empty.getKvmin(), -1.0);
    EXPECT_EQ(empty.getKvmax(), -1.0);
}

TEST(CheckValve, FindsTheFirstVariantSuitingPositionAndSpring) {
    const struct {
        int mounting;  // the valve's installation position
        scAusfuehrung v;
        int position;  // where it is to be built in
        bool spring, suits;
    } cases[] = {
        {1, variant(1.0, 1, 0), 2, false, true},  // any position
        {4, variant(1.0, 3, 1), 1, true, true},
        {1, variant(1.0, 0, 0), 1, false, false},   // code 0 never any position
        {1, variant(0.0, 1, 0), 1, false, false},   // no kvs
        {1, variant(1.0, -1, 0), 1, false, false},  // code not given
        {1, variant(1.0, 1, 1), 1, false, false},   // spring differs
        {2, variant(1.0, 0, 0), 1, false, true},    // horizontal only
        {2, variant(1.0, 0, 0), 2, false, false},
        {3, variant(1.0, 0, 0), 2, false, true},  // vertical only
        {3, variant(1.0, 0, 0), 3, false, true},
        {3, variant(1.0, 0, 0), 1, false, false},
        {0, variant(1.0, 1, 0), 1, false, false},
        {5, variant(1.0, 1, 0), 1, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.mounting << "/" << c.v.einbaulage << "/" << c.position);
        nrvArmaturRSV valve;
        valve.setEinbaulage(c.mounting);
        valve.addAusfuehrung(variant(2.0, 1, c.spring ? 0 : 1));  // never suits
        valve.addAusfuehrung(c.v);
        valve.addAusfuehrung(variant(3.0, 1, c.spring ? 1 : 0));  // suits any position 1..3
        const scAusfuehrung* found = valve.getAusfuehrung(c.position, c.spring);
        if (c.suits) {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(*found, c.v);
        } else if (found != nullptr) {
            EXPECT_EQ(found->kvs, 3.0) << "only the always suiting variant";
        }
    }
}

TEST(CheckValve, VariantByIndexIsStrictATornLastVariantIsDropped) {
    nrvArmaturRSV valve;
    EXPECT_THROW(valve.getAusfuehrungAt(0), std::invalid_argument);
    valve.addAusfuehrung(variant(1.0, 1, 1));
    valve.addAusfuehrung(variant(2.0, 2, 0));
    EXPECT_EQ(valve.getAusfuehrungAt(1).kvs, 2.0);
    EXPECT_THROW(valve.getAusfuehrungAt(-1), std::invalid_argument);
    EXPECT_THROW(valve.getAusfuehrungAt(2), std::invalid_argument);
    CNode node;
    valve.write(&node);
    CLeaf* y = node.FindLeaf("Y");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->NrOfValues(':'), 12u);
    std::string raw = y->GetRawText();
    y->SetRawText(raw.substr(0, raw.rfind(':')));  // the last value lost

    nrvArmaturRSV copy;
    ASSERT_TRUE(copy.read(&node));
    ASSERT_EQ(copy.getAusfuehrungCount(), 1);
    EXPECT_EQ(copy.getAusfuehrungAt(0), valve.getAusfuehrungAt(0));
}

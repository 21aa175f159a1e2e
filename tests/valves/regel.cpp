// Control and check valves: kv and temperature limits of the electronic
// throttle, the kv range of control valves, the execution variants of check
// valves, and what each class stores.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturregel.h"
#include "support/valves/valvefill.h"

using namespace nrvVDIArmaturen;

namespace {

std::string textOf(const CNode& node) {
    std::string text;
    node.WriteToString(text);
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------
// Electronic throttle

TEST(ElectronicThrottle, KvLimitsAreExclusive) {
    nrvArmaturElektroDross valve;
    valve.setKvmin(1.0);
    valve.setKvmax(4.0);
    EXPECT_EQ(valve.getKvmin(), 1.0);
    EXPECT_EQ(valve.getKvmax(), 4.0);

    const struct {
        double kv;
        bool inside;
    } cases[] = {{0.5, false},  {1.0, false}, {1.001, true}, {2.5, true},
                 {3.999, true}, {4.0, false}, {4.5, false}};
    for (const auto& c : cases)
        EXPECT_EQ(valve.IsInKvRange(c.kv), c.inside) << c.kv;
}

TEST(ElectronicThrottle, TemperatureLimitsAreInclusive) {
    nrvArmaturElektroDross valve;
    valve.setMinRegelTemperatur(55.0);
    valve.setMaxRegelTemperatur(70.0);
    const struct {
        double t;
        bool inside;
    } cases[] = {{54.9, false}, {55.0, true}, {60.0, true}, {70.0, true}, {70.1, false}};
    for (const auto& c : cases)
        EXPECT_EQ(valve.IsInTemperaturRange(c.t), c.inside) << c.t;
}

// ---------------------------------------------------------------------------
// Control valve

struct ControlCase {
    const char* name;
    std::vector<float> kv;  // kv of the settings, most open first
    double kvs;
    double kvmin;
    double kvmax;
};

class ControlValveRange : public ::testing::TestWithParam<ControlCase> {};

TEST_P(ControlValveRange, FromEndPointsOrKvs) {
    const ControlCase& c = GetParam();
    nrvArmaturRegelventil valve;
    valve.setKvs(c.kvs);
    CKurve curve;
    float setting = 0.0f;
    for (float kv : c.kv)
        curve.addCurveNode(setting++, "", kv);
    valve.addKurve(curve);
    EXPECT_DOUBLE_EQ(valve.getKvmax(), c.kvmax);
    EXPECT_DOUBLE_EQ(valve.getKvmin(), c.kvmin);
    // Through the base class, as the containers ask.
    const nrvArmatur& base = valve;
    EXPECT_DOUBLE_EQ(base.getKvmax(), c.kvmax);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, ControlValveRange,
    ::testing::Values(ControlCase{"OnlyKvs", {}, 2.5, 2.5, 2.5},
                      ControlCase{"NoKvsNoCurve", {}, 0.0, -1.0, -1.0},
                      ControlCase{"KvsTooSmall", {}, 1e-6, -1.0, -1.0},
                      ControlCase{"CurveWinsOverKvs", {3.2f, 1.5f, 0.4f}, 2.5, 0.4f, 3.2f},
                      ControlCase{"RisingCurve", {0.5f, 2.0f, 6.25f}, 0.0, 0.5, 6.25},
                      // Inner points are not looked at.
                      ControlCase{"InnerPeakIgnored", {1.0f, 9.0f, 2.0f}, 0.0, 1.0, 2.0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Check valve: execution variants

namespace {

scAusfuehrung variant(double kvs, int einbaulage, int feder) {
    scAusfuehrung v;
    v.kvs = kvs;
    v.einbaulage = einbaulage;
    v.schliessfeder = feder;
    return v;
}

}  // namespace

TEST(CheckValve, VariantByIndexIsStrict) {
    nrvArmaturRSV valve;
    EXPECT_THROW(valve.getAusfuehrungAt(0), std::invalid_argument);
    valve.addAusfuehrung(variant(1.5, 1, 0));
    valve.addAusfuehrung(variant(2.5, 2, 1));
    EXPECT_EQ(valve.getAusfuehrungCount(), 2);
    EXPECT_EQ(valve.getAusfuehrungAt(1).kvs, 2.5);
    EXPECT_THROW(valve.getAusfuehrungAt(-1), std::invalid_argument);
    EXPECT_THROW(valve.getAusfuehrungAt(2), std::invalid_argument);
}

struct PositionCase {
    int mounting;  // the valve's installation position
    scAusfuehrung v;
    int position;  // where it is to be built in
    bool spring;
    bool suits;
};

class CheckValvePosition : public ::testing::TestWithParam<PositionCase> {};

TEST_P(CheckValvePosition, FindsASuitableVariant) {
    const PositionCase& c = GetParam();
    nrvArmaturRSV valve;
    valve.setEinbaulage(c.mounting);
    valve.addAusfuehrung(c.v);
    const scAusfuehrung* found = valve.getAusfuehrung(c.position, c.spring);
    EXPECT_EQ(found != nullptr, c.suits);
    if (found != nullptr) {
        EXPECT_EQ(*found, c.v);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CheckValvePosition,
    ::testing::Values(PositionCase{1, variant(1.0, 1, 0), 2, false, true},  // any position
                      PositionCase{4, variant(1.0, 3, 1), 1, true, true},
                      PositionCase{1, variant(1.0, 0, 0), 1, false,
                                   false},  // code 0 never any position
                      PositionCase{1, variant(0.0, 1, 0), 1, false, false},   // no kvs
                      PositionCase{1, variant(1.0, -1, 0), 1, false, false},  // code not given
                      PositionCase{1, variant(1.0, 1, 1), 1, false, false},   // spring differs
                      PositionCase{2, variant(1.0, 0, 0), 1, false, true},    // horizontal only
                      PositionCase{2, variant(1.0, 0, 0), 2, false, false},
                      PositionCase{3, variant(1.0, 0, 0), 2, false, true},  // vertical only
                      PositionCase{3, variant(1.0, 0, 0), 3, false, true},
                      PositionCase{3, variant(1.0, 0, 0), 1, false, false},
                      PositionCase{0, variant(1.0, 1, 0), 1, false, false},
                      PositionCase{5, variant(1.0, 1, 0), 1, false, false}));

TEST(CheckValve, FirstSuitableVariantWins) {
    nrvArmaturRSV valve;
    valve.addAusfuehrung(variant(1.0, 1, 1));
    valve.addAusfuehrung(variant(2.0, 1, 0));
    valve.addAusfuehrung(variant(3.0, 1, 0));
    ASSERT_NE(valve.getAusfuehrung(1, false), nullptr);
    EXPECT_EQ(valve.getAusfuehrung(1, false)->kvs, 2.0);
    EXPECT_EQ(valve.getAusfuehrung(", "), "") << "the detail text stays reachable";
}

TEST(CheckValve, TornLastVariantIsDropped) {
    nrvArmaturRSV valve;
    valve.addAusfuehrung(variant(1.0, 1, 1));
    valve.addAusfuehrung(variant(2.0, 2, 0));
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

// ---------------------------------------------------------------------------
// Persistence

struct Layout {
    const char* name;
    std::function<std::unique_ptr<nrvArmatur>()> make;
    const char* node;
    std::vector<std::string> y;
    const char* curveKey;  // x key of the curve in the node, "" for none
};

std::vector<Layout> layouts() {
    return {
        {"ElectronicThrottle",
         [] {
             auto v = std::make_unique<nrvArmaturElektroDross>();
             v->setKvmin(0.5);
             v->setKvmax(4);
             v->setMinRegelTemperatur(55);
             v->setMaxRegelTemperatur(70);
             CKurve curve;
             curve.addCurveNode(1, "1", 0.25f);
             v->addKurve(curve);
             return v;
         },
         "ElektroDross",
         {"0.500000", "4.000000", "55.000000", "70.000000"},
         "VSE_F"},
        {"ControlValve",
         [] {
             auto v = std::make_unique<nrvArmaturRegelventil>();
             v->setDpmin(50);
             v->setDpmax(1500);
             v->setEinheitEinst("Umdr.");
             CKurve curve;
             curve.addCurveNode(1, "1", 2.5f);
             v->addKurve(curve);
             return v;
         },
         "Regelventil",
         {"50.000000", "1500.000000", "Umdr."},
         "KVE_F"},
        {"CheckValve",
         [] {
             auto v = std::make_unique<nrvArmaturRSV>();
             scAusfuehrung a = variant(4.5, 2, 1);
             a.oeffnungsdruck = 20;
             a.dpMax = 150;
             a.volumenstrom = 900;
             v->addAusfuehrung(a);
             return v;
         },
         "RSV",
         {"4.500000", "2", "1", "20.000000", "150.000000", "900.000000"},
         ""},
    };
}

class ControlLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(ControlLayout, WritesItsNodeAndReadsItBackOverOtherData) {
    const Layout& layout = GetParam();
    const std::unique_ptr<nrvArmatur> valve = layout.make();
    CNode node;
    ASSERT_TRUE(valve->write(&node));
    EXPECT_EQ(node.GetName(), layout.node);
    const CLeaf* y = node.FindLeaf("Y");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->GetValues(':'), layout.y);
    if (*layout.curveKey != '\0') {
        EXPECT_NE(node.FindLeaf(layout.curveKey), nullptr);
    }

    // Read over a valve of other data: nothing of that may remain.
    std::unique_ptr<nrvArmatur> copy = valve->clone();
    ASSERT_TRUE(copy);
    std::mt19937 rng(7);
    ASSERT_TRUE(kavextest::fillDrinkingWaterAndControlFamily(*copy, rng));
    ASSERT_TRUE(copy->read(&node));
    EXPECT_TRUE(copy->isEqual(*valve)) << textOf(node);
}

INSTANTIATE_TEST_SUITE_P(Classes, ControlLayout, ::testing::ValuesIn(layouts()),
                         [](const auto& info) { return std::string(info.param.name); });

// Drinking-water valves: flow and pressure of taps and safety devices, the
// outlet pressures of pressure reducers, the coded texts of water meters, and
// what each class stores.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "kavex/platform/translation.h"
#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturtw.h"
#include "support/valves/valvefill.h"

using namespace nrvVDIArmaturen;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

struct Point {
    float x;
    float y;
};

CKurve curveOf(const std::vector<Point>& points) {
    CKurve curve;
    for (const Point& p : points)
        curve.addCurveNode(p.x, "", p.y);
    return curve;
}

void expectValue(float actual, float expected) {
    if (std::isinf(expected)) {
        EXPECT_TRUE(std::isinf(actual)) << actual;
    } else {
        EXPECT_NEAR(actual, expected, 1e-3f);
    }
}

std::string textOf(const CNode& node) {
    std::string text;
    node.WriteToString(text);
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------
// Tap: flow curve x = flow pressure (mbar), y = flow (l/h)

struct TapCase {
    const char* name;
    std::vector<Point> curve;
    float dp;        // for getQ
    float q;         // expected getQ(dp)
    float flow;      // for getDp and getKv
    float pressure;  // expected getDp(flow)
    float kv;        // expected getKv(flow)
};

class TapFlow : public ::testing::TestWithParam<TapCase> {};

TEST_P(TapFlow, FlowPressureAndKv) {
    const TapCase& c = GetParam();
    nrvArmaturEA tap;
    tap.addKurve(curveOf(c.curve));
    expectValue(tap.getQ(c.dp), c.q);
    expectValue(tap.getDp(c.flow), c.pressure);
    expectValue(tap.getKv(c.flow), c.kv);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, TapFlow,
    ::testing::Values(
        // 1000 l/h at 1000 mbar is kv 1 (1 m³/h at 1 bar).
        TapCase{"OnePointKvOne", {{1000, 1000}}, 1000, 1000, 1000, 1000, 1.0f},
        // A single point is a straight line through the origin for the flow...
        TapCase{"OnePointThroughOrigin", {{1000, 1000}}, 250, 250, 1000, 1000, 1.0f},
        // ...but the pressure is known only at that point's flow.
        TapCase{"OnePointOtherFlow", {{1000, 1000}}, 0, 0, 500, kInf, 0.0f},
        TapCase{"FourTimesPressureDoublesFlow",
                {{4000, 2000}, {1000, 1000}, {250, 500}},
                2500,
                1500,
                2000,
                4000,
                1.0f},
        TapCase{"BetweenPoints",
                {{3000, 1800}, {1000, 1000}, {500, 600}},
                2000,
                1400,
                1400,
                2000,
                0.98995f},
        // Within 1e-5 of the largest flow still answers the first point.
        TapCase{"RoundingAboveLargestFlow",
                {{3000, 1.8f}, {1000, 1.0f}},
                3000,
                1.8f,
                1.800005f,
                3000,
                0.001039f},
        TapCase{"BeyondTheCurve", {{3000, 1800}, {1000, 1000}}, 4000, kInf, 2000, kInf, 0.0f},
        TapCase{"NoCurve", {}, 1000, 0, 1000, 0, 0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Tap, SmallestAndLargestFlowAreLastAndFirstPoint) {
    nrvArmaturEA tap;
    EXPECT_EQ(tap.getQmin(), 0.0f);
    EXPECT_EQ(tap.getQmax(), 0.0f);
    tap.addKurve(curveOf({{3000, 1800}, {1000, 1000}, {500, 600}}));
    EXPECT_EQ(tap.getQmin(), 600.0f);
    EXPECT_EQ(tap.getQmax(), 1800.0f);
}

// ---------------------------------------------------------------------------
// Safety device: flow curve x = pressure loss (mbar), y = flow

struct SafetyCase {
    const char* name;
    std::vector<Point> curve;
    float flow;
    float pressure;  // expected getDp(flow)
    float opening;   // expected getOefnDp()
};

class SafetyDevice : public ::testing::TestWithParam<SafetyCase> {};

TEST_P(SafetyDevice, PressureLossAndOpeningPressure) {
    const SafetyCase& c = GetParam();
    nrvArmaturSicherung device;
    device.addKurve(curveOf(c.curve));
    expectValue(device.getDp(c.flow), c.pressure);
    EXPECT_EQ(device.getOefnDp(), c.opening);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, SafetyDevice,
    ::testing::Values(
        SafetyCase{"ClosedAtTheEnd", {{800, 3000}, {400, 1000}, {200, 0}}, 2000, 600, 200},
        SafetyCase{"OpensAtTheLastPoint", {{800, 3000}, {400, 1000}, {200, 0}}, 0, 200, 200},
        SafetyCase{"StillFlowingAtTheEnd", {{800, 3000}, {200, 0.1f}}, 3000, 800, 0},
        // A single closed point is the opening pressure whatever the flow.
        SafetyCase{"OnePointWithoutFlow", {{200, 0}}, 50, 200, 200},
        SafetyCase{"OnePointThroughOrigin", {{400, 1000}}, 500, 200, 0},
        SafetyCase{"OnePointBeyondItsFlow", {{400, 1000}}, 2000, kInf, 0},
        SafetyCase{"BeyondTheCurve", {{800, 3000}, {200, 0}}, 4000, kInf, 200},
        SafetyCase{"NoCurve", {}, 1000, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SafetyDevice, FlowAtPressureAndFlowRange) {
    nrvArmaturSicherung device;
    EXPECT_EQ(device.getQ(100), 0.0f);
    device.addKurve(curveOf({{400, 1000}}));
    expectValue(device.getQ(100), 250);
    device.addKurve(curveOf({{800, 3000}, {400, 1000}, {200, 0}}));
    expectValue(device.getQ(600), 2000);
    expectValue(device.getQ(100), kInf);
    EXPECT_EQ(device.getQmax(), 3000.0f);
    EXPECT_EQ(device.getQmin(), 0.0f);
}

// ---------------------------------------------------------------------------
// Pressure reducer: settings with their outlet pressure (bar)

TEST(PressureReducer, OutletPressureBySettingIndexSkipsTheFirstSetting) {
    nrvArmaturDruckminderer reducer;
    CKurve settings;
    for (float bar : {6.0f, 5.0f, 4.5f, 3.0f})
        settings.addCurveNode(bar, "", bar);
    reducer.addKurve(settings);

    const struct {
        int index;
        double bar;
    } cases[] = {{-1, 0}, {0, 0}, {1, 5}, {2, 4.5}, {3, 3}, {4, 0}, {100, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(reducer.getdP_bar(c.index), c.bar) << c.index;
    EXPECT_EQ(reducer.getDpOutMax(), 6.0);
    EXPECT_EQ(reducer.getDpOutMin(), 3.0);
}

TEST(PressureReducer, WithoutSettingsHasNoRange) {
    nrvArmaturDruckminderer reducer;
    EXPECT_EQ(reducer.getDpOutMin(), -1.0);
    EXPECT_EQ(reducer.getDpOutMax(), -1.0);
    EXPECT_EQ(reducer.getdP_bar(0), 0.0);
    EXPECT_EQ(reducer.getdP_bar(1), 0.0);
}

// ---------------------------------------------------------------------------
// Water meter: coded values and their texts

struct MeterText {
    std::function<std::string(int)> text;
    int code;
    const char* key;  // empty: no text for this code
};

class MeterTexts : public ::testing::Test {
protected:
    void TearDown() override { CTranslationManager::GetInstance().DefaultModule().ClearTable(); }

    static std::vector<MeterText> table() {
        const auto bereich = [](int c) { return nrvArmaturZaehler::getEinsatzbereichText(c); };
        const auto lage = [](int c) { return nrvArmaturZaehler::getEinbaulageText(c); };
        const auto typ = [](int c) { return nrvArmaturZaehler::getGerätetypText(c); };
        const auto gehaeuse = [](int c) { return nrvArmaturZaehler::getGehäuseartText(c); };
        return {
            {bereich, 1, "Kaltwasser"},
            {bereich, 2, "Warmwasser"},
            {bereich, 0, ""},
            {bereich, 3, ""},
            {bereich, 999, ""},
            {lage, 1, "@Zähler Einbaulage@beliebig"},
            {lage, 2, "@Zähler Einbaulage@waagerecht"},
            {lage, 3, "@Zähler Einbaulage@senkrecht"},
            {lage, 4, "@Zähler Einbaulage@Fallrohr"},
            {lage, 5, "@Zähler Einbaulage@Steigrohr"},
            {lage, 6, "@Zähler Einbaulage@schräg"},
            {lage, 7, "@Zähler Einbaulage@waagerecht oder senkrecht"},
            {lage, 999, "sonstige"},
            {lage, 0, ""},
            {lage, 8, ""},
            {lage, -1, ""},
            {typ, 1, "@Zähler Gerätetyp@Komplett"},
            {typ, 2, "@Zähler Gerätetyp@Split"},
            {typ, 999, "Sonstige"},
            {typ, 3, ""},
            {typ, 0, ""},
            {gehaeuse, 1, "@Zähler Gehäuseart@frei verlegt"},
            {gehaeuse, 2, "@Zähler Gehäuseart@Wandeinbau (unter Putz)"},
            {gehaeuse, 3, ""},
            {gehaeuse, 999, ""},
        };
    }
};

TEST_F(MeterTexts, TextsGoThroughTheTranslationWithTheirContext) {
    CTranslationModule& module = CTranslationManager::GetInstance().DefaultModule();
    for (const MeterText& row : table()) {
        if (*row.key != '\0') module.AddTranslation(row.key, std::string("<") + row.key + ">");
    }
    for (const MeterText& row : table()) {
        const std::string expected = *row.key ? std::string("<") + row.key + ">" : "";
        EXPECT_EQ(row.text(row.code), expected) << row.code << " " << row.key;
    }
}

TEST_F(MeterTexts, MemberFormsUseTheMetersOwnCodes) {
    nrvArmaturZaehler meter;
    meter.setEinsatzbereich(2);
    meter.setZaehlerEinbaulage(999);
    meter.setGeraetetyp(2);
    meter.setGehaeuseart(1);
    meter.setEinbaulage(3);  // the common installation position is another field
    EXPECT_EQ(meter.getEinsatzbereichText(), "Warmwasser");
    EXPECT_EQ(meter.getEinbaulageText(), "sonstige");
    EXPECT_EQ(meter.getGerätetypText(), "Split");
    EXPECT_EQ(meter.getGehäuseartText(), "frei verlegt");
    EXPECT_EQ(nrvArmaturZaehler::getEinbaulageText(6), "schräg");
    EXPECT_EQ(nrvArmaturZaehler::getGehäuseartText(2), "Wandeinbau (unter Putz)");
}

// ---------------------------------------------------------------------------
// Persistence: node name, "Y" leaf layout, curve place, and round trips

struct Layout {
    const char* name;
    std::function<std::unique_ptr<nrvArmatur>()> make;  // a valve with known values
    const char* node;
    std::vector<std::string> y;
    const char* curveChild;  // child holding the curve, "" for the node itself
    const char* curveKey;    // x key of the curve, "" for none
};

std::vector<Layout> layouts() {
    return {
        {"Tap",
         [] {
             auto v = std::make_unique<nrvArmaturEA>();
             v->setRFV(true);
             v->setEinzelentnahme(true);
             v->setDesignDurchflussKalt(540);
             v->setDesignDurchflussWarm(360);
             v->setMindestfliessdruckKalt(1000);
             v->setMindestfliessdruckWarm(1500);
             v->setEinheit("l/h");
             v->addKurve(curveOf({{1000, 1000}}));
             return v;
         },
         "EA",
         {"1", "0", "1", "540.000000", "360.000000", "1000.000000", "1500.000000", "l/h"},
         "EK",
         "X1"},
        {"SafetyDevice",
         [] {
             auto v = std::make_unique<nrvArmaturSicherung>();
             v->setNenndurchfluss(2500);
             v->setMaxDurchfluss(3000);
             v->setDruckgrenze(1500);
             v->setOeffnungsdruckWaagerecht(20);
             v->setOeffnungsdruckSteigend(25);
             v->setOeffnungsdruckFallend(15);
             v->setEinheit("kg/h");
             v->setSchliessfeder(true);
             v->addKurve(curveOf({{800, 3000}, {200, 0}}));
             return v;
         },
         "Sicherung",
         {"2500.000000", "3000.000000", "1500.000000", "20.000000", "25.000000", "15.000000",
          "kg/h", "1"},
         "EK",
         "X1"},
        {"PressureReducer",
         [] {
             auto v = std::make_unique<nrvArmaturDruckminderer>();
             v->setEinheitEinst("bar");
             v->addKurve(curveOf({{6, 6}, {3, 3}}));
             return v;
         },
         "Druckminderer",
         {"bar"},
         "AD",
         "X1"},
        {"Meter",
         [] {
             auto v = std::make_unique<nrvArmaturZaehler>();
             v->setQn(2.5);
             v->setQmin(0.05);
             v->setQmax(5);
             v->setDpBeiQn(250);
             v->setTrenngrenze(0.08);
             v->setAnlaufwert(0.01);
             v->setMessprinzip("Flügelrad");
             v->setEinsatzbereich(1);
             v->setZaehlerEinbaulage(7);
             v->setGeraetetyp(999);
             v->setGehaeuseart(2);
             v->setMetrologischeKlassen("R100-H");
             v->setAnzeigebereichVon(0);
             v->setAnzeigebereichBis(99999);
             v->setBaulaenge(110);
             v->setAnschlussText("G 3/4");
             return v;
         },
         "Zaehler",
         {"2.500000", "0.050000", "5.000000", "250.000000", "0.080000", "0.010000", "Flügelrad",
          "1", "7", "999", "2", "R100-H", "0.000000", "99999.000000", "110.000000", "G 3/4"},
         "",
         ""},
        {"RingMain",
         [] {
             auto v = std::make_unique<nrvArmaturVenturi>();
             v->setDpmin(10);
             v->setDpmax(200);
             v->setVPunktmin(0.2);
             v->setVPunktmax(1.5);
             v->addKurve(curveOf({{1, 0.5}, {2, 1.5}}));
             return v;
         },
         "Venturi",
         {"0.000000", "10.000000", "200.000000", "0.200000", "1.500000"},
         "",
         "VSE_F"},
    };
}

class DrinkingWaterLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(DrinkingWaterLayout, WritesItsNodeAndReadsItBackOverOtherData) {
    const Layout& layout = GetParam();
    const std::unique_ptr<nrvArmatur> valve = layout.make();
    CNode node;
    ASSERT_TRUE(valve->write(&node));
    EXPECT_EQ(node.GetName(), layout.node);

    const CLeaf* y = node.FindLeaf("Y");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->GetValues(':'), layout.y);
    EXPECT_EQ(node.FindLeaf("X") != nullptr, true) << "the common leaves come first";

    if (*layout.curveKey != '\0') {
        const CNode* holder = *layout.curveChild ? node.FindChild(layout.curveChild) : &node;
        ASSERT_NE(holder, nullptr) << layout.curveChild;
        EXPECT_NE(holder->FindLeaf(layout.curveKey), nullptr) << layout.curveKey;
    }

    // Read over a valve of other data: nothing of that may remain.
    std::unique_ptr<nrvArmatur> copy = valve->clone();
    ASSERT_TRUE(copy);
    std::mt19937 rng(7);
    ASSERT_TRUE(kavextest::fillDrinkingWaterAndControlFamily(*copy, rng));
    ASSERT_TRUE(copy->read(&node));
    EXPECT_TRUE(copy->isEqual(*valve)) << textOf(node);
}

INSTANTIATE_TEST_SUITE_P(Classes, DrinkingWaterLayout, ::testing::ValuesIn(layouts()),
                         [](const auto& info) { return std::string(info.param.name); });

// Drinking-water valves: flow and pressure of taps and safety devices, the
// outlet pressures of pressure reducers and the coded texts of water meters.

#include "kavex/valves/armaturtw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "kavex/platform/translation.h"
#include "valvetest.h"

using namespace nrvVDIArmaturen;
using valvetest::curveOf;
using Points = std::vector<valvetest::Pt>;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

void expectValue(float actual, float expected) {
    if (std::isinf(expected)) {
        EXPECT_TRUE(std::isinf(actual)) << actual;
    } else {
        EXPECT_NEAR(actual, expected, 1e-3f);
    }
}

}  // namespace

// Flow curve x = flow pressure (mbar), y = flow (l/h).
TEST(Tap, FlowPressureAndKvHandComputed) {
    const Points one{{1000, 1000}};
    const struct {
        const char* name;
        Points curve;
        float dp, q;               // getQ(dp) = q
        float flow, pressure, kv;  // getDp(flow) = pressure, getKv(flow) = kv
    } cases[] = {
        // 1000 l/h at 1000 mbar is kv 1 (1 m³/h at 1 bar).
        {"one point, kv 1", one, 1000, 1000, 1000, 1000, 1.0f},
        // A single point is a straight line through the origin for the flow...
        {"one point, through origin", one, 250, 250, 1000, 1000, 1.0f},
        // ...but the pressure is known only at that point's flow.
        {"one point, other flow", one, 0, 0, 500, kInf, 0.0f},
        {"four times", {{4000, 2000}, {1000, 1000}, {250, 500}}, 2500, 1500, 2000, 4000, 1.0f},
        {"between", {{3000, 1800}, {1000, 1000}, {500, 600}}, 2000, 1400, 1400, 2000, 0.98995f},
        // Within 1e-5 of the largest flow still answers the first point.
        {"rounding", {{3000, 1.8f}, {1000, 1.0f}}, 3000, 1.8f, 1.800005f, 3000, 0.001039f},
        {"beyond the curve", {{3000, 1800}, {1000, 1000}}, 4000, kInf, 2000, kInf, 0.0f},
        {"no curve", {}, 1000, 0, 1000, 0, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        nrvArmaturEA tap;
        tap.addKurve(curveOf(c.curve));
        expectValue(tap.getQ(c.dp), c.q);
        expectValue(tap.getDp(c.flow), c.pressure);
        expectValue(tap.getKv(c.flow), c.kv);
        // Smallest and largest flow are those of the last and the first point.
        EXPECT_EQ(tap.getQmin(), c.curve.empty() ? 0.0f : c.curve.back().y);
        EXPECT_EQ(tap.getQmax(), c.curve.empty() ? 0.0f : c.curve.front().y);
    }
}

// Flow curve x = pressure loss (mbar), y = flow.
TEST(SafetyDevice, PressureLossFlowAndOpeningPressure) {
    const struct {
        const char* name;
        Points curve;
        float flow, pressure;  // getDp(flow) = pressure
        float dp, q;           // getQ(dp) = q
        float opening;         // getOefnDp()
    } cases[] = {
        {"closed at the end", {{800, 3000}, {400, 1000}, {200, 0}}, 2000, 600, 600, 2000, 200},
        {"opens at the last point", {{800, 3000}, {400, 1000}, {200, 0}}, 0, 200, 100, kInf, 200},
        {"still flowing at the end", {{800, 3000}, {200, 0.1f}}, 3000, 800, 800, 3000, 0},
        // A single closed point is the opening pressure whatever the flow.
        {"one point without flow", {{200, 0}}, 50, 200, 200, 0, 200},
        {"one point through origin", {{400, 1000}}, 500, 200, 100, 250, 0},
        {"one point beyond its flow", {{400, 1000}}, 2000, kInf, 400, 1000, 0},
        {"beyond the curve", {{800, 3000}, {200, 0}}, 4000, kInf, 800, 3000, 200},
        {"no curve", {}, 1000, 0, 100, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        nrvArmaturSicherung device;
        device.addKurve(curveOf(c.curve));
        expectValue(device.getDp(c.flow), c.pressure);
        expectValue(device.getQ(c.dp), c.q);
        EXPECT_EQ(device.getOefnDp(), c.opening);
        EXPECT_EQ(device.getQmax(), c.curve.empty() ? 0.0f : c.curve.front().y);
    }
}

TEST(PressureReducer, OutletPressureBySettingIndexSkipsTheFirstSetting) {
    nrvArmaturDruckminderer reducer;
    EXPECT_EQ(reducer.getDpOutMin(), -1.0);
    EXPECT_EQ(reducer.getDpOutMax(), -1.0);
    EXPECT_EQ(reducer.getdP_bar(1), 0.0);

    reducer.addKurve(curveOf({{6, 6}, {5, 5}, {4.5f, 4.5f}, {3, 3}}));
    const std::pair<int, double> cases[] = {{-1, 0}, {0, 0}, {1, 5},  {2, 4.5},
                                            {3, 3},  {4, 0}, {100, 0}};
    for (const auto& [index, bar] : cases)
        EXPECT_EQ(reducer.getdP_bar(index), bar) << index;
    EXPECT_EQ(reducer.getDpOutMax(), 6.0);
    EXPECT_EQ(reducer.getDpOutMin(), 3.0);
}

// The coded values of a water meter name their text by a translation key with
// its context; unknown codes have none.
TEST(MeterTexts, CodesGoThroughTheTranslationWithTheirContext) {
    using Text = std::string (*)(int);
    const struct {
        Text text;
        int code;
        const char* key;  // empty: no text for this code
    } cases[] = {
        {nrvArmaturZaehler::getEinsatzbereichText, 1, "Kaltwasser"},
        {nrvArmaturZaehler::getEinsatzbereichText, 2, "Warmwasser"},
        {nrvArmaturZaehler::getEinsatzbereichText, 0, ""},
        {nrvArmaturZaehler::getEinsatzbereichText, 3, ""},
        {nrvArmaturZaehler::getEinbaulageText, 1, "@Zähler Einbaulage@beliebig"},
        {nrvArmaturZaehler::getEinbaulageText, 2, "@Zähler Einbaulage@waagerecht"},
        {nrvArmaturZaehler::getEinbaulageText, 3, "@Zähler Einbaulage@senkrecht"},
        {nrvArmaturZaehler::getEinbaulageText, 4, "@Zähler Einbaulage@Fallrohr"},
        {nrvArmaturZaehler::getEinbaulageText, 5, "@Zähler Einbaulage@Steigrohr"},
        {nrvArmaturZaehler::getEinbaulageText, 6, "@Zähler Einbaulage@schräg"},
        {nrvArmaturZaehler::getEinbaulageText, 7, "@Zähler Einbaulage@waagerecht oder senkrecht"},
        {nrvArmaturZaehler::getEinbaulageText, 999, "sonstige"},
        {nrvArmaturZaehler::getEinbaulageText, 0, ""},
        {nrvArmaturZaehler::getEinbaulageText, 8, ""},
        {nrvArmaturZaehler::getGerätetypText, 1, "@Zähler Gerätetyp@Komplett"},
        {nrvArmaturZaehler::getGerätetypText, 2, "@Zähler Gerätetyp@Split"},
        {nrvArmaturZaehler::getGerätetypText, 999, "Sonstige"},
        {nrvArmaturZaehler::getGerätetypText, 3, ""},
        {nrvArmaturZaehler::getGehäuseartText, 1, "@Zähler Gehäuseart@frei verlegt"},
        {nrvArmaturZaehler::getGehäuseartText, 2, "@Zähler Gehäuseart@Wandeinbau (unter Putz)"},
        {nrvArmaturZaehler::getGehäuseartText, 999, ""},
    };
    // Without table the text behind the context; with one, the translation.
    CTranslationModule& module = CTranslationManager::GetInstance().DefaultModule();
    for (const auto& c : cases) {
        const std::string key = c.key;
        EXPECT_EQ(c.text(c.code), key.substr(key.rfind('@') + 1)) << c.code << " " << key;
        if (!key.empty()) module.AddTranslation(key, "<" + key + ">");
    }
    for (const auto& c : cases) {
        EXPECT_EQ(c.text(c.code), *c.key ? std::string("<") + c.key + ">" : "") << c.code;
    }
    module.ClearTable();

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
}

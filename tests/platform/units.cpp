// Unit conversion and the shown/entered values of a unit setting.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "kavex/platform/units.h"

namespace {

struct Conversion {
    double value;
    enUnit from, to;
    double expected;
};

void expectClose(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-12 * std::max(1.0, std::fabs(expected))) << what;
}

TEST(UnitTrans, MatchesIndependentFactors) {
    const Conversion cases[] = {
        {1, enUnitPressure_bar, enUnitPressure_Pa, 100000},
        {1, enUnitPressure_bar, enUnitPressure_mbar, 1000},
        {1000, enUnitPressure_mbar, enUnitPressure_bar, 1},
        {1, enUnitPressure_mbar, enUnitPressure_Pa, 100},
        {1, enUnitPressure_hPa, enUnitPressure_mbar, 1},
        {1, enUnitPressure_kPa, enUnitPressure_Pa, 1000},
        {1, enUnitPressure_mWS, enUnitPressure_Pa, 9806.65},
        {9806.65, enUnitPressure_Pa, enUnitPressure_mWS, 1},
        {2, enUnitHead_m, enUnitPressure_Pa, 19613.3},
        {1, enUnitFlow_m3h, enUnitFlow_lh, 1000},
        {1, enUnitFlow_m3h, enUnitFlow_ls, 1 / 3.6},
        {3.6, enUnitFlow_m3h, enUnitFlow_ls, 1},
        {1, enUnitFlow_ls, enUnitFlow_lh, 3600},
        {1, enUnitFlow_m3s, enUnitFlow_m3h, 3600},
        {1500, enUnitFlow_lh, enUnitFlow_m3s, 1500 * 2.7777777777777777e-7},
        {20, enUnitTemperature_C, enUnitTemperature_K, 293.15},
        {293.15, enUnitTemperature_K, enUnitTemperature_C, 20},
        {-273.15, enUnitTemperature_C, enUnitTemperature_K, 0},
        {1500, enUnitLength_mm, enUnitLength_m, 1.5},
        {3600, enUnitMassFlow_kgh, enUnitMassFlow_kgs, 1},
        // the codes hosts pass as numbers: m³/h -> l/s and Pa -> mbar
        {1, enUnit(16001), enUnit(16003), 1 / 3.6},
        {100, enUnit(19006), enUnit(19001), 1},
    };
    for (const Conversion& c : cases) {
        bool ok = false;
        expectClose(nrvUnits::unitTrans(c.value, c.from, c.to, &ok), c.expected,
                    std::to_string(c.from) + "->" + std::to_string(c.to));
        EXPECT_TRUE(ok);
    }
}

TEST(UnitTrans, ExactForTheEverydayPairs) {
    EXPECT_EQ(nrvUnits::unitTrans(1.0, enUnitFlow_m3h, enUnitFlow_lh), 1000.0);
    EXPECT_EQ(nrvUnits::unitTrans(1.0, enUnitPressure_bar, enUnitPressure_mbar), 1000.0);
    EXPECT_EQ(nrvUnits::unitTrans(250.0, enUnitPressure_Pa, enUnitPressure_mbar), 2.5);
}

TEST(UnitTrans, EveryPairOfAQuantityRoundTrips) {
    const std::vector<std::vector<enUnit>> quantities = {
        {enUnitFlow_m3h, enUnitFlow_lh, enUnitFlow_ls, enUnitFlow_m3s},
        {enUnitPressure_mbar, enUnitPressure_hPa, enUnitPressure_kPa, enUnitPressure_bar,
         enUnitPressure_mWS, enUnitPressure_Pa, enUnitHead_m},
        {enUnitTemperature_C, enUnitTemperature_K},
        {enUnitLength_m, enUnitLength_mm},
    };
    for (const auto& units : quantities) {
        for (enUnit a : units) {
            for (enUnit b : units) {
                for (double v : {-12.5, 0.0, 0.001, 3.75, 86400.0}) {
                    double there = nrvUnits::unitTrans(v, a, b);
                    expectClose(nrvUnits::unitTrans(there, b, a), v,
                                std::to_string(a) + "<->" + std::to_string(b));
                }
            }
        }
    }
}

TEST(UnitTrans, RefusesToMixQuantities) {
    const std::pair<enUnit, enUnit> cases[] = {
        {enUnitFlow_m3h, enUnitPressure_Pa},
        {enUnitKv_m3h, enUnitFlow_m3h},  // same label, different quantity
        {enUnitLength_m, enUnitHead_m},
        {enUnit(12345), enUnitPressure_Pa},
        {enUnitNone, enUnitPressure_Pa},
    };
    for (auto [from, to] : cases) {
        bool ok = true;
        EXPECT_EQ(nrvUnits::unitTrans(5.0, from, to, &ok), 5.0);
        EXPECT_FALSE(ok) << from << "->" << to;
    }
    bool ok = false;
    EXPECT_EQ(nrvUnits::unitTrans(5.0, enUnit(12345), enUnit(12345), &ok), 5.0);
    EXPECT_TRUE(ok);
}

nrvUnitSetting pressureInMbar(enUnitFormat format = enUnitFormatFixed,
                              enUnitPrec prec = enUnitPrec2) {
    return nrvUnitSetting("Druckdifferenz", "dp", enUnitPressure_Pa, enUnitPressure_mbar, format,
                          prec);
}

TEST(UnitSetting, ShowsBaseValuesInTheTargetUnit) {
    struct Case {
        double base;
        nrvUnitSetting setting;
        const char* text;
        const char* labeled;
    };
    const Case cases[] = {
        {1234.5, pressureInMbar(), "12.35", "12.35 mbar"},
        {1234.5, pressureInMbar(enUnitFormatFixedTrim, enUnitPrec3), "12.345", "12.345 mbar"},
        {100, pressureInMbar(enUnitFormatFixedTrim, enUnitPrec3), "1", "1 mbar"},
        {123456, pressureInMbar(enUnitFormatGeneral, enUnitPrec3), "1.23e+03", "1.23e+03 mbar"},
        {123456, pressureInMbar(enUnitFormatScientific, enUnitPrec1), "1.2e+03", "1.2e+03 mbar"},
        {-0.001, pressureInMbar(), "0.00", "0.00 mbar"},
        {-250, pressureInMbar(enUnitFormatFixed, enUnitPrec0), "-2", "-2 mbar"},
        {1.5,
         nrvUnitSetting("Volumenstrom", "V", enUnitFlow_m3h, enUnitFlow_lh, enUnitFormatFixed,
                        enUnitPrec1),
         "1500.0", "1500.0 l/h"},
        {0.001,
         nrvUnitSetting("Förderstrom", "Q", enUnitFlow_m3s, enUnitFlow_m3h, enUnitFormatFixed,
                        enUnitPrec2),
         "3.60", "3.60 m\u00B3/h"},
        {19613.3,
         nrvUnitSetting("Förderhöhe", "H", enUnitPressure_Pa, enUnitHead_m, enUnitFormatFixed,
                        enUnitPrec2),
         "2.00", "2.00 m"},
        {70,
         nrvUnitSetting("Temperatur", "t", enUnitTemperature_C, enUnitTemperature_K,
                        enUnitFormatFixedTrim, enUnitPrec2),
         "343.15", "343.15 K"},
        {5, nrvUnitSetting("ohne Einheit", "", enUnitNone, enUnitNone), "5.00", "5.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nrvUnits::base2TargetString(c.base, c.setting), c.text) << c.setting.getName();
        EXPECT_EQ(nrvUnits::base2TargetStringLabeled(c.base, c.setting), c.labeled);
    }
    EXPECT_DOUBLE_EQ(nrvUnits::base2TargetVal(1234.5, pressureInMbar()), 12.345);
}

struct ParseCase {
    const char* text;
    bool ok;
    double base;
};

void checkParse(const ParseCase* begin, const ParseCase* end, const nrvUnitSetting& setting,
                bool labeled) {
    for (const ParseCase* c = begin; c != end; ++c) {
        double base = -999.0;
        bool ok = labeled ? nrvUnits::targetStringLabeled2Base(base, c->text, setting)
                          : nrvUnits::targetString2Base(base, c->text, setting);
        EXPECT_EQ(ok, c->ok) << '"' << c->text << '"';
        expectClose(base, c->ok ? c->base : -999.0, c->text);  // unchanged on failure
    }
}

TEST(UnitSetting, ReadsEnteredNumbersBack) {
    const ParseCase cases[] = {
        {"12.5", true, 1250},    {"12,5", true, 1250},
        {" 12.5\t", true, 1250}, {"\u00A012\u00A0", true, 1200},
        {"-3", true, -300},      {"+3", true, 300},
        {"1e3", true, 100000},   {"1.000,5", false, 0},
        {"1,000,5", false, 0},   {"1 000", false, 0},
        {"abc", false, 0},       {"", false, 0},
        {"12.5 mbar", false, 0}, {"inf", false, 0},
        {"nan", false, 0},       {"12..5", false, 0},
    };
    checkParse(std::begin(cases), std::end(cases), pressureInMbar(), false);
}

TEST(UnitSetting, ReadsLabeledNumbersInAnyUnitOfTheQuantity) {
    const ParseCase pressure[] = {
        {"12.5 mbar", true, 1250}, {"12,5mbar", true, 1250},   {"12.5", true, 1250},
        {"1 bar", true, 100000},   {"1 Millibar", true, 100},  {"2 mWs", true, 19613.3},
        {"2 mWS", true, 19613.3},  {"3 kPa", true, 3000},      {"3 hPa", true, 300},
        {"7 Pa", true, 7},         {"5 m3/h", false, 0},       {"5 xyz", false, 0},
        {"mbar", false, 0},        {"12 mbar mbar", false, 0}, {"bar 12", false, 0},
    };
    checkParse(std::begin(pressure), std::end(pressure), pressureInMbar(), true);

    nrvUnitSetting flow("Volumenstrom", "V", enUnitFlow_m3h, enUnitFlow_ls);
    const ParseCase flows[] = {
        {"1 l/s", true, 3.6},     {"1", true, 3.6},       {"2 m3/h", true, 2},
        {"2 m\u00B3/h", true, 2}, {"500 l/h", true, 0.5}, {"1 kg/h", false, 0},
    };
    checkParse(std::begin(flows), std::end(flows), flow, true);
}

TEST(UnitSetting, ValidatorAndParserTakePart) {
    nrvUnitSetting setting = pressureInMbar();
    setting.setValidator([](double pa) { return pa >= 0.0 && pa <= 1e6; });
    const ParseCase checked[] = {
        {"5", true, 500},
        {"-1", false, 0},
        {"10001", false, 0},
        {"10 bar", true, 1e6},
    };
    checkParse(std::begin(checked), std::end(checked), setting, true);

    setting.setParser([](std::string_view text, double& v) {
        if (text != "halb") return false;
        v = 0.5;
        return true;
    });
    const ParseCase parsed[] = {{"halb", true, 50}, {"halb bar", true, 50000}, {"0.5", false, 0}};
    checkParse(std::begin(parsed), std::end(parsed), setting, true);
}

TEST(UnitSetting, TargetOnlySwitchesWithinTheQuantity) {
    nrvUnitSetting setting = pressureInMbar();
    EXPECT_TRUE(setting.setTargetUnit(enUnitPressure_bar));
    EXPECT_EQ(nrvUnits::base2TargetStringLabeled(250000, setting), "2.50 bar");
    EXPECT_FALSE(setting.setTargetUnit(enUnitFlow_lh));
    EXPECT_EQ(setting.getTargetUnit(), enUnitPressure_bar);
}

TEST(UnitLabels, EveryCodeHasItsLabel) {
    const std::pair<enUnit, const char*> cases[] = {
        {enUnitFlow_m3h, "m\u00B3/h"},
        {enUnitFlow_lh, "l/h"},
        {enUnitFlow_ls, "l/s"},
        {enUnitFlow_m3s, "m\u00B3/s"},
        {enUnitPressure_mbar, "mbar"},
        {enUnitPressure_hPa, "hPa"},
        {enUnitPressure_kPa, "kPa"},
        {enUnitPressure_bar, "bar"},
        {enUnitPressure_mWS, "mWS"},
        {enUnitPressure_Pa, "Pa"},
        {enUnitHead_m, "m"},
        {enUnitTemperature_C, "\u00B0C"},
        {enUnitTemperature_K, "K"},
        {enUnitKv_m3h, "m\u00B3/h"},
        {enUnitLength_m, "m"},
        {enUnitLength_mm, "mm"},
        {enUnitDensity_kgm3, "kg/m\u00B3"},
        {enUnitMassFlow_kgh, "kg/h"},
        {enUnitNone, ""},
        {enUnit(4711), ""},
    };
    for (auto [unit, label] : cases)
        EXPECT_EQ(nrvUnits::getUnitLabel(unit), label) << unit;

    enUnit found = enUnitNone;
    EXPECT_TRUE(nrvUnits::unitFromLabel("m3/h", enUnitKv_m3h, found));
    EXPECT_EQ(found, enUnitKv_m3h);
    EXPECT_TRUE(nrvUnits::unitFromLabel("m", enUnitLength_mm, found));
    EXPECT_EQ(found, enUnitLength_m);
    EXPECT_FALSE(nrvUnits::unitFromLabel("l/s", enUnitPressure_Pa, found));
}

}  // namespace

// Unit conversion and the shown/entered values of a unit setting.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "kavex/platform/units.h"

namespace {

void expectClose(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-12 * std::max(1.0, std::fabs(expected))) << what;
}

TEST(UnitTrans, MatchesIndependentFactorsAndRefusesToMixQuantities) {
    // clang-format off
    const std::tuple<double, enUnit, enUnit, double> cases[] = {
        {1, enUnitPressure_bar, enUnitPressure_Pa, 100000}, {1000, enUnitPressure_mbar, enUnitPressure_bar, 1},
        {1, enUnitPressure_mbar, enUnitPressure_Pa, 100},   {1, enUnitPressure_hPa, enUnitPressure_mbar, 1},
        {1, enUnitPressure_kPa, enUnitPressure_Pa, 1000},   {1, enUnitPressure_mWS, enUnitPressure_Pa, 9806.65},
        {9806.65, enUnitPressure_Pa, enUnitPressure_mWS, 1}, {2, enUnitHead_m, enUnitPressure_Pa, 19613.3},
        {3.6, enUnitFlow_m3h, enUnitFlow_ls, 1},            {1, enUnitFlow_ls, enUnitFlow_lh, 3600},
        {1, enUnitFlow_m3s, enUnitFlow_m3h, 3600},  {1500, enUnitFlow_lh, enUnitFlow_m3s, 1500 * 2.7777777777777777e-7},
        {20, enUnitTemperature_C, enUnitTemperature_K, 293.15}, {293.15, enUnitTemperature_K, enUnitTemperature_C, 20},
        {-273.15, enUnitTemperature_C, enUnitTemperature_K, 0}, {1500, enUnitLength_mm, enUnitLength_m, 1.5},
        {3600, enUnitMassFlow_kgh, enUnitMassFlow_kgs, 1},
        // the codes hosts pass as numbers: m³/h -> l/s and Pa -> mbar
        {1, enUnit(16001), enUnit(16003), 1 / 3.6},         {100, enUnit(19006), enUnit(19001), 1}};
    // clang-format on
    for (auto [value, from, to, expected] : cases) {
        bool ok = false;
        expectClose(nrvUnits::unitTrans(value, from, to, &ok), expected,
                    std::to_string(from) + "->" + std::to_string(to));
        EXPECT_TRUE(ok);
    }
    // The everyday pairs are exact.
    EXPECT_EQ(nrvUnits::unitTrans(1.0, enUnitFlow_m3h, enUnitFlow_lh), 1000.0);
    EXPECT_EQ(nrvUnits::unitTrans(1.0, enUnitPressure_bar, enUnitPressure_mbar), 1000.0);
    EXPECT_EQ(nrvUnits::unitTrans(250.0, enUnitPressure_Pa, enUnitPressure_mbar), 2.5);

    // kv and flow share a label, length and head a unit sign: still no conversion.
    // clang-format off
    const std::pair<enUnit, enUnit> mixed[] = {
        {enUnitFlow_m3h, enUnitPressure_Pa}, {enUnitKv_m3h, enUnitFlow_m3h}, {enUnitLength_m, enUnitHead_m},
        {enUnit(12345), enUnitPressure_Pa}, {enUnitNone, enUnitPressure_Pa}};
    // clang-format on
    for (auto [from, to] : mixed) {
        bool ok = true;
        EXPECT_EQ(nrvUnits::unitTrans(5.0, from, to, &ok), 5.0);
        EXPECT_FALSE(ok) << from << "->" << to;
    }
}

nrvUnitSetting mbar(enUnitFormat format = enUnitFormatFixed, enUnitPrec prec = enUnitPrec2) {
    return nrvUnitSetting("Druckdifferenz", "dp", enUnitPressure_Pa, enUnitPressure_mbar, format,
                          prec);
}

TEST(UnitSetting, ShowsBaseValuesInTheTargetUnit) {
    const auto trim = enUnitFormatFixedTrim;
    // clang-format off
    const std::tuple<double, nrvUnitSetting, const char*> cases[] = {
        {1234.5, mbar(), "12.35 mbar"},           {1234.5, mbar(trim, enUnitPrec3), "12.345 mbar"},
        {100, mbar(trim, enUnitPrec3), "1 mbar"}, {-0.001, mbar(), "0.00 mbar"},
        {123456, mbar(enUnitFormatGeneral, enUnitPrec3), "1.23e+03 mbar"},
        {123456, mbar(enUnitFormatScientific, enUnitPrec1), "1.2e+03 mbar"},
        {-250, mbar(enUnitFormatFixed, enUnitPrec0), "-2 mbar"},
        {0.001, nrvUnitSetting("Förderstrom", "Q", enUnitFlow_m3s, enUnitFlow_m3h), "3.60 m³/h"},
        {19613.3, nrvUnitSetting("Förderhöhe", "H", enUnitPressure_Pa, enUnitHead_m), "2.00 m"},
        {70, nrvUnitSetting("Temperatur", "t", enUnitTemperature_C, enUnitTemperature_K, trim), "343.15 K"},
        {5, nrvUnitSetting("ohne Einheit", "", enUnitNone, enUnitNone), "5.00"}};
    // clang-format on
    for (const auto& [base, setting, labeled] : cases) {
        const std::string expected = labeled;
        EXPECT_EQ(nrvUnits::base2TargetStringLabeled(base, setting), expected);
        EXPECT_EQ(nrvUnits::base2TargetString(base, setting),
                  expected.substr(0, expected.find(' ')));
    }
    EXPECT_DOUBLE_EQ(nrvUnits::base2TargetVal(1234.5, mbar()), 12.345);

    // The shown unit only switches within the quantity.
    nrvUnitSetting setting = mbar();
    EXPECT_TRUE(setting.setTargetUnit(enUnitPressure_bar));
    EXPECT_FALSE(setting.setTargetUnit(enUnitFlow_lh));
    EXPECT_EQ(nrvUnits::base2TargetStringLabeled(250000, setting), "2.50 bar");
}

// Entered text, accepted, value in the base unit.
using Entered = std::tuple<const char*, bool, double>;

template <std::size_t N>
void expectParsed(const Entered (&cases)[N], const nrvUnitSetting& setting, bool labeled) {
    for (auto [text, ok, base] : cases) {
        double value = -999.0;
        EXPECT_EQ(labeled ? nrvUnits::targetStringLabeled2Base(value, text, setting)
                          : nrvUnits::targetString2Base(value, text, setting),
                  ok)
            << '"' << text << '"';
        expectClose(value, ok ? base : -999.0, text);  // unchanged on failure
    }
}

TEST(UnitSetting, ReadsEnteredNumbersBackAndRefusesTheRest) {
    // clang-format off
    const Entered plain[] = {
        {"12.5", true, 1250},  {"12,5", true, 1250},    {" 12.5\t", true, 1250}, {"\u00A012\u00A0", true, 1200},
        {"-3", true, -300},    {"1e3", true, 100000},   {"1.000,5", false, 0},   {"1,000,5", false, 0},
        {"1 000", false, 0},   {"abc", false, 0},       {"", false, 0},          {"12.5 mbar", false, 0},
        {"inf", false, 0},     {"nan", false, 0},       {"12..5", false, 0}};
    // clang-format on
    expectParsed(plain, mbar(), false);

    // With a label: any unit of the quantity.
    const Entered pressure[] = {
        {"12,5mbar", true, 1250},   {"12.5", true, 1250},     {"1 bar", true, 100000},
        {"1 Millibar", true, 100},  {"2 mWs", true, 19613.3}, {"3 kPa", true, 3000},
        {"5 m3/h", false, 0},       {"5 xyz", false, 0},      {"mbar", false, 0},
        {"12 mbar mbar", false, 0}, {"bar 12", false, 0}};
    expectParsed(pressure, mbar(), true);
    const Entered flows[] = {{"1 l/s", true, 3.6},
                             {"1", true, 3.6},
                             {"2 m³/h", true, 2},
                             {"500 l/h", true, 0.5},
                             {"1 kg/h", false, 0}};
    expectParsed(flows, nrvUnitSetting("Volumenstrom", "V", enUnitFlow_m3h, enUnitFlow_ls), true);

    // The validator sees base values; a parser replaces the reading of the number.
    nrvUnitSetting setting = mbar();
    setting.setValidator([](double pa) { return pa >= 0.0 && pa <= 1e6; });
    const Entered checked[] = {
        {"5", true, 500}, {"-1", false, 0}, {"10001", false, 0}, {"10 bar", true, 1e6}};
    expectParsed(checked, setting, true);
    setting.setParser([](std::string_view text, double& v) {
        v = 0.5;
        return text == "halb";
    });
    const Entered parsed[] = {{"halb", true, 50}, {"halb bar", true, 50000}, {"0.5", false, 0}};
    expectParsed(parsed, setting, true);
}

TEST(UnitLabels, LabelsAndUnitsFromLabels) {
    const std::pair<enUnit, const char*> cases[] = {
        {enUnitFlow_m3h, "m³/h"}, {enUnitKv_m3h, "m³/h"},      {enUnitPressure_mWS, "mWS"},
        {enUnitHead_m, "m"},      {enUnitTemperature_C, "°C"}, {enUnitNone, ""},
        {enUnit(4711), ""}};
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

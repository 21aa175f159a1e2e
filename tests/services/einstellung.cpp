// Setting determination on a realistic thermostatic valve body and the
// printed setting texts.

#include <gtest/gtest.h>

#include <tuple>

#include "fixtures.h"
#include "kavex/curves/kurve14.h"
#include "kavex/services/armaturcontainer.h"

using nrvBaseArmaturen::ARMATUR;
using nrvBaseArmaturen::enHzTHKV;
using C = nrvBaseArmaturen::RnArmaturContainer;

TEST(Einstellung, RequiredKvSweep) {
    const auto record = servicetest::thkvRecord("TV 30", {15});
    const auto* valve = record.getModell().getArmaturAt(0);
    // Required kv, setting (1..8) in lower-kv mode and in reaching mode; the
    // ends compare at three decimals.
    const double cases[][3] = {{0.0, 1, 1}, {0.049, 1, 1}, {0.0494, 1, 1}, {0.0496, 1, 2},
                               {0.1, 2, 3}, {0.15, 3, 3},  {0.1504, 3, 3}, {0.1506, 3, 4},
                               {0.3, 4, 5}, {0.5, 6, 7},   {0.6694, 7, 8}, {0.6696, 8, 8},
                               {0.9, 8, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(C::findEinstellung(valve, c[0], true), 8 - int(c[1]));
        EXPECT_EQ(C::findEinstellung(valve, c[0], false), 8 - int(c[2]));
        int index = -2;
        EXPECT_TRUE(C::findArmaturenEinstellung(c[0], enHzTHKV, true, valve, index));
        EXPECT_EQ(index, 8 - int(c[1]));
    }
}

TEST(Einstellung, NoSettingsAndTheReference) {
    auto record = servicetest::thkvRecord("TV 30", {15});
    auto* bare = record.getModell().Add(nrvBaseArmaturen::en700THKV);
    int index = 5;
    EXPECT_FALSE(C::findArmaturenEinstellung(0.2, enHzTHKV, true, bare, index));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(C::findArmaturenEinstellung(0.2, enHzTHKV, true, nullptr, index));
    EXPECT_EQ(C::findEinstellung(nullptr, 0.2, true), -1);

    C container;
    container.append(record);
    ARMATUR arm{record.modellId, 15};
    EXPECT_TRUE(container.findArmaturenEinstellung(0.2, enHzTHKV, false, arm));
    EXPECT_EQ(container.getEinstellung(arm, false, true), "4");
    // Computed with its kvs: the most open point whatever the kv, and marked.
    container.getAtGlobal(0)->getModell().getArmaturAt(0)->setUseKvs(true);
    EXPECT_EQ(C::findEinstellung(container.getArmatur(arm, -1), 0.2, false), 0);
    EXPECT_EQ(container.getEinstellung(arm, false, true), "4*");
    EXPECT_EQ(container.getEinstellung(arm, false, false), "4");
    arm.modellId = 99;
    EXPECT_FALSE(container.findArmaturenEinstellung(0.2, enHzTHKV, false, arm));
    EXPECT_EQ(arm.einstellung, -1);
    EXPECT_EQ(container.getEinstellung(arm, true, true), "");
}

TEST(Einstellung, SettingTexts) {
    // Unit, point, its label, and the printed setting.
    const std::tuple<const char*, float, const char*, const char*> cases[] = {
        {"", 3.0f, "3", "3"},
        {"Umdrehungen", 2.5f, "2.5", "2.5 Umdr."},
        {"Einstellung", 3.0f, "", "3"},
        {"Einstellwert", 0.75f, "", "0.75"},
        {"mm", 3.0f, "", "3 mm"},
        {"Umdrehungen", -9999.0f, "Werkseinstellung", "Werkseinst."},
        {"", -10000.0f, "N", "N"},
        {"", -9999.0f, "", "?"},
    };
    for (const auto& [unit, x, label, text] : cases) {
        SCOPED_TRACE(text);
        nrvVDIArmaturen::nrvArmaturTHKV valve;
        nrvBaseArmaturen::CEinstellungKurve curve;
        curve.setEinheitx(unit);
        curve.addCurveNode(x, label, 0.5f);
        curve.setXp(2.0);
        valve.addKvKurve(curve);
        EXPECT_EQ(C::getEinstellung(&valve, 0, false), text);
        EXPECT_EQ(C::getEinstellung(&valve, 0, true), std::string(text) + " (XP=2 K)");
        EXPECT_EQ(C::getEinstellung(&valve, 1, false), "");
        EXPECT_EQ(C::getEinstellung(&valve, -1, false), "");
        valve.setXp(-1.0);
        EXPECT_EQ(C::getEinstellung(&valve, 0, true), std::string(text) + " (XP=?)");
    }
}

TEST(Einstellung, FourValueSettings) {
    nrvBaseArmaturen::CKurve14 curve;
    curve.setEinheitx("Umdrehungen");
    curve.addCurveNode(nrvBaseArmaturen::curveNode14(1.5f, "", 0.3f, 0.5f, 0.6f, 0.1f));
    nrvVDIArmaturen::nrvArmaturEAV eav;
    eav.addKurve14(curve);
    // A one-pipe connection without thermostatic part shows no band.
    EXPECT_EQ(C::getEinstellung(&eav, 0, true), "1.5 Umdr.");
    eav.setXp(1.25);
    EXPECT_EQ(C::getEinstellung(&eav, 0, true), "1.5 Umdr. (XP=1.25 K)");
    nrvVDIArmaturen::nrvArmaturTHKVDFR dfr;
    dfr.addKurve14(curve);
    EXPECT_EQ(C::getEinstellung(&dfr, 0, true), "1.5 Umdr. (XP=?)");
    EXPECT_EQ(C::getEinstellung(&dfr, 1, true), "");
}

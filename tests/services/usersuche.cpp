// Choosing a user valve for a component, and its setting: the finders on
// models with several nominal sizes, requested sizes below, between and above
// them, and the setting operations of user valves.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>

#include "kavex/platform/combobox.h"
#include "services/userfixtures.h"

using namespace usertest;
using namespace nrvBaseArmaturen;

namespace {

// A request (a value and the reference's DN) and what the finder answers.
struct Row {
    double value;
    int refDN;
    bool ok;
    int dn, einstellung;
};

void check(std::initializer_list<Row> rows, int modellId,
           const std::function<bool(double, ARMATUR&)>& find) {
    for (const Row& k : rows) {
        SCOPED_TRACE(testing::Message() << "value " << k.value << ", DN " << k.refDN);
        ARMATUR arm = ref(0, k.refDN);
        ASSERT_EQ(find(k.value, arm), k.ok);
        if (k.ok) {
            EXPECT_EQ(std::tuple(arm.dn, arm.einstellung, arm.modellId),
                      std::tuple(k.dn, k.einstellung, modellId));
        }
    }
}

TEST(UserFind, PressureReducerByRangeThenNearestSize) {
    // Outlet pressure over setting; DN 15 and 20 reach 2..5, DN 32 reaches 6..9.
    const Punkte low = {{4, 5}, {3, 4}, {2, 3}, {1, 2}};
    UserArmaturenModell r = record(enTwDruckminderer, 1, "DM");
    addValve(r, 15, {low});
    addValve(r, 20, {low});
    addValve(r, 32, {{{4, 9}, {3, 8}, {2, 7}, {1, 6}}});
    RnUserArmaturContainer c;
    c.append(r);
    check({{3.5, 10, true, 15, 1},
           {3.5, 25, true, 20, 1},
           {3.5, 40, true, 20, 1},  // DN 32 cannot reach the pressure
           {7.0, 10, true, 32, 2},
           {1.8, 20, true, 20, 3},  // starts just above the pressure
           {1.0, 20, false, 0, 0},  // starts too far above it
           {5.4, 20, false, 0, 0},  // between the two ranges
           {0.0, 20, false, 0, 0}},
          r.modellId, [&](double p, ARMATUR& arm) { return c.findGlobalDM(p, arm, false, ""); });
}

TEST(UserFind, FlowRegulatorByRangeThenLowestEffectivePressure) {
    // Flow over setting and the effective pressure over setting.
    UserArmaturenModell r = record(enHzDFR, 1, "DFR");
    addValve(r, 15, {{{5, 0.5f}, {3, 0.3f}, {1, 0.1f}}, {{5, 20000}, {3, 20000}, {1, 20000}}});
    addValve(r, 20, {{{5, 1.0f}, {3, 0.6f}, {1, 0.2f}}, {{5, 15000}, {3, 15000}, {1, 15000}}});
    addValve(r, 25, {{{5, 2.0f}, {3, 1.2f}, {1, 0.4f}}, {{5, 10000}, {3, 10000}, {1, 10000}}});
    RnUserArmaturContainer c;
    c.append(r);
    check({{0.3, 10, true, 15, 1},  // below: the smallest size
           {0.3, 40, true, 20, 1},
           {0.45, 22, true, 20, 1},    // between: up to DN 22
           {0.45, 40, true, 25, 1},    // above: the lowest effective pressure
           {0.1004, 40, true, 15, 2},  // the range start, held as a float
           {0.02, 40, true, 15, 2},    // tiny flow: the nearest range start
           {2.5, 40, false, 0, 0},
           {0.0, 40, false, 0, 0}},
          r.modellId, [&](double v, ARMATUR& arm) {
              return c.findGlobalDurchflussregler(v, arm, enHzDFR, false, "");
          });
}

TEST(UserFind, SafetyDevicesByLowestPressureLoss) {
    // Pressure loss in mbar over the flow in l/s; the host asks in m³/h and Pa.
    for (const enArmaturenTyp typ : {enTwRueckflussverhinderer, enTwRohrtrenner}) {
        UserArmaturenModell r = record(typ, 1, "Sicherung");
        addValve(r, 15, {{{0.5f, 200}, {0.1f, 20}}});
        addValve(r, 20, {{{1.0f, 150}, {0.2f, 10}}});
        addValve(r, 25, {{{2.0f, 120}, {0.4f, 8}}});
        RnUserArmaturContainer c;
        c.append(r);
        if (typ == enTwRohrtrenner) {
            // 1.08 m³/h = 0.3 l/s; 1500 Pa = 15 mbar, DN 15 opens only at 20 mbar.
            check({{1500.0, 10, true, 20, -1}, {500.0, 10, false, 0, 0}}, r.modellId,
                  [&](double pa, ARMATUR& arm) {
                      return c.findGlobalTrenner(1.08, pa, arm, false, "");
                  });
            continue;
        }
        // At 0.3 l/s DN 15 loses 110 mbar, DN 20 27.5 mbar; DN 25 starts at 0.4 l/s.
        check({{1.08, 10, true, 15, -1},
               {1.08, 50, true, 20, -1},
               {5.4, 50, true, 25, -1},
               {9.0, 50, false, 0, 0}},
              r.modellId,
              [&](double v, ARMATUR& arm) { return c.findGlobalRFV(v, arm, false, ""); });
    }
}

// --- resistances ----------------------------------------------------------------------------

class UserFindResistance : public testing::Test {
protected:
    void SetUp() override {
        c.append(a);
        c.append(other);
    }
    // The variable-resistance finder as check() calls it.
    auto variable(bool lowerKv = false, std::string_view klasse = {}) {
        return [=, this](double kv, ARMATUR& arm) {
            return c.findGlobalVariablenWiderstand(kv, enHzStrangDrossel, arm, arm.modellId < 1,
                                                   lowerKv, klasse);
        };
    }
    // A: DN 15/20/25 with kv 0.1..1, 0.2..2, 0.4..4; B: DN 15 with 0.3..3.
    UserArmaturenModell a = kvRecord(enHzStrangDrossel, "A", {{15, 1}, {20, 2}, {25, 4}});
    UserArmaturenModell b = kvRecord(enHzStrangDrossel, "B", {{15, 3}});
    UserArmaturenModell other = kvRecord(enHzAllgemein, "C", {{32, 1}, {40, 1}});
    RnUserArmaturContainer c;
};

TEST_F(UserFindResistance, VariableResistanceBySizeAndKv) {
    check({{0.5, 10, true, 15, 1},
           {0.5, 20, true, 20, 2},
           {0.5, 22, true, 25, 2},
           {0.5, 40, true, 25, 2},
           {0.05, 10, true, 15, 3},  // below every kv: the most closed setting
           {5.0, 40, true, 25, 0}},  // above every kv: the most open one
          a.modellId, variable());
    c.append(b);
    // kv 0.7 at DN 15: B reaches 0.75 (setting 2), A only 1.0; below it A gives 0.5.
    check({{0.7, 15, true, 15, 2}}, b.modellId, variable());
    check({{0.7, 15, true, 15, 1}}, a.modellId, variable(true));
    c.getAtUserGlobal(2)->klasse = "Lüftung";  // B serves another class
    check({{0.7, 15, true, 15, 0}}, a.modellId, variable(false, "Heizung"));
    // A reference whose valve reaches kv keeps it.
    ARMATUR arm = ref(a.modellId, 20);
    ASSERT_TRUE(variable()(0.7, arm));
    EXPECT_EQ(std::tuple(arm.modellId, arm.dn, arm.einstellung), std::tuple(a.modellId, 20, 1));
}

TEST_F(UserFindResistance, FixedResistanceBySize) {
    UserArmaturenModell big = kvRecord(enHzAllgemein, "D", {{50, 1}});
    c.append(big);
    const auto fixed = [&](double, ARMATUR& arm) {
        return c.findGlobalFestwiderstand("", enHzAllgemein, arm, "");
    };
    check({{0, 10, true, 32, -1}, {0, 35, true, 40, -1}}, other.modellId, fixed);
    check({{0, 45, true, 50, -1}, {0, 60, true, 50, -1}}, big.modellId, fixed);
    ARMATUR arm = ref(0, 15);
    EXPECT_FALSE(c.findGlobalFestwiderstand("", enHzRLV, arm, ""));
}

TEST_F(UserFindResistance, ThermostaticValveNearTheWantedKvmax) {
    for (const auto& [model, scale] : {std::pair{"T1", 0.8f}, {"T2", 1.5f}, {"T3", 3.0f}}) {
        UserArmaturenModell t = kvRecord(enHzTHKV, model, {{15, scale}});
        c.append(t);
    }
    const std::tuple<double, double, int, const char*> cases[] = {
        {0.3, 1.6, 2, "T2"},  // kvmax 1.5 is the nearest not above 1.6
        {0.3, 0.5, 1, "T1"},  // none in between: the nearest
        {2.0, 9.0, 0, "T3"}};
    for (const auto& [kv, kvmax, einstellung, model] : cases) {
        ARMATUR arm = ref(0, 15);
        ASSERT_TRUE(c.findGlobalVariablesTHKV(kv, kvmax, false, arm, ""));
        EXPECT_EQ(c.getModelType(arm), model);
        EXPECT_EQ(arm.einstellung, einstellung) << model;
    }
}

TEST_F(UserFindResistance, FindArmaturPrefersAValveThatReachesKv) {
    c.append(b);
    const auto find = [&](double kv, ARMATUR& arm) {
        return c.findArmatur(kv, arm, enHzStrangDrossel, "");
    };
    check({{0.7, 15, true, 15, 2},    // B's setting comes closest
           {9.0, 20, true, 15, 0},    // nobody reaches it: B's range is nearest
           {0.0, 22, true, 15, -1}},  // no kv: by size
          b.modellId, find);
    check({{3.5, 25, true, 25, 0}}, a.modellId, find);  // only A's DN 25 reaches it
}

TEST(UserFind, LocalFindersUseTheReferencesOwnRecord) {
    RnUserArmaturContainer c;
    UserArmaturenModell global = record(enTwDruckminderer, 1, "G");
    addValve(global, 15, {{{4, 5}, {3, 4}, {2, 3}, {1, 2}}});
    UserArmaturenModell local = global;
    local.global = 0;
    local.getArm().getUserArmaturAt(0)->setDimension(20);
    c.append(global);
    c.append(local);
    for (const auto& [id, keepDN, ok] :
         {std::tuple{local.modellId, false, true},
          {local.modellId, true, false},  // keep DN 15: the local model has none
          {global.modellId, false, false}}) {
        ARMATUR arm = ref(id, 15);
        EXPECT_EQ(c.findLocalDM(3, arm, keepDN), ok);
        if (ok) {
            EXPECT_EQ(std::tuple(arm.modellId, arm.dn), std::tuple(local.modellId, 20));
        }
    }
}

// --- settings -----------------------------------------------------------------------------------

TEST(UserSettings, RequiredKvFlowAndPressureToSetting) {
    UserArmaturenModell r = kvRecord(enHzStrangDrossel, "S", {{15, 1}});
    const nrvUserArmatur* v = r.getArm().getUserArmaturAt(0);
    const std::tuple<double, bool, int> kvs[] = {{1.2, false, 0},  {0.9996, false, 0},
                                                 {0.05, false, 3}, {0.3, false, 1},
                                                 {0.3, true, 2},   {0.2504, true, 2}};
    for (const auto& [kv, lowerKv, index] : kvs)
        EXPECT_EQ(RnUserArmaturContainer::findEinstellung(v, kv, lowerKv), index)
            << kv << " " << lowerKv;

    // The top of the range is the first point of the last curve; a kv below
    // every point of the last curve is looked for in the first.
    nrvUserArmatur two;
    two.addKurve(kurve({{4, 1.0f}, {1, 0.1f}}), 1);
    two.addKurve(kurve({{4, 2.0f}, {1, 0.3f}}), 1);
    int curve = -1;
    EXPECT_EQ(RnUserArmaturContainer::findEinstellung(&two, curve, 1.5, false), 0);
    EXPECT_EQ(curve, 1);
    EXPECT_EQ(RnUserArmaturContainer::findEinstellung(&two, curve, 0.2, true), 1);
    EXPECT_EQ(curve, 0);

    nrvUserArmatur dfr;
    dfr.addKurve(kurve({{5, 1.0f}, {3, 0.6f}, {1, 0.2f}}), 1);
    const std::pair<double, int> flows[] = {{0.1, 2}, {0.3, 1}, {0.9, 0}, {1.0004, 0}, {1.2, -1}};
    for (const auto& [flow, index] : flows)
        EXPECT_EQ(RnUserArmaturContainer::findEinstellungDFR(&dfr, flow), index) << flow;
    nrvUserArmatur dm;
    dm.addKurve(kurve({{4, 5}, {3, 4}, {2, 3}, {1, 2}}), 1);
    for (const auto& [druck, index] : {std::pair{1.0, 3}, {3.5, 1}, {6.0, 0}})
        EXPECT_EQ(RnUserArmaturContainer::findEinstellungDM(&dm, druck), index) << druck;

    const nrvUserArmatur noCurve;
    for (const nrvUserArmatur* none : {&noCurve, static_cast<const nrvUserArmatur*>(nullptr)}) {
        EXPECT_EQ(RnUserArmaturContainer::findEinstellung(none, 0.5, false), -1);
        EXPECT_EQ(RnUserArmaturContainer::findEinstellungDFR(none, 0.3), -1);
        EXPECT_EQ(RnUserArmaturContainer::findEinstellungDM(none, 3), -1);
    }
}

TEST(UserSettings, SettingTextsAndList) {
    RnUserArmaturContainer c;
    UserArmaturenModell r = kvRecord(enHzStrangDrossel, "S", {{15, 1}});
    CKurve labelled;
    labelled.addCurveNode(4, "IV", 1.0f);
    labelled.addCurveNode(2.5f, "", 0.3f);
    addValve(r, 20, {}).addKurve(labelled, 1);
    addValve(r, 25, {{{4, 1.0f}}});
    c.append(r);
    for (const auto& [index, text] : {std::pair{0, "IV"}, {1, "2.5"}, {2, ""}, {-1, ""}})
        EXPECT_EQ(c.getEinstellung(ref(r.modellId, 20, index)), text) << index;
    c.getAtUserGlobal(0)->getArm().getUserArmaturAt(1)->setUseKvs(1);
    EXPECT_EQ(c.getEinstellung(ref(r.modellId, 20, 0)), "IV*");

    nrvListComboBox combo;
    for (const auto& [setting, selected] : {std::pair{1, 2}, {-1, 3}, {3, 0}, {9, 0}}) {
        c.fillEinstellungsCombo(combo, ref(r.modellId, 15, setting), 0.0);
        ASSERT_EQ(combo.getCount(), 4);
        EXPECT_EQ(combo.getCurSel(), selected) << setting;
    }
    EXPECT_EQ(combo.getText(0), "1.0 (kv=0.100m³/h)");
    EXPECT_EQ(combo.getText(3), "4.0 (kv=1.000m³/h)");
    EXPECT_EQ(std::bit_cast<double>(combo.getItemData(1)), static_cast<double>(0.25f));
    c.fillEinstellungsCombo(combo, ref(r.modellId, 25, 0), 0.0);  // a single point
    EXPECT_EQ(combo.getCount(), 0);
}

// Two positions "3" and "4" (or other texts) with their curves.
RnUserArmaturContainer& abgleich(RnUserArmaturContainer& c, const Punkte& k3, const Punkte& k4,
                                 int curveFlag, int between, std::string p3 = "3",
                                 std::string p4 = "4") {
    UserArmaturenModell r = record(enKanalRegelorgan, 1, "Klappe");
    nrvUserArmatur& v = addValve(r, 15, {});
    v.addKurve(kurve(k3), curveFlag, p3, between);
    v.addKurve(kurve(k4), curveFlag, p4, between);
    c.append(r);
    return c;
}

struct AbgleichCase {
    double value;
    int between;
    bool firstOnly;
    std::string text;
    double reached;  // only with the flow
};

TEST(UserSettings, BalancingSettingBetweenTwoPositions) {
    // At a value: curves read at their nearest point, 2 for "3" and 4 for "4".
    for (const AbgleichCase& k : {AbgleichCase{3, 1, false, "3.5", 0},
                                  {3.5, 1, false, "3.8", 0},
                                  {5, 1, false, "", 0},
                                  {3, 0, false, "3", 0},
                                  {3, 1, true, "3", 0}}) {
        RnUserArmaturContainer c;
        abgleich(c, {{1, 2}}, {{1, 4}}, 0, k.between);
        EXPECT_EQ(c.getAbgleichseinstellung(ref(1, 15), k.value, k.firstOnly), k.text) << k.value;
    }
    // At a flow: pressure loss over flow, at flow 1 "3" gives 2 and "4" gives 4.
    for (const AbgleichCase& k : {AbgleichCase{3, 1, false, "3.5", 3},
                                  {5, 1, false, "", 0},   // the last position stays below
                                  {1, 1, false, "4", 4},  // both exceed it: the last position
                                  {3, 0, false, "3", 2},
                                  {3, 1, true, "3", 2}}) {
        RnUserArmaturContainer c;
        abgleich(c, {{0, 0}, {2, 4}}, {{0, 0}, {2, 8}}, 1, k.between);
        double reached = -1;
        EXPECT_EQ(c.getAbgleichseinstellung(ref(1, 15), 1.0, k.value, reached, k.firstOnly), k.text)
            << k.value;
        EXPECT_NEAR(reached, k.reached, 1e-6) << k.value;
    }
    RnUserArmaturContainer c;
    abgleich(c, {{1, 2}}, {{1, 4}}, 0, 1, "30°", "40°");
    EXPECT_EQ(c.getAbgleichseinstellung(ref(1, 15), 3, false), "35.0°");
    EXPECT_EQ(c.getAbgleichseinstellung(ref(2, 15), 3, false), "");
}

}  // namespace

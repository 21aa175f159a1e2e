// The catalogue valve container: lists and ids, lookups, kv values and the
// finders that choose a global valve for a component.

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <tuple>

#include "fixtures.h"
#include "kavex/platform/combobox.h"
#include "kavex/services/armaturcontainer.h"

using namespace nrvBaseArmaturen;
using servicetest::thkvRecord;

namespace {
int dnOf(const nrvVDIArmaturen::nrvArmatur* v) {
    return v ? v->getDimension() : -1;
}
}  // namespace

TEST(Container, IdsAndLists) {
    RnArmaturContainer c;
    VDIArmaturenModell g = thkvRecord("A", {10});
    VDIArmaturenModell l = thkvRecord("B", {15}, 1.0f, 0);
    EXPECT_EQ(c.append(g), 0);
    EXPECT_EQ(g.modellId, 1);
    g.modellId = 0;
    EXPECT_EQ(c.append(g), 1);
    EXPECT_EQ(g.modellId, 2);
    l.modellId = 7;
    EXPECT_EQ(c.append(l), 0);
    l.modellId = 0;
    c.append(l);
    EXPECT_EQ(l.modellId, 8);
    EXPECT_EQ(c.getAtTotal(2)->modellId, 7);
    EXPECT_THROW(c.getAtGlobal(2), std::invalid_argument);

    VDIArmaturenModell changed = *c.getAtGlobal(1);
    changed.bezeichnung = "neu";
    EXPECT_TRUE(c.SetAt(changed, ""));
    EXPECT_EQ(c.getAtGlobal(1)->bezeichnung, "neu");
    changed.modellId = 42;
    EXPECT_FALSE(c.SetAt(changed, ""));
    EXPECT_TRUE(c.RemoveAt(changed, ""));  // the same assignment as the first record
    EXPECT_EQ(c.getCountGlobal(), 1);
    c.RemoveAt(true, 5);  // ignored
    c.RemoveAt(true, 0);
    EXPECT_EQ(c.getAtLocal(0)->modellId, 8);

    // A dialog hands back one borrowed record and a new one: no double delete.
    RnArmaturContainer::RecordView view;
    c.getGlobaleArmaturen(view);
    RnArmaturContainer::RecordList next;
    next.emplace_back(view[0]);
    next.push_back(std::make_unique<VDIArmaturenModell>(thkvRecord("C", {20})));
    c.setGlobaleArmaturen(std::move(next));
    EXPECT_EQ(c.getAtGlobal(0), view[0]);
    EXPECT_EQ(c.takeGlobaleArmaturen().size(), 2u);
    c.removeAll();
    EXPECT_EQ(c.getCountTotal() + c.getLastUsedModellID(), 0);
}

TEST(Container, Lookups) {
    RnArmaturContainer c;
    VDIArmaturenModell a = thkvRecord("A", {10, 15, 20});
    VDIArmaturenModell b = thkvRecord("B", {15}, 1.0f, 0);
    c.append(a);
    c.append(b);
    EXPECT_EQ(&c.getArmaturenModell(ARMATUR{b.modellId}), c.getAtLocal(0));
    EXPECT_TRUE(c.getArmaturenModell(ARMATUR{b.modellId}, false).bIsEmpty());
    EXPECT_EQ(dnOf(c.getArmatur(ARMATUR{a.modellId, 12}, -1)), 15);
    EXPECT_EQ(dnOf(c.getArmatur(ARMATUR{a.modellId, 40}, false)), 20);
    EXPECT_EQ(c.getArmatur(ARMATUR{a.modellId, 40}, true), nullptr);
    EXPECT_EQ(dnOf(c.getArmaturFromTypAndDN(enHzTHKV, 11, false)), 15);
    EXPECT_EQ(c.getArmaturFromTypAndDN(enHzTHKV, 25, false), nullptr);
    const auto* valve = c.getArmatur(ARMATUR{a.modellId, 20}, -1);
    EXPECT_EQ(&c.getArmaturenModell(valve, false), c.getAtGlobal(0));

    nrvListComboBox combo;
    c.fillNennweiteCombo(combo, ARMATUR{a.modellId, 12});
    ASSERT_EQ(combo.getCount(), 3);
    EXPECT_EQ(combo.getItemData(2), 20);
    EXPECT_EQ(combo.getCurSel(), 1);
    c.fillNennweiteCombo(combo, ARMATUR{a.modellId, 25});
    EXPECT_EQ(combo.getCurSel(), -1);

    for (const char* name : {"Küche", "KÜCHE", "Bad"}) {
        VDIArmaturenModell r = thkvRecord("Z", {15}, 1.0f, 1, "Heizkörper");
        r.typ = enTwAllgemein;
        r.bezeichnung = name;
        c.append(r);
    }
    EXPECT_EQ(c.getCountOf("küche", enTwAllgemein, false), 2);
    EXPECT_EQ(c.getCountOf("", enTwAllgemein, false), 3);
    EXPECT_TRUE(c.bHasGlobalArmaturenmodell(enHzRLV, "Heizkörper"));
    EXPECT_FALSE(c.bHasGlobalArmaturenmodell(enHzRLV, ""));
    const CRuntimeClass* thkv = nrvVDIArmaturen::nrvArmaturTHKV().GetRuntimeClass();
    EXPECT_TRUE(c.bHasGlobalTHKVType(thkv, "Fußboden"));
    EXPECT_FALSE(c.bHasGlobalTHKVType(nrvVDIArmaturen::nrvArmaturEAV().GetRuntimeClass(), ""));
    VDIArmaturenModell same = a;
    same.modellId = 0;
    EXPECT_TRUE(c.findEqualType(same, "", false));
    EXPECT_EQ(same.modellId, a.modellId);
    same.getModell().getArmaturAt(0)->setKvs(9.0);
    EXPECT_FALSE(c.hasEqualTypes(same, "", false));
    EXPECT_TRUE(c.hasEqualTypes(same, "", true));
}

TEST(Container, KvValues) {
    VDIArmaturenModell r = thkvRecord("A", {15});
    auto* v = r.getModell().getArmaturAt(0);
    double kv = -1;
    EXPECT_TRUE(RnArmaturContainer::getKvIst(v, 3, kv));
    EXPECT_FLOAT_EQ(kv, 0.33f);
    EXPECT_FALSE(RnArmaturContainer::getKvIst(v, 8, kv));
    // kv compares at three decimals with the ends of the setting range.
    const double range[][2] = {{0.0486, 1}, {0.0484, 0}, {0.6704, 1}, {0.6706, 0}};
    for (const auto& k : range)
        EXPECT_EQ(RnArmaturContainer::isInKvRange(v, k[0]), k[1] > 0) << k[0];
    // Without settings the kvs must reach kv (within 0.001).
    auto* bare = r.getModell().Add(en700THKV);
    bare->setKvs(1.0);
    EXPECT_TRUE(RnArmaturContainer::isInKvRange(bare, 1.0009));
    EXPECT_FALSE(RnArmaturContainer::isInKvRange(bare, 1.002));
    v->setUseKvs(true);
    EXPECT_TRUE(RnArmaturContainer::getKvIst(v, 7, kv));
    EXPECT_DOUBLE_EQ(kv, 0.86);
}

// Global series: small bodies (DN 10, 15, half the kv), standard (15, 20) and
// large ones (20, 25, twice the kv); a local series is never chosen.
class Finders : public ::testing::Test {
protected:
    void SetUp() override {
        for (VDIArmaturenModell r :
             {thkvRecord("klein", {10, 15}, 0.5f), thkvRecord("normal", {15, 20}),
              thkvRecord("gross", {20, 25}, 2.0f), thkvRecord("lokal", {10, 25}, 4.0f, 0)}) {
            c.append(r);
            ids[r.getModell().getModelType()] = r.modellId;
        }
    }
    RnArmaturContainer c;
    std::map<std::string, int> ids;
};

TEST_F(Finders, BestValveForARequiredKv) {
    // Below every size only the smallest size competes; between, sizes up to
    // DN 15 (the standard series meets 0.33 exactly); above every size, all.
    const std::tuple<int, double, bool, const char*, int, int> cases[] = {
        {8, 0.2, false, "klein", 10, 6},    {8, 5.0, false, "klein", 10, 8},
        {15, 0.33, false, "normal", 15, 5}, {15, 0.01, true, "klein", 15, 1},
        {30, 5.0, false, "gross", 25, 8},   {30, 0.94, true, "gross", 25, 6}};
    for (const auto& [dn, kv, lowerKv, model, expectedDN, setting] : cases) {
        SCOPED_TRACE(testing::Message() << "DN " << dn << " kv " << kv);
        ARMATUR arm{0, dn};
        EXPECT_TRUE(c.findGlobalVariablenWiderstand(kv, enHzTHKV, arm, true, lowerKv, ""));
        EXPECT_EQ(std::tuple(arm.modellId, arm.dn, arm.einstellung),
                  std::tuple(ids[model], expectedDN, 8 - setting));
    }
    ARMATUR none{0, 15};
    EXPECT_FALSE(c.findGlobalVariablenWiderstand(0.3, enHzRLV, none, true, false, ""));
    EXPECT_EQ(none.einstellung, -1);
    // The assigned valve stays while it reaches kv; otherwise the best one.
    ARMATUR kept{ids["klein"], 15};
    EXPECT_TRUE(c.findGlobalVariablenWiderstand(0.2, enHzTHKV, kept, false, false, ""));
    EXPECT_EQ(std::pair(kept.modellId, kept.einstellung), std::pair(ids["klein"], 8 - 6));
    kept = ARMATUR{ids["klein"], 15};
    EXPECT_TRUE(c.findGlobalVariablenWiderstand(0.6, enHzTHKV, kept, false, false, ""));
    EXPECT_EQ(kept.modellId, ids["normal"]);
}

TEST_F(Finders, FixedResistanceAndThermostaticBody) {
    ARMATUR arm{0, 18};
    EXPECT_TRUE(c.findGlobalFestwiderstand("", enHzTHKV, arm, ""));
    EXPECT_EQ(arm.modellId, ids["normal"]);  // the first candidate of at least DN 18
    EXPECT_EQ(arm.dn, 20);
    arm = ARMATUR{5, 18};
    EXPECT_FALSE(c.findGlobalFestwiderstand("", enHzRLV, arm, ""));
    EXPECT_EQ(arm.modellId, 0);

    // Candidates at DN 30 and their kvmax: klein 0.335, normal 0.67, gross 1.34.
    const std::tuple<double, double, const char*, int> cases[] = {{0.3, 0.7, "normal", 4},
                                                                  {0.3, 2.0, "gross", 3},
                                                                  {0.9, 0.7, "normal", 8},
                                                                  {0.01, 0.5, "klein", 1}};
    for (const auto& [kv, preferred, model, setting] : cases) {
        ARMATUR t{0, 30};
        EXPECT_TRUE(c.findGlobalVariablesTHKV(kv, preferred, true, t, ""));
        EXPECT_EQ(std::pair(t.modellId, t.einstellung), std::pair(ids[model], 8 - setting))
            << preferred;
    }
}

// Throttling valves: the kv range of the manual throttle, the set temperature
// and the kv-over-temperature function of the thermostatic throttle, and the
// nodes both write.

#include "kavex/valves/armaturdross.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "kavex/platform/interpolation.h"
#include "kavex/platform/treestore.h"
#include "valvetest.h"

using nrvBaseArmaturen::CEinstellungKurve;
using nrvBaseArmaturen::CKurve;
using nrvVDIArmaturen::nrvArmaturDross;
using nrvVDIArmaturen::nrvArmaturThermoDross;

namespace {

using valvetest::curveOf;

CEinstellungKurve settingCurve(double ref, double kvDesinf, const std::vector<valvetest::Pt>& pts) {
    auto k = curveOf<CEinstellungKurve>(pts);
    k.setReferenzTemperatur(ref);
    k.setKvDesinfektion(kvDesinf);
    return k;
}

nrvArmaturThermoDross throttle(std::initializer_list<CEinstellungKurve> curves) {
    nrvArmaturThermoDross v;
    for (const CEinstellungKurve& k : curves)
        v.addKurve(k);
    return v;
}

// Expected points of a kv-over-temperature function, hand computed in double.
struct Pt {
    double x, y;
};

void expectPoints(const CLinearInterpolation& t, const std::vector<Pt>& expected) {
    ASSERT_EQ(t.getSize(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(t.GetAtXArray(i), expected[i].x, 1e-9) << "point " << i;
        EXPECT_NEAR(t.GetAtYArray(i), expected[i].y, 1e-9) << "point " << i;
    }
}

// Three settings whose kv falls linearly from 1.25 to 0.25 over the 10 K up
// to their reference temperature: each curve reaches kv at
// t = ref - 10 * (kv - 0.25), so kv 0.75 at ref - 5. Below its first point the
// function holds 1.25.
nrvArmaturThermoDross parallelThrottle(double kvDesinf) {
    return throttle({settingCurve(60, kvDesinf, {{50, 1.25}, {60, 0.25}}),
                     settingCurve(55, kvDesinf, {{45, 1.25}, {55, 0.25}}),
                     settingCurve(50, kvDesinf, {{40, 1.25}, {50, 0.25}})});
}

}  // namespace

// --- kv ranges ------------------------------------------------------------------

TEST(DrossRange, EndPointsGiveTheRangeWhicheverWayTheCurveRuns) {
    struct Case {
        const char* name;
        CKurve curve;
        double kvmin, kvmax;
        double inside, outside;
    } cases[] = {
        {"rising", curveOf({{0, 0.5}, {1, 1.0}, {2, 2.0}}), 0.5, 2.0, 1.5, 2.01},
        {"falling", curveOf({{1, 2.0}, {2, 1.0}, {3, 0.5}}), 0.5, 2.0, 0.5, 0.49},
        // Inner points are not looked at: the curve is taken to be monotonic.
        {"bulging", curveOf({{0, 1.0}, {1, 5.0}, {2, 2.0}}), 1.0, 2.0, 2.0, 3.0},
        {"one point", curveOf({{0, 0.75}}), 0.75, 0.75, 0.75, 0.7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        nrvArmaturDross v;
        v.addKurve(c.curve);
        EXPECT_DOUBLE_EQ(v.getKvmin(), c.kvmin);
        EXPECT_DOUBLE_EQ(v.getKvmax(), c.kvmax);
        EXPECT_TRUE(v.IsInKvRange(c.inside));
        EXPECT_FALSE(v.IsInKvRange(c.outside));
    }
    nrvArmaturDross none;
    EXPECT_EQ(none.getKvmin(), -1.0);
    EXPECT_EQ(none.getKvmax(), -1.0);
    EXPECT_FALSE(none.IsInKvRange(0.5));
}

TEST(ThermoDrossRange, OpenRangeFromTheHottestSetting) {
    // kvmin: curve 0 at its reference 60 °C = 0.25; kvmax: curve 0 at 0 °C = 1.25.
    nrvArmaturThermoDross v = parallelThrottle(0.0);
    EXPECT_DOUBLE_EQ(v.getKvmin(), 0.25);
    EXPECT_DOUBLE_EQ(v.getKvmax(), 1.25);
    EXPECT_DOUBLE_EQ(v.getReglerTempMax(), 60.0);
    EXPECT_DOUBLE_EQ(v.getReglerTempMin(), 50.0);
    EXPECT_FALSE(v.IsInKvRange(0.25));
    EXPECT_FALSE(v.IsInKvRange(1.25));
    EXPECT_TRUE(v.IsInKvRange(0.5));
    EXPECT_DOUBLE_EQ(v.getKvMaxByTemperatur(55.0), 0.75);

    // The valve's disinfection kv caps the whole-degree grid below 50 °C.
    v.setKvDesinfektion(0.5f);
    EXPECT_DOUBLE_EQ(v.getKvmax(), 0.5);

    nrvArmaturThermoDross empty;
    EXPECT_EQ(empty.getKvmax(), -1.0);
    EXPECT_EQ(empty.getReglerTempMin(), -1.0);
    EXPECT_FALSE(empty.IsInKvRange(0.0));
    EXPECT_THROW(empty.getKurveAt(0), std::invalid_argument);
}

// --- set temperature ---------------------------------------------------------------

TEST(ThermoDrossEinstelltemperatur, HandComputedCases) {
    struct Case {
        const char* name;
        nrvArmaturThermoDross valve;
        double kv, T;
        bool strict;
        bool ok;
        double setTemp;
        int index1, index2;
    } cases[] = {
        // kv 0.75 is reached at 55 (curve 0), 50 (curve 1), 45 (curve 2).
        // T 52 lies between 50 and 55: f = (52-50)/(55-50) = 0.4, set temperature
        // 55 + 0.4 * (60-55) = 57.
        {"between first pair", parallelThrottle(0.5), 0.75, 52, false, true, 57, 0, 1},
        // T 47 between 45 and 50: f = 0.4, 50 + 0.4 * 5 = 52.
        {"between second pair", parallelThrottle(0.5), 0.75, 47, false, true, 52, 1, 2},
        // f = 0.5: 55 + 2.5 = 57.5 rounds up to 58.
        {"half rounds up", parallelThrottle(0.5), 0.75, 52.5, false, true, 58, 0, 1},
        // 49.995 lies 0.005 below tA = 50: still bracketed, f clamps to 0 -> 55.
        {"tolerance", parallelThrottle(0.5), 0.75, 49.995, false, true, 55, 0, 1},
        // Above the hottest reference: that reference, indexes n-1.
        {"above hottest", parallelThrottle(0.5), 0.75, 61, false, true, 60, 2, 2},
        // 40 lies below every curve's 0.75 point (45 at the coolest): coolest setting.
        {"below all", parallelThrottle(0.5), 0.75, 40, false, true, 50, 0, 2},
        // 58 lies above curve 0's 0.75 point (55): hottest setting.
        {"above all", parallelThrottle(0.5), 0.75, 58, false, true, 60, 0, 2},
        // kv 1.5 is limited to kvmax 1.25, reached at 50/45/40; T 47 -> f = 0.4,
        // 55 + 0.4 * 5 = 57.
        {"kv limited", parallelThrottle(0.5), 1.5, 47, false, true, 57, 0, 1},
        {"kv outside, strict", parallelThrottle(0.5), 1.5, 47, true, false, -1, -1, -1},
        // Without disinfection function the controller holds T itself.
        {"no disinfection", parallelThrottle(0.0), 0.75, 47, false, true, 47, -1, -1},
        {"no curves", nrvArmaturThermoDross(), 0.75, 47, false, false, -1, -1, -1},
        // Two curves, 60 and 50: kv 0.75 at 55 and 45; T 47 -> f = (47-45)/10 = 0.2,
        // 50 + 0.2 * 10 = 52.
        {"two curves",
         throttle({settingCurve(60, 0.5, {{50, 1.25}, {60, 0.25}}),
                   settingCurve(50, 0.5, {{40, 1.25}, {50, 0.25}})}),
         0.75, 47, false, true, 52, 0, 1},
        // The cooler setting never closes below 0.75: kv 0.5 has no temperature
        // there (-1); curve 0 reaches it at 57.5, above T 50 -> no answer.
        {"unreachable",
         throttle({settingCurve(60, 0.5, {{50, 1.25}, {60, 0.25}}),
                   settingCurve(50, 0.5, {{40, 1.25}, {50, 0.75}})}),
         0.5, 50, false, false, -1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double setTemp = 99;
        int i1 = 99, i2 = 99;
        EXPECT_EQ(c.valve.findEinstelltemperatur(c.kv, c.T, setTemp, i1, i2, c.strict), c.ok);
        EXPECT_NEAR(setTemp, c.setTemp, 1e-9);
        EXPECT_EQ(i1, c.index1);
        EXPECT_EQ(i2, c.index2);
    }
}

// --- kv-over-temperature function ----------------------------------------------------

namespace {

// Hot setting H (reference 60): (50, 1.25) (55, 0.75) (60, 0.25), no disinfection.
// Middle M (55): (46, 1.25) (55, 0.25), no disinfection.
// Cool L (50): (42, 1.0) (50, 0.5), disinfection kv 0.875.
// Inverted (kv -> temperature, only where kv falls):
//   H: 1.25->50, 0.75->55, 0.25->60   M: 1.25->46, 0.25->55   L: 1.0->42, 0.5->50
CEinstellungKurve curveH() {
    return settingCurve(60, 0, {{50, 1.25}, {55, 0.75}, {60, 0.25}});
}
CEinstellungKurve curveM() {
    return settingCurve(55, 0, {{46, 1.25}, {55, 0.25}});
}
CEinstellungKurve curveL() {
    return settingCurve(50, 0.875, {{42, 1.0}, {50, 0.5}});
}

// A function built from a setting curve: whole-degree grid 0..first-1 at the
// first kv, the points, then the disinfection branch.
std::vector<Pt> gridThen(int first, double kv, std::vector<Pt> tail) {
    std::vector<Pt> pts;
    for (int t = 0; t < first; ++t)
        pts.push_back({double(t), kv});
    pts.insert(pts.end(), tail.begin(), tail.end());
    return pts;
}

}  // namespace

TEST(ThermoDrossFunktion, HandComputedCases) {
    const nrvArmaturThermoDross hl = throttle({curveH(), curveL()});
    const nrvArmaturThermoDross hml = throttle({curveH(), curveM(), curveL()});
    nrvArmaturThermoDross capped = throttle({curveH()});
    capped.setKvDesinfektion(1.0f);
    struct Case {
        const char* name;
        nrvArmaturThermoDross valve;
        float T;
        bool interpolate;
        bool ok;
        std::vector<Pt> expected;
    } cases[] = {
        // H and L around 54: f = (54-50)/(60-50) = 0.4, t = 0.6*tL + 0.4*tH.
        //  L 1.0->42 with H(1.0) = 52.5: 0.6*42 + 0.4*52.5 = 46.2
        //  L 0.5->50 with H(0.5) = 57.5: 0.6*50 + 0.4*57.5 = 53
        //  H 0.75->55 with L(0.75) = 46: 0.6*46 + 0.4*55 = 49.6
        //  H 1.25 and 0.25 lie outside L's kv range.
        //  Start (0, larger first kv 1.25); L's disinfection branch from 65:
        //  (66, last kv 0.5), (68, 0.875), (75, 0.875).
        {"two curves blended", hl, 54, true, true,
         gridThen(1, 1.25,
                  {{46.2, 1.0}, {49.6, 0.75}, {53, 0.5}, {66, 0.5}, {68, 0.875}, {75, 0.875}})},
        // Without interpolation the hotter neighbour H answers, with its branch
        // (no disinfection: carried to 75 at the last kv).
        {"two curves, hotter neighbour", hl, 54, false, true,
         gridThen(50, 1.25, {{50, 1.25}, {55, 0.75}, {60, 0.25}, {75, 0.25}})},
        // H and M around 57.5: f = 0.5.
        //  M 1.25->46 with H 50: 48;  M 0.25->55 with H 60: 57.5
        //  H 0.75->55 with M(0.75) = 46 + 0.5*9 = 50.5: 52.75
        //  Duplicates at 48 and 57.5 collapse when sorted; M has no
        //  disinfection: (75, 0.25).
        {"three curves, upper pair", hml, 57.5f, true, true,
         gridThen(1, 1.25, {{48, 1.25}, {52.75, 0.75}, {57.5, 0.25}, {75, 0.25}})},
        // M and L around 54: f = (54-50)/(55-50) = 0.8, t = 0.2*tL + 0.8*tM.
        //  L 1.0->42 with M(1.0) = 46 + 0.25*9 = 48.25: 8.4 + 38.6 = 47
        //  L 0.5->50 with M(0.5) = 46 + 0.75*9 = 52.75: 10 + 42.2 = 52.2
        {"three curves, lower pair", hml, 54, true, true,
         gridThen(1, 1.25, {{47, 1.0}, {52.2, 0.5}, {66, 0.5}, {68, 0.875}, {75, 0.875}})},
        // A reference temperature itself gives that setting's own function.
        {"on a reference", hml, 50, true, true,
         gridThen(42, 1.0, {{42, 1.0}, {50, 0.5}, {66, 0.5}, {68, 0.875}, {75, 0.875}})},
        {"above the range", hl, 60.5f, true, false, {}},
        {"below the range", hl, 49.5f, false, false, {}},
        // The cooler neighbour has no points: no pair can be blended.
        {"unbuildable pair", throttle({curveH(), settingCurve(50, 0, {})}), 55, true, true, {}},
        // The valve's disinfection kv caps the grid below the first point, not
        // the points themselves; the row holds a copy, so the cap travels with it.
        {"valve cap", capped, 60, false, true,
         gridThen(50, 1.0, {{50, 1.25}, {55, 0.75}, {60, 0.25}, {75, 0.25}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLinearInterpolation table;
        table.Add(1, 1);  // emptied first
        EXPECT_EQ(c.valve.getFunktion(table, c.T, c.interpolate), c.ok);
        expectPoints(table, c.expected);

        // The array form carries the same points, tagged with T.
        std::vector<float> temps{7}, kvs{7}, refs{7};
        EXPECT_EQ(c.valve.getFunktion(c.T, temps, kvs, refs, c.interpolate), c.ok);
        ASSERT_EQ(temps.size(), c.expected.size());
        ASSERT_TRUE(kvs.size() == temps.size() && refs.size() == temps.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_FLOAT_EQ(temps[i], float(c.expected[i].x));
            EXPECT_FLOAT_EQ(kvs[i], float(c.expected[i].y));
            EXPECT_EQ(refs[i], c.T);
        }
    }
}

// --- nodes -------------------------------------------------------------------------------

TEST(DrossNode, WithoutYNothingReadsAShortYLeavesDefaults) {
    for (bool thermo : {false, true}) {
        for (std::string y : {"", "Y:0:0:0:\n"}) {
            const std::string name = thermo ? "ThermoDross" : "Dross";
            auto root =
                TreeItems::ReadFromString("[" + name + "]\nX:A-1\n" + y +
                                          "KVE_F::1\nKVE_S::1\nKVW::0.5\n[ENDE_" + name + "]\n");
            std::unique_ptr<nrvArmaturDross> v = thermo ? std::make_unique<nrvArmaturThermoDross>()
                                                        : std::make_unique<nrvArmaturDross>();
            EXPECT_EQ(v->read(root.get()), !y.empty()) << name << " " << y;
        }
    }
    // An older "Y" with the disinfection kv alone, and no curve leaves.
    nrvArmaturDross used;
    used.setDpmin(10.0f);
    used.setDpmax(20.0f);
    used.setEinheitEinst("Umdr.");
    used.addKurve(curveOf({{1, 0.5}}));
    auto root = TreeItems::ReadFromString("[Dross]\nX:A-1\nY:0.5\n[ENDE_Dross]\n");
    ASSERT_TRUE(used.read(root.get()));
    EXPECT_FLOAT_EQ(used.getKvDesinfektion(), 0.5f);
    EXPECT_EQ(used.getDpmin(), 0.0f);
    EXPECT_EQ(used.getDpmax(), 0.0f);
    EXPECT_EQ(used.getEinheitEinst(), "");
    EXPECT_TRUE(used.getKurve().bIsEmpty());
}

TEST(ThermoDrossNode, ThreeSettingCurvesComeBackInOrder) {
    nrvArmaturThermoDross v = throttle({curveH(), curveM(), curveL()});
    v.getKurveAt(0).setXp(2.0);
    CNode node;
    ASSERT_TRUE(v.write(&node));
    // One "CK" child per setting.
    EXPECT_EQ(node.NrOfChildren(), 3);
    EXPECT_NE(node.FindChild("CK", node.FindChild("CK", node.FindChild("CK"))), nullptr);
    nrvArmaturThermoDross back;
    ASSERT_TRUE(back.read(&node));
    ASSERT_EQ(back.getCount(), 3);
    const double refs[] = {60, 55, 50};
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(back.getKurveAt(i).getReferenzTemperatur(), refs[i]);
        EXPECT_EQ(back.getKurveAt(i).getParent(), &back) << "asks its own valve";
    }
    EXPECT_DOUBLE_EQ(back.getKurveAt(0).getXp(), 2.0);
    EXPECT_TRUE(back.isEqual(v));
    EXPECT_TRUE(back.hasDesinfektion());
}

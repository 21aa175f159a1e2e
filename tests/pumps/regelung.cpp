// Control roles, control curves, the proportional operating point and the
// control range of a pump.

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "pumps/fixtures.h"

using namespace pumpentest;

namespace {

void erwartePunkte(const CLinearInterpolation& k, const Punkte& erwartet) {
    const Punkte ist = punkteVon(k);
    ASSERT_EQ(ist.size(), erwartet.size());
    for (std::size_t i = 0; i < ist.size(); ++i) {
        EXPECT_NEAR(ist[i].first, erwartet[i].first, 1e-9) << "point " << i;
        EXPECT_NEAR(ist[i].second, erwartet[i].second, 1e-6) << "point " << i;
    }
}

const Punkte kFallend{{0, 70000}, {1, 60000}, {2, 40000}, {4, 0}};

}  // namespace

TEST(PumpenRollen, StoredCurveOfEveryRoleForEveryTypeAndCount) {
    // Index of the curve per role: proportional max, proportional min,
    // constant max, constant min. Every other combination has none.
    const std::map<std::pair<int, int>, std::array<int, 4>> rollen{
        {{1, 1}, {0, 0, 0, 0}}, {{2, 1}, {0, 0, 0, 0}}, {{3, 1}, {0, 0, 0, 0}},
        {{1, 2}, {0, 1, 0, 1}}, {{2, 2}, {0, 1, 0, 1}}, {{3, 2}, {0, 0, 1, 1}},
        {{3, 3}, {0, 0, 1, 2}}, {{3, 4}, {0, 1, 2, 3}},
    };
    for (int typ = -1; typ <= 4; ++typ) {
        for (int n = 0; n <= 5; ++n) {
            Katalog kat;
            nrvPumpe& p =
                kat.pumpe(typ, std::vector<Punkte>(static_cast<std::size_t>(n), kFallend));
            const auto it = rollen.find({typ, n});
            const std::array<bool, 4> prop{true, true, false, false};
            const std::array<bool, 4> max{true, false, true, false};
            for (std::size_t r = 0; r < 4; ++r) {
                const int index = it == rollen.end() ? -1 : it->second[r];
                EXPECT_EQ(p.getRegelKennlinie(prop[r], max[r]), p.getStatischeKennlinie(index))
                    << "type " << typ << ", " << n << " curves, role " << r;
            }
        }
    }
}

TEST(PumpenRegelkennlinie, CapsFromAboveAndShapesTheProportionalLine) {
    // clang-format off
    struct Fall { int typ; int proportional; int propForm; Punkte kurve; Punkte erwartet; };
    const Fall faelle[] = {
        // The point before the crossing moves onto it, the one above keeps its flow.
        {1, 0, 1, kFallend, {{0, 50000}, {1.5, 50000}, {2, 40000}, {4, 0}}},
        {2, 0, 1, kFallend, {{0, 25000}, {1.5, 50000}, {2, 40000}, {4, 0}}},
        {2, 0, 0, kFallend, {{0, 50000}, {1.5, 50000}, {2, 40000}, {4, 0}}},
        // Type 3 takes the line only for the proportional role.
        {3, 1, 1, kFallend, {{0, 25000}, {1.5, 50000}, {2, 40000}, {4, 0}}},
        {3, 0, 1, kFallend, {{0, 50000}, {1.5, 50000}, {2, 40000}, {4, 0}}},
        // Only one point above: it moves, so the curve no longer starts at zero flow.
        {1, 0, 1, {{0, 60000}, {2, 40000}, {4, 0}}, {{1, 50000}, {2, 40000}, {4, 0}}},
        {2, 0, 1, {{0, 60000}, {2, 40000}, {4, 0}}, {{1, 50000}, {2, 40000}, {4, 0}}},
        // Entirely below the set pressure: nothing to cap, no line.
        {2, 0, 1, {{0, 45000}, {2, 40000}, {4, 0}}, {{0, 45000}, {2, 40000}, {4, 0}}},
    };
    // clang-format on
    for (const Fall& f : faelle) {
        Katalog kat;
        nrvPumpe& p = kat.pumpe(f.typ, {f.kurve});
        CLinearInterpolation out;
        ASSERT_TRUE(p.getRegelkennlinie(50000.0, f.proportional, out, f.propForm)) << f.typ;
        SCOPED_TRACE("type " + std::to_string(f.typ) + " prop " + std::to_string(f.proportional));
        erwartePunkte(out, f.erwartet);
    }
}

TEST(PumpenRegelkennlinie, BothCurvesFollowMaximumAndMinimum) {
    Katalog kat;
    // Capping from below mirrors capping from above: the first point is
    // raised to the set pressure, the second moves onto the crossing at 1.5;
    // then the minimum takes the proportional line too.
    nrvPumpe& p = kat.pumpe(2, {kFallend, {{0, 20000}, {1, 40000}, {2, 60000}, {3, 0}}});
    CLinearInterpolation max, min;
    ASSERT_TRUE(p.getRegelkennlinie(50000.0, 1, max, min, 1, 1));
    erwartePunkte(max, {{0, 25000}, {1.5, 50000}, {2, 40000}, {4, 0}});
    erwartePunkte(min, {{0, 25000}, {1.5, 50000}, {2, 60000}, {3, 0}});
    ASSERT_TRUE(p.getRegelkennlinie(50000.0, 1, max, min, 1, 0));
    erwartePunkte(min, {{0, 50000}, {1.5, 50000}, {2, 60000}, {3, 0}});

    ASSERT_TRUE(p.getRegelkennlinie(50000.0, 1, max, min, 0, 1));
    EXPECT_EQ(max.getSize(), 4u);
    EXPECT_TRUE(min.isEmpty());
    // Without a minimum role the pair fails, and the outputs are left empty.
    Katalog leer;
    nrvPumpe& ohne = leer.pumpe(2, {kFallend, kFallend, kFallend});
    EXPECT_FALSE(ohne.getRegelkennlinie(50000.0, 1, max, min, 1, 1));
    EXPECT_TRUE(max.isEmpty());
    EXPECT_TRUE(min.isEmpty());
}

TEST(PumpenRegelkennlinie, SetPressureMustLieInTheAdmissibleRangeInMbarTimes100) {
    // clang-format off
    struct Fall { double dpMin, dpMax; double druck; bool ok; };
    const Fall faelle[] = {
        {0.5, 10, 0, false}, {0.5, 10, 49.9, false}, {0.5, 10, 50, true},
        {0.5, 10, 1000, true}, {0.5, 10, 1000.1, false},
        // Without "DPZUL" only -100 Pa itself passes.
        {-1, -1, -100, true}, {-1, -1, -99, false}, {-1, -1, 0, false},
    };
    // clang-format on
    for (const Fall& f : faelle) {
        Katalog kat;
        nrvPumpe& p = kat.pumpe(1, {kFallend}, f.dpMin, f.dpMax);
        CLinearInterpolation out, min;
        EXPECT_EQ(p.getRegelkennlinie(f.druck, 0, out, 0), f.ok) << f.druck;
        EXPECT_EQ(p.getRegelkennlinie(f.druck, 0, out, min, 1, 0), f.ok) << f.druck;
        EXPECT_EQ(out.isEmpty(), !f.ok);
    }
}

TEST(PumpenBetriebspunkt, ProportionalSetPressureThroughTheOperatingPoint) {
    // Hand-solved: M(q) = 60000 - 3e7 q, operating point q0 = 0.0005 m³/s,
    // p0 = 22500 Pa. The line from (0, H/2) to (q, H) passes (q0, p0) when
    // H (1 + q0/q) = 2 p0; with H = M(q) that is q = 0.001, H = 30000.
    // The walk takes the first step whose miss |2a - H| is within 500 Pa.
    // With d = q - q0 the miss is f(d) = 30000 - 22.5/d + 3e7 d, which
    // reaches -500 at d = 4.9586e-4, i.e. between the steps j = 1239
    // (f = -531.5) and j = 1240 (f = -482.9) of s = 0.002/5000 = 4e-7:
    // q = 0.000996, H = 60000 - 3e7 · 0.000996 = 30120.
    // The minimum curve 20000 - 1e7 q misses by 40000 + 7.5/d + 1e7 d > 0.
    Katalog kat;
    nrvPumpe& p = kat.pumpe(2, {{{0, 60000}, {0.002, 0}}, {{0, 20000}, {0.002, 0}}});
    EXPECT_NEAR(p.findSchnittPktBetriebsPktProp_Pa({"Netz", 0.0, 0.0005, 22500.0}), 30120.0, 1e-6);

    // No proportional curves, a faulty curve, or a point beyond the curve:
    // the point's own pressure.
    const Netzpunkt netz{"Netz", 0.0, 0.0005, 22500.0};
    EXPECT_EQ(kat.pumpe(0, {{{0, 60000}, {0.002, 0}}}).findSchnittPktBetriebsPktProp_Pa(netz),
              22500.0);
    EXPECT_EQ(kat.pumpe(-1, {{{0, 60000}, {0.002, 0}}}).findSchnittPktBetriebsPktProp_Pa(netz),
              22500.0);
    EXPECT_EQ(kat.pumpe(2, {{{0, 60000}, {0.002, 0}}, {{0.002, 2000}, {0, 20000}}})
                  .findSchnittPktBetriebsPktProp_Pa(netz),
              22500.0);
    EXPECT_EQ(p.findSchnittPktBetriebsPktProp_Pa({"Netz", 0.0, 0.003, 22500.0}), 22500.0);
    EXPECT_EQ(p.findSchnittPktBetriebsPktProp_Pa({"Netz", 0.0, -1e12, 22500.0}), 22500.0);
}

TEST(PumpenBetriebspunkt, ControlRangeLiesBetweenMaximumAndMinimumWithin1Pa) {
    // clang-format off
    struct Fall { int typ; std::vector<Punkte> kurven; double q, p; bool drin; };
    const Punkte max{{0, 70000}, {4, 0}};  // 52500 Pa at q = 1
    const Punkte min{{0, 20000}, {2, 0}};  // 10000 Pa at q = 1
    // clang-format off
    const Fall faelle[] = {
        {0, {max}, 1, 1e9, true},          {0, {}, 1, 1e9, true},
        {1, {}, 1, 0, false},              {-1, {max}, 1, 0, false},
        {1, {max}, 1, 52500.5, true},      {1, {max}, 1, 52501.5, false},
        {1, {max, min}, 1, 9999.5, true},  {1, {max, min}, 1, 9998.5, false},
        // Beyond the minimum curve's flows the point counts as below it.
        {1, {max, min}, 3, 5000, false},
        // Beyond the maximum curve's flows it counts as below that one.
        {1, {{{0, 70000}, {1, 0}}, {{0, 20000}, {4, 0}}}, 2, 15000, true},
        {1, {max}, 5, 1e9, false},         {3, {max, {}}, 1, 30000, false},
    };
    // clang-format on
    for (const Fall& f : faelle) {
        Katalog kat;
        nrvPumpe& pumpe = kat.pumpe(f.typ, f.kurven);
        EXPECT_EQ(pumpe.isBetriebsPktImIntervall({"Netz", 0.0, f.q, f.p}, 0), f.drin)
            << "type " << f.typ << " at " << f.q << ", " << f.p;
    }
}

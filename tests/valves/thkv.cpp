// Radiator valve bodies: kv ranges of the thermostatic body (with the kvs
// flag), the per-setting values of the body with flow limitation, and the
// one-pipe connection's radiator-path range and thermostatic part.

#include "kavex/valves/armaturthkv.h"

#include <gtest/gtest.h>

#include <array>

#include "valvetest.h"

using nrvBaseArmaturen::CEinstellungKurve;
using nrvBaseArmaturen::CKurve14;
using nrvBaseArmaturen::curveNode14;
using nrvVDIArmaturen::nrvArmaturEAV;
using nrvVDIArmaturen::nrvArmaturTHKV;
using nrvVDIArmaturen::nrvArmaturTHKVDFR;

namespace {

// Four values per setting, settings 1 to 3.
CKurve14 curve14(std::initializer_list<std::array<float, 4>> rows) {
    CKurve14 k;
    float x = 1.0f;
    for (const auto& r : rows)
        k.addCurveNode(curveNode14(x++, "", r[0], r[1], r[2], r[3]));
    return k;
}

}  // namespace

TEST(THKV, KvRangeFromTheSettingsOrTheKvs) {
    const auto kv = valvetest::curveOf<CEinstellungKurve>({{1, 0.75}, {2, 0.5}, {3, 0.25}});
    const struct {
        const char* name;
        bool withCurve, useKvs;
        double kvmin, kvmax;
    } cases[] = {
        {"settings", true, false, 0.25, 0.75},
        // Computed with its kvs: the kvs is the largest kv, whatever the curve.
        {"kvs flag", true, true, 0.25, 1.5},
        {"kvs flag, no settings", false, true, -1.0, 1.5},
        {"nothing", false, false, -1.0, -1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        nrvArmaturTHKV v;
        if (c.withCurve) v.addKvKurve(kv);
        v.setKvs(1.5);
        v.setUseKvs(c.useKvs);
        EXPECT_DOUBLE_EQ(v.getKvmin(), c.kvmin);
        EXPECT_DOUBLE_EQ(v.getKvmax(), c.kvmax);
    }
}

TEST(THKVDFR, PerSettingValues) {
    // (kv, dp max, active dp, max flow) per setting.
    nrvArmaturTHKVDFR v;
    v.addKurve14(curve14({{0.5f, 200, 10, 0.25f}, {0.25f, 300, 20, 0.125f}}));
    const struct {
        int i;
        double dpMax, wirkdruck, vmax;
    } cases[] = {{-1, 0, 0, 0}, {0, 200, 10, 0.25}, {1, 300, 20, 0.125}, {2, 0, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(v.getDpMaxAt(c.i), c.dpMax) << c.i;
        EXPECT_DOUBLE_EQ(v.getWirkdruck(c.i), c.wirkdruck) << c.i;
        EXPECT_DOUBLE_EQ(v.getVmaxAt(c.i), c.vmax) << c.i;
    }
    EXPECT_DOUBLE_EQ(v.getFlowRateMax(), 0.25);
    EXPECT_DOUBLE_EQ(v.getFlowRateMin(), 0.125);
    EXPECT_EQ(v.getKvmin(), -1.0);
    EXPECT_EQ(v.getKvmax(), -1.0);
    EXPECT_EQ(nrvArmaturTHKVDFR().getFlowRateMax(), 0.0);
}

TEST(EAV, RadiatorPathRangeAndThermostaticPart) {
    const struct {
        const char* name;
        CKurve14 curve;
        double kvmin, kvmax;
    } cases[] = {
        // Value 2 is the radiator-path kv; the bypass kv (value 1) plays no part.
        {"falling", curve14({{0.25f, 1.5f, 2, 100}, {1.0f, 0.5f, 2, 100}}), 0.5, 1.5},
        {"rising", curve14({{9, 0.25f, 2, 100}, {9, 0.5f, 2, 100}, {9, 2.0f, 2, 100}}), 0.25, 2.0},
        {"empty", CKurve14(), -1.0, -1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        nrvArmaturEAV v;
        v.addKurve14(c.curve);
        EXPECT_DOUBLE_EQ(v.getKvmin(), c.kvmin);
        EXPECT_DOUBLE_EQ(v.getKvmax(), c.kvmax);
    }

    nrvArmaturEAV v;
    EXPECT_FALSE(v.hasTHKV());
    v.setXp(0.0);
    EXPECT_TRUE(v.hasTHKV());
}

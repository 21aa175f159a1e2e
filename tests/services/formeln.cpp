// The hydraulic formulas against numbers worked out by hand, and the
// three-decimal rounding the kv comparisons rely on.

#include "kavex/services/formeln.h"

#include <gtest/gtest.h>

#include "kavex/services/armaturcontainer.h"

namespace f = nrvBaseArmaturen::nrvFormeln;
using nrvBaseArmaturen::RnArmaturContainer;

TEST(Formeln, KvAndPressureLoss) {
    // Flow, pressure loss, kv, density. By definition 1 m³/h through kv 1
    // loses 1 bar; (0.1 / 0.3)² bar is 11 111 Pa; half the density, half the loss.
    const double cases[][4] = {{1.0, 100000.0, 1.0, 1000.0},
                               {0.1, 100000.0 / 9.0, 0.3, 1000.0},
                               {2.0, 50000.0, 2.0, 500.0}};
    for (const auto& [V, dp, kv, rho] : cases) {
        EXPECT_NEAR(RnArmaturContainer::_kvWert(V, dp, rho), kv, 1e-12);
        EXPECT_NEAR(RnArmaturContainer::_dpWert(V, kv, rho), dp, 1e-9);
    }
    // Nothing divides by a zero kv or pressure difference.
    for (double zero : {0.0, -5.0, f::kNull}) {
        EXPECT_EQ(f::_kvWert(1.0, zero, 1000.0), 0.0);
        EXPECT_EQ(f::_dpWert(1.0, zero, 1000.0), 0.0);
    }
    EXPECT_GT(f::_dpWert(1.0, 2 * f::kNull, 1000.0), 0.0);
}

TEST(Formeln, SeriesUnitsAndRounding) {
    const double series[][3] = {{3, 4, 2.4}, {4, 3, 2.4}, {2, 0, 2}, {0, 2, 2}, {0, 0, 0}};
    for (const auto& s : series)
        EXPECT_NEAR(f::_kvSerie(s[0], s[1]), s[2], 1e-12);
    // The loss through a series is the sum of the two losses.
    EXPECT_NEAR(f::_dpWert(1.7, f::_kvSerie(3, 4), 998),
                f::_dpWert(1.7, 3, 998) + f::_dpWert(1.7, 4, 998), 1e-8);
    EXPECT_EQ(RnArmaturContainer::Pa_mbar(12345.0), 123.45);
    EXPECT_EQ(RnArmaturContainer::mbar_Pa(123.45), 12345.0);
    const double rounded[][2] = {{0.0494999, 0.049}, {0.0496, 0.05}, {0.6699999999, 0.67},
                                 {1.0006, 1.001},    {-0.0004, 0.0}, {2.9999, 3.0}};
    for (const auto& r : rounded)
        EXPECT_DOUBLE_EQ(f::runden3(r[0]), r[1]) << r[0];
    EXPECT_DOUBLE_EQ(f::runden(0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(f::rundenGanz(149.6), 150.0);
}

// Piecewise-linear interpolation tables.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "kavex/platform/interpolation.h"

namespace {

constexpr double kNo = std::numeric_limits<double>::max();
using Points = std::initializer_list<std::pair<double, double>>;
using Queries = std::vector<std::tuple<double, bool, double>>;  // x, hold ends, y

CLinearInterpolation table(Points points) {
    CLinearInterpolation t;
    for (auto [x, y] : points)
        t.Add(x, y);
    return t;
}

TEST(LinearInterpolation, InsideAtAndOutsideWithBothFlags) {
    const Queries around20 = {{5, false, 50},   {15, false, 125},   {0, false, 0},
                              {10, false, 100}, {20, false, 150},   {19.5, true, 147.5},
                              {-1, false, kNo}, {20.5, false, kNo}, {-1, true, 0},
                              {1e9, true, 150}, {-1e300, true, 0},  {NAN, false, kNo},
                              {NAN, true, kNo}};
    // Unsorted on purpose: setting curves hand points over in their own order,
    // and the first stored segment holding x wins.
    const std::tuple<const char*, CLinearInterpolation, Queries> cases[] = {
        {"ascending", table({{0, 0}, {10, 100}, {20, 150}}), around20},
        {"descending", table({{20, 150}, {10, 100}, {0, 0}}), around20},
        {"unsorted",
         table({{0, 0}, {10, 10}, {5, 100}}),
         {{7, false, 7}, {5, false, 5}, {10, false, 10}, {11, true, 10}}},
        {"vertical", table({{5, 1}, {5, 2}, {6, 3}}), {{5, false, 1}, {5.5, false, 2.5}}},
        {"one point",
         table({{3, 7}}),
         {{3, false, 7}, {4, false, kNo}, {2, true, 7}, {4, true, 7}}},
        {"empty", table({}), {{0, false, kNo}, {0, true, kNo}}}};
    for (const auto& [what, t, queries] : cases) {
        for (auto [x, hold, y] : queries)
            EXPECT_DOUBLE_EQ(t.GetY(x, hold), y) << what << " x=" << x << " hold=" << hold;
    }
    const CLinearInterpolation empty;
    EXPECT_EQ(std::make_pair(empty.firstX(), empty.lastY()), std::make_pair(kNo, kNo));
}

TEST(LinearInterpolation, SortOrdersAndDropsNearDuplicates) {
    auto t = table({{3, 30}, {1, 10}, {2, 20}, {1 + 5e-7, 99}, {1, 11}, {2 + 2e-6, 21}});
    CLinearInterpolation loose = t;
    loose.sort(1e-6);
    ASSERT_EQ(loose.getSize(), 4u);
    const double xs[] = {1, 2, 2 + 2e-6, 3}, ys[] = {10, 20, 21, 30};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(loose.GetAtXArray(i), xs[i]);
        EXPECT_EQ(loose.GetAtYArray(i), ys[i]);  // the first of near-equal points stays
    }
    t.sort(0.0);  // exact duplicates only
    EXPECT_EQ(t.getSize(), 5u);
    EXPECT_EQ(t.GetAtYArray(1), 99);

    auto withNan = table({{NAN, 1}, {2, 2}, {1, 1}});
    withNan.sort();
    EXPECT_EQ(withNan.firstX(), 1);
    EXPECT_TRUE(std::isnan(withNan.lastX()));
}

TEST(LinearInterpolation, IndexAccessAppendsAtTheEndAndThrowsBeyond) {
    CLinearInterpolation t;
    t.SetAtXArray(0, 1.0);  // appends (1, 0)
    t.SetAtYArray(0, 5.0);
    t.SetAtYArray(1, 7.0);  // appends (0, 7)
    ASSERT_EQ(t.getSize(), 2u);
    EXPECT_EQ(std::make_tuple(t.GetAtXArray(0), t.GetAtYArray(0), t.GetAtXArray(1), t.lastY()),
              std::make_tuple(1.0, 5.0, 0.0, 7.0));
    EXPECT_THROW(t.GetAtXArray(2), std::invalid_argument);
    EXPECT_THROW(t.GetAtYArray(99), std::invalid_argument);
    EXPECT_THROW(t.SetAtXArray(3, 1.0), std::invalid_argument);
    EXPECT_THROW(t.SetAtYArray(3, 1.0), std::invalid_argument);
    EXPECT_EQ(t.getSize(), 2u);
    t.reset();
    EXPECT_EQ(t.GetY(0.5, true), kNo);
}

}  // namespace

// Piecewise-linear interpolation tables.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "kavex/platform/interpolation.h"

namespace {

constexpr double kNo = CLinearInterpolation::NoValue;

CLinearInterpolation table(std::initializer_list<std::pair<double, double>> points) {
    CLinearInterpolation t;
    for (auto [x, y] : points)
        t.Add(x, y);
    return t;
}

struct Query {
    double x;
    bool hold;
    double y;
};

void expectAnswers(const CLinearInterpolation& t, std::initializer_list<Query> queries,
                   const char* what) {
    for (const Query& q : queries) {
        EXPECT_DOUBLE_EQ(t.GetY(q.x, q.hold), q.y) << what << " x=" << q.x << " hold=" << q.hold;
    }
}

TEST(LinearInterpolation, AnswersAscendingAndDescendingTablesAlike) {
    const std::initializer_list<Query> queries = {
        {5, false, 50},   {15, false, 125},    {0, false, 0},     {10, false, 100},
        {20, false, 150}, {19.5, true, 147.5}, {-1, false, kNo},  {20.5, false, kNo},
        {-1, true, 0},    {1e9, true, 150},    {-1e300, true, 0},
    };
    expectAnswers(table({{0, 0}, {10, 100}, {20, 150}}), queries, "ascending");
    expectAnswers(table({{20, 150}, {10, 100}, {0, 0}}), queries, "descending");
}

TEST(LinearInterpolation, TheFirstStoredSegmentHoldingXWins) {
    // Unsorted on purpose: setting curves hand points over in their own order.
    auto t = table({{0, 0}, {10, 10}, {5, 100}});
    expectAnswers(t, {{7, false, 7}, {5, false, 5}, {10, false, 10}, {11, true, 10}}, "unsorted");
    auto vertical = table({{5, 1}, {5, 2}, {6, 3}});
    expectAnswers(vertical, {{5, false, 1}, {5.5, false, 2.5}}, "vertical");
}

TEST(LinearInterpolation, OnePointAndEmptyTables) {
    auto one = table({{3, 7}});
    expectAnswers(one, {{3, false, 7}, {4, false, kNo}, {2, true, 7}, {4, true, 7}}, "one point");
    CLinearInterpolation empty;
    expectAnswers(empty, {{0, false, kNo}, {0, true, kNo}}, "empty");
    EXPECT_TRUE(empty.isEmpty());
    for (double v : {empty.firstX(), empty.firstY(), empty.lastX(), empty.lastY()}) {
        EXPECT_EQ(v, kNo);
    }
    EXPECT_EQ(kNo, std::numeric_limits<double>::max());
}

TEST(LinearInterpolation, NotANumberHasNoValue) {
    auto t = table({{0, 0}, {10, 100}});
    EXPECT_EQ(t.GetY(std::nan(""), false), kNo);
    EXPECT_EQ(t.GetY(std::nan(""), true), kNo);
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

    auto withNan = table({{std::nan(""), 1}, {2, 2}, {1, 1}});
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
    EXPECT_EQ(t.GetAtXArray(0), 1.0);
    EXPECT_EQ(t.GetAtYArray(0), 5.0);
    EXPECT_EQ(t.GetAtXArray(1), 0.0);
    EXPECT_EQ(t.lastY(), 7.0);
    EXPECT_THROW(t.GetAtXArray(2), std::invalid_argument);
    EXPECT_THROW(t.GetAtYArray(99), std::invalid_argument);
    EXPECT_THROW(t.SetAtXArray(3, 1.0), std::invalid_argument);
    EXPECT_THROW(t.SetAtYArray(3, 1.0), std::invalid_argument);
    EXPECT_EQ(t.getSize(), 2u);
}

TEST(LinearInterpolation, CopiesAreIndependentAndResetEmpties) {
    auto t = table({{0, 0}, {1, 1}});
    CLinearInterpolation copy;
    copy = t;
    t.Add(2, 4);
    EXPECT_EQ(copy.getSize(), 2u);
    EXPECT_EQ(copy.GetY(1.5, false), kNo);
    EXPECT_EQ(t.GetY(1.5, false), 2.5);
    t.reset();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(t.GetY(0.5, true), kNo);
}

}  // namespace

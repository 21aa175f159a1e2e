#include "kavex/curves/kurve.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <stdexcept>

using namespace nrvBaseArmaturen;

namespace {

constexpr float kNo = 3.4028235e38f;
constexpr auto C = CKurve::closest, H = CKurve::higher, L = CKurve::lower;

// Nodes labelled "0", "1", ... from (x, x2, y) triples.
CKurve makeCurve(std::initializer_list<std::array<float, 3>> points) {
    CKurve k;
    int i = 0;
    for (const auto& [x, x2, y] : points)
        k.addCurveNode(x, std::to_string(i++), y, x2);
    return k;
}

std::string order(const CKurve& k) {
    std::string s;
    for (const curveNode& n : k.nodes())
        s += n.einst;
    return s;
}

TEST(KurveLookup, InterpolatesOnAllFourAxisPairs) {
    const CKurve rising = makeCurve({{0, 100, 1}, {10, 200, 3}, {20, 400, 4}});
    const CKurve falling = makeCurve({{20, 400, 4}, {10, 200, 3}, {0, 100, 1}});
    using Lookup = float (CKurve::*)(float) const;
    const Lookup y = &CKurve::getYInterpol, x2 = &CKurve::getX2, x = &CKurve::getX,
                 xAtY = &CKurve::getXInterpol;
    struct Case {
        Lookup lookup;
        float query, expected;
    } cases[] = {{y, 5, 2},    {y, 15, 3.5f}, {y, 10, 3},       {y, 25, kNo},  {y, -1, kNo},
                 {x2, 5, 150}, {x2, 15, 300}, {x2, 21, kNo},    {x, 150, 5},   {x, 300, 15},
                 {x, 50, kNo}, {xAtY, 2, 5},  {xAtY, 3.5f, 15}, {xAtY, 4, 20}, {xAtY, 0.5f, kNo}};
    for (const CKurve* k : {&rising, &falling}) {
        for (const Case& c : cases) {
            EXPECT_FLOAT_EQ((k->*c.lookup)(c.query), c.expected) << c.query;
        }
    }
    // Empty: no value; one node: its value wherever asked.
    const CKurve one = makeCurve({{3, 7, 9}});
    for (Lookup f : {y, x2, x, xAtY})
        EXPECT_EQ((CKurve().*f)(0.0f), kNo);
    EXPECT_EQ(one.getYInterpol(-50), 9.0f);
    EXPECT_EQ(one.getX2(1e6f), 7.0f);
    EXPECT_EQ(one.getX(0), 3.0f);
}

TEST(KurveLookup, StoredPointWithinToleranceWinsOverTable) {
    // The table would answer 1.0004 at 1.000004.
    const CKurve k = makeCurve({{0, 0, 0}, {1, 0, 1}, {2, 0, 100}});
    EXPECT_EQ(k.getYInterpol(1.000004f), 1.0f);
    EXPECT_NE(k.getYInterpol(1.00002f), 1.0f);
    // With duplicate abscissae the first matching node wins.
    EXPECT_EQ(makeCurve({{0, 0, 1}, {1, 0, 2}, {1, 0, 5}, {2, 0, 6}}).getYInterpol(1.0f), 2.0f);
}

TEST(KurveLookup, NearestByX) {
    const CKurve rising = makeCurve({{1, 0, 10}, {2, 0, 20}, {4, 0, 40}});
    const CKurve falling = makeCurve({{4, 0, 40}, {2, 0, 20}, {1, 0, 10}});
    const CKurve flatStep = makeCurve({{1, 0, 1}, {2, 0, 2}, {2, 0, 5}, {3, 0, 3}});
    const CKurve one = makeCurve({{1, 0, 7}});
    const auto bad = static_cast<CKurve::enNearest>(7);
    struct Case {
        const CKurve* k;
        float x;
        CKurve::enNearest mode;
        float y;
    } cases[] = {// ends answer whatever the mode; hits within 1e-5; ties go to the earlier node
                 {&rising, 0.5f, H, 10},
                 {&rising, 1, H, 10},
                 {&rising, 5, L, 40},
                 {&rising, 0, bad, 10},
                 {&rising, 2.000005f, L, 20},
                 {&rising, 1.999995f, H, 20},
                 {&rising, 1.5f, C, 10},
                 {&rising, 1.6f, C, 20},
                 {&rising, 3, C, 20},
                 {&rising, 1.5f, H, 20},
                 {&rising, 1.5f, L, 10},
                 {&rising, 3.5f, H, 40},
                 {&rising, 3.5f, L, 20},
                 {&rising, 1.5f, bad, -kNo},
                 {&falling, 5, L, 40},
                 {&falling, 0.5f, H, 10},
                 {&falling, 3, C, 40},
                 {&falling, 2.5f, C, 20},
                 {&falling, 3, H, 40},
                 {&falling, 3, L, 20},
                 {&falling, 1.5f, H, 20},
                 {&falling, 1.5f, L, 10},
                 {&falling, 2.000001f, H, 20},
                 {&flatStep, 2, H, 2},
                 {&flatStep, 2.5f, C, 5},
                 {&flatStep, 2.5f, H, 3},
                 {&one, 99, L, 7},
                 {&rising, std::nanf(""), C, -kNo}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.k->getYNearest(c.x, c.mode), c.y) << order(*c.k) << " " << c.x << "/" << c.mode;
    }
    EXPECT_EQ(CKurve().getYNearest(1.0f), -kNo);
}

TEST(KurveLookup, NearestByYGivesXAndLabel) {
    CKurve k;
    k.addCurveNode(1, "a", 10);
    k.addCurveNode(2, "b", 20);
    k.addCurveNode(3, "c", 30);
    CKurve one;
    one.addCurveNode(4, "d", 10);
    struct Case {
        const CKurve* k;
        float y;
        int mode, result;
        const char* label;  // "-": untouched
    } cases[] = {{&k, 15, 0, 1, "a"},   {&k, 16, 0, 1, "b"},   {&k, 11, 1, 1, "b"},
                 {&k, 19, 2, 1, "a"},   {&k, 5, 1, 1, "a"},    {&k, 35, 2, 1, "c"},
                 {&k, 20, 2, 1, "b"},   {&k, 15, 7, 0, "-"},   {&k, 40, 7, 1, "c"},
                 {&one, 12, 0, 1, "d"}, {&one, 12, 1, 0, "-"}, {&one, 12, 2, 1, "d"},
                 {&one, 8, 1, 1, "d"},  {&one, 8, 2, 0, "-"},  {&one, 10, 3, 0, "-"}};
    for (const Case& c : cases) {
        float x = -1;
        std::string label = "-";
        EXPECT_EQ(c.k->getXNearest(x, label, c.y, static_cast<CKurve::enNearest>(c.mode)), c.result)
            << c.y << "/" << c.mode;
        EXPECT_EQ(label, c.label) << c.y << "/" << c.mode;
    }
    float x = 0;
    std::string label;
    EXPECT_EQ(CKurve().getXNearest(x, label, 1.0f, C), 0);
}

TEST(KurveNode, SettingLabels) {
    struct Case {
        const char *einst, *xText, *x2Text, *label;
        float x, x2;
        int result;
    } cases[] = {{"", "", "", "<unbekannt>", -9999, 0, 0},
                 {"N", "", "", "N", -9999, 0, 1},
                 {"", "2.5", "0.3", "", 2.5f, 0.3f, 1},
                 {"3", "3", "abc", "3", 3, 0, 1},
                 {"", "", "7", "<unbekannt>", -9999, 7, 0}};
    for (const Case& c : cases) {
        curveNode n(1, "old", 42, 1);
        EXPECT_EQ(n.setEinstellung(c.einst, c.xText, c.x2Text), c.result);
        EXPECT_EQ(n.einst, c.label);
        EXPECT_EQ(n.x, c.x);
        EXPECT_EQ(n.x2, c.x2);
        EXPECT_EQ(n.y, 42.0f);
    }
    struct Shown {
        float x;
        const char *label, *text;
    } shown[] = {{2.5f, "", "2.5"},   {3, "III", "3 (III)"}, {-9999, "N", "N"},
                 {1e6f, "", "1e+06"}, {-9998.5f, "a", "a"},  {-9997, "a", "-9997 (a)"}};
    for (const Shown& s : shown)
        EXPECT_EQ(curveNode(s.x, s.label, 0).getEinst(), s.text);
}

TEST(KurveNode, SameSetting) {
    struct Case {
        float x1;
        const char* l1;
        float x2;
        const char* l2;
        bool same;
    } cases[] = {{1, "a", 1.000005f, "b", true}, {1, "", 1.00002f, "", false},
                 {-9999, "N", -9999, "N", true}, {-9999, "N", -9999, "M", false},
                 {-9999, "N", 5, "N", false},    {-9998.999f, "N", -9999, "N", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(curveNode(c.x1, c.l1, 1) == curveNode(c.x2, c.l2, 2), c.same) << c.x1 << c.l1;
        EXPECT_EQ(curveNode(c.x2, c.l2, 1) == curveNode(c.x1, c.l1, 2), c.same) << c.x2 << c.l2;
    }
}

TEST(KurveNodes, IndexErrors) {
    CKurve k;
    EXPECT_THROW(k.getAt(0), std::invalid_argument);
    EXPECT_THROW(k.getFirstNode(), std::invalid_argument);
    EXPECT_THROW(k.getLastNode(), std::invalid_argument);
    EXPECT_THROW(k[0], std::invalid_argument);
    EXPECT_THROW(k.setCurveNodeAt(-1, curveNode()), std::invalid_argument);
    EXPECT_FALSE(k.setCurveNodeAt(0, curveNode()));

    k = makeCurve({{1, 0, 10}, {2, 0, 20}});
    EXPECT_EQ(k.getAt(-5).y, 10.0f);
    EXPECT_EQ(k.getAt(2).y, 20.0f);
    EXPECT_THROW(k[-1], std::invalid_argument);
    EXPECT_THROW(std::as_const(k)[2], std::invalid_argument);
    EXPECT_FALSE(k.setCurveNodeAt(2, curveNode()));
    EXPECT_TRUE(k.setCurveNodeAt(1, curveNode(5, "e", 50)));
    EXPECT_EQ(k.getLastNode().einst, "e");
}

TEST(KurveNodes, InsertSortAndSwap) {
    CKurve k;
    k.addCurveNode(2, "b", 30);
    k.addCurveNodeAt(0, 1, "a", 20);
    k.addCurveNodeAt(-3, 0, "z", 40);  // below 0: at the front
    k.addCurveNodeAt(99, 3, "c", 10);  // beyond the end: appended
    k.addCurveNodeAt(2, curveNode(1.5f, "m", 25));
    EXPECT_EQ(order(k), "zambc");
    k.SortbyX(true);
    EXPECT_EQ(order(k), "cbmaz");
    k.SortbyY();
    EXPECT_EQ(order(k), "cambz");
    k.SortbyY(true, true);
    EXPECT_EQ(order(k), "zbmac");
    k.swapNodes();
    EXPECT_EQ(order(k), "cambz");
    k.swapNodes();
    EXPECT_EQ(order(k), "zbmac");
    // NaN from a damaged file must not upset the sort.
    for (int i = 0; i < 40; ++i)
        k.addCurveNode(i % 3 ? float(40 - i) : std::nanf(""), "", 0);
    k.SortbyX();
    EXPECT_EQ(k.getFirstNode().x, 0.0f);
    EXPECT_TRUE(std::isnan(k.getLastNode().x));
}

}  // namespace

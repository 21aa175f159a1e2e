// Lookups, node rules and node access of the two-axis curve.
#include "kavex/curves/kurve.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <stdexcept>
#include <tuple>
#include <utility>

using namespace nrvBaseArmaturen;

namespace {

constexpr float kNo = 3.4028235e38f;
constexpr auto C = CKurve::closest, H = CKurve::higher, L = CKurve::lower;
const auto kBad = static_cast<CKurve::enNearest>(7);

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
    const std::tuple<Lookup, float, float> cases[] = {
        {y, 5, 2},    {y, 15, 3.5f}, {y, 10, 3},       {y, 25, kNo},  {y, -1, kNo},
        {x2, 5, 150}, {x2, 15, 300}, {x2, 21, kNo},    {x, 150, 5},   {x, 300, 15},
        {x, 50, kNo}, {xAtY, 2, 5},  {xAtY, 3.5f, 15}, {xAtY, 4, 20}, {xAtY, 0.5f, kNo}};
    for (const CKurve* k : {&rising, &falling}) {
        for (auto [lookup, query, expected] : cases)
            EXPECT_FLOAT_EQ((k->*lookup)(query), expected) << order(*k) << " " << query;
    }
    // Empty: no value; one node: its value wherever asked.
    for (Lookup f : {y, x2, x, xAtY})
        EXPECT_EQ((CKurve().*f)(0.0f), kNo);
    const CKurve one = makeCurve({{3, 7, 9}});
    EXPECT_EQ(one.getYInterpol(-50) + one.getX2(1e6f) + one.getX(0), 19.0f);
    // A stored point within 1e-5 answers itself (the table would give 1.0004);
    // of two equal abscissae the first wins.
    const CKurve steep = makeCurve({{0, 0, 0}, {1, 0, 1}, {1, 0, 5}, {2, 0, 100}});
    EXPECT_EQ(steep.getYInterpol(1.000004f), 1.0f);
    EXPECT_NE(steep.getYInterpol(1.00002f), 1.0f);
}

TEST(KurveLookup, NearestOnRisingAndFallingCurves) {
    const CKurve up = makeCurve({{1, 0, 10}, {2, 0, 20}, {4, 0, 40}});
    const CKurve dn = makeCurve({{4, 0, 40}, {2, 0, 20}, {1, 0, 10}});
    const CKurve flat = makeCurve({{1, 0, 1}, {2, 0, 2}, {2, 0, 5}, {3, 0, 3}});
    const CKurve one = makeCurve({{1, 0, 7}});
    // Ends answer whatever the mode; hits within 1e-5; ties go to the earlier node.
    const std::tuple<const CKurve*, float, CKurve::enNearest, float> byX[] = {
        {&up, 0.5f, H, 10},      {&up, 5, L, 40},         {&up, 0, kBad, 10},
        {&up, 1.5f, C, 10},      {&up, 1.6f, C, 20},      {&up, 3.5f, H, 40},
        {&up, 3.5f, L, 20},      {&up, 1.5f, kBad, -kNo}, {&dn, 5, L, 40},
        {&dn, 0.5f, H, 10},      {&dn, 3, C, 40},         {&dn, 2.5f, C, 20},
        {&dn, 3, H, 40},         {&dn, 3, L, 20},         {&dn, 2.000001f, H, 20},
        {&up, 2.000005f, L, 20}, {&flat, 2.5f, C, 5},     {&up, 1.999995f, H, 20},
        {&flat, 2.5f, H, 3},     {&one, 99, L, 7},        {&up, NAN, C, -kNo}};
    for (auto [k, x, mode, y] : byX)
        EXPECT_EQ(k->getYNearest(x, mode), y) << order(*k) << " " << x << "/" << mode;
    EXPECT_EQ(CKurve().getYNearest(1.0f), -kNo);

    // By y: the chosen node's x and label; nothing chosen leaves both untouched.
    const CKurve ys = makeCurve({{0, 0, 10}, {1, 0, 20}, {2, 0, 30}}), y1 = makeCurve({{0, 0, 10}}),
                 none;
    const std::tuple<const CKurve*, float, CKurve::enNearest, const char*> byY[] = {
        {&ys, 15, C, "0"}, {&ys, 16, C, "1"}, {&ys, 11, H, "1"},    {&ys, 19, L, "0"},
        {&ys, 35, L, "2"}, {&ys, 20, L, "1"}, {&ys, 15, kBad, "-"}, {&ys, 40, kBad, "2"},
        {&ys, 5, H, "0"},  {&y1, 12, C, "0"}, {&y1, 12, H, "-"},    {&y1, 8, H, "0"},
        {&y1, 8, L, "-"},  {&none, 1, C, "-"}};
    for (auto [k, y, mode, expected] : byY) {
        float x = -1;
        std::string label = "-";
        const int chosen = k->getXNearest(x, label, y, mode);
        EXPECT_EQ(chosen, label == "-" ? 0 : 1);
        EXPECT_EQ(label, expected) << y << "/" << mode;
        EXPECT_EQ(x, label == "-" ? -1.0f : std::stof(label));
    }
}

TEST(KurveNode, SettingLabelsAndSameSetting) {
    // (label, x text, x2 text) -> (result, label, x, x2); y stays.
    const std::tuple<const char*, const char*, const char*, int, const char*, float, float> set[] =
        {{"", "", "", 0, "<unbekannt>", -9999, 0},
         {"N", "", "", 1, "N", -9999, 0},
         {"", "2.5", "0.3", 1, "", 2.5f, 0.3f},
         {"3", "3", "abc", 1, "3", 3, 0},
         {"", "", "7", 0, "<unbekannt>", -9999, 7}};
    for (auto [einst, xText, x2Text, result, label, x, x2] : set) {
        curveNode n(1, "old", 42, 1);
        EXPECT_EQ(n.setEinstellung(einst, xText, x2Text), result);
        EXPECT_EQ(std::tie(n.einst, n.x, n.x2, n.y), std::make_tuple(label, x, x2, 42.0f));
    }
    const std::tuple<float, const char*, const char*> shown[] = {
        {2.5f, "", "2.5"},   {3, "III", "3 (III)"}, {-9999, "N", "N"},
        {1e6f, "", "1e+06"}, {-9998.5f, "a", "a"},  {-9997, "a", "-9997 (a)"}};
    for (auto [x, label, text] : shown)
        EXPECT_EQ(curveNode(x, label, 0).getEinst(), text);
    const std::tuple<float, const char*, float, const char*, bool> same[] = {
        {1, "a", 1.000005f, "b", true}, {1, "", 1.00002f, "", false},
        {-9999, "N", -9999, "N", true}, {-9999, "N", -9999, "M", false},
        {-9999, "N", 5, "N", false},    {-9998.999f, "N", -9999, "N", false}};
    for (auto [x1, l1, x2, l2, expected] : same) {
        EXPECT_EQ(curveNode(x1, l1, 1) == curveNode(x2, l2, 2), expected) << x1 << l1;
        EXPECT_EQ(curveNode(x2, l2, 1) == curveNode(x1, l1, 2), expected) << x2 << l2;
    }
}

TEST(KurveNodes, IndexErrorsInsertionSortingAndCopies) {
    CKurve k;
    EXPECT_THROW(k.getAt(0), std::invalid_argument);
    EXPECT_THROW(k.getFirstNode(), std::invalid_argument);
    EXPECT_THROW(k.getLastNode(), std::invalid_argument);
    EXPECT_THROW(k[0], std::invalid_argument);
    EXPECT_THROW(k.setCurveNodeAt(-1, curveNode()), std::invalid_argument);
    EXPECT_FALSE(k.setCurveNodeAt(0, curveNode()));

    k = makeCurve({{1, 0, 10}, {2, 0, 20}});
    EXPECT_EQ(k.getAt(-5).y + k.getAt(2).y, 30.0f);  // clamped to the ends
    EXPECT_THROW(k[-1], std::invalid_argument);
    EXPECT_THROW(std::as_const(k)[2], std::invalid_argument);
    EXPECT_FALSE(k.setCurveNodeAt(2, curveNode()));
    EXPECT_TRUE(k.setCurveNodeAt(1, curveNode(5, "e", 50)));

    k.addCurveNodeAt(-3, 0, "z", 40);  // below 0: at the front
    k.addCurveNodeAt(99, 9, "c", 5);   // beyond the end: appended
    k.addCurveNodeAt(2, curveNode(3, "m", 25));
    EXPECT_EQ(order(k), "z0mec");
    k.SortbyX(true);
    EXPECT_EQ(order(k), "cem0z");
    k.SortbyY();
    EXPECT_EQ(order(k), "c0mze");
    // NaN from a damaged file must not upset the sort.
    for (int i = 0; i < 40; ++i)
        k.addCurveNode(i % 3 ? float(40 - i) : NAN, "", 0);
    k.SortbyX();
    EXPECT_EQ(k.getFirstNode().x, 0.0f);
    EXPECT_TRUE(std::isnan(k.getLastNode().x));

    // Copies carry nodes and units but not the owner: the new owner sets it.
    CKurve owner, assigned;
    k.setParent(&owner);
    k.setEinheity("m³/h");
    assigned = k;
    for (const CKurve& copy : {assigned, CKurve(k)}) {
        EXPECT_EQ(copy.getSize(), k.getSize());
        EXPECT_EQ(copy.getEinheity(), "m³/h");
        EXPECT_EQ(copy.getParent(), nullptr);
    }
}

}  // namespace

#include "kavex/curves/einstellungkurve.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "kavex/platform/interpolation.h"
#include "kavex/platform/treestore.h"

using namespace nrvBaseArmaturen;

namespace {

using Points = std::vector<std::pair<double, double>>;

// Stands in for the throttling valve that owns the setting curve.
class ThrottleOwner : public nrvArmaturObject {
public:
    explicit ThrottleOwner(double kv) : m_kv(kv) {}
    double getKvThermDesinfektion() const override { return m_kv; }

private:
    double m_kv;
};

CEinstellungKurve makeCurve(const Points& points, double kvDesinfektion = 0.0) {
    CEinstellungKurve k;
    for (const auto& [t, kv] : points)
        k.addCurveNode(float(t), "", float(kv));
    k.setKvDesinfektion(kvDesinfektion);
    return k;
}

// The whole-degree grid 0 .. end-1 with the given kv per degree, then `rest`.
Points grid(int end, const std::function<double(int)>& kv, std::initializer_list<Points> rest) {
    Points p;
    for (int t = 0; t < end; ++t)
        p.emplace_back(t, kv(t));
    for (const Points& r : rest)
        p.insert(p.end(), r.begin(), r.end());
    return p;
}

void expectTable(const CLinearInterpolation& table, const Points& expected) {
    ASSERT_EQ(table.getSize(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(table.GetAtXArray(i), expected[i].first, 1e-5) << "point " << i;
        EXPECT_NEAR(table.GetAtYArray(i), expected[i].second, 1e-5) << "point " << i;
    }
}

TEST(EinstellungFunktion, HandComputedTables) {
    const Points from35 = {{35, 0.8}, {40, 0.6}, {45, 0.3}, {50, 0.1}};
    const Points branch = {{66, 0.1}, {68, 1.2}, {75, 1.2}};
    const Points falling = {{45, 0.2}, {40, 0.5}, {35, 0.9}};
    auto fallingGrid = [](int t) {  // read off `falling` between its points
        return t <= 35 ? 0.9 : t <= 40 ? 0.9 - 0.08 * (t - 35) : 0.5 - 0.06 * (t - 40);
    };
    ThrottleOwner cap05(0.5), cap2(2.0), noDesinfektion(0.0);
    struct Case {
        const char* why;
        Points curve;
        double kvDesinfektion;
        ThrottleOwner* owner;
        bool withoutDisinfection;
        Points expected;
    } cases[] = {{"starts at 1: no grid",
                  {{1, 2}, {10, 1}, {20, 0.5}},
                  0,
                  nullptr,
                  false,
                  {{1, 2}, {10, 1}, {20, 0.5}, {75, 0.5}}},
                 {"starts at 0.5", {{0.5, 3}, {30, 1}}, 1.5, nullptr, true, {{0.5, 3}, {30, 1}}},
                 {"starts at 1, disinfection",
                  {{1, 2}, {20, 0.5}},
                  1.5,
                  nullptr,
                  false,
                  {{1, 2}, {20, 0.5}, {66, 0.5}, {68, 1.5}, {75, 1.5}}},
                 {"35 °C, valve caps grid", from35, 1.2, &cap05, false,
                  grid(35, [](int) { return 0.5; }, {from35, branch})},
                 {"35 °C, no owner", from35, 1.2, nullptr, false,
                  grid(35, [](int) { return 0.8; }, {from35, branch})},
                 {"35 °C, cap above curve", from35, 1.2, &cap2, true,
                  grid(35, [](int) { return 0.8; }, {from35})},
                 {"35 °C, valve without cap", from35, 1.2, &noDesinfektion, true,
                  grid(35, [](int) { return 0.8; }, {from35})},
                 {"stored from hot to cold", falling, 0, nullptr, false,
                  grid(45, fallingGrid, {falling, {{75, 0.9}}})}};
    for (Case& c : cases) {
        SCOPED_TRACE(c.why);
        CEinstellungKurve k = makeCurve(c.curve, c.kvDesinfektion);
        k.setParent(c.owner);
        CLinearInterpolation table;
        table.Add(-100, -100);  // replaced by the function
        EXPECT_TRUE(k.getFunktion(table, c.withoutDisinfection));
        expectTable(table, c.expected);
    }
    CLinearInterpolation table;
    table.Add(1, 1);
    EXPECT_FALSE(CEinstellungKurve().getFunktion(table, false));
    EXPECT_TRUE(table.isEmpty());
}

TEST(EinstellungFunktion, DisinfectionBranch) {
    struct Case {
        Points table;
        double kvDesinfektion;
        Points expected;
    } cases[] = {
        {{{20, 0.5}}, 0, {{20, 0.5}, {75, 0.5}}},
        {{{80, 0.5}}, 0, {{80, 0.5}}},
        {{{10, 0.9}, {20, 0.5}}, 1.2, {{10, 0.9}, {20, 0.5}, {66, 0.5}, {68, 1.2}, {75, 1.2}}},
        {{{70, 0.4}}, 1.2, {{70, 0.4}, {71, 0.4}, {73, 1.2}, {75, 1.2}}},
        {{{74, 0.4}}, 1.2, {{74, 0.4}, {75, 0.4}, {77, 1.2}, {75, 1.2}}},
        {{}, 1.2, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.table.size() << " points, kv " << c.kvDesinfektion);
        CLinearInterpolation table;
        for (const auto& [x, y] : c.table)
            table.Add(x, y);
        makeCurve({}, c.kvDesinfektion).appendFunktionThDesinf(table);
        expectTable(table, c.expected);
    }
}

TEST(EinstellungFunktion, TemperatureForKv) {
    ThrottleOwner cap05(0.5);
    CEinstellungKurve from35 = makeCurve({{35, 0.8}, {40, 0.6}, {45, 0.3}, {50, 0.1}}, 1.2);
    from35.setParent(&cap05);
    CEinstellungKurve falling = makeCurve({{45, 0.2}, {40, 0.5}, {35, 0.9}});
    struct Case {
        CEinstellungKurve* curve;
        double reference;
        float kv;  // kv values travel as floats, like the curve points
        double expected;
    } cases[] = {{&from35, 45, 0.45f, 42.5}, {&from35, 45, 0.7f, 37.5}, {&from35, 45, 0.8f, 35},
                 {&from35, 45, 0.3f, 45},    {&from35, 45, 0.9f, -1},   {&from35, 45, 0.2f, -1},
                 {&from35, 46, 0.2f, 47.5},  {&from35, 80, 0.5f, -1},   {&falling, 40, 0.7f, 37.5},
                 {&falling, 40, 0.9f, 35},   {&falling, 40, 0.4f, -1}};
    for (const Case& c : cases) {
        c.curve->setReferenzTemperatur(c.reference);
        EXPECT_NEAR(c.curve->findTemperaturByKvWert(c.kv), c.expected, 1e-5)
            << "reference " << c.reference << " kv " << c.kv;
    }
    EXPECT_EQ(CEinstellungKurve().findTemperaturByKvWert(1.0), -1.0);
}

bool writeThkv(const CEinstellungKurve& k, CNode* node, bool inChild = true) {
    return k.write(node, inChild, "KVE_F", "KVE_S", "KVW", "X2", "XP");
}
bool readThkv(CEinstellungKurve& k, CNode* node, bool inChild = true) {
    return k.read(node, inChild, "KVE_F", "KVE_S", "KVW", "X2", "XP");
}

TEST(EinstellungKurve, Persistence) {
    CEinstellungKurve k = makeCurve({{1, 0.4}, {2, 0.3}}, 0.25);
    k.setXp(2.0);
    k.setReferenzTemperatur(55.5);
    k.setEinstellungWert(3.0);
    k.setEinstellungText("III");
    CNode node("THKV");
    ASSERT_TRUE(writeThkv(k, &node));
    ASSERT_NE(node.FindChild("CK"), nullptr);
    EXPECT_EQ(node.FindChild("CK")->FindLeaf("XP")->GetValues(':'),
              (std::vector<std::string>{"2.000000", "0.250000", "55.500000", "3.000000", "III"}));
    CEinstellungKurve back;
    ASSERT_TRUE(readThkv(back, &node));
    EXPECT_EQ(back.getSize(), 2);
    EXPECT_EQ(back.getXp() + back.getKvDesinfektion() + back.getReferenzTemperatur(), 57.75);
    EXPECT_EQ(back.getEinstellungWert(), 3.0);
    EXPECT_EQ(back.getEinstellungText(), "III");

    // A curve marked as without setting data stores none; reading keeps the defaults.
    k.setXp(CEinstellungKurve::XpOhneEinstellung);
    CNode plain("N");
    ASSERT_TRUE(writeThkv(k, &plain, false));
    EXPECT_EQ(plain.FindLeaf("XP"), nullptr);
    CEinstellungKurve bare;
    ASSERT_TRUE(readThkv(bare, &plain, false));
    EXPECT_EQ(bare.getXp() + bare.getKvDesinfektion() + bare.getReferenzTemperatur(), 0.0);
    EXPECT_EQ(bare.getEinstellungText(), "");
    EXPECT_EQ(bare.getSize(), 2);

    // Without a "CK" child: false. Setting data without curve: taken, and true.
    EXPECT_FALSE(readThkv(bare, &plain));
    EXPECT_FALSE(readThkv(bare, nullptr));
    EXPECT_FALSE(writeThkv(bare, nullptr));
    CNode partial("THKV");
    partial.AddChild("CK")->AddLeaf("XP", nullptr)->SetRawText("2.5:0.7");
    EXPECT_TRUE(readThkv(bare, &partial));
    EXPECT_DOUBLE_EQ(bare.getXp() + bare.getKvDesinfektion(), 3.2);
}

TEST(EinstellungKurve, CopyAndRemoveData) {
    ThrottleOwner owner(1.0);
    CEinstellungKurve k = makeCurve({{1, 0.4}}, 0.25);
    k.setParent(&owner);
    k.setXp(2.0);
    k.setReferenzTemperatur(60);
    k.setEinstellungWert(4);
    k.setEinstellungText("IV");
    k.setKatalogKennung(7);
    CEinstellungKurve assigned;
    assigned = k;
    for (const CEinstellungKurve& c : {assigned, CEinstellungKurve(k)}) {
        EXPECT_EQ(c.getParent(), nullptr);
        EXPECT_EQ(c.getSize(), 1);
        EXPECT_EQ(c.getXp() + c.getKvDesinfektion() + c.getReferenzTemperatur(), 62.25);
        EXPECT_EQ(c.getEinstellungText() + std::to_string(c.getKatalogKennung()), "IV7");
        EXPECT_EQ(c.getEinstellungWert(), 4.0);
    }
    static_cast<CKurve&>(k).removeData();  // the setting curve's own version runs
    EXPECT_TRUE(k.bIsEmpty());
    EXPECT_EQ(k.getXp(), 0.0);
    EXPECT_EQ(k.getKvDesinfektion(), 0.25);
}

}  // namespace

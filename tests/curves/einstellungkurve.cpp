// The setting curve of a thermostatic valve: its kv-over-temperature function
// and its setting data.
#include "kavex/curves/einstellungkurve.h"

#include <gtest/gtest.h>

#include <tuple>
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

// The whole-degree grid 0 .. end-1 with kv(t), then the points of `rest`.
template <typename Kv>
Points grid(int end, Kv kv, std::initializer_list<Points> rest) {
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

const Points kFrom35 = {{35, 0.8}, {40, 0.6}, {45, 0.3}, {50, 0.1}};
const Points kFalling = {{45, 0.2}, {40, 0.5}, {35, 0.9}};  // stored from hot to cold
const Points kStartsAt1 = {{1, 2}, {10, 1}, {20, 0.5}};

TEST(EinstellungFunktion, HandComputedTables) {
    const Points branch = {{66, 0.1}, {68, 1.2}, {75, 1.2}};
    auto fallingKv = [](int t) {  // read off kFalling between its points
        return t <= 35 ? 0.9 : t <= 40 ? 0.9 - 0.08 * (t - 35) : 0.5 - 0.06 * (t - 40);
    };
    auto kv05 = [](int) { return 0.5; };
    auto kv08 = [](int) { return 0.8; };
    ThrottleOwner cap05(0.5), cap2(2.0), noCap(0.0);
    // why, curve, disinfection kv, owner, without disinfection, expected function
    const std::tuple<const char*, Points, double, ThrottleOwner*, bool, Points> cases[] = {
        {"starts at 1: no grid", kStartsAt1, 0, nullptr, false,
         grid(0, kv05, {kStartsAt1, {{75, 0.5}}})},
        {"35 °C, valve caps grid", kFrom35, 1.2, &cap05, false, grid(35, kv05, {kFrom35, branch})},
        {"35 °C, no owner", kFrom35, 1.2, nullptr, false, grid(35, kv08, {kFrom35, branch})},
        {"35 °C, cap above curve", kFrom35, 1.2, &cap2, true, grid(35, kv08, {kFrom35})},
        {"35 °C, valve without cap", kFrom35, 1.2, &noCap, true, grid(35, kv08, {kFrom35})},
        {"hot to cold", kFalling, 0, nullptr, false, grid(45, fallingKv, {kFalling, {{75, 0.9}}})}};
    for (const auto& [why, curve, kvDesinfektion, owner, without, expected] : cases) {
        SCOPED_TRACE(why);
        CEinstellungKurve k = makeCurve(curve, kvDesinfektion);
        k.setParent(owner);
        CLinearInterpolation table;
        table.Add(-100, -100);  // replaced by the function
        EXPECT_TRUE(k.getFunktion(table, without));
        expectTable(table, expected);
    }
    CLinearInterpolation table;
    table.Add(1, 1);
    EXPECT_FALSE(CEinstellungKurve().getFunktion(table, false));
    EXPECT_TRUE(table.isEmpty());
}

TEST(EinstellungFunktion, DisinfectionBranch) {
    // table before, disinfection kv, table after
    const std::tuple<Points, double, Points> cases[] = {
        {{{20, 0.5}}, 0, {{20, 0.5}, {75, 0.5}}},
        {{{80, 0.5}}, 0, {{80, 0.5}}},
        {{{10, 0.9}, {20, 0.5}}, 1.2, {{10, 0.9}, {20, 0.5}, {66, 0.5}, {68, 1.2}, {75, 1.2}}},
        {{{70, 0.4}}, 1.2, {{70, 0.4}, {71, 0.4}, {73, 1.2}, {75, 1.2}}},
        {{{74, 0.4}}, 1.2, {{74, 0.4}, {75, 0.4}, {77, 1.2}, {75, 1.2}}},
        {Points{}, 1.2, Points{}}};
    for (const auto& [before, kvDesinfektion, after] : cases) {
        SCOPED_TRACE(testing::Message() << before.size() << " points, kv " << kvDesinfektion);
        CLinearInterpolation table;
        for (const auto& [x, y] : before)
            table.Add(x, y);
        makeCurve({}, kvDesinfektion).appendFunktionThDesinf(table);
        expectTable(table, after);
    }
}

TEST(EinstellungFunktion, TemperatureForKv) {
    ThrottleOwner cap05(0.5);
    CEinstellungKurve from35 = makeCurve(kFrom35, 1.2), falling = makeCurve(kFalling), none;
    from35.setParent(&cap05);
    // curve, reference temperature, kv (a float, like the curve points), temperature
    const std::tuple<CEinstellungKurve*, double, float, double> cases[] = {
        {&from35, 45, 0.45f, 42.5}, {&from35, 45, 0.7f, 37.5}, {&from35, 45, 0.8f, 35},
        {&from35, 45, 0.3f, 45},    {&from35, 45, 0.9f, -1},   {&from35, 45, 0.2f, -1},
        {&from35, 46, 0.2f, 47.5},  {&from35, 80, 0.5f, -1},   {&falling, 40, 0.7f, 37.5},
        {&falling, 40, 0.9f, 35},   {&falling, 40, 0.4f, -1},  {&none, 0, 1.0f, -1}};
    for (auto [curve, reference, kv, expected] : cases) {
        curve->setReferenzTemperatur(reference);
        EXPECT_NEAR(curve->findTemperaturByKvWert(kv), expected, 1e-5)
            << "reference " << reference << " kv " << kv;
    }
}

std::string textOf(const CNode& node) {
    std::string text;
    EXPECT_TRUE(node.WriteToString(text));
    return text;
}

bool writeThkv(const CEinstellungKurve& k, CNode* node, bool inChild = true) {
    return k.write(node, inChild, "KVE_F", "KVE_S", "KVW", "X2", "XP");
}
bool readThkv(CEinstellungKurve& k, CNode* node, bool inChild = true) {
    return k.read(node, inChild, "KVE_F", "KVE_S", "KVW", "X2", "XP");
}

TEST(EinstellungKurve, SettingDataTravelWithTheCurve) {
    CEinstellungKurve k = makeCurve({{1, 0.4}}, 0.25);
    k.setXp(2.0);
    k.setReferenzTemperatur(55.5);
    k.setEinstellungWert(3.0);
    k.setEinstellungText("III");
    CNode node("THKV");
    ASSERT_TRUE(writeThkv(k, &node));
    EXPECT_EQ(textOf(node),
              "[THKV]\n[CK]\nXP:2.000000:0.250000:55.500000:3.000000:III\nKVE_F::1.000000\n"
              "KVE_S::\nKVW::0.400000\n[ENDE_CK]\n[ENDE_THKV]\n");
    auto settingOf = [](const CEinstellungKurve& c) {
        return std::make_tuple(c.getSize(), c.getXp(), c.getKvDesinfektion(),
                               c.getReferenzTemperatur(), c.getEinstellungWert(),
                               c.getEinstellungText());
    };
    CEinstellungKurve back, bare;
    ASSERT_TRUE(readThkv(back, &node));
    EXPECT_EQ(settingOf(back), settingOf(k));

    // A curve marked as without setting data stores none; reading keeps the defaults.
    k.setXp(CEinstellungKurve::XpOhneEinstellung);
    CNode plain("N");
    ASSERT_TRUE(writeThkv(k, &plain, false));
    ASSERT_TRUE(readThkv(bare, &plain, false));
    EXPECT_EQ(settingOf(bare), std::make_tuple(1, 0.0, 0.0, 0.0, 0.0, std::string()));
    // Without a "CK" child: false. Setting data without curve: taken, and true.
    EXPECT_FALSE(readThkv(bare, &plain) || readThkv(bare, nullptr) || writeThkv(bare, nullptr));
    CNode partial("THKV");
    partial.AddChild("CK")->AddLeaf("XP", nullptr)->SetRawText("2.5:0.7");
    EXPECT_TRUE(readThkv(bare, &partial));
    EXPECT_EQ(settingOf(bare), std::make_tuple(1, 2.5, 0.7, 0.0, 0.0, std::string()));
    // Emptying resets Xp only; the other setting data stay.
    static_cast<CKurve&>(bare).removeData();
    EXPECT_EQ(settingOf(bare), std::make_tuple(0, 0.0, 0.7, 0.0, 0.0, std::string()));
}

}  // namespace

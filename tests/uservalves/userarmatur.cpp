// User valves and user valve models: what the node and the model file keep,
// the lookups on the first curve, copies and the class factory.

#include "kavex/uservalves/userarmatur.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "kavex/platform/combobox.h"
#include "kavex/platform/interpolation.h"
#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturfactory.h"
#include "support/tempdir.h"

using namespace nrvUserArmaturen;
using nrvBaseArmaturen::CKurve;

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

CKurve curve(std::vector<std::pair<float, float>> points, const std::string& label = {}) {
    CKurve c;
    for (auto [x, y] : points)
        c.addCurveNode(x, label, y);
    return c;
}

// Texts that need encoding, two positions, three curves (the last without flags).
void fill(nrvUserArmatur& v, int dn) {
    v.setVersion(3);
    v.setArtikelNr("UA:" + std::to_string(dn) + " 50%");
    v.setDimension(dn);
    v.setDimensionsString(dn > 30 ? "20x30" : "");
    v.setKvs(2.5 * dn);
    v.setUseKvs(dn % 2);
    v.addKurve(curve({{3.0f, 1.5f}, {2.0f, 1.0f}}, "Stufe:1"), 1, "offen", 0);
    v.addKurve(curve({{4.0f, 0.25f}}), 0, "halb [zu]", 1);
    v.addKurve(curve({{1.0f, 0.125f}}));
}

}  // namespace

TEST(UserArmaturNode, RoundTripsThroughTextAndStopsAtAGap) {
    nrvUserArmatur v;
    fill(v, 40);
    v.addKurve(CKurve());               // index 3: no nodes, nothing written
    v.addKurve(curve({{9.0f, 9.0f}}));  // index 4: written, never read
    CNode node;
    ASSERT_TRUE(v.write(&node));
    EXPECT_EQ(node.GetName(), "ARM");
    EXPECT_EQ(node.FindLeaf("KX3"), nullptr);
    EXPECT_NE(node.FindLeaf("KZ4"), nullptr);
    std::string text;
    ASSERT_TRUE(node.WriteToString(text));
    nrvUserArmatur back;
    ASSERT_TRUE(back.read(TreeItems::ReadFromString(text).get()));
    v.removeAllKurven();
    fill(v, 40);
    EXPECT_TRUE(back.isEqual(v));
    EXPECT_EQ(back.kurven()[0].nodes()[1].einst, "Stufe:1");
}

struct ReadCase {
    const char* name;
    const char* leaves;  // inside [ARM]
    bool ok;
    std::vector<int> nodesPerCurve;
};

class UserArmaturRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(UserArmaturRead, AcceptsWhatTheFormatAllows) {
    auto node =
        TreeItems::ReadFromString(std::string("[ARM]\n") + GetParam().leaves + "[ENDE_ARM]\n");
    nrvUserArmatur v;
    v.setKvs(7.0);
    v.addKurve(CKurve(), 9, "alt", 9);  // lists are replaced, curves appended
    EXPECT_EQ(v.read(node.get()), GetParam().ok);
    std::vector<int> nodes;
    for (std::size_t i = 1; i < v.kurven().size(); ++i)
        nodes.push_back(v.kurven()[i].getSize());
    EXPECT_EQ(nodes, GetParam().nodesPerCurve);
    if (!GetParam().ok) return;
    EXPECT_EQ(v.getKvs(), 7.0);  // "X" too short to hold it
    EXPECT_TRUE(v.getIsKlappenInterpolierbar().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserArmaturRead,
    ::testing::Values(ReadCase{"NoX", "KX0:1\nKY0:2\n", false, {}},
                      ReadCase{"ShortX", "X:A:25\nKUINTP:1:0\nREG:a:b\n", true, {}},
                      ReadCase{"OnlyYLeaf", "X:A\nKY0:2\nKX1:1\nKY1:3\n", true, {1}},
                      ReadCase{"FewerY", "X:A\nKX0:1:2:3\nKY0:5\n", true, {3}},
                      ReadCase{"EmptyX", "X:A\nKX0:\nKY0:\nKX1:1\nKY1:1\n", true, {1}}),
    [](const auto& info) { return std::string(info.param.name); });

struct LookupCase {
    const char* name;
    std::vector<std::pair<float, float>> nodes;  // first curve
    bool xByY;                                   // getXValueByYValue, else getYValueByXValue
    double arg;
    double expected;
};

class UserArmaturLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(UserArmaturLookup, InterpolatesOnTheFirstCurve) {
    const LookupCase& c = GetParam();
    nrvUserArmatur v;
    v.addKurve(curve(c.nodes));
    v.addKurve(curve({{100.0f, 100.0f}, {0.0f, 0.0f}}));  // never used
    EXPECT_EQ(c.xByY ? v.getXValueByYValue(c.arg) : v.getYValueByXValue(c.arg), c.expected);
}

constexpr double kThird = 1.0f / 3.0f;  // the answer with float precision
constexpr double kNoValue = CLinearInterpolation::NoValue;
using P = std::vector<std::pair<float, float>>;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, UserArmaturLookup, ::testing::Values(
    LookupCase{"SingleAtZero",        P{{0, 5}},            true,  123, 5},
    LookupCase{"SingleThroughOrigin", P{{2, 4}},            true,  1,   2},
    LookupCase{"SingleSwapped",       P{{2, 4}},            false, 3,   1.5},
    LookupCase{"SingleYZero",         P{{7, 0}},            false, 1,   7},
    LookupCase{"Descending",          P{{3, 30}, {1, 10}},  true,  2,   20},
    LookupCase{"Exchanged",           P{{3, 30}, {1, 10}},  false, 20,  2},
    LookupCase{"FloatPrecision",      P{{0, 0}, {3, 1}},    true,  1,   kThird},
    LookupCase{"Outside",             P{{3, 30}, {1, 10}},  true,  99,  kNoValue},
    LookupCase{"NoNode",              P{},                  true,  1,   0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(UserArmaturExtremes, ReadSortedCurvesOrAnswerNoLimit) {
    nrvUserArmatur v;
    const auto extremes = [&v] {
        return std::vector<double>{v.getMaxXValue(true), v.getMaxXValue(false),
                                   v.getMaxYValue(false), v.getMinXValue(), v.getMinYValue()};
    };
    EXPECT_EQ(extremes(), (std::vector<double>{kMax, kMax, kMax, 0.0, 0.0}));
    v.addKurve(CKurve());
    EXPECT_EQ(extremes(), (std::vector<double>{kMax, kMax, kMax, 0.0, 0.0}));
    v.removeAllKurven();
    v.addKurve(curve({{1.0f, 10.0f}, {3.0f, 30.0f}}));
    v.addKurve(curve({{2.0f, 5.0f}, {8.0f, 40.0f}}));
    v.sortKurven();
    EXPECT_EQ(extremes(), (std::vector<double>{3.0, 8.0, 40.0, 1.0, 10.0}));
}

TEST(UserArmaturenModell, FileRoundTripLayoutAndRefusals) {
    kavextest::TempDir dir;
    nrvUserArmaturenModell m;
    m.setManufacturerModel("Nord:Armaturen", "Serie 1");
    for (int dn : {15, 20, 40})
        fill(*m.Add(), dn);
    ASSERT_TRUE(m.saveVMFFile(dir.file("m.vmf")));
    auto root = TreeItems::ReadFromFile(dir.file("m.vmf"));
    EXPECT_EQ(root->GetName(), "Modell");
    EXPECT_EQ(root->NrOfChildren(), 3);
    EXPECT_EQ(root->GetFirstChild()->GetName(), "ARM");

    nrvUserArmaturenModell back;
    ASSERT_TRUE(back.loadVMFFile(dir.file("m.vmf")));
    EXPECT_TRUE(back.isEqual(m));
    EXPECT_EQ(back.getUserArmaturAt(2)->getManufacturer(), "Nord:Armaturen");

    // Unknown classes and valves without "X" are left out; other roots refused.
    kavextest::writeBytes(dir.file("skip.vmf"),
                          "[Modell]\nVER:0\nX:H\n[ARM]\nX:a\n[ENDE_ARM]\n[THKV]\nX:b\n[ENDE_THKV]\n"
                          "[ARM]\nVER:1\n[ENDE_ARM]\n[ENDE_Modell]\n");
    ASSERT_TRUE(back.loadVMFFile(dir.file("skip.vmf")));
    EXPECT_EQ(back.getSize(), 1);
    kavextest::writeBytes(dir.file("other.vmf"), "[Other]\nVER:0\nX:H\n[ENDE_Other]\n");
    EXPECT_FALSE(back.loadVMFFile(dir.file("other.vmf")));
    EXPECT_EQ(back.getSize(), 0);
    EXPECT_FALSE(back.read(TreeItems::ReadFromString("[Modell]\nVER:0\n[ENDE_Modell]\n").get()));
}

TEST(UserArmaturenModell, AccessCopyDimensionListAndFactory) {
    nrvUserArmaturenModell m;
    m.setObjectID("ID-7");
    m.setUserArmType(nrvBaseArmaturen::enHzDFR);
    fill(*m.Add(), 20);
    fill(*m.Add(), 40);
    EXPECT_THROW(m.getUserArmaturAt(-1), std::invalid_argument);
    EXPECT_EQ(m.getUserArmaturAt(2), nullptr);
    EXPECT_EQ(m.getArtikelNrAt(5), "");

    nrvUserArmaturenModell copy(m);
    EXPECT_TRUE(copy.isEqual(m));
    EXPECT_EQ(copy.getObjectID(), "ID-7");
    EXPECT_EQ(copy.getUserArmType(), nrvBaseArmaturen::enHzDFR);
    EXPECT_EQ(copy.getUserArmaturAt(0)->getParent(), &copy);

    nrvListComboBox combo;
    combo.addString("stale");
    m.getDimensionList(combo);
    ASSERT_EQ(combo.getCount(), 2);
    EXPECT_EQ(combo.getText(0), "20");
    EXPECT_EQ(combo.getText(1), "20x30");
    EXPECT_EQ(combo.getItemData(1), reinterpret_cast<std::intptr_t>(m.getUserArmaturAt(1)));

    registerUserArmaturClasses();
    EXPECT_EQ(nrvBaseArmaturen::createArmaturObject("nrvUserArmaturenModell")->desc(),
              "nrvUserArmaturenModell");
}

// User valves and user valve models: the node text with a gap in the curve
// list, what the reader accepts, the lookups on the first curve and the model
// file.

#include "kavex/uservalves/userarmatur.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "kavex/platform/combobox.h"
#include "kavex/platform/interpolation.h"
#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturfactory.h"
#include "support/tempdir.h"

using namespace nrvUserArmaturen;
using nrvBaseArmaturen::CKurve;

namespace {

using P = std::vector<std::pair<float, float>>;

CKurve curve(const P& points, const std::string& label = {}) {
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

TEST(UserArmaturNode, ReadsWhatTheFormatAllows) {
    // The leaves inside [ARM], whether they read, the nodes of each curve read.
    const std::tuple<const char*, bool, std::vector<int>> cases[] = {
        {"KX0:1\nKY0:2\n", false, {}},
        {"X:A:25\nKUINTP:1:0\nREG:a:b\n", true, {}},  // "X" too short for the kvs
        {"X:A\nKY0:2\nKX1:1\nKY1:3\n", true, {1}},
        {"X:A\nKX0:1:2:3\nKY0:5\n", true, {3}},
        {"X:A\nKX0:\nKY0:\nKX1:1\nKY1:1\n", true, {1}}};
    for (const auto& [leaves, ok, nodesPerCurve] : cases) {
        SCOPED_TRACE(leaves);
        nrvUserArmatur v;
        v.setKvs(7.0);
        v.addKurve(CKurve(), 9, "alt", 9);  // lists are replaced, curves appended
        EXPECT_EQ(
            v.read(
                TreeItems::ReadFromString(std::string("[ARM]\n") + leaves + "[ENDE_ARM]\n").get()),
            ok);
        std::vector<int> nodes;
        for (std::size_t i = 1; i < v.kurven().size(); ++i)
            nodes.push_back(v.kurven()[i].getSize());
        EXPECT_EQ(nodes, nodesPerCurve);
        if (ok) {
            EXPECT_EQ(v.getKvs(), 7.0);
            EXPECT_TRUE(v.getIsKlappenInterpolierbar().empty());
        }
    }
}

TEST(UserArmaturLookup, InterpolatesOnTheFirstCurveOnly) {
    // Points, getXValueByYValue (else getYValueByXValue), argument, result.
    const std::tuple<P, bool, double, double> cases[] = {
        {{{0, 5}}, true, 123, 5},
        {{{2, 4}}, true, 1, 2},  // a single point: a line through the origin
        {{{2, 4}}, false, 3, 1.5},
        {{{7, 0}}, false, 1, 7},
        {{{3, 30}, {1, 10}}, true, 2, 20},
        {{{3, 30}, {1, 10}}, false, 20, 2},
        {{{0, 0}, {3, 1}}, true, 1, 1.0f / 3.0f},  // float precision
        {{{3, 30}, {1, 10}}, true, 99, CLinearInterpolation::NoValue},
        {{}, true, 1, 0}};
    for (const auto& [nodes, xByY, arg, expected] : cases) {
        SCOPED_TRACE(testing::Message() << arg << " " << xByY);
        nrvUserArmatur v;
        v.addKurve(curve(nodes));
        v.addKurve(curve({{100.0f, 100.0f}, {0.0f, 0.0f}}));  // never used
        EXPECT_EQ(xByY ? v.getXValueByYValue(arg) : v.getYValueByXValue(arg), expected);
    }
    nrvUserArmatur v;
    constexpr double kMax = std::numeric_limits<double>::max();
    EXPECT_EQ(v.getMaxXValue(false), kMax);  // no curve: no limit
    v.addKurve(curve({{1.0f, 10.0f}, {3.0f, 30.0f}}));
    v.addKurve(curve({{2.0f, 5.0f}, {8.0f, 40.0f}}));
    v.sortKurven();
    EXPECT_EQ((std::vector<double>{v.getMaxXValue(true), v.getMaxXValue(false),
                                   v.getMaxYValue(false), v.getMinXValue(), v.getMinYValue()}),
              (std::vector<double>{3.0, 8.0, 40.0, 1.0, 10.0}));
}

TEST(UserArmaturenModell, FileRoundTripRefusalsAndDimensionList) {
    kavextest::TempDir dir;
    nrvUserArmaturenModell m;
    m.setManufacturerModel("Nord:Armaturen", "Serie 1");
    for (int dn : {15, 20, 40})
        fill(*m.Add(), dn);
    ASSERT_TRUE(m.saveVMFFile(dir.file("m.vmf")));
    auto root = TreeItems::ReadFromFile(dir.file("m.vmf"));
    EXPECT_EQ(root->GetName(), "Modell");
    EXPECT_EQ(root->NrOfChildren(), 3);
    nrvUserArmaturenModell back;
    ASSERT_TRUE(back.loadVMFFile(dir.file("m.vmf")));
    EXPECT_TRUE(back.isEqual(m));
    EXPECT_EQ(back.getUserArmaturAt(2)->getManufacturer(), "Nord:Armaturen");

    nrvListComboBox combo;
    combo.addString("stale");
    back.getDimensionList(combo);
    ASSERT_EQ(combo.getCount(), 3);
    EXPECT_EQ(combo.getText(2), "20x30");  // the size text wins over the DN
    EXPECT_EQ(combo.getItemData(2), reinterpret_cast<std::intptr_t>(back.getUserArmaturAt(2)));
    EXPECT_THROW(back.getUserArmaturAt(-1), std::invalid_argument);

    // Unknown classes and valves without "X" are left out; other roots refused.
    kavextest::writeBytes(dir.file("skip.vmf"),
                          "[Modell]\nVER:0\nX:H\n[ARM]\nX:a\n[ENDE_ARM]\n[THKV]\nX:b\n[ENDE_THKV]\n"
                          "[ARM]\nVER:1\n[ENDE_ARM]\n[ENDE_Modell]\n");
    ASSERT_TRUE(back.loadVMFFile(dir.file("skip.vmf")));
    EXPECT_EQ(back.getSize(), 1);
    kavextest::writeBytes(dir.file("other.vmf"), "[Other]\nVER:0\nX:H\n[ENDE_Other]\n");
    EXPECT_FALSE(back.loadVMFFile(dir.file("other.vmf")));
    EXPECT_EQ(back.getSize(), 0);

    registerUserArmaturClasses();
    EXPECT_EQ(nrvBaseArmaturen::createArmaturObject("nrvUserArmaturenModell")->desc(),
              "nrvUserArmaturenModell");
}

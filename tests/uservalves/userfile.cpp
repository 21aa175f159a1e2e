// The user valve file: number format, the leaves of both versions, what the
// writer leaves out, the reader's tolerance and whole-file round trips.

#include "kavex/uservalves/userfile.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "kavex/platform/treestore.h"
#include "support/tempdir.h"

// The cases name only the members they set; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace nrvUserArmaturen;

namespace {

UserKurve kurve(std::initializer_list<UserKurvenPunkt> punkte, bool intp = true) {
    return UserKurve{.interpolierbar = intp, .punkte = punkte};
}

// A radiator return screw per setting, a flow regulator with effective
// pressures (version 2 only) and a rectangular duct damper.
UserHersteller beispiel(int version) {
    const double wirk = version >= 2 ? 150.0 : 0.0;
    UserModellreihe rv{.bezeichnung = "Rücklaufverschraubung RV 5",
                       .armaturenTyp = 4447,
                       .mitKlappenstellungen = true};
    UserNennweite dn15{.bezeichnung = "DN 15", .kvs = 1.7, .artikelNr = "RV5-15"};
    const double q[] = {0.05, 0.15, 0.25};  // values as the file holds them
    for (int s = 0; s < 3; ++s) {
        dn15.klappenstellungen.push_back(
            {std::to_string(s + 1), "Umdr.", true, 0.5,
             kurve({{q[s], 100.0, 0.0, ""}, {q[s] + 1, 400.0, 0.0, "B"}})});
    }
    rv.nennweiten = {dn15, {.bezeichnung = "DN 20", .kvs = 2.6, .artikelNr = "RV5-20"}};
    UserModellreihe dfr{.bezeichnung = "Durchflussregler FR 2", .armaturenTyp = 4452};
    dfr.nennweiten = {{.bezeichnung = "DN 20",
                       .kvs = 3.0,
                       .artikelNr = "FR2:20",
                       .kurve = kurve({{1, 0.0004, wirk, "1"}, {2, 0.25, wirk / 2, "2"}}, false)}};
    UserModellreihe klappe{.bezeichnung = "Jalousieklappe JK 1",
                           .armaturenTyp = 6674,
                           .rechteckig = true,
                           .mitKlappenstellungen = true};
    klappe.nennweiten = {
        {.bezeichnung = UserNennweite::bezeichnungRechteck(300, 200),
         .klappenstellungen = {{"30°", "°", false, 30.0, kurve({{500, 12.5, 0, ""}}, false)}}}};
    return UserHersteller{
        .name = "Rheintal Armaturen GmbH", .version = version, .modellreihen = {rv, dfr, klappe}};
}

std::string text(const CNode& node) {
    std::string out;
    node.WriteToString(out);
    return out;
}

std::string leaf(const CNode& node, const char* name) {
    const CLeaf* l = node.FindLeaf(name);
    return l ? l->GetOnlyValue() : "<fehlt>";
}

}  // namespace

TEST(UserArmZahl, EightDecimalsUpToOneThousandthAndForNegatives) {
    const std::pair<double, const char*> faelle[] = {
        {0.0005, "0.00050000"},    {0.001, "0.00100000"}, {0.0011, "0.001100"},
        {2.0, "2.000000"},         {0.0, "0.000000"},     {-0.5, "-0.50000000"},
        {-2000, "-2000.00000000"}, {1e-9, "0.00000000"},  {1234.5678, "1234.567800"}};
    for (const auto& [wert, text] : faelle)
        EXPECT_EQ(formatUserArmZahl(wert), text) << wert;
}

TEST(UserArmKurve, LeavesPerVersionSkippedPointsAndLabels) {
    const UserKurve k =
        kurve({{0.0005, 2, -5, "a;b"}, {1, -1, 0, "weg"}, {-1, 1, 0, "weg"}, {3, 4, 0, ""}});
    // Version, the leaves of x, y and effective pressure, and a leaf not written.
    const std::tuple<int, const char*, const char*, const char*, const char*> faelle[] = {
        {0, "VOL", "DP", "<fehlt>", "X"},
        {1, "VOL", "DP", "<fehlt>", "Y"},
        {2, "X", "Y", "-5.00000000;0.000000", "VOL"}};
    for (const auto& [version, x, y, dpwirk, fehlt] : faelle) {
        SCOPED_TRACE(version);
        CNode parent("NENNWEITE");
        ASSERT_TRUE(schreibeUserArmKurve(parent, k, version));
        const CNode& node = *parent.FindChild("KURVE");
        EXPECT_EQ(leaf(node, "INTP"), "1");
        EXPECT_EQ(leaf(node, x), "0.00050000;3.000000");
        EXPECT_EQ(leaf(node, y), "2.000000;4.000000");
        EXPECT_EQ(leaf(node, "EINST"), "a,b;");
        EXPECT_EQ(leaf(node, "DPWIRK"), dpwirk);
        EXPECT_EQ(leaf(node, fehlt), "<fehlt>");
    }
    CNode parent("NENNWEITE");
    ASSERT_TRUE(schreibeUserArmKurve(parent, kurve({{1, 2, 0, ""}, {2, 3, 0, ""}}), 2));
    EXPECT_EQ(leaf(*parent.FindChild("KURVE"), "EINST"), "") << "no label: empty, not ';'";
    EXPECT_FALSE(schreibeUserArmKurve(parent, kurve({}), 2));
    EXPECT_FALSE(schreibeUserArmKurve(parent, kurve({{-1, 1, 0, ""}}), 2));
    EXPECT_EQ(parent.NrOfChildren(), 1);
}

TEST(UserArmBaum, DropsEmptyNodes) {
    EXPECT_EQ(baueUserArmBaum(UserHersteller{.name = "", .modellreihen = {UserModellreihe{}}}),
              nullptr)
        << "no name and no series written: no file";
    UserModellreihe r{.armaturenTyp = 4447, .mitKlappenstellungen = true};
    r.nennweiten = {{}, {.artikelNr = "nur Artikel"}};
    r.nennweiten[1].klappenstellungen = {{.einheit = "°"}};  // no label, no curve: dropped
    const auto root = baueUserArmBaum(UserHersteller{.name = "", .modellreihen = {r}});
    ASSERT_NE(root, nullptr);
    const CNode* reihe = root->FindChild("MODELLREIHE");
    EXPECT_EQ(leaf(*reihe, "GEW"), "HT");
    ASSERT_EQ(reihe->NrOfChildren(), 1);
    const CNode* nw = reihe->FindChild("NENNWEITE");
    ASSERT_EQ(nw->NrOfChildren(), 1);
    EXPECT_TRUE(nw->FindChild("KLAPPENSTELLUNG")->Items().empty());
}

TEST(UserArmDatei, WholeFileReadsBackInBothVersions) {
    kavextest::TempDir dir;
    for (int version : {1, 2}) {
        const UserHersteller h = beispiel(version);
        const std::string pfad = dir.file("rheintal.userarm");
        ASSERT_TRUE(schreibeUserArmDatei(h, pfad));
        UserHersteller gelesen;
        ASSERT_TRUE(leseUserArmDatei(pfad, gelesen));
        EXPECT_TRUE(gelesen.inhaltGleich(h)) << version;
        EXPECT_EQ(text(*baueUserArmBaum(gelesen)), text(*baueUserArmBaum(h))) << version;
        EXPECT_EQ(gelesen.dateipfad, pfad);
        EXPECT_FALSE(gelesen.geaendert);
    }
}

TEST(UserArmLesen, HandWrittenCurves) {
    const struct {
        const char* kurve;
        int version;
        std::vector<UserKurvenPunkt> punkte;
    } faelle[] = {
        {"X:0.0005;1;\nY:2;3;\nEINST:a", 2, {{0.0005, 2, 0, "a"}, {1, 3, 0, ""}}},
        {"VOL:1\nDP:2\nX:7\nY:8\nDPWIRK:9", -1, {{1, 2, 9, ""}}},
        {"VOL:1\nDP:2\nX:7\nY:8\nDPWIRK:9", 2, {{7, 8, 9, ""}}},
        {"VOL:1\nDP:2\nX:7\nY:8\nDPWIRK:9", 1, {{1, 2, 0, ""}}},
        {"X:1;2\nY:3\nDPWIRK:4", 1, {{1, 3, 0, ""}, {2, 0, 0, ""}}},
        {"X:nan;1e999;-inf\nY:1;2;3", 2, {{0, 1, 0, ""}, {0, 2, 0, ""}, {0, 3, 0, ""}}},
        {"X:;;\nY:", 2, {}},
    };
    for (const auto& f : faelle) {
        const auto root = TreeItems::ReadFromString(std::string("[KURVE]\nINTP:5\n") + f.kurve +
                                                    "\n[ENDE_KURVE]\n");
        ASSERT_NE(root, nullptr) << f.kurve;
        UserKurve k;
        ASSERT_TRUE(leseUserArmKurve(*root, k, f.version));
        EXPECT_TRUE(k.interpolierbar);
        EXPECT_EQ(k.punkte, f.punkte) << f.kurve << " version " << f.version;
    }
}

TEST(UserArmLesen, OnlyKurvenRootsAreUserValveFiles) {
    UserHersteller h;
    EXPECT_FALSE(
        leseUserArmBaum(*TreeItems::ReadFromString("[Modell]\nHERST:x\n[ENDE_Modell]\n"), h));
    ASSERT_TRUE(leseUserArmBaum(
        *TreeItems::ReadFromString("[KURVEN]\nHERST:A:B\n[MODELLREIHE]\n[NENNWEITE]\nREC:7\n"
                                   "[KLAPPENSTELLUNG]\n[ENDE_KLAPPENSTELLUNG]\n[ENDE_NENNWEITE]\n"
                                   "[NENNWEITE]\nREC:0\n[ENDE_NENNWEITE]\n[ENDE_MODELLREIHE]\n"
                                   "[ENDE_KURVEN]\n"),
        h));
    EXPECT_EQ(h.name, "A") << "the first value, as the document list sorts by it";
    EXPECT_EQ(h.version, 0);
    ASSERT_EQ(h.modellreihen.size(), 1u);
    EXPECT_TRUE(h.modellreihen[0].rechteckig) << "the first size speaks for the series";
    EXPECT_TRUE(h.modellreihen[0].mitKlappenstellungen);
    EXPECT_TRUE(h.modellreihen[0].nennweiten[0].klappenstellungen.empty());
}

TEST(UserArmGewerk, TradeTestBySheetFilter) {
    const std::tuple<const char*, int, bool> faelle[] = {
        {"", 99, true},   {"ht", 3, true},  {"vE", 5, true},   {"LU", 2, true},
        {"LU", 17, true}, {"LU", 3, false}, {"HTX", 4, false}, {" HT", 4, false}};
    for (const auto& [gewerk, blatt, offen] : faelle)
        EXPECT_EQ(gewerkZugelassen(gewerk, blatt), offen) << gewerk << " " << blatt;

    const auto root = TreeItems::ReadFromString(
        "[KURVEN]\n[MODELLREIHE]\nBEZ:a\nGEW:HT\nETYP:4447\n[ENDE_MODELLREIHE]\n"
        "[MODELLREIHE]\nBEZ:b\nGEW:LU\nETYP:4447\n[ENDE_MODELLREIHE]\n"
        "[MODELLREIHE]\nBEZ:c\nGEW:ht\nETYP:4446\n[ENDE_MODELLREIHE]\n[ENDE_KURVEN]\n");
    auto namen = [&](int typ, int blatt) {
        std::string out;
        for (const CNode* r : findeModellreihen(*root, typ, blatt))
            out += leaf(*r, "BEZ");
        return out;
    };
    EXPECT_EQ(namen(4447, 2), "ab");
    EXPECT_EQ(namen(4447, 4), "a");
    EXPECT_EQ(namen(4446, 4), "c");
    EXPECT_EQ(namen(-1, 4), "ac");
}

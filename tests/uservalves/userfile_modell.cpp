// A series of a user valve file becomes a user valve model: sizes, curves per
// damper position, the flow regulator's effective pressures, kvs-only sizes.

#include "kavex/uservalves/userfile_modell.h"

#include <gtest/gtest.h>

#include <tuple>

#include "kavex/platform/treestore.h"

// The cases name only the members they set; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace nrvUserArmaturen;

namespace {

std::string punkte(const nrvBaseArmaturen::CKurve& k) {
    std::string out;
    for (const auto& n : k.nodes())
        out += "(" + std::to_string(n.x) + "," + std::to_string(n.y) + "," + n.einst + ")";
    return out;
}

UserModellreihe reihe(int typ) {
    UserModellreihe r{.bezeichnung = "Serie", .armaturenTyp = typ};
    UserNennweite stellungen{.bezeichnung = "DN 15", .kvs = 1.5, .artikelNr = "S-15"};
    const UserKurve eins{.punkte = {{0.5, 100, 0, "a"}, {1, -1, 0, ""}}};
    stellungen.klappenstellungen = {{"1", "Umdr.", true, 1.0, eins},
                                    {"2", "Umdr.", false, 1.0, {}}};
    UserNennweite eigene{
        .bezeichnung = "a=300 b=200",
        .kurve = {.interpolierbar = true, .punkte = {{1, 0.2, 150, "1"}, {2, 0.4, 250, "2"}}}};
    UserNennweite nurKvs{.bezeichnung = "Sondergröße", .kvs = 4.0, .artikelNr = "S-X"};
    r.nennweiten = {stellungen, eigene, nurKvs};
    return r;
}

}  // namespace

TEST(UserArmModell, SizeDesignations) {
    const std::tuple<const char*, int, const char*> faelle[] = {{"DN 15", 15, ""},
                                                                {"dn20", 20, ""},
                                                                {"a=300 b=200", 0, "300x200"},
                                                                {"a=40", 0, "40x0"},
                                                                {"Sondergröße", 0, "Sondergröße"},
                                                                {"DN 0", 0, "DN 0"}};
    for (const auto& [text, expectedDN, dimension] : faelle) {
        int dn = -1;
        std::string dim = "alt";
        leseNennweitenBezeichnung(text, dn, dim);
        EXPECT_EQ(std::pair(dn, dim), std::pair(expectedDN, std::string(dimension))) << text;
    }
}

TEST(UserArmModell, OneValvePerSizeWithOneCurvePerPosition) {
    const UserHersteller h{.name = "Rheintal", .modellreihen = {reihe(4447)}};
    nrvUserArmaturenModell m;
    m.Add();  // replaced
    erzeugeUserArmaturenModell(h, h.modellreihen[0], m);
    EXPECT_EQ(m.getUserArmType(), nrvBaseArmaturen::enHzRLV);
    ASSERT_EQ(m.getSize(), 3);

    const nrvUserArmatur& a = *m.getUserArmaturAt(0);
    EXPECT_EQ(a.getDimension(), 15);
    EXPECT_EQ(a.useKvs(), 0);
    ASSERT_EQ(a.kurven().size(), 2u) << "an empty position keeps its place";
    EXPECT_EQ(punkte(a.kurven()[0]), "(0.500000,100.000000,a)") << "negative point left out";
    EXPECT_TRUE(a.kurven()[1].bIsEmpty());
    EXPECT_EQ(a.getKlappenstellungen(), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(a.getIsKlappenInterpolierbar(), (std::vector<int>{1, 0}));
    EXPECT_EQ(a.getIsKurvenInterpolierbar(), (std::vector<int>{0, 0}));

    const nrvUserArmatur& b = *m.getUserArmaturAt(1);
    EXPECT_EQ(b.getDimensionsString(), "300x200");
    ASSERT_EQ(b.kurven().size(), 1u) << "effective pressures only for flow regulators";
    EXPECT_TRUE(b.getKlappenstellungen().empty());
    EXPECT_EQ(b.getIsKurvenInterpolierbar(), std::vector<int>{1});

    const nrvUserArmatur& c = *m.getUserArmaturAt(2);
    EXPECT_FALSE(c.hasKurve());
    EXPECT_EQ(c.useKvs(), 1);
}

TEST(UserArmModell, FlowRegulatorFromTheFileAsFromTheEditingModel) {
    for (int version : {1, 2}) {
        const UserHersteller h{.name = "R", .version = version, .modellreihen = {reihe(4452)}};
        const auto root = baueUserArmBaum(h);
        const auto reihen = findeModellreihen(*root, 4452, 4);
        ASSERT_EQ(reihen.size(), 1u);
        nrvUserArmaturenModell ausBaum, ausModell;
        erzeugeUserArmaturenModell(*root, *reihen[0], ausBaum);
        erzeugeUserArmaturenModell(h, h.modellreihen[0], ausModell);
        EXPECT_EQ(ausBaum.getUserArmaturAt(0)->kurven().size(), 2u) << "one curve per position";
        // Without positions the effective pressures follow as a second curve;
        // version 1 files hold none.
        const nrvUserArmatur& b = *ausBaum.getUserArmaturAt(1);
        ASSERT_EQ(b.kurven().size(), 2u);
        EXPECT_EQ(punkte(b.kurven()[0]), "(1.000000,0.200000,1)(2.000000,0.400000,2)");
        EXPECT_EQ(punkte(b.kurven()[1]), version == 2
                                             ? "(1.000000,150.000000,1)(2.000000,250.000000,2)"
                                             : "(1.000000,0.000000,1)(2.000000,0.000000,2)");
        EXPECT_EQ(ausBaum.isEqual(ausModell), version == 2);
    }
}

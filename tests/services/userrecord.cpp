// The user assignment record: its text in both layouts, the comparison rules
// of user records and the nearest-valve rule.

#include <gtest/gtest.h>

#include "services/userfixtures.h"

using namespace usertest;
using namespace nrvBaseArmaturen;

namespace {

constexpr std::string_view kKey = "Armature";

UserArmaturenModell sample() {
    UserArmaturenModell r = record(enHzDFR, 1, "Regler R2");
    r.modellId = 7;
    r.bezeichnung = "Strang: 3%";
    r.intA = 5;
    r.intB = 3;
    r.klasse = "Heizkörper";
    addValve(r, 15, {{{5, 0.8f}, {1, 0.1f}}, {{5, 20000}, {1, 20000}}}).setKvs(1.25);
    addValve(r, 20, {kvKurve(2)}).setDimensionsString("300x200");
    return r;
}

TEST(UserRecordText, WritesTheSecondLayoutAndReadsBoth) {
    std::string model, text;
    ASSERT_TRUE(sample().writeToStringEx(model));
    ASSERT_TRUE(sample().writeToString(text, kKey));
    EXPECT_EQ(text, "*Armature;2;1;7;4452;Strang: 3%;3;5;Heizkörper\n" + model);

    struct Case {
        std::string line;  // the model text follows it
        bool ok;
        int version, global, id, typ;
        std::string bezeichnung;
        int b, a;
        std::string klasse;
    };
    const Case cases[] = {
        {"*Armature;2;1;7;4452;Strang;3;5;Heizkörper", true, 2, 1, 7, 4452, "Strang", 3, 5,
         "Heizkörper"},
        {"*Armature;1;Alt GmbH;0;4;12;Heizkreis;4448", true, 1, 0, 12, 4448, "Heizkreis", 4, 0, ""},
        // A version neither layout knows: only the tree is read.
        {"*Armature;3;1;7;4452;x;3;5;k", true, 3, 0, 0, -1, "", 0, 0, ""},
        {"*Armature;2;1;7", true, 2, 1, 7, -1, "", 0, 0, ""},
        {"HzTHKV*Armature;2;0;4;4446;;0;0;", true, 2, 0, 4, 4446, "", 0, 0, ""},
        {"*Armaturen;2;1;7;4452;;0;0;", false, 0, 0, 0, 0, "", 0, 0, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        UserArmaturenModell r;
        ASSERT_EQ(r.readFromString(c.line + "\r\n" + model, kKey), c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(std::tuple(r.version, r.global, r.modellId, int(r.typ), r.intB, r.intA),
                  std::tuple(c.version, c.global, c.id, c.typ, c.b, c.a));
        EXPECT_EQ(r.bezeichnung, c.bezeichnung);
        EXPECT_EQ(r.klasse, c.klasse);
        EXPECT_EQ(r.getArm().getSize(), 2);
        EXPECT_EQ(r.getArm().getManufacturer(), "Beispiel GmbH");  // the tree's, not the line's
        std::string again;
        ASSERT_TRUE(r.writeToString(again, kKey));
        UserArmaturenModell back;
        ASSERT_TRUE(back.readFromString(again, kKey));
        EXPECT_EQ(back.recordLine(kKey), r.recordLine(kKey));
        EXPECT_EQ(back.recordLine(kKey).substr(0, 12), "*Armature;2;");
        EXPECT_TRUE(back.getArm().isEqual(r.getArm()));
    }
    UserArmaturenModell r;
    EXPECT_FALSE(r.readFromString("*Armature;2;1;7;4452;;0;0;", kKey));
    EXPECT_FALSE(r.readFromString("*Armature;2;1;7;4452;;0;0;\n[Modell]\nVER:0\n", kKey));
    EXPECT_FALSE(r.readFromString("*Armature;2;1;7;4452;;0;0;\n[ARM]\nX:a\n[ENDE_ARM]", kKey));
}

TEST(UserRecordEqual, FollowsTheUserRules) {
    struct Case {
        const char* what;
        void (*change)(UserArmaturenModell&);
        std::string klasse;
        bool sameIdentity, full;  // expected with and without the short cut
    };
    const Case cases[] = {
        {"identical", [](UserArmaturenModell&) {}, "", true, true},
        {"another kind", [](UserArmaturenModell& r) { r.typ = enHzTHKV; }, "", true, true},
        {"own class asked for", [](UserArmaturenModell&) {}, "Heizkörper", true, true},
        {"other class asked for", [](UserArmaturenModell&) {}, "Lüftung", false, false},
        {"designation", [](UserArmaturenModell& r) { r.bezeichnung = "S2"; }, "", true, false},
        {"curve",
         [](UserArmaturenModell& r) {
             r.getArm().getUserArmaturAt(0)->addKurve(kurve({{5, 0.9f}}), 1);
         },
         "", true, false},
        {"manufacturer", [](UserArmaturenModell& r) { r.getArm().setManufacturer("X"); }, "", false,
         false},
        {"series", [](UserArmaturenModell& r) { r.getArm().setModel("R3"); }, "", false, false}};
    const UserArmaturenModell stored = sample();
    for (const Case& c : cases) {
        UserArmaturenModell other = sample();
        c.change(other);
        EXPECT_EQ(stored.isEqualTo(other, c.klasse, true), c.sameIdentity) << c.what;
        EXPECT_EQ(stored.isEqualTo(other, c.klasse, false), c.full) << c.what;
    }
}

TEST(UserRecordNearest, ChoosesBySizeAndKvs) {
    UserArmaturenModell r = record(enHzStrangDrossel, 1, "S");
    for (const auto& [dn, kvs] : {std::pair{15, 1.0}, {20, 2.5}, {25, 4.0}})
        addValve(r, dn, {kvKurve(1)}).setKvs(kvs);
    const std::tuple<int, double, int> cases[] = {{10, -1, 15},  {22, -1, 25},  {40, -1, 25},
                                                  {25, 2.0, 20}, {25, 0.5, 15}, {20, 3.0, 20}};
    for (const auto& [dn, kv, expected] : cases)
        EXPECT_EQ(r.findNearestArmatur(dn, kv)->getDimension(), expected) << dn << " " << kv;
    EXPECT_EQ(UserArmaturenModell().findNearestArmatur(15, -1), nullptr);
}

}  // namespace

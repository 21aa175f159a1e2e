// Catalogue assignment records: the text form (record line and model tree),
// the sameness rules and the nearest-valve rule.

#include <gtest/gtest.h>

#include "fixtures.h"

using nrvBaseArmaturen::VDIArmaturenModell;
using servicetest::thkvRecord;

TEST(Record, LineAndModelText) {
    VDIArmaturenModell record = thkvRecord("TV 30", {10, 15});
    record.modellId = 7;
    std::string tree;
    ASSERT_TRUE(record.writeToStringEx(tree));
    std::string text = "left over";
    ASSERT_TRUE(record.writeToString(text, "Armature"));
    EXPECT_EQ(text, "Armature;2;1;7;4446;;0;\n" + tree);
    EXPECT_TRUE(tree.starts_with("[Modell]\n") && tree.ends_with("[ENDE_Modell]"));

    struct Case {
        const char* name;
        std::string line;
        bool ok;
        int version, id, intA;
        const char* bezeichnung;
        const char* klasse;
    } cases[] = {
        {"version 2", "Armature;2;0;3;4446;Bad: 50% ä;12;Heizkörper\r\n", true, 2, 3, 12,
         "Bad: 50% ä", "Heizkörper"},
        // The first layout ends with the designation, padded with blanks.
        {"version 1", "Armature;1;0;4;4446;Küche   ;5;Klasse\n", true, 1, 4, 0, "Küche", ""},
        {"colons and line ends before the tree", "Armature;2;0;5;4446;x;0;\n\r\n::\n", true, 2, 5,
         0, "x", ""},
        {"wrong key", "Armatures;2;0;3;4446;;0;\n", false, 2, 0, 0, "", ""},
        {"user record", "*Armature;2;0;3;4446;;0;0;\n", false, 2, 0, 0, "", ""},
        {"no tree", "Armature;2;0;3;4446;;0;", false, 2, 3, 0, "", ""},
        {"broken tree", "Armature;2;0;3;4446;;0;\n[Modell]\nVER:0\n", false, 2, 3, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VDIArmaturenModell back;
        EXPECT_EQ(back.readFromString(c.line + (c.line.ends_with('\n') ? tree : ""), "Armature"),
                  c.ok);
        EXPECT_EQ(back.version, c.version);
        EXPECT_EQ(back.modellId, c.id);
        EXPECT_EQ(back.intA, c.intA);
        EXPECT_EQ(back.bezeichnung, c.bezeichnung);
        EXPECT_EQ(back.klasse, c.klasse);
        EXPECT_EQ(back.getModell().isEqual(record.getModell()), c.ok);
    }
}

TEST(Record, Sameness) {
    const VDIArmaturenModell base = thkvRecord("TV 30", {10, 15}, 1.0f, 1, "Heizkörper");
    using Change = void (*)(VDIArmaturenModell&);
    struct Case {
        const char* name;
        Change change;
        const char* klasse;
        bool sameIdentity, sameData;
    } cases[] = {
        {"copy", [](VDIArmaturenModell&) {}, "", true, true},
        {"other id, designation, class",
         [](VDIArmaturenModell& r) { r.modellId = 9, r.bezeichnung = "x", r.klasse = "y"; }, "",
         true, true},
        {"other type", [](VDIArmaturenModell& r) { r.typ = nrvBaseArmaturen::enHzRLV; }, "", false,
         false},
        {"requested class is another", [](VDIArmaturenModell&) {}, "Fußboden", false, false},
        {"requested class is the own", [](VDIArmaturenModell&) {}, "Heizkörper", true, true},
        {"other manufacturer", [](VDIArmaturenModell& r) { r.getModell().setManufacturer("B"); },
         "", false, false},
        {"other execution",
         [](VDIArmaturenModell& r) {
             for (auto* v : r.getModell().getArmaturen())
                 v->addAusfDetail("Eckform");
         },
         "", false, false},
        {"other kvs", [](VDIArmaturenModell& r) { r.getModell().getArmaturAt(1)->setKvs(2.0); }, "",
         true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VDIArmaturenModell other = base;
        c.change(other);
        EXPECT_EQ(base.isEqualTo(other, c.klasse, true), c.sameIdentity);
        EXPECT_EQ(base.isEqualTo(other, c.klasse, false), c.sameData);
    }
}

TEST(Record, NearestValve) {
    VDIArmaturenModell record = thkvRecord("TV 30", {10, 15, 20});
    for (int i = 0; i < 3; ++i)
        record.getModell().getArmaturAt(i)->setKvs(0.5 * (1 << i));
    // Requested DN, kv, chosen DN. Without kv the size decides; up to the
    // requested size the valve with the least kvs surplus, and when none up to
    // the size reaches kv, the size decides again.
    const double cases[][3] = {{8, -1, 10},   {12, -1, 15},  {20, -1, 20},  {25, -1, 20},
                               {20, 0.4, 10}, {20, 0.7, 15}, {25, 1.5, 20}, {20, 1.0, 15},
                               {12, 0.7, 15}, {15, 3.0, 15}, {25, 3.0, 20}, {8, 0.1, 10}};
    for (const auto& c : cases) {
        const auto* v = record.findNearestArmatur(int(c[0]), c[1]);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->getDimension(), int(c[2])) << "DN " << c[0] << " kv " << c[1];
    }
    EXPECT_EQ(VDIArmaturenModell::findNearestArmaturEx({}, 10, 1.0), nullptr);
}

// The valve type catalogue: display texts, type keys and served types.
#include <gtest/gtest.h>

#include <algorithm>

#include "kavex/valves/armaturtyp.h"

namespace {

using namespace nrvBaseArmaturen;

struct TextCase {
    int value;
    int sheet;
    const char* text;
};

class CatalogueTypeText : public ::testing::TestWithParam<TextCase> {};

TEST_P(CatalogueTypeText, ShowsTheTableTextWithSheetRuleAndSuffix) {
    const TextCase& c = GetParam();
    EXPECT_EQ(getNrvArmTypeText(c.value, c.sheet), c.text) << c.value << "/" << c.sheet;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CatalogueTypeText,
    ::testing::Values(
        TextCase{1, 17, "Festwiderstand"},
        TextCase{1, 2, "Ventilgehäuse für Thermostatventil/ Verteilergehäuse für Ventilgarnitur"},
        TextCase{1709, 2, "Zähleinrichtungen"},
        TextCase{216, 2, "Zähleinrichtungen (noch nicht unterstützt)"},
        TextCase{217, 2, "Messeinrichtungen (noch nicht unterstützt)"},
        TextCase{19, 2, "Sicherheitsventil (noch nicht unterstützt)"},
        TextCase{1712, 2, "Sicherheitsventile"},
        TextCase{0, 0, "Undefinierter Armaturtyp"},
        TextCase{0, 2, "Nicht unterstützter Ventiltyp"},  // a bare 0 is raised to 200
        TextCase{222, 2, "Nicht unterstützter Ventiltyp"},
        TextCase{1715, 17, "Nicht unterstützter Ventiltyp"},
        TextCase{22, 17, "Elektronische Regulierarmaturen"}));

TEST(CatalogueTypeClass, TypesWithoutClassGiveEmptyNames) {
    for (int value : {0, 206, 216, 217, 219, 1710, 1711, 1712, 1714, 222, -1}) {
        EXPECT_EQ(getArmaturClassNameForType(value), "") << value;
    }
    EXPECT_EQ(getArmaturClassNameForType(211), "nrvArmatur");
    EXPECT_EQ(getArmaturClassNameForType(1701), "nrvArmatur");
    EXPECT_EQ(getArmaturClassNameForType(209), "nrvArmaturDDR");
    EXPECT_EQ(getArmaturClassNameForType(1707), "nrvArmaturSicherung");
    EXPECT_EQ(getArmaturClassNameForType(221), "nrvArmaturSechsWegeRegelarmaturMitDFR");
}

struct KindCase {
    int kind;
    const char* name;
    const char* key;
    std::vector<en700ArmaturTyp> served;
    std::vector<en700ArmaturTyp> widened;  // served followed by the widening
};

class HostKindTable : public ::testing::TestWithParam<KindCase> {};

TEST_P(HostKindTable, NameKeyAndServedTypesInOrder) {
    const KindCase& c = GetParam();
    EXPECT_EQ(getArmaturenTypName(c.kind), c.name);
    EXPECT_EQ(mapToNRVType(c.kind), c.key);
    std::vector<en700ArmaturTyp> served;
    getVDITypenFromArmaturenTyp(c.kind, served, false);
    EXPECT_EQ(served, c.served);
    std::vector<en700ArmaturTyp> widened{en700Undefiniert};  // the function appends
    getVDITypenFromArmaturenTyp(c.kind, widened, true);
    std::vector<en700ArmaturTyp> expected{en700Undefiniert};
    expected.insert(expected.end(), c.widened.begin(), c.widened.end());
    EXPECT_EQ(widened, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostKindTable,
    ::testing::Values(
        KindCase{4445, "Allgemeine Armaturen", "VENTIL", {en700Festwiderstand},
                 {en700Festwiderstand, en700THKV, en700Verschraubung, en700Strangregulierventil}},
        KindCase{5556, "Allgemeine Armaturen", "nrvAbsperrventil", {en700TwFestwiderstand},
                 {en700TwFestwiderstand}},
        KindCase{4447, "Rücklaufverschraubung", "DROSSELARMATURRLV", {en700Verschraubung},
                 {en700Verschraubung, en700Strangregulierventil, en700THKV}},
        KindCase{4448, "Strangregulierventil (Drossel)", "STRANGVENTIL", {en700Strangregulierventil},
                 {en700Strangregulierventil, en700Verschraubung}},
        KindCase{4449, "Strangregulierventil (Absperrung)", "STRANGVENTIL",
                 {en700Strangregulierventil, en700Festwiderstand},
                 {en700Strangregulierventil, en700Festwiderstand, en700Verschraubung}},
        KindCase{4452, "Durchflussregler", "DURCHFLUSSREGLER",
                 {en700DFR, en700DruckunabhRegelventil, en700ElektrDruckunabhRegelventil},
                 {en700DFR, en700DruckunabhRegelventil, en700ElektrDruckunabhRegelventil}},
        KindCase{5560, "Entnahmearmatur", "Verbraucher", {en700TwEntnahme, en700TwEntnahmeMitRFV},
                 {en700TwEntnahme, en700TwEntnahmeMitRFV}},
        KindCase{5568, "Entnahmearmatur mit Rückflussverhinderer", "Verbraucher",
                 {en700TwEntnahmeMitRFV}, {en700TwEntnahmeMitRFV}},
        KindCase{5571, "Wasserzähler", "Zähler", {en700TwZaehler}, {en700TwZaehler}},
        KindCase{6666, "Alle", "Alle", {}, {}},
        KindCase{6675, "Schalldaempfer", "nrvKanalSchalldaempfer", {}, {}},
        KindCase{0, "", "", {}, {}}, KindCase{4444, "", "", {}, {}},
        KindCase{5574, "", "", {}, {}}));

TEST(HostKindTable, KindsAreTheThreeTradesAndAll) {
    std::vector<int> kinds = allArmaturenTypen();
    EXPECT_EQ(kinds.size(), 16u + 18u + 10u);
    EXPECT_TRUE(std::is_sorted(kinds.begin(), kinds.end()));
    for (int kind : kinds) EXPECT_FALSE(mapToNRVType(kind).empty()) << kind;
}

}  // namespace

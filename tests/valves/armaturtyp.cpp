// The valve type catalogue: display texts, type keys and served types.
#include "kavex/valves/armaturtyp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace nrvBaseArmaturen;

TEST(CatalogueType, TextWithSheetRuleAndSuffix) {
    const struct {
        int value, sheet;
        const char* text;
    } cases[] = {
        {1, 17, "Festwiderstand"},
        {1, 2, "Ventilgehäuse für Thermostatventil/ Verteilergehäuse für Ventilgarnitur"},
        {1709, 2, "Zähleinrichtungen"},
        {216, 2, "Zähleinrichtungen (noch nicht unterstützt)"},
        {217, 2, "Messeinrichtungen (noch nicht unterstützt)"},
        {19, 2, "Sicherheitsventil (noch nicht unterstützt)"},
        {1712, 2, "Sicherheitsventile"},
        {0, 0, "Undefinierter Armaturtyp"},
        {0, 2, "Nicht unterstützter Ventiltyp"},  // a bare 0 is raised to 200
        {222, 2, "Nicht unterstützter Ventiltyp"},
        {1715, 17, "Nicht unterstützter Ventiltyp"},
        {22, 17, "Elektronische Regulierarmaturen"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(getNrvArmTypeText(c.value, c.sheet), c.text) << c.value << "/" << c.sheet;
}

TEST(HostKind, NameAndKey) {
    const struct {
        int kind;
        const char* name;
        const char* key;
    } cases[] = {
        {4445, "Allgemeine Armaturen", "VENTIL"},
        {5556, "Allgemeine Armaturen", "nrvAbsperrventil"},
        {4447, "Rücklaufverschraubung", "DROSSELARMATURRLV"},
        {4448, "Strangregulierventil (Drossel)", "STRANGVENTIL"},
        {4449, "Strangregulierventil (Absperrung)", "STRANGVENTIL"},
        {4452, "Durchflussregler", "DURCHFLUSSREGLER"},
        {5560, "Entnahmearmatur", "Verbraucher"},
        {5568, "Entnahmearmatur mit Rückflussverhinderer", "Verbraucher"},
        {5571, "Wasserzähler", "Zähler"},
        {6666, "Alle", "Alle"},
        {6675, "Schalldaempfer", "nrvKanalSchalldaempfer"},
        {0, "", ""},
        {4444, "", ""},
        {5574, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(getArmaturenTypName(c.kind), c.name) << c.kind;
        EXPECT_EQ(mapToNRVType(c.kind), c.key) << c.kind;
    }
}

TEST(HostKind, ServedAndWidenedTypesInOrder) {
    using Types = std::vector<en700ArmaturTyp>;
    const struct {
        int kind;
        Types served;
        Types widening;  // appended behind the served types when widened
    } cases[] = {
        {4445, {en700Festwiderstand}, {en700THKV, en700Verschraubung, en700Strangregulierventil}},
        {5556, {en700TwFestwiderstand}, {}},
        {4447, {en700Verschraubung}, {en700Strangregulierventil, en700THKV}},
        {4448, {en700Strangregulierventil}, {en700Verschraubung}},
        {4449, {en700Strangregulierventil, en700Festwiderstand}, {en700Verschraubung}},
        {4452, {en700DFR, en700DruckunabhRegelventil, en700ElektrDruckunabhRegelventil}, {}},
        {5560, {en700TwEntnahme, en700TwEntnahmeMitRFV}, {}},
        {5568, {en700TwEntnahmeMitRFV}, {}},
        {5571, {en700TwZaehler}, {}},
        {6666, {}, {}},
        {6675, {}, {}},
        {0, {}, {}},
        {4444, {}, {}},
        {5574, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        Types served;
        getVDITypenFromArmaturenTyp(c.kind, served, false);
        EXPECT_EQ(served, c.served);
        Types widened{en700Undefiniert};  // the function appends
        getVDITypenFromArmaturenTyp(c.kind, widened, true);
        Types expected{en700Undefiniert};
        expected.insert(expected.end(), c.served.begin(), c.served.end());
        expected.insert(expected.end(), c.widening.begin(), c.widening.end());
        EXPECT_EQ(widened, expected);
    }
}

TEST(HostKind, KindsAreTheThreeTradesAndAll) {
    const std::vector<int> kinds = allArmaturenTypen();
    EXPECT_EQ(kinds.size(), 16u + 18u + 10u);
    EXPECT_TRUE(std::is_sorted(kinds.begin(), kinds.end()));
    for (int kind : kinds)
        EXPECT_FALSE(mapToNRVType(kind).empty()) << kind;
}

// Turning catalogue executions into valves: model data, the checks of the
// common data, the throttle's setting curve with its interpolation, and the
// messages each finding leaves in the report list.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturregel.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdiconvert_p.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"
#include "support/tempdir.h"
#include "vdifixtures.h"

namespace {

using namespace nrvVDIConvert;
using nrvVDIArmaturen::nrvArmAnschluss;
using nrvVDIArmaturen::nrvArmaturDross;
using nrvVDIArmaturen::nrvArmaturRegelventil;
using vditest::executionsOf;
using vditest::Lines;
using vditest::operator+;
using vditest::stored;

// --- catalogue lines -----------------------------------------------------------

// Technical data of a presettable valve, female thread in, male thread out;
// `more` sets further fields by number.
std::string r700(int index, int kind, int dn, const std::string& kvs,
                 const std::map<int, std::string>& more = {}) {
    Lines f{"700", std::to_string(index), "", std::to_string(kind), std::to_string(dn), kvs};
    std::istringstream rest("120;10;1000;;;DN;1;Umdrehungen;EN10226;2;1;;;EN10226;1;1");
    for (std::string field; std::getline(rest, field, ';');)
        f.push_back(field);
    for (const auto& [n, text] : more) {
        if (static_cast<std::size_t>(n) > f.size()) f.resize(static_cast<std::size_t>(n));
        f[static_cast<std::size_t>(n) - 1] = text;
    }
    std::string line = f.front();
    for (std::size_t i = 1; i < f.size(); ++i)
        line += ";" + f[i];
    return line;
}

std::string r710(int index, const std::string& text, const std::string& number,
                 const std::string& instruction, const std::string& kv) {
    return "710.01;" + std::to_string(index) + ";;;" + text + ";" + number + ";" + instruction +
           ";;" + kv;
}

// TGA number naming product group, series and technical data only.
std::string tga(int group, int series, const std::string& part700) {
    char head[7];
    std::snprintf(head, sizeof head, "%03d%03d", group, series);
    return std::string(head) + std::string(39, '0') + part700 + "000";
}

std::string r800(int index, int group, int index700) {
    char part[6];
    std::snprintf(part, sizeof part, "%05d", index700);
    return "800;" + std::to_string(index) + ";" + tga(group, 1, part) + ";Ausführung " +
           std::to_string(index) + ";NQ-" + std::to_string(index);
}

// A throttle execution (700 index = 800 index = `index`) with its settings.
Lines throttle(int index, int kind, int dn, const std::string& kvs, const Lines& settings,
               const std::map<int, std::string>& more = {}) {
    return Lines{r700(index, kind, dn, kvs, more)} + settings +
           Lines{r800(index, 2, index), "810;" + std::to_string(index) + ";NQ-" +
                                            std::to_string(dn) + ";DN4711;STLB-1;4012345000017"};
}

Lines settings012(const std::string& firstInstruction = "0.5") {
    return {r710(1, "0", "0", firstInstruction, "0.1"), r710(2, "1", "1", "", "0.5"),
            r710(3, "2", "2", "", "0.9")};
}

struct Catalogue {
    int sheet = 2;
    std::string date = "201601";
    int group = 2;
    Lines body;
};

std::unique_ptr<CVDIDoc> loadCatalogue(const Catalogue& c) {
    const Lines head{"010;" + std::to_string(c.sheet) + ";" + c.date +
                         ";Nordquell Ventiltechnik AG;20240115;www.nordquell.example;;1.0",
                     "100;" + std::to_string(c.group) + ";;Heizkörperarmaturen",
                     "110;1;;Serie RV;Rücklaufverschraubung"};
    auto doc = std::make_unique<CVDIDoc>();
    EXPECT_TRUE(doc->LoadLines("nordquell.vdi", head + c.body, false, 0));
    return doc;
}

int countEntries(int code, const std::string& text) {
    int n = 0;
    for (const CReportEntry& e : CReportList::instance().GetEntries())
        if (e.code == code && e.text == text) ++n;
    return n;
}

std::string title(bool hint, int dn = 15, const std::string& article = "NQ-15") {
    return std::string(hint ? "Hinweis zu" : "Fehler in") +
           " den VDI-Daten der Armatur 'Serie RV', DN " + std::to_string(dn) + ", Art.-Nr. '" +
           article + "', Ausführung ''";
}

using ConvertTest = vditest::VdiTest;

// --- findings: one catalogue each, the valves built and the entry expected ----

struct FindingCase {
    const char* name;
    Catalogue catalogue;
    int valves;  // built
    int points;  // of the first valve's curve, -1: not checked
    int code;    // as stored: hints 1000 + code
    std::string title;
    std::string text;  // of the entry expected exactly once
};

Lines tenSettings(int withoutSetting) {
    Lines lines;
    for (int i = 1; i <= 10; ++i) {
        const std::string s = i <= withoutSetting ? "" : std::to_string(i);
        lines.push_back(r710(i, s, s, "", std::to_string(1.0 - 0.05 * i).substr(0, 4)));
    }
    return lines;
}

const std::string kRefused = "Fehler: Armaturtyp wird noch nicht unterstützt.";
const std::string kChooseOther = "Bitte wählen Sie einen anderen Armaturtyp.";

// clang-format off
std::vector<FindingCase> findingCases() {
    const Lines duplicate{r710(1, "1", "1", "", "0.3"), r710(2, "1", "1", "", "0.6")};
    const Lines zigzag{r710(1, "1", "1", "", "0.5"), r710(2, "2", "2", "", "0.1"),
                       r710(3, "3", "3", "", "0.9")};
    return {
        {"8 of 10 settings usable", {.body = throttle(1, 4, 15, "1.0", tenSettings(2))}, 1, 8,
         1050, title(true),
         "Fehlende VDI-Daten:\nEs ist keine Einstellung zu dem kv-Wert 0.95 hinterlegt.\nSiehe "
         "Satzart 710.01 mit Index 1.\nDiese Einstellung wird übersprungen."},
        {"7 of 10 settings usable", {.body = throttle(1, 4, 15, "1.0", tenSettings(3))}, 0, -1,
         30, title(false),
         "Diese Armaturausführung wird nicht erzeugt, da ein Teil der Einstellungen nicht "
         "ausgewertet werden konnte.\nSiehe Satzart 710.01."},
        {"setting given twice", {.body = throttle(1, 2, 15, "0.9", duplicate)}, 0, -1,
         10, title(false),
         "In diesem Ventil ist die Einstellung '1' mindestens zwei mal hinterlegt. Jede "
         "Einstellung darf nicht mehr als einmal vorkommen.\nSiehe technische Daten der "
         "Armaturausführung (Satzart 700 mit Index 1, darin Satzart 710.01)."},
        {"kv neither falling nor rising", {.body = throttle(1, 2, 15, "0.9", zigzag)}, 0, -1,
         10, title(false),
         "Entgegen der Erwartung sind die kv-Werte nicht stetig absteigend.\nBitte prüfen Sie die "
         "Daten auf ihre korrekte Reihenfolge.\nSiehe Satzart 710.01."},
        {"kind 22 in sheet 2 of 201601", {.body = throttle(1, 22, 15, "1.0", settings012())},
         0, -1, 1, kRefused, kChooseOther},
        {"kind 14 in sheet 2 of 200302",
         {.date = "200302", .body = throttle(1, 14, 15, "1.0", settings012())},
         0, -1, 1, kRefused, kChooseOther},
        {"kind 10 in sheet 17 of 200311",
         {.sheet = 17, .date = "200311", .body = throttle(1, 10, 15, "1.0", settings012())},
         0, -1, 1, kRefused, kChooseOther},
        {"function flag in 202112",
         {.date = "202112", .body = throttle(1, 2, 15, "0.9", settings012(), {{39, "1"}})},
         0, -1, 1, title(false, 15, ""),
         "Armaturtyp wird über eine Funktion berechnet (Satzart 600). Dies wird noch nicht "
         "unterstützt.\nSiehe Satzart 700 mit Index 1."},
        {"balancing valve without settings", {.body = throttle(1, 4, 20, "2.5", {})}, 1, 1,
         1045, title(true, 20, "NQ-20"),
         "Dieses Strangregulierventil hat keine Einstellungen hinterlegt (Datensätze der Satzart "
         "710.01). Bitte prüfen.\nSiehe Satzart 700 mit Index 1."},
        {"presettable with one setting",
         {.body = throttle(1, 2, 15, "0.9", {r710(1, "6", "6", "", "0.9")})}, 1, 1,
         1045, title(true),
         "Es sind weniger als zwei Datensätze der Satzart 710.01 hinterlegt, obwohl diese Armatur "
         "als Voreinstellbar deklariert wurde. Diese wird in der weiteren Verwendung als nicht "
         "einstellbar behandelt.\nSiehe Satzart 700 mit Index 1 (lfd. Nr.13)."},
        {"kv and kvs both chosen",
         {.body = throttle(1, 2, 15, "0.9", settings012(), {{10, "1"}, {11, "1"}})}, 1, -1,
         1045, title(true, 15, ""),
         "Es ist definiert, dass sowohl der Kvs-Wert als auch die Kv-Werte zur Berechnung des "
         "Druckverlusts verwendet werden sollen.\nEs werden die Kv-Werte berücksichtigt.\nSiehe "
         "Satzart 700 mit Index 1 (lfd. Nr.10 und lfd. Nr.11)."},
        {"installation position 5",
         {.body = throttle(1, 2, 15, "0.9", settings012(), {{38, "5"}})}, 1, -1,
         1010, title(true, 15, ""),
         "Die hinterlegte Einbaulage ist ungültig. Der Wert wird auf \"beliebig\" korrigiert.\n"
         "Siehe Satzart 700 mit Index 1."},
        {"no technical data", {.body = {r700(1, 2, 15, "0.9"), r800(1, 2, 0)}}, 0, -1,
         1, "Fehler in den VDI-Daten der Armatur 'Serie RV'\nEine gewählte Ausführung (Satzart 800 "
         "mit Index 1) dieses Modells hat keine technischen Daten hinterlegt.",
         "Dieses Modell hat keine Technischen Daten der Satzart 700 hinterlegt (fehlen evtl. "
         "komplett)\noder die TGA-Nummer hat an der entsprechenden Stelle einen falschen Index "
         "oder 0 hinterlegt."},
        {"two valve kinds",
         {.body = {r700(1, 2, 15, "0.9"), r700(2, 4, 15, "0.9"),
                   "800;1;" + tga(2, 1, "?????") + ";Ausführung 1;NQ-1"}}, 0, -1,
         1, "Fehler in VDI-Daten: Mehr als ein Armaturtyp in dieser Armatur hinterlegt.",
         "Die Definition mehrerer Armaturtypen in einer Armatur wird nicht unterstützt.\nAlle "
         "Armaturen-Grunddaten (Satzart 700) einer Armatur sollten denselben Typ (Lfd. Nr. 4) "
         "definiert haben."},
        {"inch sizes", {.body = throttle(1, 2, 15, "0.9", settings012(), {{12, "NPS"}})}, 0, -1,
         1, title(false),
         "Das Nennweitensystem \"NPS\" dieser Armatur wird noch nicht unterstützt.\nSiehe "
         "Satzart 700 mit Index 1."},
        {"fixed resistance without kvs and zeta", {.body = throttle(1, 11, 25, "0", {})}, 0, -1,
         5, title(false, 25, "NQ-25"),
         "Diese Armatur hat weder einen kvs noch einen Zeta-Wert hinterlegt. Bitte prüfen.\n"
         "Siehe Satzart 700 mit Index 1."},
        {"setting without kv",
         {.body = throttle(1, 2, 15, "0.9", {r710(1, "1", "1", "", "0.9"),
                                             r710(2, "2", "2", "", "")})}, 1, 2,
         1050, title(true),
         "Es ist kein kv-Wert hinterlegt. Der Eintrag wird als Null interpretiert.\nSiehe "
         "Satzart 710.01 mit Index 2."},
        {"instruction towards a text setting",
         {.body = throttle(1, 2, 15, "0.9", {r710(1, "1", "1", "0.5", "0.9"),
                                             r710(2, "offen", "", "", "0.2")})}, 1, 2,
         1050, title(true),
         "Interpolationsanweisung mangelhaft. Bei der Einstellung 1.00 ist eine "
         "Interpolationsschrittweite\nvon 0.50 angegeben. Der Folgewert ist jedoch nicht "
         "numerisch auswertbar (alphanumerischer Wert: 'offen').\nEinstellungsschritte zwischen "
         "diesen Einstellungen konnten nicht ermittelt werden."},
    };
}
// clang-format on

TEST_F(ConvertTest, EachFindingIsReportedWithItsCodeTitleAndText) {
    for (const FindingCase& c : findingCases()) {
        SCOPED_TRACE(c.name);
        CReportList::instance().Clear();
        auto doc = loadCatalogue(c.catalogue);
        nrvVDIArmaturenModell model;
        vditest::fillModel(model, *doc);
        EXPECT_EQ(model.getSize(), c.valves);
        if (c.points >= 0 && model.getSize() > 0) {
            EXPECT_EQ(model.getArmaturAt(0)->getKurve().getSize(), c.points);
        }
        EXPECT_EQ(countEntries(c.code, stored(c.title, c.text)), 1);
    }
}

// --- the throttle's curve -----------------------------------------------------

struct CurveCase {
    const char* name;
    Lines settings;
    std::vector<std::pair<float, float>> points;  // setting, kv in curve order
};

std::vector<CurveCase> curveCases() {
    return {
        // Rising kv: the interpolated curve is turned round once.
        {"step width 0.5 on the first setting",
         settings012(),
         {{2.0f, 0.9f}, {1.0f, 0.5f}, {0.5f, 0.3f}, {0.0f, 0.1f}}},
        {"no instruction", settings012(""), {{2.0f, 0.9f}, {1.0f, 0.5f}, {0.0f, 0.1f}}},
        {"falling settings, step width 0.25",
         {r710(1, "2", "2", "0.25", "1.2"), r710(2, "1", "1", "", "0.4")},
         {{2.0f, 1.2f}, {1.75f, 1.0f}, {1.5f, 0.8f}, {1.25f, 0.6f}, {1.0f, 0.4f}}},
        {"settings given only as text",
         {r710(1, "4", "", "1", "1.6"), r710(2, "2", "", "", "0.8"), r710(3, "0", "", "", "0.1")},
         {{4.0f, 1.6f}, {3.0f, 1.2f}, {2.0f, 0.8f}, {0.0f, 0.1f}}},
        {"step wider than the gap",
         {r710(1, "1", "1", "2", "0.9"), r710(2, "2", "2", "", "0.3")},
         {{1.0f, 0.9f}, {2.0f, 0.3f}}},
        // A data fault asking for 10 million steps is not followed.
        {"step of 1e-5 over 100 turns",
         {r710(1, "0", "0", "0.00001", "0.9"), r710(2, "100", "100", "", "0.1")},
         {{0.0f, 0.9f}, {100.0f, 0.1f}}},
    };
}

TEST_F(ConvertTest, ThrottleCurveFollowsTheInterpolationInstructions) {
    for (const CurveCase& c : curveCases()) {
        SCOPED_TRACE(c.name);
        auto doc = loadCatalogue({.body = throttle(1, 2, 15, "1.6", c.settings)});
        nrvVDIArmaturenModell model;
        vditest::fillModel(model, *doc);
        ASSERT_EQ(model.getSize(), 1);
        const auto* valve = dynamic_cast<const nrvArmaturDross*>(model.getArmaturAt(0));
        ASSERT_NE(valve, nullptr);
        const CKurve& curve = valve->getKurve();
        ASSERT_EQ(curve.getSize(), static_cast<int>(c.points.size()));
        for (int i = 0; i < curve.getSize(); ++i) {
            EXPECT_NEAR(curve[i].x, c.points[i].first, 1e-5) << i;
            EXPECT_NEAR(curve[i].y, c.points[i].second, 1e-5) << i;
            EXPECT_EQ(curve[i].x2, 0.0f);
        }
        EXPECT_EQ(valve->getEinheitEinst(), "Umdrehungen");
    }
}

TEST_F(ConvertTest, StepCountModeDividesTheGap) {
    nrvArmaturDross valve;
    auto doc = loadCatalogue({.body = throttle(1, 2, 15, "1.6", {})});
    TypeContext c{valve, *executionsOf(*doc).front()};
    const Points in{{0.0f, "0", 0.1f, 2.0f},
                    {1.0f, "1", 0.5f, 4.0f},
                    {3.0f, "3", 0.9f, 1.0f},
                    {4.0f, "4", 1.0f, 0.0f}};
    Points out;
    ASSERT_TRUE(ApplyInterpolation(c, in, out, InterpolationMode::StepCount, true));
    const std::vector<float> xs{0.0f, 0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 4.0f};
    ASSERT_EQ(out.size(), xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        EXPECT_NEAR(out[i].x, xs[i], 1e-6) << i;
    EXPECT_NEAR(out[1].y, 0.3f, 1e-6);
    EXPECT_TRUE(out[1].einst.empty());

    Points none;
    EXPECT_FALSE(ApplyInterpolation(c, {}, none, InterpolationMode::StepWidth, true));
    EXPECT_EQ(CReportList::instance().Count(), 0);
}

TEST_F(ConvertTest, DuplicateChecksNameEachRepeatAndItsFirstOccurrence) {
    auto doc = loadCatalogue({.body = throttle(1, 2, 15, "1.6", {})});
    nrvArmaturDross valve;
    TypeContext c{valve, *executionsOf(*doc).front()};
    const float none = curveNode::NoNumericSetting;
    // 1.0000005 sorts behind 1, 0.9999995 before it: both repeat setting 1.
    const Points points{{1.0f, "a", 0.5f},       {2.0f, "b", 0.7f},  {1.0000005f, "c", 0.5f},
                        {0.9999995f, "d", 0.7f}, {none, "zu", 0.2f}, {none, "zu", 0.5f}};
    EXPECT_TRUE(CheckDuplicates(c, points, "710.02", DuplicateMode::Hint));
    EXPECT_TRUE(CheckValueDuplicates(c, points, "kv-Wert", "m³/h", DuplicateMode::Hint));
    std::vector<std::string> texts;
    for (const CReportEntry& e : CReportList::instance().GetEntries()) {
        const std::size_t from = e.text.find("ist ") + 4;
        texts.push_back(e.text.substr(from, e.text.find(" mindestens") - from));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"die Einstellung 'c'", "die Einstellung 'd'",
                                               "die Einstellung 'zu'", "der kv-Wert 0.5 m³/h",
                                               "der kv-Wert 0.7 m³/h", "der kv-Wert 0.5 m³/h"}));
    EXPECT_NE(CReportList::instance().GetAt(5).text.find("'a' und 'zu'"), std::string::npos);
    EXPECT_NE(CReportList::instance().GetAt(4).text.find("'b' und 'd'"), std::string::npos);
    EXPECT_FALSE(CheckDuplicates(c, points, "710.01", DuplicateMode::Error));
}

// --- model ---------------------------------------------------------------------

// The header, file and article fields are held by the stored sample models;
// here the executions are given out of order.
TEST_F(ConvertTest, ModelTakesSeriesDataAndSortsByNominalSize) {
    Lines body;
    for (const auto& [index, dn] : {std::pair{1, 25}, {2, 15}, {3, 20}})
        body = body + throttle(index, 2, dn, "0.9", settings012());
    auto doc = loadCatalogue({.body = body});
    nrvVDIArmaturenModell model;
    vditest::fillModel(model, *doc);
    ASSERT_EQ(model.getSize(), 3);
    EXPECT_EQ(model.getModelType(), "Serie RV");
    EXPECT_EQ(model.getNrvArmType(), 202);
    std::vector<int> sizes;
    for (const auto* v : model.getArmaturen())
        sizes.push_back(v->getDimension());
    EXPECT_EQ(sizes, (std::vector<int>{15, 20, 25}));
    const nrvArmatur& v = *model.getArmaturAt(0);
    EXPECT_EQ(v.getArtikelNr(), "NQ-15");
    EXPECT_EQ(v.getAusfIndex(), 2);
    ASSERT_EQ(v.getSizeAnschlussKeys(), 2);
    EXPECT_EQ(v.getAnschluss()[0], (nrvArmAnschluss{"1/2IG", 0, "Innengewinde"}));
    EXPECT_EQ(v.getAnschluss()[1], (nrvArmAnschluss{"1/2AG", 1, "Außengewinde"}));
}

TEST_F(ConvertTest, ListsOfDifferentLengthLeaveTheModelAlone) {
    auto doc = loadCatalogue({.body = throttle(1, 2, 15, "0.9", settings012())});
    nrvVDIArmaturenModell model;
    FillModel(model, executionsOf(*doc), {}, {AccessoryList{}});
    EXPECT_EQ(model.getSize(), 0);
    EXPECT_TRUE(model.getModelType().empty());
}

TEST_F(ConvertTest, UnknownTypeIsRefusedWithTheSupportAddress) {
    auto doc = loadCatalogue({.body = throttle(1, 2, 15, "0.9", settings012())});
    VDIStruct_800& e = *executionsOf(*doc).front();
    nrvArmaturDross valve;
    EXPECT_FALSE(FillTypeData(valve, e, doc->FindRecord(70000), 230, 0.0f));
    ASSERT_EQ(CReportList::instance().Count(), 1);
    const CReportEntry entry = CReportList::instance().GetAt(0);
    EXPECT_EQ(entry.code, 100);
    EXPECT_NE(entry.text.find("Ein gewählter ArmaturTyp wird (noch) nicht unterstützt."),
              std::string::npos);
    EXPECT_NE(entry.text.find("support@kavex.invalid"), std::string::npos);
    // A drinking-water type on a valve of another class is left without a word.
    CReportList::instance().Clear();
    nrvArmatur plain;
    EXPECT_FALSE(FillTypeData(plain, e, doc->FindRecord(70000), 1702, 0.0f));
    EXPECT_EQ(CReportList::instance().Count(), 0);
}

TEST_F(ConvertTest, AccessoriesComeFromPropertiesAndCurveRecords) {
    auto doc = loadCatalogue(
        {.body = {"200;1;;1;;Durchgang", "200.01;1;901;2;f;", "200.01;2;902;1;;p",
                  r700(1, 2, 15, "0.9"), "710.05;1;;", "710.51;1;902;1",
                  "800;1;002001" + std::string(3, '0') + "001" + std::string(33, '0') +
                      "00001000;Ausführung 1;NQ-1",
                  "900;901;;1;;;F-901;;;;Fühlerhülse", "900;902;;1;;;K-902;;;;Kappe"}});
    const AccessoryList list = CollectAccessories(*executionsOf(*doc).front());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].artikelNr, 901);
    EXPECT_FLOAT_EQ(list[0].anzahl, 2.0f);
    EXPECT_EQ(list[0].nichtF, 0);
    EXPECT_EQ(list[1].name, "Kappe");
    EXPECT_EQ(list[1].optional, 1);
    EXPECT_EQ(list[2].typNr, 71051);
    EXPECT_EQ(list[2].artikelNrText, "K-902");
}

// --- catalogue files -------------------------------------------------------------

// Every model series of a catalogue as a model, the way the catalogue dialog
// takes them over: each execution with its accessories.
std::vector<std::unique_ptr<nrvVDIArmaturenModell>> convertAll(const CVDIDoc& doc) {
    std::vector<CVDIBase*> series;
    doc.CollectRecords(11000, series);
    std::vector<std::unique_ptr<nrvVDIArmaturenModell>> models;
    for (const CVDIBase* s : series) {
        std::vector<VDIStruct_800*> executions;
        std::vector<AccessoryList> accessories;
        for (const auto& child : s->GetChildren())
            if (auto* e = dynamic_cast<VDIStruct_800*>(child.get())) {
                executions.push_back(e);
                accessories.push_back(CollectAccessories(*e));
            }
        models.push_back(std::make_unique<nrvVDIArmaturenModell>());
        FillModel(*models.back(), executions, std::vector<float>(executions.size(), 0.0f),
                  accessories);
    }
    return models;
}

std::unique_ptr<CVDIDoc> loadFile(const std::filesystem::path& path) {
    auto doc = std::make_unique<CVDIDoc>();
    EXPECT_TRUE(doc->Load(path.string(), false, 2, false)) << path;
    return doc;
}

TEST_F(ConvertTest, SampleCatalogueConvertsWithoutFindings) {
    auto doc = loadFile(std::filesystem::path(kavextest::samplesDir()) / "catalogs" / "NORDQUELL" /
                        "VDI_2" / "nordquell_blatt02.vdi");
    const auto models = convertAll(*doc);
    for (const CReportEntry& e : CReportList::instance().GetEntries())
        ADD_FAILURE() << e.code << " " << e.text;
    ASSERT_EQ(models.size(), 4u);
    const std::vector<std::pair<int, int>> typeAndCount{{202, 6}, {204, 6}, {213, 8}, {211, 6}};
    for (std::size_t i = 0; i < models.size(); ++i) {
        EXPECT_EQ(models[i]->getNrvArmType(), typeAndCount[i].first) << i;
        EXPECT_EQ(models[i]->getSize(), typeAndCount[i].second) << i;
    }
    // DN 15 balancing valve: 8 turns settings, 0.1 steps in between.
    const nrvArmatur& srv = *models[1]->getArmaturAt(0);
    EXPECT_EQ(srv.getArtikelNr(), "NQ-SRV-15");
    EXPECT_EQ(srv.getKurve().getSize(), 36);
    EXPECT_FLOAT_EQ(srv.getKurve().getFirstNode().y, 2.52f);
    EXPECT_FLOAT_EQ(dynamic_cast<const nrvArmaturDross&>(srv).getDpmin(), 30.0f);
    EXPECT_EQ(srv.getZubehoer().size(), 1u);
    // Mixing valves (listed from the largest) by kvs, then nominal size.
    std::vector<double> kvs;
    for (const auto* v : models[2]->getArmaturen())
        kvs.push_back(v->getKvs());
    EXPECT_EQ(kvs, (std::vector<double>{1.6, 1.6, 2.5, 2.5, 4.0, 4.0, 6.3, 6.3}));
    EXPECT_NE(dynamic_cast<const nrvArmaturRegelventil*>(models[2]->getArmaturAt(0)), nullptr);
    EXPECT_TRUE(models[2]->getArmaturAt(0)->useKvs());
    EXPECT_DOUBLE_EQ(models[3]->getArmaturAt(0)->getZeta(), 0.25);
}

// The 1996 layout carries no article data; everything else must come out as
// from the same series written in the current layout.
TEST_F(ConvertTest, OldLayoutGivesTheValvesOfTheCurrentLayout) {
    auto old = loadFile(std::filesystem::path(kavextest::samplesDir()) / "catalogs" / "SUEDWERK" /
                        "VDI_2" / "suedwerk_1998.TGA");
    auto current = loadFile(std::filesystem::path(kavextest::testDataDir()) / "vdi3805" /
                            "suedwerk_1998_aktuell.vdi");
    ASSERT_TRUE(old->IsOldLayout());
    const auto oldModels = convertAll(*old);
    const auto currentModels = convertAll(*current);
    EXPECT_EQ(CReportList::instance().CountErrors(), 0);
    ASSERT_EQ(oldModels.size(), 2u);
    ASSERT_EQ(currentModels.size(), oldModels.size());
    for (std::size_t m = 0; m < oldModels.size(); ++m) {
        ASSERT_EQ(oldModels[m]->getSize(), currentModels[m]->getSize());
        EXPECT_GT(oldModels[m]->getSize(), 0);
        EXPECT_EQ(oldModels[m]->getNrvArmType(), currentModels[m]->getNrvArmType());
        for (int i = 0; i < oldModels[m]->getSize(); ++i) {
            const nrvArmatur& now = *currentModels[m]->getArmaturAt(i);
            auto before = oldModels[m]->getArmaturAt(i)->clone();
            ASSERT_NE(before, nullptr);
            EXPECT_TRUE(before->getArtikelNr().empty());
            before->setTGANummer(now.getTGANummer());
            before->setAusfIndex(now.getAusfIndex());
            before->setArtikelNr(now.getArtikelNr());
            before->setStLBNr(now.getStLBNr());
            EXPECT_TRUE(before->isEqual(now)) << m << " " << i;
            EXPECT_FALSE(now.getZubehoer().empty());
        }
    }
}

}  // namespace

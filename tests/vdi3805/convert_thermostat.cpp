// Radiator valve bodies from a catalogue: the thermostatic valve body (kv per
// setting at the design's proportional band), the one-pipe connection with and
// without thermostatic part, the body with flow limitation, the XP the data
// check designs with, and the bundled Rheintal catalogue.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturthkv.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdiconvert_p.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"
#include "support/tempdir.h"
#include "vdifixtures.h"

namespace {

using namespace nrvVDIConvert;
using nrvBaseArmaturen::CKurve14;
using nrvVDIArmaturen::nrvArmaturEAV;
using nrvVDIArmaturen::nrvArmaturTHKV;
using nrvVDIArmaturen::nrvArmaturTHKVDFR;
using vditest::executionsOf;
using vditest::Lines;
using vditest::operator+;

// --- catalogue lines -------------------------------------------------------------

constexpr int kSetting = 56;  // a numeric setting goes to fields 5 and 6, a text to 5 only

// Records of `type` from rows of blank-separated values ("-" leaves a field
// empty) for the given fields; indexes count from 1.
Lines records(const std::string& type, const std::vector<int>& fields, const Lines& rows) {
    Lines out;
    for (const std::string& row : rows) {
        std::map<int, std::string> f{{1, type}, {2, std::to_string(out.size() + 1)}};
        std::istringstream in(row);
        std::string value;
        for (int field : fields) {
            if (!(in >> value)) break;
            if (value == "-") continue;
            const bool number = std::isdigit(static_cast<unsigned char>(value[0])) != 0;
            f[field == kSetting ? 5 : field] = value;
            if (field == kSetting && number) f[6] = value;
        }
        std::string line;
        for (int n = 1; n <= f.rbegin()->first; ++n)
            line += (n > 1 ? ";" : "") + (f.count(n) ? f[n] : std::string());
        out.push_back(line);
    }
    return out;
}
// "XP setting kv [step]"
Lines kv01(const Lines& rows) {
    return records("710.01", {3, kSetting, 9, 7}, rows);
}
// "XP setting kvB kvH kvs noise"
Lines pipe01(const Lines& rows) {
    return records("710.01", {3, kSetting, 8, 9, 10, 13}, rows);
}
// "setting Δp-min Δp-max [step]" and "setting flow"
Lines dp02(const Lines& rows) {
    return records("710.02", {kSetting, 8, 9, 7}, rows);
}
Lines flow03(const Lines& rows) {
    return records("710.03", {kSetting, 9}, rows);
}

// One DN 15 execution of valve kind `kind` below product main group `group`.
std::unique_ptr<CVDIDoc> catalogue(int kind, const Lines& curveRecords, int group = 2) {
    char tga[64];
    std::snprintf(tga, sizeof tga, "%03d001%039d00001000", group, 0);
    Lines lines{"010;2;202112;Rheintal Armaturen GmbH;20240301;www.rheintal.example;;1.0",
                "100;" + std::to_string(group) + ";;Heizkörperarmaturen", "110;1;;Serie TV;",
                "700;1;;" + std::to_string(kind) +
                    ";15;0.86;110;10;600;1;;DN;1;Stufe;EN10226;1;1;;;EN10226;1;1"};
    lines = lines + curveRecords +
            Lines{"800;1;" + std::string(tga) + ";Ausführung;TV-1", "810;1;TV-15;;;"};
    auto doc = std::make_unique<CVDIDoc>();
    EXPECT_TRUE(doc->LoadLines("rheintal.vdi", lines, false, 0));
    return doc;
}

void fill(nrvVDIArmaturenModell& model, const CVDIBase& root, float xp) {
    vditest::fillModel(model, root, xp);
}

template <class Valve>
const Valve& only(const nrvVDIArmaturenModell& model) {
    static const Valve none;
    EXPECT_EQ(model.getSize(), 1);
    const auto* valve =
        model.getSize() == 1 ? dynamic_cast<const Valve*>(model.getArmaturAt(0)) : nullptr;
    EXPECT_NE(valve, nullptr);
    return valve ? *valve : none;
}

// An entry of that code whose text (title, blank line, text with CR LF)
// holds `part`.
bool reported(int code, const std::string& text) {
    const std::string part = vditest::crlf(text);
    const std::string title = code < 1001
                                  ? "Fehler in den VDI-Daten der Armatur 'Serie TV', DN 15"
                                  : "Hinweis zu den VDI-Daten der Armatur 'Serie TV', DN 15";
    for (const CReportEntry& e : CReportList::instance().GetEntries())
        if (e.code == code && e.text.rfind(title, 0) == 0 && e.text.find(part) != std::string::npos)
            return true;
    return false;
}

const Lines kBody123 =
    kv01({"1 1 0.05", "2 1 0.09", "1 2 0.12", "2 2 0.21", "1 3 0.20", "2 3 0.35"});
const Lines kKv212 = kv01({"2 1 0.10", "2 2 0.20", "2 3 0.30"});
const Lines kDp212 = dp02({"1 100 600", "2 120 600", "3 150 600"});
const Lines kFlow212 = flow03({"1 0.030", "2 0.070", "3 0.120"});
const Lines kFivePipe = {"2 2 0.50 0.30 0.80 200", "2 3 0.60 0.20 0.80 200",
                         "2 4 0.70 0.10 0.80 200", "2 5 0.75 0.05 0.80 200"};

// --- findings: one catalogue each ------------------------------------------------------

struct Finding {
    const char* name;
    int kind;
    int group;
    Lines records;
    int valves;
    int code;  // as stored: hints 1000 + code
    const char* part;
};

std::vector<Finding> findings() {
    const Lines pipe2{"2 2 0.55 0.25 0.80 200"};
    return {
        {"no setting in a presettable body", 1, 2, kv01({"2 - 0.2", "1 - 0.1"}), 0, 30,
         "In dieser Ausführung wurde keine Einstellung gefunden.\nSiehe Satzart 710.01 (Lfd.Nr. 5"},
        {"setting without kv", 1, 2, kv01({"1 1 0.05", "1 2 0.12", "1 3 -", "1 4 0.3", "1 5 0.4"}),
         1, 1050, "'3' in den technischen Daten keinen kv-Wert hinterlegt.\nDiese Einstellung"},
        {"XP given twice", 1, 2, kv01({"1 1 0.05", "1 1 0.06", "1 2 0.12"}), 1, 1050,
         "Einstellung '1' in den technischen Daten den XP-Wert 1 doppelt hinterlegt.\nSiehe "
         "Satzart 710.01 mit Index 2."},
        {"kv falls with a wider band", 1, 2,
         kv01({"1 1 0.09", "2 1 0.05", "2 2 0.2", "2 3 0.3", "2 4 0.4", "2 5 0.5"}), 1, 1050,
         "Einstellung 1 in den technischen Daten fehlerhafte XP- und/oder kv-Werte"},
        {"one XP only, another chosen", 1, 2, kv01({"1 1 0.05", "2 1 0.09", "1 2 0.12"}), 1, 1050,
         "Einstellung 2 in den technischen Daten nur einen einzigen XP hinterlegt. Trotz ggf. "
         "anderer Auswahl wird mangels Interpolationsmöglichkeiten ein XP von 1.00 übernommen.\n"
         "Siehe Satzart 710.01 mit Index 3."},
        {"no XP at all", 1, 2, kv01({"- 1 0.20", "- 2 0.10"}), 1, 1045,
         "Satzart 710.01 gefunden.\nFolge: Es kann kein auslegungsspezifischer kv-Wert"},
        {"two of three settings lost", 1, 2, kv01({"2 1 0.1", "2 2 -", "2 3 -"}), 0, 30,
         "Es sind zu wenige Einstellungen vorhanden.\nSiehe Satzart 710.01."},
        {"kv up and down", 1, 2, kv01({"2 1 0.1", "2 2 0.3", "2 3 0.2"}), 0, 10,
         "die kv-Werte nicht stetig absteigend."},
        {"record without setting", 1, 2,
         kv01({"2 1 0.1", "2 - 0.25", "2 2 0.2", "2 3 0.3", "2 4 0.4", "2 5 0.5"}), 1, 1050,
         "Es ist keine Einstellung zu dem kv-Wert 0.25 hinterlegt.\nSiehe Satzart 710.01 mit "
         "Index 2.\nDiese Einstellung wird übersprungen."},
        {"no body records", 1, 2, {}, 0, 10, "Es wurde ein Satz der Satzart 710.01 in dieser"},
        // One-pipe connections with thermostatic part (kind 1 of group 1).
        {"no kvB", 1, 1, pipe01(Lines{"2 1 - 0.40 0.80 200"} + kFivePipe), 1, 1050,
         "'1' in den technischen Daten keinen kvB-Wert hinterlegt.\nDiese Einstellung wird "
         "übersprungen.\nSiehe Satzart 710.01 mit Index 1."},
        {"no kvH", 1, 1, pipe01(Lines{"2 1 0.40 - 0.80 200"} + kFivePipe), 1, 1050,
         "'1' in den technischen Daten keinen kvH-Wert hinterlegt."},
        {"no kvs", 1, 1, pipe01(Lines{"2 1 0.40 0.40 - 200"} + pipe2), 1, 1050,
         "keinen kvs-Wert hinterlegt.\nDer Wert wird aus der Summe von kvB (0.4 m³/h) und kvH "
         "(0.4 m³/h) gebildet.\nSiehe Satzart 710.01 mit Index 1."},
        {"no noise limit", 1, 1, pipe01(Lines{"2 1 0.40 0.40 0.80 -"} + pipe2), 1, 1050,
         "'1' in den technischen Daten keine Geräuschgrenze hinterlegt.\nSiehe Satzart 710.01 mit "
         "Index 1."},
        {"kvs not the sum", 1, 1, pipe01(Lines{"2 1 0.40 0.40 0.90 200"} + pipe2), 1, 1050,
         "keinen gültigen kvs-Wert (0.90 m³/h) hinterlegt.\nDer kvs-Wert sollte der Summe aus kvB "
         "(0.40 m³/h) und kvH (0.40 m³/h) entsprechen."},
        {"kvH up and down", 1, 1,
         pipe01({"2 1 0.4 0.4 0.8 200", "2 2 0.3 0.5 0.8 200", "2 3 0.5 0.3 0.8 200"}), 0, 10,
         "die kvH-Werte nicht stetig absteigend.\nBitte prüfen"},
        {"kvB falls with kvH", 1, 1, pipe01({"2 1 0.4 0.4 0.8 200", "2 2 0.3 0.3 0.6 200"}), 0, 10,
         "die kvB-Werte nicht stetig ansteigend.\nBitte prüfen"},
        {"setting twice without thermostatic part", 3, 1,
         pipe01({"- 1 0.40 0.40 0.80 200", "- 1 0.55 0.25 0.80 200"}), 0, 10,
         "die Einstellung '1' mindestens zwei mal hinterlegt."},
        // Bodies with flow limitation (kind 12).
        {"no Δp records", 12, 2, kKv212 + kFlow212, 0, 10, "Satzart 710.02 in dieser Armatur"},
        {"flow limits for fewer settings", 12, 2, kKv212 + kDp212 + flow03({"1 0.03", "2 0.07"}), 0,
         10,
         "unterschiedliche Einstellungsbandbreiten und Schrittweiten in den Daten ermittelt "
         "worden.\nBitte prüfen Sie die Daten auf angegebene Einstellungen und "
         "Interpolationsanweisungen.\nSiehe technische Daten der Armaturausführung (Satzart 700 "
         "mit Index 1, darin Satzart 710.01, 710.02 und 710.03)."},
        {"settings out of order", 12, 2,
         kv01({"2 1 0.10", "2 3 0.30", "2 2 0.20"}) + kDp212 + kFlow212, 0, 10,
         "die Einstellungswerte nicht stetig absteigend.\nBitte prüfen Sie die Daten auf ihre "
         "korrekte Reihenfolge.\nSiehe technische Daten der Armaturausführung (Satzart 700 mit "
         "Index 1)."},
        {"text setting", 12, 2, kv01({"2 1 0.10", "2 2 0.20", "2 N 0.30"}) + kDp212 + kFlow212, 0,
         10, "Nicht alle hinterlegten Einstellungswerte sind numerisch auswertbar."},
        {"Δp record without setting", 12, 2, kKv212 + dp02({"1 100 600", "- 120 600"}) + kFlow212,
         0, 1050, "zu dem Δp max-Wert 600.00 hinterlegt.\nSiehe Satzart 710.02 mit Index 2."},
        {"Δp min missing", 12, 2, kKv212 + dp02({"1 - 600", "2 120 600", "3 150 600"}) + kFlow212,
         1, 1050, "Es ist kein Δp-Wert hinterlegt. Der Eintrag wird als Null interpretiert."},
        {"flow limit missing", 12, 2, kKv212 + kDp212 + flow03({"1 0.03", "2 -", "3 0.12"}), 0,
         1050,
         "Volumenstrom-Wert für die Einstellung 2 hinterlegt.\nDiese Einstellung wird "
         "übersprungen.\nSiehe Satzart 710.03 mit Index 2."},
    };
}

using ThermostatTest = vditest::VdiTest;

TEST_F(ThermostatTest, EachFindingIsReportedWithItsCodeAndText) {
    for (const Finding& f : findings()) {
        SCOPED_TRACE(f.name);
        CReportList::instance().Clear();
        auto doc = catalogue(f.kind, f.records, f.group);
        nrvVDIArmaturenModell model;
        fill(model, *doc, 2.0f);
        EXPECT_EQ(model.getSize(), f.valves);
        EXPECT_TRUE(reported(f.code, f.part));
    }
}

// --- curves -------------------------------------------------------------------------------

TEST_F(ThermostatTest, BodyReadsTheKvOfEachSettingAtTheDesignXp) {
    struct Case {
        float chosen;
        double xp;
        std::array<float, 3> kv;  // settings 3, 2, 1: the most open first
    } cases[] = {
        {1.5f, 1.5, {0.275f, 0.165f, 0.07f}},
        {1.0f, 1.0, {0.20f, 0.12f, 0.05f}},
        {0.0f, 2.0, {0.35f, 0.21f, 0.09f}},  // not chosen: the catalogue band nearest 2 K
        {3.0f, 2.0, {0.35f, 0.21f, 0.09f}},  // beyond the bands the widest one holds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        CReportList::instance().Clear();
        auto doc = catalogue(1, kBody123);
        nrvVDIArmaturenModell model;
        fill(model, *doc, c.chosen);
        const auto& valve = only<nrvArmaturTHKV>(model);
        const auto& curve = valve.getKvKurve();
        ASSERT_EQ(curve.getSize(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(curve[i].x, 3.0f - i);
            EXPECT_NEAR(curve[i].y, c.kv[i], 1e-6);
        }
        EXPECT_EQ(curve[0].einst, "3");
        EXPECT_DOUBLE_EQ(valve.getXp(), c.xp);
        EXPECT_EQ(valve.getEinheitEinst(), "Stufe");
        EXPECT_EQ(CReportList::instance().Count(), 0);
    }
}

TEST_F(ThermostatTest, BodyCurveVariants) {
    nrvVDIArmaturenModell stepped, single, fixed;
    // A step width of 0.5 after setting 1 inserts 1.5 between 1 and 2.
    fill(stepped, *catalogue(1, kv01({"1 1 0.05 0.5", "2 1 0.09", "1 2 0.12", "2 2 0.21"})), 2.0f);
    const auto& curve = only<nrvArmaturTHKV>(stepped).getKvKurve();
    ASSERT_EQ(curve.getSize(), 3);
    EXPECT_FLOAT_EQ(curve[1].x, 1.5f);
    EXPECT_NEAR(curve[1].y, 0.15f, 1e-6);
    EXPECT_TRUE(curve[1].einst.empty());
    // Only 1 K given: the curve belongs to 1 K, whatever was chosen.
    fill(single, *catalogue(1, kv01({"1 1 0.05", "1 2 0.12"})), 2.0f);
    EXPECT_DOUBLE_EQ(only<nrvArmaturTHKV>(single).getXp(), 1.0);
    // Not presettable and no setting named: one setting without name.
    auto doc = catalogue(1, kv01({"1 - 0.30", "2 - 0.55"}));
    doc->FindRecord(70000)->SetField(13, "0");
    fill(fixed, *doc, 1.5f);
    const auto& one = only<nrvArmaturTHKV>(fixed).getKvKurve();
    ASSERT_EQ(one.getSize(), 1);
    EXPECT_EQ(one[0].einst, "keine Einstellung");
    EXPECT_NEAR(one[0].y, 0.425f, 1e-6);
}

using Node14 = std::array<float, 5>;  // setting, values 1 to 4

void expectNodes(const CKurve14& curve, const std::vector<Node14>& nodes) {
    ASSERT_EQ(curve.getSize(), static_cast<int>(nodes.size()));
    for (int i = 0; i < curve.getSize(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(curve[i].x, nodes[i][0]);
        EXPECT_NEAR(curve[i].y1, nodes[i][1], 1e-5);
        EXPECT_NEAR(curve[i].y2, nodes[i][2], 1e-5);
        EXPECT_NEAR(curve[i].y3, nodes[i][3], 1e-5);
        EXPECT_NEAR(curve[i].y4, nodes[i][4], 1e-5);
    }
}

TEST_F(ThermostatTest, OnePipeConnectionKeepsBypassAndRadiatorPathPerSetting) {
    // Listed from the smallest radiator share on: the curve turns it round.
    const Lines rows = pipe01({"1 1 0.60 0.10 0.70 150", "2 1 0.60 0.14 0.74 150",
                               "1 2 0.40 0.25 0.65 200", "2 2 0.40 0.35 0.75 200"});
    nrvVDIArmaturenModell atDesign, atDefault;
    fill(atDesign, *catalogue(1, rows, 1), 1.5f);
    const auto& valve = only<nrvArmaturEAV>(atDesign);
    EXPECT_EQ(atDesign.getNrvArmType(), 203);
    EXPECT_DOUBLE_EQ(valve.getXp(), 1.5);
    expectNodes(valve.getKurve14(), {{2, 0.40f, 0.30f, 0.70f, 200}, {1, 0.60f, 0.12f, 0.72f, 150}});
    EXPECT_EQ(valve.getKurve14().getEinheity4(), "mbar");
    fill(atDefault, *catalogue(1, rows, 1), 0.0f);
    EXPECT_DOUBLE_EQ(only<nrvArmaturEAV>(atDefault).getXp(), 2.0);
    EXPECT_EQ(CReportList::instance().Count(), 0);
}

TEST_F(ThermostatTest, OnePipeConnectionWithoutThermostatIgnoresXp) {
    nrvVDIArmaturenModell model;
    fill(model,
         *catalogue(
             3, pipe01({"- 1 0.60 0.10 0.70 150", "- 2 0.40 0.30 0.70 -", "- 3 0.20 0.50 - 200"}),
             1),
         2.0f);
    const auto& valve = only<nrvArmaturEAV>(model);
    EXPECT_FALSE(valve.hasTHKV());
    // kvs from kvB + kvH, the noise limit from the valve's maximum Δp.
    expectNodes(valve.getKurve14(), {{3, 0.20f, 0.50f, 0.70f, 200},
                                     {2, 0.40f, 0.30f, 0.70f, 600},
                                     {1, 0.60f, 0.10f, 0.70f, 150}});
    EXPECT_NEAR(valve.getKvmax(), 0.50, 1e-6);
    EXPECT_EQ(CReportList::instance().Count(), 2);
}

TEST_F(ThermostatTest, FlowLimitedBodyJoinsItsThreeRecordKinds) {
    // kv and flow from the smallest setting on, Δp from the largest with a step
    // width of 1 from setting 3 down.
    nrvVDIArmaturenModell model;
    fill(model,
         *catalogue(12, kv01({"1 1 0.06", "2 1 0.10", "2 2 0.20", "2 3 0.30"}) +
                            dp02({"3 150 600 1", "1 100 500"}) + kFlow212),
         2.0f);
    const auto& valve = only<nrvArmaturTHKVDFR>(model);
    expectNodes(
        valve.getKurve14(),
        {{3, 0.30f, 600, 150, 0.120f}, {2, 0.20f, 550, 125, 0.070f}, {1, 0.10f, 500, 100, 0.030f}});
    EXPECT_EQ(valve.getKurve14()[1].einst, "2");
    EXPECT_DOUBLE_EQ(valve.getXp(), 2.0);
    EXPECT_NEAR(valve.getWirkdruck(2), 100.0, 1e-6);
    // Settings 2 and 3 carry 2 K only; 2 K was chosen, so that is no finding.
    EXPECT_EQ(CReportList::instance().Count(), 0);
}

TEST_F(ThermostatTest, DataCheckDesignsWithTheCatalogueXpNearestTwoKelvin) {
    const std::vector<std::pair<Lines, float>> cases{
        {{"1 1 0.1", "3 1 0.3", "2.5 2 0.3"}, 2.5f},
        {{"1 1 0.1", "3 1 0.3"}, 1.0f},  // a tie: the narrower band
        {{"0.5 1 0.1", "1.5 1 0.2", "0 1 0.2"}, 1.5f},
        {{"- 1 0.1"}, 0.0f},
        {{}, 0.0f},
    };
    for (const auto& [rows, xp] : cases) {
        auto doc = catalogue(1, kv01(rows));
        EXPECT_FLOAT_EQ(DeriveDataCheckXp(*executionsOf(*doc).front()), xp);
    }
}

// --- the bundled catalogue -----------------------------------------------------------------

TEST_F(ThermostatTest, RheintalCatalogueGivesEverySeriesItsValves) {
    CVDIDoc doc;
    ASSERT_TRUE(doc.Load(kavextest::samplesDir() + "/catalogs/RHEINTAL/VDI_2/rheintal_heizung.vdi",
                         false, 2, false));
    EXPECT_EQ(doc.GetGuidelineDate(), "202112");
    std::vector<CVDIBase*> series;
    doc.CollectRecords(11000, series);
    struct Expected {
        const char* name;
        int valves;
        int points;
    } expected[] = {{"Rheintal EV-T", 2, 5},
                    {"Rheintal EA-V", 2, 4},
                    {"Rheintal TVE", 6, 8},
                    {"Rheintal TVE-Q", 4, 6}};
    // Its findings are checked with the stored data check.
    ASSERT_EQ(series.size(), std::size(expected));
    for (std::size_t s = 0; s < series.size(); ++s) {
        const Expected& e = expected[s];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(series[s]->GetField(4), e.name);
        nrvVDIArmaturenModell model;
        fill(model, *series[s], 2.0f);
        ASSERT_EQ(model.getSize(), e.valves);
        for (const nrvArmatur* v : model.getArmaturen()) {
            if (const auto* body = dynamic_cast<const nrvArmaturTHKV*>(v)) {
                EXPECT_EQ(body->getKvKurve().getSize(), e.points);
                EXPECT_DOUBLE_EQ(body->getXp(), 2.0);
                EXPECT_NEAR(body->getKvmin(), 0.08, 1e-6);
                EXPECT_NEAR(body->getKvmax(), 0.67, 1e-6);
            } else if (const auto* pipe = dynamic_cast<const nrvArmaturEAV*>(v)) {
                const auto& first = pipe->getKurve14()[0];
                EXPECT_EQ(pipe->getKurve14().getSize(), e.points);
                EXPECT_EQ(pipe->hasTHKV(), s == 0);
                EXPECT_NEAR(first.y1 + first.y2, first.y3, 0.011);
            } else {
                const auto* limited = dynamic_cast<const nrvArmaturTHKVDFR*>(v);
                ASSERT_NE(limited, nullptr);
                EXPECT_EQ(limited->getKurve14().getSize(), e.points);
                EXPECT_NEAR(limited->getFlowRateMax(), 0.135, 1e-6);
                EXPECT_NEAR(limited->getFlowRateMin(), 0.025, 1e-6);
            }
        }
    }
    // The body's fitting references resolve to the catalogue's accessory articles.
    const AccessoryList accessories = CollectAccessories(*executionsOf(*series[2]).front());
    ASSERT_EQ(accessories.size(), 3u);
    EXPECT_EQ(accessories[0].name, "Bauschutzkappe für Ventilunterteile");
    EXPECT_EQ(accessories[1].optional, 1);
}

}  // namespace

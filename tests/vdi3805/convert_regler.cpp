// Regulators and special valves from catalogue records: the findings each gap
// in their 710.xx records leaves in the report list, the curves and values of
// well-formed records, and the bundled catalogue of these valve kinds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturregel.h"
#include "kavex/valves/armaturregler.h"
#include "kavex/valves/armatursechswege.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"
#include "support/tempdir.h"
#include "vdifixtures.h"

namespace {

using namespace nrvVDIArmaturen;
using Lines = std::vector<std::string>;

Lines operator+(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// One DN 20 execution of valve kind `kind` with its 710.xx records; sheet 17
// puts the control-temperature range into fields 9 and 10 of record 700.
std::unique_ptr<CVDIDoc> catalogue(int kind, const Lines& records, int sheet = 2,
                                   const std::string& fields9and10 = "1500;") {
    const std::string group = sheet == 2 ? "4" : "6";
    Lines lines{"010;" + std::to_string(sheet) + ";201601;Rheintal Armaturen GmbH;20160415",
                "100;" + group + ";;Regelarmaturen", "110;1;;Serie R;Regler",
                "700;1;;" + std::to_string(kind) + ";20;4.0;120;16;" + fields9and10 +
                    ";;DN;1;Stufe;EN10226;2;1;;;EN10226;2;1"};
    lines = lines + records +
            Lines{"800;1;00" + group + "001" + std::string(39, '0') + "00001000;Regler;RA-20",
                  "810;1;RA-20"};
    auto doc = std::make_unique<CVDIDoc>();
    EXPECT_TRUE(doc->LoadLines("rheintal.vdi", lines, false, 0));
    return doc;
}

void fill(nrvVDIArmaturenModell& model, const CVDIBase& root) {
    std::vector<CVDIBase*> records;
    root.CollectRecords(80000, records);
    std::vector<VDIStruct_800*> executions;
    for (CVDIBase* r : records)
        executions.push_back(dynamic_cast<VDIStruct_800*>(r));
    nrvVDIConvert::FillModel(model, executions, std::vector<float>(executions.size(), 0.0f),
                             std::vector<nrvVDIConvert::AccessoryList>(executions.size()));
}

const Lines kSetpoints{"710.02;1;;;1;1;0.5;100", "710.02;2;;;2;2;;200", "710.02;3;;;3;3;;300"};
const Lines kDeviation{"710.03;1;;;;;;0.5;;2", "710.03;2;;;;;;1;;4", "710.03;3;;;;;;2;;8"};
const Lines kFlows{"710.04;1;;;2;2;1;0.2;100", "710.04;2;;;4;4;;0.6;200"};
// Stroke limitation: kv, maximum flow and deviation per setting.
const Lines kStrokes{"710.03;1;;;1;1;;0.5;0.1;2", "710.03;2;;;2;2;;1;0.2;4",
                     "710.03;3;;;3;3;;1.5;0.3;6"};
const Lines kSixWay{"710.10;1;;;1;1;;0.4;0.6;300", "710.10;2;;;2;2;;0.8;1.2;300",
                    "710.10;3;;;3;3;;1.2;1.8;300"};
std::string missing(const std::string& type) {
    return "Es wurde ein Satz der Satzart " + type +
           " in dieser Armatur erwartet jedoch nicht gefunden.\nSiehe technische Daten der "
           "Armaturausführung (Satzart 700 mit Index 1).\nFolge: Diese Ausführung wird "
           "übersprungen.";
}

// True when the report list holds the entry as it stores it: title, blank
// line, CR LF line breaks.
bool reported(int code, const std::string& text) {
    std::string entry = std::string(code > 1000 ? "Hinweis zu" : "Fehler in") +
                        " den VDI-Daten der Armatur 'Serie R', DN 20, Art.-Nr. 'RA-20', "
                        "Ausführung '':\r\n\r\n";
    for (char ch : text)
        entry += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    for (const CReportEntry& e : CReportList::instance().GetEntries())
        if (e.code == code && e.text == entry) return true;
    return false;
}

struct FindingCase {
    const char* name;
    int kind;
    Lines records;
    int valves;
    int code;  // as stored: hints 1000 + code
    std::string text;
    int sheet = 2;
    std::string fields9and10 = "1500;";
};

std::vector<FindingCase> findingCases() {
    return {
        {"setpoint without value", 5,
         Lines{"710.02;1;;;1;1;;", kSetpoints[1], kSetpoints[2]} + kDeviation, 1, 1050,
         "Es ist kein Δp-Wert hinterlegt. Der Eintrag wird als Null interpretiert.\nSiehe "
         "Satzart 710.02 mit Index 1."},
        {"two of five setpoints without setting", 9,
         kSetpoints + Lines{"710.02;4;;;;;;250", "710.02;5;;;;;;400", "710.02;6;;;6;6;;500"} +
             kDeviation,
         0, 30,
         "Diese Armaturausführung wird nicht erzeugt, da ein Teil der Einstellungen nicht "
         "ausgewertet werden konnte.\nBitte beachten Sie die vorhergehenden Fehlermeldungen zu "
         "dieser Armatur.\nSiehe Satzart 710.01."},
        {"same setpoint twice", 5, kSetpoints + Lines{"710.02;4;;;4;4;;300"} + kDeviation, 0, 10,
         "In diesem Ventil ist der Sollwert Δp 300 mbar mindestens bei den Einstellungen '3' und "
         "'4' absolut identisch hinterlegt. Jeder Sollwert Δp darf nicht mehr als einmal "
         "vorkommen, da ansonsten die Interpolation und Sortierung der Daten sowie die "
         "Ermittlung der Berechnungsdaten nicht möglich ist.\nMögliche Ursache: unzureichende "
         "numerische Präzision der Daten."},
        {"two deviations missing", 5, kSetpoints + Lines{"710.03;1;;;;;;0.5", "710.03;2;;;;;;1"}, 0,
         10,
         "Es fehlen mehrere P-Abweichungs-Werte. Die Daten sind nicht auswertbar.\nSiehe "
         "Satzart 710.03."},
        {"deviation at two kv", 5, kSetpoints + Lines{kDeviation[1], "710.03;2;;;;;;2;;4"}, 1, 1010,
         "Die hinterlegte p-Abweichung von 4.00 ist mit kv-Werten von 1.00 und 2.00 hinterlegt. "
         "Jede p-Abweichung sollte nicht mehr als einmal vorkommen.\nSiehe Satzart 710.03."},
        {"deviation falls with kv", 5, kSetpoints + Lines{"710.03;1;;;;;;0.5;;8", kDeviation[1]}, 1,
         1045,
         "Entgegen der Erwartung sind mindestens zwei P-Abweichungswerte entsprechend ihrer "
         "kv-Werte nicht ansteigend hinterlegt.\nBitte prüfen Sie die Daten auf eventuelle "
         "Fehler.\nSiehe Satzart 710.03."},
        {"stroke setting without flow", 9,
         kSetpoints + kStrokes + Lines{"710.03;4;;;4;4;;2;;8", "710.03;5;;;5;5;;2.5;0.5;10"}, 1,
         1050,
         "Es ist kein maximaler Volumenstrom-Wert für die Einstellung 4 hinterlegt.\nDiese "
         "Einstellung wird übersprungen.\nSiehe Satzart 710.03 mit Index 4."},
        {"setting without set flow", 7,
         kFlows +
             Lines{"710.04;3;;;5;5;;;200", "710.04;4;;;6;6;;0.8;200", "710.04;5;;;7;7;;0.9;200"},
         1, 1050,
         "Es ist kein V-Soll-Wert zu der Einstellung 5 hinterlegt.\nDiese Einstellung wird "
         "übersprungen.\nSiehe Satzart 710.04 mit Index 3."},
        {"no effective pressure", 7, Lines{"710.04;1;;;1;1;;0.1", "710.04;2;;;2;2;;0.2"}, 1, 1045,
         "Es ist kein gültiger Wirkdruck hinterlegt.\nSiehe Satzart 710.04."},
        {"flows up and down", 7, kFlows + Lines{"710.04;3;;;5;5;;0.3;200"}, 0, 10,
         "Entgegen der Erwartung sind die Einstellungswerte nicht stetig steigend oder fallend.\n"
         "Bitte prüfen Sie die Daten auf ihre korrekte Reihenfolge.\n\nSiehe Satzart 710.04."},
        {"throttle without kv max", 22,
         Lines{"710.04;1;;;1;1;;0.2;;0.5;2", "710.04;2;;;2;2;;0.4;;0.5"}, 0, 10,
         "Die Satzart 710.04 ist nicht vollständig. Es fehlen die vollständigen Angaben zu "
         "Kv-Werte.",
         17, "45;70"},
        {"six-way valve without pressure loss", 18,
         Lines{"710.10;1;;;1;1;;0.4;0.6", "710.10;2;;;2;2;;0.8;1.2"}, 1, 1045,
         "Es ist kein gültiger maximaler Druckverlust hinterlegt.\nSiehe Satzart 710.10."},
        {"check valve without variants", 15, {}, 0, 10, missing("710.07")},
    };
}

using RegulatorTest = vditest::VdiTest;

TEST_F(RegulatorTest, EachFindingIsReportedWithItsCodeTitleAndText) {
    for (const FindingCase& c : findingCases()) {
        SCOPED_TRACE(c.name);
        CReportList::instance().Clear();
        auto doc = catalogue(c.kind, c.records, c.sheet, c.fields9and10);
        nrvVDIArmaturenModell model;
        fill(model, *doc);
        EXPECT_EQ(model.getSize(), c.valves);
        EXPECT_TRUE(reported(c.code, c.text));
    }
}

// --- well-formed records ------------------------------------------------------------

using XY = std::vector<std::pair<float, float>>;

void expectCurve(const CKurve& curve, const XY& points) {
    ASSERT_EQ(curve.getSize(), static_cast<int>(points.size()));
    for (int i = 0; i < curve.getSize(); ++i) {
        EXPECT_NEAR(curve[i].x, points[i].first, 1e-5) << i;
        EXPECT_NEAR(curve[i].y, points[i].second, 1e-5) << i;
    }
}

// The one valve well-formed records give, without any report; null when the
// valve is missing or of another class.
template <class T>
const T* buildOne(nrvVDIArmaturenModell& model, int kind, const Lines& records, int sheet = 2,
                  const std::string& fields9and10 = "1500;") {
    auto doc = catalogue(kind, records, sheet, fields9and10);
    fill(model, *doc);
    EXPECT_EQ(CReportList::instance().Count(), 0);
    if (model.getSize() != 1 || typeid(*model.getArmaturAt(0)) != typeid(T)) return nullptr;
    return static_cast<const T*>(model.getArmaturAt(0));
}

const XY kDeviationCurve{{2, 8}, {1, 4}, {0.5f, 2}};   // largest kv first
const XY kFlowCurve{{4, 0.6f}, {3, 0.4f}, {2, 0.2f}};  // largest flow first

TEST_F(RegulatorTest, ControllerCurvesRunFromTheHighestSetpointAndLargestKv) {
    nrvVDIArmaturenModell model;
    const auto* ddr = buildOne<nrvArmaturDDR>(model, 9, kSetpoints + kStrokes);
    ASSERT_NE(ddr, nullptr);
    expectCurve(ddr->getKennlinieDp(), {{3, 300}, {2, 200}, {1.5f, 150}, {1, 100}});
    EXPECT_EQ(ddr->getKennlinieDp().getEinheitx() + ddr->getKennlinieDp().getEinheity(),
              "Stufembar");
    expectCurve(ddr->getKennlinieKvzuPAbw(), {{1.5f, 6}, {1, 4}, {0.5f, 2}});
    expectCurve(ddr->getKennlinieMaxVolStrom(), {{1, 0.1f}, {2, 0.2f}, {3, 0.3f}});
}

TEST_F(RegulatorTest, FlowPartGetsInterpolatedFlowsAndEffectivePressures) {
    nrvVDIArmaturenModell model;
    const auto* combined = buildOne<nrvArmaturDDRDFR>(model, 10, kSetpoints + kDeviation + kFlows);
    ASSERT_NE(combined, nullptr);
    expectCurve(combined->getKennlinieKvzuPAbw(), kDeviationCurve);
    EXPECT_TRUE(combined->getKennlinieMaxVolStrom().bIsEmpty());
    const nrvArmaturDFR& flow = combined->getDFRAnteil();
    expectCurve(flow.getKurve(), kFlowCurve);
    EXPECT_EQ(flow.getEinheitEinst(), "Stufe");
    EXPECT_DOUBLE_EQ(flow.getWirkdruck(), 200.0);
    EXPECT_EQ(flow.getWirkdruckListe(), (std::vector<double>{200.0, 150.0, 100.0}));
}

TEST_F(RegulatorTest, SixWayValveKeepsBothSequencesAndItsFlowPart) {
    nrvVDIArmaturenModell model;
    const auto* valve =
        buildOne<nrvArmaturSechsWegeRegelarmaturMitDFR>(model, 21, kSixWay + kFlows);
    ASSERT_NE(valve, nullptr);
    expectCurve(valve->getKurve(), {{3, 1.2f}, {2, 0.8f}, {1, 0.4f}});
    expectCurve(valve->getKurveKuehlen(), {{3, 1.8f}, {2, 1.2f}, {1, 0.6f}});
    EXPECT_DOUBLE_EQ(valve->getDpmax(), 300.0);
    expectCurve(valve->getDFRAnteil().getKurve(), kFlowCurve);
}

TEST_F(RegulatorTest, ElectronicThrottleTakesItsKvAndTemperatureRange) {
    nrvVDIArmaturenModell model;
    const auto* valve = buildOne<nrvArmaturElektroDross>(
        model, 22, {"710.04;1;;;1;1;;0.2;;0.6;2.5", "710.04;2;;;2;2;;0.4;;0.5;2"}, 17, "45;70");
    ASSERT_NE(valve, nullptr);
    expectCurve(valve->getKurve(), {{2, 0.4f}, {1, 0.2f}});
    EXPECT_DOUBLE_EQ(valve->getKvmin(), 0.5);
    EXPECT_DOUBLE_EQ(valve->getKvmax(), 2.5);
    EXPECT_EQ(valve->getMinRegelTemperatur() + valve->getMaxRegelTemperatur(), 45.0 + 70.0);
}

TEST_F(RegulatorTest, CheckValveKeepsOneGroupPerVariant) {
    nrvVDIArmaturenModell model;
    const auto* valve =
        buildOne<nrvArmaturRSV>(model, 15,
                                {"710.07;1;;;waagerecht;1;0;;3;100;1260", "710.71;1;5;1;f",
                                 "710.07;2;;;senkrecht fallend;3;1;3.6;35;100;1140"});
    ASSERT_NE(valve, nullptr);
    ASSERT_EQ(valve->getAusfuehrungCount(), 2);
    EXPECT_EQ(valve->getAusfuehrungAt(0), (scAusfuehrung{4.0, 1, 0, 3.0, 100.0, 1260.0}));
    EXPECT_EQ(valve->getAusfuehrungAt(1), (scAusfuehrung{3.6, 3, 1, 35.0, 100.0, 1140.0}));
}

// --- the bundled catalogue ---------------------------------------------------------------

TEST_F(RegulatorTest, BundledCatalogueConvertsEverySeries) {
    CVDIDoc doc;
    ASSERT_TRUE(doc.Load(kavextest::samplesDir() + "/catalogs/RHEINTAL/VDI_2/rheintal_regler.vdix",
                         false, 2, true));
    const std::vector<std::pair<std::string, int>> expected{{"SechsWegeRegelarmatur", 2},
                                                            {"SechsWegeRegelarmaturMitDFR", 2},
                                                            {"DDR", 6},
                                                            {"DFR", 4},
                                                            {"DDRDFR", 4},
                                                            {"DDR", 3},
                                                            {"DDRDFR", 3},
                                                            {"DFR", 4},
                                                            {"DFR", 3},
                                                            {"RSV", 6}};
    std::vector<CVDIBase*> series;
    doc.CollectRecords(11000, series);
    ASSERT_EQ(series.size(), expected.size());
    std::vector<std::unique_ptr<nrvVDIArmaturenModell>> models;
    for (std::size_t i = 0; i < series.size(); ++i) {
        SCOPED_TRACE(series[i]->GetField(4));
        models.push_back(std::make_unique<nrvVDIArmaturenModell>());
        fill(*models.back(), *series[i]);
        ASSERT_EQ(models.back()->getSize(), expected[i].second);
        for (const nrvArmatur* valve : models.back()->getArmaturen())
            EXPECT_EQ(valve->GetRuntimeClass()->m_lpszClassName, "nrvArmatur" + expected[i].first);
    }
    // The two flaws of the catalogue: a lost set flow and a lost pressure loss.
    EXPECT_EQ(CReportList::instance().CountErrors(), 0);
    EXPECT_EQ(CReportList::instance().Count(), 2);
    const auto& rdr205 = dynamic_cast<const nrvArmaturDDR&>(*models[2]->getArmaturAt(1));
    EXPECT_EQ(rdr205.getDimension(), 20);
    EXPECT_EQ(rdr205.getKennlinieDp().getSize(), 11);
    EXPECT_DOUBLE_EQ(rdr205.getDpSollMin(), 50.0);
    EXPECT_DOUBLE_EQ(rdr205.getKvmax(), 4.0);
    const auto& rdf207 = dynamic_cast<const nrvArmaturDFR&>(*models[3]->getArmaturAt(3));
    EXPECT_EQ(rdf207.getKurve().getSize(), 7);
    EXPECT_NEAR(rdf207.getFlowRateMax(), 2.8, 1e-6);
    EXPECT_DOUBLE_EQ(rdf207.getWirkdruck(), 230.0);
}

}  // namespace

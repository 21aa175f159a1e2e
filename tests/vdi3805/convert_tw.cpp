// Drinking-water executions of a sheet-17 catalogue turned into valves: one
// small catalogue per finding with the report it must leave, curves of good
// data against hand-computed values, and the two sample catalogues.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/platform/translation.h"
#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturtw.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"
#include "vdifixtures.h"

namespace {

using namespace nrvVDIArmaturen;
using vditest::Lines;
using vditest::operator+;

// A report as the list keeps it (hints 1000 + code) and parts of its text
// that name the finding and the values it was filled with.
struct Report {
    int code;
    std::string part;
    std::string part2 = {};
};

struct Case {
    const char* name;
    Lines body;
    bool built;
    std::vector<Report> reports;
};

// TGA numbers: group 4, series 1, 700 index 1; the meter's also names 350 index 1.
const std::string kTga = "004001" + std::string(39, '0') + "00001000";
const std::string kMeterTga =
    "004001" + std::string(12, '0') + "000001" + std::string(21, '0') + "00001000";
const std::string kMeterText = "Kaltwasserzähler Q3 2,5";

// Technical data of a DN 15 execution of `kind`; `more` sets further fields.
std::string r700(int kind, const std::map<int, std::string>& more = {}) {
    std::map<int, std::string> f = {{1, "700"}, {2, "1"},  {4, std::to_string(kind)},
                                    {5, "15"},  {8, "10"}, {12, "DN"}};
    for (const auto& [n, text] : more)
        f[n] = text;
    std::string line;
    for (int n = 1; n <= f.rbegin()->first; ++n)
        line += (n > 1 ? ";" : "") + (f.count(n) ? f[n] : std::string());
    return line;
}

class ConvertTw : public vditest::VdiTest {
protected:
    // Loads a catalogue of one execution and converts it; the model keeps the valve.
    bool convert(const Lines& body) {
        const bool meter = body.front().rfind("350", 0) == 0;
        Lines lines = {"010;17;201601;Testwerk GmbH;;www.testwerk.example", "100;4;;Gruppe",
                       "110;1;;Testserie;Prüfserie"};
        lines = lines + body +
                Lines{"800;1;" + (meter ? kMeterTga : kTga) + ";A1;TW-100", "810;1;TW-100"};
        model.destroyAll();
        CReportList::instance().Clear();
        doc = std::make_unique<CVDIDoc>();
        EXPECT_TRUE(doc->LoadLines("test.vdi", lines, false, 17));
        auto* execution = static_cast<VDIStruct_800*>(doc->FindRecord(80000));
        nrvVDIConvert::FillModel(model, {execution}, {0.0f},
                                 std::vector<nrvVDIConvert::AccessoryList>(1));
        // A meter's titles name its property record.
        details = meter ? "Variantenart B.1: " + kMeterText : "";
        return model.getSize() == 1;
    }
    template <class T>
    T& valve() {
        return dynamic_cast<T&>(*model.getArmaturAt(0));
    }
    void expectReports(const std::vector<Report>& expected) {
        const auto entries = CReportList::instance().GetEntries();
        ASSERT_EQ(entries.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const std::string title = FormatText(
                std::string(expected[i].code > 1000 ? "Hinweis" : "Fehler in den VDI-Daten") +
                    (expected[i].code > 1000 ? " zu den VDI-Daten" : "") +
                    " der Armatur 'Testserie', DN 15, Art.-Nr. 'TW-100', Ausführung '1!%s'",
                details);
            EXPECT_EQ(entries[i].code, expected[i].code) << i;
            EXPECT_EQ(entries[i].title, title) << i;
            EXPECT_EQ(entries[i].text.rfind(title + ":\r\n\r\n", 0), 0u) << i;
            for (const std::string& part : {expected[i].part, expected[i].part2})
                EXPECT_NE(entries[i].text.find(vditest::crlf(part)), std::string::npos)
                    << entries[i].text;
        }
    }
    // One catalogue per case: converted, then its reports compared.
    void run(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(convert(c.body), c.built);
            expectReports(c.reports);
        }
    }

    std::unique_ptr<CVDIDoc> doc;
    nrvVDIArmaturenModell model;
    std::string details;
};

const std::string kMissing = "in dieser Armatur erwartet jedoch nicht gefunden.";
const std::string kSkipped = "\nFolge: Diese Ausführung wird übersprungen.";

// --- automatic throttle (1703) ---------------------------------------------------

// Three 710.01 records of one setting: XP 0, 4, 8 K with kv k0, k4, k8. A
// setting that is no number has only its text.
Lines setting(const std::string& s, const char* k0 = "0.05", const char* k4 = "0.5",
              const char* k8 = "1.0") {
    const std::string fields = s + ";" + (std::isdigit(s[0]) ? s : "") + ";;;";
    return {"710.01;1;0;;" + fields + k0, "710.01;2;4;;" + fields + k4,
            "710.01;3;8;;" + fields + k8};
}
Lines thermo(const std::map<int, std::string>& f, std::initializer_list<Lines> settings) {
    std::map<int, std::string> fields = {{6, "1.0"}, {9, "50"}, {10, "60"}, {14, "°C"}};
    for (const auto& [n, text] : f)
        fields[n] = text;
    Lines out = {r700(3, fields)};
    for (const Lines& s : settings)
        out = out + s;
    return out;
}

TEST_F(ConvertTw, AutomaticThrottleCurvesPerSetTemperature) {
    ASSERT_TRUE(convert(thermo({}, {setting("60"), setting("55"), setting("50")})));
    expectReports({});
    auto& v = valve<nrvArmaturThermoDross>();
    ASSERT_EQ(v.getCount(), 3);
    // Setting 55 closes at 55 °C: XP 8 → 47 °C, 4 → 51 °C, 0 → 55 °C.
    const auto& k = v.getKurveAt(1);
    EXPECT_DOUBLE_EQ(k.getReferenzTemperatur(), 55.0);
    EXPECT_DOUBLE_EQ(k.getXp(), 8.0);
    EXPECT_EQ(k.getEinstellungText(), "55");
    ASSERT_EQ(k.getCount(), 3);
    EXPECT_FLOAT_EQ(k[0].x, 47.0f);
    EXPECT_FLOAT_EQ(k[0].y, 1.0f);
    EXPECT_FLOAT_EQ(k[2].x, 55.0f);
    EXPECT_FLOAT_EQ(k[2].y, 0.05f);
    EXPECT_DOUBLE_EQ(v.getReglerTempMax(), 60.0);
    EXPECT_DOUBLE_EQ(v.getReglerTempMin(), 50.0);

    // Scale 1 … 5: 1 = T(max) 60, 5 = T(min) 50, so 2 lies at 57.5.
    ASSERT_TRUE(convert(thermo({}, {setting("1"), setting("2"), setting("5")})));
    expectReports({{1045,
                    "korrelieren nicht mit den Temperaturgrenzen.\nDaraus resultiert: "
                    "die erste Einstellung (1) entspricht Tmax (60.0 °C), die letzte "
                    "Einstellung (5) entspricht Tmin (50.0 °C).\nPrüfen"}});
    EXPECT_DOUBLE_EQ(valve<nrvArmaturThermoDross>().getKurveAt(1).getReferenzTemperatur(), 57.5);
}

TEST_F(ConvertTw, AutomaticThrottleFindings) {
    const std::string tooFew = "Zu der Einstellung 60 wurden nicht genügend XP-Werte";
    // clang-format off
    run({
        {"no 710.01", {r700(3, {{6, "1"}})}, false, {{10, "Satzart 710.01 " + kMissing}}},
        {"XP and kv empty",
         thermo({}, {{"710.01;7;;;60;60;;;0.05", "710.01;8;8;;60;60;;;"}, setting("50")}), true,
         {{1050, "kein XP-Wert", "Einstellung 60.\nSiehe Satzart 710.01 mit Index 7."},
          {1050, "kein kv-Wert", "Einstellung 60.\nSiehe Satzart 710.01 mit Index 8."},
          // The 60 °C curve only reaches kv 0.05 and is left out.
          {1050, "Einstellung 60.0 liegt nicht bis kv(max)", "werden nicht übernommen."}}},
        {"settings as text", thermo({}, {setting("warm"), setting("heiß")}), false,
         {{10, "keine numerische Einstellung", "Index 1."}}},
        {"not steady", thermo({}, {setting("60"), setting("50"), setting("55")}), false,
         {{10, "Abfolge der hinterlegten Einstellungen ist nicht stetig."}}},
        {"one setting, two temperatures", thermo({{9, "55"}}, {setting("57")}), true,
         {{1045, "nicht eindeutig", "T(min) = 55.0,  T(max) = 60.0).\nSiehe Satzart 700 mit "
                                    "Index 1 (Lfd.Nr.9 und 10)."}}},
        {"one setting, no temperature", thermo({{9, ""}, {10, ""}}, {setting("57")}), false,
         {{30, "keine Einstellungs-Kurven", "Index 1."}}},
        {"settings, equal temperatures", thermo({{9, "60"}}, {setting("60"), setting("50")}),
         false, {{10, "nicht ermittelbar", "T(min) = 60.0,  T(max) = 60.0"}}},
        {"one XP only", thermo({}, {{"710.01;9;2;;60;60;;;0.3"}, setting("50")}), true,
         {{1050, tooFew, "Satzart 700 mit Index 1."}}},
        {"no setting with two XP", thermo({{9, "60"}}, {{"710.01;1;2;;60;60;;;0.3"}}), false,
         {{1050, tooFew}, {30, "zu keiner Einstellung ausreichend Stützpunkte"}}},
        {"short of kv(min)", thermo({}, {setting("60"), setting("50", "0.3")}), false,
         {{10, "Einstellung 50.0 liegt nicht bis kv(min) vor." + kSkipped}}},
        {"kvs differs", thermo({{6, "1.6"}}, {setting("60"), setting("50")}), true,
         {{1045, "Der hinterlegte kvs stimmt nicht mit dem kv(max)"}}},
    });
    // clang-format on
}

// --- taps and safety devices (1704 … 1707) ------------------------------------------

// Basin tap: 0.15 l/s at 1000 hPa; characteristic down to the closing point.
const Lines kTapValues = {"710.02;1;1000;0.15;1000;0.15;1;0"};
const Lines kCharacteristic = {"710.03;1;3000;935", "710.03;2;1000;540", "710.03;3;200;0"};

Lines tap(int kind, const Lines& values, const Lines& characteristic) {
    return Lines{r700(kind, {{6, "3.2"}})} + values + characteristic;
}

TEST_F(ConvertTw, TapAndPipeSeparatorValues) {
    // Given from the smallest flow up: turned round once.
    ASSERT_TRUE(convert(tap(5, kTapValues, {kCharacteristic.rbegin(), kCharacteristic.rend()})));
    expectReports({});
    auto& t = valve<nrvArmaturEA>();
    EXPECT_TRUE(t.hasRFV());
    EXPECT_TRUE(t.isEigensicher());
    EXPECT_DOUBLE_EQ(t.getDesignDurchflussKalt(), 540.0);
    EXPECT_FLOAT_EQ(t.getQmax(), 935.0f);
    EXPECT_FLOAT_EQ(t.getDp(540.0f), 1000.0f);
    EXPECT_NEAR(t.getKv(540.0f), 0.54, 1e-6);

    ASSERT_TRUE(convert(tap(7, {"710.04;1;2.5;3.5;1500;140;160;120;1"}, kCharacteristic)));
    auto& s = valve<nrvArmaturSicherung>();
    EXPECT_DOUBLE_EQ(s.getNenndurchfluss(), 2500.0);
    EXPECT_DOUBLE_EQ(s.getMaxDurchfluss(), 3500.0);
    EXPECT_DOUBLE_EQ(s.getDruckgrenze(), 1500.0);
    EXPECT_DOUBLE_EQ(s.getOeffnungsdruckFallend(), 120.0);
    EXPECT_TRUE(s.hasSchliessfeder());
    EXPECT_FLOAT_EQ(s.getOefnDp(), 200.0f);
}

TEST_F(ConvertTw, TapAndSafetyDeviceFindings) {
    const Lines open = {"710.03;1;3000;935", "710.03;2;1000;540", "710.03;3;100;180"};
    // clang-format off
    run({
        {"plain tap needs no zero flow", tap(4, kTapValues, open), true, {}},
        {"tap with backflow preventer", tap(5, kTapValues, open), true,
         {{1045, "Massenstrom ist 180 kg/h bzw. 0.05 kg/s)",
           "Satzart 710.03).\nFolge: Diese Armatur kann ggf. nicht korrekt ausgelegt werden."}}},
        {"no minimum pressure, no flow", tap(4, {"710.02;1;;;;;0;0"}, kCharacteristic), true,
         {{1045, "kein Mindestfließdruck", "(Satzart 700;1; und 710.02;1;)."},
          {1045, "keine Durchflussdaten", "(Satzart 700;1 und 710.02;1)."}}},
        {"point without flow", tap(4, kTapValues, {"710.03;1;3000;935", "710.03;2;1000;"}), true,
         {{1050, "das Feld für den Massenstrom nicht", "Satzart 710.03 mit Index 2).\nFolge: "
                                                       "Diese Einstellung wird übersprungen."}}},
        {"point without pressure", tap(4, kTapValues, {"710.03;1;3000;935", "710.03;2;;540"}),
         true, {{1050, "das Feld für den Differenzdruck nicht"}}},
        {"below 1 bar", tap(4, kTapValues, {"710.03;1;800;480", "710.03;2;200;0"}), true,
         {{1045, "mindestens 1000 mbar", "(dp(max) ist 800 mbar)"}}},
        {"flows not falling",
         tap(4, kTapValues, {"710.03;1;3000;935", "710.03;2;200;0", "710.03;3;1000;540"}), false,
         {{10, "Massenstrom-Werte nicht stetig absteigend"}}},
        {"no 710.02", tap(4, {}, kCharacteristic), false,
         {{10, "Satzart 710.02 " + kMissing, kSkipped}}},
        {"two 710.04", tap(6, {"710.04;1;2.5;3.5", "710.04;2;2.5;3.5"}, kCharacteristic), true,
         {{1045, "mehr als ein Datensatz der Satzart 710.04"}}},
    });
    // clang-format on
}

// --- pressure reducer (1708) ----------------------------------------------------------

Lines reducer(const Lines& settings) {
    return Lines{r700(8, {{6, "2.4"}, {14, "bar"}})} + settings;
}

TEST_F(ConvertTw, PressureReducerStepsFromHighestOutletPressure) {
    // 1.5 bar with step 0.5 up to 6 bar: 1.5, 2.0 … 6.0, listed from 6.0 down.
    ASSERT_TRUE(convert(reducer({"710.05;1;1.5;1.5;1.5;0.5", "710.05;2;6;6;6.0"})));
    expectReports({});
    auto& v = valve<nrvArmaturDruckminderer>();
    ASSERT_EQ(v.getKurve().getCount(), 10);
    EXPECT_DOUBLE_EQ(v.getDpOutMax(), 6.0);
    EXPECT_DOUBLE_EQ(v.getDpOutMin(), 1.5);
    EXPECT_FLOAT_EQ(v.getKurve()[1].x, 5.5f);
    EXPECT_DOUBLE_EQ(v.getdP_bar(1), 5.5);
    EXPECT_EQ(v.getEinheitEinst(), "bar");
}

TEST_F(ConvertTw, PressureReducerFindings) {
    const std::string notGiven =
        "nicht angegeben worden.\nFolge: die entsprechenden "
        "Einstellungen wurden übersprungen.\nSiehe Satzart 710.05 mit "
        "Index ";
    // clang-format off
    run({
        {"no 710.05", reducer({}), false,
         {{10, "Kennlinienkurve nach Satzart 710.05", "(Satzart 700 mit Index 1)." + kSkipped}}},
        {"missing and zero pressures",
         reducer({"710.05;1;3;3;3", "710.05;2;4;4;", "710.05;3;5;5;0", "710.05;4;6;6;"}), true,
         {{1050, notGiven + "2, 4."}, {1045, "mit 0 (Null)", "Satzart 710.05 mit Index 3."}}},
        {"no pressure at all", reducer({"710.05;1;3;3;"}), false,
         {{1050, notGiven + "1."},
          {30, "keine Angaben zum Ausgangsseitigen Druck", "Satzart 700 mit Index 1."}}},
    });
    // clang-format on
}

// --- meter (1709) ---------------------------------------------------------------------

Lines meter(const char* qn, const std::string& q = "0.05;5") {
    return {"350;1;0;" + kMeterText + ";1;" + q + ";0.2;R80-H", r700(9, {{6, "3.5"}, {25, qn}}),
            "710.06;1;250;0.01;Mehrstrahl;2;1;1;0;99999;190;G 1 B"};
}

TEST_F(ConvertTw, MeterValuesFromTechnicalDataAndProperties) {
    ASSERT_TRUE(convert(meter("2.5")));
    expectReports({});
    auto& v = valve<nrvArmaturZaehler>();
    EXPECT_DOUBLE_EQ(v.getQn(), 2.5);
    EXPECT_DOUBLE_EQ(v.getQmin(), 0.05);
    EXPECT_DOUBLE_EQ(v.getQmax(), 5.0);
    EXPECT_EQ(v.getEinsatzbereich(), 1);
    EXPECT_EQ(v.getMetrologischeKlassen(), "R80-H");
    EXPECT_DOUBLE_EQ(v.getDpBeiQn(), 250.0);
    EXPECT_EQ(v.getZaehlerEinbaulage(), 2);
    EXPECT_EQ(v.getAnschlussText(), "G 1 B");
}

TEST_F(ConvertTw, MeterFindings) {
    Lines without350 = meter("2.5");
    without350.erase(without350.begin());
    // clang-format off
    run({
        {"no Qn", meter(""), true, {{1045, "Nenngröße Qn eingetragen", "Index 1)."}}},
        {"Qn below Qmin", meter("0.04"), true,
         {{1045, "Qn (0.04 m³/h) ist kleiner als der min. Durchfluss Qmin (0.05 m³/h)."}}},
        {"Qn above Qmax", meter("6"), true,
         {{1045, "Qn (6.00 m³/h) ist größer als der max. Durchfluss Qmax (5.00 m³/h)."}}},
        {"no 350", without350, false,
         {{10, "Satzart 350 für diesen Zähler", "(Satzart 110 mit Index 1)."}}},
    });
    // clang-format on
}

// --- ring-main fitting (1713) -------------------------------------------------------------

Lines ringMain(const Lines& points) {
    return Lines{r700(13)} + points;
}

TEST_F(ConvertTw, RingMainFlowOverPressureLoss) {
    ASSERT_TRUE(convert(ringMain({"710.11;1;0.2;10", "710.11;2;0.4;40", "710.11;3;0.6;90"})));
    expectReports({});
    auto& v = valve<nrvArmaturVenturi>();
    EXPECT_FLOAT_EQ(v.getKurve().getYInterpol(65.0f), 0.5f);
    EXPECT_DOUBLE_EQ(v.getDpmin(), 10.0);
    EXPECT_DOUBLE_EQ(v.getDpmax(), 90.0);
    EXPECT_FLOAT_EQ(float(v.getVPunktmax()), 0.6f);
}

TEST_F(ConvertTw, RingMainFindings) {
    const std::string order = " nicht stetig steigend oder fallend.";
    // clang-format off
    run({
        {"empty fields", ringMain({"710.11;1;;", "710.11;2;0.4;40"}), true,
         {{1050, "kein Durchflusswert", "Satzart 710.11 mit Index 1."},
          {1050, "kein Druckverlustwert", "Satzart 710.11 mit Index 1."}}},
        {"flows", ringMain({"710.11;1;0.2;10", "710.11;2;0.6;40", "710.11;3;0.4;90"}), false,
         {{10, "Durchflusswerte" + order}}},
        {"pressure losses", ringMain({"710.11;1;0.2;10", "710.11;2;0.4;40", "710.11;3;0.6;40"}),
         false, {{10, "Druckverlustwerte" + order}}},
    });
    // clang-format on
}

// --- sample catalogues ----------------------------------------------------------

struct Series {
    int valves;
    int type;
};

// Every model series of a sample converted; the models in file order.
std::vector<std::unique_ptr<nrvVDIArmaturenModell>> convertSample(
    const std::string& file, const std::vector<Series>& expected) {
    CReportList::instance().Clear();
    CVDIDoc doc;
    EXPECT_TRUE(doc.Load(kavextest::samplesDir() + "/catalogs/" + file, false, 17, false));
    std::vector<CVDIBase*> series;
    doc.CollectRecords(11000, series);
    EXPECT_EQ(series.size(), expected.size());
    std::vector<std::unique_ptr<nrvVDIArmaturenModell>> models;
    for (std::size_t i = 0; i < series.size() && i < expected.size(); ++i) {
        auto model = std::make_unique<nrvVDIArmaturenModell>();
        vditest::fillModel(*model, *series[i]);
        EXPECT_EQ(model->getSize(), expected[i].valves) << series[i]->GetField(4);
        EXPECT_EQ(int(model->getNrvArmType()), expected[i].type) << series[i]->GetField(4);
        models.push_back(std::move(model));
    }
    return models;
}

TEST_F(ConvertTw, NordquellSampleConvertsEverySeries) {
    // clang-format off
    const auto models = convertSample(
        "NORDQUELL/VDI_17/nordquell_blatt17.vdi",
        {{6, 1701}, {3, 1701}, {2, 1702}, {2, 1703}, {2, 1722}, {1, 1704}, {2, 1705}, {4, 1706},
         {2, 1707}, {2, 1713}, {6, 1708}, {3, 1709}});
    // clang-format on
    ASSERT_EQ(models.size(), 12u);
    // Its findings are checked with the stored data check; the values of
    // series beyond the first are not stored.
    auto& tzv = dynamic_cast<nrvArmaturThermoDross&>(*models[3]->getArmaturAt(0));
    ASSERT_EQ(tzv.getCount(), 3);
    EXPECT_FLOAT_EQ(tzv.getKurveAt(2)[0].x, 40.0f);  // setting 50, XP 10
    EXPECT_FLOAT_EQ(tzv.getKvDesinfektion(), 0.5f);
    EXPECT_EQ(models[10]->getArmaturAt(5)->getDimension(), 50);
    auto& hwz = dynamic_cast<nrvArmaturZaehler&>(*models[11]->getArmaturAt(1));
    EXPECT_DOUBLE_EQ(hwz.getQmax(), 12.0);
}

TEST_F(ConvertTw, SuedwerkSampleOfTheOlderIssue) {
    const auto models = convertSample("SUEDWERK/VDI_17/suedwerk_trinkwasser.vdi",
                                      {{4, 1701}, {2, 1702}, {1, 1704}, {2, 1708}});
    EXPECT_EQ(CReportList::instance().Count(), 0);
    ASSERT_EQ(models.size(), 4u);
    EXPECT_FLOAT_EQ(dynamic_cast<nrvArmaturEA&>(*models[2]->getArmaturAt(0)).getQmax(), 504.0f);
}

}  // namespace

// `kavex pumps` on the bundled samples, and the sample pump files: the
// checked-in files must be what the code builds and writes, byte for byte.
// With KAVEX_WRITE_SAMPLES=1 they are regenerated first (the same as
// `kavex pumps samples samples/catalogs`).

#include "pumps.h"

#include <gtest/gtest.h>
#include <CLI/CLI.hpp>

#include <cstdlib>
#include <sstream>

#include "kavex/pumps/pumpenmanager.h"
#include "samplepumps.h"
#include "support/tempdir.h"

namespace {

struct Lauf {
    int code = 0;
    std::string out;
    std::string err;
};

// Parses the arguments behind "kavex" like the program and runs the job.
Lauf kavex(const std::vector<std::string>& args) {
    CLI::App app;
    kavexcli::PumpsJob job;
    kavexcli::addPumpsCommand(app, job, kavextest::samplesDir() + "/catalogs");
    std::vector<const char*> argv{"kavex"};
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out, err;
    Lauf lauf;
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
        lauf.code = kavexcli::runPumpsJob(job, out, err);
    } catch (const CLI::ParseError& e) {
        lauf.code = app.exit(e, out, err);
    }
    lauf.out = out.str();
    lauf.err = err.str();
    return lauf;
}

std::string textVon(const nrvPumpenHersteller& h) {
    return nrvPumpenManager().writeToFile(&h, true);
}

}  // namespace

TEST(SamplePumps, CheckedInFilesAreWhatTheCodeBuildsAndWrites) {
    const std::string root = kavextest::samplesDir() + "/catalogs";
    const char* regenerate = std::getenv("KAVEX_WRITE_SAMPLES");
    if (regenerate != nullptr && std::string(regenerate) == "1") {
        for (const kavexcli::WrittenPumpFile& f : kavexcli::writeSamplePumps(root))
            ASSERT_TRUE(f.ok) << f.path;
    }
    kavextest::TempDir dir;
    const auto written = kavexcli::writeSamplePumps(dir.path().string());
    const auto built = kavexcli::buildSamplePumps();
    ASSERT_EQ(written.size(), built.size());
    for (std::size_t i = 0; i < built.size(); ++i) {
        const std::string path = root + "/" + built[i].library + "/" + built[i].relativePath;
        SCOPED_TRACE(path);
        ASSERT_TRUE(written[i].ok);
        EXPECT_EQ(kavextest::readBytes(written[i].path), kavextest::readBytes(path));
        nrvPumpenManager m;
        const nrvPumpenHersteller* gelesen = m.read(path);
        ASSERT_NE(gelesen, nullptr);
        EXPECT_EQ(textVon(*gelesen), textVon(*built[i].hersteller));
    }
}

TEST(PumpsJob, ListsTheCatalogue) {
    const Lauf lauf = kavex({"pumps", "list"});
    EXPECT_EQ(lauf.code, 0) << lauf.err;
    EXPECT_NE(lauf.out.find("Nordquell Ventiltechnik AG [NORDQUELL] "), std::string::npos);
    EXPECT_NE(lauf.out.find("  Inline IL (application areas 0)\n"
                            "    IL 65/160-2.2/2 | art. 5206516 | DN 65 | Statische Kennlinie | "
                            "curves: 1450 1/min, 2900 1/min\n"),
              std::string::npos)
        << lauf.out;
    EXPECT_NE(lauf.out.find("\n2 manufacturers, 4 series, 6 pumps\n"), std::string::npos);
}

TEST(PumpsJob, ChecksAllDataAndFailsOnFindings) {
    Lauf lauf = kavex({"pumps", "check"});
    EXPECT_EQ(lauf.code, 0);
    EXPECT_EQ(lauf.out, "check: 6 pumps, 0 findings\n");

    kavextest::TempDir dir;
    kavextest::writeBytes(dir.file("X/desktop.info"),
                          "[Katalog]\nID:X\nContent:PUMPEN\nPUMPEN:x.pmp\n[ENDE_Katalog]\n");
    kavextest::writeBytes(
        dir.file("X/x.pmp"),
        "[PUMPEN]\nVERSION:1\nHERSTELLER:X\nMMD:\n[SERIE]\nBEZ:S\n"
        "[PUMPE]\nBEZ:P\nREG:KENNLINIE\n[ENDE_PUMPE]\n[ENDE_SERIE]\n[ENDE_PUMPEN]\n");
    lauf = kavex({"pumps", "check", "--catalogs", dir.path().string()});
    EXPECT_EQ(lauf.code, 1);
    EXPECT_EQ(lauf.out, "Pumpe ohne Kennlinien gefunden: P\ncheck: 1 pumps, 1 findings\n");
}

TEST(PumpsJob, ControlCurvesAtASetPressure) {
    // Constant pressure of 80 mbar on the drinking-water pump: the maximum
    // curve crosses between (600 l/h, 95 mbar) and (800 l/h, 72 mbar) at
    // 800 - 200 · 8/23 = 730.4 l/h; the minimum curve lies below and is
    // raised to the set pressure except for its last point.
    const Lauf lauf = kavex({"pumps", "curve", "Zirkula Z 15/1.2 B", "--set-pressure", "8"});
    EXPECT_EQ(lauf.code, 0) << lauf.err;
    EXPECT_EQ(lauf.out,
              "Zirkula Z 15/1.2 B (Südwerk Pumpen & Regeltechnik KG, Zirkula Z): "
              "Konstant-Druckregelung\n"
              "constant-pressure control at 8 kPa\n"
              "along the maximum curve:\n"
              "    V m3/h     H kPa\n"
              "     0.000      8.00\n     0.200      8.00\n     0.400      8.00\n"
              "     0.730      8.00\n     0.800      7.20\n     1.000      4.20\n"
              "     1.200      1.00\n"
              "along the minimum curve:\n"
              "    V m3/h     H kPa\n"
              "     0.000      8.00\n     0.200      8.00\n     0.400      8.00\n"
              "     0.550      0.80\n");

    // Proportional: from half the set pressure up to the crossing at
    // 5000 - 1000 · 60/65 = 4076.9 l/h.
    const Lauf prop = kavex({"pumps", "curve", "4103251", "--set-pressure", "25"});
    EXPECT_NE(prop.out.find("proportional-pressure control at 25 kPa\nalong the maximum curve:\n"
                            "    V m3/h     H kPa\n     0.000     12.50\n"),
              std::string::npos)
        << prop.out;
    EXPECT_NE(prop.out.find("     4.077     25.00\n     5.000     19.00\n"), std::string::npos);
    EXPECT_NE(kavex({"pumps", "curve", "4103251", "--set-pressure", "25", "--control", "konst"})
                  .out.find("control at 25 kPa\nalong the maximum curve:\n    V m3/h     H kPa\n"
                            "     0.000     25.00\n"),
              std::string::npos);
}

TEST(PumpsJob, OperatingPointWithTheNetworkCurve) {
    // Line 12.5 kPa + 3.0660 kPa per m³/h against 15 kPa · (V / 2)²:
    // 3.75 V² - 3.0660 V - 12.5 = 0 gives V = 2.280 m³/h, H = 19.49 kPa.
    const Lauf lauf =
        kavex({"pumps", "point", "Eco E 25/4", "--set-pressure", "25", "--network", "2:15"});
    EXPECT_EQ(lauf.code, 0) << lauf.err;
    EXPECT_NE(lauf.out.find("network point: 2.000 m3/h at 15.00 kPa (static part 0.00 kPa)\n"
                            "operating point: 2.280 m3/h at 19.49 kPa\n"
                            "network point inside the control range: yes\n"
                            "proportional set pressure through the network point: "),
              std::string::npos)
        << lauf.out;
    // Constant 8 kPa against 2 + 4 · (V / 0.5)² kPa: V = 0.5 · √1.5 = 0.612 m³/h.
    const Lauf konst = kavex({"pumps", "point", "Zirkula Z 15/1.2 B", "--set-pressure", "8",
                              "--network", "0.5:6", "--static", "2"});
    EXPECT_NE(konst.out.find("operating point: 0.612 m3/h at 8.00 kPa\n"), std::string::npos)
        << konst.out;
    EXPECT_EQ(konst.out.find("proportional"), std::string::npos);
}

TEST(PumpsJob, ClearErrorsForUnknownPumpsAndBadNumbers) {
    // clang-format off
    struct Fall { std::vector<std::string> args; const char* meldung; };
    const Fall faelle[] = {
        {{"pumps", "curve", "Eco X", "--set-pressure", "25"}, "unknown pump 'Eco X'"},
        {{"pumps", "curve", "Eco E 25/4", "--set-pressure", "2,5"}, "bad set pressure '2,5'"},
        {{"pumps", "curve", "Eco E 25/4", "--set-pressure", "40"},
         "set pressure 40 kPa outside the admissible range 5..35 kPa"},
        {{"pumps", "curve", "IL 65/160-2.2/2", "--set-pressure", "20"},
         "has no pressure control (static curves)"},
        {{"pumps", "point", "Eco E 25/4", "--set-pressure", "25", "--network", "2"},
         "bad network point '2'"},
        {{"pumps", "point", "Eco E 25/4", "--set-pressure", "25", "--network", "-2:15"},
         "bad network point '-2:15'"},
        {{"pumps", "point", "Eco E 25/4", "--set-pressure", "25", "--network", "2:15", "--static",
          "15"},
         "bad static part '15'"},
    };
    // clang-format on
    for (const Fall& f : faelle) {
        const Lauf lauf = kavex(f.args);
        EXPECT_EQ(lauf.code, 1) << f.meldung;
        EXPECT_NE(lauf.err.find(f.meldung), std::string::npos) << lauf.err;
        EXPECT_TRUE(lauf.out.empty());
    }
    EXPECT_NE(kavex({"pumps", "curve", "Eco E 25/4"}).code, 0);  // --set-pressure required
}

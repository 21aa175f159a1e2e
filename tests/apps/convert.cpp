// `kavex convert` and `kavex model`: choosing series and executions, the model
// file written, the exit code on errors, and the description and export of a
// model file.

#include "convert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "kavex/platform/reportlist.h"
#include "kavex/valves/armaturenmodell.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

struct JobRun {
    int code = 0;
    std::string out;
    std::string err;
};

std::string tga(int group, int series, int index700) {
    char text[64];
    std::snprintf(text, sizeof text, "%03d%03d%039d%05d000", group, series, 0, index700);
    return text;
}

std::string throttle(int group, int series, int index, int dn, bool doubled) {
    const std::string n = std::to_string(index);
    return "700;" + n + ";;2;" + std::to_string(dn) + ";0.9;120;10;1000;;;DN;1;Umdrehungen\r\n" +
           "710.01;1;;;1;1;;;0.9\r\n" +
           (doubled ? "710.01;2;;;1;1;;;0.4\r\n" : "710.01;2;;;2;2;;;0.4\r\n") + "800;" + n + ";" +
           tga(group, series, index) + ";RV " + n + ";NQ-" + n + "\r\n";
}

// Group 2 holds the series 1 "Serie RV" (executions 1..3, DN 20, 15, 10;
// execution 3 with a doubled setting) and 2 "Serie EV"; group 5 again a
// series 1 "Serie RV" with execution 4.
std::string catalogue() {
    return "010;2;201601;Nordquell Ventiltechnik AG;20240115\r\n100;2;;Armaturen\r\n"
           "110;1;;Serie RV;Rücklaufverschraubungen\r\n" +
           throttle(2, 1, 1, 20, false) + throttle(2, 1, 2, 15, false) +
           throttle(2, 1, 3, 10, true) + "110;2;;Serie EV;Einzelventile\r\n" +
           throttle(2, 2, 5, 15, false) + "100;5;;Festwiderstände\r\n" +
           "110;1;;Serie RV;Drosseln\r\n" + throttle(5, 1, 4, 25, false);
}

class ConvertJob : public ::testing::Test {
protected:
    void SetUp() override {
        CReportList::instance().Clear();
        kavextest::writeBytes(path, catalogue());
    }
    void TearDown() override { CReportList::instance().SetAddPath(false); }

    JobRun convert(const std::string& series, const std::string& executions,
                   const std::string& xp = {}) {
        kavexcli::ConvertJob job;
        job.catalogue = path;
        job.series = series;
        job.executions = executions;
        job.xp = xp;
        job.output = model;
        std::ostringstream out, err;
        JobRun r;
        r.code = kavexcli::runConvertJob(job, out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }
    int valvesWritten() {
        nrvVDIArmaturen::nrvVDIArmaturenModell m;
        return m.loadVMFFile(model) ? m.getSize() : -1;
    }

    kavextest::TempDir dir;
    std::string path = dir.file("nordquell.vdi");
    std::string model = dir.file("modell.vmf");
};

struct ChoiceCase {
    std::string series, executions, xp;
    int code;
    int valves;           // in the written file; -1: none written
    std::string message;  // part of the output or the problems
};

TEST_F(ConvertJob, SeriesAndExecutionsAreChosenAsAsked) {
    const std::vector<ChoiceCase> cases = {
        {"2/1", "1,2", "", 0, 2, "2 valves from 2 executions"},
        {"Serie EV", "all", "", 0, 1, "model 'Serie EV' (Nordquell Ventiltechnik AG), type 202"},
        {"2", "5", "2.5", 0, 1, "1 valves from 1 executions"},
        {"5/1", "all", "", 0, 1, "written "},
        // The doubled setting drops execution 3: the rest is written, the job fails.
        {"2/1", "all", "", 1, 2, "/// Fehler ///"},
        {"Serie RV", "all", "", 1, -1, "names 2 series; choose one by group/index"},
        {"1", "all", "", 1, -1, "names 2 series"},
        {"Serie XY", "all", "", 1, -1, "  2/2  Serie EV  (1 executions)"},
        {"2/1", "1,9", "", 1, -1, "no execution '9'; its executions: 1 2 3"},
        {"2/1", "3", "", 1, -1, "no valve could be built"},
        {"2/1", "1", "warm", 1, -1, "bad XP 'warm'"},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.series + " | " + c.executions + " | " + c.xp);
        fs::remove(model);
        const JobRun r = convert(c.series, c.executions, c.xp);
        EXPECT_EQ(r.code, c.code) << r.out << r.err;
        EXPECT_EQ(valvesWritten(), c.valves);
        EXPECT_NE((r.out + r.err).find(c.message), std::string::npos) << r.out << r.err;
    }
}

TEST_F(ConvertJob, AnUnreadableCatalogueFails) {
    kavextest::writeBytes(path, "kein Katalog\r\n");
    const JobRun r = convert("1", "all");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("cannot load"), std::string::npos);
    EXPECT_NE(r.err.find("/// Fehler ///"), std::string::npos);
}

// --- kavex model --------------------------------------------------------------------

JobRun describe(const std::string& file, const std::string& exportPath = {}) {
    kavexcli::ModelJob job{file, exportPath};
    std::ostringstream out, err;
    JobRun r;
    r.code = kavexcli::runModelJob(job, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

TEST_F(ConvertJob, AConvertedModelDescribesItself) {
    ASSERT_EQ(convert("2/1", "1,2").code, 0);
    const JobRun r = describe(model);
    EXPECT_EQ(r.code, 0) << r.err;
    for (const char* part : {"model: Serie RV\n", "manufacturer: Nordquell Ventiltechnik AG\n",
                             "catalogue file: nordquell.vdi\n", "guideline date: 201601\n",
                             "valves: 2\n", "  DN 15 | kvs 0.9 m3/h | art. NQ-2 | execution 2",
                             "curve: 2 points, x 1..2 Umdrehungen, y 0.4..0.9 m³/h\n"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
    // Sorted by nominal size.
    EXPECT_LT(r.out.find("DN 15"), r.out.find("DN 20"));
    // Only thermostatic valve bodies have a text export.
    const JobRun exported = describe(model, dir.file("export.txt"));
    EXPECT_EQ(exported.code, 1);
    EXPECT_FALSE(fs::exists(dir.file("export.txt")));
}

TEST(ModelJob, TheTextExportReplacesTheFile) {
    kavextest::TempDir dir;
    const std::string model = kavextest::samplesDir() + "/models/nrvArmaturTHKV.vmf";
    const std::string target = dir.file("export.txt");
    ASSERT_EQ(describe(model, target).code, 0);
    const std::string first = kavextest::readBytes(target);
    EXPECT_EQ(first.rfind("//Version;Hersteller;Modellbezeichnung;", 0), 0u);
    ASSERT_EQ(describe(model, target).code, 0);
    EXPECT_EQ(kavextest::readBytes(target), first);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(ModelJob, AFileThatIsNoModelFails) {
    kavextest::TempDir dir;
    kavextest::writeBytes(dir.file("x.vmf"), "[Pumpe]\n[ENDE_Pumpe]\n");
    const JobRun r = describe(dir.file("x.vmf"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("no readable catalogue model file"), std::string::npos);
}

}  // namespace

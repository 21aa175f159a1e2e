// `kavex check` over small catalogue roots and files: which reports are
// written, the summary table, and when the job fails.

#include "check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "kavex/platform/reportlist.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

struct JobRun {
    int code = 0;
    std::string out;
    std::string err;
    std::vector<kavexcli::CheckRow> rows;
};

std::string tga(int index700) {
    char text[64];
    std::snprintf(text, sizeof text, "002001%039d%05d000", 0, index700);
    return text;
}

// A sheet-2 catalogue of throttles (kind 2); `doubled` executions repeat a
// setting, which the conversion refuses with an error.
std::string catalogue(int good, int doubled) {
    std::string text =
        "010;2;201601;Nordquell Ventiltechnik AG;20240115\r\n100;2;;Armaturen\r\n"
        "110;1;;Serie RV;Rücklaufverschraubungen\r\n";
    for (int i = 1; i <= good + doubled; ++i) {
        const std::string n = std::to_string(i);
        text += "700;" + n + ";;2;15;0.9;120;10;1000;;;DN;1;Umdrehungen\r\n";
        text += "710.01;1;;;1;1;;;0.9\r\n";
        text += std::string("710.01;2;;;") + (i > good ? "1;1" : "2;2") + ";;;0.4\r\n";
        text += "800;" + n + ";" + tga(i) + ";RV " + n + ";NQ-" + n + "\r\n";
    }
    return text;
}

class CheckJob : public ::testing::Test {
protected:
    void SetUp() override { CReportList::instance().Clear(); }

    void put(const std::string& relative, const std::string& bytes) {
        kavextest::writeBytes(dir.file(relative), bytes);
    }
    void library(const std::string& id, const std::string& files) {
        put("root/" + id + "/desktop.info", "[Katalog]\n\tID:" + id + "\n\tNAME:" + id +
                                                "\n\tContent:VDI_2\n" + files + "[ENDE_Katalog]\n");
    }
    JobRun run(std::vector<std::string> paths, const std::string& root = {}) {
        kavexcli::CheckJob job;
        job.paths = std::move(paths);
        job.catalogs = root.empty() ? dir.file("root") : root;
        job.out = dir.file("out");
        std::ostringstream out, err;
        JobRun r;
        r.code = kavexcli::runCheckJob(job, out, err, &r.rows);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    kavextest::TempDir dir;
};

TEST_F(CheckJob, OneFileGivesOneReportAndItsCounts) {
    put("nq.vdi", catalogue(2, 1));
    const JobRun r = run({dir.file("nq.vdi")});
    EXPECT_EQ(r.code, 0) << r.err;
    ASSERT_EQ(r.rows.size(), 1u);
    const kavexcli::CheckRow& row = r.rows[0];
    EXPECT_EQ(row.catalogue, "nq.vdi");
    EXPECT_EQ(row.sheet, 2);
    EXPECT_EQ(row.executions, 3);
    EXPECT_EQ(row.valid, 2);
    EXPECT_EQ(row.errors, 1);
    EXPECT_EQ(row.report, dir.file("out/nq.vdi.check.txt"));
    const std::string report = kavextest::readBytes(row.report);
    EXPECT_NE(report.find("Datei: nq.vdi\r\n"), std::string::npos);
    EXPECT_NE(report.find("Anzahl Fehler   gesamt: 1\r\n"), std::string::npos);
    // The table: header, the catalogue, the total.
    EXPECT_NE(r.out.find("catalogue  sheet  executions  valid  hints  errors\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("nq.vdi         2           3      2      0       1\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("check: 1 catalogues"), std::string::npos);
}

TEST_F(CheckJob, ARootIsCheckedLibraryByLibrary) {
    library("AAA", "\tVDI_2:VDI_2\\a.vdi\n\tVDI_2:VDI_2\\kaputt.vdi\n");
    library("BBB", "\tVDI_2:VDI_2\\a.vdi\n");
    put("root/AAA/VDI_2/a.vdi", catalogue(1, 0));
    put("root/AAA/VDI_2/kaputt.vdi", "999;kein Kopf\r\n");
    put("root/BBB/VDI_2/a.vdi", catalogue(2, 0));

    const JobRun r = run({});
    // A catalogue that cannot be loaded fails the job; its reason is shown.
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("error while loading"), std::string::npos) << r.err;
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[0].catalogue, "AAA/a.vdi");
    EXPECT_EQ(r.rows[1].catalogue, "AAA/kaputt.vdi");
    EXPECT_FALSE(r.rows[1].loaded);
    EXPECT_TRUE(r.rows[1].report.empty());
    EXPECT_NE(r.out.find("AAA/kaputt.vdi      0  not loaded\n"), std::string::npos) << r.out;
    // Two libraries with a file of the same name get a report each.
    EXPECT_EQ(r.rows[0].report, dir.file("out/a.vdi.check.txt"));
    EXPECT_EQ(r.rows[2].report, dir.file("out/a.vdi.2.check.txt"));
    EXPECT_EQ(r.rows[2].valid, 2);
    EXPECT_TRUE(fs::exists(r.rows[2].report));
}

TEST_F(CheckJob, NothingToCheckOrNowhereToWriteFails) {
    fs::create_directories(dir.file("root/LEER"));
    const JobRun empty = run({});
    EXPECT_EQ(empty.code, 1);
    EXPECT_NE(empty.err.find("no catalogue found"), std::string::npos);

    put("nq.vdi", catalogue(1, 0));
    put("out", "a file where the folder should be");
    const JobRun blocked = run({dir.file("nq.vdi")});
    EXPECT_EQ(blocked.code, 1);
    EXPECT_NE(blocked.err.find("cannot create the folder"), std::string::npos);
}

}  // namespace

// `kavex catalogs` over a small catalogue root: the catalogues each library
// shows with their numbers, the reports of a catalogue that fails, and the
// sheet and old-file options.

#include "catalogs.h"

#include <gtest/gtest.h>
#include <CLI/CLI.hpp>

#include <sstream>

#include "support/tempdir.h"

namespace {

// AAA: VDI_2 good.vdi (2 series, 3 executions), bad.vdi (unsupported date), a
// listed file that is missing, VDI_17 w.vdi, TGA_2 alt.tga; BBB: nothing;
// RN_USER (no info file): VDI_2/eigen.vdi.
class CatalogsJob : public ::testing::Test {
protected:
    void SetUp() override {
        put("AAA/desktop.info",
            "[Katalog]\n\tID:AAA\n\tNAME:Armaturen A\n\tContent:VDI_2:VDI_17:TGA_2\n"
            "\tVDI_2:VDI_2\\good.vdi\n\tVDI_2:VDI_2\\bad.vdi\n\tVDI_2:VDI_2\\fehlt.vdi\n"
            "\tVDI_17:VDI_17\\w.vdi\n\tTGA_2:VDI_2\\alt.tga\n[ENDE_Katalog]\n");
        put("AAA/VDI_2/good.vdi",
            "010;2;201601;Armaturen A GmbH\r\n100;2;G\r\n110;1;;S1\r\n800;1;x\r\n800;2;x\r\n"
            "110;2;;S2\r\n800;3;x\r\n");
        put("AAA/VDI_2/bad.vdi", "010;2;209912;Armaturen A GmbH\r\n100;2;G\r\n");
        put("AAA/VDI_17/w.vdi", "010;17;201601;Wasser AG\r\n100;1;G\r\n110;1;;S\r\n");
        put("AAA/VDI_2/alt.tga", "010;1098;Alt GmbH\r\n100;2;G\r\n110;1;S\r\n");
        put("BBB/desktop.info", "[Katalog]\n\tID:BBB\n\tNAME:Leer\n[ENDE_Katalog]\n");
        put("RN_USER/VDI_2/eigen.vdi", "010;2;202112;Eigene\r\n100;4;G\r\n110;1;;S\r\n");
    }
    void put(const std::string& name, const std::string& text) {
        kavextest::writeBytes(root.file(name), text);
    }
    // Parses the arguments behind "kavex" like the program and runs the job.
    std::pair<int, std::string> kavex(std::vector<std::string> args) {
        CLI::App app;
        kavexcli::CatalogsJob job;
        kavexcli::addCatalogsCommand(app, job, root.path().string());
        std::vector<const char*> argv{"kavex", "catalogs"};
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        std::ostringstream out, err;
        try {
            app.parse(static_cast<int>(argv.size()), argv.data());
            return {kavexcli::runCatalogsJob(job, out, err), out.str()};
        } catch (const CLI::ParseError& e) {
            return {app.exit(e, out, err), out.str()};
        }
    }
    kavextest::TempDir root;
};

TEST_F(CatalogsJob, SurveysEveryLibraryWithItsCatalogues) {
    const char* expected[] = {
        "AAA VDI_2/good.vdi 1 2 201601 Armaturen A GmbH 2 3 0",
        "AAA VDI_2/bad.vdi 0 2 209912  0 0 1",
        "AAA VDI_2/alt.tga 1 2 1098 Alt GmbH 1 0 0",
        "AAA VDI_17/w.vdi 1 17 201601 Wasser AG 1 0 0",
        "RN_USER VDI_2/eigen.vdi 1 2 202112 Eigene 1 0 0",
    };
    kavexcli::CatalogsSurvey survey;
    std::ostringstream err;
    ASSERT_TRUE(kavexcli::surveyCatalogs({root.path().string(), 0, true}, survey, err));
    std::vector<std::string> got;
    for (const auto& library : survey.libraries)
        for (const kavexcli::CatalogueSummary& c : library.catalogues) {
            std::ostringstream line;
            line << library.id << " " << c.relativePath << " " << c.loaded << " " << c.sheet << " "
                 << c.date << " " << c.manufacturer << " " << c.series << " " << c.executions << " "
                 << c.reports.size();
            got.push_back(line.str());
        }
    EXPECT_EQ(got, std::vector<std::string>(std::begin(expected), std::end(expected)));
    ASSERT_EQ(survey.libraries.size(), 3u);
    EXPECT_EQ(survey.libraries[1].id, "BBB");
}

TEST_F(CatalogsJob, PrintsTheReportsOfAFailedCatalogue) {
    const auto [code, text] = kavex({});
    EXPECT_EQ(code, 1);
    for (const char* part :
         {"AAA  Armaturen A\n  VDI_2/good.vdi: sheet 2, guideline 201601, Armaturen A GmbH, 2 "
          "series, 3 executions, ",
          "\n  VDI_2/bad.vdi: FAILED, sheet 2, guideline 209912, ",
          " ms\n    error 20\n      Die VDI-Datei \"bad.vdi\" hat ein inkompatibles "
          "Richtlinien-Datum.:\n\n      Die angegebene VDI-Datei",
          "\nBBB  Leer\n  (no catalogues)\n",
          "\n3 libraries, 4 catalogues: 3 loaded, 1 failed; 4 series, 3 executions\n"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n---\n" << text;
    EXPECT_EQ(text.find("alt.tga"), std::string::npos);  // old files only on request
}

TEST_F(CatalogsJob, SheetAndOldFileOptions) {
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"--sheet", "17"}, 0, "3 libraries, 1 catalogues: 1 loaded, 0 failed"},
        {{"--sheet", "2", "--tga"}, 1, "3 libraries, 4 catalogues: 3 loaded, 1 failed"},
        {{"--tga"}, 1, "3 libraries, 5 catalogues: 4 loaded, 1 failed"},
        {{"--sheet", "5"}, 105, ""},  // CLI11 ValidationError
        {{"--catalogs", root.file("nirgends")}, 105, ""},
    };
    for (const auto& [args, code, summary] : cases) {
        const auto [gotCode, text] = kavex(args);
        EXPECT_EQ(gotCode, code) << ::testing::PrintToString(args);
        EXPECT_NE(text.find(summary), std::string::npos) << text;
    }
    std::ostringstream out, err;
    EXPECT_EQ(kavexcli::runCatalogsJob({root.file("nirgends"), 0, false}, out, err), 1);
    EXPECT_NE(err.str().find("kavex catalogs: "), std::string::npos);
}

}  // namespace

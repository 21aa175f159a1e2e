// The data check of a catalogue: headings per sheet, grouping of the
// executions by valve kind, the counts, the report list's switches, and the
// check report file with its file choice.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/vdi3805/vdicheck.h"
#include "kavex/vdi3805/vdidoc.h"
#include "support/fakeui.h"
#include "support/tempdir.h"

namespace {

using Lines = std::vector<std::string>;
using nrvVDICheck::DataCheckCounts;

const std::string kSlashes(74, '/');

// --- small catalogues ------------------------------------------------------------

std::string tga(int group, int index700) {
    char text[64];
    std::snprintf(text, sizeof text, "%03d%03d%039d%05d000", group, 1, 0, index700);
    return text;
}

// One execution of valve kind `kind` with a throttle setting curve; it is
// presettable when it has settings to choose from.
Lines execution(int index, int kind, const Lines& settings, int group = 2) {
    Lines lines{"700;" + std::to_string(index) + ";;" + std::to_string(kind) +
                ";15;0.9;120;10;1000;;;DN;" + (settings.size() > 1 ? "1" : "0") + ";Umdrehungen"};
    lines.insert(lines.end(), settings.begin(), settings.end());
    lines.push_back("800;" + std::to_string(index) + ";" + tga(group, index) + ";Ausführung;NQ-" +
                    std::to_string(index));
    return lines;
}

Lines settings(const std::string& second = "2") {
    return {"710.01;1;;;1;1;;;0.9", "710.01;2;;;" + second + ";" + second + ";;;0.4"};
}

std::unique_ptr<CVDIDoc> catalogue(int sheet, const std::vector<Lines>& executions, int group = 2) {
    Lines lines{"010;" + std::to_string(sheet) + ";201601;Nordquell Ventiltechnik AG;20240115",
                "100;" + std::to_string(group) + ";;Armaturen", "110;1;;Serie RV;Ventile"};
    for (const Lines& e : executions)
        lines.insert(lines.end(), e.begin(), e.end());
    auto doc = std::make_unique<CVDIDoc>();
    EXPECT_TRUE(doc->LoadLines("nordquell.vdi", lines, false, 0));
    return doc;
}

// The lines from the first heading of `kind` to its "valid" count line.
Lines blockOf(const Lines& lines, int kind) {
    const std::string heading = "Armaturtyp " + std::to_string(kind) + " : ";
    auto begin = std::find_if(lines.begin(), lines.end(),
                              [&](const std::string& l) { return l.rfind(heading, 0) == 0; });
    auto end = std::find_if(begin, lines.end(), [](const std::string& l) {
        return l.rfind("davon gültige Armaturausführungen:  ", 0) == 0;
    });
    return end == lines.end() ? Lines{} : Lines(begin, end + 1);
}

std::vector<int> headedKinds(const Lines& lines) {
    std::vector<int> kinds;
    for (const std::string& l : lines)
        if (l.rfind("Armaturtyp ", 0) == 0) kinds.push_back(std::stoi(l.substr(11)));
    return kinds;
}

class DataCheck : public ::testing::Test {
protected:
    void SetUp() override { CReportList::instance().Clear(); }
    void TearDown() override {
        CReportList::instance().Clear();
        CReportList::instance().SetAddPath(false);
        CReportList::instance().SetAddFooter(false);
    }
};

// --- headings and grouping -------------------------------------------------------

struct SheetCase {
    int sheet;
    Lines heading;
    std::vector<int> kinds;
};

TEST_F(DataCheck, EachSheetNamesWhatItChecksAndWalksItsKinds) {
    const std::vector<SheetCase> cases = {
        {2,
         {"", "Es werden nur Armaturarten 1 bis 6 geprüft.", "",
          "Darin werden die Armaturtypen 1 - 5, 7 - 15, 18, 20 und 21 geprüft."},
         {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18, 20, 21}},
        {17,
         {"", "Es werden nur Armaturarten 1 bis 7 geprüft.", "",
          "Darin werden die Armaturtypen 1 bis 14 und 22 geprüft."},
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 22}},
    };
    for (const SheetCase& c : cases) {
        SCOPED_TRACE(c.sheet);
        auto doc = catalogue(c.sheet, {execution(1, 2, settings())});
        Lines lines;
        nrvVDICheck::WriteDataCheck(lines, *doc);
        ASSERT_GE(lines.size(), 12u);
        EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4), c.heading);
        EXPECT_EQ(lines[9], "");
        EXPECT_EQ(lines[10],
                  "Gesamte Anzahl unterscheidbarer Armatur-Ausführungen in dieser Datei: 1");
        EXPECT_EQ(headedKinds(lines), c.kinds);
    }
}

TEST_F(DataCheck, OnlyUncheckedKindsGiveZeroCountsEverywhere) {
    auto doc = catalogue(2, {execution(1, 6, settings()), execution(2, 6, settings())});
    Lines lines;
    const DataCheckCounts counts = nrvVDICheck::WriteDataCheck(lines, *doc);

    EXPECT_EQ(lines[10], "Gesamte Anzahl unterscheidbarer Armatur-Ausführungen in dieser Datei: 2");
    EXPECT_EQ(headedKinds(lines).size(), 17u);
    // A zero printed with "%2.d" is blank, as the C runtime prints it.
    const Lines kind5 = blockOf(lines, 5);
    ASSERT_FALSE(kind5.empty());
    EXPECT_EQ(
        Lines(kind5.begin() + 1, kind5.end()),
        (Lines{"", kSlashes, "Anzahl Hinweise in Arm.-Typ 5: 0", "Anzahl Fehler   in Arm.-Typ 5: 0",
               "Anzahl Armaturausführungen in Arm.-Typ  5:   ",
               "davon gültige Armaturausführungen:           "}));
    EXPECT_EQ(Lines(lines.end() - 6, lines.end()),
              (Lines{"", kSlashes, "Anzahl Hinweise gesamt: 0", "Anzahl Fehler   gesamt: 0",
                     "Anzahl Armaturausführungen gesamt:     ",
                     "davon gültige Armaturausführungen:     "}));
    EXPECT_EQ(counts.executions, 2);
    EXPECT_EQ(counts.checked, 0);
    EXPECT_EQ(counts.valid + counts.hints + counts.errors, 0);
}

TEST_F(DataCheck, ACatalogueWithoutExecutionsWritesNothing) {
    auto doc = catalogue(2, {});
    Lines lines{"kept"};
    const DataCheckCounts counts = nrvVDICheck::WriteDataCheck(lines, *doc);
    EXPECT_EQ(lines, Lines{"kept"});
    EXPECT_EQ(counts.executions, 0);
}

// --- findings per kind -------------------------------------------------------------

TEST_F(DataCheck, FindingsLandUnderTheKindOfTheirExecution) {
    // Kind 2: one good throttle and one with a doubled setting (an error);
    // kind 4: a balancing valve without settings (a hint).
    auto doc = catalogue(
        2, {execution(1, 2, settings()), execution(2, 2, settings("1")), execution(3, 4, {})});
    Lines lines;
    const DataCheckCounts counts = nrvVDICheck::WriteDataCheck(lines, *doc);

    const Lines kind2 = blockOf(lines, 2);
    ASSERT_FALSE(kind2.empty());
    EXPECT_EQ(std::count(kind2.begin(), kind2.end(), "/// Fehler ///"), 1);
    EXPECT_EQ(kind2[kind2.size() - 4], "Anzahl Hinweise in Arm.-Typ 2: 0");
    EXPECT_EQ(kind2[kind2.size() - 3], "Anzahl Fehler   in Arm.-Typ 2: 1");
    EXPECT_EQ(kind2[kind2.size() - 2], "Anzahl Armaturausführungen in Arm.-Typ  2:  2");
    EXPECT_EQ(kind2.back(), "davon gültige Armaturausführungen:          1");

    const Lines kind4 = blockOf(lines, 4);
    EXPECT_EQ(std::count(kind4.begin(), kind4.end(), "/// Hinweis ///"), 1);
    EXPECT_EQ(kind4.back(), "davon gültige Armaturausführungen:          1");

    EXPECT_EQ(counts.checked, 3);
    EXPECT_EQ(counts.valid, 2);
    EXPECT_EQ(counts.errors, 1);
    EXPECT_EQ(counts.hints, 1);
    EXPECT_EQ(lines[lines.size() - 2], "Anzahl Armaturausführungen gesamt:    3");
}

TEST_F(DataCheck, EntriesCarryTheirRecordPathButNoFooter) {
    CReportList& list = CReportList::instance();
    list.SetAddFooter(true);
    auto doc = catalogue(2, {execution(1, 2, settings("1"))});
    Lines lines;
    nrvVDICheck::WriteDataCheck(lines, *doc);

    auto error = std::find(lines.begin(), lines.end(), "/// Fehler ///");
    ASSERT_NE(error, lines.end());
    const std::string& text = *(error + 1);
    EXPECT_NE(text.find("[Satzart;Index;] -> 010;2; -> 100;2; -> 110;1; -> 700;1;"),
              std::string::npos);
    EXPECT_EQ(text.find("Bitte wenden Sie sich"), std::string::npos);
    // The switches are the caller's again, and the list keeps the last kind only.
    EXPECT_TRUE(list.GetAddFooter());
    EXPECT_FALSE(list.GetAddPath());
    EXPECT_EQ(list.Count(), 0);
}

// --- the report file and its choice -----------------------------------------------

TEST(ReportFileName, CleansTheProposedTitle) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Blatt 2 - Nordquell Ventiltechnik AG (RLD 201601), 20240115",
         "Blatt 2 - Nordquell Ventiltechnik AG (RLD 201601) - 20240115.txt"},
        {"Blatt 17 - Südwerk KG, v1.2/2024", "Blatt 17 - Südwerk KG - v1_2-2024.txt"},
        {"", ".txt"},
    };
    for (const auto& [proposed, expected] : cases)
        EXPECT_EQ(nrvVDICheck::ReportFileName(proposed), expected);
}

class ChooseReportFile : public ::testing::Test {
protected:
    kavextest::ScopedFakeUi ui;
    kavextest::TempDir dir;
    std::string result = "unchanged";
};

TEST_F(ChooseReportFile, CancelGivesNoResultAndANewFileIsTakenAtOnce) {
    EXPECT_FALSE(nrvVDICheck::ChooseReportFile("Blatt 2 - X", result));
    EXPECT_EQ(result, "unchanged");
    ASSERT_EQ(ui->shown.size(), 1u);
    EXPECT_EQ(ui->shown[0].text, "Text Dateien (*.txt)|*.txt|Alle Dateien|*.*|");
    ui->files = {dir.file("neu.txt")};
    EXPECT_TRUE(nrvVDICheck::ChooseReportFile("Blatt 2 - X", result));
    EXPECT_EQ(result, dir.file("neu.txt"));
    EXPECT_EQ(ui->count("question"), 0u);
}

TEST_F(ChooseReportFile, AnExistingFileNeedsAYes) {
    const std::string old = dir.file("alt.txt");
    kavextest::writeBytes(old, "alt");
    ui->files = {old, old};
    ui->answers = {nrvUi::Answer::No, nrvUi::Answer::Yes};
    EXPECT_TRUE(nrvVDICheck::ChooseReportFile("Blatt 2 - X", result));
    EXPECT_EQ(result, old);
    EXPECT_EQ(ui->count("save"), 2u);
    EXPECT_EQ(ui->count("question"), 2u);
    EXPECT_EQ(ui->shown[1].text, "Datei existiert schon. Überschreiben?");
}

TEST_F(ChooseReportFile, AFileThatCannotBeWrittenIsRefused) {
    std::string locked = dir.file("gesperrt.txt");
    kavextest::writeBytes(locked, "alt");
    ::chmod(locked.c_str(), 0444);
    if (::access(locked.c_str(), W_OK) == 0) locked = "/proc/sys/kernel/version";  // as root
    if (::access(locked.c_str(), F_OK) != 0 || ::access(locked.c_str(), W_OK) == 0)
        GTEST_SKIP() << "no file this user cannot write";
    ui->files = {locked};
    ui->answers = {nrvUi::Answer::Yes};
    EXPECT_FALSE(nrvVDICheck::ChooseReportFile("Blatt 2 - X", result));
    ASSERT_EQ(ui->count("message"), 1u);
    EXPECT_EQ(ui->shown[2].text, "Datei lässt sich nicht beschreiben.");
    EXPECT_EQ(ui->count("save"), 2u);
}

TEST_F(DataCheck, TheReportFileHoldsHeadAndCheck) {
    auto doc = catalogue(2, {execution(1, 2, settings())});
    kavextest::TempDir dir;
    std::tm when{};
    when.tm_mday = 5, when.tm_mon = 2, when.tm_year = 124, when.tm_hour = 9, when.tm_min = 7;
    const std::string path = dir.file("bericht.txt");
    DataCheckCounts counts;
    ASSERT_TRUE(nrvVDICheck::WriteCheckReport(path, *doc, when, &counts));
    EXPECT_EQ(counts.valid, 1);

    const std::string text = kavextest::readBytes(path);
    EXPECT_EQ(text.rfind("Erstelldatum dieses Dokumentes: 5.3.2024, 9h7LT\r\n\r\n"
                         "Hersteller: Nordquell Ventiltechnik AG\r\n"
                         "Datei: nordquell.vdi\r\n"
                         "VDI 3805 Blatt 2\r\n"
                         "Richtliniendatum: 201601\r\n\r\n"
                         "Es werden nur Armaturarten 1 bis 6 geprüft.\r\n",
                         0),
              0u);
    EXPECT_NE(text.find("davon gültige Armaturausführungen:    1\r\n"), std::string::npos);

    // A folder that does not exist: no file, false.
    EXPECT_FALSE(nrvVDICheck::WriteCheckReport(dir.file("fehlt/bericht.txt"), *doc, when));
}

}  // namespace

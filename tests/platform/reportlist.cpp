// The module's report list: codes, state, the stored text and showing it.

#include "kavex/platform/reportlist.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

#include "support/fakeui.h"

namespace {

struct Record : CReportSubject {
    std::string reportFooter() const override { return "Hersteller: Nord"; }
    std::string reportPath() const override { return "[Satzart;Index;] -> 010;1;"; }
};

TEST(ReportList, CodesAreClampedIntoTheirRange) {
    // hint or error, code given -> code stored
    const std::tuple<bool, int, int> cases[] = {
        {true, 45, 1045}, {false, 0, 1}, {true, 2500, 2000}, {false, 1500, 1000}, {true, -3, 1001}};
    for (auto [hint, code, stored] : cases) {
        CReportList list;
        hint ? list.AddHint(code, "T", "x") : list.AddError(code, "T", "x");
        EXPECT_EQ(list.GetAt(0).code, stored) << code;
        EXPECT_EQ(list.CountErrors(), hint ? 0 : 1);
        EXPECT_EQ(list.GetState(), hint ? CReportList::HintsOnly : CReportList::HasErrors);
    }
}

TEST(ReportList, StoresTrimmedTextWithSubjectAndWindowsLineEnds) {
    CReportList list;
    Record record;
    EXPECT_EQ(list.GetState(), CReportList::NoEntries);
    list.AddError(5, "  Titel \n", "\t \n", &record);
    list.AddHint(5, "Titel", " a\nb\r\nc ");
    list.SetAddFooter(true);
    list.SetAddPath(true);
    list.AddHint(1, "T", "Text", &record);
    EXPECT_EQ(list.GetAt(0).title, "Titel");
    EXPECT_EQ(list.GetAt(0).text, "");
    EXPECT_EQ(list.GetAt(1).text, "Titel:\r\n\r\na\r\nb\r\nc");
    EXPECT_EQ(list.GetAt(2).text,
              "T:\r\n\r\n[Satzart;Index;] -> 010;1;\r\n\r\nText\r\n\r\nHersteller: Nord");
    EXPECT_THROW(list.GetAt(3), std::invalid_argument);
    EXPECT_THROW(list.GetAt(-1), std::invalid_argument);
}

TEST(ReportList, ShownFlagFollowsClearAddAndShow) {
    kavextest::ScopedFakeUi ui;
    CReportList list;
    EXPECT_TRUE(list.IsShown());
    list.AddError(1, "Fehler", "kaputt");
    list.AddHint(2, "Hinweis", "");
    EXPECT_FALSE(list.IsShown());
    list.ShowList("Nord");
    EXPECT_TRUE(list.IsShown());
    ASSERT_EQ(ui->shown.size(), 1u);
    EXPECT_EQ(ui->shown[0].title, "Reportliste - Nord");
    EXPECT_EQ(ui->shown[0].text, "Fehler:\r\n\r\nkaputt\r\n\r\nHinweis");
    list.AddHint(2, "Hinweis", "");
    list.Clear();
    EXPECT_TRUE(list.IsShown());
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace

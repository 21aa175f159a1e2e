// Execution details: caption and code list per property record and edition,
// the texts a valve keeps, and the filter lists of the catalogue dialog.
#include <gtest/gtest.h>

#include "kavex/valves/armatur.h"
#include "kavex/vdi3805/codelists.h"
#include "kavex/vdi3805/vdidetails.h"
#include "kavex/vdi3805/vdirecords.h"
#include "vdifixtures.h"

namespace {

using Lines = std::vector<std::string>;
using L = VDIDetailList;
namespace C = nrvVDICodes::Captions;

class Details : public vditest::VdiTest {
protected:
    VDIStruct_800& execution(const std::string& sheet, const std::string& date, int index = 1) {
        doc = load("d.vdix", vditest::joinLines(vditest::detailCatalogueLines(sheet, date)));
        return *dynamic_cast<VDIStruct_800*>(doc->FindRecord(80000, index));
    }
    std::unique_ptr<CVDIDoc> doc;
};

TEST(PropertyKinds, CaptionAndListFollowSheetAndDate) {
    struct Case {
        int type, sheet, date;
        const char* caption;  // null: no property record
        L list;
    } cases[] = {
        {200, 2, 201601, C::ProductVariantA, L::ProductVariant},
        {20000, 2, 1098, C::ProductVariantA, L::ProductVariant},  // .tga
        {200, 2, 202112, C::BodyShape, L::ProductVariant},
        {300, 2, 201601, C::ProductVariantB, L::SinglePipeVariant},
        {300, 17, 200311, C::ProductVariantB, L::Medium},
        {400, 17, 201601, C::ProductVariantC, L::Material},
        {460, 2, 202112, C::BodyConnection, L::ConnectionKind},
        {760, 2, 202112, C::Monitoring, L::Text},
        {700, 2, 201601, nullptr, L::Text},
        {210, 2, 201601, nullptr, L::Text},
        {16001, 2, 201601, nullptr, L::Text},  // 160.01 names an article
    };
    for (const Case& c : cases) {
        const VDIPropertyKind* kind = FindPropertyKind(c.type, c.sheet, c.date);
        SCOPED_TRACE(::testing::Message() << c.type << " sheet " << c.sheet << " " << c.date);
        ASSERT_EQ(kind != nullptr, c.caption != nullptr);
        if (!kind) continue;
        EXPECT_STREQ(kind->caption, c.caption);
        EXPECT_EQ(kind->list, c.list);
    }
}

TEST_F(Details, ValveKeepsOneTextPerPropertyRecord) {
    const Lines edition2016 = {
        "Zubehör-Hauptgruppe II: Eigenschaft frei", "Produktvariante A: Eck",
        "Variantenart A.1: Seitlicher Anschluss", "Produktvariante B: Steigrohr und Ventilgehäuse",
        // 350;1: code 0 without text says nothing
        "Variantenart B.2: sonstige (999): Sonder", "Produktvariante C: Messing",
        "Produktvariante C: Grauguss",  // the general 400;0
        "Variantenart C.1: sonstige (8): Matt", "Variantenart C.2: Innengewinde",
        "Produktvariante D: Handrad",  // text in field 3
    };
    const Lines edition2021 = {
        "Garnitur- und Bauformvarianten: Eigenschaft frei",
        "Gehäusebauform: Eck",
        "Heizkörperanschluss-Garniturvariante: Seitlicher Anschluss",
        "Garniturvariante/Einbausituation: Steigrohr und Ventilgehäuse",
        "Einbausituation: sonstige (999): Sonder",
        "Gehäusewerkstoff: Messing",
        "Gehäusewerkstoff: Grauguss",
        "Oberfläche: sonstige (8): Matt",
        "Gehäuseanschlussart: Innengewinde",
        "Antrieb: Handrad",
    };
    Lines water = edition2016;
    water[3] = "Produktvariante B: Trinkkaltwasser";
    const std::tuple<const char*, const char*, Lines> cases[] = {
        {"2", "200302", edition2016}, {"2", "202112", edition2021}, {"17", "201601", water}};
    for (const auto& [sheet, date, expected] : cases) {
        nrvVDIArmaturen::nrvArmatur valve;
        AddExecutionDetails(valve, execution(sheet, date));
        std::string joined;
        for (const std::string& line : expected)
            joined += (joined.empty() ? "" : ";") + line;
        EXPECT_EQ(valve.getAusfDetails(), joined) << sheet << " " << date;
    }
    // An unreadable TGA number names nothing: no detail, its error once.
    EXPECT_TRUE(GetExecutionDetails(execution("2", "201601", 3)).empty());
    EXPECT_EQ(CReportList::instance().CountErrors(), 1);
}

TEST_F(Details, FilterListsAndFiltering) {
    execution("2", "201601");
    const VDIDetailLists lists = CollectDetailLists(*doc->FindRecord(11000, 3));
    ASSERT_EQ(lists.executions.size(), 3u);
    EXPECT_EQ(lists.executions[1]->GetIndex(), 2);
    std::vector<int> types;
    for (const VDIDetailFilter& f : lists.filters)
        types.push_back(f.recordType);
    EXPECT_EQ(types, (std::vector<int>{160, 200, 250, 300, 360, 400, 450, 460, 500}));
    const VDIDetailFilter& shape = lists.filters[1];
    EXPECT_EQ(shape.caption, "Produktvariante A");
    EXPECT_EQ(shape.values, (Lines{"Eck", "Durchgang"}));
    EXPECT_EQ(shape.valueOf, (std::vector<int>{0, 1, -1}));
    EXPECT_EQ(lists.filters[5].values, (Lines{"Messing, Grauguss", "Rotguss, Grauguss"}));

    const std::pair<std::vector<int>, std::vector<bool>> cases[] = {
        {{}, {true, true, true}},
        {{-1, 1}, {false, true, false}},
        {{-1, -1, -1, -1, -1, 0}, {true, false, false}},
        {{-1, 1, -1, -1, -1, 0}, {false, false, false}},
        {{-1, 7}, {false, false, false}},  // no such value
    };
    for (const auto& [chosen, pass] : cases)
        EXPECT_EQ(FilterExecutions(lists, chosen), pass) << ::testing::PrintToString(chosen);
    EXPECT_TRUE(CollectDetailLists(*doc->FindRecord(10000, 2)).filters.empty());  // no series
}

}  // namespace

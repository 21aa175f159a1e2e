// The record tree: which class each line becomes, where it hangs, field access
// (with the old-layout mapping) and the searches over the tree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kavex/vdi3805/vdirecords.h"
#include "vdifixtures.h"

using vditest::VdiTest;

TEST_F(VdiTest, CatalogueTreeFollowsTheProductStructure) {
    auto doc = load("tree.vdi", vditest::sheet2Catalogue());
    ASSERT_TRUE(doc->IsParsed());
    const std::vector<std::string> expected = {
        "VDIStruct_010",
        "  VDIStruct_100",
        "    VDIStruct_110",
        "      VDIStruct_160",
        "        VDIStruct_VZ_01",
        "      VDIStruct_VZ_00",  // 200
        "        VDIStruct_VZ_01",
        "        VDIStruct_VZ_50",  // 250
        "        VDIStruct_VZ_60",  // 260
        "      VDIStruct_Err",      // 210 has no class; the 110 keeps it
        "      VDIStruct_700",
        "        VDIStruct_710_01",
        "        VDIStruct_710_01",
        "        VDIStruct_720",
        "        VDIStruct_720_01",
        "          VDIStruct_720_02",
        "        VDIStruct_710_01",  // back to the 700 after the 720.01 group
        "        VDIStruct_710_05",
        "          VDIStruct_710_51",
        "        VDIStruct_VZ_60",  // 760
        "          VDIStruct_VZ_01",
        "      VDIStruct_800",
        "        VDIStruct_810",
        "        VDIStruct_820",
        "      VDIStruct_830",
        "      VDIStruct_850",
        "        VDIStruct_860",
        "  VDIStruct_900",
        "    VDIStruct_920",
        "    VDIStruct_Err",  // 940 is known but not read
        "  VDIStruct_930",
        "    VDIStruct_930_01",
        "      VDIStruct_930_03",
        "        VDIStruct_930_04",
        "      VDIStruct_930_02",
        "  VDIStruct_960",
        "  VDIStruct_970",
        "    VDIStruct_970_01",
        "    VDIStruct_970_02",
    };
    EXPECT_EQ(vditest::shapeOf(*doc), expected);
    for (const auto& child : doc->GetChildren())
        EXPECT_EQ(child->GetParent(), doc.get());
}

TEST(VdiRecordClasses, ClassNamesOfRecordTypes) {
    const std::pair<const char*, const char*> cases[] = {
        {"010", "VDIStruct_010"},       {"110", "VDIStruct_110"},
        {"160", "VDIStruct_160"},       {"200", "VDIStruct_VZ_00"},
        {"250", "VDIStruct_VZ_50"},     {"560", "VDIStruct_VZ_60"},
        {"760", "VDIStruct_VZ_60"},     {"210", ""},
        {"160.01", "VDIStruct_VZ_01"},  {"550.01", "VDIStruct_VZ_01"},
        {"760.01", "VDIStruct_VZ_01"},  {"710.01", "VDIStruct_710_01"},
        {"710.51", "VDIStruct_710_51"}, {"930.04", "VDIStruct_930_04"},
        {"970.1", "VDIStruct_970_1"},   {"7", "VDIStruct_7_"},
        {"900", "VDIStruct_900"},       {"940", "VDIStruct_940"},
    };
    for (const auto& [type, name] : cases)
        EXPECT_EQ(CVDIRecordRegistry::ClassNameForType(type), name) << type;

    CVDIRecordRegistry& registry = CVDIRecordRegistry::instance();
    EXPECT_EQ(registry.ClassNames().size(), 53U);
    EXPECT_EQ(registry.Create("VDIStruct_940"), nullptr);
    EXPECT_EQ(registry.Create("VDIStruct_VZ"), nullptr);
    auto r110 = registry.Create("VDIStruct_110");
    ASSERT_NE(r110, nullptr);
    EXPECT_TRUE(r110->IsKindOf(KAVEX_RUNTIME_CLASS(VDIStruct_100)));
    EXPECT_TRUE(
        registry.Create("VDIStruct_710_71")->IsKindOf(KAVEX_RUNTIME_CLASS(VDIStruct_VZ_01)));
}

TEST(VdiRecordClasses, TypeAndIndexFromTheLine) {
    VDIStruct_Err r;
    const std::tuple<const char*, int, int> cases[] = {
        {"010;1;x", 1000, 1},
        {"710.01;7", 71001, 7},
        {" 720.04 ; 12 ;", 72004, 12},
        {"abc;def", 0, 0},
        {"1e300;99999999999", INT_MAX, INT_MAX},
        {"", 0, 0},
        {"970.02", 97002, 0},
        {"-5;-3", -500, -3},
    };
    for (const auto& [line, type, index] : cases) {
        r.SetLine(line);
        EXPECT_EQ(r.GetTypeNo(), type) << line;
        EXPECT_EQ(r.GetIndex(), index) << line;
    }
}

TEST(VdiRecordClasses, FieldsAreCutAndTrimmed) {
    VDIStruct_700 r;
    r.SetLine("700; 5 ;4");
    EXPECT_EQ(r.GetField(5), "");
    EXPECT_EQ(r.GetField(2), "5");
    r.SetLine("700;5;4;15; zehn ");
    EXPECT_EQ(r.GetField(5), "zehn");
    EXPECT_EQ(r.GetField(0), "");
    EXPECT_EQ(r.GetField(-1), "");
    EXPECT_EQ(r.GetField(6), "");
    r.SetLine("700;5;;");
    EXPECT_EQ(r.GetField(3), "");
    EXPECT_EQ(r.GetField(4), "");
    EXPECT_EQ(r.GetFieldInt(3), 0);
    r.SetLine("700;5;0.86abc;x");
    EXPECT_DOUBLE_EQ(r.GetFieldDouble(3), 0.86);
    EXPECT_EQ(r.GetFieldInt(4), 0);
}

TEST(VdiRecordClasses, SetFieldKeepsTheOtherFields) {
    VDIStruct_800 r;
    r.SetLine("800;1;TGA;Name;");
    r.SetField(4, "Neu");
    EXPECT_EQ(r.GetLine(), "800;1;TGA;Neu;");
    r.SetField(5, "Letztes");
    EXPECT_EQ(r.GetLine(), "800;1;TGA;Neu;Letztes");
    r.SetField(7, "x");
    EXPECT_EQ(r.GetLine(), "800;1;TGA;Neu;Letztes;;x");
    r.SetField(2, "42");
    EXPECT_EQ(r.GetIndex(), 42);
    r.SetField(1, "810");
    EXPECT_EQ(r.GetTypeNo(), 81000);
    r.SetField(0, "nichts");
    EXPECT_EQ(r.GetLine(), "810;42;TGA;Neu;Letztes;;x");
}

// In the 08.1996 layout a field of the current numbering is read where the
// old layout kept it; fields it did not have read as empty.
TEST_F(VdiTest, OldLayoutFieldsAreMapped) {
    const std::string tga =
        "010;1098;Rheintal Armaturen GmbH;Anschrift;Kommentar\r\n"
        "100;1;Gruppe;Hersteller;Kurz\r\n"
        "110;2;Serie R;Kurz\r\n"
        "700;3;o3;o4;o5;o6;o7;o8;o9;o10;o11;o12;o13;o14;o15;o16;o17;o18;o19;o20\r\n"
        "800;TGANUMMER;o3;o4;o5;o6\r\n"
        "810;Art-5;o3\r\n"
        "900;6;f3;f4;f5;f6;f7;f8;f9;f10\r\n"
        "920;7;g3\r\n";
    auto doc = load("alt.tga", tga);
    ASSERT_TRUE(doc->IsParsed());
    struct Case {
        int type, field;
        const char* value;
    } cases[] = {
        {1000, 2, ""},          {1000, 3, "1098"},       {1000, 4, "Rheintal Armaturen GmbH"},
        {1000, 5, "Anschrift"}, {1000, 6, ""},           {1000, 7, "Kommentar"},
        {1000, 1, "010"},       {10000, 3, ""},          {10000, 4, "Gruppe"},
        {11000, 4, "Serie R"},  {70000, 3, ""},          {70000, 12, "o11"},
        {70000, 14, "o14"},     {70000, 4, "o3"},        {70000, 13, "o12"},
        {70000, 18, ""},        {70000, 19, ""},         {70000, 20, "o20"},
        {80000, 2, ""},         {80000, 3, "TGANUMMER"}, {80000, 4, "o6"},
        {81000, 5, "Art-5"},    {81000, 3, ""},          {81000, 9, ""},
        {90000, 11, "f9"},      {90000, 6, "f5"},        {90000, 10, ""},
        {90000, 12, ""},        {92000, 2, "7"},         {92000, 3, ""},
    };
    for (const Case& c : cases) {
        const CVDIBase* r = doc->FindRecord(c.type);
        ASSERT_NE(r, nullptr) << c.type;
        EXPECT_EQ(r->GetField(c.field), c.value) << c.type << " field " << c.field;
    }
    EXPECT_EQ(doc->FindRecord(70000)->GetField(3, true), "o3");
    // The same lines in the current layout are read as written.
    auto current = load("neu.vdi", "010;2;201601;Nordquell\r\n800;4;TGA;d4\r\n");
    EXPECT_EQ(current->FindRecord(80000)->GetField(2), "4");
}

TEST_F(VdiTest, FindAndCollectRecords) {
    auto doc = load("find.vdi", vditest::sheet2Catalogue());
    const CVDIBase* header = doc->FindRecord(1000);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(doc->FindRecord(10.0), header);
    EXPECT_EQ(doc->FindRecord(710.01, 2)->GetField(4), "0.86");
    EXPECT_EQ(doc->FindRecord(71001, 9), nullptr);
    EXPECT_EQ(doc->FindRecord(71001, -1, 3), nullptr);  // the 700 sits four levels down
    EXPECT_NE(doc->FindRecord(70000, -1, 4), nullptr);
    EXPECT_EQ(header->FindRecord(1000, 2, 0), header);
    EXPECT_EQ(header->FindRecord(10000, -1, 0), nullptr);
    EXPECT_EQ(doc->FindRecord(90000, 901, 2)->GetField(11), "Thermostatkopf");

    std::vector<CVDIBase*> curves;
    doc->CollectRecords(71001, curves);
    ASSERT_EQ(curves.size(), 3U);
    EXPECT_EQ(curves[2]->GetIndex(), 3);
    std::vector<CVDIBase*> groups;
    doc->CollectRecords(10000, groups);  // a match hides what lies below it
    EXPECT_EQ(groups.size(), 1U);
    std::vector<CVDIBase*> none;
    doc->CollectRecords(71001, none, 2);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(curves[0]->GetDocument(), doc.get());
    EXPECT_EQ(doc->GetDocument(), doc.get());
    EXPECT_THROW(doc->GetChild(1), std::invalid_argument);
    EXPECT_THROW(doc->GetChild(-1), std::invalid_argument);
}

// Lines nobody above accepts chain below each other; such a file must neither
// take quadratic time nor overflow the stack when searched or deleted.
TEST_F(VdiTest, LongChainsOfStrayRecordsStayCheap) {
    std::string text = "Kopf;ohne\n";
    for (int i = 0; i < 200000; ++i)
        text += "100;1\n";
    text += "010;2;201601\n100;2\n";  // the header hangs below the document again
    auto doc = load("kette.txt", text);
    ASSERT_TRUE(doc->IsParsed());
    ASSERT_EQ(doc->GetChildCount(), 2);
    std::vector<CVDIBase*> groups;
    doc->CollectRecords(10000, groups);  // the chain's first record and the last line
    ASSERT_EQ(groups.size(), 2U);
    EXPECT_EQ(groups[1]->GetIndex(), 2);
    EXPECT_EQ(groups[1]->GetParent(), doc->GetChild(1));
    EXPECT_EQ(doc->FindRecord(12345), nullptr);
    std::vector<std::string> lines;
    doc->DumpAllLines(lines);
    EXPECT_EQ(lines.size(), 200003U);
}

TEST_F(VdiTest, ReportFooterAndPathOfARecord) {
    auto doc = load("rep.vdi", vditest::sheet2Catalogue());
    const CVDIBase* curve = doc->FindRecord(71001, 2);
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->reportPath(),
              "[Satzart;Index;] -> 010;2; -> 100;2; -> 110;3; -> 700;5; -> 710.01;2;");
    const std::string footer = curve->reportFooter();
    EXPECT_EQ(footer.rfind("Bitte wenden Sie sich bei Rückfragen an den Hersteller (Nordquell "
                           "Ventiltechnik AG) oder an die Supporthotline von",
                           0),
              0U);
    EXPECT_NE(footer.find("\nWebseite des Herstellers: www.nordquell.example"), std::string::npos);
    EXPECT_NE(footer.find("\nKommentar des Herstellers in dieser VDI-Datei: Musterkatalog"),
              std::string::npos);

    CReportList& list = CReportList::instance();
    list.SetAddPath(true);
    list.AddHint(45, "Titel", "Text", curve);
    list.SetAddPath(false);
    EXPECT_EQ(list.GetAt(0).code, 1045);
    EXPECT_EQ(list.GetAt(0).text,
              "Titel:\r\n\r\n[Satzart;Index;] -> 010;2; -> 100;2; -> 110;3; -> 700;5; -> "
              "710.01;2;\r\n\r\nText");
}

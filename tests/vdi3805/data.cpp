// The catalogue list: finding the catalogue files in the libraries, the
// host's licence filter, duplicates and replacement, loading single files and
// dropping the failed ones.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "kavex/platform/catalog.h"
#include "kavex/vdi3805/vdidata.h"
#include "vdifixtures.h"

namespace {

using Strings = std::vector<std::string>;

std::string sheet17Catalogue() {
    std::string text = vditest::sheet2Catalogue();
    return text.replace(0, 6, "010;17;");
}

std::string info(const std::string& id, const std::string& body) {
    return "[Katalog]\n\tID:" + id + "\n" + body + "[ENDE_Katalog]\n";
}

// A catalogue root with two manufacturer libraries and the user library.
class CatalogueRoot : public vditest::VdiTest {
protected:
    void SetUp() override {
        VdiTest::SetUp();
        const std::string vdi2 = vditest::sheet2Catalogue(), vdi17 = sheet17Catalogue();
        put("NORDQUELL/desktop.info",
            info("NORDQUELL",
                 "\tLOGO:nord.png\n\tContent:VDI_2:VDI_2_2016:VDI_17:TGA_2\n"
                 "\tVDI_2:VDI_2\\a.vdi\n\tVDI_2:VDI_2\\fehlt.vdi\n\tVDI_2_2016:VDI_2\\b.vdi\n"
                 "\tVDI_17:VDI_17\\c.vdi\n\tTGA_2:VDI_2\\alt.tga\n"));
        put("NORDQUELL/BMP/nord.png", "png");
        put("NORDQUELL/VDI_2/a.vdi", vdi2);
        put("NORDQUELL/VDI_2/b.vdi", vdi2);
        put("NORDQUELL/VDI_2/alt.tga", "010;1098");
        put("NORDQUELL/VDI_17/c.vdi", vdi17);
        put("SUEDSTROM/desktop.info",
            info("SUEDSTROM", "\tContent:VDI_17\n\tVDI_17:VDI_17\\s.vdi\n"));
        put("SUEDSTROM/VDI_17/s.vdi", vdi17);
        put("bmp/default.png", "png");
        put("RN_USER/VDI_2/u1.vdi", vdi2);
        put("RN_USER/VDI_2/U2.VDI", vdi2);
        put("RN_USER/VDI_2/notiz.txt", "x");
        put("RN_USER/VDI_2/eigen.tga", "010;1098");
        put("RN_USER/VDI_17/u17.vdi", vdi17);
        ASSERT_TRUE(catalogs.init(root.path().string()));
    }
    void put(const std::string& name, const std::string& bytes) {
        kavextest::writeBytes(root.file(name), bytes);
    }
    static Strings names(const CVDIData& data) {
        Strings out;
        for (std::size_t i = 0; i < data.GetCount(); ++i)
            out.push_back(std::filesystem::path(data.GetDoc(i).GetPath()).filename().string());
        return out;
    }

    kavextest::TempDir root;
    nrvCatalogManager catalogs;
    CVDIData data;
};

TEST_F(CatalogueRoot, FindFilesTakesTheUserFilesFirstThenTheLibrariesOfEachSheet) {
    struct Case {
        int sheet;
        bool withTga;
        Strings expected;
    };
    const Case cases[] = {
        {0, false, {"U2.VDI", "u1.vdi", "u17.vdi", "a.vdi", "b.vdi", "c.vdi", "s.vdi"}},
        {2, false, {"U2.VDI", "u1.vdi", "a.vdi", "b.vdi"}},
        {2, true, {"U2.VDI", "u1.vdi", "eigen.tga", "a.vdi", "b.vdi", "alt.tga"}},
        {17, true, {"u17.vdi", "c.vdi", "s.vdi"}},
    };
    for (const Case& c : cases) {
        CVDIData list;
        EXPECT_EQ(list.FindFiles(c.sheet, c.withTga, &catalogs),
                  static_cast<int>(c.expected.size()));
        EXPECT_EQ(names(list), c.expected) << "sheet " << c.sheet << " tga " << c.withTga;
        EXPECT_EQ(list.CountLoaded(), 0);
    }
    // Where each document came from: library, content-file name, logo.
    data.FindFiles(0, false, &catalogs);
    auto source = [&](std::size_t i) {
        const CVDIDoc& d = data.GetDoc(i);
        return d.GetCatalogueID() + "|" + d.GetContentFileName() + "|" + d.GetLogoPath();
    };
    EXPECT_EQ(source(2), "RN_USER|RN_USER\\VDI_17|");
    EXPECT_EQ(source(4), "NORDQUELL|NORDQUELL\\VDI_2_2016|" + root.file("NORDQUELL/BMP/nord.png"));
    EXPECT_EQ(source(6), "SUEDSTROM|SUEDSTROM\\VDI_17|" + root.file("bmp/default.png"));
    EXPECT_THROW(data.GetDoc(data.GetCount()), std::invalid_argument);
}

TEST_F(CatalogueRoot, TheHostsFilterDecidesPerContentFileAndSheetKind) {
    std::vector<std::pair<std::string, std::string>> asked;
    data.SetCatalogueFilter([&](const std::string& contentFile, const std::string& kind) {
        asked.emplace_back(contentFile, kind);
        return contentFile != "NORDQUELL\\VDI_17" && contentFile != "RN_USER\\VDI_2";
    });
    data.FindFiles(0, false, &catalogs);
    EXPECT_EQ(names(data), (Strings{"u17.vdi", "a.vdi", "b.vdi", "s.vdi"}));
    EXPECT_EQ(asked.front(), std::make_pair(std::string("RN_USER\\VDI_2"), std::string("Heizung")));
    EXPECT_EQ(asked.back(),
              std::make_pair(std::string("SUEDSTROM\\VDI_17"), std::string("DIN1988")));
    // Files without a content-file name are never the filter's business.
    EXPECT_TRUE(data.AddFile(2, root.file("NORDQUELL/VDI_17/c.vdi"), "", "", "", false));
}

TEST_F(CatalogueRoot, AddFileKeepsOrReplacesADocumentOfTheSamePath) {
    const std::string a = root.file("NORDQUELL/VDI_2/a.vdi");
    EXPECT_FALSE(data.AddFile(2, root.file("NORDQUELL/VDI_2/fehlt.vdi"), "N", "", "", false));
    EXPECT_FALSE(data.AddFile(2, root.file("NORDQUELL/VDI_2"), "N", "", "", false));
    ASSERT_TRUE(data.AddFile(2, a, "ERST", "", "", false));
    ASSERT_TRUE(data.AddFile(2, root.file("NORDQUELL/VDI_2/b.vdi"), "B", "", "", false));
    EXPECT_FALSE(data.AddFile(2, a, "ZWEIT", "", "", false));
    EXPECT_EQ(data.GetDoc(0).GetCatalogueID(), "ERST");
    // A document whose file name equals the path given counts as the same.
    EXPECT_EQ(data.FindDocIndex("a.vdi"), 0);
    EXPECT_TRUE(data.AddFile(2, a, "ZWEIT", "", "", true));
    EXPECT_EQ(data.GetCount(), 2u);
    EXPECT_EQ(data.GetDoc(0).GetCatalogueID(), "ZWEIT");
    EXPECT_EQ(data.GetDoc(1).GetCatalogueID(), "B");
}

TEST_F(CatalogueRoot, LoadFileGivesTheIndexOfItsDocumentAndDropFailedKeepsTheOrder) {
    const std::string c = root.file("NORDQUELL/VDI_17/c.vdi");
    const std::string s = root.file("SUEDSTROM/VDI_17/s.vdi");
    put("kaputt.vdi", "100;1;kein Kopf\r\n");
    EXPECT_EQ(data.LoadFile(c, true, false, 17, 0), 0);
    EXPECT_EQ(data.LoadFile(root.file("kaputt.vdi"), true, false, 17, 0), 1);
    EXPECT_EQ(data.LoadFile(s, true, false, 17, 0), 2);
    // Loading the same file again finds the document already there.
    EXPECT_EQ(data.LoadFile(c, true, false, 17, 0), 0);
    // A missing file is not added: the last loaded document answers.
    EXPECT_EQ(data.LoadFile(root.file("fehlt.vdi"), true, false, 17, 0), 2);
    // The headless file choice cancels.
    EXPECT_EQ(data.LoadFile("", true, false, 17, 0), -1);
    EXPECT_EQ(data.CountLoaded(), 3);
    EXPECT_EQ(CReportList::instance().CountErrors(), 1);
    data.DropFailed();
    EXPECT_EQ(names(data), (Strings{"c.vdi", "s.vdi"}));
    EXPECT_TRUE(data.GetDoc(1).IsParsed());
}

TEST_F(CatalogueRoot, AddFilesTakesOnlyTheEntriesOfTheSheetAndLoadsThem) {
    const std::vector<VDIFileAdderStruct> files = {
        {2, root.file("NORDQUELL/VDI_2/a.vdi"), "NORDQUELL", "", ""},
        {17, root.file("SUEDSTROM/VDI_17/s.vdi"), "SUEDSTROM", "", ""},
    };
    EXPECT_TRUE(data.AddFiles(files, false, 2));
    EXPECT_FALSE(data.AddFiles(files, false, 2));
    EXPECT_EQ(names(data), (Strings{"a.vdi"}));
    EXPECT_TRUE(data.AddFiles(files, false, 0));
    EXPECT_EQ(data.CountLoaded(), 2);
}

}  // namespace

// The catalogue reader in the module: the wrapper finishes the loading of its
// catalogue list, and the record factory makes records by record name.
#include <gtest/gtest.h>

#include "kavex/module/kavexmodule.h"
#include "kavex/module/wrapper.h"
#include "kavex/platform/reportlist.h"
#include "kavex/uservalves/userdoc.h"
#include "kavex/vdi3805/vdidata.h"
#include "kavex/vdi3805/vdirecords.h"
#include "support/tempdir.h"

namespace {

// Each waiting catalogue is read once, with the options of the last load.
TEST(CatalogueLoading, WrapperFinishesItsCatalogueList) {
    nrvModule::CSiblingLoader loader{"/nonexistent/libkavex.so"};
    CUserData userValves;
    CVDIData catalogues;
    KavexWrapper w{loader, userValves, catalogues};
    EXPECT_EQ(w.finishCatalogueLoading(), 0);
    kavextest::TempDir dir;
    auto add = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            const std::string path = dir.file("k" + std::to_string(i) + ".vdi");
            kavextest::writeBytes(path,
                                  i == 3 ? "kein Katalog\r\n" : "010;2;201601;H\r\n100;2;G\r\n");
            ASSERT_TRUE(catalogues.AddFile(2, path, "ID", "", "", false));
        }
    };
    add(0, 9);
    CReportList& reports = CReportList::instance();
    reports.Clear();
    EXPECT_EQ(w.finishCatalogueLoading(), 9);
    EXPECT_EQ(reports.CountErrors(), 1);  // the file without header
    EXPECT_FALSE(catalogues.IsBusy());
    EXPECT_EQ(w.finishCatalogueLoading(), 9);  // nothing waits, nothing is read again
    EXPECT_EQ(reports.CountErrors(), 1);

    EXPECT_EQ(catalogues.LoadAll(false, 17, 0), 9);
    add(9, 10);  // sheet 2 in a sheet-17 load: left unread without a word
    EXPECT_EQ(w.finishCatalogueLoading(), 10);
    EXPECT_FALSE(catalogues.GetDoc(9).IsParsed());
    EXPECT_EQ(reports.Count(), 1);
    catalogues.DropFailed();
    EXPECT_EQ(catalogues.GetCount(), 8u);
    reports.Clear();
}

TEST(RecordFactory, MakesTheReaderRecordsByName) {
    CObjectFactory& factory = theKavexApp().recordFactory();
    EXPECT_EQ(factory.ClassNames(), CVDIRecordRegistry::instance().ClassNames());
    for (const char* name : {"VDIStruct_010", "VDIStruct_710_01", "VDIStruct_VZ_50",
                             "VDIStruct_930_04", "VDIStruct_Err"}) {
        std::unique_ptr<CObject> made = factory.Create(name);
        ASSERT_NE(dynamic_cast<CVDIBase*>(made.get()), nullptr) << name;
        EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, name);
    }
    for (const char* name : {"VDIStruct_940", "VDIStruct_210", "nrvArmatur", ""})
        EXPECT_EQ(factory.Create(name), nullptr) << name;
}

}  // namespace

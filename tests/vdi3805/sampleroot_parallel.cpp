// The bundled catalogue root loaded in parallel: every catalogue the sample
// libraries name and that exists is loaded, each reads exactly as when loaded
// alone, and releasing frees the whole list.
#include <gtest/gtest.h>

#include <filesystem>

#include "kavex/platform/catalog.h"
#include "kavex/vdi3805/vdidata.h"
#include "vdifixtures.h"

namespace {

class SampleRoot : public vditest::VdiTest, public ::testing::WithParamInterface<bool> {
protected:
    // Loads the list the way the parameter says: LoadAll, or FinishLoading.
    int loadAll(CVDIData& list) {
        return GetParam() ? list.FinishLoading() : list.LoadAll(false, 0, 0);
    }
    static std::vector<std::string> dumpOf(const CVDIDoc& doc) {
        std::vector<std::string> lines;
        doc.DumpAllLines(lines);
        return lines;
    }
};

TEST_P(SampleRoot, EveryCatalogueReadsAsAlone) {
    nrvCatalogManager catalogs;
    ASSERT_TRUE(catalogs.init(kavextest::samplesDir() + "/catalogs")) << catalogs.lastError();
    CVDIData list;
    const int found = list.FindFiles(0, true, &catalogs);
    EXPECT_EQ(loadAll(list), found);

    // Every catalogue an info file names and that exists is found and read.
    for (const nrvCatalogInfoPtr& library : catalogs.getCatalogList())
        for (const char* key : {"VDI_2", "VDI_2_2016", "TGA_2", "VDI_17", "VDI_17_2016"})
            for (const std::string& file : catalogs.getContentFilePathNames(*library, key)) {
                if (!std::filesystem::is_regular_file(file)) continue;
                const int index = list.FindDocIndex(file);
                ASSERT_GE(index, 0) << file << " is named by its library but was not found";
                EXPECT_TRUE(list.GetDoc(static_cast<std::size_t>(index)).IsParsed()) << file;
            }
    if (found == 0) GTEST_SKIP() << "the sample libraries hold no catalogue yet";

    for (std::size_t i = 0; i < list.GetCount(); ++i) {
        const CVDIDoc& doc = list.GetDoc(i);
        CVDIDoc alone;
        alone.Load(doc.GetPath(), false, 0, false);
        EXPECT_FALSE(dumpOf(doc).empty()) << doc.GetPath();
        EXPECT_EQ(dumpOf(doc), dumpOf(alone)) << doc.GetPath();
    }
    list.ReleaseAll();
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.CountLoaded(), 0);
    EXPECT_FALSE(list.IsBusy());
}

INSTANTIATE_TEST_SUITE_P(LoadAllOrFinish, SampleRoot, ::testing::Bool());

}  // namespace

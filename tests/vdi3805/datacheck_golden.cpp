// The bundled sample catalogues against stored results: the data check report
// of every catalogue and the model file of its first series. Any change of
// the reader, the conversion or the report shows up here as a text diff.
//
// KAVEX_UPDATE_GOLDEN=1 rewrites the stored files from the current results
// (and removes those whose catalogue is gone); review the diff before
// committing them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/vdi3805/vdicheck.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"
#include "kavex/vdi3805/vditemplate.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

bool updating() {
    const char* env = std::getenv("KAVEX_UPDATE_GOLDEN");
    return env != nullptr && std::string(env) == "1";
}

fs::path goldenDir() {
    return fs::path(kavextest::testDataDir()) / "vdi3805" / "golden";
}

// samples/catalogs/<library>/VDI_*/<file>, sorted.
std::vector<fs::path> sampleCatalogues() {
    std::vector<fs::path> files;
    const fs::path root = fs::path(kavextest::samplesDir()) / "catalogs";
    for (const auto& library : fs::directory_iterator(root)) {
        if (!library.is_directory()) continue;
        for (const auto& folder : fs::directory_iterator(library.path())) {
            if (!folder.is_directory() || folder.path().filename().string().rfind("VDI_", 0) != 0)
                continue;
            for (const auto& file : fs::directory_iterator(folder.path()))
                if (file.is_regular_file() && file.path().filename().string()[0] != '.')
                    files.push_back(file.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Report entries hold CR LF; the stored files use plain line feeds.
std::string asText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        for (char c : line)
            if (c != '\r') text += c;
        text += '\n';
    }
    return text;
}

// Compares with the stored file, or stores the result when updating.
void compareWithGolden(const std::string& name, const std::string& actual) {
    const fs::path path = goldenDir() / name;
    if (updating()) {
        kavextest::writeBytes(path.string(), actual);
        return;
    }
    ASSERT_TRUE(fs::exists(path)) << path << " is missing; run with KAVEX_UPDATE_GOLDEN=1";
    EXPECT_EQ(kavextest::readBytes(path.string()), actual) << "differs from " << path;
}

std::unique_ptr<CVDIDoc> load(const fs::path& file) {
    auto doc = std::make_unique<CVDIDoc>();
    EXPECT_TRUE(doc->Load(file.string(), false, 0, false)) << file;
    return doc;
}

// The first series of the catalogue with all its executions, converted as
// the command line converts it.
std::string firstSeriesModel(CVDIDoc& doc, int& seriesIndex) {
    CVDIBase* series = doc.FindRecord(11000);
    if (series == nullptr) return {};
    seriesIndex = series->GetIndex();
    std::vector<CVDIBase*> records;
    series->CollectRecords(80000, records);
    std::vector<VDIStruct_800*> executions;
    std::vector<nrvVDIConvert::AccessoryList> accessories;
    for (CVDIBase* r : records) {
        executions.push_back(dynamic_cast<VDIStruct_800*>(r));
        accessories.push_back(nrvVDIConvert::CollectAccessories(*executions.back()));
    }
    if (executions.empty()) return {};
    const float xp = nrvVDICheck::DataCheckXp(*executions.front());
    nrvVDIArmaturen::nrvVDIArmaturenModell model;
    nrvVDIConvert::FillModel(model, executions, std::vector<float>(executions.size(), xp),
                             accessories);
    kavextest::TempDir dir;
    const std::string path = dir.file("model.vmf");
    EXPECT_TRUE(model.saveVMFFile(path));
    return kavextest::readBytes(path);
}

class SampleGolden : public ::testing::Test {
protected:
    void SetUp() override {
        CReportList::instance().Clear();
        CVDITemplate::SetFolder(
            (fs::path(kavextest::samplesDir()).parent_path() / "data" / "vdi3805").string());
    }
    void TearDown() override { CReportList::instance().Clear(); }
};

TEST_F(SampleGolden, DataCheckReports) {
    const std::vector<fs::path> catalogues = sampleCatalogues();
    ASSERT_FALSE(catalogues.empty());
    for (const fs::path& file : catalogues) {
        SCOPED_TRACE(file.string());
        auto doc = load(file);
        std::vector<std::string> lines;
        const nrvVDICheck::DataCheckCounts counts = nrvVDICheck::WriteDataCheck(lines, *doc);
        EXPECT_GT(counts.executions, 0) << "a sample catalogue without executions";
        compareWithGolden(file.filename().string() + ".check.txt", asText(lines));
    }
}

TEST_F(SampleGolden, FirstSeriesModels) {
    for (const fs::path& file : sampleCatalogues()) {
        SCOPED_TRACE(file.string());
        auto doc = load(file);
        int series = 0;
        const std::string model = firstSeriesModel(*doc, series);
        ASSERT_FALSE(model.empty()) << "no series with executions";
        compareWithGolden(file.filename().string() + "." + std::to_string(series) + ".vmf.txt",
                          model);
    }
}

// A stored result whose catalogue is gone would hide that the sample went.
TEST_F(SampleGolden, EveryStoredResultHasItsCatalogue) {
    std::set<std::string> names;
    for (const fs::path& file : sampleCatalogues())
        names.insert(file.filename().string());
    if (!fs::exists(goldenDir())) return;
    for (const auto& stored : fs::directory_iterator(goldenDir())) {
        const std::string name = stored.path().filename().string();
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& c) {
            return name.rfind(c + ".", 0) == 0;
        });
        if (!known && updating())
            fs::remove(stored.path());
        else
            EXPECT_TRUE(known) << name << " belongs to no sample catalogue";
    }
}

}  // namespace

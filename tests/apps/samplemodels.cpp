// The bundled sample models: samples/models/<class>.vmf must load to exactly
// the model the code builds and be what writing that model gives, byte for
// byte. With KAVEX_WRITE_SAMPLES=1 the files are regenerated first (the same
// as `kavex samples samples/models`).

#include "samplemodels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "kavex/platform/treestore.h"
#include "kavex/valves/armatur.h"
#include "kavex/valves/armaturfactory.h"
#include "support/tempdir.h"

namespace {

std::string textOf(const nrvVDIArmaturen::nrvVDIArmaturenModell& model) {
    CNode root;
    std::string text;
    if (model.write(&root)) root.WriteToString(text);
    return text;
}

}  // namespace

TEST(SampleModels, OneModelPerValveClassOfItsOwnClassOnly) {
    std::set<std::string> sampled;
    for (const kavexcli::SampleModel& s : kavexcli::buildSampleModels()) {
        sampled.insert(s.className);
        EXPECT_GE(s.model->getSize(), 2) << s.className;
        for (const nrvVDIArmaturen::nrvArmatur* v : s.model->getArmaturen())
            EXPECT_EQ(v->desc(), s.className);
    }
    std::set<std::string> valveClasses;
    for (const std::string& name : nrvBaseArmaturen::getArmaturClassNames()) {
        if (dynamic_cast<nrvVDIArmaturen::nrvArmatur*>(
                nrvBaseArmaturen::createArmaturObject(name).get())) {
            valveClasses.insert(name);
        }
    }
    EXPECT_EQ(sampled.size(), 19u);
    EXPECT_EQ(sampled, valveClasses);
}

TEST(SampleModels, CheckedInFilesAreWhatTheCodeBuildsAndWrites) {
    const std::string checkedIn = kavextest::samplesDir() + "/models";
    const char* regenerate = std::getenv("KAVEX_WRITE_SAMPLES");
    if (regenerate != nullptr && std::string(regenerate) == "1") {
        for (const kavexcli::SampleFile& f : kavexcli::writeSampleModels(checkedIn))
            ASSERT_TRUE(f.ok) << f.path;
    }

    kavextest::TempDir dir;
    const auto written = kavexcli::writeSampleModels(dir.file("neu"));
    const auto built = kavexcli::buildSampleModels();
    ASSERT_EQ(written.size(), built.size());
    for (std::size_t i = 0; i < built.size(); ++i) {
        const std::string path = checkedIn + "/" + built[i].className + ".vmf";
        SCOPED_TRACE(path);
        nrvVDIArmaturen::nrvVDIArmaturenModell loaded;
        ASSERT_TRUE(loaded.loadVMFFile(path)) << "KAVEX_SAMPLES names the samples folder";
        EXPECT_TRUE(loaded.isEqual(*built[i].model));
        EXPECT_EQ(textOf(loaded), textOf(*built[i].model));

        ASSERT_TRUE(written[i].ok);
        EXPECT_EQ(written[i].path, dir.file("neu/" + built[i].className + ".vmf"));
        EXPECT_EQ(kavextest::readBytes(written[i].path), kavextest::readBytes(path));
    }
}

TEST(SampleModels, UnwritableFolderReportsEveryFile) {
    kavextest::TempDir dir;
    kavextest::writeBytes(dir.file("datei"), "kein Ordner");
    const auto written = kavexcli::writeSampleModels(dir.file("datei"));
    ASSERT_EQ(written.size(), 19u);
    for (const kavexcli::SampleFile& f : written)
        EXPECT_FALSE(f.ok) << f.path;
    EXPECT_EQ(kavextest::readBytes(dir.file("datei")), "kein Ordner");
}

// Loading of sibling libraries with real small shared libraries copied into
// temporary folder trees: where the common-services library and the others
// are found, a library already loaded, the once-only failure messages and the
// 0 answers, and the wrapper's dialogs through a stand-in dialogs library.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "kavex/module/siblings.h"
#include "kavex/module/wrapper.h"
#include "kavex/pumps/pumpe.h"
#include "kavex/services/armaturcontainer.h"
#include "kavex/services/userarmaturcontainer.h"
#include "kavex/uservalves/userdoc.h"
#include "support/fakeui.h"
#include "support/tempdir.h"

namespace fs = std::filesystem;

namespace {

using Answer = int (*)(int);
constexpr nrvModule::SiblingFunction kAnswer{1, "kavexProbe_answer"};

// A module "libkavex.so" in <root>/a/b/c/bin, with room for shared folders
// one, two and three levels above it.
class Siblings : public ::testing::Test {
protected:
    void TearDown() override { loader.reset(); }

    fs::path place(const std::string& folder, const std::string& name,
                   const char* library = KAVEXTEST_PROBE_LIBRARY) {
        fs::create_directories(root / folder);
        fs::copy_file(library, root / folder / name);
        return root / folder / name;
    }
    std::string notFound(const std::string& name) const {
        return "Error in " + loader.modulePath() + "!\nRequired program part " + name +
               " cannot be found.";
    }

    kavextest::TempDir dir;
    fs::path root = fs::canonical(dir.path());
    fs::path moduleDir = root / "a/b/c/bin";
    nrvModule::CSiblingLoader loader{(moduleDir / "libkavex.so").string()};
    kavextest::ScopedFakeUi ui;
};

TEST(CommonServicesName, RecognisedByPrefixInAnyCase) {
    // clang-format off
    const std::pair<const char*, bool> cases[] = {
        {"libfundara_x64.so", true}, {"Fundara_u.so", true}, {"LIBFUNDARA_.so", true},
        {"libfundara.so", false}, {"libfundarax_.so", false}, {"libkavex_dialogs.so", false},
        {"", false}};
    // clang-format on
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(nrvModule::isCommonServicesLibrary(name), expected) << name;
}

TEST_F(Siblings, CommonServicesSearchOrder) {
    const std::string c1 = "a/b/c/Common Files/Dll", c2 = "a/b/Common Files/Dll",
                      c3 = "a/Common Files/Dll", c4 = "Common Files/Dll", tools = "a/b/c/bin/Tools";
    struct Case {
        const char* label;
        std::vector<std::string> placed;  // folders holding a copy
        std::vector<std::string> empty;   // folders without one
        std::string expected;             // folder loaded from; empty: none
    };
    // clang-format off
    const Case cases[] = {
        {"beside the module first", {"a/b/c/bin", c1, tools}, {}, "a/b/c/bin"},
        {"one level up", {c1, c2, c3, tools}, {}, c1},
        {"two levels up", {c2, c3, tools}, {}, c2},
        {"three levels up", {c3, tools}, {}, c3},
        {"four levels is too far: Tools", {c4, tools}, {}, tools},
        {"the first shared folder decides", {c2, tools}, {c1}, ""},
        {"nowhere", {}, {tools}, ""}};
    // clang-format on
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(root / "a");
        fs::remove_all(root / c4);
        fs::create_directories(moduleDir);
        // A name of its own per case: a copy loaded before stays known by name.
        const std::string name = "libfundara_case" + std::to_string(++n) + ".so";
        for (const std::string& folder : c.placed)
            place(folder, name);
        for (const std::string& folder : c.empty)
            fs::create_directories(root / folder);

        const std::string expected = c.expected.empty() ? "" : (root / c.expected / name).string();
        EXPECT_EQ(nrvModule::findCommonServicesLibrary(moduleDir.string(), name), expected);
        EXPECT_EQ(loader.locate(name), expected);
        EXPECT_EQ(loader.resolve<Answer>(name, kAnswer)(1), expected.empty() ? 0 : 43);
        EXPECT_EQ(loader.libraries().at(0).path, expected);
        loader.reset();
    }
}

TEST_F(Siblings, OtherLibrariesBesideTheModuleOrAlreadyLoaded) {
    place("a/b/c/bin/Tools", "libsibling_tools.so");
    place("a/b/c/Common Files/Dll", "libsibling_shared.so");
    const fs::path beside = place("a/b/c/bin", "libsibling_beside.so");
    const fs::path elsewhere = place("elsewhere", "libsibling_loaded.so");
    void* own = dlopen(elsewhere.c_str(), RTLD_NOW);
    ASSERT_NE(own, nullptr);

    EXPECT_EQ(loader.library("libsibling_tools.so"), nullptr);  // Tools is for common services
    EXPECT_EQ(loader.library("libsibling_shared.so"), nullptr);
    EXPECT_NE(loader.library("libsibling_beside.so"), nullptr);
    EXPECT_NE(loader.library("libsibling_loaded.so"), nullptr);
    const auto libs = loader.libraries();
    ASSERT_EQ(libs.size(), 4u);
    EXPECT_EQ(libs[2].path, beside.string());
    EXPECT_EQ(libs[3].path, elsewhere.string());
    EXPECT_EQ(loader.resolve<Answer>("libsibling_loaded.so", kAnswer)(0), 42);
    EXPECT_EQ(ui->count("message"), 2u);  // one per failed library
    loader.reset();
    dlclose(own);
}

TEST_F(Siblings, MissingFunctionShowsOncePerLoadAttemptAndAnswersZero) {
    place("a/b/c/bin", "libsibling_old.so");
    const std::string missing = "Error in " + loader.modulePath() +
                                "!\nRequired program part libsibling_old.so is not compatible "
                                "with the current program version.\nMissing function: No. 9";
    using Triple = double (*)(double, int, const std::string&);
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(loader.resolve<Triple>("libsibling_old.so", {9, "kavexProbe_gone"})(1, 2, "x"),
                  0.0);
        EXPECT_EQ(loader.resolve<Answer>("libsibling_old.so", {10, "kavexProbe_other"})(1), 0);
        EXPECT_EQ(loader.resolve<Answer>("libsibling_old.so", kAnswer)(1), 43);
    }
    ASSERT_EQ(ui->shown.size(), 1u);
    EXPECT_EQ(ui->shown[0].text, missing);

    loader.reset();
    EXPECT_EQ(loader.function("libsibling_old.so", {9, "kavexProbe_gone"}), nullptr);
    EXPECT_EQ(ui->count("message"), 2u);
}

TEST_F(Siblings, WrapperDialogsReachTheDialogsLibrary) {
    place("a/b/c/bin", "libkavex_dialogs.so", KAVEXTEST_DIALOGS_STANDIN);
    CUserData list;
    KavexWrapper w(loader, list);
    int value = 0;
    int parent = 0;
    nrvVDIArmaturen::nrvVDIArmaturenModell model;
    nrvUserArmaturen::nrvUserArmaturenModell userModel;
    EXPECT_EQ(w.showCatalogueDialog(&parent, {201, 202}, value, model, userModel, 1, 17,
                                    0x123456789LL, "uservalves", 4),
              1);
    EXPECT_EQ(value, 17412);
    EXPECT_EQ(w.showCatalogueDataViewer(&parent), 1);
    EXPECT_EQ(w.showCatalogueDataViewer(nullptr), 2);
    EXPECT_TRUE(w.importCatalogueFiles(nullptr, 17));
    EXPECT_FALSE(w.importCatalogueFiles(nullptr, 3));
    EXPECT_TRUE(ui->shown.empty());

    EXPECT_EQ(w.showCatalogueDataTest(&parent), 0);  // not in the stand-in
    EXPECT_EQ(w.showValveInfoDialog(&parent, model, nullptr), 0);
    ASSERT_EQ(ui->shown.size(), 1u);
    EXPECT_NE(ui->shown[0].text.find("libkavex_dialogs.so is not compatible"), std::string::npos);
    EXPECT_NE(ui->shown[0].text.find("Missing function: No. 7"), std::string::npos);
}

TEST_F(Siblings, WithoutDialogsLibraryTheHostCalculatesOn) {
    CUserData list;
    KavexWrapper w(loader, list);
    alignas(std::max_align_t) unsigned char storage[64] = {};
    auto& component = *reinterpret_cast<bauteilInfo*>(storage);  // never looked into
    nrvPumpe* chosen = nullptr;
    const Netzpunkt point{};

    EXPECT_EQ(w.showCatalogueDataViewer(nullptr), 0);
    EXPECT_FALSE(w.chooseValveForComponent(nullptr, nrvBaseArmaturen::enArmNone, component,
                                           nrvBaseArmaturen::RnArmaturContainer::instance(),
                                           nrvUserArmaturen::RnUserArmaturContainer::instance()));
    EXPECT_TRUE(w.isFeatureEnabled(kFeatureOldTgaFiles));  // switched on all the same
    EXPECT_EQ(w.showPumpSelection(nullptr, 1, 0, nullptr, point, point, chosen, 0), 0);
    EXPECT_FALSE(w.importCatalogueFiles(nullptr, 2));
    EXPECT_EQ(chosen, nullptr);
    ASSERT_EQ(ui->shown.size(), 1u);  // once for all calls
    EXPECT_EQ(ui->shown[0].title, "libkavex.so");
    EXPECT_EQ(ui->shown[0].text, notFound("libkavex_dialogs.so"));
    EXPECT_FALSE(loader.libraries().at(0).loaded);
    // The valve services work without dialogs.
    EXPECT_EQ(w.loadUserValveFiles(kavextest::samplesDir() + "/uservalves"), 2);
    loader.reset();  // a new load attempt reports again
    EXPECT_EQ(w.showCatalogueDataTest(nullptr), 0);
    EXPECT_EQ(ui->count("message"), 2u);
}

}  // namespace

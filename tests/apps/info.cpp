// The info job's report: version, feature switches, classes and the sibling
// libraries with where they come from.

#include "info.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "kavex/module/siblings.h"
#include "kavex/module/wrapper.h"
#include "kavex/uservalves/userdoc.h"
#include "support/fakeui.h"
#include "support/tempdir.h"

namespace {

TEST(InfoJob, ReportsFeaturesClassesAndSiblings) {
    kavextest::TempDir dir;
    kavextest::ScopedFakeUi ui;
    nrvModule::CSiblingLoader loader(dir.file("libkavex.so"));
    CUserData list;
    KavexWrapper wrapper(loader, list);
    wrapper.enableFeatures(kFeatureCheckButton | kFeatureConversionBox, 0);
    loader.library("libabsent.so");
    kavextest::writeBytes(dir.file("libkavex_dialogs.so"), "not loaded");

    std::ostringstream out;
    kavexcli::writeInfo(out, wrapper, {"nrvArmatur", "nrvArmaturDDR"}, loader);
    const std::string text = out.str();
    for (const std::string& line : std::vector<std::string>{
             "module: " + dir.file("libkavex.so") + "\n", "features: 9\n  [x] 1  check button",
             "  [ ] 2  VDI 3805 files", "  [x] 8  conversion",
             "classes: 2\n  nrvArmatur\n  nrvArmaturDDR\n", "  libabsent.so: not found\n",
             "  libkavex_dialogs.so: not loaded, found at " + dir.file("libkavex_dialogs.so")})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nin:\n" << text;
    EXPECT_EQ(text.rfind("kavex ", 0), 0u);
}

}  // namespace

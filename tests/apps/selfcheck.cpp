// The self-check job over folders of tree-store files.
#include <gtest/gtest.h>

#include <sstream>

#include "selfcheck.h"
#include "support/tempdir.h"

namespace {

TEST(Selfcheck, RecognisesTreeStoreEndings) {
    EXPECT_TRUE(kavexcli::isTreeStoreFile("a/b/model.vmf"));
    EXPECT_TRUE(kavexcli::isTreeStoreFile("HERSTELLER.USERARM"));
    EXPECT_TRUE(kavexcli::isTreeStoreFile("x/desktop.info"));
    EXPECT_TRUE(kavexcli::isTreeStoreFile("pumps.PMP"));
    EXPECT_FALSE(kavexcli::isTreeStoreFile("catalogue.vdi"));
    EXPECT_FALSE(kavexcli::isTreeStoreFile("logo.bmp"));
    EXPECT_FALSE(kavexcli::isTreeStoreFile("vmf"));
}

TEST(Selfcheck, ReportsEveryFileAndASummary) {
    kavextest::TempDir dir;
    kavextest::writeBytes(dir.file("good.vmf"), "[Modell]\n\tVER:0\n\tMON:Serie: A%\n[ENDE_Modell]\n");
    kavextest::writeBytes(dir.file("sub/lib/desktop.info"), "[Katalog]\r\nID:X\r\n[ENDE_Katalog]\r\n");
    kavextest::writeBytes(dir.file("broken.userarm"), "[Datei]\nVERSION:2\n");
    kavextest::writeBytes(dir.file("ignored.vdi"), "not a tree");
    std::ostringstream out;
    EXPECT_EQ(kavexcli::runSelfcheck(dir.path().string(), out), 1);
    std::string text = out.str();
    EXPECT_NE(text.find("ok      good.vmf"), std::string::npos) << text;
    EXPECT_NE(text.find("ok      sub/lib/desktop.info"), std::string::npos) << text;
    EXPECT_NE(text.find("FAILED  broken.userarm  (not readable as a tree)"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("ignored.vdi"), std::string::npos);
    EXPECT_NE(text.find("selfcheck: 3 tree-store files, 2 round-trip, 1 failed"), std::string::npos)
        << text;
}

TEST(Selfcheck, RefusesAMissingFolder) {
    std::ostringstream out;
    EXPECT_EQ(kavexcli::runSelfcheck("/nonexistent/kavex", out), -1);
    EXPECT_NE(out.str().find("is not a folder"), std::string::npos);
}

}  // namespace

// Atomic file replacement and locale-independent numbers.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>

#include <sys/stat.h>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/numbers.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesAndLeavesNoTemporaryFiles) {
    kavextest::TempDir dir;
    std::string target = dir.file("model.vmf");
    ASSERT_TRUE(nrvFiles::writeFileAtomic(target, "old"));
    ::chmod(target.c_str(), 0600);
    ASSERT_TRUE(nrvFiles::writeFileAtomic(target, std::string("new\0data", 8)));
    EXPECT_EQ(kavextest::readBytes(target), std::string("new\0data", 8));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // permissions of the replaced file kept
    int files = 0;
    for (auto& e : fs::directory_iterator(dir.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(AtomicFile, FailedWriteKeepsTheOldFile) {
    kavextest::TempDir dir;
    std::string target = dir.file("keep.txt");
    ASSERT_TRUE(nrvFiles::writeFileAtomic(target, "old"));
    EXPECT_FALSE(nrvFiles::writeFileAtomic(dir.file("missing/sub/keep.txt"), "x"));
    // A target that is a folder cannot be replaced by a file.
    fs::create_directory(dir.file("folder"));
    EXPECT_FALSE(nrvFiles::writeFileAtomic(dir.file("folder"), "x"));
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
    EXPECT_EQ(kavextest::readBytes(target), "old");
    std::string data;
    EXPECT_FALSE(nrvFiles::readFile(dir.file("nothing"), data));
    EXPECT_FALSE(nrvFiles::readFile(dir.file("folder"), data));
    EXPECT_FALSE(nrvFiles::writeFileAtomic("", "x"));
}

struct ParseCase {
    const char* text;
    double value;
    int intValue;
};

class NumberParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(NumberParsing, LikeTheCRuntime) {
    const ParseCase& c = GetParam();
    EXPECT_DOUBLE_EQ(nrvNumbers::parseDouble(c.text), c.value) << c.text;
    EXPECT_EQ(nrvNumbers::parseInt(c.text), c.intValue) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberParsing,
    ::testing::Values(ParseCase{"", 0, 0}, ParseCase{"abc", 0, 0}, ParseCase{"1.5", 1.5, 1},
                      ParseCase{"  -2.25xyz", -2.25, -2}, ParseCase{"+3", 3, 3},
                      ParseCase{"1e3", 1000, 1}, ParseCase{"12,5", 12, 12},
                      ParseCase{".5", 0.5, 0}, ParseCase{"99999999999", 99999999999.0, 2147483647},
                      ParseCase{"-0", 0, 0}, ParseCase{"1e999", HUGE_VAL, 1}));

TEST(NumberFormatting, IgnoresTheProcessLocale) {
    // A German numeric locale (when the machine has one) must not change files.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(nrvNumbers::formatF(1.5), "1.500000");
    EXPECT_EQ(nrvNumbers::formatG(0.0001), "0.0001");
    EXPECT_EQ(nrvNumbers::formatG(1234567.0), "1.23457e+06");
    EXPECT_EQ(nrvNumbers::format("%.2f", 2.345), "2.35");
    EXPECT_EQ(nrvNumbers::format("%5d", 42LL), "   42");
    EXPECT_EQ(nrvNumbers::format("%i", -7LL), "-7");
    EXPECT_EQ(nrvNumbers::formatI(123), "123");
    EXPECT_DOUBLE_EQ(nrvNumbers::parseDouble("2.5"), 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberParsing, StrictFormsRefuseJunk) {
    double d = -1;
    int i = -1;
    EXPECT_TRUE(nrvNumbers::tryParseDouble(" 2.5 ", d));
    EXPECT_DOUBLE_EQ(d, 2.5);
    EXPECT_FALSE(nrvNumbers::tryParseDouble("2.5x", d));
    EXPECT_FALSE(nrvNumbers::tryParseDouble("", d));
    EXPECT_TRUE(nrvNumbers::tryParseInt("-12", i));
    EXPECT_EQ(i, -12);
    EXPECT_FALSE(nrvNumbers::tryParseInt("1.0", i));
}

}  // namespace

// Atomic file replacement and locale-independent numbers.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <tuple>

#include <sys/stat.h>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/numbers.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesOrKeepsTheOldFile) {
    kavextest::TempDir dir;
    const std::string target = dir.file("model.vmf");
    ASSERT_TRUE(nrvFiles::writeFileAtomic(target, "old"));
    ::chmod(target.c_str(), 0600);
    ASSERT_TRUE(nrvFiles::writeFileAtomic(target, std::string("new\0data", 8)));
    EXPECT_EQ(kavextest::readBytes(target), std::string("new\0data", 8));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // permissions of the replaced file kept
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    // Failures leave everything as it was; a folder cannot be replaced by a file.
    fs::create_directory(dir.file("folder"));
    EXPECT_FALSE(nrvFiles::writeFileAtomic(dir.file("missing/sub/model.vmf"), "x"));
    EXPECT_FALSE(nrvFiles::writeFileAtomic(dir.file("folder"), "x"));
    EXPECT_FALSE(nrvFiles::writeFileAtomic("", "x"));
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
    EXPECT_EQ(kavextest::readBytes(target), std::string("new\0data", 8));
    std::string data;
    EXPECT_FALSE(nrvFiles::readFile(dir.file("nothing"), data));
    EXPECT_FALSE(nrvFiles::readFile(dir.file("folder"), data));
}

TEST(Numbers, ParseLikeTheCRuntimeAndStrictFormsRefuseJunk) {
    // text -> double, int
    // clang-format off
    const std::tuple<const char*, double, int> cases[] = {
        {"", 0, 0}, {"abc", 0, 0}, {"1.5", 1.5, 1}, {"  -2.25xyz", -2.25, -2}, {"+3", 3, 3},
        {"1e3", 1000, 1}, {"12,5", 12, 12}, {".5", 0.5, 0}, {"99999999999", 99999999999.0, 2147483647},
        {"-0", 0, 0}, {"1e999", HUGE_VAL, 1}};
    // clang-format on
    for (auto [text, value, intValue] : cases) {
        EXPECT_DOUBLE_EQ(nrvNumbers::parseDouble(text), value) << text;
        EXPECT_EQ(nrvNumbers::parseInt(text), intValue) << text;
    }
    double d = -1;
    int i = -1;
    EXPECT_TRUE(nrvNumbers::tryParseDouble(" 2.5 ", d));
    EXPECT_TRUE(nrvNumbers::tryParseInt("-12", i));
    EXPECT_EQ(d + i, -9.5);
    EXPECT_FALSE(nrvNumbers::tryParseDouble("2.5x", d) || nrvNumbers::tryParseDouble("", d) ||
                 nrvNumbers::tryParseInt("1.0", i));
}

TEST(Numbers, FormattingIgnoresTheProcessLocale) {
    // A German numeric locale (when the machine has one) must not change files.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(nrvNumbers::formatF(1.5), "1.500000");
    EXPECT_EQ(nrvNumbers::formatG(0.0001) + " " + nrvNumbers::formatG(1234567.0),
              "0.0001 1.23457e+06");
    EXPECT_EQ(nrvNumbers::format("%.2f", 2.345), "2.35");
    EXPECT_EQ(nrvNumbers::format("%5d", 42LL) + nrvNumbers::format("%i", -7LL), "   42-7");
    EXPECT_EQ(nrvNumbers::formatI(123), "123");
    EXPECT_DOUBLE_EQ(nrvNumbers::parseDouble("2.5"), 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace

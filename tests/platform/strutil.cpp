// Field splitting and the text-file line reader and writer.
#include <gtest/gtest.h>

#include <tuple>

#include "kavex/platform/strutil.h"
#include "support/tempdir.h"

namespace {

using Lines = std::vector<std::string>;

TEST(StrUtilFields, FieldsCountFromOneAndKeepEmptyFields) {
    // text, field number, separator -> field
    const std::tuple<const char*, int, const char*, const char*> get[] = {
        {"a;b;c", 1, ";", "a"},    {"a;b;c", 3, ";", "c"},     {"a;b;c", 4, ";", ""},
        {"a;b;c", 0, ";", ""},     {"a;b;c", -2, ";", ""},     {"a;;c", 2, ";", ""},
        {"0;1500;", 3, ";", ""},   {"", 1, ";", ""},           {" x ;y", 1, ";", " x "},
        {"a::b::c", 2, "::", "b"}, {"a::b:c", 2, "::", "b:c"}, {"abc", 1, "", "abc"},
        {"abc", 2, "", ""}};
    for (auto [text, index, sep, field] : get) {
        EXPECT_EQ(nrvStrUtil::GetSubStr(text, index, sep), field) << text << " #" << index;
        if (sep[0] && !sep[1]) {  // the one-character overload agrees
            EXPECT_EQ(nrvStrUtil::GetSubStr(text, index, sep[0]), field);
        }
    }
    // text, field number, separator, value -> text
    const std::tuple<const char*, int, const char*, const char*, const char*> set[] = {
        {"a;b;c", 2, ";", "x", "a;x;c"},   {"a;b;c", 3, ";", "", "a;b;"},
        {"a", 3, ";", "x", "a;;x"},        {"", 2, ";", "x", ";x"},
        {"a;b;", 3, ";", "x", "a;b;x"},    {"a;b", 0, ";", "x", "a;b"},
        {"a::b", 3, "::", "c", "a::b::c"}, {"abc", 2, "", "x", "abc"}};
    for (auto [before, index, sep, value, after] : set) {
        std::string text = before;
        nrvStrUtil::SetSubStr(text, index, sep, value);
        EXPECT_EQ(text, after) << before << " #" << index;
    }
    std::string list;
    nrvStrUtil::SetSubStr(list, 3, ';', "drei");
    EXPECT_EQ(list, ";;drei");

    EXPECT_EQ(nrvStrUtil::separatedStringToVector("0;1500;3000;", ';'),
              (Lines{"0", "1500", "3000", ""}));
    EXPECT_EQ(nrvStrUtil::separatedStringToVector("0;1500;;3000;", ';', true),
              (Lines{"0", "1500", "3000"}));
    EXPECT_EQ(nrvStrUtil::separatedStringToVector("", ';'), Lines{});
    EXPECT_EQ(nrvStrUtil::separatedStringToVector("a, b", ", "), (Lines{"a", "b"}));
}

TEST(StrUtilFields, DigitsAndTextRightOfACharacter) {
    EXPECT_EQ(nrvStrUtil::removeAllNumeric("DN 20x30") + "|" + nrvStrUtil::removeAllNumeric("-1.5"),
              "DN x|-.");
    EXPECT_EQ(nrvStrUtil::removeAllNonNumeric("a=200 b=3\u00B3"), "2003");
    EXPECT_EQ(nrvStrUtil::SubStrRightFromFirstOccurence("VDI_2\\a\\b.vdi", '\\'), "a\\b.vdi");
    EXPECT_EQ(nrvStrUtil::SubStrRightFromLastOccurence("VDI_2\\a\\b.vdi", '\\'), "b.vdi");
    EXPECT_EQ(nrvStrUtil::SubStrRightFromFirstOccurence("abc", '/'), "");
    EXPECT_EQ(nrvStrUtil::SubStrRightFromLastOccurence("abc/", '/'), "");
}

TEST(LineReader, SplitsEveryKindOfLineEnd) {
    // what, bytes, code page, utf-8 flag -> lines
    // clang-format off
    const std::tuple<const char*, std::string, int, bool, Lines> cases[] = {
        {"crlf", "a\r\nb\r\n", 1252, false, {"a", "b"}}, {"lf", "a\nb\n", 1252, false, {"a", "b"}},
        {"cr", "a\rb\r", 1252, false, {"a", "b"}},     {"mixed", "a\r\n\nb\rc", 1252, false, {"a", "", "b", "c"}},
        {"blank lines", "\n\na\n\n", 1252, false, {"", "", "a", ""}}, {"only a line end", "\r\n", 1252, false, {""}},
        {"empty", "", 1252, false, {}},             {"cr before crlf", "a\r\r\nb", 1252, false, {"a", "", "b"}},
        {"lf before cr", "a\n\rb", 1252, false, {"a", "", "b"}},
        {"1252", "Gr\xF6\xDF" "e\r\n\x80 3\xB3", 1252, false, {"Größe", "€ 3³"}},
        {"code page 0 is 1252", "\xE4", 0, false, {"ä"}}, {"only a bom", "\xEF\xBB\xBF", 1252, false, {}},
        {"bom means utf-8", "\xEF\xBB\xBF\xC3\xA4\r\n", 1252, false, {"ä"}},
        {"utf-8 flag", "\xC3\xA4;x", 1252, true, {"ä;x"}}, {"code page 65001", "\xE2\x82\xAC\n", 65001, false, {"€"}},
        {"bad utf-8 bytes read as 1252", "\xE4x\xC3\xA4\xB3", 65001, false, {"äxä³"}},
        {"nul bytes kept", std::string("a\0b\n", 4), 1252, false, {std::string("a\0b", 3)}}};
    // clang-format on
    for (const auto& [what, bytes, codePage, utf8, expected] : cases) {
        Lines lines{"stale"};
        EXPECT_TRUE(nrvStrUtil::splitLines(bytes, lines, codePage, utf8)) << what;
        EXPECT_EQ(lines, expected) << what;
    }
}

class LineFile : public ::testing::Test {
protected:
    kavextest::TempDir dir;
};

TEST_F(LineFile, LongLinesAnd1252FilesComeBackByteForByte) {
    std::string bytes = "kopf\r\n" + std::string(1 << 20, 'x') + "\r\n";  // a 1 MB line
    bytes[12345] = '\xFC';                                                // ü
    for (int b = 1; b < 256; ++b) {
        if (b == '\r' || b == '\n') continue;
        bytes += static_cast<char>(b);
        if (b % 40 == 0) bytes += "\r\n\r\n";  // with blank lines between
    }
    bytes += "\r\n";
    kavextest::writeBytes(dir.file("in.vdi"), bytes);
    Lines lines;
    ASSERT_TRUE(nrvStrUtil::readStringlistFromFile(lines, dir.file("in.vdi"), 1252));
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines[1].size(), (1u << 20) + 1);  // ü takes two bytes in UTF-8
    EXPECT_EQ(lines[1].substr(12339, 2), "ü");
    bool lossy = true;
    ASSERT_TRUE(nrvStrUtil::writeStringlistToFile(lines, dir.file("out.vdi"), 1252, false, &lossy));
    EXPECT_FALSE(lossy);
    EXPECT_EQ(kavextest::readBytes(dir.file("out.vdi")), bytes);
}

TEST_F(LineFile, Utf8WithBomLossy1252AndFailures) {
    Lines lines{"Druckgewinn → mbar", "", "€"};
    ASSERT_TRUE(nrvStrUtil::writeStringlistToFile(lines, dir.file("u.txt"), 65001, true));
    EXPECT_EQ(kavextest::readBytes(dir.file("u.txt")),
              "\xEF\xBB\xBF"
              "Druckgewinn → mbar\r\n\r\n€\r\n");
    Lines back;
    ASSERT_TRUE(nrvStrUtil::readStringlistFromFile(back, dir.file("u.txt")));  // 1252, BOM wins
    EXPECT_EQ(back, lines);

    bool lossy = false;
    ASSERT_TRUE(nrvStrUtil::writeStringlistToFile(lines, dir.file("x.txt"), 1252, false, &lossy));
    EXPECT_TRUE(lossy);
    EXPECT_EQ(kavextest::readBytes(dir.file("x.txt")), "Druckgewinn ? mbar\r\n\r\n\x80\r\n");

    EXPECT_FALSE(nrvStrUtil::readStringlistFromFile(back, dir.file("missing.txt")));
    EXPECT_TRUE(back.empty());
    EXPECT_FALSE(nrvStrUtil::readStringlistFromFile(back, dir.path().string()));
    EXPECT_FALSE(nrvStrUtil::readStringlistFromFile(back, dir.file("x.txt"), 437));
    EXPECT_FALSE(nrvStrUtil::writeStringlistToFile({"y"}, dir.file("x.txt"), 437));
    EXPECT_FALSE(nrvStrUtil::writeStringlistToFile({"y"}, dir.file("no/such/folder/x.txt")));
    EXPECT_EQ(kavextest::readBytes(dir.file("x.txt")), "Druckgewinn ? mbar\r\n\r\n\x80\r\n");
}

}  // namespace

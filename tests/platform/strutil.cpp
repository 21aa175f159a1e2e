// Field splitting and the text-file line reader and writer.
#include <gtest/gtest.h>

#include "kavex/platform/codepage.h"
#include "kavex/platform/strutil.h"
#include "support/tempdir.h"

namespace {

using Lines = std::vector<std::string>;

struct FieldCase {
    std::string text;
    int index;
    std::string sep;
    std::string field;
};

TEST(StrUtilFields, GetSubStrCountsFromOneAndKeepsEmptyFields) {
    const FieldCase cases[] = {
        {"a;b;c", 1, ";", "a"},   {"a;b;c", 3, ";", "c"},    {"a;b;c", 4, ";", ""},
        {"a;b;c", 0, ";", ""},    {"a;b;c", -2, ";", ""},    {"a;;c", 2, ";", ""},
        {"a;;c", 3, ";", "c"},    {"0;1500;", 3, ";", ""},   {"", 1, ";", ""},
        {" x ;y", 1, ";", " x "}, {"a::b::c", 2, "::", "b"}, {"a::b:c", 2, "::", "b:c"},
        {"abc", 1, "", "abc"},    {"abc", 2, "", ""},        {"HERST:Beispiel", 2, ":", "Beispiel"},
    };
    for (const FieldCase& c : cases) {
        EXPECT_EQ(nrvStrUtil::GetSubStr(c.text, c.index, c.sep), c.field)
            << c.text << " #" << c.index;
        if (c.sep.size() == 1) {
            EXPECT_EQ(nrvStrUtil::GetSubStr(c.text, c.index, c.sep[0]), c.field);
        }
    }
}

TEST(StrUtilFields, SetSubStrReplacesOrAppendsFields) {
    struct Case {
        std::string text;
        int index;
        std::string sep, value, result;
    };
    const Case cases[] = {
        {"a;b;c", 2, ";", "x", "a;x;c"}, {"a;b;c", 3, ";", "", "a;b;"},
        {"a", 3, ";", "x", "a;;x"},      {"", 1, ";", "x", "x"},
        {"", 2, ";", "x", ";x"},         {"a;b;", 3, ";", "x", "a;b;x"},
        {"a;b", 0, ";", "x", "a;b"},     {"a::b", 3, "::", "c", "a::b::c"},
        {"abc", 1, "", "x", "x"},        {"abc", 2, "", "x", "abc"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        nrvStrUtil::SetSubStr(text, c.index, c.sep, c.value);
        EXPECT_EQ(text, c.result) << c.text << " #" << c.index;
    }
}

TEST(StrUtilFields, ValuesWrittenFieldByFieldReadBack) {
    std::string list;
    for (int i = 1; i <= 12; ++i)
        nrvStrUtil::SetSubStr(list, i, ';', std::to_string(i * 10));
    nrvStrUtil::SetSubStr(list, 20, ';', "last");
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(nrvStrUtil::GetSubStr(list, i, ';'), std::to_string(i * 10));
    EXPECT_EQ(nrvStrUtil::GetSubStr(list, 15, ';'), "");
    EXPECT_EQ(nrvStrUtil::GetSubStr(list, 20, ';'), "last");
    EXPECT_EQ(nrvStrUtil::separatedStringToVector(list, ';').size(), 20u);
}

TEST(StrUtilFields, DigitsAreTheNumericCharacters) {
    EXPECT_EQ(nrvStrUtil::removeAllNumeric("20x30"), "x");
    EXPECT_EQ(nrvStrUtil::removeAllNumeric("DN 20"), "DN ");
    EXPECT_EQ(nrvStrUtil::removeAllNumeric("-1.5"), "-.");
    EXPECT_EQ(nrvStrUtil::removeAllNonNumeric("a=200 b=300"), "200300");
    EXPECT_EQ(nrvStrUtil::removeAllNonNumeric("\u00B3x"), "");
}

TEST(StrUtilFields, TextRightOfACharacter) {
    EXPECT_EQ(nrvStrUtil::SubStrRightFromFirstOccurence("VDI_2\\a\\b.vdi", '\\'), "a\\b.vdi");
    EXPECT_EQ(nrvStrUtil::SubStrRightFromLastOccurence("VDI_2\\a\\b.vdi", '\\'), "b.vdi");
    EXPECT_EQ(nrvStrUtil::SubStrRightFromFirstOccurence("abc", '/'), "");
    EXPECT_EQ(nrvStrUtil::SubStrRightFromLastOccurence("abc/", '/'), "");
}

TEST(StrUtilFields, SeparatedStringToVector) {
    EXPECT_EQ(nrvStrUtil::separatedStringToVector("0;1500;3000;", ';'),
              (Lines{"0", "1500", "3000", ""}));
    EXPECT_EQ(nrvStrUtil::separatedStringToVector("0;1500;;3000;", ';', true),
              (Lines{"0", "1500", "3000"}));
    EXPECT_EQ(nrvStrUtil::separatedStringToVector("", ';'), Lines{});
    EXPECT_EQ(nrvStrUtil::separatedStringToVector(";", ';'), (Lines{"", ""}));
    EXPECT_EQ(nrvStrUtil::separatedStringToVector("a, b", ", "), (Lines{"a", "b"}));
}

struct SplitCase {
    const char* name;
    std::string bytes;
    int codePage;
    bool utf8;
    Lines lines;
};

TEST(LineReader, SplitsEveryKindOfLineEnd) {
    const SplitCase cases[] = {
        {"crlf", "a\r\nb\r\n", 1252, false, {"a", "b"}},
        {"lf", "a\nb\n", 1252, false, {"a", "b"}},
        {"cr", "a\rb\r", 1252, false, {"a", "b"}},
        {"mixed", "a\r\n\nb\rc", 1252, false, {"a", "", "b", "c"}},
        {"no final newline", "a\r\nb", 1252, false, {"a", "b"}},
        {"blank lines", "\n\na\n\n", 1252, false, {"", "", "a", ""}},
        {"only a line end", "\r\n", 1252, false, {""}},
        {"empty", "", 1252, false, {}},
        {"cr before crlf", "a\r\r\nb", 1252, false, {"a", "", "b"}},
        {"lf before cr", "a\n\rb", 1252, false, {"a", "", "b"}},
        {"1252 umlauts",
         "Gr\xF6\xDF"
         "e\r\n\x80 3\xB3",
         1252,
         false,
         {"Gr\u00F6\u00DFe", "\u20AC 3\u00B3"}},
        {"code page 0 is 1252", "\xE4", 0, false, {"\u00E4"}},
        {"bom means utf-8", "\xEF\xBB\xBF\xC3\xA4\r\n", 1252, false, {"\u00E4"}},
        {"only a bom", "\xEF\xBB\xBF", 1252, false, {}},
        {"utf-8 flag", "\xC3\xA4;x", 1252, true, {"\u00E4;x"}},
        {"code page 65001", "\xE2\x82\xAC\n", 65001, false, {"\u20AC"}},
        {"bad utf-8 bytes read as 1252",
         "\xE4x\xC3\xA4\xB3",
         65001,
         false,
         {"\u00E4x\u00E4\u00B3"}},
        {"nul bytes kept", std::string("a\0b\n", 4), 1252, false, {std::string("a\0b", 3)}},
    };
    for (const SplitCase& c : cases) {
        Lines lines{"stale"};
        EXPECT_TRUE(nrvStrUtil::splitLines(c.bytes, lines, c.codePage, c.utf8)) << c.name;
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}

class LineFile : public ::testing::Test {
protected:
    kavextest::TempDir dir;
};

TEST_F(LineFile, ReadsAOneMegabyteLine) {
    std::string big(1 << 20, 'x');
    big[12345] = '\xFC';  // ü
    kavextest::writeBytes(dir.file("big.txt"), "kopf\r\n" + big + "\r\nende");
    Lines lines;
    ASSERT_TRUE(nrvStrUtil::readStringlistFromFile(lines, dir.file("big.txt")));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), big.size() + 1);  // ü takes two bytes in UTF-8
    EXPECT_EQ(lines[1].substr(12345, 2), "\u00FC");
    EXPECT_EQ(lines[2], "ende");
}

TEST_F(LineFile, A1252FileIsWrittenBackByteForByte) {
    std::string bytes;
    for (int b = 1; b < 256; ++b) {
        if (b == '\r' || b == '\n') continue;
        bytes += static_cast<char>(b);
        if (b % 40 == 0) bytes += "\r\n\r\n";  // with blank lines between
    }
    bytes += "\r\n";
    kavextest::writeBytes(dir.file("in.vdi"), bytes);
    Lines lines;
    ASSERT_TRUE(nrvStrUtil::readStringlistFromFile(lines, dir.file("in.vdi"), 1252));
    bool lossy = true;
    ASSERT_TRUE(nrvStrUtil::writeStringlistToFile(lines, dir.file("out.vdi"), 1252, false, &lossy));
    EXPECT_FALSE(lossy);
    EXPECT_EQ(kavextest::readBytes(dir.file("out.vdi")), bytes);
}

TEST_F(LineFile, WritesUtf8WithOptionalBomAndReadsItBack) {
    Lines lines{"Druckgewinn \u2192 mbar", "", "\u20AC"};
    ASSERT_TRUE(nrvStrUtil::writeStringlistToFile(lines, dir.file("u.txt"), 65001, true));
    EXPECT_EQ(kavextest::readBytes(dir.file("u.txt")),
              "\xEF\xBB\xBF"
              "Druckgewinn \u2192 mbar\r\n\r\n\u20AC\r\n");
    Lines back;
    ASSERT_TRUE(
        nrvStrUtil::readStringlistFromFile(back, dir.file("u.txt")));  // 1252 asked, BOM wins
    EXPECT_EQ(back, lines);
}

TEST_F(LineFile, Writing1252ReportsCharactersItCannotShow) {
    bool lossy = false;
    ASSERT_TRUE(
        nrvStrUtil::writeStringlistToFile({"a \u2192 b"}, dir.file("l.txt"), 1252, false, &lossy));
    EXPECT_TRUE(lossy);
    EXPECT_EQ(kavextest::readBytes(dir.file("l.txt")), "a ? b\r\n");
}

TEST_F(LineFile, FailuresAreReturnValues) {
    Lines lines{"keep"};
    EXPECT_FALSE(nrvStrUtil::readStringlistFromFile(lines, dir.file("missing.txt")));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(nrvStrUtil::readStringlistFromFile(lines, dir.path().string()));
    kavextest::writeBytes(dir.file("x.txt"), "x");
    EXPECT_FALSE(nrvStrUtil::readStringlistFromFile(lines, dir.file("x.txt"), 437));
    EXPECT_FALSE(nrvStrUtil::writeStringlistToFile({"x"}, dir.file("x.txt"), 437));
    EXPECT_FALSE(nrvStrUtil::writeStringlistToFile({"x"}, dir.file("no/such/folder/x.txt")));
    EXPECT_EQ(kavextest::readBytes(dir.file("x.txt")), "x");
}

}  // namespace

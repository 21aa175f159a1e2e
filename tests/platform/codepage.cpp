// Windows-1252 <-> UTF-8 conversion of catalogue texts.
#include <gtest/gtest.h>

#include <set>

#include "kavex/platform/codepage.h"

namespace {

struct ByteCase {
    unsigned char byte;
    const char* utf8;
};

// Independent reference values (Unicode's cp1252 table) for the bytes the
// catalogues use most, the 0x80..0x9F block and the five undefined bytes.
const ByteCase kBytes[] = {
    {0x41, "A"},        {0x80, "\u20AC"},    // €
    {0xE4, "\u00E4"},   {0xF6, "\u00F6"},    // ä ö
    {0xFC, "\u00FC"},   {0xDF, "\u00DF"},    // ü ß
    {0xC4, "\u00C4"},   {0xB3, "\u00B3"},    // Ä ³
    {0xB6, "\u00B6"},   {0xB0, "\u00B0"},    // ¶ °
    {0xB2, "\u00B2"},   {0xA0, "\u00A0"},    // ² no-break space
    {0xFF, "\u00FF"},   {0x8A, "\u0160"},    // ÿ Š
    {0x99, "\u2122"},   {0x9F, "\u0178"},    // ™ Ÿ
    {0x85, "\u2026"},   {0x96, "\u2013"},    // … –
    {0x81, "\xC2\x81"}, {0x8D, "\xC2\x8D"},  // undefined: C1 controls
    {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"}, {0x9D, "\xC2\x9D"},
};

TEST(CodePage, KnownBytesConvertBothWays) {
    for (const ByteCase& c : kBytes) {
        std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(nrvCodePage::cp1252ToUtf8(byte), c.utf8) << std::hex << int(c.byte);
        bool lossy = true;
        EXPECT_EQ(nrvCodePage::utf8ToCp1252(c.utf8, &lossy), byte) << std::hex << int(c.byte);
        EXPECT_FALSE(lossy);
    }
}

TEST(CodePage, EveryByteRoundTripsAndMapsToADistinctCharacter) {
    std::string all;
    std::set<std::string> seen;
    for (int b = 0; b < 256; ++b) {
        std::string byte(1, static_cast<char>(b));
        std::string utf8 = nrvCodePage::cp1252ToUtf8(byte);
        EXPECT_TRUE(nrvCodePage::isValidUtf8(utf8)) << b;
        seen.insert(utf8);
        all += byte;
    }
    EXPECT_EQ(seen.size(), 256u);
    bool lossy = true;
    std::string utf8 = nrvCodePage::cp1252ToUtf8(all);
    EXPECT_EQ(nrvCodePage::utf8ToCp1252(utf8, &lossy), all);
    EXPECT_FALSE(lossy);
}

TEST(CodePage, CharactersOutside1252BecomeQuestionMarks) {
    const std::pair<const char*, const char*> cases[] = {
        {"Pfeil \u2192 rechts", "Pfeil ? rechts"},
        {"\u65E5\u672C", "??"},
        {"\U0001F600!", "?!"},
        {"\xC2\x80", "?"},  // U+0080 is not 1252's 0x80 (that byte is €)
    };
    for (auto [in, out] : cases) {
        bool lossy = false;
        EXPECT_EQ(nrvCodePage::utf8ToCp1252(in, &lossy), out) << in;
        EXPECT_TRUE(lossy) << in;
    }
}

TEST(CodePage, MalformedUtf8IsReplacedNotTrusted) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\xC3", "a?"},                    // cut off
        {"a\xC3z", "a?z"},                  // missing continuation
        {"\x80x", "?x"},                    // lone continuation
        {"\xC0\xAF", "??"},                 // overlong '/'
        {"\xE0\x80\xAF", "???"},            // overlong, three bytes
        {"\xED\xA0\x80", "???"},            // surrogate
        {"\xF4\x90\x80\x80", "????"},       // above U+10FFFF
        {"\xF8\x88\x80\x80\x80", "?????"},  // five-byte form
        {std::string("\0\xFF", 2), std::string("\0?", 2)},
    };
    for (const auto& [in, out] : cases) {
        bool lossy = false;
        EXPECT_EQ(nrvCodePage::utf8ToCp1252(in, &lossy), out);
        EXPECT_TRUE(lossy);
        EXPECT_FALSE(nrvCodePage::isValidUtf8(in));
    }
}

TEST(CodePage, ValidUtf8IsRecognised) {
    for (const char* s : {"", "abc", "\u00E4", "\u20AC", "\uFFFD", "\U0001F600", "\U0010FFFF"}) {
        EXPECT_TRUE(nrvCodePage::isValidUtf8(s)) << s;
    }
}

}  // namespace

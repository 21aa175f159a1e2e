// Windows-1252 <-> UTF-8 conversion of catalogue texts.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "kavex/platform/codepage.h"

namespace {

TEST(CodePage, BytesConvertBothWaysExactly) {
    // Independent reference values (Unicode's cp1252 table): the Latin-1 half
    // at both ends, the 0x80..0x9F block and the five undefined bytes.
    // clang-format off
    const std::pair<unsigned char, const char*> known[] = {
        {0x41, "A"}, {0x80, "€"}, {0xA0, "\u00A0"}, {0xB3, "³"}, {0xE4, "ä"}, {0xFF, "ÿ"},
        {0x8A, "Š"}, {0x99, "™"}, {0x9F, "Ÿ"}, {0x85, "…"}, {0x96, "–"}, {0x81, "\xC2\x81"},
        {0x8D, "\xC2\x8D"}, {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"}, {0x9D, "\xC2\x9D"}};
    // clang-format on
    for (auto [byte, utf8] : known) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(nrvCodePage::cp1252ToUtf8(one), utf8) << std::hex << int(byte);
        bool lossy = true;
        EXPECT_EQ(nrvCodePage::utf8ToCp1252(utf8, &lossy), one) << std::hex << int(byte);
        EXPECT_FALSE(lossy);
    }
    // Every byte becomes a distinct, valid character and comes back.
    std::string all;
    std::set<std::string> seen;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
        seen.insert(nrvCodePage::cp1252ToUtf8(all.substr(all.size() - 1)));
    }
    EXPECT_EQ(seen.size(), 256u);
    const std::string utf8 = nrvCodePage::cp1252ToUtf8(all);
    EXPECT_TRUE(nrvCodePage::isValidUtf8(utf8));
    bool lossy = true;
    EXPECT_EQ(nrvCodePage::utf8ToCp1252(utf8, &lossy), all);
    EXPECT_FALSE(lossy);
}

TEST(CodePage, WhatCannotBeShownOrIsMalformedBecomesQuestionMarks) {
    // UTF-8 in, 1252 out, whether the input is well-formed UTF-8
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"Pfeil → rechts", "Pfeil ? rechts", true},
        {"日本", "??", true},
        {"\U0001F600!", "?!", true},
        {"\xC2\x80", "?", true},                   // U+0080 is not 1252's 0x80 (that byte is €)
        {"a\xC3", "a?", false},                    // cut off
        {"a\xC3z", "a?z", false},                  // missing continuation
        {"\x80x", "?x", false},                    // lone continuation
        {"\xC0\xAF", "??", false},                 // overlong '/'
        {"\xE0\x80\xAF", "???", false},            // overlong, three bytes
        {"\xED\xA0\x80", "???", false},            // surrogate
        {"\xF4\x90\x80\x80", "????", false},       // above U+10FFFF
        {"\xF8\x88\x80\x80\x80", "?????", false},  // five-byte form
        {std::string("\0\xFF", 2), std::string("\0?", 2), false}};
    for (const auto& [in, out, valid] : cases) {
        bool lossy = false;
        EXPECT_EQ(nrvCodePage::utf8ToCp1252(in, &lossy), out);
        EXPECT_TRUE(lossy);
        EXPECT_EQ(nrvCodePage::isValidUtf8(in), valid) << in;
    }
    for (const char* s : {"", "abc", "\uFFFD", "\U0010FFFF"})
        EXPECT_TRUE(nrvCodePage::isValidUtf8(s)) << s;
}

}  // namespace

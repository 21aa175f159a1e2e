#include "kavex/platform/codepage.h"

#include <array>
#include <cstdint>

namespace {

// Code points of the bytes 0x80..0x9F; the rest of 0xA0..0xFF equals Latin-1.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char32_t codePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
    return byte;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // 1252 holds nothing above the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The 1252 byte of a code point; -1 when 1252 has none.
int byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
    }
    return -1;
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one character at `pos`; on malformed input returns kInvalid and
// `length` 1, so the caller resynchronises at the next byte.
char32_t decodeOne(std::string_view s, std::size_t pos, std::size_t& length) {
    length = 1;
    auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) return b0;
    std::size_t need = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1, cp = b0 & 0x1F, minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2, cp = b0 & 0x0F, minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3, cp = b0 & 0x07, minimum = 0x10000;
    } else {
        return kInvalid;
    }
    if (pos + need >= s.size()) return kInvalid;  // cut off at the end
    for (std::size_t k = 1; k <= need; ++k) {
        auto b = static_cast<unsigned char>(s[pos + k]);
        if ((b & 0xC0) != 0x80) return kInvalid;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kInvalid;
    length = need + 1;
    return cp;
}

}  // namespace

namespace nrvCodePage {

std::string cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text)
        appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view text, bool* lossy) {
    std::string out;
    out.reserve(text.size());
    bool lost = false;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = 1;
        char32_t cp = decodeOne(text, pos, length);
        int byte = cp == kInvalid ? -1 : byteOf(cp);
        if (byte < 0) {
            out += '?';
            lost = true;
        } else {
            out += static_cast<char>(byte);
        }
        pos += length;
    }
    if (lossy) *lossy = lost;
    return out;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = 1;
        if (decodeOne(text, pos, length) == kInvalid) return false;
        pos += length;
    }
    return true;
}

}  // namespace nrvCodePage

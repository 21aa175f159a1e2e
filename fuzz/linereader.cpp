// The text-file line reader over arbitrary bytes: Windows-1252 and UTF-8
// decoding, every kind of line end, byte-order marks.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/codepage.h"
#include "kavex/platform/strutil.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Lines are well-formed UTF-8 without line ends, and writing them and
// reading them again gives the same lines.
void checkLines(const std::vector<std::string>& lines, int codePage) {
    for (const std::string& line : lines) {
        check(nrvCodePage::isValidUtf8(line));
        check(line.find_first_of("\r\n") == std::string::npos);
    }
    std::string bytes;
    bool lossy = false;
    check(nrvStrUtil::joinLines(lines, bytes, codePage, false, &lossy));
    // A written 1252 text that starts with the characters "ï»¿" reads as a
    // byte-order mark; such a file is not ours to round-trip.
    if (lossy || bytes.substr(0, kBom.size()) == kBom) return;
    std::vector<std::string> again;
    check(nrvStrUtil::splitLines(bytes, again, codePage, false));
    check(again == lines);
}

// A 1252 file as the Windows programs write it: CRLF after every line and no
// byte-order mark. Reading and writing it back must give the same bytes.
bool isWindowsText(std::string_view bytes) {
    if (bytes.substr(0, kBom.size()) == kBom) return false;
    if (!bytes.empty() && bytes.substr(bytes.size() - 1) != "\n") return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return false;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Every byte survives 1252 -> UTF-8 -> 1252.
    std::string utf8 = nrvCodePage::cp1252ToUtf8(bytes);
    check(nrvCodePage::isValidUtf8(utf8));
    bool lossy = true;
    check(nrvCodePage::utf8ToCp1252(utf8, &lossy) == bytes);
    check(!lossy);
    // Raw bytes taken as UTF-8: malformed input is reported, never trusted.
    nrvCodePage::utf8ToCp1252(bytes, &lossy);
    if (!nrvCodePage::isValidUtf8(bytes)) check(lossy);

    std::vector<std::string> lines;
    check(nrvStrUtil::splitLines(bytes, lines, 1252, false));
    checkLines(lines, 1252);
    if (isWindowsText(bytes)) {
        std::string written;
        check(nrvStrUtil::joinLines(lines, written, 1252));
        check(written == bytes);
    }
    check(nrvStrUtil::splitLines(bytes, lines, 1252, true));
    checkLines(lines, 65001);
    return 0;
}

#include "kavex/platform/strutil.h"

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/codepage.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Byte range [begin, end) of field `index` (from 1); false when there is none.
bool findField(std::string_view text, int index, std::string_view sep, std::size_t& begin,
               std::size_t& end) {
    if (index < 1) return false;
    if (sep.empty()) {
        if (index != 1) return false;
        begin = 0, end = text.size();
        return true;
    }
    begin = 0;
    for (int field = 1; field < index; ++field) {
        std::size_t next = text.find(sep, begin);
        if (next == std::string_view::npos) return false;
        begin = next + sep.size();
    }
    end = text.find(sep, begin);
    if (end == std::string_view::npos) end = text.size();
    return true;
}

int fieldCount(std::string_view text, std::string_view sep) {
    if (sep.empty()) return 1;
    int count = 1;
    for (std::size_t pos = text.find(sep); pos != std::string_view::npos;
         pos = text.find(sep, pos + sep.size())) {
        ++count;
    }
    return count;
}

std::string_view stripBom(std::string_view bytes, bool& isUtf8) {
    if (bytes.substr(0, kBom.size()) == kBom) {
        isUtf8 = true;
        bytes.remove_prefix(kBom.size());
    }
    return bytes;
}

// UTF-8 with every malformed byte taken as its 1252 character.
std::string repairUtf8(std::string_view line) {
    if (nrvCodePage::isValidUtf8(line)) return std::string(line);
    std::string out;
    out.reserve(line.size() + 8);
    std::size_t pos = 0;
    while (pos < line.size()) {
        // Take the longest well-formed run, then one bad byte.
        std::size_t runEnd = pos;
        while (runEnd < line.size()) {
            auto b = static_cast<unsigned char>(line[runEnd]);
            std::size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            if (runEnd + len > line.size() || !nrvCodePage::isValidUtf8(line.substr(runEnd, len))) {
                break;
            }
            runEnd += len;
        }
        out.append(line.substr(pos, runEnd - pos));
        if (runEnd < line.size()) out += nrvCodePage::cp1252ToUtf8(line.substr(runEnd, 1));
        pos = runEnd + 1;
    }
    return out;
}

bool knownCodePage(int codePage) {
    return codePage == 0 || codePage == nrvStrUtil::CodePage1252 ||
           codePage == nrvStrUtil::CodePageUtf8;
}

}  // namespace

std::string nrvStrUtil::GetSubStr(std::string_view text, int index, char separator) {
    return GetSubStr(text, index, std::string_view(&separator, 1));
}

std::string nrvStrUtil::GetSubStr(std::string_view text, int index, std::string_view separator) {
    std::size_t begin = 0, end = 0;
    if (!findField(text, index, separator, begin, end)) return {};
    return std::string(text.substr(begin, end - begin));
}

void nrvStrUtil::SetSubStr(std::string& text, int index, char separator, std::string_view value) {
    SetSubStr(text, index, std::string_view(&separator, 1), value);
}

void nrvStrUtil::SetSubStr(std::string& text, int index, std::string_view separator,
                           std::string_view value) {
    if (index < 1) return;
    if (separator.empty() && index != 1) return;
    for (int count = fieldCount(text, separator); count < index; ++count)
        text.append(separator);
    std::size_t begin = 0, end = 0;
    if (findField(text, index, separator, begin, end)) text.replace(begin, end - begin, value);
}

std::string nrvStrUtil::removeAllNonNumeric(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (isDigit(c)) out += c;
    }
    return out;
}

std::string nrvStrUtil::removeAllNumeric(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (!isDigit(c)) out += c;
    }
    return out;
}

std::string nrvStrUtil::SubStrRightFromFirstOccurence(std::string_view text, char c) {
    std::size_t pos = text.find(c);
    return pos == std::string_view::npos ? std::string() : std::string(text.substr(pos + 1));
}

std::string nrvStrUtil::SubStrRightFromLastOccurence(std::string_view text, char c) {
    std::size_t pos = text.rfind(c);
    return pos == std::string_view::npos ? std::string() : std::string(text.substr(pos + 1));
}

std::vector<std::string> nrvStrUtil::separatedStringToVector(std::string_view text, char separator,
                                                             bool skipEmpty) {
    return separatedStringToVector(text, std::string_view(&separator, 1), skipEmpty);
}

std::vector<std::string> nrvStrUtil::separatedStringToVector(std::string_view text,
                                                             std::string_view separator,
                                                             bool skipEmpty) {
    std::vector<std::string> out;
    if (text.empty()) return out;
    if (separator.empty()) {
        out.emplace_back(text);
        return out;
    }
    std::size_t begin = 0;
    while (true) {
        std::size_t end = text.find(separator, begin);
        std::string_view field = text.substr(
            begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
        if (!skipEmpty || !field.empty()) out.emplace_back(field);
        if (end == std::string_view::npos) break;
        begin = end + separator.size();
    }
    return out;
}

bool nrvStrUtil::splitLines(std::string_view bytes, std::vector<std::string>& lines, int codePage,
                            bool utf8) {
    lines.clear();
    if (!knownCodePage(codePage)) return false;
    bool isUtf8 = utf8 || codePage == CodePageUtf8;
    bytes = stripBom(bytes, isUtf8);
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", begin);
        std::size_t next = end;
        if (end == std::string_view::npos) {
            end = next = bytes.size();
        } else {
            next = end + 1;
            if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
        }
        std::string_view raw = bytes.substr(begin, end - begin);
        lines.push_back(isUtf8 ? repairUtf8(raw) : nrvCodePage::cp1252ToUtf8(raw));
        begin = next;
    }
    return true;
}

bool nrvStrUtil::joinLines(const std::vector<std::string>& lines, std::string& bytes, int codePage,
                           bool bom, bool* lossy) {
    bytes.clear();
    if (lossy) *lossy = false;
    if (!knownCodePage(codePage)) return false;
    bool toUtf8 = codePage == CodePageUtf8;
    if (toUtf8 && bom) bytes.append(kBom);
    bool anyLoss = false;
    for (const std::string& line : lines) {
        if (toUtf8) {
            bytes.append(line);
        } else {
            bool lineLoss = false;
            bytes.append(nrvCodePage::utf8ToCp1252(line, &lineLoss));
            anyLoss = anyLoss || lineLoss;
        }
        bytes.append("\r\n");
    }
    if (lossy) *lossy = anyLoss;
    return true;
}

bool nrvStrUtil::readStringlistFromFile(std::vector<std::string>& lines, const std::string& path,
                                        int codePage, bool utf8) {
    lines.clear();
    std::string bytes;
    if (!knownCodePage(codePage) || !nrvFiles::readFile(path, bytes)) return false;
    return splitLines(bytes, lines, codePage, utf8);
}

bool nrvStrUtil::writeStringlistToFile(const std::vector<std::string>& lines,
                                       const std::string& path, int codePage, bool bom,
                                       bool* lossy) {
    std::string bytes;
    if (!joinLines(lines, bytes, codePage, bom, lossy)) return false;
    return nrvFiles::writeFileAtomic(path, bytes);
}

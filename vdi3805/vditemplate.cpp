#include "kavex/vdi3805/vditemplate.h"

#include <climits>
#include <cmath>
#include <filesystem>
#include <mutex>
#include <vector>

#include "kavex/platform/numbers.h"
#include "kavex/platform/strutil.h"
#include "kavex/platform/translation.h"

namespace {

constexpr std::string_view kSectionMark = "DATUMRICHTLINIE";

std::mutex& folderMutex() {
    static std::mutex m;
    return m;
}

std::string& folderSetting() {
    static std::string folder;
    return folder;
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

// Characters, not bytes: the file is read as 1252 and kept as UTF-8.
std::size_t charCount(std::string_view text) {
    std::size_t n = 0;
    for (char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// The section date of a "DATUMRICHTLINIE...201601" line; false for other lines.
bool sectionDate(std::string_view line, int& date) {
    if (line.substr(0, kSectionMark.size()) != kSectionMark || line.size() < 6) return false;
    date = nrvNumbers::parseInt(line.substr(line.size() - 6));
    return true;
}

}  // namespace

void CVDITemplate::SetFolder(std::string folder) {
    std::lock_guard lock(folderMutex());
    folderSetting() = std::move(folder);
}

std::string CVDITemplate::GetFolder() {
    std::lock_guard lock(folderMutex());
    return folderSetting();
}

std::string CVDITemplate::FileNameOf(int sheet) {
    return nrvNumbers::format("vdi3805-Blatt%.2d-Beschreibungen.txt",
                              static_cast<long long>(sheet));
}

int CVDITemplate::KeyOf(std::string_view typeText) {
    const double key = std::trunc(nrvNumbers::parseDouble(typeText) * 100.0);
    if (std::isnan(key)) return 0;
    if (key >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (key <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(key);
}

bool CVDITemplate::LoadDescriptions(int sheet, int guidelineDate) {
    m_descriptions.clear();
    const std::string folder = GetFolder();
    const std::string name = FileNameOf(sheet);
    const std::string path =
        folder.empty() ? name : (std::filesystem::path(folder) / name).string();
    std::vector<std::string> lines;
    if (!nrvStrUtil::readStringlistFromFile(lines, path, nrvStrUtil::CodePage1252)) return false;

    // The non-empty lines of the first section that is not older than the date.
    std::vector<std::string_view> section;
    bool inSection = false;
    for (const std::string& raw : lines) {
        const std::string_view line = trimmed(raw);
        int date = 0;
        if (sectionDate(line, date)) {
            if (inSection) break;
            inSection = date >= guidelineDate;
            continue;
        }
        if (inSection && !line.empty()) section.push_back(line);
    }
    for (std::size_t i = 0; i + 1 < section.size(); ++i) {
        if (charCount(section[i]) > 6) continue;
        m_descriptions[KeyOf(section[i])] = std::string(section[i + 1]);
        ++i;
    }
    return !m_descriptions.empty();
}

std::string CVDITemplate::GetFieldDescription(std::string_view typeText, int fieldNo) const {
    auto it = m_descriptions.find(KeyOf(typeText));
    std::string part;
    if (it != m_descriptions.end()) part = nrvStrUtil::GetSubStr(it->second, fieldNo, ':');
    return part.empty() ? TranslateText("n.v.") : part;
}

// Registering content files in a library's info file. The file is edited line
// by line rather than rewritten from its tree, so that everything a person or
// another program put into it (comments in unknown leaves, order, indentation,
// line ends) stays as it was.

#include <algorithm>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/catalog.h"
#include "kavex/platform/codepage.h"
#include "kavex/platform/treestore.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct InfoLines {
    std::vector<std::string> lines;  // without line ends
    std::string eol = "\n";
    bool finalEol = false;
    bool bom = false;
};

void splitInfoText(std::string_view text, InfoLines& out) {
    std::size_t start = 0;
    bool eolKnown = false;
    while (start <= text.size()) {
        std::size_t nl = text.find('\n', start);
        std::string_view line =
            text.substr(start, nl == std::string_view::npos ? text.npos : nl - start);
        if (nl == std::string_view::npos) {
            if (!line.empty()) out.lines.emplace_back(line);
            out.finalEol = line.empty();
            break;
        }
        const bool crlf = !line.empty() && line.back() == '\r';
        if (crlf) line.remove_suffix(1);
        if (!eolKnown) {
            out.eol = crlf ? "\r\n" : "\n";
            eolKnown = true;
        }
        out.lines.emplace_back(line);
        start = nl + 1;
    }
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

// A leaf line directly below the root node: decoded name and raw value text.
struct LeafLine {
    std::size_t index;
    std::string name;
    std::string rawValue;
};

std::vector<LeafLine> rootLeaves(const std::vector<std::string>& lines) {
    std::vector<LeafLine> leaves;
    int depth = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view t = trimmed(lines[i]);
        if (t.empty()) continue;
        if (t.front() == '[') {
            depth += t.rfind("[ENDE_", 0) == 0 ? -1 : 1;
            continue;
        }
        std::size_t colon = t.find(':');
        if (depth != 1 || colon == std::string_view::npos) continue;
        // Leaf text keeps trailing blanks: take it from the untrimmed line.
        std::string_view full(lines[i]);
        std::size_t nameStart = full.find(t.front());
        leaves.push_back({i, TreeItems::Decode(t.substr(0, colon)),
                          std::string(full.substr(nameStart + colon + 1))});
    }
    return leaves;
}

bool isContentName(std::string_view name) {
    return name == "Content" || name == "content" || name == "CONTENT";
}

std::size_t closingLine(const std::vector<std::string>& lines) {
    for (std::size_t i = lines.size(); i-- > 0;)
        if (!trimmed(lines[i]).empty()) return i;
    return 0;
}

bool listsKey(const std::string& rawValue, std::string_view key) {
    std::size_t start = 0;
    while (true) {
        std::size_t colon = rawValue.find(':', start);
        std::string_view part = std::string_view(rawValue).substr(
            start, colon == std::string::npos ? std::string::npos : colon - start);
        if (TreeItems::Decode(part) == key) return true;
        if (colon == std::string::npos) return false;
        start = colon + 1;
    }
}

// Applies the two edits; true when a line changed.
bool editContent(InfoLines& info, std::string_view key, std::string_view relativePath) {
    bool changed = false;
    std::vector<LeafLine> leaves = rootLeaves(info.lines);
    auto content = std::find_if(leaves.begin(), leaves.end(),
                                [](const LeafLine& l) { return isContentName(l.name); });
    if (content == leaves.end()) {
        info.lines.insert(info.lines.begin() + static_cast<long>(closingLine(info.lines)),
                          std::string("\tContent:").append(key));
        changed = true;
    } else if (!listsKey(content->rawValue, key)) {
        std::string& line = info.lines[content->index];
        if (!trimmed(content->rawValue).empty()) line += ':';
        line += key;
        changed = true;
    }
    leaves = rootLeaves(info.lines);
    const bool present = std::any_of(leaves.begin(), leaves.end(), [&](const LeafLine& l) {
        return l.name == key && TreeItems::Decode(l.rawValue) == relativePath;
    });
    if (!present) {
        info.lines.insert(info.lines.begin() + static_cast<long>(closingLine(info.lines)),
                          std::string("\t").append(key).append(":").append(
                              TreeItems::EncodeValue(relativePath)));
        changed = true;
    }
    return changed;
}

bool isPlainKey(std::string_view key) {
    if (key.empty()) return false;
    return std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

}  // namespace

bool nrvCatalogManager::addContentLine(const nrvCatalogInfo& info, std::string_view key,
                                       std::string_view relativePath) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::string& path = info.getInfoFilePathName();
    if (!isPlainKey(key) || isContentName(key) || relativePath.empty()) {
        setError("Ungültiger Inhaltseintrag: " + std::string(key) + ":" +
                 std::string(relativePath));
        return false;
    }
    std::string bytes;
    if (!info.hasInfoFile() || !nrvFiles::readFile(path, bytes)) {
        setError("Info-Datei nicht lesbar: " + path);
        return false;
    }
    InfoLines lines;
    std::string_view raw(bytes);
    lines.bom = raw.substr(0, kBom.size()) == kBom;
    if (lines.bom) raw.remove_prefix(kBom.size());
    // Files from the Windows programs are in code page 1252; ours are UTF-8.
    std::string text =
        nrvCodePage::isValidUtf8(raw) ? std::string(raw) : nrvCodePage::cp1252ToUtf8(raw);
    std::unique_ptr<CNode> tree = TreeItems::ReadFromString(text);
    if (!tree || tree->GetName() != "Katalog") {
        setError("Info-Datei fehlerhaft: " + path);
        return false;
    }
    splitInfoText(text, lines);
    if (!editContent(lines, key, relativePath)) {
        setError({});
        return true;
    }
    std::string out = lines.bom ? std::string(kBom) : std::string();
    for (std::size_t i = 0; i < lines.lines.size(); ++i) {
        out += lines.lines[i];
        if (i + 1 < lines.lines.size() || lines.finalEol) out += lines.eol;
    }
    if (!nrvFiles::writeFileAtomic(path, out)) {
        setError("Info-Datei nicht schreibbar: " + path);
        return false;
    }
    scanLocked();
    setError({});
    return true;
}

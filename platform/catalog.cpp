#include "kavex/platform/catalog.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/treestore.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kRootNodeName = "Katalog";
constexpr const char* kDefaultLogos[] = {"default.jpg", "default.png", "default.bmp"};

// Info files written by the Windows programs spell the content leaf in any of
// these forms.
bool isContentName(std::string_view name) {
    return name == "Content" || name == "content" || name == "CONTENT";
}

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::string backslashesToSlashes(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

// Absolute, normalised folder path ending with '/'.
std::string folderPath(const std::string& path) {
    std::error_code ec;
    fs::path abs = fs::absolute(fs::path(path), ec);
    if (ec) abs = fs::path(path);
    std::string text = abs.lexically_normal().string();
    return withSlash(text);
}

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec);
}

bool isReadableFile(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(path), ec)) return false;
    std::ifstream in(path, std::ios::binary);
    return in.is_open();
}

bool pathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

std::string folderName(const std::string& folder) {
    std::string text = folder;
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return fs::path(text).filename().string();
}

bool isPlainFolderName(std::string_view name) {
    if (name.empty() || name.front() == '.' || name == nrvCatalogManager::kDefaultLogoFolder)
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
    });
}

}  // namespace

// ---------------------------------------------------------------------------
// nrvCatalogInfo

nrvCatalogInfo::~nrvCatalogInfo() = default;

std::shared_ptr<const nrvCatalogInfo> nrvCatalogInfo::load(const std::string& folder,
                                                           const std::string& catalogRoot,
                                                           const std::string& infoFileName,
                                                           std::string* error) {
    auto fail = [error](std::string text) {
        if (error) *error = std::move(text);
        return nullptr;
    };
    if (!isDirectory(folder)) return fail("Bibliotheksordner fehlt: " + folder);

    std::shared_ptr<nrvCatalogInfo> info(new nrvCatalogInfo);
    info->m_rootPath = folderPath(folder);
    info->m_catalogRoot = catalogRoot.empty() ? std::string() : folderPath(catalogRoot);
    info->m_infoPath = info->m_rootPath + infoFileName;

    if (!pathExists(info->m_infoPath)) {
        // The user library works from its folders alone.
        if (folderName(info->m_rootPath) == nrvCatalogManager::kUserCatalogID) {
            info->m_id = nrvCatalogManager::kUserCatalogID;
            return info;
        }
        return fail("Info-Datei fehlt: " + info->m_infoPath);
    }
    if (!isReadableFile(info->m_infoPath))
        return fail("Info-Datei nicht lesbar: " + info->m_infoPath);

    std::unique_ptr<CNode> tree = TreeItems::ReadFromFile(info->m_infoPath);
    if (!tree) return fail("Info-Datei fehlerhaft (kein Baum): " + info->m_infoPath);
    if (tree->GetName() != kRootNodeName)
        return fail("Info-Datei fehlerhaft (kein [Katalog]): " + info->m_infoPath);

    const CLeaf* id = tree->FindLeaf("ID");
    info->m_id = id ? id->GetOnlyValue() : std::string();
    if (info->m_id.empty()) return fail("Info-Datei ohne ID: " + info->m_infoPath);
    if (const CLeaf* name = tree->FindLeaf("NAME")) info->m_displayName = name->GetOnlyValue();
    if (const CLeaf* logo = tree->FindLeaf("LOGO")) info->m_logoName = logo->GetOnlyValue();

    for (const auto& item : tree->Items()) {
        if (item->IsNode() || !isContentName(item->GetName())) continue;
        for (std::string& key : static_cast<const CLeaf&>(*item).GetValues(':'))
            if (!key.empty()) info->m_contentKeys.push_back(std::move(key));
        break;  // only the first content line counts, as for the import's edit
    }
    info->m_tree = std::move(tree);
    return info;
}

bool nrvCatalogInfo::isUserCatalog() const {
    return m_id == nrvCatalogManager::kUserCatalogID;
}

bool nrvCatalogInfo::hasContentKey(std::string_view key) const {
    return std::find(m_contentKeys.begin(), m_contentKeys.end(), key) != m_contentKeys.end();
}

std::vector<std::string> nrvCatalogInfo::getContentFilePathNames(std::string_view key) const {
    std::vector<std::string> paths;
    if (!m_tree || key.empty() || isContentName(key) || !hasContentKey(key)) return paths;
    for (const auto& item : m_tree->Items()) {
        if (item->IsNode() || item->GetName() != key) continue;
        std::string file = static_cast<const CLeaf&>(*item).GetOnlyValue();
        if (!file.empty()) paths.push_back(resolvePath(file));
    }
    return paths;
}

std::string nrvCatalogInfo::resolvePath(std::string_view relative) const {
    std::string rel = backslashesToSlashes(relative);
    if (!rel.empty() && rel.front() == '/') return fs::path(rel).lexically_normal().string();
    return fs::path(m_rootPath + rel).lexically_normal().string();
}

std::string nrvCatalogInfo::getStrDisplayLogoFileName() const {
    if (!m_logoName.empty()) {
        // A bare name lives in "BMP\"; a hand-written "BMP\x.png" is taken as written.
        const bool hasFolder = m_logoName.find_first_of("/\\") != std::string::npos;
        std::string path = hasFolder
                               ? resolvePath(m_logoName)
                               : m_rootPath + nrvCatalogManager::kLogoFolder + "/" + m_logoName;
        if (isReadableFile(path)) return path;
    }
    for (const std::string* base : {&m_rootPath, &m_catalogRoot}) {
        if (base->empty()) continue;
        for (const char* name : kDefaultLogos) {
            std::string path = *base + nrvCatalogManager::kDefaultLogoFolder + "/" + name;
            if (isReadableFile(path)) return path;
        }
    }
    return {};
}

// ---------------------------------------------------------------------------
// nrvCatalogManager

nrvCatalogManager& nrvCatalogManager::getInstance() {
    static nrvCatalogManager instance;
    return instance;
}

nrvCatalogManager::nrvCatalogManager() = default;
nrvCatalogManager::~nrvCatalogManager() = default;

void nrvCatalogManager::setError(std::string text) const {
    m_lastError = std::move(text);
}

bool nrvCatalogManager::init(const std::string& root, const std::string& infoFileName) {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string chosen = root;
    if (chosen.empty()) {
        const char* env = std::getenv(kRootEnvVar);
        if (env) chosen = env;
    }
    m_root = chosen.empty() ? std::string() : folderPath(chosen);
    m_infoFileName = infoFileName.empty() ? std::string(kInfoFileName) : infoFileName;
    return scanLocked();
}

bool nrvCatalogManager::rescan() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return scanLocked();
}

bool nrvCatalogManager::scanLocked() {
    m_catalogs.clear();
    m_problems.clear();
    if (m_root.empty()) {
        setError("Kein Katalogverzeichnis gesetzt (--catalogs oder KAVEX_CATALOG_ROOT)");
        return false;
    }
    std::error_code ec;
    fs::directory_iterator it(fs::path(m_root), ec);
    if (ec) {
        setError("Katalogverzeichnis nicht lesbar: " + m_root + " (" + ec.message() + ")");
        return false;
    }
    std::vector<std::string> folders;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_directory(typeEc)) continue;
        std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.' || name == kDefaultLogoFolder) continue;
        folders.push_back(std::move(name));
    }
    if (ec) {
        setError("Katalogverzeichnis nicht lesbar: " + m_root + " (" + ec.message() + ")");
        return false;
    }
    std::sort(folders.begin(), folders.end());

    std::set<std::string, std::less<>> ids;
    for (const std::string& name : folders) {
        std::string why;
        nrvCatalogInfoPtr info = nrvCatalogInfo::load(m_root + name, m_root, m_infoFileName, &why);
        if (!info) {
            m_problems.push_back(name + ": " + why);
        } else if (!ids.insert(info->getStrID()).second) {
            m_problems.push_back(name + ": ID " + info->getStrID() + " doppelt");
        } else {
            m_catalogs.push_back(std::move(info));
        }
    }
    std::sort(m_catalogs.begin(), m_catalogs.end(),
              [](const nrvCatalogInfoPtr& a, const nrvCatalogInfoPtr& b) {
                  return a->getStrID() < b->getStrID();
              });
    setError({});
    return true;
}

std::string nrvCatalogManager::getRootPath() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_root;
}

std::vector<std::string> nrvCatalogManager::getProblems() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_problems;
}

std::string nrvCatalogManager::lastError() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastError;
}

nrvCatalogList nrvCatalogManager::getCatalogList() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_catalogs;
}

nrvCatalogList nrvCatalogManager::getCatalogList(std::string_view contentKey) const {
    return getFilteredCatalogList({std::string(contentKey)});
}

nrvCatalogList nrvCatalogManager::getFilteredCatalogList(
    const std::vector<std::string>& contentKeys) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    nrvCatalogList out;
    for (const nrvCatalogInfoPtr& info : m_catalogs) {
        const bool holds =
            std::any_of(contentKeys.begin(), contentKeys.end(),
                        [&](const std::string& k) { return info->hasContentKey(k); });
        if (holds) out.push_back(info);
    }
    return out;
}

nrvCatalogInfoPtr nrvCatalogManager::findCatalogInfo(std::string_view id) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const nrvCatalogInfoPtr& info : m_catalogs)
        if (info->getStrID() == id) return info;
    setError("Katalogbibliothek nicht gefunden: " + std::string(id));
    return nullptr;
}

std::vector<std::string> nrvCatalogManager::getContentFilePathNames(const nrvCatalogInfo& info,
                                                                    std::string_view key) const {
    return info.getContentFilePathNames(key);
}

std::string nrvCatalogManager::ensureMMDLoaded(const nrvCatalogInfo& info,
                                               std::string_view keyOrPath) const {
    if (keyOrPath.empty()) return info.getStrID();
    if (keyOrPath.find_first_of("/\\") == std::string_view::npos)
        return info.getStrID() + "\\" + std::string(keyOrPath);

    // A file path: its first folder below the library is the key.
    const std::string& root = info.getStrRootPath();
    std::string path = info.resolvePath(keyOrPath);
    if (path.compare(0, root.size(), root) != 0) {
        std::lock_guard<std::mutex> lock(m_mutex);
        setError("Datei liegt nicht in der Bibliothek " + info.getStrID() + ": " + path);
        return {};
    }
    std::string rel = path.substr(root.size());
    std::size_t slash = rel.find('/');
    if (slash == std::string::npos || slash == 0) return info.getStrID();
    return info.getStrID() + "\\" + rel.substr(0, slash);
}

nrvCatalogInfoPtr nrvCatalogManager::addCatalog(const std::string& id,
                                                const std::string& displayName,
                                                const std::string& logoName) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_root.empty()) {
        setError("Kein Katalogverzeichnis gesetzt");
        return nullptr;
    }
    if (!isPlainFolderName(id)) {
        setError("Ungültige Bibliotheks-ID: " + id);
        return nullptr;
    }
    for (const nrvCatalogInfoPtr& info : m_catalogs)
        if (info->getStrID() == id) return info;

    const std::string folder = m_root + id;
    const std::string infoPath = withSlash(folder) + m_infoFileName;
    std::error_code ec;
    fs::create_directories(fs::path(folder), ec);
    if (ec || !isDirectory(folder)) {
        setError("Bibliotheksordner nicht anlegbar: " + folder);
        return nullptr;
    }
    if (pathExists(infoPath)) {
        // Never overwrite an info file the scan could not use: it may hold work.
        setError("Info-Datei existiert bereits, ist aber nicht verwendbar: " + infoPath);
        return nullptr;
    }
    CNode tree(kRootNodeName);
    tree.AddLeaf("ID", id);
    tree.AddLeaf("NAME", displayName);
    tree.AddLeaf("LOGO", logoName);
    tree.AddLeaf("Content", "");
    std::string text;
    if (!tree.WriteToString(text, false, true) || !nrvFiles::writeFileAtomic(infoPath, text)) {
        setError("Info-Datei nicht schreibbar: " + infoPath);
        return nullptr;
    }
    scanLocked();
    for (const nrvCatalogInfoPtr& info : m_catalogs)
        if (info->getStrID() == id) return info;
    setError("Neue Bibliothek nicht lesbar: " + folder);
    return nullptr;
}

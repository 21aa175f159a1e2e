#include "kavex/module/siblings.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "kavex/platform/uiservice.h"

namespace fs = std::filesystem;

namespace nrvModule {

namespace {

constexpr std::string_view kCommonServicesName = "fundara_";
constexpr std::string_view kSharedFolder = "Common Files/Dll";
constexpr std::string_view kToolsFolder = "Tools";
constexpr int kSharedFolderLevels = 3;

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool isFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// A plain file name; a path would bypass the search.
bool isPlainFileName(std::string_view fileName) {
    return !fileName.empty() && fileName.find('/') == std::string_view::npos;
}

// The path of a module of that file name in the process, or empty.
std::string findLoadedPath(std::string_view fileName) {
    struct Search {
        std::string_view name;
        std::string path;
    } search{fileName, {}};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) -> int {
            auto* s = static_cast<Search*>(data);
            if (info->dlpi_name == nullptr || *info->dlpi_name == '\0') return 0;
            if (fs::path(info->dlpi_name).filename() != fs::path(s->name)) return 0;
            s->path = info->dlpi_name;
            return 1;
        },
        &search);
    return search.path;
}

// A reference to a module of that file name that is already loaded, or null.
void* takeLoaded(std::string_view fileName) {
    const std::string name(fileName);
    if (void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD)) return handle;
    // A module loaded by its full path is not known by its bare name to the
    // dynamic loader unless that name is its soname.
    const std::string path = findLoadedPath(fileName);
    return path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
}

std::string loadedPath(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr)
        return {};
    return map->l_name;
}

std::string notFoundText(const std::string& modulePath, std::string_view fileName) {
    return "Error in " + modulePath + "!\nRequired program part " + std::string(fileName) +
           " cannot be found.";
}

std::string missingFunctionText(const std::string& modulePath, std::string_view fileName,
                                int number) {
    return "Error in " + modulePath + "!\nRequired program part " + std::string(fileName) +
           " is not compatible with the current program version.\nMissing function: No. " +
           std::to_string(number);
}

}  // namespace

// ===========================================================================
// The search rules

std::string currentModulePath() {
    static const char anchor = 0;
    std::string path;
    Dl_info info{};
    if (dladdr(&anchor, &info) != 0 && info.dli_fname != nullptr) path = info.dli_fname;
    std::error_code ec;
    // Linked into the program itself, the loader may name it by argv[0] or not at all.
    if (path.empty() || !isFile(path)) path = fs::read_symlink("/proc/self/exe", ec).string();
    const fs::path canonical = fs::weakly_canonical(path, ec);
    return ec ? path : canonical.string();
}

bool isCommonServicesLibrary(std::string_view fileName) {
    if (startsWithIgnoringCase(fileName, "lib")) fileName.remove_prefix(3);
    return startsWithIgnoringCase(fileName, kCommonServicesName);
}

std::string findCommonServicesLibrary(const std::string& moduleDir, std::string_view fileName) {
    if (!isPlainFileName(fileName)) return {};
    const fs::path dir(moduleDir);
    if (isFile(dir / fileName)) return (dir / fileName).lexically_normal().string();
    fs::path shared;
    fs::path up;
    for (int level = 1; level <= kSharedFolderLevels && shared.empty(); ++level) {
        up /= "..";
        if (isFolder(dir / up / kSharedFolder)) shared = dir / up / kSharedFolder;
    }
    if (shared.empty() && isFolder(dir / kToolsFolder)) shared = dir / kToolsFolder;
    if (shared.empty() || !isFile(shared / fileName)) return {};
    return (shared / fileName).lexically_normal().string();
}

void* LoadNorvaneLib(std::string_view fileName, const std::string& modulePath) {
    if (!isPlainFileName(fileName)) return nullptr;
    const fs::path beside = fs::path(modulePath).parent_path() / fileName;
    if (isFile(beside)) return dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    return dlopen(std::string(fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void ShowDliFailureMessage(const std::string& modulePath, const std::string& text) {
    nrvUi::ui().messageBox(fs::path(modulePath).filename().string(), text, nrvUi::Icon::Error);
}

// ===========================================================================
// CSiblingLoader

struct CSiblingLoader::Entry {
    std::string fileName;
    std::string path;
    void* handle = nullptr;
    bool tried = false;
};

struct CSiblingLoader::Symbol {
    const Entry* library;
    std::string name;
    void* address;
};

CSiblingLoader::CSiblingLoader(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

CSiblingLoader::~CSiblingLoader() = default;

std::string CSiblingLoader::moduleDirectory() const {
    return fs::path(m_modulePath).parent_path().string();
}

CSiblingLoader::Entry& CSiblingLoader::entryFor(std::string_view fileName) {
    for (auto& entry : m_entries)
        if (entry->fileName == fileName) return *entry;
    m_entries.push_back(std::make_unique<Entry>());
    m_entries.back()->fileName = std::string(fileName);
    return *m_entries.back();
}

void* CSiblingLoader::openLibrary(std::string_view fileName) const {
    if (!isPlainFileName(fileName)) return nullptr;
    if (void* handle = takeLoaded(fileName)) return handle;
    if (!isCommonServicesLibrary(fileName)) return LoadNorvaneLib(fileName, m_modulePath);
    const std::string path = findCommonServicesLibrary(moduleDirectory(), fileName);
    return path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* CSiblingLoader::libraryLocked(std::string_view fileName, std::string& failure) {
    Entry& entry = entryFor(fileName);
    if (entry.tried) return entry.handle;
    entry.tried = true;
    m_failureShown = false;  // every load attempt may report again
    entry.handle = openLibrary(fileName);
    if (entry.handle != nullptr) {
        entry.path = loadedPath(entry.handle);
    } else {
        failure = notFoundText(m_modulePath, fileName);
        m_failureShown = true;
    }
    return entry.handle;
}

void* CSiblingLoader::library(std::string_view fileName) {
    std::string failure;
    void* handle = nullptr;
    {
        std::lock_guard lock(m_mutex);
        handle = libraryLocked(fileName, failure);
    }
    // Shown outside the lock: a dialog's event loop may call back into us.
    if (!failure.empty()) ShowDliFailureMessage(m_modulePath, failure);
    return handle;
}

void* CSiblingLoader::function(std::string_view fileName, const SiblingFunction& fn) {
    std::string failure;
    void* address = nullptr;
    {
        std::lock_guard lock(m_mutex);
        void* handle = libraryLocked(fileName, failure);
        const Entry* library = &entryFor(fileName);
        auto known = std::find_if(m_symbols.begin(), m_symbols.end(), [&](const auto& s) {
            return s->library == library && s->name == fn.symbol;
        });
        if (handle == nullptr) {
            address = nullptr;
        } else if (known != m_symbols.end()) {
            address = (*known)->address;
        } else {
            address = dlsym(handle, fn.symbol);
            m_symbols.push_back(std::make_unique<Symbol>(Symbol{library, fn.symbol, address}));
            if (address == nullptr && !m_failureShown) {
                failure = missingFunctionText(m_modulePath, fileName, fn.number);
                m_failureShown = true;
            }
        }
    }
    if (!failure.empty()) ShowDliFailureMessage(m_modulePath, failure);
    return address;
}

std::string CSiblingLoader::locate(std::string_view fileName) const {
    if (!isPlainFileName(fileName)) return {};
    {
        std::lock_guard lock(m_mutex);
        for (const auto& entry : m_entries)
            if (entry->fileName == fileName && entry->handle != nullptr) return entry->path;
    }
    if (std::string loaded = findLoadedPath(fileName); !loaded.empty()) return loaded;
    if (isCommonServicesLibrary(fileName))
        return findCommonServicesLibrary(moduleDirectory(), fileName);
    const fs::path beside = fs::path(m_modulePath).parent_path() / fileName;
    return isFile(beside) ? beside.string() : std::string();
}

std::vector<SiblingLibrary> CSiblingLoader::libraries() const {
    std::lock_guard lock(m_mutex);
    std::vector<SiblingLibrary> result;
    for (const auto& entry : m_entries)
        result.push_back({entry->fileName, entry->path, entry->handle != nullptr});
    return result;
}

void CSiblingLoader::reset() {
    std::lock_guard lock(m_mutex);
    m_symbols.clear();
    for (const auto& entry : m_entries)
        if (entry->handle != nullptr) dlclose(entry->handle);
    m_entries.clear();
    m_failureShown = false;
}

}  // namespace nrvModule

#pragma once
// Catalogue libraries on disk.
//
// A catalogue root folder holds one sub-folder per manufacturer library. Each
// library folder carries an info file "desktop.info" in the tree-store text
// form that names the library (identifier, display name, logo) and lists its
// content: a "Content" leaf with the content keys ("VDI_2", "VDI_17",
// "VDI_2_2016", "TGA_2", "PUMPEN", ...) and one leaf per content entry naming
// a file relative to the library folder, backslashes as folder separators:
//
//     [Katalog]
//         ID:NORDQUELL
//         NAME:Nordquell Ventiltechnik AG
//         LOGO:nordquell.png
//         Content:VDI_2:PUMPEN
//         VDI_2:VDI_2\nordquell_blatt02.vdi
//         PUMPEN:PMP\nordquell.pmp
//     [ENDE_Katalog]
//
// The user library "RN_USER" is a library like the others; its folder may
// lack the info file (the catalogue list scans its VDI folders directly).
// The folder "bmp" of the catalogue root holds the shared default logos and
// is not a library. docs/catalogs.md describes the layout in full.
//
// Libraries are read when the manager scans the root (init, rescan) and are
// immutable snapshots afterwards: lists hand out shared pointers that stay
// valid across a rescan, so a loader thread may keep using them while the
// import re-reads the libraries. All manager operations are thread-safe.

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"

class CNode;

class KAVEX_API nrvCatalogInfo {
public:
    // Reads the library in `folder` (its info file `infoFileName`).
    // `catalogRoot` is where the shared default logos live. A folder named
    // "RN_USER" without info file gives the bare user library. Null with a
    // reason in `error` when the folder or its info file is missing,
    // unreadable or malformed (not a "Katalog" node, no "ID" leaf).
    static std::shared_ptr<const nrvCatalogInfo> load(const std::string& folder,
                                                      const std::string& catalogRoot,
                                                      const std::string& infoFileName,
                                                      std::string* error = nullptr);
    ~nrvCatalogInfo();
    nrvCatalogInfo(const nrvCatalogInfo&) = delete;
    nrvCatalogInfo& operator=(const nrvCatalogInfo&) = delete;

    const std::string& getStrID() const { return m_id; }
    const std::string& getStrDisplayName() const { return m_displayName; }
    // Absolute path of the logo to show: the "LOGO" file under "BMP\" of the
    // library when it exists and is readable; else the first readable of
    // "bmp\default.jpg", ".png", ".bmp" of the library; else the same three of
    // the catalogue root. Empty when none is readable.
    std::string getStrDisplayLogoFileName() const;
    // The "LOGO" leaf as written (a file name inside the library's "BMP\").
    const std::string& getStrLogoName() const { return m_logoName; }
    // The library folder, absolute, ending with '/'.
    const std::string& getStrRootPath() const { return m_rootPath; }
    // The info file's absolute path (also for a user library without one).
    const std::string& getInfoFilePathName() const { return m_infoPath; }
    bool hasInfoFile() const { return m_tree != nullptr; }
    // The parsed info tree (its root node "Katalog"); null for a user library
    // without info file. Leaves of content entries are its direct leaves.
    // The tree is shared: read it with Items/FindLeaf/FindChild, whose state
    // is safe across threads, not with the GetFirstChild/GetNextChild cursors.
    const CNode* getOrgInfoRootNode() const { return m_tree.get(); }

    // Keys of the "Content" leaf in their order (empty keys dropped).
    const std::vector<std::string>& getContentKeys() const { return m_contentKeys; }
    bool hasContentKey(std::string_view key) const;
    // Absolute paths of the files of every leaf named `key` (one file per
    // leaf, in file order), whether or not the files exist; empty when `key`
    // is not a content key.
    std::vector<std::string> getContentFilePathNames(std::string_view key) const;
    // `relative` (backslashes or slashes as separators) below the library
    // folder, e.g. resolvePath("PMP\\nordquell.pmp"). An absolute path stays.
    std::string resolvePath(std::string_view relative) const;
    bool isUserCatalog() const;

private:
    nrvCatalogInfo() = default;
    std::string m_id;
    std::string m_displayName;
    std::string m_logoName;
    std::string m_rootPath;
    std::string m_catalogRoot;  // ends with '/'
    std::string m_infoPath;
    std::vector<std::string> m_contentKeys;
    std::unique_ptr<CNode> m_tree;
};

using nrvCatalogInfoPtr = std::shared_ptr<const nrvCatalogInfo>;
using nrvCatalogList = std::vector<nrvCatalogInfoPtr>;

class KAVEX_API nrvCatalogManager {
public:
    static constexpr const char* kInfoFileName = "desktop.info";
    static constexpr const char* kUserCatalogID = "RN_USER";
    static constexpr const char* kRootEnvVar = "KAVEX_CATALOG_ROOT";
    static constexpr const char* kDefaultLogoFolder = "bmp";
    static constexpr const char* kLogoFolder = "BMP";

    // The process-wide manager. Separate managers (tests) may be constructed.
    static nrvCatalogManager& getInstance();
    nrvCatalogManager();
    ~nrvCatalogManager();
    nrvCatalogManager(const nrvCatalogManager&) = delete;
    nrvCatalogManager& operator=(const nrvCatalogManager&) = delete;

    // Sets the catalogue root and scans it. An empty `root` takes the
    // environment variable KAVEX_CATALOG_ROOT; when that is unset too the
    // root stays unset and the list empty. False (with lastError) when no
    // root is set or it is not a readable folder; true otherwise, even when
    // single libraries were skipped (see getProblems).
    bool init(const std::string& root = {}, const std::string& infoFileName = kInfoFileName);
    // Re-reads the libraries of the current root (after an import changed them).
    bool rescan();
    // The current root (absolute, ending with '/'), empty while unset.
    std::string getRootPath() const;
    // One line per library folder skipped by the last scan: "folder: reason".
    std::vector<std::string> getProblems() const;
    // Reason of the last failed operation of this manager (empty after success).
    std::string lastError() const;

    // Every library, sorted by identifier.
    nrvCatalogList getCatalogList() const;
    // The libraries whose "Content" holds `contentKey`.
    nrvCatalogList getCatalogList(std::string_view contentKey) const;
    // The libraries whose "Content" holds at least one of `contentKeys`.
    nrvCatalogList getFilteredCatalogList(const std::vector<std::string>& contentKeys) const;
    // The library with identifier `id`; null (and lastError) when none.
    nrvCatalogInfoPtr findCatalogInfo(std::string_view id) const;

    // As nrvCatalogInfo::getContentFilePathNames.
    std::vector<std::string> getContentFilePathNames(const nrvCatalogInfo& info,
                                                     std::string_view key) const;
    // The content-file name of the library for a content key: "ID\KEY", or
    // the bare identifier for an empty key (the manufacturer identifier).
    // `keyOrPath` may also be a file path inside the library; its first
    // folder below the library folder is the key ("VDI_2" for
    // ".../RN_USER/VDI_2/x.vdi"). Empty (and lastError) for a path outside
    // the library. The library's description is read at scan time, so this
    // never touches the disk.
    std::string ensureMMDLoaded(const nrvCatalogInfo& info, std::string_view keyOrPath = {}) const;

    // Creates the library folder root/ID and its info file (ID, NAME, LOGO,
    // empty "Content") and rescans. An existing library with that identifier
    // is returned unchanged. Null (and lastError) when no root is set, the
    // identifier is not a plain folder name, or writing fails.
    nrvCatalogInfoPtr addCatalog(const std::string& id, const std::string& displayName,
                                 const std::string& logoName = {});
    // Registers a content file in the library's info file: the first "Content"
    // line (any of "Content", "content", "CONTENT") gets ":" + key appended when
    // it does not list the key yet (a missing "Content" line is added), and the
    // line "\tKEY:RELATIVEPATH" is inserted before the first "ENDE" line unless
    // that entry exists already, so that repeating the call changes nothing.
    // `relativePath` uses backslashes, e.g. "VDI_2\\neu.vdi". The file is read
    // as UTF-8 (or code page 1252 when it is not valid UTF-8), keeps its line
    // ends, is written back as UTF-8 atomically, and the manager rescans.
    // False (and lastError) when the library has no info file or the file
    // cannot be read, is not a library info file, or cannot be written.
    bool addContentLine(const nrvCatalogInfo& info, std::string_view key,
                        std::string_view relativePath);

private:
    bool scanLocked();
    void setError(std::string text) const;

    mutable std::mutex m_mutex;
    std::string m_root;  // ends with '/', empty while unset
    std::string m_infoFileName = kInfoFileName;
    nrvCatalogList m_catalogs;  // sorted by identifier
    std::vector<std::string> m_problems;
    mutable std::string m_lastError;
};

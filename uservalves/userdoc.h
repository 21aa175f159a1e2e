#pragma once
// The user valve files ("*.userarm") of the user valve directory: one
// document per file holding the file's tree, and the module's list of these
// documents, loaded in parallel and sorted by manufacturer. The container of
// user valve models and the curve entry dialogs take their data from here.

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "kavex/platform/export.h"

class CNode;

class KAVEX_API CUserDoc {
public:
    CUserDoc();
    explicit CUserDoc(std::string path);
    virtual ~CUserDoc();
    CUserDoc(const CUserDoc&) = delete;
    CUserDoc& operator=(const CUserDoc&) = delete;

    // Empties the document, keeps `path` and reads its tree. Both flags tell
    // whether a tree was read.
    virtual bool load(const std::string& path);
    // Writes the tree to the document's path (no byte-order mark, no
    // indentation); false without a tree or path.
    bool save() const;
    // Files written by early versions close nodes with "[ENDE NAME]"; the
    // repair turns every "[ENDE " into "[ENDE_" and writes the file back as
    // UTF-8, only when something changed (`changed` tells). A file that is
    // valid UTF-8 is taken as UTF-8, anything else as Windows-1252, as the
    // tree reader does, so text is never encoded twice; a byte-order mark is
    // kept. An empty, missing or unreadable file is reported to the module's
    // report list. True when the file could be read.
    static bool repair(const std::string& path, bool* changed = nullptr);
    // Deletes the tree and clears the flags and the root's name; the path stays.
    void clear();

    const std::string& getPath() const { return m_path; }
    void setPath(std::string path) { m_path = std::move(path); }
    CNode* getRoot() const { return m_root.get(); }
    // Takes a tree built in memory (valid when not null); the loaded flag stays.
    void setRoot(std::unique_ptr<CNode> root);
    const std::string& getRootName() const { return m_rootName; }
    bool isLoaded() const { return m_loaded; }
    bool isValid() const { return m_valid; }
    // First value of the root's leaf "HERST"; false without tree or leaf.
    bool getManufacturer(std::string& manufacturer) const;

private:
    std::string m_path;
    std::unique_ptr<CNode> m_root;
    std::string m_rootName;
    bool m_loaded = false;
    bool m_valid = false;
};

class KAVEX_API CUserData {
public:
    CUserData();
    virtual ~CUserData();
    CUserData(const CUserData&) = delete;
    CUserData& operator=(const CUserData&) = delete;

    // The module's list (behind the wrapper's user valve entry points).
    static CUserData& instance();

    // Adds a document for every "*.userarm" file of `directory` not listed yet
    // (by path or file name), loads every document not loaded yet on parallel
    // jobs and sorts the list by manufacturer. Returns the number of loaded
    // documents, or -1 when another load or release was still running after
    // the busy wait (200 polls).
    int loadAll(const std::string& directory);
    // Loads the documents not loaded yet (no scan, no sort); -1 as above.
    int finishLoading();
    // Deletes all documents on parallel jobs; false when the list stayed busy.
    bool releaseAll();

    int countLoaded() const;
    bool isBusy() const { return m_busy.load(); }
    // The documents in list order; read them only while no load runs.
    const std::vector<std::unique_ptr<CUserDoc>>& getDocuments() const { return m_docs; }
    int getCount() const { return static_cast<int>(m_docs.size()); }
    // Null at or beyond the count; a negative index throws std::invalid_argument.
    CUserDoc* getAt(int i) const;

protected:
    // The document for a file found by the scan.
    virtual std::unique_ptr<CUserDoc> createDocument(const std::string& path);

private:
    bool acquireBusy();
    void scanDirectory(const std::string& directory);
    bool isListed(const std::string& path) const;
    void loadPending();
    void sortByManufacturer();

    std::vector<std::unique_ptr<CUserDoc>> m_docs;
    std::atomic<bool> m_busy{false};
    std::size_t m_nextJob = 0;  // shared by the loading jobs, under the critical section
};

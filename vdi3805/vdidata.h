#pragma once
// The catalogue list: every VDI 3805 catalogue of the module.
//
// The list finds the catalogue files in the manufacturer libraries, keeps one
// document per file, loads them on several threads at once (each document by
// exactly one worker), drops those that failed and releases them again. One
// instance serves the whole module (`instance()`); tests make their own.

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/vdi3805/vdidoc.h"

class nrvCatalogManager;
namespace nrvVDIArmaturen {
class nrvArmaturZubehoer;
}

// One catalogue waiting to be added to the list.
struct KAVEX_API VDIFileAdderStruct {
    int sheet = 0;
    std::string path;
    std::string catalogueID;
    std::string contentFileName;
    std::string logoPath;
};

class KAVEX_API CVDIData {
public:
    // The host's say on which catalogues it licenses: (content-file name,
    // "DIN1988" for drinking water / "Heizung" for heating) → take it.
    using CatalogueFilter = std::function<bool(const std::string&, const std::string&)>;

    CVDIData();
    ~CVDIData();
    CVDIData(const CVDIData&) = delete;
    CVDIData& operator=(const CVDIData&) = delete;

    // The module's list, alive from the first use to the end of the process.
    static CVDIData& instance();

    void SetCatalogueFilter(CatalogueFilter filter) { m_catalogueFilter = std::move(filter); }

    // Adds a document for an existing file that the catalogue filter accepts.
    // A document of the same path (or whose file name is `path`) stays unless
    // `replace` is set, in which case the new one takes its place.
    bool AddFile(int sheet, const std::string& path, const std::string& catalogueID,
                 const std::string& contentFileName, const std::string& logoPath, bool replace);
    // Adds the catalogue files of sheet 2, 17 or both (0) from the user
    // library and every manufacturer library of `manager` (the module's when
    // null); `withTga` adds the old ".tga" catalogues of sheet 2. The number
    // of documents, or -1 when a release still ran after the longest wait.
    int FindFiles(int sheet, bool withTga = false, const nrvCatalogManager* manager = nullptr);

    // Loads every document not loaded yet on parallel workers; the number of
    // loaded documents.
    int LoadAll(bool filter, int sheet, int vdixOnly);
    // At most this many loading workers (0: one per hardware thread), so that
    // benchmarks can compare one worker with several.
    void SetWorkerLimit(std::size_t limit) { m_workerLimit = limit; }
    // Adds `path` (the user's file choice when empty) and loads. The index of
    // that path's document, else of the last loaded document, else -1.
    int LoadFile(const std::string& path, bool filter, bool replace, int sheet, int vdixOnly);
    // Adds the entries of `sheet` (every entry for 0) and loads the list;
    // true when at least one entry was added.
    bool AddFiles(const std::vector<VDIFileAdderStruct>& files, bool replace, int sheet);
    // Loads every catalogue still waiting (added, not loaded yet) now, with
    // the options of the last LoadAll: parallel jobs and the calling thread
    // take the waiting documents from the end of the waiting list, which is
    // empty afterwards. The list is busy meanwhile. The number of loaded
    // documents, or -1 when a release or another finish still ran after the
    // longest wait.
    int FinishLoading();

    // Deletes the documents that were not parsed, keeping the order of the rest.
    void DropFailed();
    // Deletes every document on parallel workers; the list is busy meanwhile.
    void ReleaseAll();
    int CountLoaded() const;

    // Busy while a release runs; callers that change the list wait for it.
    bool IsBusy() const { return m_busy.load(); }
    // False when the list was still busy after the longest wait.
    bool WaitWhileBusy() const;

    std::size_t GetCount() const { return m_docs.size(); }
    // Throws std::invalid_argument for an index outside the list.
    CVDIDoc& GetDoc(std::size_t index) const;
    // Index of the document of `path` (full path or bare file name), -1 if none.
    int FindDocIndex(const std::string& path) const;

    int GetSheet() const { return m_sheet; }
    bool GetFilter() const { return m_filter; }

private:
    void FindUserFiles(int sheet, bool withTga, const nrvCatalogManager& manager);
    void FindLibraryFiles(int sheet, bool withTga, const nrvCatalogManager& manager);
    bool LoadNext();
    bool AcquireBusy();

    int m_sheet = 0;
    int m_vdixOnly = 0;
    std::vector<std::unique_ptr<CVDIDoc>> m_docs;
    bool m_filter = false;
    std::atomic<bool> m_busy{false};
    std::size_t m_workerLimit = 0;
    int m_nextJob = 0;  // shared by the loading workers, under the module's lock
    CatalogueFilter m_catalogueFilter;
};

// Fills an accessory entry of a valve from a record that names an accessory
// article: an x.01 property record, a 710.51 / 710.71 curve record or a 700
// record (taken as the curve record of its sheet). True when the article
// record 900 exists; the entry then carries its name and article number.
KAVEX_API bool FillAccessory(nrvVDIArmaturen::nrvArmaturZubehoer& entry, const CVDIBase& record);

#include "kavex/vdi3805/vdidata.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "kavex/platform/catalog.h"
#include "kavex/platform/threading.h"
#include "kavex/platform/uiservice.h"

namespace fs = std::filesystem;

namespace {

// The kind the host's licence filter knows a sheet by.
std::string filterKind(int sheet) {
    if (sheet == 17) return "DIN1988";
    if (sheet == 2) return "Heizung";
    return {};
}

std::string fileNameOf(const std::string& path) {
    return fs::path(path).filename().string();
}

bool sameDocument(const CVDIDoc& doc, const std::string& path) {
    return doc.GetPath() == path || fileNameOf(doc.GetPath()) == path;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

bool hasExtension(const fs::path& file, const std::string& lowerExt) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == lowerExt;
}

// The files of `folder` with extension `lowerExt` (any case), by name so
// that the list has the same order on every run.
std::vector<std::string> filesIn(const std::string& folder, const std::string& lowerExt) {
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && hasExtension(it->path(), lowerExt))
            out.push_back(it->path().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string sheetKey(int sheet) {
    return "VDI_" + std::to_string(sheet);
}

std::size_t workersFor(std::size_t items) {
    return std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), items);
}

}  // namespace

CVDIData::CVDIData() = default;
CVDIData::~CVDIData() = default;

CVDIData& CVDIData::instance() {
    static CVDIData data;
    return data;
}

bool CVDIData::AddFile(int sheet, const std::string& path, const std::string& catalogueID,
                       const std::string& contentFileName, const std::string& logoPath,
                       bool replace) {
    if (!fileExists(path)) return false;
    if (m_catalogueFilter && !contentFileName.empty() &&
        !m_catalogueFilter(contentFileName, filterKind(sheet)))
        return false;
    auto doc = std::make_unique<CVDIDoc>();
    doc->SetCatalogueSource(path, catalogueID, contentFileName, logoPath);
    const int existing = FindDocIndex(path);
    if (existing >= 0) {
        if (!replace) return false;
        m_docs[static_cast<std::size_t>(existing)] = std::move(doc);
        return true;
    }
    m_docs.push_back(std::move(doc));
    return true;
}

int CVDIData::FindFiles(int sheet, bool withTga, const nrvCatalogManager* manager) {
    if (!WaitWhileBusy()) return -1;
    const nrvCatalogManager& catalogs = manager ? *manager : nrvCatalogManager::getInstance();
    FindUserFiles(sheet, withTga, catalogs);
    if (sheet == 0 || sheet == 2) FindLibraryFiles(2, withTga, catalogs);
    if (sheet == 0 || sheet == 17) FindLibraryFiles(17, false, catalogs);
    return static_cast<int>(m_docs.size());
}

// The user's own catalogues lie loose in the sheet folders of "RN_USER".
void CVDIData::FindUserFiles(int sheet, bool withTga, const nrvCatalogManager& manager) {
    const nrvCatalogInfoPtr user = manager.findCatalogInfo(nrvCatalogManager::kUserCatalogID);
    if (!user) return;
    auto addAll = [&](int fileSheet, const std::string& ext) {
        for (const std::string& file : filesIn(user->resolvePath(sheetKey(fileSheet)), ext))
            AddFile(fileSheet, file, user->getStrID(), manager.ensureMMDLoaded(*user, file), {},
                    false);
    };
    if (sheet == 0 || sheet == 2) {
        addAll(2, ".vdi");
        if (withTga) addAll(2, ".tga");
    }
    if (sheet == 0 || sheet == 17) addAll(17, ".vdi");
}

void CVDIData::FindLibraryFiles(int sheet, bool withTga, const nrvCatalogManager& manager) {
    std::vector<std::string> keys = {sheetKey(sheet), sheetKey(sheet) + "_2016"};
    if (withTga) keys.push_back("TGA_2");
    for (const nrvCatalogInfoPtr& library : manager.getFilteredCatalogList(keys)) {
        if (library->getStrID() == nrvCatalogManager::kUserCatalogID) continue;
        const std::string logo = library->getStrDisplayLogoFileName();
        for (const std::string& key : keys) {
            const std::string contentFile = manager.ensureMMDLoaded(*library, key);
            for (const std::string& file : manager.getContentFilePathNames(*library, key))
                if (!file.empty())
                    AddFile(sheet, file, library->getStrID(), contentFile, logo, false);
        }
    }
}

// One worker step: take the next document under the module's lock and load
// it outside the lock (its reports take the lock themselves).
bool CVDIData::LoadNext() {
    CVDIDoc* doc = nullptr;
    {
        std::lock_guard<std::mutex> lock(nrvThreading::criticalSection());
        const std::size_t index = static_cast<std::size_t>(m_nextJob);
        if (index >= m_docs.size()) return false;
        ++m_nextJob;
        doc = m_docs[index].get();
    }
    if (!doc->IsLoaded()) doc->Load(doc->GetPath(), m_filter, m_sheet, m_vdixOnly != 0);
    return true;
}

int CVDIData::LoadAll(bool filter, int sheet, int vdixOnly) {
    m_filter = filter;
    m_sheet = sheet;
    m_vdixOnly = vdixOnly;
    // Real fields carry a decimal point whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    m_nextJob = 0;
    std::size_t workers = workersFor(m_docs.size());
    if (m_workerLimit > 0) workers = std::min(workers, m_workerLimit);
    nrvThreading::doParallelJobs(workers, [this] { return LoadNext(); });
    return CountLoaded();
}

int CVDIData::LoadFile(const std::string& path, bool filter, bool replace, int sheet,
                       int vdixOnly) {
    std::string chosen = path;
    if (chosen.empty()) {
        nrvUi::FileChoice choice;
        choice.title = "VDI-Datei öffnen";
        choice.filter = "VDI-Dateien (*.vdi;*.vdix;*.tga)|*.vdi;*.vdix;*.tga|Alle Dateien|*.*|";
        chosen = nrvUi::ui().chooseOpenFile(choice);
        if (chosen.empty()) return -1;
    }
    AddFile(sheet, chosen, {}, {}, {}, replace);
    LoadAll(filter, sheet, vdixOnly);
    const int index = FindDocIndex(chosen);
    if (index >= 0) return index;
    for (std::size_t i = m_docs.size(); i-- > 0;)
        if (m_docs[i]->IsLoaded()) return static_cast<int>(i);
    return -1;
}

bool CVDIData::AddFiles(const std::vector<VDIFileAdderStruct>& files, bool replace, int sheet) {
    bool added = false;
    for (const VDIFileAdderStruct& file : files) {
        if (sheet > 0 && file.sheet != sheet) continue;
        added |= AddFile(file.sheet, file.path, file.catalogueID, file.contentFileName,
                         file.logoPath, replace);
    }
    LoadAll(m_filter, sheet, m_vdixOnly);
    return added;
}

// Waits while a release or another finish runs, then takes the busy flag; a
// caller that loses the flag to a third one between the two waits again.
bool CVDIData::AcquireBusy() {
    for (;;) {
        if (!WaitWhileBusy()) return false;
        bool expected = false;
        if (m_busy.compare_exchange_strong(expected, true)) return true;
    }
}

int CVDIData::FinishLoading() {
    if (!AcquireBusy()) return -1;
    std::vector<CVDIDoc*> waiting;
    for (const auto& doc : m_docs)
        if (!doc->IsLoaded()) waiting.push_back(doc.get());
    std::setlocale(LC_NUMERIC, "C");
    auto job = [this, &waiting]() -> bool {
        CVDIDoc* doc = nullptr;
        {
            std::lock_guard<std::mutex> lock(nrvThreading::criticalSection());
            if (waiting.empty()) return false;
            doc = waiting.back();
            waiting.pop_back();
        }
        doc->Load(doc->GetPath(), m_filter, m_sheet, m_vdixOnly != 0);
        return true;
    };
    // The calling thread is one of the workers, so one job fewer runs beside it.
    const std::size_t helpers = workersFor(waiting.size()) - (waiting.empty() ? 0 : 1);
    std::thread parallel;
    if (helpers > 0)
        parallel = std::thread([&job, helpers] { nrvThreading::doParallelJobs(helpers, job); });
    while (job()) {
    }
    if (parallel.joinable()) parallel.join();
    m_busy = false;
    return CountLoaded();
}

void CVDIData::DropFailed() {
    std::erase_if(m_docs, [](const std::unique_ptr<CVDIDoc>& doc) { return !doc->IsParsed(); });
}

void CVDIData::ReleaseAll() {
    // A finish of the loading may still be running on other threads: its
    // documents must not be deleted under it. Should it never end, the
    // documents stay (they go with the list) rather than being torn away.
    if (!AcquireBusy()) return;
    auto job = [this]() -> bool {
        std::unique_ptr<CVDIDoc> doc;
        {
            std::lock_guard<std::mutex> lock(nrvThreading::criticalSection());
            if (m_docs.empty()) return false;
            doc = std::move(m_docs.back());
            m_docs.pop_back();
        }
        return true;  // the document is deleted here, outside the lock
    };
    nrvThreading::doParallelJobs(workersFor(m_docs.size()), job);
    m_busy = false;
}

int CVDIData::CountLoaded() const {
    return static_cast<int>(std::count_if(m_docs.begin(), m_docs.end(),
                                          [](const auto& doc) { return doc->IsLoaded(); }));
}

bool CVDIData::WaitWhileBusy() const {
    return nrvThreading::waitWhileBusy(m_busy);
}

CVDIDoc& CVDIData::GetDoc(std::size_t index) const {
    if (index >= m_docs.size()) throw std::invalid_argument("CVDIData::GetDoc: index out of range");
    return *m_docs[index];
}

int CVDIData::FindDocIndex(const std::string& path) const {
    for (std::size_t i = 0; i < m_docs.size(); ++i)
        if (sameDocument(*m_docs[i], path)) return static_cast<int>(i);
    return -1;
}

#include "kavex/uservalves/userdoc.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <filesystem>
#include <locale>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/codepage.h"
#include "kavex/platform/reportlist.h"
#include "kavex/platform/strutil.h"
#include "kavex/platform/threading.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/treestore.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".userarm";
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kOldEndMarker = "[ENDE ";
constexpr std::string_view kEndMarker = "[ENDE_";
constexpr int kRepairReportCode = 1;

// Files come from Windows folders, where "*.userarm" matches any case.
bool hasUserValveExtension(const fs::path& file) {
    const std::string ext = file.extension().string();
    return std::equal(
        ext.begin(), ext.end(), kExtension.begin(), kExtension.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

bool replaceOldEndMarkers(std::string& line) {
    bool changed = false;
    for (std::size_t at = line.find(kOldEndMarker); at != std::string::npos;
         at = line.find(kOldEndMarker, at + kEndMarker.size())) {
        line.replace(at, kOldEndMarker.size(), kEndMarker);
        changed = true;
    }
    return changed;
}

std::string fileNameOf(const std::string& path) {
    return fs::path(path).filename().string();
}

}  // namespace

// ===========================================================================
// CUserDoc

CUserDoc::CUserDoc() = default;
CUserDoc::CUserDoc(std::string path) : m_path(std::move(path)) {}
CUserDoc::~CUserDoc() = default;

bool CUserDoc::load(const std::string& path) {
    clear();
    m_path = path;
    m_root = TreeItems::ReadFromFile(path, false);
    if (m_root) m_rootName = m_root->GetName();
    m_loaded = m_valid = m_root != nullptr;
    return m_loaded;
}

bool CUserDoc::save() const {
    if (!m_root || m_path.empty()) return false;
    return m_root->WriteToFile(m_path, false, false, false, 0, ':');
}

bool CUserDoc::repair(const std::string& path, bool* changed) {
    if (changed) *changed = false;
    CReportList& reports = CReportList::instance();
    std::string bytes;
    if (!nrvFiles::readFile(path, bytes)) {
        reports.AddError(
            kRepairReportCode,
            FormatText(TranslateText("Bitte prüfen, ob die UserArm-Datei vorhanden ist.\n"
                                     "Dateipfad:\n1!%s"),
                       path),
            {});
        return false;
    }
    // Decide the encoding for the whole file, as the tree reader does: a file
    // our tree store wrote is UTF-8 and must not be converted a second time.
    const bool bom = std::string_view(bytes).starts_with(kBom);
    const bool utf8 = bom || nrvCodePage::isValidUtf8(bytes);
    std::vector<std::string> lines;
    nrvStrUtil::splitLines(bytes, lines, nrvStrUtil::CodePage1252, utf8);
    if (lines.empty()) {
        reports.AddError(
            kRepairReportCode,
            TranslateText("Fehler beim Lesen einer Datei: Datei hat keinen Inhalt."),
            FormatText(TranslateText("Bitte prüfen, ob die UserArm-Datei das richtige Format "
                                     "hat.\nDateipfad:\n1!%s"),
                       path));
        return true;
    }
    bool any = false;
    for (std::string& line : lines)
        any = replaceOldEndMarkers(line) || any;
    if (any && nrvStrUtil::writeStringlistToFile(lines, path, nrvStrUtil::CodePageUtf8, bom)) {
        if (changed) *changed = true;
    }
    return true;
}

void CUserDoc::clear() {
    m_root.reset();
    m_rootName.clear();
    m_loaded = m_valid = false;
}

void CUserDoc::setRoot(std::unique_ptr<CNode> root) {
    m_root = std::move(root);
    m_rootName = m_root ? m_root->GetName() : std::string();
    m_valid = m_root != nullptr;
}

bool CUserDoc::getManufacturer(std::string& manufacturer) const {
    const CLeaf* leaf = m_root ? m_root->FindLeaf("HERST") : nullptr;
    if (leaf == nullptr) return false;
    const std::vector<std::string> values = leaf->GetValues(':');
    manufacturer = values.empty() ? std::string() : values.front();
    return true;
}

// ===========================================================================
// CUserData

CUserData::CUserData() = default;
CUserData::~CUserData() = default;

CUserData& CUserData::instance() {
    static CUserData list;
    return list;
}

std::unique_ptr<CUserDoc> CUserData::createDocument(const std::string& path) {
    return std::make_unique<CUserDoc>(path);
}

// Waits while another load or release runs, then takes the busy flag. A
// caller that loses the flag to a third one between the wait and the take
// waits again.
bool CUserData::acquireBusy() {
    for (;;) {
        if (!nrvThreading::waitWhileBusy(m_busy)) return false;
        bool expected = false;
        if (m_busy.compare_exchange_strong(expected, true)) return true;
    }
}

int CUserData::loadAll(const std::string& directory) {
    if (!acquireBusy()) return -1;
    scanDirectory(directory);
    loadPending();
    sortByManufacturer();
    const int loaded = countLoaded();
    m_busy = false;
    return loaded;
}

int CUserData::finishLoading() {
    if (!acquireBusy()) return -1;
    loadPending();
    const int loaded = countLoaded();
    m_busy = false;
    return loaded;
}

bool CUserData::isListed(const std::string& path) const {
    const std::string name = fileNameOf(path);
    return std::any_of(m_docs.begin(), m_docs.end(), [&](const auto& doc) {
        return doc->getPath() == path || fileNameOf(doc->getPath()) == name;
    });
}

void CUserData::scanDirectory(const std::string& directory) {
    std::error_code ec;
    if (directory.empty() || !fs::is_directory(directory, ec)) return;
    std::vector<std::string> found;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && hasUserValveExtension(it->path())) {
            found.push_back(it->path().string());
        }
    }
    // Directory order is arbitrary; file name order keeps equal manufacturers
    // in a fixed order after the stable sort.
    std::sort(found.begin(), found.end());
    for (const std::string& path : found) {
        if (!isListed(path)) m_docs.push_back(createDocument(path));
    }
}

// Every document not loaded yet is loaded by exactly one job: the jobs take
// the next index under the module's critical section. A file that does not
// read is repaired (old end markers) and, when that changed it, read again.
void CUserData::loadPending() {
    std::setlocale(LC_NUMERIC, "C");
    m_nextJob = 0;
    const std::size_t count = m_docs.size();
    nrvThreading::doParallelJobs(count, [this, count]() -> bool {
        std::size_t index = 0;
        {
            std::lock_guard lock(nrvThreading::criticalSection());
            index = m_nextJob++;
        }
        if (index >= count) return false;
        CUserDoc& doc = *m_docs[index];
        if (doc.isLoaded()) return true;
        const std::string path = doc.getPath();
        bool repaired = false;
        if (!doc.load(path) && CUserDoc::repair(path, &repaired) && repaired) doc.load(path);
        return true;
    });
}

// By manufacturer with the collation of the global locale. A document without
// tree or "HERST" compares equal to every other one, so a stable sort keeps it
// where it is and sorts the runs of documents between such documents on their
// own; sorting the runs separately keeps the comparison a strict weak order.
void CUserData::sortByManufacturer() {
    const std::locale locale;
    const auto& collate = std::use_facet<std::collate<char>>(locale);
    struct Keyed {
        bool hasKey = false;  // documents without manufacturer keep their place
        std::string key;
        std::unique_ptr<CUserDoc> doc;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(m_docs.size());
    for (auto& doc : m_docs) {
        std::string manufacturer;
        const bool hasKey = doc->getManufacturer(manufacturer);
        keyed.push_back({hasKey, std::move(manufacturer), std::move(doc)});
    }
    const auto less = [&collate](const Keyed& a, const Keyed& b) {
        return collate.compare(a.key.data(), a.key.data() + a.key.size(), b.key.data(),
                               b.key.data() + b.key.size()) < 0;
    };
    for (auto run = keyed.begin(); run != keyed.end();) {
        auto runEnd = std::find_if(run, keyed.end(), [](const Keyed& k) { return !k.hasKey; });
        std::stable_sort(run, runEnd, less);
        run = runEnd == keyed.end() ? runEnd : runEnd + 1;
    }
    for (std::size_t i = 0; i < keyed.size(); ++i)
        m_docs[i] = std::move(keyed[i].doc);
}

bool CUserData::releaseAll() {
    if (!acquireBusy()) return false;
    nrvThreading::doParallelJobs(m_docs.size(), [this]() -> bool {
        std::unique_ptr<CUserDoc> doc;
        {
            std::lock_guard lock(nrvThreading::criticalSection());
            if (m_docs.empty()) return false;
            doc = std::move(m_docs.back());
            m_docs.pop_back();
        }
        return true;  // the document is deleted here, outside the lock
    });
    m_docs.clear();
    m_busy = false;
    return true;
}

int CUserData::countLoaded() const {
    return static_cast<int>(std::count_if(m_docs.begin(), m_docs.end(),
                                          [](const auto& doc) { return doc->isLoaded(); }));
}

CUserDoc* CUserData::getAt(int i) const {
    if (i < 0) throw std::invalid_argument("CUserData::getAt: negative index");
    if (i >= getCount()) return nullptr;
    return m_docs[static_cast<std::size_t>(i)].get();
}

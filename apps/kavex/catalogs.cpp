#include "catalogs.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <ostream>
#include <sstream>

#include "kavex/platform/catalog.h"
#include "kavex/platform/numbers.h"
#include "kavex/vdi3805/vdidata.h"
#include "kavex/vdi3805/vdidoc.h"

namespace kavexcli {

namespace {

int countRecords(const CVDIDoc& doc, int typeNo) {
    std::vector<CVDIBase*> records;
    doc.CollectRecords(typeNo, records);
    return static_cast<int>(records.size());
}

std::string relativeTo(const std::string& path, const std::string& folder) {
    if (!folder.empty() && path.compare(0, folder.size(), folder) == 0)
        return path.substr(folder.size());
    return path;
}

// Loads one document on its own, with the time it took and what it reported.
CatalogueSummary loadOne(CVDIDoc& doc, int sheet, const std::string& libraryFolder) {
    CatalogueSummary s;
    s.path = doc.GetPath();
    s.relativePath = relativeTo(s.path, libraryFolder);
    CReportList& reports = CReportList::instance();
    reports.Clear();
    const auto start = std::chrono::steady_clock::now();
    s.loaded = doc.Load(s.path, false, sheet, false);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    s.milliseconds = took.count();
    s.reports = reports.GetEntries();
    reports.Clear();
    s.sheet = doc.GetSheet();
    s.date = doc.GetGuidelineDate();
    if (const CVDIBase* header = doc.FindRecord(1000, -1, 1)) s.manufacturer = header->GetField(4);
    s.series = countRecords(doc, 11000);
    s.executions = countRecords(doc, 80000);
    // The reader leaves a catalogue of the other sheet silently unread.
    if (!s.loaded && s.reports.empty() && sheet > 0 && s.sheet != sheet)
        s.note = "not sheet " + std::to_string(sheet) + ": left unread";
    return s;
}

LibrarySummary* libraryOf(CatalogsSurvey& survey, const std::string& id) {
    for (LibrarySummary& library : survey.libraries)
        if (library.id == id) return &library;
    return nullptr;
}

std::string lineOf(const CatalogueSummary& c) {
    std::string line = c.relativePath + ": ";
    if (!c.loaded) line += "FAILED, ";
    line += "sheet " + std::to_string(c.sheet) + ", guideline " +
            (c.date.empty() ? std::string("-") : c.date);
    if (c.loaded) {
        line += ", " + c.manufacturer + ", " + std::to_string(c.series) + " series, " +
                std::to_string(c.executions) + " executions";
    }
    return line + ", " + nrvNumbers::format("%.1f", c.milliseconds) + " ms";
}

// An entry as the report list shows it (its text holds the title already),
// indented below the catalogue, CR LF as plain line breaks.
void printReport(const CReportEntry& entry, std::ostream& out) {
    out << "    " << (entry.isError() ? "error " : "hint ") << entry.code << "\n";
    std::istringstream lines(entry.text.empty() ? entry.title : entry.text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out << (line.empty() ? "" : "      ") << line << "\n";
    }
}

}  // namespace

CLI::App* addCatalogsCommand(CLI::App& app, CatalogsJob& job, const std::string& defaultCatalogs) {
    job.catalogs = defaultCatalogs;
    CLI::App* cmd = app.add_subcommand(
        "catalogs",
        "List the VDI 3805 catalogues of the manufacturer libraries: sheet, guideline date, "
        "manufacturer, series, executions, load time, and the reports of files that fail");
    cmd->add_option("--catalogs", job.catalogs,
                    "Catalogue root (default: the bundled samples/catalogs)")
        ->check(CLI::ExistingDirectory);
    cmd->add_option("--sheet", job.sheet, "Sheet: 2 heating, 17 drinking water, 0 both (default)")
        ->check(CLI::IsMember({0, 2, 17}));
    cmd->add_flag("--tga", job.tga, "Also the old \".tga\" catalogues (08.1996) of sheet 2");
    return cmd;
}

bool surveyCatalogs(const CatalogsJob& job, CatalogsSurvey& survey, std::ostream& err) {
    nrvCatalogManager manager;
    if (!manager.init(job.catalogs)) {
        err << "kavex catalogs: " << manager.lastError() << "\n";
        return false;
    }
    survey.root = manager.getRootPath();
    survey.problems = manager.getProblems();
    for (const nrvCatalogInfoPtr& info : manager.getCatalogList())
        survey.libraries.push_back({info->getStrID(), info->getStrDisplayName(), {}});
    CVDIData list;
    list.FindFiles(job.sheet, job.tga, &manager);
    for (std::size_t i = 0; i < list.GetCount(); ++i) {
        CVDIDoc& doc = list.GetDoc(i);
        const nrvCatalogInfoPtr info = manager.findCatalogInfo(doc.GetCatalogueID());
        LibrarySummary* library = libraryOf(survey, doc.GetCatalogueID());
        if (!library) {
            survey.libraries.push_back({doc.GetCatalogueID(), {}, {}});
            library = &survey.libraries.back();
        }
        library->catalogues.push_back(
            loadOne(doc, job.sheet, info ? info->getStrRootPath() : std::string()));
    }
    return true;
}

void printSurvey(const CatalogsSurvey& survey, std::ostream& out) {
    out << "catalogue root: " << survey.root << "\n";
    for (const std::string& problem : survey.problems)
        out << "skipped library folder " << problem << "\n";
    int catalogues = 0, loaded = 0, series = 0, executions = 0;
    for (const LibrarySummary& library : survey.libraries) {
        out << library.id << "  " << library.name << "\n";
        if (library.catalogues.empty()) out << "  (no catalogues)\n";
        for (const CatalogueSummary& c : library.catalogues) {
            ++catalogues;
            loaded += c.loaded ? 1 : 0;
            series += c.series;
            executions += c.executions;
            out << "  " << lineOf(c) << "\n";
            if (c.loaded) continue;
            if (!c.note.empty()) out << "    " << c.note << "\n";
            for (const CReportEntry& entry : c.reports)
                printReport(entry, out);
        }
    }
    out << survey.libraries.size() << " libraries, " << catalogues << " catalogues: " << loaded
        << " loaded, " << catalogues - loaded << " failed; " << series << " series, " << executions
        << " executions\n";
}

int runCatalogsJob(const CatalogsJob& job, std::ostream& out, std::ostream& err) {
    CatalogsSurvey survey;
    if (!surveyCatalogs(job, survey, err)) return 1;
    printSurvey(survey, out);
    for (const LibrarySummary& library : survey.libraries)
        for (const CatalogueSummary& c : library.catalogues)
            if (!c.loaded) return 1;
    return 0;
}

}  // namespace kavexcli

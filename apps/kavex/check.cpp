#include "check.h"

#include <unistd.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <ostream>
#include <set>
#include <thread>

#include "kavex/platform/catalog.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/reportlist.h"
#include "kavex/vdi3805/vdicheck.h"
#include "kavex/vdi3805/vdidata.h"

namespace kavexcli {

namespace fs = std::filesystem;

namespace {

// Report entries carry CR LF line ends for the report dialog.
std::string withLineFeeds(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

// Adds every catalogue of a catalogue root: sheets 2 and 17, old ".tga"
// files included.
bool addRoot(CVDIData& data, const std::string& root, std::ostream& err) {
    nrvCatalogManager libraries;
    if (!libraries.init(root)) {
        err << "kavex check: " << libraries.lastError() << "\n";
        return false;
    }
    for (const std::string& problem : libraries.getProblems())
        err << "kavex check: skipped library " << problem << "\n";
    data.FindFiles(0, true, &libraries);
    return true;
}

bool addPaths(CVDIData& data, const CheckJob& job, std::ostream& err) {
    if (job.paths.empty()) return addRoot(data, job.catalogs, err);
    bool ok = true;
    for (const std::string& path : job.paths) {
        if (fs::is_directory(path)) {
            ok = addRoot(data, path, err) && ok;
        } else if (!data.AddFile(0, path, {}, {}, {}, false)) {
            err << "kavex check: no such catalogue file: " << path << "\n";
            ok = false;
        }
    }
    return ok;
}

// Loads on the list's workers; on a terminal the main thread meanwhile
// keeps a progress line up to date.
void loadAll(CVDIData& data, bool progress, std::ostream& out) {
    if (!progress) {
        data.LoadAll(true, 0, 0);
        return;
    }
    const std::size_t count = data.GetCount();
    std::atomic<bool> done{false};
    std::thread loader([&] {
        data.LoadAll(true, 0, 0);
        done = true;
    });
    const auto start = std::chrono::steady_clock::now();
    while (!done) {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        out << "\rloading " << count << " catalogues ... "
            << nrvNumbers::format("%.1f", elapsed.count()) << " s" << std::flush;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    loader.join();
    out << "\r\x1b[K" << std::flush;
}

// What loading reported (unreadable files, wrong headers) goes to the
// problem stream before the checks clear the report list.
void printLoadReports(std::ostream& err) {
    for (const CReportEntry& entry : CReportList::instance().GetEntries())
        err << "kavex check: " << (entry.isError() ? "error" : "hint")
            << " while loading: " << withLineFeeds(entry.text.empty() ? entry.title : entry.text)
            << "\n";
    CReportList::instance().Clear();
}

std::string labelOf(const CVDIDoc& doc) {
    const std::string file = fs::path(doc.GetPath()).filename().string();
    return doc.GetCatalogueID().empty() ? file : doc.GetCatalogueID() + "/" + file;
}

// "<file>.check.txt"; catalogues of the same file name in several libraries
// get a number.
std::string reportPathFor(const CVDIDoc& doc, const std::string& folder,
                          std::set<std::string>& used) {
    const std::string file = fs::path(doc.GetPath()).filename().string();
    std::string name = file + ".check.txt";
    for (int n = 2; used.count(name) != 0; ++n)
        name = file + "." + std::to_string(n) + ".check.txt";
    used.insert(name);
    return (fs::path(folder) / name).string();
}

bool checkOne(CVDIDoc& doc, CheckRow& row, const std::string& reportPath, std::ostream& err) {
    row.sheet = doc.GetSheet();
    row.loaded = doc.IsParsed();
    if (!row.loaded) return false;
    nrvVDICheck::DataCheckCounts counts;
    if (!nrvVDICheck::WriteCheckReport(reportPath, doc, &counts)) {
        err << "kavex check: cannot write " << reportPath << "\n";
        return false;
    }
    row.report = reportPath;
    row.executions = counts.checked;
    row.valid = counts.valid;
    row.hints = counts.hints;
    row.errors = counts.errors;
    return true;
}

std::string padRight(const std::string& text, std::size_t width) {
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}
std::string padLeft(const std::string& text, std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

void printTable(const std::vector<CheckRow>& rows, std::ostream& out) {
    std::size_t width = std::string("catalogue").size();
    for (const CheckRow& row : rows)
        width = std::max(width, row.catalogue.size());
    out << padRight("catalogue", width) << "  sheet  executions  valid  hints  errors\n";
    CheckRow total;
    for (const CheckRow& row : rows) {
        out << padRight(row.catalogue, width) << "  " << padLeft(std::to_string(row.sheet), 5);
        if (!row.loaded) {
            out << "  not loaded\n";
            continue;
        }
        out << "  " << padLeft(std::to_string(row.executions), 10) << "  "
            << padLeft(std::to_string(row.valid), 5) << "  "
            << padLeft(std::to_string(row.hints), 5) << "  "
            << padLeft(std::to_string(row.errors), 6) << "\n";
        total.executions += row.executions;
        total.valid += row.valid;
        total.hints += row.hints;
        total.errors += row.errors;
    }
    out << padRight("total", width) << "       " << padLeft(std::to_string(total.executions), 10)
        << "  " << padLeft(std::to_string(total.valid), 5) << "  "
        << padLeft(std::to_string(total.hints), 5) << "  "
        << padLeft(std::to_string(total.errors), 6) << "\n";
}

}  // namespace

CLI::App* addCheckCommand(CLI::App& app, CheckJob& job, const std::string& defaultCatalogs) {
    job.catalogs = defaultCatalogs;
    job.progress = ::isatty(STDOUT_FILENO) != 0;
    CLI::App* check = app.add_subcommand(
        "check",
        "Check VDI 3805 catalogues: convert every execution, write one check report per "
        "catalogue and print a summary table");
    check
        ->add_option("path", job.paths,
                     "Catalogue files or catalogue roots (default: every catalogue of --catalogs)")
        ->check(CLI::ExistingPath);
    check->add_option("--catalogs", job.catalogs, "Catalogue root (default: the bundled samples)")
        ->check(CLI::ExistingDirectory);
    check->add_option("--out", job.out, "Folder for the check reports (created when missing)")
        ->capture_default_str();
    return check;
}

int runCheckJob(const CheckJob& job, std::ostream& out, std::ostream& err,
                std::vector<CheckRow>* rowsOut) {
    CVDIData data;
    bool ok = addPaths(data, job, err);
    if (data.GetCount() == 0) {
        err << "kavex check: no catalogue found\n";
        return 1;
    }
    std::error_code ec;
    fs::create_directories(job.out, ec);
    if (!fs::is_directory(job.out)) {
        err << "kavex check: cannot create the folder " << job.out << "\n";
        return 1;
    }
    CReportList::instance().Clear();
    loadAll(data, job.progress, out);
    printLoadReports(err);

    std::vector<CheckRow> rows(data.GetCount());
    std::set<std::string> used;
    for (std::size_t i = 0; i < data.GetCount(); ++i) {
        CVDIDoc& doc = data.GetDoc(i);
        rows[i].catalogue = labelOf(doc);
        if (job.progress)
            out << "\rchecking " << (i + 1) << "/" << data.GetCount() << " " << rows[i].catalogue
                << "\x1b[K" << std::flush;
        ok = checkOne(doc, rows[i], reportPathFor(doc, job.out, used), err) && ok;
    }
    if (job.progress) out << "\r\x1b[K";
    printTable(rows, out);
    out << "check: " << rows.size() << " catalogues, reports in " << job.out << "\n";
    if (rowsOut != nullptr) *rowsOut = rows;
    return ok ? 0 : 1;
}

}  // namespace kavexcli

#pragma once
// `kavex catalogs`: the VDI 3805 catalogues of a catalogue root on the
// command line.
//
//   kavex catalogs [--catalogs <root>] [--sheet 0|2|17] [--tga]
//
// Lists every manufacturer library (by identifier) with the catalogues the
// catalogue list finds in it: sheet, guideline date, manufacturer, number of
// model series (110) and executions (800), and the time the catalogue takes
// to load. Below a catalogue that does not load stand the errors and hints of
// the report list. docs/cli.md describes the output.

#include <iosfwd>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"

namespace CLI {
class App;
}

namespace kavexcli {

struct CatalogsJob {
    std::string catalogs;  // catalogue root
    int sheet = 0;         // 2, 17 or 0 for both
    bool tga = false;      // also the old ".tga" catalogues of sheet 2
};

// One catalogue file after loading it on its own.
struct CatalogueSummary {
    std::string path;
    std::string relativePath;  // below the library folder, '/' as separator
    bool loaded = false;       // read and parsed
    int sheet = 0;
    std::string date;
    std::string manufacturer;  // field 4 of the header 010
    int series = 0;            // records 110
    int executions = 0;        // records 800
    double milliseconds = 0.0;
    std::vector<CReportEntry> reports;  // what loading it reported
    std::string note;                   // why a file was left unread without a report
};

struct LibrarySummary {
    std::string id;
    std::string name;
    std::vector<CatalogueSummary> catalogues;
};

struct CatalogsSurvey {
    std::string root;
    std::vector<std::string> problems;  // library folders the scan skipped
    std::vector<LibrarySummary> libraries;
};

// Registers the sub-command "catalogs"; parsing fills `job`, whose catalogue
// root defaults to `defaultCatalogs`.
CLI::App* addCatalogsCommand(CLI::App& app, CatalogsJob& job, const std::string& defaultCatalogs);

// Finds and loads the catalogues of the job's root, one after the other so
// that each gets its own time and reports. False (with a message on `err`)
// when the root cannot be read.
bool surveyCatalogs(const CatalogsJob& job, CatalogsSurvey& survey, std::ostream& err);

// Writes the survey; the last line is
// "N libraries, N catalogues: N loaded, N failed; N series, N executions".
void printSurvey(const CatalogsSurvey& survey, std::ostream& out);

// Runs the parsed job: 0 when every catalogue loaded, 1 otherwise.
int runCatalogsJob(const CatalogsJob& job, std::ostream& out, std::ostream& err);

}  // namespace kavexcli

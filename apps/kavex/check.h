#pragma once
// `kavex check`: the data check of VDI 3805 catalogues on the command line.
//
//   kavex check [path...] [--catalogs <root>] [--out <folder>]
//
// Each path is a catalogue file or a catalogue root; without paths every
// catalogue of the catalogue root (default: the bundled samples) is checked.
// The catalogues are loaded in parallel, one check report per catalogue is
// written into the out folder, and a summary table closes the output.
// docs/cli.md describes the output and the exit code.

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace kavexcli {

struct CheckJob {
    std::vector<std::string> paths;  // catalogue files or catalogue roots
    std::string catalogs;            // the root checked when no path is given
    std::string out = "kavex-check";
    bool progress = false;  // a progress line (only on a terminal)
};

// One row of the summary table.
struct CheckRow {
    std::string catalogue;  // "<library>/<file>" or the file name
    std::string report;     // path of the written report, empty when none
    int sheet = 0;
    bool loaded = false;
    int executions = 0;  // executions of the checked kinds
    int valid = 0;
    int hints = 0;
    int errors = 0;
};

// Registers the sub-command "check"; parsing fills `job`, whose catalogue
// root defaults to `defaultCatalogs` and whose progress line is switched on
// when standard output is a terminal.
CLI::App* addCheckCommand(CLI::App& app, CheckJob& job, const std::string& defaultCatalogs);

// Checks the catalogues, writes the reports, prints the summary on `out` and
// problems on `err`. `rows` (may be null) receives the table. Exit code: 0
// when every catalogue was loaded and its report written (hints and errors
// in the data are findings, not failures), 1 otherwise or when no catalogue
// was found.
int runCheckJob(const CheckJob& job, std::ostream& out, std::ostream& err,
                std::vector<CheckRow>* rows = nullptr);

}  // namespace kavexcli

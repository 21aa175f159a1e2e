#pragma once
// `kavex convert` and `kavex model`: catalogue executions into a valve model
// file, and what a model file holds.
//
//   kavex convert <catalogue> --series <name|index|group/index>
//                 [--executions 1,2,...|all] [--xp <K>] -o <model.vmf>
//   kavex model <file.vmf> [--export <file.txt>]
//
// docs/cli.md describes the output and the exit codes.

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace kavexcli {

struct ConvertJob {
    std::string catalogue;
    std::string series;              // model name, 110 index, or "<100 index>/<110 index>"
    std::string executions = "all";  // 800 indexes, comma-separated
    std::string xp;                  // empty: the proportional band the data check uses
    std::string output;
};

struct ModelJob {
    std::string file;
    std::string exportPath;  // empty: no text export
};

CLI::App* addConvertCommand(CLI::App& app, ConvertJob& job);
CLI::App* addModelCommand(CLI::App& app, ModelJob& job);

// Builds the model, prints its hints and errors on `out` and writes the model
// file when at least one valve was built. Exit code 0 when the model was
// written and no error was reported; 1 otherwise (bad arguments, an
// unreadable catalogue, errors in the data, no valve).
int runConvertJob(const ConvertJob& job, std::ostream& out, std::ostream& err);

// Describes the model file (type, valves, nominal sizes, kvs, curves) and
// writes the text export when asked. Exit code 0, or 1 when the file cannot
// be read or the export cannot be written.
int runModelJob(const ModelJob& job, std::ostream& out, std::ostream& err);

}  // namespace kavexcli

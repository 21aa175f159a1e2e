#pragma once
// `kavex pumps`: the pump catalogue of a catalogue root on the command line.
//
//   kavex pumps [--catalogs <root>] list
//   kavex pumps [--catalogs <root>] check
//   kavex pumps [--catalogs <root>] curve <pump> --set-pressure <kPa> [--control konst|prop]
//   kavex pumps [--catalogs <root>] point <pump> --set-pressure <kPa>
//               --network <V m³/h>:<dp kPa> [--static <kPa>] [--control konst|prop]
//   kavex pumps samples <root>
//
// Flows are shown in m³/h and pressures in kPa. docs/cli.md describes the output.

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace kavexcli {

struct PumpsJob {
    std::string action;            // "list", "check", "curve", "point", "samples"
    std::string catalogs;          // catalogue root
    std::string pump;              // name or article number
    std::string setPressure;       // kPa, as typed
    std::string network;           // "<flow m³/h>:<pressure kPa>"
    std::string staticPart = "0";  // kPa, static part of the network pressure
    std::string control;           // "konst", "prop" or empty: by the pump's control type
    std::string samplesRoot;
};

// Registers the sub-command "pumps" and its jobs; parsing fills `job`, whose
// catalogue root defaults to `defaultCatalogs`.
CLI::App* addPumpsCommand(CLI::App& app, PumpsJob& job, const std::string& defaultCatalogs);

// Runs the parsed job and returns the exit code: 0 done, 1 failed (a message
// on `err`) or, for "check", faults found.
int runPumpsJob(const PumpsJob& job, std::ostream& out, std::ostream& err);

}  // namespace kavexcli

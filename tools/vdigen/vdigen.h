#pragma once
// Large synthetic VDI 3805 catalogues for benchmarks and fuzz seeds.
//
// A catalogue is a file header, product main groups and model series of the
// valve families a manufacturer of that sheet typically offers — sheet 2:
// throttles (204), thermostatic valve bodies (201) and fixed resistances
// (211); sheet 17: manual throttles (1702) and pressure reducers (1708) — each
// with property records, technical data per nominal size with its setting
// curve, executions whose TGA numbers resolve, article records and the
// accessory articles the x.01 references name. Fields follow
// docs/vdi3805-fields.md and, for the setting records of the thermostatic
// valve bodies and the pressure reducers, docs/vdi3805-fields-thermostat.md and
// docs/vdi3805-fields-water.md; the old layout (".tga") writes every field
// where the reader's field mapping expects it.
//
// The same options always give the same lines (own random generator, no
// standard-library distribution), so a benchmark or seed can be made again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nrvVDIGen {

enum class Layout { Vdi, Vdix, Tga };

struct Options {
    int sheet = 2;     // 2 or 17
    std::string date;  // guideline date; empty: 201601 (".tga": always 1098)
    Layout layout = Layout::Vdi;
    std::uint64_t seed = 1;
    // How large: exactly `executions` executions when above 0, otherwise
    // exactly `lines` lines (at least one model series, so a very small line
    // count gives a little more).
    std::size_t lines = 0;
    std::size_t executions = 0;
};

struct Catalogue {
    std::vector<std::string> lines;  // UTF-8, without line ends
    std::size_t series = 0;          // records 110
    std::size_t executions = 0;      // records 800
    std::size_t settings = 0;        // setting-curve records (710.01, 710.05)
};

// Why the options cannot make a catalogue ("" when they can): a sheet other
// than 2 or 17, a date the reader refuses for the sheet, sheet 17 in the old
// layout, or neither a line nor an execution count.
std::string CheckOptions(const Options& options);

// The catalogue for valid options (CheckOptions empty); otherwise no lines.
Catalogue Generate(const Options& options);

// ".vdi", ".vdix" or ".tga": the extension that makes the reader take the layout.
const char* ExtensionOf(Layout layout);
// The layout an extension stands for (any case); false for another one.
bool LayoutOfPath(const std::string& path, Layout& layout);

// Writes the lines with CRLF, in code page 1252 (".vdix": UTF-8), atomically.
bool WriteCatalogue(const Catalogue& catalogue, Layout layout, const std::string& path);

}  // namespace nrvVDIGen

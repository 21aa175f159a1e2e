// kavex-vdigen: writes a synthetic VDI 3805 catalogue of a given size, for
// benchmarks, fuzz seeds and trying the catalogue dialog on large data.

#include <CLI/CLI.hpp>
#include <iostream>
#include <map>

#include "vdigen/vdigen.h"

int main(int argc, char** argv) {
    CLI::App app{"kavex-vdigen - write a synthetic VDI 3805 catalogue (same options, same file)"};
    nrvVDIGen::Options options;
    std::string output;
    std::string layoutName;
    app.add_option("output", output,
                   "Catalogue file to write; its extension (.vdi, .vdix, .tga) chooses the layout")
        ->required();
    auto* lines = app.add_option("-n,--lines", options.lines, "Number of lines of the catalogue");
    auto* executions = app.add_option("-e,--executions", options.executions,
                                      "Number of executions (records 800) instead");
    lines->excludes(executions);
    app.add_option("-s,--sheet", options.sheet, "Sheet: 2 (heating) or 17 (drinking water)")
        ->check(CLI::IsMember({2, 17}));
    app.add_option("-d,--date", options.date,
                   "Guideline date (sheet 2: 200302, 201601, 202112; sheet 17: 200311, 201601)");
    app.add_option("-l,--layout", layoutName, "Layout when the extension does not tell it")
        ->check(CLI::IsMember({"vdi", "vdix", "tga"}));
    app.add_option("--seed", options.seed, "Seed of the random choices");
    CLI11_PARSE(app, argc, argv);

    const std::map<std::string, nrvVDIGen::Layout> layouts{{"vdi", nrvVDIGen::Layout::Vdi},
                                                           {"vdix", nrvVDIGen::Layout::Vdix},
                                                           {"tga", nrvVDIGen::Layout::Tga}};
    nrvVDIGen::Layout fromPath{};
    const bool known = nrvVDIGen::LayoutOfPath(output, fromPath);
    if (!layoutName.empty()) {
        options.layout = layouts.at(layoutName);
        if (known && fromPath != options.layout) {
            std::cerr << "kavex-vdigen: the extension of " << output
                      << " makes the reader take another layout than " << layoutName << "\n";
            return 2;
        }
    } else if (known) {
        options.layout = fromPath;
    } else {
        std::cerr << "kavex-vdigen: give --layout for a file without .vdi, .vdix or .tga\n";
        return 2;
    }
    if (const std::string problem = nrvVDIGen::CheckOptions(options); !problem.empty()) {
        std::cerr << "kavex-vdigen: " << problem << "\n";
        return 2;
    }

    const nrvVDIGen::Catalogue catalogue = nrvVDIGen::Generate(options);
    if (!nrvVDIGen::WriteCatalogue(catalogue, options.layout, output)) {
        std::cerr << "kavex-vdigen: cannot write " << output << "\n";
        return 1;
    }
    std::cout << output << ": " << catalogue.lines.size() << " lines, " << catalogue.series
              << " model series, " << catalogue.executions << " executions, " << catalogue.settings
              << " setting records\n";
    return 0;
}

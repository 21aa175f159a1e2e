// kavex: batch jobs on valve catalogues, models, user valves and pumps.

#include <CLI/CLI.hpp>
#include <iostream>

#include "catalogs.h"
#include "check.h"
#include "convert.h"
#include "info.h"
#include "kavex/version.h"
#include "paths.h"
#include "pumps.h"
#include "samplemodels.h"
#include "selfcheck.h"

int main(int argc, char** argv) {
    CLI::App app{"kavex - valve and pump catalogue module: batch jobs on the command line"};
    app.set_version_flag("--version", std::string("kavex ") + KAVEX_VERSION);
    app.require_subcommand(1);

    std::string samples = kavexcli::defaultSamplesDir();
    auto* selfcheck = app.add_subcommand(
        "selfcheck",
        "Read every tree-store file under a folder, write it back to a temporary "
        "folder and check that it round-trips");
    selfcheck->add_option("folder", samples, "Folder to check (default: the bundled samples)")
        ->check(CLI::ExistingDirectory);

    std::string samplesOut;
    auto* samplesJob = app.add_subcommand(
        "samples", "Write the sample valve models (one per valve class) into a folder");
    samplesJob->add_option("folder", samplesOut, "Folder to write to (created when missing)")
        ->required();

    kavexcli::PumpsJob pumpsJob;
    auto* pumps = kavexcli::addPumpsCommand(app, pumpsJob, samples + "/catalogs");
    kavexcli::CatalogsJob catalogsJob;
    auto* catalogs = kavexcli::addCatalogsCommand(app, catalogsJob, samples + "/catalogs");

    kavexcli::CheckJob checkJob;
    auto* check = kavexcli::addCheckCommand(app, checkJob, samples + "/catalogs");
    kavexcli::ConvertJob convertJob;
    auto* convert = kavexcli::addConvertCommand(app, convertJob);
    kavexcli::ModelJob modelJob;
    auto* model = kavexcli::addModelCommand(app, modelJob);

    bool loadDialogs = false;
    auto* info = app.add_subcommand(
        "info",
        "Show the module: version, feature switches, classes created by name and the sibling "
        "libraries");
    info->add_flag("--load-dialogs", loadDialogs,
                   "Load the dialogs library first, as the first dialog call would");

    CLI11_PARSE(app, argc, argv);

    if (*selfcheck) {
        int failed = kavexcli::runSelfcheck(samples, std::cout);
        return failed == 0 ? 0 : 1;
    }
    if (*info) return kavexcli::runInfo(std::cout, loadDialogs);
    if (*samplesJob) {
        int failed = 0;
        for (const kavexcli::SampleFile& file : kavexcli::writeSampleModels(samplesOut)) {
            std::cout << (file.ok ? "written " : "FAILED  ") << file.path << "\n";
            if (!file.ok) ++failed;
        }
        return failed == 0 ? 0 : 1;
    }
    if (*pumps) return kavexcli::runPumpsJob(pumpsJob, std::cout, std::cerr);
    if (*catalogs) return kavexcli::runCatalogsJob(catalogsJob, std::cout, std::cerr);
    if (*check) return kavexcli::runCheckJob(checkJob, std::cout, std::cerr);
    if (*convert) return kavexcli::runConvertJob(convertJob, std::cout, std::cerr);
    if (*model) return kavexcli::runModelJob(modelJob, std::cout, std::cerr);
    return 0;
}

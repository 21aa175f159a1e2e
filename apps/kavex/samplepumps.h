#pragma once
// The bundled sample pump files: the pumps of two fictitious manufacturer
// libraries, built in code so that samples/catalogs/<ID>/PMP/<file> can be
// regenerated after a deliberate change of the pump file format. Together
// they hold every control type: static curves (also of a decentral pump),
// constant pressure, proportional pressure and constant/proportional.

#include <memory>
#include <string>
#include <vector>

#include "kavex/pumps/pumpenhersteller.h"

namespace kavexcli {

struct SamplePumpFile {
    std::string library;       // the library folder and identifier, "SUEDWERK"
    std::string relativePath;  // below the library folder, "PMP/suedwerk.pmp"
    std::unique_ptr<nrvPumpenHersteller> hersteller;
};

// The sample manufacturers, always the same, each with its curves in the
// order reading a pump file gives them.
std::vector<SamplePumpFile> buildSamplePumps();

struct WrittenPumpFile {
    std::string path;
    bool ok = false;
};

// Writes every sample pump file below `catalogRoot` (<root>/<library>/<relativePath>),
// creating the folders; one entry per file, in the order of buildSamplePumps.
std::vector<WrittenPumpFile> writeSamplePumps(const std::string& catalogRoot);

}  // namespace kavexcli

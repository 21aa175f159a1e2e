#pragma once
// The bundled sample models: one small, realistic model per catalogue valve
// class (two or three nominal sizes of one series of the bundled fictitious
// manufacturers), built in code so that samples/models/<class>.vmf can be
// regenerated after a deliberate change of the model file format.

#include <memory>
#include <string>
#include <vector>

#include "kavex/valves/armaturenmodell.h"

namespace kavexcli {

struct SampleModel {
    std::string className;  // the class of all its valves; the file is <className>.vmf
    std::unique_ptr<nrvVDIArmaturen::nrvVDIArmaturenModell> model;
};

// The nineteen sample models, one per valve class, always the same.
std::vector<SampleModel> buildSampleModels();

struct SampleFile {
    std::string path;
    bool ok = false;
};

// Saves every sample model as "<folder>/<className>.vmf", creating the folder;
// one entry per model, in the order of buildSampleModels.
std::vector<SampleFile> writeSampleModels(const std::string& folder);

}  // namespace kavexcli

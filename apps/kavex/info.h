#pragma once
// The info job: what the module knows about itself — version, where it was
// loaded from, the feature switches, the classes it creates by name and the
// sibling libraries it loaded or would load.

#include <ostream>
#include <string>
#include <vector>

class KavexWrapper;
namespace nrvModule {
class CSiblingLoader;
}

namespace kavexcli {

// Writes the report for a wrapper, the registered class names and a loader.
void writeInfo(std::ostream& out, const KavexWrapper& wrapper,
               const std::vector<std::string>& classNames,
               const nrvModule::CSiblingLoader& siblings);
// Starts the module and writes the report of the process's module;
// `loadDialogs` loads the dialogs library first, as a dialog call would.
// Returns 0.
int runInfo(std::ostream& out, bool loadDialogs);

}  // namespace kavexcli

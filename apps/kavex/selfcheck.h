#pragma once
// The self-check job: every tree-store file under a folder is read, written to
// a temporary folder and read again; each must come back unchanged.

#include <ostream>
#include <string>
#include <vector>

namespace kavexcli {

struct SelfcheckResult {
    std::string path;
    bool ok = false;
    std::string detail;  // counts when ok, the reason otherwise
};

// File endings of the tree-store files we keep in sample folders.
bool isTreeStoreFile(const std::string& path);
// Checks one file; `scratch` is the folder the copy is written to.
SelfcheckResult checkTreeStoreFile(const std::string& path, const std::string& scratch);
// Checks every tree-store file below `root` (sorted), prints a line per file and
// a summary line; returns the number of failures (-1 when `root` is no folder).
int runSelfcheck(const std::string& root, std::ostream& out);

}  // namespace kavexcli

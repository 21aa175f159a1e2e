#pragma once
// Files we write replace their target atomically: the data go to a temporary
// file in the same folder, which is renamed over the target only when every
// byte was written. A crash or a full disk never leaves a half-written file,
// and the old file stays when writing fails.

#include <string>
#include <string_view>

#include "kavex/platform/export.h"

namespace nrvFiles {

// Writes `data` to `path` atomically; `sync` flushes the data to disk before
// the rename. False (and the target untouched) on any failure.
KAVEX_API bool writeFileAtomic(const std::string& path, std::string_view data, bool sync = true);
// The whole file; false when it cannot be read.
KAVEX_API bool readFile(const std::string& path, std::string& data);
KAVEX_API bool fileExists(const std::string& path);

}  // namespace nrvFiles

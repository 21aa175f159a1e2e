#include "paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace kavexcli {

std::string defaultSamplesDir() {
    if (const char* env = std::getenv("KAVEX_SAMPLES"); env && *env) return env;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        fs::path installed = exe.parent_path().parent_path() / "share" / "kavex" / "samples";
        if (fs::is_directory(installed, ec)) return installed.string();
    }
    return KAVEX_SOURCE_SAMPLES;
}

}  // namespace kavexcli

#pragma once
#include <filesystem>
#include <string>

namespace kavextest {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Writes bytes to a file (creating folders); for fixtures.
void writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);
// Folder of the bundled samples and of the small test fixtures.
std::string samplesDir();
std::string testDataDir();

}  // namespace kavextest

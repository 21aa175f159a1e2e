#include "support/tempdir.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <iterator>
#include <vector>

#include <unistd.h>

namespace kavextest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kavex-test-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (::mkdtemp(buf.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_path = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string samplesDir() {
    const char* env = std::getenv("KAVEX_SAMPLES");
    return env ? env : KAVEX_TEST_SAMPLES;
}

std::string testDataDir() {
    const char* env = std::getenv("KAVEX_TESTDATA");
    return env ? env : KAVEX_TEST_DATA;
}

}  // namespace kavextest

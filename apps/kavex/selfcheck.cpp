#include "selfcheck.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include <stdlib.h>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/treestore.h"

namespace fs = std::filesystem;

namespace kavexcli {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

struct Counts {
    int nodes = 0;
    int leaves = 0;
};

Counts countItems(const CNode& root) {
    Counts counts;
    std::vector<const CNode*> stack{&root};
    while (!stack.empty()) {
        const CNode* node = stack.back();
        stack.pop_back();
        ++counts.nodes;
        for (const auto& item : node->Items()) {
            if (item->IsNode()) {
                stack.push_back(static_cast<const CNode*>(item.get()));
            } else {
                ++counts.leaves;
            }
        }
    }
    return counts;
}

// A scratch folder removed at the end of the job.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "kavex-selfcheck-XXXXXX").string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (::mkdtemp(buf.data()) != nullptr) m_path = buf.data();
    }
    ~ScratchDir() {
        std::error_code ec;
        if (!m_path.empty()) fs::remove_all(m_path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace

bool isTreeStoreFile(const std::string& path) {
    static const char* const endings[] = {".vmf", ".userarm", ".pmp", ".info", ".kvxproj"};
    std::string ext = lower(fs::path(path).extension().string());
    return std::any_of(std::begin(endings), std::end(endings),
                       [&](const char* e) { return ext == e; });
}

SelfcheckResult checkTreeStoreFile(const std::string& path, const std::string& scratch) {
    SelfcheckResult result{path, false, {}};
    std::unique_ptr<CNode> first = TreeItems::ReadFromFile(path);
    if (!first) {
        result.detail = "not readable as a tree";
        return result;
    }
    std::string copy = (fs::path(scratch) / fs::path(path).filename()).string();
    if (!first->WriteToFile(copy)) {
        result.detail = "could not be written to " + copy;
        return result;
    }
    std::unique_ptr<CNode> second = TreeItems::ReadFromFile(copy);
    if (!second) {
        result.detail = "written copy not readable";
        return result;
    }
    std::string textFirst, textSecond;
    first->WriteToString(textFirst);
    second->WriteToString(textSecond);
    if (textFirst != textSecond) {
        result.detail = "copy differs from the original";
        return result;
    }
    Counts counts = countItems(*first);
    result.ok = true;
    result.detail = std::to_string(counts.nodes) + " nodes, " + std::to_string(counts.leaves) +
                    " leaves";
    return result;
}

int runSelfcheck(const std::string& root, std::ostream& out) {
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
        out << "selfcheck: " << root << " is not a folder\n";
        return -1;
    }
    std::vector<std::string> files;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file(ec) && isTreeStoreFile(it->path().string())) {
            files.push_back(it->path().string());
        }
    }
    std::sort(files.begin(), files.end());
    ScratchDir scratch;
    int failed = 0;
    for (const auto& file : files) {
        SelfcheckResult r = checkTreeStoreFile(file, scratch.path());
        if (!r.ok) ++failed;
        std::string shown = fs::relative(file, root, ec).string();
        out << (r.ok ? "ok      " : "FAILED  ") << (ec ? file : shown) << "  (" << r.detail
            << ")\n";
    }
    out << "selfcheck: " << files.size() << " tree-store files, " << files.size() - failed
        << " round-trip, " << failed << " failed\n";
    return failed;
}

}  // namespace kavexcli

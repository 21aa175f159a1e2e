// Project text from the host: the assignment sections of catalogue and user
// valve records. Whatever a container reads it must write again, and that
// text must be stable: read into a fresh container, it writes the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "fuzzsupport.h"
#include "kavex/platform/treestore.h"
#include "kavex/services/armaturcontainer.h"
#include "kavex/services/userarmaturcontainer.h"

namespace {

constexpr std::string_view kKey = "Armature";

using kavexfuzz::require;

// The written records. The "LastArmaturesId" line is left out: it counts the
// local records too, which a project node read back no longer holds (the host
// keeps them with its components).
template <class Container>
std::string projectText(const Container& container) {
    std::unique_ptr<CProNodeBase> node = container.writeArmaturesToProNode(kKey);
    if (!node) return {};
    std::string text;
    require(node->WriteToString(text));
    std::size_t id = text.find("\nLastArmaturesId:");
    if (id != std::string::npos) text.erase(id + 1, text.find('\n', id + 1) - id);
    return text;
}

// Reads the project text into a fresh container, writes it, and checks that a
// second fresh container reading that text writes it unchanged.
template <class Container>
void checkStable(const CProNodeBase* project) {
    Container first;
    require(first.readArmaturesFromProNode(project, kKey));
    std::string written = projectText(first);
    if (written.empty()) return;
    std::unique_ptr<CProNodeBase> again = CProNodeBase::ReadFromString(written);
    require(again != nullptr);
    Container second;
    require(second.readArmaturesFromProNode(again.get(), kKey));
    require(projectText(second) == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<CProNodeBase> project = CProNodeBase::ReadFromString(bytes);
    if (!project) return 0;
    checkStable<nrvBaseArmaturen::RnArmaturContainer>(project.get());
    checkStable<nrvUserArmaturen::RnUserArmaturContainer>(project.get());
    return 0;
}

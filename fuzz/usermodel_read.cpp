// User valve model files (".vmf" of user valves) from outside: whatever a
// model reads it must write again, and that text must be stable: read back,
// it gives an equal model and the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "fuzzsupport.h"
#include "kavex/platform/treestore.h"
#include "kavex/uservalves/userarmatur.h"

namespace {

using kavexfuzz::require;

std::string modelText(const nrvUserArmaturen::nrvUserArmaturenModell& model) {
    return kavexfuzz::treeText(model);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<CNode> root = TreeItems::ReadFromString(bytes);
    if (!root) return 0;
    nrvUserArmaturen::nrvUserArmaturenModell model;
    if (!model.read(root.get())) return 0;
    // The lookups the services ask of a loaded valve must answer.
    for (int i = 0; i < model.getSize(); ++i) {
        auto* valve = model.getUserArmaturAt(i);
        require(valve != nullptr);
        (void)valve->getXValueByYValue(1.0f);
        (void)valve->getYValueByXValue(1.0f);
        (void)valve->getMinXValue();
        (void)valve->getMaxXValue(true);
        (void)valve->getMaxYValue(false);
    }
    std::string first = modelText(model);
    nrvUserArmaturen::nrvUserArmaturenModell copies[2];
    for (auto& copy : copies) {
        std::unique_ptr<CNode> again = TreeItems::ReadFromString(first);
        require(again != nullptr);
        require(copy.read(again.get()));
        require(modelText(copy) == first);
    }
    require(copies[0].isEqual(copies[1]));
    return 0;
}

// Valve model files (".vmf") from outside: whatever a model reads from a tree
// it must write again, and that text must be stable: read back, it gives an
// equal model and the same text. (The first write may change numbers: files
// keep six decimals, so a hand-made 8e-7 is written as 0.000001.)

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "fuzzsupport.h"
#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturenmodell.h"

namespace {

using kavexfuzz::require;

std::string modelText(const nrvVDIArmaturen::nrvVDIArmaturenModell& model) {
    return kavexfuzz::treeText(model);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<CNode> root = TreeItems::ReadFromString(bytes);
    if (!root) return 0;
    nrvVDIArmaturen::nrvVDIArmaturenModell model;
    if (!model.read(root.get())) return 0;
    // Every query a caller may ask of a loaded model must answer.
    (void)model.getAusfuehrung(", ");
    for (int i = 0; i < model.getSize(); ++i) {
        auto* valve = model.getArmaturAt(i);
        require(valve != nullptr);
        (void)valve->getKvmin();
        (void)valve->getKvmax();
        (void)valve->getAusfuehrung(", ");
    }
    std::string first = modelText(model);
    nrvVDIArmaturen::nrvVDIArmaturenModell copies[2];
    for (auto& copy : copies) {
        std::unique_ptr<CNode> again = TreeItems::ReadFromString(first);
        require(again != nullptr);
        require(copy.read(again.get()));
        require(modelText(copy) == first);
    }
    require(copies[0].isEqual(copies[1]));
    require(copies[0].getSize() == model.getSize());
    return 0;
}

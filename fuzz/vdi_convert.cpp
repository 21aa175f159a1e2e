// The conversion of catalogue executions into valves over arbitrary bytes:
// the catalogue is read from the bytes, and every model series is taken over
// as one model with all its executions, their accessories and a proportional
// band, as the catalogue dialog and the data check do.
//
// The first byte chooses the file kind (bits 0-1: ".vdi", ".vdix", ".tga",
// ".vdi"), the filter flag (bit 2) and the XP handed to the conversion
// (bits 3-4: 0, 1, 2 or 3 K); the rest is the file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/platform/strutil.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"
#include "kavex/vdi3805/vditemplate.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

constexpr const char* kNames[] = {"fuzz.vdi", "fuzz.vdix", "fuzz.tga", "fuzz.VDI"};

// Takes over the executions directly below one model series.
void convertSeries(const CVDIBase& series, float xp) {
    std::vector<VDIStruct_800*> executions;
    for (const auto& child : series.GetChildren())
        if (auto* e = dynamic_cast<VDIStruct_800*>(child.get())) executions.push_back(e);
    if (executions.empty()) return;
    std::vector<nrvVDIConvert::AccessoryList> accessories;
    for (VDIStruct_800* e : executions)
        accessories.push_back(nrvVDIConvert::CollectAccessories(*e));
    nrvVDIArmaturen::nrvVDIArmaturenModell model;
    nrvVDIConvert::FillModel(model, executions, std::vector<float>(executions.size(), xp),
                             accessories);
    // At most one valve per execution, each of the model's kind of catalogue.
    check(model.getSize() >= 0 && static_cast<std::size_t>(model.getSize()) <= executions.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CVDITemplate::SetFolder("/nonexistent-kavex-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned mode = data[0];
    const std::string name = kNames[mode % 4];
    const bool filter = (mode & 4) != 0;
    const auto xp = static_cast<float>((mode >> 3) & 3);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<std::string> lines;
    check(nrvStrUtil::splitLines(bytes, lines, nrvStrUtil::CodePage1252, mode % 4 == 1));
    CVDIDoc doc;
    if (doc.LoadLines(name, std::move(lines), filter, 0)) {
        std::vector<CVDIBase*> series;
        doc.CollectRecords(11000, series);
        for (const CVDIBase* s : series)
            convertSeries(*s, xp);
    }
    CReportList::instance().Clear();
    return 0;
}

#pragma once
// Turning the executions (records 800) of one valve model series (record 110)
// of a VDI 3805 catalogue into a catalogue valve model: one valve per
// execution, of the class its valve type requires, with the common data of
// the technical-data record 700 and the type's curves from the 710.xx
// records. Everything doubtful goes to the module's report list; depending on
// the finding nothing, one setting or the whole execution is dropped.
//
// Which record field carries what is written down in docs/vdi3805-fields.md.

#include <vector>

#include "kavex/platform/export.h"
#include "kavex/valves/armatur.h"

class CVDIBase;
class VDIStruct_800;

namespace nrvVDIArmaturen {
class nrvVDIArmaturenModell;
}

namespace nrvVDIConvert {

using nrvVDIArmaturen::nrvArmatur;
using nrvVDIArmaturen::nrvArmaturZubehoer;
using nrvVDIArmaturen::nrvVDIArmaturenModell;

// The accessories one execution brings along (copied into its valve).
using AccessoryList = std::vector<nrvArmaturZubehoer>;

// Fills `model` from the executions of one series. The three lists must have
// the same, non-zero length, otherwise nothing happens. Only the first XP
// value reaches the valves (the proportional band is chosen once per model).
// The model then holds the valves that could be built, sorted by nominal size
// (type 213: by kvs, then nominal size) and typed like its first valve.
KAVEX_API void FillModel(nrvVDIArmaturenModell& model, const std::vector<VDIStruct_800*>& executions,
                         const std::vector<float>& xpValues,
                         const std::vector<AccessoryList>& accessories);

// Builds one valve for `execution` and adds it to `model`, or adds none and
// reports why. True when a valve was added.
KAVEX_API bool ConvertExecution(nrvVDIArmaturenModell& model, VDIStruct_800& execution,
                                const AccessoryList& accessories, float xp);

// Common valve data from the first technical-data record and the execution.
KAVEX_API bool FillCommonData(int sheet, nrvArmatur& valve, VDIStruct_800& execution,
                              const AccessoryList& accessories,
                              const std::vector<CVDIBase*>& records700);

// Type-specific data (curves) of valve type `type` (sheet × 100 + kind).
KAVEX_API bool FillTypeData(nrvArmatur& valve, VDIStruct_800& execution, CVDIBase* first700,
                            int type, float xp);

// The accessory entries of every accessory reference of an execution
// (property x.01 records, 710.51/710.71 and the 700 record itself), as the
// data check and a plain conversion hand them to FillModel.
KAVEX_API AccessoryList CollectAccessories(VDIStruct_800& execution);

}  // namespace nrvVDIConvert

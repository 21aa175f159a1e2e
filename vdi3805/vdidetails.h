#pragma once
// Execution details: what the property records of an execution (record 800)
// say about the article — body shape, fittings, material, surface,
// connection kind … — as display texts under a caption ("Gehäusewerkstoff:
// Messing"). A valve keeps them as its execution details; the catalogue
// dialog offers them as filters over the executions of a model series.
//
// The execution's property records are those its TGA number names (160, 200
// … 560 with their x50 and x60 records, and 760 below the technical data).
// Field 3 of such a record is the code, field 4 the file's text. Which caption
// and which code list belong to a record type depends on the sheet and the
// guideline date of the catalogue; docs/vdi3805-details.md has the table.

#include <string>
#include <vector>

#include "kavex/platform/export.h"

class CVDIBase;
class VDIStruct_800;
namespace nrvVDIArmaturen {
class nrvArmatur;
}

// How the detail text of a property record is made.
enum class VDIDetailList {
    Text,  // no code list: the file's text (field 4), else field 3 as written
    ProductVariant,
    FittingVariantA,
    FittingVariantB,
    SinglePipeVariant,
    DrainConnection,
    FlowDirection,
    Material,
    Surface,
    ConnectionKind,
    Medium,
};

// Caption and code list of one property record type in one catalogue edition.
struct KAVEX_API VDIPropertyKind {
    int recordType = 0;             // 160, 200, 250, … 560, 760
    const char* caption = nullptr;  // translation key (nrvVDICodes::Captions)
    VDIDetailList list = VDIDetailList::Text;
};

// The kind of a property record type (160 or 16000 alike) in a catalogue of
// `sheet` and guideline date `date` (201601; .tga files 1098). Null for a
// type that is no property record.
KAVEX_API const VDIPropertyKind* FindPropertyKind(int recordType, int sheet, int date);

// One execution detail.
struct KAVEX_API VDIExecutionDetail {
    const CVDIBase* record = nullptr;  // the property record
    std::string caption;               // translated
    std::string text;                  // display text of the code (or the file's text)
    int code = 0;
};

// The details of an execution, in the order of its TGA references (by record
// type). A property record without code and text gives none. Resolves the
// TGA number when that has not happened yet.
KAVEX_API std::vector<VDIExecutionDetail> GetExecutionDetails(VDIStruct_800& execution);

// "Caption: text" — how a valve keeps one detail.
KAVEX_API std::string DetailLine(const VDIExecutionDetail& detail);

// Adds the execution's details to the valve (addAusfDetail), one per
// property record, as DetailLine gives them.
KAVEX_API void AddExecutionDetails(nrvVDIArmaturen::nrvArmatur& valve, VDIStruct_800& execution);

// --- filters of the catalogue dialog -----------------------------------------

// One filter: the distinct detail texts of a caption over the executions of a
// model series, and which of them each execution has.
struct KAVEX_API VDIDetailFilter {
    std::string caption;              // translated
    int recordType = 0;               // 200, 250, …
    std::vector<std::string> values;  // distinct texts, in the order first met
    // Per execution (as VDIDetailLists::executions): index into `values`, -1
    // when the execution has no detail under this caption. Several records of
    // one caption (a named index and the general index 0) are joined by ", ".
    std::vector<int> valueOf;
};

struct KAVEX_API VDIDetailLists {
    std::vector<VDIStruct_800*> executions;  // of the model series, in file order
    std::vector<VDIDetailFilter> filters;    // by record type
};

// The filter lists of a model series (record 110): its executions and, per
// caption met, the distinct texts. A record that is no 110 gives empty lists.
KAVEX_API VDIDetailLists CollectDetailLists(const CVDIBase& series);

// Which executions pass the chosen values: `chosen[f]` is an index into
// filters[f].values, or -1 for "any". Missing entries count as -1, an index
// outside the values lets no execution pass. One flag per execution.
KAVEX_API std::vector<bool> FilterExecutions(const VDIDetailLists& lists,
                                             const std::vector<int>& chosen);

#pragma once
// The data check of a VDI 3805 catalogue: every execution of the catalogue is
// converted, kind by kind, exactly as a model take-over would convert it, and
// every hint and error that the conversion reports is written into a text
// report together with counts per valve kind and for the whole catalogue. The
// valves themselves are thrown away; the manufacturer and the user learn what
// the program would make of the data.
//
// The check report file is that text behind a creation-date line and a short
// description of the catalogue, written as UTF-8 and replaced atomically.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"

class CVDIDoc;
class VDIStruct_800;

namespace nrvVDICheck {

// What one data check found. `checked` counts the executions of the valve
// kinds the check covers (the report's "gesamt" line), `executions` every
// execution of the catalogue (the report's heading).
struct KAVEX_API DataCheckCounts {
    int executions = 0;
    int checked = 0;
    int valid = 0;  // executions of the checked kinds that became a valve
    int hints = 0;
    int errors = 0;
};

// Appends the data check lines of `doc`. A catalogue without executions
// appends nothing. Uses the module's report list: it is cleared once per
// valve kind, so afterwards it holds the entries of the last kind; its
// record-path and footer switches are restored when the check ends. A line
// may itself hold line breaks (CR LF inside a report entry).
KAVEX_API DataCheckCounts WriteDataCheck(std::vector<std::string>& lines, CVDIDoc& doc);

// The valve kind an execution is checked under: field 4 of the first
// technical-data record its TGA number names; 0 when it names none.
KAVEX_API int ExecutionKind(VDIStruct_800& execution);
// The proportional band the check converts an execution with: derived from
// its 710.01 records for thermostatic valve bodies (kinds 1 and 12), else 0.
KAVEX_API float DataCheckXp(VDIStruct_800& execution);

// The file name a proposed report title becomes: "," → " -", "." → "_",
// "/" → "-", then ".txt".
KAVEX_API std::string ReportFileName(std::string_view proposedName);

// Asks the user where to save the check report (save dialog with the cleaned
// proposed name; an existing file only after "overwrite?" and when it can be
// written). False when the user cancelled; `resultPath` is set otherwise.
KAVEX_API bool ChooseReportFile(const std::string& proposedName, std::string& resultPath);

// The report's head: the creation-date line for `when` (local time), an empty
// line and the description of the catalogue (manufacturer, file, sheet,
// guideline date).
KAVEX_API std::vector<std::string> CheckReportHead(const CVDIDoc& doc, const std::tm& when);

// Writes the whole check report of `doc` to `path` (UTF-8, CR LF line ends,
// the old file kept when writing fails). `counts` (may be null) receives the
// counts of the data check. False when the file could not be written.
KAVEX_API bool WriteCheckReport(const std::string& path, CVDIDoc& doc, const std::tm& when,
                                DataCheckCounts* counts = nullptr);
// The same with the current local time.
KAVEX_API bool WriteCheckReport(const std::string& path, CVDIDoc& doc,
                                DataCheckCounts* counts = nullptr);

}  // namespace nrvVDICheck

#pragma once
// Inside of the catalogue conversion: what one type function gets, the report
// helpers that title every entry with the valve, the curve helpers several
// types share, and the type functions FillTypeData dispatches to.
//
// Files: vdiconvert.cpp (FillModel, ConvertExecution, FillCommonData, the
// dispatch), vdiconvert_curves.cpp (shared curve helpers, the throttles),
// vdiconvert_thermostat.cpp (201, 203, 212), vdiconvert_regler.cpp (the
// remaining heating types), vdiconvert_tw.cpp (drinking-water types).

#include <string>
#include <string_view>
#include <vector>

#include "kavex/curves/kurve.h"
#include "kavex/vdi3805/vdiconvert.h"

class CVDIBase;
class CVDIDoc;
class VDIStruct_800;

namespace nrvVDIConvert {

using nrvBaseArmaturen::CKurve;
using nrvBaseArmaturen::curveNode;

// What a type function works on.
struct TypeContext {
    nrvArmatur& valve;
    VDIStruct_800& execution;
    CVDIBase* r700 = nullptr;  // the execution's first technical-data record
    CVDIDoc* doc = nullptr;
    int type = 0;   // sheet × 100 + kind
    int sheet = 0;  // guideline sheet of the document
    int date = 0;   // guideline date of the document as an integer (201601)
    float xp = 0.0f;

    int index700() const;  // index of r700 (0 without)
};

// --- reports -------------------------------------------------------------
// Title: the valve's hint/error text (model, DN, article number, execution).
// The text is translated and then filled with the arguments; `record` (may be
// null) gives the report its manufacturer footer and record path.
void Hint(const nrvArmatur& valve, int code, const std::string& text, const CVDIBase* record);
void Error(const nrvArmatur& valve, int code, const std::string& text, const CVDIBase* record);
// "Folge: Diese Ausführung wird übersprungen." after a line break.
std::string WithSkipped(std::string_view text);
// "Es wurde ein Satz der Satzart <type> in dieser Armatur erwartet jedoch nicht
// gefunden. ..." + skipped; error 10 on the 700 record.
void ReportMissingRecord(const TypeContext& c, std::string_view typeText);

// --- records -------------------------------------------------------------
// Every record of `typeNo` (71001 for 710.01) below the 700 record, any depth,
// in file order.
std::vector<CVDIBase*> Records710(const CVDIBase& r700, int typeNo);
// True when the field holds something (after trimming).
bool Filled(const CVDIBase& record, int fieldNo);

// --- curve helpers ---------------------------------------------------------
// A curve point as the import reads it: x = numeric setting (or
// curveNode::NoNumericSetting), x2 = interpolation instruction, y = value,
// einst = setting text.
using Points = std::vector<curveNode>;

// Throttle reading of the 710.01 records below the 700 record (kv per
// setting; min/max differential pressure into the valve when it is a
// throttle). False (with its report) when the execution must be skipped.
bool ReadSettingCurve(TypeContext& c, Points& points, bool& presettable);

enum class DuplicateMode { Hint, Error };
// Duplicate settings (numeric within 1e-6, or the same non-empty label
// without number). Error mode: error 10 and false at the first duplicate;
// hint mode: hint 10 per duplicate and true. `typeText` names the record
// ("710.01").
bool CheckDuplicates(const TypeContext& c, const Points& points, std::string_view typeText,
                     DuplicateMode mode);
// Duplicate values (y equal within 1e-9) of two settings: `valueName` such as
// translated "kv-Wert", `unit` "m³/h".
bool CheckValueDuplicates(const TypeContext& c, const Points& points, std::string_view valueName,
                          std::string_view unit, DuplicateMode mode);

enum class InterpolationMode { StepWidth, StepCount };
// Builds the final points from the read ones, inserting the intermediate
// settings the interpolation instructions ask for. False for no point.
bool ApplyInterpolation(const TypeContext& c, const Points& in, Points& out,
                        InterpolationMode mode, bool messages);
// kv must fall from the most open setting on; a rising curve is reversed
// once. False (error 10) when the order still fails or there is no point.
bool CheckKvDescending(const TypeContext& c, Points& points);
// The points as a curve (x, label, y, x2 = 0).
CKurve ToCurve(const Points& points);

// --- type functions ----------------------------------------------------------
bool FillThrottle(TypeContext& c);             // 202, 204, 213
bool FillManualThrottle(TypeContext& c);       // 1702
bool FillThermostat(TypeContext& c);           // 201
bool FillThermostatSinglePipe(TypeContext& c); // 203 with thermostatic part (kvB/kvH)
bool FillSinglePipe(TypeContext& c);           // 203 without
bool FillThermostatFlowLimit(TypeContext& c);  // 212
bool FillDiffPressureController(TypeContext& c);  // 205, 206, 208, 209, 210
bool FillFlowController(TypeContext& c);          // 207, 214, 220
bool FillElectronicThrottle(TypeContext& c);      // 1722
bool FillCheckValve(TypeContext& c);              // 215
bool FillSixWay(TypeContext& c);                  // 218, 221
bool FillAutomaticThrottle(TypeContext& c);       // 1703
bool FillTap(TypeContext& c);                     // 1704, 1705
bool FillSafetyDevice(TypeContext& c);            // 1706, 1707
bool FillPressureReducer(TypeContext& c);         // 1708
bool FillMeter(TypeContext& c);                   // 1709
bool FillRingMain(TypeContext& c);                // 1713

// --- radiator valve bodies (201, 203, 212) -------------------------------------
// The proportional band the data check designs a thermostatic execution with:
// of the XP values the 710.01 records of its first technical-data record
// carry, the one closest to 2 K (the smaller one on a tie); 0 when they carry
// none.
float DeriveDataCheckXp(VDIStruct_800& execution);

}  // namespace nrvVDIConvert

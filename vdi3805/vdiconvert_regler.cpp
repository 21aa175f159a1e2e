// The self-acting regulators and special valves of the catalogue:
// differential pressure controllers (with or without a flow part), flow
// controllers and pressure-independent control valves, the electronic
// throttle of drinking-water circulation, check valves and six-way control
// valves. Each reads its 710.xx records below the execution's technical data
// (record 700); docs/vdi3805-fields-heating.md tells which field carries what.
#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"
#include "kavex/valves/armaturregel.h"
#include "kavex/valves/armaturregler.h"
#include "kavex/valves/armatursechswege.h"
#include "kavex/vdi3805/vdibase.h"
#include "kavex/vdi3805/vdiconvert_p.h"

namespace nrvVDIConvert {

using nrvVDIArmaturen::nrvArmaturDDR;
using nrvVDIArmaturen::nrvArmaturDDRDFR;
using nrvVDIArmaturen::nrvArmaturDFR;
using nrvVDIArmaturen::nrvArmaturElektroDross;
using nrvVDIArmaturen::nrvArmaturRSV;
using nrvVDIArmaturen::nrvArmaturSechsWegeRegelarmatur;
using nrvVDIArmaturen::nrvArmaturSechsWegeRegelarmaturMitDFR;
using nrvVDIArmaturen::scAusfuehrung;

namespace {

constexpr int kType710_02 = 71002;
constexpr int kType710_03 = 71003;
constexpr int kType710_04 = 71004;
constexpr int kType710_07 = 71007;
constexpr int kType710_10 = 71010;

// Fields of the setting records (710.02, 710.03, 710.04, 710.10).
constexpr int kFieldSettingText = 5;
constexpr int kFieldSettingNumber = 6;
constexpr int kFieldInstruction = 7;
constexpr int kFieldValue = 8;  // set Δp, set flow, kvs heating
// 710.03: the controller's proportional deviation at a kv, and the maximum
// flow of a stroke-limiting setting.
constexpr int kFieldDeviationKv = 8;
constexpr int kFieldMaxFlow = 9;
constexpr int kFieldDeviation = 10;
// 710.04: effective pressure, and the kv limits of an electronic throttle.
constexpr int kFieldEffectivePressure = 9;
constexpr int kFieldKvMin = 10;
constexpr int kFieldKvMax = 11;
// 710.10: kvs of the cooling sequence and the maximum pressure loss.
constexpr int kFieldKvsCooling = 9;
constexpr int kFieldMaxPressureLoss = 10;
// 710.07: one execution variant of a check valve per record.
constexpr int kFieldPosition = 6;
constexpr int kFieldSpring = 7;
constexpr int kFieldVariantKvs = 8;
constexpr int kFieldOpeningPressure = 9;
constexpr int kFieldPassageDp = 10;
constexpr int kFieldPassageFlow = 11;
// 700 of sheet 17: control-temperature range of the electronic throttle.
constexpr int kField700TMin = 9;
constexpr int kField700TMax = 10;
constexpr int kField700SettingUnit = 14;

constexpr double kSameValue = 1e-9;
constexpr double kOrderTolerance = 1e-6;
// Share of the records that must give a usable setting; below it the curve
// would misrepresent the valve.
constexpr double kRequiredShare = 0.79;

constexpr const char* kDelta = "Δ";
constexpr const char* kDeltaP = "Δp";
constexpr const char* kNoSetting = "keine Einstellung";
constexpr const char* kSetpointName = "@Sollwert delta-p@Sollwert 1!%sp";
constexpr const char* kFlowName = "Volumenstrom";
constexpr const char* kKvsHeatingName = "kvs-Wert Heizen";
constexpr const char* kKvsCoolingName = "kvs-Wert Kühlen";
constexpr const char* kUnitPressure = "mbar";
constexpr const char* kUnitFlow = "m³/h";

// --- differential pressure controllers ---------------------------------------
constexpr const char* kNoSetpoint =
    "Es ist kein 1!%cp-Wert hinterlegt. Der Eintrag wird als Null interpretiert.\nSiehe Satzart "
    "710.02 mit Index 2!%d.";
constexpr const char* kNoSettingForSetpoint =
    "Es ist keine Einstellung zu dem 1!%s-Wert 2!%.2f hinterlegt.\nSiehe Satzart 710.02 mit Index "
    "3!%d.";
constexpr const char* kNoDeviation =
    "Es ist kein P-Abweichungs-Wert hinterlegt. Der Eintrag wird als Null interpretiert.\nSiehe "
    "Satzart 710.03 mit Index 1!%d.";
constexpr const char* kDeviationsMissing =
    "Es fehlen mehrere P-Abweichungs-Werte. Die Daten sind nicht auswertbar.\nSiehe Satzart "
    "710.03.";
constexpr const char* kSingleDeviation =
    "Es wurde nur ein Satz der Satzart 710.03 in dieser Armatur gefunden.\nDa eine P-Abweichung "
    "gefunden wurde, werden weitere Werte bzw. Sätze der Satzart 710.03 erwartet um eine Kurve "
    "abzubilden.\nSiehe technische Daten der Armaturausführung (Satzart 700 mit Index 1!%d).";
constexpr const char* kSameDeviation =
    "Die hinterlegte p-Abweichung von 1!%.2f ist mit kv-Werten von 2!%.2f und 3!%.2f hinterlegt. "
    "Jede p-Abweichung sollte nicht mehr als einmal vorkommen.\nSiehe Satzart 710.03.";
constexpr const char* kSameDeviationKv =
    "Der hinterlegte kv-Wert 1!%.2f ist mindestens für die beiden P-Abweichungen 2!%.2f und "
    "3!%.2f hinterlegt. Jeder kv-Wert sollte nicht mehr als einmal vorkommen.\nSiehe Satzart "
    "710.03.";
constexpr const char* kDeviationNotRising =
    "Entgegen der Erwartung sind mindestens zwei P-Abweichungswerte entsprechend ihrer kv-Werte "
    "nicht ansteigend hinterlegt.\nBitte prüfen Sie die Daten auf eventuelle Fehler.\nSiehe "
    "Satzart 710.03.";
constexpr const char* kNoMaxFlow =
    "Es ist kein maximaler Volumenstrom-Wert für die Einstellung 2!%s hinterlegt.\nDiese "
    "Einstellung wird übersprungen.\nSiehe Satzart 710.03 mit Index 1!%d.";
constexpr const char* kNoSettingForMaxFlow =
    "Es ist keine Einstellung zu dem Volumenstrom-Wert 1!%.2f hinterlegt.\nSiehe Satzart 710.03 "
    "mit Index 2!%d.";
constexpr const char* kTooFewSettings =
    "Diese Armaturausführung wird nicht erzeugt, da ein Teil der Einstellungen nicht ausgewertet "
    "werden konnte.\nBitte beachten Sie die vorhergehenden Fehlermeldungen zu dieser "
    "Armatur.\nSiehe Satzart 710.01.";

// --- flow controllers and electronic throttle ------------------------------------
constexpr const char* kSingleFlowSetting =
    "Es ist nur eine einzige Einstellung (1!%s) hinterlegt.\nBitte prüfen sie, ob es sich um "
    "einen Durchflussregler handelt, da er in den hydraulischen Abgleich mit eingebunden wird.";
constexpr const char* kNoSetFlow =
    "Es ist kein V-Soll-Wert zu der Einstellung 2!%s hinterlegt.\nDiese Einstellung wird "
    "übersprungen.\nSiehe Satzart 710.04 mit Index 1!%d.";
constexpr const char* kNoSettingForSetFlow =
    "Es ist keine Einstellung zu dem V-Soll-Wert 1!%.2f hinterlegt.\nSiehe Satzart 710.04 mit "
    "Index 2!%d.";
constexpr const char* kNoEffectivePressure =
    "Es ist kein gültiger Wirkdruck hinterlegt.\nSiehe Satzart 710.04.";
constexpr const char* kFlowsNotMonotonic =
    "Entgegen der Erwartung sind die Einstellungswerte nicht stetig steigend oder fallend.\nBitte "
    "prüfen Sie die Daten auf ihre korrekte Reihenfolge.\n\nSiehe Satzart 710.04.";
constexpr const char* kNoTemperatureRange =
    "Es sind keine Angaben zum zulässigen Temperaturregelbereich gemacht worden.Siehe technische "
    "Daten der Armaturausführung (Satzart 700 mit Index 1!%d).";
constexpr const char* kKvIncomplete =
    "Die Satzart 710.04 ist nicht vollständig. Es fehlen die vollständigen Angaben zu Kv-Werte.";

// --- six-way control valves ------------------------------------------------------
constexpr const char* kNoMaxPressureLoss =
    "Es ist kein gültiger maximaler Druckverlust hinterlegt.\nSiehe Satzart 710.10.";
constexpr const char* kSingleSixWaySetting =
    "Es ist nur eine einzige Einstellung (1!%s) hinterlegt.\nBitte prüfen sie, ob es sich um ein "
    "6-Wege-Ventil handelt, da dieses Bauteil normalerweise in den Gewerken Heizen und Kühlen "
    "verbaut wird.";

template <class... Args>
std::string text(const char* key, const Args&... args) {
    return FormatText(TranslateText(key), args...);
}

bool hasNumber(const curveNode& p) {
    return p.x > curveNode::NoNumericSetting + 1.0f;
}

// The setting as the messages name it: the catalogue's text, or the number
// when the catalogue gave only that.
std::string settingText(const curveNode& p) {
    if (!p.einst.empty() || !hasNumber(p)) return p.einst;
    return nrvNumbers::formatG(static_cast<double>(p.x));
}

float fieldValue(const CVDIBase& record, int fieldNo) {
    return static_cast<float>(record.GetFieldDouble(fieldNo));
}

std::string settingUnit(const TypeContext& c) {
    return c.r700->GetField(kField700SettingUnit);
}

CKurve curveOf(const Points& points, std::string unitX, std::string unitY) {
    CKurve curve = ToCurve(points);
    curve.setEinheitx(std::move(unitX));
    curve.setEinheity(std::move(unitY));
    return curve;
}

// The same settings with the values of another field of their records.
Points withValuesOf(const Points& points, const std::vector<const CVDIBase*>& records,
                    int fieldNo) {
    Points other = points;
    for (std::size_t i = 0; i < other.size(); ++i)
        other[i].y = fieldValue(*records[i], fieldNo);
    return other;
}

// --- reading settings --------------------------------------------------------------

// How one kind of setting record treats its gaps.
struct SettingRecordKind {
    int valueField = kFieldValue;
    // The value field is empty: reports and tells whether the setting stays
    // (its value read as 0).
    std::function<bool(const CVDIBase&, const curveNode&)> missingValue;
    // The record names no setting although there are several: reports; the
    // setting is dropped. Without it such a setting stays as "<unbekannt>".
    std::function<void(const CVDIBase&, float)> missingSetting;
};

struct SettingRead {
    Points points;                         // x setting, x2 instruction, y value
    std::vector<const CVDIBase*> records;  // the record of each point
};

// One point per record with the value of `kind.valueField` at the setting of
// fields 5 to 7. A record without setting is the valve's only state when it
// is alone. False (error 30) when too many records could not be placed.
bool readSettings(const TypeContext& c, const std::vector<CVDIBase*>& records,
                  const SettingRecordKind& kind, SettingRead& out) {
    const std::size_t n = records.size();
    for (const CVDIBase* r : records) {
        curveNode p;
        const bool named =
            p.setEinstellung(r->GetField(kFieldSettingText), r->GetField(kFieldSettingNumber),
                             r->GetField(kFieldInstruction)) != 0;
        p.y = fieldValue(*r, kind.valueField);
        if (!Filled(*r, kind.valueField) && !kind.missingValue(*r, p)) continue;
        if (!named && n < 2) {
            p.einst = TranslateText(kNoSetting);
        } else if (!named && kind.missingSetting) {
            kind.missingSetting(*r, p.y);
            continue;
        }
        out.points.push_back(p);
        out.records.push_back(r);
    }
    if (static_cast<double>(out.points.size()) < kRequiredShare * static_cast<double>(n)) {
        Error(c.valve, 30, text(kTooFewSettings), c.r700);
        return false;
    }
    return true;
}

// The same interpolation once more for a second value of the settings. The
// inserted settings depend on the settings alone, so both runs give the same
// points; false when they do not.
bool interpolateAlong(const TypeContext& c, const Points& read, const Points& done, Points& out) {
    if (!ApplyInterpolation(c, read, out, InterpolationMode::StepWidth, false)) return false;
    return out.size() == done.size();
}

bool rises(const Points& points) {
    return points.size() >= 2 && points.back().y > points.front().y;
}

// --- differential pressure controller ----------------------------------------------

struct ControllerCurves {
    CKurve setpoints;
    CKurve deviation;
    CKurve maxFlow;
};

// 710.02: the set differential pressure per setting, highest first.
bool readSetpoints(const TypeContext& c, CKurve& curve) {
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_02);
    if (records.empty()) {
        ReportMissingRecord(c, "710.02");
        return false;
    }
    SettingRecordKind kind;
    kind.missingValue = [&c](const CVDIBase& r, const curveNode&) {
        Hint(c.valve, 50, text(kNoSetpoint, kDelta, r.GetIndex()), &r);
        return true;
    };
    kind.missingSetting = [&c](const CVDIBase& r, float value) {
        Hint(c.valve, 50, text(kNoSettingForSetpoint, kDeltaP, value, r.GetIndex()), &r);
    };
    SettingRead read;
    Points points;
    if (!readSettings(c, records, kind, read) ||
        !CheckDuplicates(c, read.points, "710.02", DuplicateMode::Error) ||
        !CheckValueDuplicates(c, read.points, text(kSetpointName, kDelta), kUnitPressure,
                              DuplicateMode::Error) ||
        !ApplyInterpolation(c, read.points, points, InterpolationMode::StepWidth, true))
        return false;
    std::stable_sort(points.begin(), points.end(),
                     [](const curveNode& a, const curveNode& b) { return a.y > b.y; });
    curve = curveOf(points, settingUnit(c), kUnitPressure);
    return true;
}

// Two deviations, or two kv values, given twice: a hint each (the curve keeps
// both points; its lookups take the first).
void checkDeviationDuplicates(const TypeContext& c, const Points& points,
                              const std::vector<CVDIBase*>& records) {
    auto same = [](float a, float b) {
        return std::fabs(static_cast<double>(a) - static_cast<double>(b)) < kSameValue;
    };
    for (std::size_t j = 1; j < points.size(); ++j) {
        for (std::size_t i = 0; i < j; ++i) {
            const curveNode &a = points[i], &b = points[j];
            if (same(a.y, b.y)) {
                Hint(c.valve, 10, text(kSameDeviation, b.y, a.x, b.x), records[j]);
                break;
            }
            if (same(a.x, b.x)) {
                Hint(c.valve, 10, text(kSameDeviationKv, b.x, a.y, b.y), records[j]);
                break;
            }
        }
    }
}

// Ordered from the largest kv down, the deviation must not grow.
void checkDeviationRising(const TypeContext& c, const Points& points, const CVDIBase* record) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (static_cast<double>(points[i].y) - static_cast<double>(points[i - 1].y) >
            kOrderTolerance) {
            Hint(c.valve, 45, text(kDeviationNotRising), record);
            return;
        }
    }
}

// 710.03: the proportional deviation over kv, largest kv first.
bool readDeviation(const TypeContext& c, const std::vector<CVDIBase*>& records, CKurve& curve) {
    const auto missing = std::count_if(records.begin(), records.end(), [](const CVDIBase* r) {
        return !Filled(*r, kFieldDeviation);
    });
    if (missing >= 2) {
        Error(c.valve, 10, text(kDeviationsMissing), records.front());
        return false;
    }
    Points points;
    for (const CVDIBase* r : records) {
        if (!Filled(*r, kFieldDeviation)) Hint(c.valve, 50, text(kNoDeviation, r->GetIndex()), r);
        points.emplace_back(fieldValue(*r, kFieldDeviationKv), std::string(),
                            fieldValue(*r, kFieldDeviation));
    }
    if (records.size() == 1 && missing == 0)
        Hint(c.valve, 45, text(kSingleDeviation, c.index700()), c.r700);
    checkDeviationDuplicates(c, points, records);
    std::stable_sort(points.begin(), points.end(),
                     [](const curveNode& a, const curveNode& b) { return a.x > b.x; });
    checkDeviationRising(c, points, records.front());
    curve = curveOf(points, kUnitFlow, kUnitPressure);
    return true;
}

// 710.03 of stroke-limited controllers: the maximum flow per setting. Records
// naming neither a setting nor a flow carry only the deviation.
bool readMaxFlow(const TypeContext& c, const std::vector<CVDIBase*>& all, CKurve& curve) {
    std::vector<CVDIBase*> records;
    std::copy_if(all.begin(), all.end(), std::back_inserter(records), [](const CVDIBase* r) {
        return Filled(*r, kFieldSettingText) || Filled(*r, kFieldSettingNumber) ||
               Filled(*r, kFieldMaxFlow);
    });
    if (records.empty()) return true;
    SettingRecordKind kind;
    kind.valueField = kFieldMaxFlow;
    kind.missingValue = [&c](const CVDIBase& r, const curveNode& p) {
        Hint(c.valve, 50, text(kNoMaxFlow, r.GetIndex(), settingText(p)), &r);
        return false;
    };
    kind.missingSetting = [&c](const CVDIBase& r, float value) {
        Hint(c.valve, 50, text(kNoSettingForMaxFlow, value, r.GetIndex()), &r);
    };
    SettingRead read;
    Points points;
    if (!readSettings(c, records, kind, read) ||
        !CheckDuplicates(c, read.points, "710.03", DuplicateMode::Error) ||
        !ApplyInterpolation(c, read.points, points, InterpolationMode::StepWidth, true))
        return false;
    curve = curveOf(points, settingUnit(c), kUnitFlow);
    return true;
}

bool readControllerCurves(const TypeContext& c, ControllerCurves& curves) {
    if (!readSetpoints(c, curves.setpoints)) return false;
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_03);
    if (records.empty()) {
        ReportMissingRecord(c, "710.03");
        return false;
    }
    return readDeviation(c, records, curves.deviation) && readMaxFlow(c, records, curves.maxFlow);
}

// --- flow part -------------------------------------------------------------------

enum class FlowUse { FlowController, ElectronicThrottle };

struct FlowPart {
    CKurve curve;
    double effectivePressure = 0.0;
    std::vector<double> perSetting;
};

// Set flows from the largest down; a curve that neither rises nor falls
// cannot be searched by flow.
bool orderFlows(const TypeContext& c, Points& flows, Points& pressures) {
    bool up = false, down = false;
    for (std::size_t i = 1; i < flows.size(); ++i) {
        const double step = static_cast<double>(flows[i].y) - static_cast<double>(flows[i - 1].y);
        up = up || step > kOrderTolerance;
        down = down || step < -kOrderTolerance;
    }
    if (up && down) {
        Error(c.valve, 10, text(kFlowsNotMonotonic), c.r700);
        return false;
    }
    if (up) {
        std::reverse(flows.begin(), flows.end());
        std::reverse(pressures.begin(), pressures.end());
    }
    return true;
}

// The valve's effective pressure is the largest of its settings: the
// controller needs at least that much to hold every set flow.
void storeEffectivePressures(const TypeContext& c, const Points& pressures, FlowPart& part) {
    for (const curveNode& p : pressures) {
        part.perSetting.push_back(p.y);
        part.effectivePressure = std::max(part.effectivePressure, static_cast<double>(p.y));
    }
    if (part.effectivePressure > 0.0) return;
    part.perSetting.clear();
    Hint(c.valve, 45, text(kNoEffectivePressure), Records710(*c.r700, kType710_04).front());
}

SettingRecordKind flowRecordKind(const TypeContext& c) {
    SettingRecordKind kind;
    kind.missingValue = [&c](const CVDIBase& r, const curveNode& p) {
        Hint(c.valve, 50, text(kNoSetFlow, r.GetIndex(), settingText(p)), &r);
        return false;
    };
    kind.missingSetting = [&c](const CVDIBase& r, float value) {
        Hint(c.valve, 50, text(kNoSettingForSetFlow, value, r.GetIndex()), &r);
    };
    return kind;
}

// 710.04: set flow and effective pressure per setting.
bool readFlowPart(const TypeContext& c, FlowUse use, FlowPart& part) {
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_04);
    if (records.empty()) {
        ReportMissingRecord(c, "710.04");
        return false;
    }
    SettingRead read;
    Points flows, pressures;
    if (!readSettings(c, records, flowRecordKind(c), read) ||
        !CheckDuplicates(c, read.points, "710.04", DuplicateMode::Error) ||
        !CheckValueDuplicates(c, read.points, TranslateText(kFlowName), kUnitFlow,
                              DuplicateMode::Hint) ||
        !ApplyInterpolation(c, read.points, flows, InterpolationMode::StepWidth, true) ||
        !interpolateAlong(c, withValuesOf(read.points, read.records, kFieldEffectivePressure),
                          flows, pressures) ||
        !orderFlows(c, flows, pressures))
        return false;
    // An electronic throttle has neither an effective pressure nor a place
    // in the hydraulic balancing as a flow controller.
    if (use == FlowUse::FlowController) {
        if (flows.size() == 1)
            Hint(c.valve, 45, text(kSingleFlowSetting, settingText(flows.front())), c.r700);
        storeEffectivePressures(c, pressures, part);
    }
    part.curve = curveOf(flows, settingUnit(c), kUnitFlow);
    return true;
}

void storeFlowPart(nrvArmaturDFR& valve, const FlowPart& part) {
    valve.addKurve(part.curve);
    valve.setWirkdruck(part.effectivePressure);
    valve.setWirkdruckListe(part.perSetting);
}

// --- electronic throttle ------------------------------------------------------------

// kv range of the electronics: the smallest kv min and the largest kv max of
// the records; every record must give both.
bool readKvRange(const TypeContext& c, double& kvMin, double& kvMax) {
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_04);
    for (const CVDIBase* r : records) {
        if (!Filled(*r, kFieldKvMin) || !Filled(*r, kFieldKvMax)) {
            Error(c.valve, 10, text(kKvIncomplete), r);
            return false;
        }
    }
    kvMin = records.front()->GetFieldDouble(kFieldKvMin);
    kvMax = records.front()->GetFieldDouble(kFieldKvMax);
    for (const CVDIBase* r : records) {
        kvMin = std::min(kvMin, r->GetFieldDouble(kFieldKvMin));
        kvMax = std::max(kvMax, r->GetFieldDouble(kFieldKvMax));
    }
    return true;
}

// --- six-way control valve ----------------------------------------------------------

struct SixWayCurves {
    Points heating;
    Points cooling;
    double maxPressureLoss = 0.0;
};

// Both sequences run from the first setting (largest kvs) to the last.
void orderSequences(SixWayCurves& s) {
    const bool heatingFlat = s.heating.empty() || s.heating.front().y == s.heating.back().y;
    if (rises(s.heating) || (heatingFlat && rises(s.cooling))) {
        std::reverse(s.heating.begin(), s.heating.end());
        std::reverse(s.cooling.begin(), s.cooling.end());
    }
}

bool readSequences(const TypeContext& c, const std::vector<CVDIBase*>& records, SixWayCurves& s) {
    SettingRecordKind kind;
    // An empty kvs is a sequence closed at that setting.
    kind.missingValue = [](const CVDIBase&, const curveNode&) { return true; };
    SettingRead read;
    if (!readSettings(c, records, kind, read)) return false;
    const Points cooling = withValuesOf(read.points, read.records, kFieldKvsCooling);
    if (!CheckDuplicates(c, read.points, "710.10", DuplicateMode::Error) ||
        !CheckValueDuplicates(c, read.points, TranslateText(kKvsHeatingName), kUnitFlow,
                              DuplicateMode::Hint) ||
        !CheckValueDuplicates(c, cooling, TranslateText(kKvsCoolingName), kUnitFlow,
                              DuplicateMode::Hint) ||
        !ApplyInterpolation(c, read.points, s.heating, InterpolationMode::StepWidth, true) ||
        !interpolateAlong(c, cooling, s.heating, s.cooling))
        return false;
    orderSequences(s);
    for (const CVDIBase* r : records)
        s.maxPressureLoss = std::max(s.maxPressureLoss, r->GetFieldDouble(kFieldMaxPressureLoss));
    return true;
}

// --- check valve ----------------------------------------------------------------------

// A variant without kvs of its own has the execution's kvs; one without
// position code is not offered for any position (-1).
scAusfuehrung variantOf(const CVDIBase& r, double executionKvs) {
    scAusfuehrung v;
    v.kvs = Filled(r, kFieldVariantKvs) ? r.GetFieldDouble(kFieldVariantKvs) : executionKvs;
    v.einbaulage = Filled(r, kFieldPosition) ? r.GetFieldInt(kFieldPosition) : -1;
    v.schliessfeder = r.GetFieldInt(kFieldSpring) == 1 ? 1 : 0;
    v.oeffnungsdruck = r.GetFieldDouble(kFieldOpeningPressure);
    v.dpMax = r.GetFieldDouble(kFieldPassageDp);
    v.volumenstrom = r.GetFieldDouble(kFieldPassageFlow);
    return v;
}

}  // namespace

// --- type functions -----------------------------------------------------------------

bool FillDiffPressureController(TypeContext& c) {
    auto* valve = dynamic_cast<nrvArmaturDDR*>(&c.valve);
    if (!c.r700 || !valve) return false;
    ControllerCurves curves;
    if (!readControllerCurves(c, curves)) return false;
    auto* combined = dynamic_cast<nrvArmaturDDRDFR*>(valve);
    FlowPart flow;
    if (combined && !readFlowPart(c, FlowUse::FlowController, flow)) return false;
    valve->addKennlinieDp(curves.setpoints);
    valve->addKennlinieKvzuPAbw(curves.deviation);
    valve->addKennlinieMaxVolStrom(curves.maxFlow);
    if (combined) storeFlowPart(combined->getDFRAnteil(), flow);
    return true;
}

bool FillFlowController(TypeContext& c) {
    auto* valve = dynamic_cast<nrvArmaturDFR*>(&c.valve);
    if (!c.r700 || !valve) return false;
    FlowPart flow;
    if (!readFlowPart(c, FlowUse::FlowController, flow)) return false;
    storeFlowPart(*valve, flow);
    return true;
}

bool FillElectronicThrottle(TypeContext& c) {
    auto* valve = dynamic_cast<nrvArmaturElektroDross*>(&c.valve);
    if (!c.r700 || !valve) return false;
    FlowPart flow;
    double kvMin = 0.0, kvMax = 0.0;
    if (!readFlowPart(c, FlowUse::ElectronicThrottle, flow) || !readKvRange(c, kvMin, kvMax))
        return false;
    const CVDIBase& r = *c.r700;
    if (!Filled(r, kField700TMin) || !Filled(r, kField700TMax))
        Hint(c.valve, 45, text(kNoTemperatureRange, c.index700()), c.r700);
    valve->addKurve(flow.curve);
    valve->setKvmin(kvMin);
    valve->setKvmax(kvMax);
    valve->setMinRegelTemperatur(r.GetFieldDouble(kField700TMin));
    valve->setMaxRegelTemperatur(r.GetFieldDouble(kField700TMax));
    return true;
}

bool FillCheckValve(TypeContext& c) {
    auto* valve = dynamic_cast<nrvArmaturRSV*>(&c.valve);
    if (!c.r700 || !valve) return false;
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_07);
    if (records.empty()) {
        ReportMissingRecord(c, "710.07");
        return false;
    }
    // The accessory lines (710.71) below each variant reach the valve with
    // the execution's accessory list.
    valve->removeData();
    for (const CVDIBase* r : records)
        valve->addAusfuehrung(variantOf(*r, valve->getKvs()));
    return true;
}

bool FillSixWay(TypeContext& c) {
    auto* valve = dynamic_cast<nrvArmaturSechsWegeRegelarmatur*>(&c.valve);
    if (!c.r700 || !valve) return false;
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_10);
    if (records.empty()) {
        ReportMissingRecord(c, "710.10");
        return false;
    }
    SixWayCurves s;
    if (!readSequences(c, records, s)) return false;
    auto* withFlowPart = dynamic_cast<nrvArmaturSechsWegeRegelarmaturMitDFR*>(valve);
    FlowPart flow;
    if (withFlowPart && !readFlowPart(c, FlowUse::FlowController, flow)) return false;
    if (s.maxPressureLoss <= 0.0) Hint(c.valve, 45, text(kNoMaxPressureLoss), records.front());
    if (s.heating.size() == 1)
        Hint(c.valve, 45, text(kSingleSixWaySetting, settingText(s.heating.front())), c.r700);
    valve->addKurve(curveOf(s.heating, settingUnit(c), kUnitFlow));
    valve->addKurveKühlen(curveOf(s.cooling, settingUnit(c), kUnitFlow));
    valve->setDpmax(s.maxPressureLoss);
    if (withFlowPart) storeFlowPart(withFlowPart->getDFRAnteil(), flow);
    return true;
}

}  // namespace nrvVDIConvert

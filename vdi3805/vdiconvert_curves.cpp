// The helpers every valve type of the conversion shares (reports, record
// lookups, the setting curve of 710.01 with its interpolation instructions)
// and the throttles, whose kv-over-setting curve is exactly that setting curve.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "kavex/platform/interpolation.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/reportlist.h"
#include "kavex/platform/translation.h"
#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturregel.h"
#include "kavex/vdi3805/vdibase.h"
#include "kavex/vdi3805/vdiconvert_p.h"

namespace nrvVDIConvert {

using nrvBaseArmaturen::curveNode;
using nrvVDIArmaturen::nrvArmaturDross;
using nrvVDIArmaturen::nrvArmaturRegelventil;

namespace {

constexpr int kType710_01 = 71001;
constexpr double kSameSetting = 1e-6;
constexpr double kSameValue = 1e-9;
constexpr double kKvRise = 1e-6;
constexpr double kNoInstruction = 1e-5;
constexpr double kMaxSteps = 1000.0;
// Share of the 710.01 records that must give a usable setting; below it the
// curve would misrepresent the valve.
constexpr double kRequiredShare = 0.79;

constexpr const char* kSkipped = "Folge: Diese Ausführung wird übersprungen.";
constexpr const char* kSettingSkipped = "Diese Einstellung wird übersprungen.";
constexpr const char* kNoSetting = "keine Einstellung";
constexpr const char* kMissingRecord =
    "Es wurde ein Satz der Satzart 1!%s in dieser Armatur erwartet jedoch nicht gefunden.\nSiehe "
    "technische Daten der Armaturausführung (Satzart 700 mit Index 2!%d).";

constexpr const char* kFewerThanTwo =
    "Es sind weniger als zwei Datensätze der Satzart 710.01 hinterlegt, obwohl diese Armatur als "
    "Voreinstellbar deklariert wurde. Diese wird in der weiteren Verwendung als nicht einstellbar "
    "behandelt.\nSiehe Satzart 700 mit Index 1!%d (lfd. Nr.13).";
constexpr const char* kMoreThanOne =
    "Es ist mehr als ein Datensatz der Satzart 710.01 hinterlegt, obwohl diese Armatur als nicht "
    "Voreinstellbar deklariert wurde. Diese wird in der weiteren Verwendung als einstellbar "
    "behandelt.\nSiehe Satzart 700 mit Index 1!%d (lfd. Nr.13).";
constexpr const char* kBalancingWithoutSettings =
    "Dieses Strangregulierventil hat keine Einstellungen hinterlegt (Datensätze der Satzart "
    "710.01). Bitte prüfen.\nSiehe Satzart 700 mit Index 1!%d.";
constexpr const char* kNoKv =
    "Es ist kein kv-Wert hinterlegt. Der Eintrag wird als Null interpretiert.\nSiehe Satzart "
    "710.01 mit Index 1!%d.";
constexpr const char* kMissingData = "Fehlende VDI-Daten:\n";
constexpr const char* kNoSettingForKv =
    "Es ist keine Einstellung zu dem kv-Wert 1!%.2f hinterlegt.\nSiehe Satzart 710.01 mit Index "
    "2!%d.";
constexpr const char* kTooFewSettings =
    "Diese Armaturausführung wird nicht erzeugt, da ein Teil der Einstellungen nicht ausgewertet "
    "werden konnte.\nSiehe Satzart 710.01.";

constexpr const char* kDuplicateError =
    "In diesem Ventil ist die Einstellung '1!%s' mindestens zwei mal hinterlegt. Jede Einstellung "
    "darf nicht mehr als einmal vorkommen.\n";
constexpr const char* kDuplicateHint =
    "In diesem Ventil ist die Einstellung '1!%s' mindestens zwei mal hinterlegt. Jede Einstellung "
    "sollte nicht mehr als einmal vorkommen.\n";
constexpr const char* kDuplicateWhere =
    "Siehe technische Daten der Armaturausführung (Satzart 700 mit Index 1!%d, darin Satzart "
    "2!%s).";
constexpr const char* kValueDuplicateHint =
    "In diesem Ventil ist der 1!%s 2!%g3!%s mindestens bei den Einstellungen '4!%s' und '5!%s' "
    "absolut identisch hinterlegt. Jeder 6!%s sollte nicht mehr als einmal vorkommen.\nMögliche "
    "Ursache: unzureichende numerische Präzision der Daten.\n";
constexpr const char* kValueDuplicateError =
    "In diesem Ventil ist der 1!%s 2!%g3!%s mindestens bei den Einstellungen '4!%s' und '5!%s' "
    "absolut identisch hinterlegt. Jeder 6!%s darf nicht mehr als einmal vorkommen, da ansonsten "
    "die Interpolation und Sortierung der Daten sowie die Ermittlung der Berechnungsdaten nicht "
    "möglich ist.\nMögliche Ursache: unzureichende numerische Präzision der Daten.\n";

constexpr const char* kInstructionNotNumeric =
    "Es wurde eine Interpolationsanweisung bei der Einstellung '1!%s' hinterlegt, welche nicht "
    "numerisch auswertbar ist. Zwischenschritte zwischen beliebigen Einstellungen sind nur "
    "ermittelbar, wenn die Einstellungswerte numerisch auswertbar sind.";
constexpr const char* kNextNotNumericWidth =
    "Interpolationsanweisung mangelhaft. Bei der Einstellung 1!%.2f ist eine "
    "Interpolationsschrittweite\nvon 2!%.2f angegeben. Der Folgewert ist jedoch nicht numerisch "
    "auswertbar (alphanumerischer Wert: '3!%s').\nEinstellungsschritte zwischen diesen "
    "Einstellungen konnten nicht ermittelt werden.";
constexpr const char* kNextNotNumericCount =
    "Interpolationsanweisung mangelhaft. Bei der Einstellung 1!%.2f ist eine "
    "Interpolationsschrittanzahl\nvon 2!%.2f angegeben. Der Folgewert ist jedoch nicht numerisch "
    "auswertbar (alphanumerischer Wert: '3!%s').\nEinstellungsschritte zwischen diesen "
    "Einstellungen konnten nicht ermittelt werden.";

constexpr const char* kKvNotDescending =
    "Entgegen der Erwartung sind die kv-Werte nicht stetig absteigend.\nBitte prüfen Sie die "
    "Daten auf ihre korrekte Reihenfolge.\nSiehe Satzart 710.01.";

// Curve points are floats; an absurd catalogue number is held at the float
// range instead of overflowing.
float toFloat(double value) {
    if (std::isnan(value)) return 0.0f;
    return static_cast<float>(
        std::clamp(value, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

bool hasNumber(const curveNode& p) {
    return p.x >= -9998.0f;
}

// The setting as the messages name it: the catalogue's text, or the number
// when the catalogue gave only that.
std::string settingText(const curveNode& p) {
    if (!p.einst.empty() || !hasNumber(p)) return p.einst;
    return nrvNumbers::formatG(static_cast<double>(p.x));
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Walks `order` (points sorted by key, one direction) and lowers earliest[j]
// to the smallest point number before j whose key lies within `tolerance`.
// A sliding minimum keeps it linear: fuzzed catalogues carry ten thousands of
// settings below one technical-data record.
void sweepWindow(const std::vector<std::size_t>& order, const std::vector<double>& keys,
                 double tolerance, std::vector<std::size_t>& earliest) {
    std::deque<std::size_t> minima;  // positions in `order`, point numbers rising
    std::size_t start = 0;
    for (std::size_t p = 0; p < order.size(); ++p) {
        const std::size_t j = order[p];
        for (; start < p && std::fabs(keys[j] - keys[order[start]]) >= tolerance; ++start)
            if (!minima.empty() && minima.front() == start) minima.pop_front();
        if (!minima.empty() && order[minima.front()] < std::min(j, earliest[j]))
            earliest[j] = order[minima.front()];
        while (!minima.empty() && order[minima.back()] >= j)
            minima.pop_back();
        minima.push_back(p);
    }
}

// For every point of `members` the first point before it (in file order)
// whose key lies within `tolerance`, kNone when there is none.
void earliestWithin(const std::vector<double>& keys, std::vector<std::size_t> order,
                    double tolerance, std::vector<std::size_t>& earliest) {
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    sweepWindow(order, keys, tolerance, earliest);
    std::reverse(order.begin(), order.end());
    sweepWindow(order, keys, tolerance, earliest);
}

// The first earlier point of the same setting, per point: numeric settings
// within 1e-6, settings without number by their (non-empty) label.
std::vector<std::size_t> earlierSameSetting(const Points& points) {
    std::vector<std::size_t> earliest(points.size(), kNone), numeric;
    std::vector<double> keys(points.size(), 0.0);
    std::map<std::string_view, std::size_t> labels;
    for (std::size_t j = 0; j < points.size(); ++j) {
        if (hasNumber(points[j])) {
            keys[j] = points[j].x;
            numeric.push_back(j);
        } else if (!points[j].einst.empty()) {
            const auto [it, added] = labels.emplace(points[j].einst, j);
            if (!added) earliest[j] = it->second;
        }
    }
    earliestWithin(keys, numeric, kSameSetting, earliest);
    return earliest;
}

// Only throttles keep a differential-pressure range of their own settings.
void widenPressureRange(nrvArmatur& valve, const CVDIBase& record) {
    auto widen = [&record](auto& v) {
        if (Filled(record, 12)) {
            const auto dp = toFloat(record.GetFieldDouble(12));
            if (v.getDpmin() <= 0.0f || dp < v.getDpmin()) v.setDpmin(dp);
        }
        if (Filled(record, 13)) {
            const auto dp = toFloat(record.GetFieldDouble(13));
            if (dp > v.getDpmax()) v.setDpmax(dp);
        }
    };
    if (auto* dross = dynamic_cast<nrvArmaturDross*>(&valve))
        widen(*dross);
    else if (auto* control = dynamic_cast<nrvArmaturRegelventil*>(&valve))
        widen(*control);
}

// One point per 710.01 record: kv of field 9 at the setting of fields 5 to 7.
// A record without any setting is dropped when there are several (the curve
// could not place it) and kept as the only state otherwise. False (error 30)
// when too many records were dropped.
bool readSettingRecords(TypeContext& c, const std::vector<CVDIBase*>& records, Points& points) {
    const std::size_t n = records.size();
    for (const CVDIBase* record : records) {
        curveNode p;
        p.y = toFloat(record->GetFieldDouble(9));
        if (!Filled(*record, 9))
            Hint(c.valve, 50, FormatText(TranslateText(kNoKv), record->GetIndex()), record);
        if (p.setEinstellung(record->GetField(5), record->GetField(6), record->GetField(7)) == 0) {
            if (n >= 2) {
                Hint(c.valve, 50,
                     TranslateText(kMissingData) +
                         FormatText(TranslateText(kNoSettingForKv), p.y, record->GetIndex()) +
                         "\n" + TranslateText(kSettingSkipped),
                     record);
                continue;
            }
            p.einst = TranslateText(kNoSetting);
        }
        // Field 10 (the setting's own kvs) is not kept: the curve's kv values
        // already describe every setting.
        widenPressureRange(c.valve, *record);
        points.push_back(p);
    }
    if (static_cast<double>(points.size()) < kRequiredShare * static_cast<double>(n)) {
        Error(c.valve, 30, TranslateText(kTooFewSettings), c.r700);
        return false;
    }
    return true;
}

// The read points once more, with settings given only as text but readable
// as a number ("2", "0") placed at that number.
Points withNumericTexts(const Points& in) {
    Points points = in;
    for (curveNode& p : points) {
        if (hasNumber(p)) continue;
        const double value = nrvNumbers::parseDouble(p.einst);
        if (value != 0.0 || p.einst == "0") p.x = toFloat(value);
    }
    return points;
}

// The intermediate settings between `a` and `b` for the instruction of `a`.
void insertSteps(const curveNode& a, const curveNode& b, InterpolationMode mode, Points& out) {
    const double s = a.x2;
    const double x = a.x, xNext = b.x;
    const double lo = std::min(x, xNext), hi = std::max(x, xNext), d = hi - lo;
    double distance = 0.0;
    double steps = 0.0;
    if (mode == InterpolationMode::StepWidth) {
        if (d - std::fabs(s) < kNoInstruction) return;
        distance = std::fabs(s);
        steps = std::floor(d / distance - 1.0 + 0.5);
    } else {
        distance = d / s;
        steps = std::trunc(s + 0.1) - 1.0;
    }
    // No valve has that many settings between two of its catalogue settings:
    // such an instruction is a data fault and must not flood the curve.
    if (!std::isfinite(steps) || !std::isfinite(distance) || steps < 1.0 || steps > kMaxSteps)
        return;
    const int k = static_cast<int>(steps);
    CLinearInterpolation line;
    line.Add(x, a.y);
    line.Add(xNext, b.y);
    for (int j = 1; j <= k; ++j) {
        const double xj = x <= xNext ? lo + j * distance : hi - j * distance;
        const double y = line.GetY(xj);
        if (y == CLinearInterpolation::NoValue) continue;
        out.emplace_back(toFloat(xj), std::string(), toFloat(y), 0.0f);
    }
}

template <class Valve>
void storeCurve(Valve& valve, const Points& points, const CVDIBase& r700) {
    // The curve carries its units like a hand-made model: the setting unit of
    // the technical data on the abscissa, kv in m³/h.
    CKurve curve = ToCurve(points);
    curve.setEinheitx(r700.GetField(14));
    curve.setEinheity("m³/h");
    valve.addKurve(curve);
    valve.setEinheitEinst(r700.GetField(14));
}

// Interpolation, order check and storing: what every throttle does with its
// read settings.
bool finishThrottle(TypeContext& c, const Points& read) {
    Points points;
    if (!ApplyInterpolation(c, read, points, InterpolationMode::StepWidth, true)) return false;
    if (!CheckKvDescending(c, points)) return false;
    if (auto* dross = dynamic_cast<nrvArmaturDross*>(&c.valve)) {
        storeCurve(*dross, points, *c.r700);
        return true;
    }
    if (auto* control = dynamic_cast<nrvArmaturRegelventil*>(&c.valve)) {
        storeCurve(*control, points, *c.r700);
        return true;
    }
    return false;
}

}  // namespace

// --- context and reports ---------------------------------------------------

int TypeContext::index700() const {
    return r700 ? r700->GetIndex() : 0;
}

void Hint(const nrvArmatur& valve, int code, const std::string& text, const CVDIBase* record) {
    CReportList::instance().AddHint(code, valve.getHinweisText(), text, record);
}

void Error(const nrvArmatur& valve, int code, const std::string& text, const CVDIBase* record) {
    CReportList::instance().AddError(code, valve.getFehlerText(), text, record);
}

std::string WithSkipped(std::string_view text) {
    return std::string(text) + "\n" + TranslateText(kSkipped);
}

void ReportMissingRecord(const TypeContext& c, std::string_view typeText) {
    Error(c.valve, 10,
          WithSkipped(FormatText(TranslateText(kMissingRecord), typeText, c.index700())), c.r700);
}

// --- records -----------------------------------------------------------------

std::vector<CVDIBase*> Records710(const CVDIBase& r700, int typeNo) {
    // Pre-order without recursion: damaged files can nest records deeply.
    std::vector<CVDIBase*> found;
    std::vector<const CVDIBase*> pending;
    for (auto it = r700.GetChildren().rbegin(); it != r700.GetChildren().rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        const CVDIBase* record = pending.back();
        pending.pop_back();
        if (record->GetTypeNo() == typeNo) found.push_back(const_cast<CVDIBase*>(record));
        for (auto it = record->GetChildren().rbegin(); it != record->GetChildren().rend(); ++it)
            pending.push_back(it->get());
    }
    return found;
}

bool Filled(const CVDIBase& record, int fieldNo) {
    return !record.GetField(fieldNo).empty();
}

// --- curve helpers -------------------------------------------------------------

bool ReadSettingCurve(TypeContext& c, Points& points, bool& presettable) {
    if (!c.r700) return false;
    const CVDIBase& r = *c.r700;
    const std::vector<CVDIBase*> records = Records710(r, kType710_01);
    const std::size_t n = records.size();
    presettable = r.GetFieldInt(13) != 0;
    if (n < 2 && presettable)
        Hint(c.valve, 45, FormatText(TranslateText(kFewerThanTwo), c.index700()), &r);
    else if (n >= 2 && !presettable)
        Hint(c.valve, 45, FormatText(TranslateText(kMoreThanOne), c.index700()), &r);
    presettable = n >= 2;
    if (n == 0) {
        if (c.type == 204)
            Hint(c.valve, 45, FormatText(TranslateText(kBalancingWithoutSettings), c.index700()),
                 &r);
        points.emplace_back(curveNode::NoNumericSetting, TranslateText(kNoSetting),
                            toFloat(c.valve.getKvs()), 0.0f);
        return true;
    }
    return readSettingRecords(c, records, points);
}

bool CheckDuplicates(const TypeContext& c, const Points& points, std::string_view typeText,
                     DuplicateMode mode) {
    const bool error = mode == DuplicateMode::Error;
    const std::vector<std::size_t> earlier = earlierSameSetting(points);
    for (std::size_t j = 0; j < points.size(); ++j) {
        if (earlier[j] == kNone) continue;
        const std::string text = FormatText(TranslateText(error ? kDuplicateError : kDuplicateHint),
                                            settingText(points[j])) +
                                 FormatText(TranslateText(kDuplicateWhere), c.index700(), typeText);
        if (error) {
            Error(c.valve, 10, text, c.r700);
            return false;
        }
        Hint(c.valve, 10, text, c.r700);
    }
    return true;
}

bool CheckValueDuplicates(const TypeContext& c, const Points& points, std::string_view valueName,
                          std::string_view unit, DuplicateMode mode) {
    const bool error = mode == DuplicateMode::Error;
    const std::string unitText = unit.empty() ? std::string() : " " + std::string(unit);
    std::vector<double> keys;
    std::vector<std::size_t> all, earlier(points.size(), kNone);
    for (const curveNode& p : points) {
        all.push_back(keys.size());
        keys.push_back(p.y);
    }
    earliestWithin(keys, all, kSameValue, earlier);
    for (std::size_t j = 0; j < points.size(); ++j) {
        if (earlier[j] == kNone) continue;
        const std::string text =
            FormatText(TranslateText(error ? kValueDuplicateError : kValueDuplicateHint), valueName,
                       points[j].y, unitText, settingText(points[earlier[j]]),
                       settingText(points[j]), valueName);
        if (error) {
            Error(c.valve, 10, text, c.r700);
            return false;
        }
        Hint(c.valve, 10, text, c.r700);
    }
    return true;
}

bool ApplyInterpolation(const TypeContext& c, const Points& in, Points& out, InterpolationMode mode,
                        bool messages) {
    if (in.empty()) return false;
    if (in.size() == 1) {
        out = in;
        return true;
    }
    const Points points = withNumericTexts(in);
    const bool count = mode == InterpolationMode::StepCount;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const curveNode& p = points[i];
        out.push_back(p);
        if (i + 1 == points.size()) break;
        const double s = p.x2;
        if (std::fabs(s) < kNoInstruction || (count && std::fabs(s - 1.0) < kNoInstruction))
            continue;
        const curveNode& next = points[i + 1];
        if (!hasNumber(p)) {
            if (messages)
                Hint(c.valve, 50, FormatText(TranslateText(kInstructionNotNumeric), p.einst) + "\n",
                     c.r700);
        } else if (!hasNumber(next)) {
            if (messages)
                Hint(c.valve, 50,
                     FormatText(TranslateText(count ? kNextNotNumericCount : kNextNotNumericWidth),
                                p.x, s, next.einst) +
                         "\n",
                     c.r700);
        } else {
            insertSteps(p, next, mode, out);
        }
    }
    return true;
}

bool CheckKvDescending(const TypeContext& c, Points& points) {
    if (points.empty()) return false;
    auto rising = [&points] {
        for (std::size_t i = 1; i < points.size(); ++i)
            if (static_cast<double>(points[i].y) - static_cast<double>(points[i - 1].y) > kKvRise)
                return true;
        return false;
    };
    if (!rising()) return true;
    std::reverse(points.begin(), points.end());
    if (!rising()) return true;
    Error(c.valve, 10, TranslateText(kKvNotDescending) + "\n", c.r700);
    return false;
}

CKurve ToCurve(const Points& points) {
    CKurve curve;
    for (const curveNode& p : points)
        curve.addCurveNode(p.x, p.einst, p.y, 0.0f);
    return curve;
}

// --- throttles -------------------------------------------------------------------

bool FillThrottle(TypeContext& c) {
    if (!c.r700) return false;
    Points read;
    bool presettable = false;
    if (!ReadSettingCurve(c, read, presettable)) return false;
    if (!CheckDuplicates(c, read, "710.01", DuplicateMode::Error)) return false;
    return finishThrottle(c, read);
}

bool FillManualThrottle(TypeContext& c) {
    if (!c.r700 || typeid(c.valve) != typeid(nrvArmaturDross)) return false;
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_01);
    if (records.empty()) {
        ReportMissingRecord(c, "710.01");
        return false;
    }
    Points read;
    if (!readSettingRecords(c, records, read)) return false;
    return finishThrottle(c, read);
}

}  // namespace nrvVDIConvert

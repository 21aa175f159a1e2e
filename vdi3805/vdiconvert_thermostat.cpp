// Radiator valve bodies from their 710.xx records: the thermostatic valve body
// (kv per setting at the proportional band of the design), the body with flow
// limitation (kv, differential-pressure range and flow limit per setting) and
// the one-pipe connection (bypass and radiator-path kv per setting, with or
// without thermostatic part).
//
// A thermostatic valve passes more water the larger the proportional band it
// is designed with, so catalogues give the kv of a setting at several XP
// values (typically 1 K and 2 K). The design XP picks the kv between them.
// Which field carries what is written down in docs/vdi3805-fields-thermostat.md.

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kavex/curves/einstellungkurve.h"
#include "kavex/curves/kurve14.h"
#include "kavex/platform/interpolation.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"
#include "kavex/valves/armaturthkv.h"
#include "kavex/vdi3805/vdibase.h"
#include "kavex/vdi3805/vdiconvert_p.h"
#include "kavex/vdi3805/vdirecords.h"

namespace nrvVDIConvert {

using nrvBaseArmaturen::CEinstellungKurve;
using nrvBaseArmaturen::CKurve14;
using nrvBaseArmaturen::curveNode;
using nrvBaseArmaturen::curveNode14;
using nrvVDIArmaturen::nrvArmaturEAV;
using nrvVDIArmaturen::nrvArmaturTHKV;
using nrvVDIArmaturen::nrvArmaturTHKVDFR;

namespace {

// --- record layout -------------------------------------------------------------

constexpr int kType71001 = 71001;
constexpr int kType71002 = 71002;
constexpr int kType71003 = 71003;

// 710.01 of the radiator valve bodies.
constexpr int kFieldXp = 3;
constexpr int kFieldSettingText = 5;
constexpr int kFieldSettingValue = 6;
constexpr int kFieldInterpolation = 7;
constexpr int kFieldKvB = 8;  // one-pipe connection: bypass kv
constexpr int kFieldKv = 9;   // kv at the XP; one-pipe connection: radiator-path kv
constexpr int kFieldKvs = 10;
constexpr int kFieldNoiseLimit = 13;
// 710.02 and 710.03 of the body with flow limitation (settings as in 710.01).
constexpr int kFieldDpMin = 8;
constexpr int kFieldDpMax = 9;
constexpr int kFieldFlowMax = 9;
// 700: presettable (1) or not (0), unit of the setting.
constexpr int kField700Presettable = 13;
constexpr int kField700SettingUnit = 14;

// Heating systems are designed with a proportional band of 2 K unless the
// planner chooses otherwise; a catalogue XP nearest to it is the natural default.
constexpr double kUsualDesignXp = 2.0;
constexpr double kSameValue = 1e-6;
// Part of the settings that must survive the checks for the execution to be built.
constexpr double kMinKeptShare = 0.79;

// Value columns of one setting: kv for the valve bodies; bypass kv, radiator
// kv, kvs and noise limit for one-pipe connections.
enum Column { ColKv = 0, ColKvB = 0, ColKvH = 1, ColKvs = 2, ColNoise = 3 };
using Values = std::array<double, 4>;

// --- messages --------------------------------------------------------------------

namespace msg {
constexpr const char* NoSetting =
    "In dieser Ausführung wurde keine Einstellung gefunden.\nSiehe Satzart 710.01 (Lfd.Nr. 5 für "
    "alphanumerische und 6 für numerische Einstellungen).";
constexpr const char* NoKv =
    "Diese gewählte Ausführung der Thermostatischen Heizkörper-Ventile hat bei der Einstellung "
    "'1!%s' in den technischen Daten keinen kv-Wert hinterlegt.\nDiese Einstellung wird "
    "übersprungen.\nSiehe Satzart 710.01 mit Index 2!%d.";
constexpr const char* XpTwice =
    "Eine gewählte Ausführung der Thermostatischen Heizkörper-Ventile hat zu der Einstellung "
    "'1!%s' in den technischen Daten den XP-Wert 2!%s doppelt hinterlegt.\nSiehe Satzart 710.01 "
    "mit Index 3!%d.";
constexpr const char* BadXpKv =
    "Eine gewählte Ausführung der Thermostatischen Heizkörper-Ventile hat bei der Einstellung 1!%s "
    "in den technischen Daten fehlerhafte XP- und/oder kv-Werte hinterlegt. (Satzart 710.01 "
    "Lfd.Idx.3 und 9)\nDiese Einstellung wird übersprungen.";
constexpr const char* SingleXp =
    "Eine gewählte Ausführung der Thermostatischen Heizkörper-Ventile hat bei der Einstellung 1!%s "
    "in den technischen Daten nur einen einzigen XP hinterlegt. Trotz ggf. anderer Auswahl wird "
    "mangels Interpolationsmöglichkeiten ein XP von 2!%.2f übernommen.\nSiehe Satzart 710.01 mit "
    "Index 3!%d.";
constexpr const char* NoXp =
    "Es wurde kein XP-Wert in den Typspezifischen Daten mit der Satzart 710.01 gefunden.";
constexpr const char* NoXpResult =
    "Folge: Es kann kein auslegungsspezifischer kv-Wert ermittelt werden.";
constexpr const char* NoKvB =
    "Diese gewählte Ausführung der Thermostatischen Heizkörper-Ventile hat bei der Einstellung "
    "'1!%s' in den technischen Daten keinen kvB-Wert hinterlegt.\nDiese Einstellung wird "
    "übersprungen.\nSiehe Satzart 710.01 mit Index 2!%d.";
constexpr const char* NoKvH =
    "Diese gewählte Ausführung der Thermostatischen Heizkörper-Ventile hat bei der Einstellung "
    "'1!%s' in den technischen Daten keinen kvH-Wert hinterlegt.\nDiese Einstellung wird "
    "übersprungen.\nSiehe Satzart 710.01 mit Index 2!%d.";
constexpr const char* NoKvs =
    "Diese gewählte Ausführung der Thermostatischen Heizkörper-Ventile hat bei der Einstellung "
    "'1!%s' in den technischen Daten keinen kvs-Wert hinterlegt.\nDer Wert wird aus der Summe von "
    "kvB (3!%s m³/h) und kvH (4!%s m³/h) gebildet.\nSiehe Satzart 710.01 mit Index 2!%d.";
constexpr const char* NoNoiseLimit =
    "Diese gewählte Ausführung der Thermostatischen Heizkörper-Ventile hat bei der Einstellung "
    "'1!%s' in den technischen Daten keine Geräuschgrenze hinterlegt.\nSiehe Satzart 710.01 mit "
    "Index 2!%d.";
constexpr const char* BadKvs =
    "Diese gewählte Ausführung der Thermostatischen Heizkörper-Ventile hat bei der Einstellung "
    "'1!%s' in den technischen Daten keinen gültigen kvs-Wert (2!%.2f m³/h) hinterlegt.\nDer "
    "kvs-Wert sollte der Summe aus kvB (3!%.2f m³/h) und kvH (4!%.2f m³/h) entsprechen.\nSiehe "
    "Satzart 710.01.";
constexpr const char* KvHOrder =
    "Entgegen der Erwartung sind die kvH-Werte nicht stetig absteigend.\nBitte prüfen Sie die "
    "Daten "
    "auf ihre korrekte Reihenfolge.\nSiehe Satzart 710.01.";
constexpr const char* KvBOrder =
    "Entgegen der Erwartung sind die kvB-Werte nicht stetig ansteigend.\nBitte prüfen Sie die "
    "Daten "
    "auf ihre korrekte Reihenfolge.\nSiehe Satzart 710.01.";
constexpr const char* TooFew = "Es sind zu wenige Einstellungen vorhanden.\nSiehe Satzart 710.01.";
constexpr const char* Ranges =
    "Entgegen der Erwartung sind unterschiedliche Einstellungsbandbreiten und Schrittweiten in den "
    "Daten ermittelt worden.\nBitte prüfen Sie die Daten auf angegebene Einstellungen und "
    "Interpolationsanweisungen.\nSiehe technische Daten der Armaturausführung (Satzart 700 mit "
    "Index 1!%d, darin Satzart 710.01, 710.02 und 710.03).";
constexpr const char* SettingOrder =
    "Entgegen der Erwartung sind die Einstellungswerte nicht stetig absteigend.\nBitte prüfen Sie "
    "die Daten auf ihre korrekte Reihenfolge.\nSiehe technische Daten der Armaturausführung "
    "(Satzart 700 mit Index 1!%d).";
constexpr const char* NotNumeric =
    "Nicht alle hinterlegten Einstellungswerte sind numerisch auswertbar.\nBitte prüfen Sie die "
    "Daten auf ihre korrekte Reihenfolge.\nSiehe technische Daten der Armaturausführung (Satzart "
    "700 mit Index 1!%d).";
// The same findings as for throttles and controllers, worded as there.
constexpr const char* MissingData = "Fehlende VDI-Daten:\n";
constexpr const char* NoSettingForKv =
    "Es ist keine Einstellung zu dem kv-Wert 1!%.2f hinterlegt.\nSiehe Satzart 710.01 mit Index "
    "2!%d.";
constexpr const char* SettingSkipped = "Diese Einstellung wird übersprungen.";
constexpr const char* NoSettingForDp =
    "Es ist keine Einstellung zu dem 1!%s-Wert 2!%.2f hinterlegt.\nSiehe Satzart 710.02 mit Index "
    "3!%d.";
constexpr const char* NoDp =
    "Es ist kein 1!%cp-Wert hinterlegt. Der Eintrag wird als Null interpretiert.\nSiehe Satzart "
    "710.02 mit Index 2!%d.";
constexpr const char* NoSettingForFlow =
    "Es ist keine Einstellung zu dem Volumenstrom-Wert 1!%.2f hinterlegt.\nSiehe Satzart 710.03 "
    "mit "
    "Index 2!%d.";
constexpr const char* NoFlow =
    "Es ist kein maximaler Volumenstrom-Wert für die Einstellung 2!%s hinterlegt.\nDiese "
    "Einstellung wird übersprungen.\nSiehe Satzart 710.03 mit Index 1!%d.";
constexpr const char* NoSettingLabel = "keine Einstellung";
constexpr const char* DpMaxLabel = "@delta p max@%cp max";
constexpr const char* DpMinLabel = "@delta p min@%cp min";
constexpr const char* Delta = "Δ";
}  // namespace msg

constexpr int kHintValve = 45;    // about the execution's data as a whole
constexpr int kHintRecord = 50;   // about one record or setting
constexpr int kErrorOrder = 10;   // data that contradict each other
constexpr int kErrorTooFew = 30;  // too little left to build the valve

template <class... Args>
void HintText(const TypeContext& c, int code, const CVDIBase* record, const char* key,
              const Args&... args) {
    Hint(c.valve, code, FormatText(TranslateText(key), FmtPar(args)...), record);
}

template <class... Args>
void ErrorText(const TypeContext& c, int code, const CVDIBase* record, const char* key,
               const Args&... args) {
    Error(c.valve, code, FormatText(TranslateText(key), FmtPar(args)...), record);
}

// "Δp max" and "Δp min": the labels carry the delta as a character placeholder.
std::string DeltaLabel(const char* key) {
    std::string text = TranslateText(key);
    const std::string delta = msg::Delta;
    for (auto pos = text.find("%c"); pos != std::string::npos; pos = text.find("%c", pos)) {
        text.replace(pos, 2, delta);
        pos += delta.size();
    }
    return text;
}

// The setting as the messages name it: its label, else its number.
std::string SettingName(const curveNode& node) {
    if (!node.einst.empty()) return node.einst;
    return nrvNumbers::formatG(static_cast<double>(node.x));
}

bool HasNumericSetting(const curveNode& node) {
    return node.x >= -9998.0f;
}

// Reads fields 5 to 7 (label, number, interpolation instruction) into a point;
// false when the record names no setting.
bool ReadSetting(const CVDIBase& record, curveNode& node) {
    return node.setEinstellung(record.GetField(kFieldSettingText),
                               record.GetField(kFieldSettingValue),
                               record.GetField(kFieldInterpolation)) != 0;
}

// --- the design XP -----------------------------------------------------------------

// The catalogue XP closest to the usual design band (the smaller on a tie);
// 0 when no record carries an XP.
double PreferredXp(const std::vector<CVDIBase*>& records) {
    double best = 0.0;
    for (const CVDIBase* record : records) {
        if (!Filled(*record, kFieldXp)) continue;
        const double xp = record->GetFieldDouble(kFieldXp);
        if (xp <= 0.0) continue;
        const double distance = std::fabs(xp - kUsualDesignXp);
        const double bestDistance = std::fabs(best - kUsualDesignXp);
        if (best <= 0.0 || distance < bestDistance - kSameValue ||
            (std::fabs(distance - bestDistance) <= kSameValue && xp < best))
            best = xp;
    }
    return best;
}

// How the XP dimension of the records is resolved.
struct XpPlan {
    bool haveXp = false;  // some record carries an XP
    double design = 0.0;  // the XP the kv values are read at
};

XpPlan MakeXpPlan(const TypeContext& c, const std::vector<CVDIBase*>& records) {
    XpPlan plan;
    const double preferred = PreferredXp(records);
    plan.haveXp = preferred > 0.0;
    plan.design = (c.xp > 0.0f || !plan.haveXp) ? static_cast<double>(c.xp) : preferred;
    return plan;
}

// --- settings of the 710.01 records ------------------------------------------------

// What one record gives for its setting at its XP.
struct Sample {
    const CVDIBase* record = nullptr;
    double xp = 0.0;
    bool xpGiven = false;
    Values values{};
};

// All records of one setting; node.x2 holds the interpolation instruction.
struct Setting {
    curveNode node;
    std::vector<Sample> samples;
};

// A setting with its values at the design XP.
struct Resolved {
    curveNode node;
    Values values{};
    double xp = 0.0;
};

// The value sets the functions read from 710.01.
enum class Kind { Body, OnePipe };

Sample MakeSample(const CVDIBase& record) {
    Sample s;
    s.record = &record;
    s.xpGiven = Filled(record, kFieldXp);
    s.xp = record.GetFieldDouble(kFieldXp);
    return s;
}

std::vector<Setting>::iterator FindSetting(std::vector<Setting>& settings, const curveNode& node) {
    return std::find_if(settings.begin(), settings.end(),
                        [&](const Setting& s) { return s.node == node; });
}

// Records without any setting: a valve that is not presettable has exactly
// one setting, the one without a name; a presettable one lacks its data.
bool GroupWithoutSettings(const TypeContext& c, const std::vector<CVDIBase*>& records, bool byXp,
                          std::vector<Setting>& out) {
    if (c.r700->GetFieldInt(kField700Presettable) != 0) {
        ErrorText(c, kErrorTooFew, c.r700, msg::NoSetting);
        return false;
    }
    curveNode node(curveNode::NoNumericSetting, TranslateText(msg::NoSettingLabel), 0.0f);
    for (const CVDIBase* record : records) {
        if (out.empty() || !byXp) out.push_back(Setting{node, {}});
        out.back().samples.push_back(MakeSample(*record));
    }
    return true;
}

// Groups the records by setting, in the order the settings first appear. With
// `byXp` false every record is a setting of its own. A record without setting
// among records with settings is dropped with a hint.
bool GroupSettings(const TypeContext& c, const std::vector<CVDIBase*>& records, bool byXp,
                   std::vector<Setting>& out) {
    curveNode probe;
    const bool anySetting = std::any_of(records.begin(), records.end(),
                                        [&](const CVDIBase* r) { return ReadSetting(*r, probe); });
    if (!anySetting) return GroupWithoutSettings(c, records, byXp, out);
    for (const CVDIBase* record : records) {
        curveNode node;
        if (!ReadSetting(*record, node)) {
            const std::string text =
                TranslateText(msg::MissingData) +
                FormatText(TranslateText(msg::NoSettingForKv), record->GetFieldDouble(kFieldKv),
                           record->GetIndex()) +
                "\n" + TranslateText(msg::SettingSkipped);
            Hint(c.valve, kHintRecord, text, record);
            continue;
        }
        auto it = byXp ? FindSetting(out, node) : out.end();
        if (it == out.end()) it = out.insert(out.end(), Setting{node, {}});
        it->samples.push_back(MakeSample(*record));
    }
    return true;
}

// Fills the sample's values; false (with its hint) when a value the setting
// cannot do without is missing.
bool ReadBodyValues(const TypeContext& c, const std::string& name, Sample& s) {
    if (!Filled(*s.record, kFieldKv)) {
        HintText(c, kHintRecord, s.record, msg::NoKv, name, s.record->GetIndex());
        return false;
    }
    s.values[ColKv] = s.record->GetFieldDouble(kFieldKv);
    return true;
}

bool ReadOnePipeValues(const TypeContext& c, const std::string& name, Sample& s) {
    const CVDIBase& r = *s.record;
    if (!Filled(r, kFieldKvB)) {
        HintText(c, kHintRecord, &r, msg::NoKvB, name, r.GetIndex());
        return false;
    }
    if (!Filled(r, kFieldKv)) {
        HintText(c, kHintRecord, &r, msg::NoKvH, name, r.GetIndex());
        return false;
    }
    s.values[ColKvB] = r.GetFieldDouble(kFieldKvB);
    s.values[ColKvH] = r.GetFieldDouble(kFieldKv);
    s.values[ColKvs] = r.GetFieldDouble(kFieldKvs);
    if (!Filled(r, kFieldKvs)) {
        s.values[ColKvs] = s.values[ColKvB] + s.values[ColKvH];
        HintText(c, kHintRecord, &r, msg::NoKvs, name, r.GetIndex(), s.values[ColKvB],
                 s.values[ColKvH]);
    }
    s.values[ColNoise] = r.GetFieldDouble(kFieldNoiseLimit);
    if (!Filled(r, kFieldNoiseLimit)) {
        // Without its own limit the connection keeps the valve's maximum
        // differential pressure.
        s.values[ColNoise] = c.valve.getMaxDiffdruck();
        HintText(c, kHintRecord, &r, msg::NoNoiseLimit, name, r.GetIndex());
    }
    return true;
}

bool ReadValues(const TypeContext& c, Kind kind, Setting& setting) {
    const std::string name = SettingName(setting.node);
    for (Sample& s : setting.samples) {
        const bool ok =
            kind == Kind::Body ? ReadBodyValues(c, name, s) : ReadOnePipeValues(c, name, s);
        if (!ok) return false;
    }
    return true;
}

// A second record of the same XP adds nothing; the first one counts.
void DropRepeatedXp(const TypeContext& c, Setting& setting) {
    std::vector<Sample> kept;
    for (const Sample& s : setting.samples) {
        const bool repeated = std::any_of(kept.begin(), kept.end(), [&](const Sample& k) {
            return std::fabs(k.xp - s.xp) < kSameValue;
        });
        if (!repeated) {
            kept.push_back(s);
            continue;
        }
        HintText(c, kHintRecord, s.record, msg::XpTwice, SettingName(setting.node), s.xp,
                 s.record->GetIndex());
    }
    setting.samples = std::move(kept);
}

// Every kv must belong to a proportional band, and a wider band never lets
// less water through.
bool PlausibleXpCurve(std::vector<Sample>& samples, int kvColumn) {
    std::sort(samples.begin(), samples.end(),
              [](const Sample& a, const Sample& b) { return a.xp < b.xp; });
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        if (!s.xpGiven || s.xp <= 0.0 || s.values[kvColumn] < 0.0) return false;
        if (i > 0 && s.values[kvColumn] < samples[i - 1].values[kvColumn] - kSameValue)
            return false;
    }
    return true;
}

// The values of the samples at `xp`, which lies within their XP range.
Values ValuesAtXp(const std::vector<Sample>& samples, double xp) {
    Values out{};
    for (std::size_t col = 0; col < out.size(); ++col) {
        CLinearInterpolation table;
        for (const Sample& s : samples)
            table.Add(s.xp, s.values[col]);
        out[col] = table.GetY(xp, true);
    }
    return out;
}

// One-pipe connections: bypass and radiator path together make the kvs.
void CheckKvsSum(const TypeContext& c, const Setting& setting, const Values& v) {
    const double sum = v[ColKvB] + v[ColKvH];
    // Catalogue values carry two decimals; allow for their rounding.
    if (std::fabs(v[ColKvs] - sum) <= 0.01 + 0.01 * sum) return;
    HintText(c, kHintRecord, setting.samples.front().record, msg::BadKvs, SettingName(setting.node),
             v[ColKvs], v[ColKvB], v[ColKvH]);
}

// The setting's values at the design XP; false when the setting is skipped.
bool ResolveSetting(const TypeContext& c, Kind kind, const XpPlan& plan, Setting& setting,
                    Resolved& out) {
    if (setting.samples.empty() || !ReadValues(c, kind, setting)) return false;
    DropRepeatedXp(c, setting);
    const int kvColumn = kind == Kind::Body ? ColKv : ColKvH;
    const std::string name = SettingName(setting.node);
    const bool several = setting.samples.size() > 1;
    if ((plan.haveXp || several) && !PlausibleXpCurve(setting.samples, kvColumn)) {
        HintText(c, kHintRecord, setting.samples.front().record, msg::BadXpKv, name);
        return false;
    }
    out.node = setting.node;
    out.xp = plan.haveXp ? plan.design : static_cast<double>(c.xp);
    if (!several) {
        const Sample& only = setting.samples.front();
        out.values = only.values;
        if (plan.haveXp && std::fabs(only.xp - plan.design) >= kSameValue) {
            out.xp = only.xp;
            HintText(c, kHintRecord, only.record, msg::SingleXp, name, only.xp,
                     only.record->GetIndex());
        }
    } else {
        // Beyond the catalogue's bands the nearest measured band holds; the
        // values then belong to that band.
        out.xp = std::clamp(plan.design, setting.samples.front().xp, setting.samples.back().xp);
        out.values = ValuesAtXp(setting.samples, out.xp);
    }
    if (kind == Kind::OnePipe) CheckKvsSum(c, setting, out.values);
    return true;
}

// Enough settings must survive for the execution to stand for the catalogue's valve.
bool EnoughSettings(const TypeContext& c, std::size_t kept, std::size_t found) {
    if (kept > 0 && static_cast<double>(kept) >= kMinKeptShare * static_cast<double>(found))
        return true;
    ErrorText(c, kErrorTooFew, c.r700, msg::TooFew);
    return false;
}

Points ToPoints(const std::vector<Resolved>& settings, int column) {
    Points points;
    for (const Resolved& r : settings) {
        curveNode p = r.node;
        p.y = static_cast<float>(r.values[column]);
        points.push_back(p);
    }
    return points;
}

// A setting row after the interpolation instructions were applied.
struct Row {
    curveNode node;  // x and label
    std::array<float, 4> values{};
};

// Applies the interpolation instructions to every value column alike (the
// inserted settings depend on the settings only); messages come once.
bool Interpolate(const TypeContext& c, const std::vector<Resolved>& settings, int columns,
                 std::vector<Row>& rows) {
    rows.clear();
    if (settings.empty()) return true;
    for (int col = 0; col < columns; ++col) {
        Points out;
        if (!ApplyInterpolation(c, ToPoints(settings, col), out, InterpolationMode::StepWidth,
                                col == 0))
            return false;
        if (col == 0) rows.resize(out.size());
        if (out.size() != rows.size()) return false;
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (col == 0) rows[i].node = curveNode(out[i].x, out[i].einst, 0.0f);
            rows[i].values[col] = out[i].y;
        }
    }
    return true;
}

// The XP the finished curve belongs to: the design XP, or the one XP every
// setting had to fall back to.
double EffectiveXp(const std::vector<Resolved>& settings, const XpPlan& plan, float chosen) {
    if (!plan.haveXp) return chosen;
    if (settings.empty()) return plan.design;
    const double first = settings.front().xp;
    const bool same = std::all_of(settings.begin(), settings.end(), [&](const Resolved& r) {
        return std::fabs(r.xp - first) < kSameValue;
    });
    return same ? first : plan.design;
}

// Reads the 710.01 records of a radiator valve body into setting rows at the
// design XP. `byXp` false: one record per setting, no XP (one-pipe connection
// without thermostatic part). False (reported) when the execution is skipped.
bool ReadSettingRows(TypeContext& c, Kind kind, bool byXp, std::vector<Row>& rows, double& xp) {
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType71001);
    if (records.empty()) {
        ReportMissingRecord(c, "710.01");
        return false;
    }
    std::vector<Setting> settings;
    if (!GroupSettings(c, records, byXp, settings)) return false;
    XpPlan plan = byXp ? MakeXpPlan(c, records) : XpPlan{};
    if (byXp && !plan.haveXp) {
        const std::string text = TranslateText(msg::NoXp) + "\n" + TranslateText(msg::NoXpResult);
        Hint(c.valve, kHintValve, text, c.r700);
    }
    std::vector<Resolved> resolved;
    for (Setting& setting : settings) {
        Resolved r;
        if (ResolveSetting(c, kind, plan, setting, r)) resolved.push_back(r);
    }
    if (!EnoughSettings(c, resolved.size(), settings.size())) return false;
    if (!byXp && !CheckDuplicates(c, ToPoints(resolved, 0), "710.01", DuplicateMode::Error))
        return false;
    xp = EffectiveXp(resolved, plan, c.xp);
    return Interpolate(c, resolved, kind == Kind::Body ? 1 : 4, rows);
}

// --- one-pipe connections -----------------------------------------------------------

bool Rises(const std::vector<Row>& rows, int column) {
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i].values[column] > rows[i - 1].values[column] + kSameValue) return true;
    return false;
}

bool Falls(const std::vector<Row>& rows, int column) {
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i].values[column] < rows[i - 1].values[column] - kSameValue) return true;
    return false;
}

// From the setting with the largest radiator share on, the radiator path
// closes while the bypass opens. A connection listed the other way round is
// turned once.
bool OrderOnePipe(const TypeContext& c, std::vector<Row>& rows) {
    if (Rises(rows, ColKvH)) std::reverse(rows.begin(), rows.end());
    const bool kvHOk = !Rises(rows, ColKvH);
    const bool kvBOk = !Falls(rows, ColKvB);
    if (!kvHOk) ErrorText(c, kErrorOrder, c.r700, msg::KvHOrder);
    if (!kvBOk) ErrorText(c, kErrorOrder, c.r700, msg::KvBOrder);
    return kvHOk && kvBOk;
}

bool FillOnePipe(TypeContext& c, bool thermostatic) {
    auto* valve = dynamic_cast<nrvArmaturEAV*>(&c.valve);
    if (valve == nullptr || c.r700 == nullptr) return false;
    std::vector<Row> rows;
    double xp = nrvArmaturEAV::XpNichtAngegeben;
    if (!ReadSettingRows(c, Kind::OnePipe, thermostatic, rows, xp)) return false;
    if (!OrderOnePipe(c, rows)) return false;
    CKurve14 curve;
    curve.setEinheitx(c.r700->GetField(kField700SettingUnit));
    curve.setEinheity1("m³/h");
    curve.setEinheity2("m³/h");
    curve.setEinheity3("m³/h");
    curve.setEinheity4("mbar");
    for (const Row& r : rows)
        curve.addCurveNode(curveNode14(r.node.x, r.node.einst, r.values[ColKvB], r.values[ColKvH],
                                       r.values[ColKvs], r.values[ColNoise]));
    valve->addKurve14(curve);
    valve->setXp(thermostatic ? xp : nrvArmaturEAV::XpNichtAngegeben);
    return true;
}

// --- body with flow limitation ------------------------------------------------------

// One list of per-setting values of 710.02 (Δp max, Δp min) or 710.03 (flow limit).
bool ReadDpRecord(const TypeContext& c, const CVDIBase& r, Resolved& out) {
    if (!ReadSetting(r, out.node)) {
        // Name the value the record does give.
        const bool max = Filled(r, kFieldDpMax) || !Filled(r, kFieldDpMin);
        HintText(c, kHintRecord, &r, msg::NoSettingForDp,
                 DeltaLabel(max ? msg::DpMaxLabel : msg::DpMinLabel),
                 r.GetFieldDouble(max ? kFieldDpMax : kFieldDpMin), r.GetIndex());
        return false;
    }
    const int fields[2] = {kFieldDpMax, kFieldDpMin};
    for (int col = 0; col < 2; ++col) {
        out.values[col] = r.GetFieldDouble(fields[col]);
        if (!Filled(r, fields[col]))
            HintText(c, kHintRecord, &r, msg::NoDp, msg::Delta, r.GetIndex());
    }
    return true;
}

bool ReadFlowRecord(const TypeContext& c, const CVDIBase& r, Resolved& out) {
    if (!ReadSetting(r, out.node)) {
        HintText(c, kHintRecord, &r, msg::NoSettingForFlow, r.GetFieldDouble(kFieldFlowMax),
                 r.GetIndex());
        return false;
    }
    if (!Filled(r, kFieldFlowMax)) {
        HintText(c, kHintRecord, &r, msg::NoFlow, r.GetIndex(), SettingName(out.node));
        return false;
    }
    out.values[0] = r.GetFieldDouble(kFieldFlowMax);
    return true;
}

using RecordReader = bool (*)(const TypeContext&, const CVDIBase&, Resolved&);

bool ReadLimitRows(TypeContext& c, int typeNo, const char* typeText, RecordReader read, int columns,
                   std::vector<Row>& rows) {
    const std::vector<CVDIBase*> records = Records710(*c.r700, typeNo);
    if (records.empty()) {
        ReportMissingRecord(c, typeText);
        return false;
    }
    std::vector<Resolved> settings;
    for (const CVDIBase* record : records) {
        Resolved r;
        if (read(c, *record, r)) settings.push_back(r);
    }
    if (!CheckDuplicates(c, ToPoints(settings, 0), typeText, DuplicateMode::Error)) return false;
    return Interpolate(c, settings, columns, rows);
}

// Turns a list given from the smallest setting on, then demands strictly
// falling settings (the most open setting first).
bool OrderBySetting(std::vector<Row>& rows) {
    auto rising = [&] {
        for (std::size_t i = 1; i < rows.size(); ++i)
            if (rows[i].node.x > rows[i - 1].node.x + kSameValue) return true;
        return false;
    };
    if (rising()) std::reverse(rows.begin(), rows.end());
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (!(rows[i].node.x < rows[i - 1].node.x - kSameValue)) return false;
    return true;
}

bool SameSettings(const std::vector<Row>& a, const std::vector<Row>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::fabs(a[i].node.x - b[i].node.x) >= 1e-5f) return false;
    return true;
}

// The three lists must name the same numeric settings, each from the most
// open setting down.
bool MatchSettingLists(const TypeContext& c, std::array<std::vector<Row>*, 3> lists) {
    for (const auto* list : lists) {
        const bool numeric = std::all_of(list->begin(), list->end(),
                                         [](const Row& r) { return HasNumericSetting(r.node); });
        if (!numeric) {
            ErrorText(c, kErrorOrder, c.r700, msg::NotNumeric, c.index700());
            return false;
        }
    }
    for (auto* list : lists) {
        if (!OrderBySetting(*list)) {
            ErrorText(c, kErrorOrder, c.r700, msg::SettingOrder, c.index700());
            return false;
        }
    }
    if (!SameSettings(*lists[0], *lists[1]) || !SameSettings(*lists[0], *lists[2])) {
        ErrorText(c, kErrorOrder, c.r700, msg::Ranges, c.index700());
        return false;
    }
    return true;
}

// The label of a setting that only one of the lists names.
std::string LabelOf(std::size_t i, const std::array<std::vector<Row>*, 3>& lists) {
    for (const auto* list : lists)
        if (!(*list)[i].node.einst.empty()) return (*list)[i].node.einst;
    return {};
}

}  // namespace

// --- type functions -------------------------------------------------------------------

bool FillThermostat(TypeContext& c) {
    auto* valve = dynamic_cast<nrvArmaturTHKV*>(&c.valve);
    if (valve == nullptr || c.r700 == nullptr) return false;
    std::vector<Row> rows;
    double xp = 0.0;
    if (!ReadSettingRows(c, Kind::Body, true, rows, xp)) return false;
    Points points;
    for (const Row& r : rows)
        points.emplace_back(r.node.x, r.node.einst, r.values[ColKv]);
    if (!CheckKvDescending(c, points)) return false;
    CEinstellungKurve curve;
    curve.setEinheitx(c.r700->GetField(kField700SettingUnit));
    curve.setEinheity("m³/h");
    for (const curveNode& p : points)
        curve.addCurveNode(p.x, p.einst, p.y, 0.0f);
    curve.setXp(xp);
    valve->addKvKurve(curve);
    return true;
}

bool FillThermostatSinglePipe(TypeContext& c) {
    return FillOnePipe(c, true);
}

bool FillSinglePipe(TypeContext& c) {
    return FillOnePipe(c, false);
}

bool FillThermostatFlowLimit(TypeContext& c) {
    auto* valve = dynamic_cast<nrvArmaturTHKVDFR*>(&c.valve);
    if (valve == nullptr || c.r700 == nullptr) return false;
    std::vector<Row> kv, dp, flow;
    double xp = 0.0;
    if (!ReadSettingRows(c, Kind::Body, true, kv, xp)) return false;
    if (!ReadLimitRows(c, kType71002, "710.02", ReadDpRecord, 2, dp)) return false;
    if (!ReadLimitRows(c, kType71003, "710.03", ReadFlowRecord, 1, flow)) return false;
    const std::array<std::vector<Row>*, 3> lists{&kv, &dp, &flow};
    if (!MatchSettingLists(c, lists)) return false;
    CKurve14 curve;
    curve.setEinheitx(c.r700->GetField(kField700SettingUnit));
    curve.setEinheity1("m³/h");
    curve.setEinheity2("mbar");
    curve.setEinheity3("mbar");
    curve.setEinheity4("m³/h");
    for (std::size_t i = 0; i < kv.size(); ++i)
        curve.addCurveNode(curveNode14(kv[i].node.x, LabelOf(i, lists), kv[i].values[ColKv],
                                       dp[i].values[0], dp[i].values[1], flow[i].values[0]));
    valve->addKurve14(curve);
    valve->setXp(xp);
    return true;
}

float DeriveDataCheckXp(VDIStruct_800& execution) {
    std::vector<CVDIBase*> records700;
    execution.GetReferences(700, records700);
    if (records700.empty() || records700.front() == nullptr) return 0.0f;
    return static_cast<float>(PreferredXp(Records710(*records700.front(), kType71001)));
}

}  // namespace nrvVDIConvert

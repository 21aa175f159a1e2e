// The drinking-water valve types of a sheet-17 catalogue: automatic
// (thermostatic) circulation throttles, taps, backflow preventers and pipe
// separators, pressure reducers, water meters and ring-main fittings. Each
// reads its 710.xx records below the execution's technical-data record 700;
// the record layouts are written down in docs/vdi3805-fields-water.md.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/curves/einstellungkurve.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"
#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturtw.h"
#include "kavex/vdi3805/vdibase.h"
#include "kavex/vdi3805/vdiconvert_p.h"
#include "kavex/vdi3805/vdirecords.h"

namespace nrvVDIConvert {

using nrvBaseArmaturen::CEinstellungKurve;
using nrvBaseArmaturen::curveNode;
using nrvVDIArmaturen::nrvArmaturDruckminderer;
using nrvVDIArmaturen::nrvArmaturEA;
using nrvVDIArmaturen::nrvArmaturSicherung;
using nrvVDIArmaturen::nrvArmaturThermoDross;
using nrvVDIArmaturen::nrvArmaturVenturi;
using nrvVDIArmaturen::nrvArmaturZaehler;

namespace {

// Report codes: hints about doubtful values of the record (45), hints about a
// value read as zero or a point or setting left out (50), errors that drop the
// execution because its data contradict themselves (10) or because nothing
// usable remains (30).
constexpr int kHintCheck = 45;
constexpr int kHintValue = 50;
constexpr int kErrorData = 10;
constexpr int kErrorNothingLeft = 30;

constexpr int kType110 = 11000;
constexpr int kType710_01 = 71001;
constexpr int kType710_02 = 71002;
constexpr int kType710_03 = 71003;
constexpr int kType710_04 = 71004;
constexpr int kType710_05 = 71005;
constexpr int kType710_06 = 71006;
constexpr int kType710_11 = 71011;

// 700 fields of sheet 17 the types read beyond the common data.
constexpr int kFieldTmin = 9;
constexpr int kFieldTmax = 10;
constexpr int kFieldSettingUnit = 14;
constexpr int kFieldQn = 25;

// Cold drinking water: one kilogram is one litre (1000 kg/m³).
constexpr double kLitrePerKg = 1.0;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kLitrePerCubicMetre = 1000.0;
// A characteristic should reach 1 bar so that every usual flow pressure of
// an installation lies on it.
constexpr double kRequiredPressure = 1000.0;
// Set temperatures closer than this count as the same temperature.
constexpr double kSameTemperature = 0.05;
constexpr double kSameXp = 1e-6;
constexpr double kStrictStep = 1e-9;
// Share of the largest kv by which a setting curve may miss kv(max) or
// kv(min), and the kvs may differ from kv(max): the catalogues round to
// about two digits.
constexpr double kKvTolerance = 0.01;

constexpr const char* kUnitCelsius = "°C";
constexpr const char* kUnitMbar = "mbar";
constexpr const char* kUnitLitrePerHour = "l/h";
constexpr const char* kUnitCubicMetrePerHour = "m³/h";
constexpr const char* kUnitBar = "bar";
constexpr const char* kNoSetting = "keine Einstellung";

constexpr const char* kSettingSkipped = "Folge: Diese Einstellung wird übersprungen.";
constexpr const char* kExecutionSkipped = "Folge: Diese Ausführung wird übersprungen.";

// --- automatic throttle (1703) ------------------------------------------------
constexpr const char* kNotNumeric =
    "Dieses Armatur hat Datensätze hinterlegt, welche keine numerische Einstellung "
    "beinhalten.\nWir erwarten durchgehend numerische Einstellungen um die Datensätze korrekt "
    "nutzen zu können.\nSiehe Satzart 700 mit Index 1!%d.";
constexpr const char* kSetTemperatureAmbiguous =
    "Die Soll-Temperatur ist nicht eindeutig.\nBei einem nicht einstellbaren Ventil mit nur "
    "einer Einstellung wird eine eindeutige Temperatureinstellung erwartet und T(min) sollte dem "
    "Wert von T(max) entsprechen (Hinterlegte Werte: T(min) = 2!%.1f,  T(max) = 3!%.1f).\nSiehe "
    "Satzart 700 mit Index 1!%d (Lfd.Nr.9 und 10).";
constexpr const char* kSetTemperatureUnknown =
    "Die Soll-Temperatur der Einstellungen ist nicht ermittelbar.\nBei einem einstellbaren "
    "Ventil werden unterschiedliche Werte in den Feldern für die Temperaturen erwartet  "
    "(Hinterlegte Werte: T(min) = 2!%.1f,  T(max) = 3!%.1f).\nSiehe Satzart 700 mit Index 1!%d "
    "(Lfd.Nr.9 und 10).";
constexpr const char* kSettingsNotMonotonic =
    "Abfolge der hinterlegten Einstellungen ist nicht stetig.\nEs werden stetig auf- oder "
    "absteigende Einstellungen erwartet um die Datensätze korrekt nutzen zu können.\nSiehe "
    "Satzart 700 mit Index 1!%d.";
constexpr const char* kSettingsMapped =
    "Die hinterlegten Einstellungen der VDI-Daten korrelieren nicht mit den "
    "Temperaturgrenzen.\nDaraus resultiert: die erste Einstellung (1!%s) entspricht Tmax "
    "(2!%.1f3!%s), die letzte Einstellung (4!%s) entspricht Tmin (5!%.1f6!%s).\nPrüfen Sie bitte "
    "die resultierenden Kurvendaten dieser Armaturausführung.";
constexpr const char* kNoXp =
    "Es ist kein XP-Wert hinterlegt. Der Eintrag wird als Null interpretiert.\nPrüfen Sie bitte "
    "die resultierenden Daten der Einstellung 1!%s.\nSiehe Satzart 710.01 mit Index 2!%d.";
constexpr const char* kNoKv =
    "Es ist kein kv-Wert hinterlegt. Der Eintrag wird als Null interpretiert.\nPrüfen Sie bitte "
    "die resultierenden Daten der Einstellung 1!%s.\nSiehe Satzart 710.01 mit Index 2!%d.";
constexpr const char* kTooFewXp =
    "Zu der Einstellung 1!%s wurden nicht genügend XP-Werte und somit zu wenige Stützpunkte "
    "gefunden um eine Kurve zu bilden.\nDiese Einstellung wird übersprungen.\nSiehe Satzart 700 "
    "mit Index 2!%d.";
constexpr const char* kNoSettingWithPoints =
    "Es konnten zu keiner Einstellung ausreichend Stützpunkte ermittelt werden um eine Kurve zu "
    "bilden.\nFolge: Diese Armaturausführung wird übersprungen.\nSiehe Satzart 700 mit Index "
    "1!%d.";
constexpr const char* kNoSettingCurves =
    "Es konnten keine Einstellungs-Kurven ermittelt werden.\nFolge: Diese Armaturausführung wird "
    "übersprungen.\nSiehe Satzart 700 mit Index 1!%d.";
constexpr const char* kKvsNotKvMax =
    "Der hinterlegte kvs stimmt nicht mit dem kv(max) der ermittelten Kurven überein.\n";
constexpr const char* kShortOfKvMax =
    "Diese Armaturausführung enthält unvollständige Regelkurven.\nDie hinterlegte Regelkurve zu "
    "Einstellung 1!%.1f liegt nicht bis kv(max) vor.\n";
constexpr const char* kShortOfKvMin =
    "Diese Armaturausführung enthält unvollständige Regelkurven.\nDie hinterlegte Regelkurve zu "
    "Einstellung 1!%.1f liegt nicht bis kv(min) vor.\n";
constexpr const char* kSettingDataDropped =
    "Folge: Die Daten zu dieser Einstellung werden nicht übernommen.";

// --- taps and safety devices (1704 … 1707) --------------------------------------
constexpr const char* kNoMinimumFlowPressure =
    "In dieser Ausführung der Entnahmearmatur wurde kein Mindestfließdruck hinterlegt.\nSiehe "
    "technische Daten der Armaturausführung (Satzart 700;1!%d; und 710.02;2!%s;).";
constexpr const char* kNoDesignFlow =
    "In dieser Ausführung der Entnahmearmatur wurden keine Durchflussdaten hinterlegt.\nSiehe "
    "technische Daten der Armaturausführung (Satzart 700;1!%d und 710.02;2!%s).";
constexpr const char* kPointWithoutMassFlow =
    "Für einen Stützpunkt der Kennlinie ist das Feld für den Massenstrom nicht gefüllt. Es "
    "werden durchgehend gefüllte Felder erwartet.\nSiehe technische Daten der "
    "Armaturausführung (Satzart 700 mit Index 1!%d, Satzart 710.03 mit Index 2!%d).";
constexpr const char* kPointWithoutPressure =
    "Für einen Stützpunkt der Kennlinie ist das Feld für den Differenzdruck nicht gefüllt. Es "
    "werden durchgehend gefüllte Felder erwartet.\nSiehe technische Daten der "
    "Armaturausführung (Satzart 700 mit Index 1!%d, Satzart 710.03 mit Index 2!%d).";
constexpr const char* kMassFlowNotDescending =
    "Entgegen der Erwartung sind die Massenstrom-Werte nicht stetig absteigend.\nBitte prüfen "
    "Sie die Daten auf ihre korrekte Reihenfolge.\nSiehe Satzart 710.03.";
constexpr const char* kNotDownToZeroFlow =
    "Die Kurve wurde nicht bis zu einem Massenstrom von Null m³/h hinterlegt (kleinster "
    "hinterlegter Massenstrom ist 2!%.0f kg/h bzw. 3!%.3g kg/s). Dadurch ist der Öffnungsdruck "
    "unbekannt.\nSiehe technische Daten der Armaturausführung (Satzart 700 mit Index 1!%d, "
    "Satzart 710.03).";
constexpr const char* kMayBeSizedWrongly =
    "Folge: Diese Armatur kann ggf. nicht korrekt ausgelegt werden.";
constexpr const char* kNotUpTo1Bar =
    "Die Kurve wurde nicht bis zu einem Druck von mindestens 1000 mbar hinterlegt (dp(max) ist "
    "2!%.0f mbar).\nSiehe technische Daten der Armaturausführung (Satzart 700 mit Index 1!%d, "
    "Satzart 710.03).";
constexpr const char* kSeveralDeviceRecords =
    "Es ist mehr als ein Datensatz der Satzart 710.04 hinterlegt. In einer "
    "Rohr-/Systemtrennerarmatur sollte nur ein Datensatz dieser Satzart vorkommen.\nSiehe "
    "Satzart 700 mit Index 1!%d.";

// --- pressure reducer (1708) ------------------------------------------------------
// The record list of three of these texts is a plain "%s"/"%d": it is filled
// in by hand after translation.
constexpr const char* kNoReducerCurve =
    "Es wurde eine Kennlinienkurve nach Satzart 710.05 in dieser Armatur erwartet jedoch nicht "
    "gefunden. \nSiehe technische Daten der Armaturausführung (Satzart 700 mit Index 1!%d).";
constexpr const char* kOutletPressureMissing =
    "Der Wert für den Ausgangsseitigen Druck ist in mind. einem Feld nicht angegeben "
    "worden.\nFolge: die entsprechenden Einstellungen wurden übersprungen.\nSiehe Satzart 710.05 "
    "mit Index %s.";
constexpr const char* kOutletPressureZero =
    "Der Wert für den Ausgangsseitigen Druck ist in mind. einem Feld mit 0 (Null) angegeben "
    "worden.\nBitte prüfen Sie die Daten auf eventuelle Fehler.\nSiehe Satzart 710.05 mit Index "
    "%s.";
constexpr const char* kNoOutletPressure =
    "Dieser Druckminderer hat keine Angaben zum Ausgangsseitigen Druck.\nBitte prüfen Sie die "
    "Daten auf eventuelle Fehler und berücksichtigen sie die vorangegangenen Fehler und Hinweise "
    "zu dieser Ausführung.\nSiehe Satzart 700 mit Index %d.";
constexpr const char* kOutletPressureName = "Ausgangsseitiger Druck";

// --- meter (1709) -------------------------------------------------------------------
constexpr const char* kNoQn =
    "Es ist kein Wert in das Datenfeld für die Nenngröße Qn eingetragen.\nSiehe technische Daten "
    "der Armaturausführung (Satzart 700 mit Index 1!%d).";
constexpr const char* kNoMeterProperties =
    "Es wurde ein Satz der Satzart 350 für diesen Zähler erwartet jedoch nicht gefunden.\nSiehe "
    "Satzarten zu Produkteigenschaften der Armaturausführung (Satzart 110 mit Index 1!%d).";
constexpr const char* kQnBelowQmin =
    "Die eingetragene Nenngröße Qn (2!%.2f m³/h) ist kleiner als der min. Durchfluss Qmin "
    "(3!%.2f m³/h).\nSiehe technische Daten der Armaturausführung (Satzart 700 mit Index 1!%d).";
constexpr const char* kQnAboveQmax =
    "Die eingetragene Nenngröße Qn (2!%.2f m³/h) ist größer als der max. Durchfluss Qmax "
    "(3!%.2f m³/h).\nSiehe technische Daten der Armaturausführung (Satzart 700 mit Index 1!%d).";

// --- ring-main fitting (1713) -------------------------------------------------------
constexpr const char* kNoFlow =
    "Es ist kein Durchflusswert hinterlegt. Der Eintrag wird als Null interpretiert.\nSiehe "
    "Satzart 710.11 mit Index 1!%d.";
constexpr const char* kNoPressureLoss =
    "Es ist kein Druckverlustwert hinterlegt. Der Eintrag wird als Null interpretiert.\nSiehe "
    "Satzart 710.11 mit Index 1!%d.";
constexpr const char* kFlowsNotMonotonic =
    "Entgegen der Erwartung sind die Durchflusswerte nicht stetig steigend oder fallend.\nBitte "
    "prüfen Sie die Daten auf ihre korrekte Reihenfolge.\n\nSiehe Satzart 710.11.";
constexpr const char* kPressureLossesNotMonotonic =
    "Entgegen der Erwartung sind die Druckverlustwerte nicht stetig steigend oder "
    "fallend.\nBitte prüfen Sie die Daten auf ihre korrekte Reihenfolge.\n\nSiehe Satzart "
    "710.11.";

// --- shared little helpers ------------------------------------------------------------

std::string Text(const char* key) {
    return TranslateText(key);
}

// A message with its consequence on the next line.
std::string WithConsequence(const std::string& text, const char* consequence) {
    return text + "\n" + Text(consequence);
}

// Fills the one plain printf placeholder of a translated text.
std::string FillPlain(std::string text, std::string_view placeholder, const std::string& value) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), value);
    return text;
}

std::string JoinIndexes(const std::vector<int>& indexes) {
    std::string out;
    for (const int index : indexes) {
        if (!out.empty()) out += ", ";
        out += nrvNumbers::formatI(index);
    }
    return out;
}

bool FlagField(const CVDIBase& record, int fieldNo) {
    return record.GetFieldInt(fieldNo) != 0;
}

// Strictly rising or strictly falling from first to last value.
bool StrictlyMonotonic(const std::vector<double>& values) {
    bool rising = true, falling = true;
    for (std::size_t i = 1; i < values.size(); ++i) {
        const double step = values[i] - values[i - 1];
        rising = rising && step > kStrictStep;
        falling = falling && step < -kStrictStep;
    }
    return rising || falling;
}

// --- automatic throttle: reading ----------------------------------------------------

// 710.01 of the automatic throttle: per setting several records, each the kv
// the valve lets through at a control deviation XP below the set temperature.
constexpr int kFieldXp = 3;
constexpr int kFieldSettingText = 5;
constexpr int kFieldSettingValue = 6;
constexpr int kFieldKv = 9;
constexpr int kFieldKvDisinfection = 11;

struct XpPoint {
    double xp = 0.0;
    double kv = 0.0;
};

// One setting: the records that follow each other with the same setting.
struct ThermoSetting {
    curveNode setting;  // x = numeric setting or the marker, einst = label
    std::vector<XpPoint> points;
    double kvDisinfection = 0.0;
    int firstIndex = 0;  // index of the setting's first 710.01 record

    bool numeric() const { return setting.x > -9998.0f; }
    std::string label() const {
        if (!setting.einst.empty() || !numeric()) return setting.einst;
        return nrvNumbers::formatG(setting.x);
    }
};

bool SameSetting(const curveNode& a, const curveNode& b) {
    const bool aNumeric = a.x > -9998.0f, bNumeric = b.x > -9998.0f;
    if (aNumeric && bNumeric) return std::fabs(double(a.x) - double(b.x)) < kSameXp;
    return !aNumeric && !bNumeric && a.einst == b.einst;
}

curveNode SettingOf(const CVDIBase& record) {
    curveNode setting;
    const std::string text = record.GetField(kFieldSettingText);
    const std::string value = record.GetField(kFieldSettingValue);
    // A valve without setting fields has one fixed set temperature.
    if (text.empty() && value.empty()) {
        setting.x = curveNode::NoNumericSetting;
        setting.einst = Text(kNoSetting);
        return setting;
    }
    setting.setEinstellung(text, value, {});
    return setting;
}

// Groups the records into settings in file order; a setting that comes back
// after another one starts a new group, which the order check then refuses.
std::vector<ThermoSetting> ReadThermoSettings(const TypeContext& c,
                                              const std::vector<CVDIBase*>& records) {
    std::vector<ThermoSetting> settings;
    for (const CVDIBase* record : records) {
        const curveNode setting = SettingOf(*record);
        if (settings.empty() || !SameSetting(settings.back().setting, setting)) {
            settings.emplace_back();
            settings.back().setting = setting;
            settings.back().firstIndex = record->GetIndex();
        }
        ThermoSetting& s = settings.back();
        if (!Filled(*record, kFieldXp))
            Hint(c.valve, kHintValue, FormatText(Text(kNoXp), s.label(), record->GetIndex()),
                 record);
        if (!Filled(*record, kFieldKv))
            Hint(c.valve, kHintValue, FormatText(Text(kNoKv), s.label(), record->GetIndex()),
                 record);
        s.points.push_back({record->GetFieldDouble(kFieldXp), record->GetFieldDouble(kFieldKv)});
        s.kvDisinfection = std::max(s.kvDisinfection, record->GetFieldDouble(kFieldKvDisinfection));
    }
    return settings;
}

// Several settings must all be numeric and run one way.
bool CheckSettingOrder(const TypeContext& c, const std::vector<ThermoSetting>& settings) {
    if (settings.size() < 2) return true;
    std::vector<double> values;
    for (const ThermoSetting& s : settings) {
        if (!s.numeric()) {
            Error(c.valve, kErrorData, FormatText(Text(kNotNumeric), c.index700()), c.r700);
            return false;
        }
        values.push_back(s.setting.x);
    }
    if (StrictlyMonotonic(values)) return true;
    Error(c.valve, kErrorData, FormatText(Text(kSettingsNotMonotonic), c.index700()), c.r700);
    return false;
}

// --- automatic throttle: set temperatures -------------------------------------------

// The set temperature of each setting. One setting: T(max), or T(min) when
// only that is given. Several: the first setting is T(max), the last T(min),
// the others linear in their setting value between them.
bool SetTemperatures(const TypeContext& c, const std::vector<ThermoSetting>& settings,
                     std::vector<double>& temperatures) {
    const CVDIBase& r = *c.r700;
    const bool minGiven = Filled(r, kFieldTmin), maxGiven = Filled(r, kFieldTmax);
    const double tmin = r.GetFieldDouble(kFieldTmin), tmax = r.GetFieldDouble(kFieldTmax);
    if (settings.size() == 1) {
        if (!minGiven && !maxGiven) {
            Error(c.valve, kErrorNothingLeft, FormatText(Text(kNoSettingCurves), c.index700()),
                  c.r700);
            return false;
        }
        if (minGiven && maxGiven && std::fabs(tmax - tmin) >= kSameTemperature)
            Hint(c.valve, kHintCheck,
                 FormatText(Text(kSetTemperatureAmbiguous), c.index700(), tmin, tmax), c.r700);
        temperatures.push_back(maxGiven ? tmax : tmin);
        return true;
    }
    if (!minGiven || !maxGiven || std::fabs(tmax - tmin) < kSameTemperature) {
        Error(c.valve, kErrorData,
              FormatText(Text(kSetTemperatureUnknown), c.index700(), tmin, tmax), c.r700);
        return false;
    }
    // Limits given the wrong way round still name the range.
    const double high = std::max(tmin, tmax), low = std::min(tmin, tmax);
    const double first = settings.front().setting.x, last = settings.back().setting.x;
    for (const ThermoSetting& s : settings)
        temperatures.push_back(high + (s.setting.x - first) / (last - first) * (low - high));
    if (std::fabs(first - high) >= kSameTemperature || std::fabs(last - low) >= kSameTemperature) {
        const std::string unit = " " + nrvTranslation::TranslateUnits(kUnitCelsius);
        Hint(c.valve, kHintCheck,
             FormatText(Text(kSettingsMapped), settings.front().label(), high, unit,
                        settings.back().label(), low, unit),
             c.r700);
    }
    return true;
}

// --- automatic throttle: curves -------------------------------------------------------

std::size_t DistinctXpCount(const std::vector<XpPoint>& points) {
    std::vector<double> xps;
    for (const XpPoint& p : points)
        if (std::none_of(xps.begin(), xps.end(),
                         [&p](double xp) { return std::fabs(xp - p.xp) < kSameXp; }))
            xps.push_back(p.xp);
    return xps.size();
}

// kv over the water temperature: a point of deviation XP lies XP below the
// set temperature; the points run from the coldest (most open) upwards.
CEinstellungKurve SettingCurve(const ThermoSetting& s, double setTemperature) {
    std::vector<XpPoint> points = s.points;
    std::stable_sort(points.begin(), points.end(),
                     [](const XpPoint& a, const XpPoint& b) { return a.xp > b.xp; });
    CEinstellungKurve curve;
    curve.setEinheitx(kUnitCelsius);
    curve.setEinheity(kUnitCubicMetrePerHour);
    for (const XpPoint& p : points)
        curve.addCurveNode(static_cast<float>(setTemperature - p.xp), "", static_cast<float>(p.kv));
    curve.setXp(points.front().xp);
    curve.setKvDesinfektion(s.kvDisinfection);
    curve.setReferenzTemperatur(setTemperature);
    curve.setEinstellungWert(s.numeric() ? s.setting.x : 0.0);
    curve.setEinstellungText(s.label());
    curve.setKatalogKennung(s.firstIndex);
    return curve;
}

double MaxKv(const CEinstellungKurve& curve) {
    double kv = -1.0;
    for (int i = 0; i < curve.getCount(); ++i)
        kv = std::max(kv, double(curve[i].y));
    return kv;
}

double MinKv(const CEinstellungKurve& curve) {
    double kv = MaxKv(curve);
    for (int i = 0; i < curve.getCount(); ++i)
        kv = std::min(kv, double(curve[i].y));
    return kv;
}

// One curve per setting with at least two different XP values.
bool BuildSettingCurves(const TypeContext& c, const std::vector<ThermoSetting>& settings,
                        const std::vector<double>& temperatures,
                        std::vector<CEinstellungKurve>& curves) {
    for (std::size_t i = 0; i < settings.size(); ++i) {
        if (DistinctXpCount(settings[i].points) < 2) {
            Hint(c.valve, kHintValue,
                 FormatText(Text(kTooFewXp), settings[i].label(), c.index700()), c.r700);
            continue;
        }
        curves.push_back(SettingCurve(settings[i], temperatures[i]));
    }
    if (!curves.empty()) return true;
    Error(c.valve, kErrorNothingLeft, FormatText(Text(kNoSettingWithPoints), c.index700()), c.r700);
    return false;
}

// Every setting opens to the same kv(max) when cold and closes to the same
// kv(min) at its set temperature; a curve short of kv(max) is left out, one
// short of kv(min) makes the whole execution doubtful.
bool CheckCurveRange(const TypeContext& c, std::vector<CEinstellungKurve>& curves) {
    double kvMax = 0.0;
    for (const CEinstellungKurve& curve : curves)
        kvMax = std::max(kvMax, MaxKv(curve));
    const double tolerance = std::max(1e-6, kKvTolerance * kvMax);
    std::vector<CEinstellungKurve> complete;
    for (const CEinstellungKurve& curve : curves) {
        if (MaxKv(curve) >= kvMax - tolerance) {
            complete.push_back(curve);
            continue;
        }
        Hint(
            c.valve, kHintValue,
            FormatText(Text(kShortOfKvMax), curve.getEinstellungWert()) + Text(kSettingDataDropped),
            c.r700);
    }
    curves = std::move(complete);
    if (curves.empty()) {
        Error(c.valve, kErrorNothingLeft, FormatText(Text(kNoSettingCurves), c.index700()), c.r700);
        return false;
    }
    double kvMin = kvMax;
    for (const CEinstellungKurve& curve : curves)
        kvMin = std::min(kvMin, MinKv(curve));
    for (const CEinstellungKurve& curve : curves) {
        if (MinKv(curve) <= kvMin + tolerance) continue;
        Error(c.valve, kErrorData,
              FormatText(Text(kShortOfKvMin), curve.getEinstellungWert()) + Text(kExecutionSkipped),
              c.r700);
        return false;
    }
    const double kvs = c.valve.getKvs();
    if (kvs > 0.0 && std::fabs(kvs - kvMax) > tolerance)
        Hint(c.valve, kHintCheck, Text(kKvsNotKvMax), c.r700);
    return true;
}

// --- taps and safety devices: the characteristic ----------------------------------------

// 710.03: one point of the characteristic per record.
constexpr int kFieldCharPressure = 3;  // differential (flow) pressure, mbar
constexpr int kFieldCharMassFlow = 4;  // mass flow, kg/h

struct FlowPoint {
    double dp = 0.0;    // mbar
    double flow = 0.0;  // kg/h
};

// The points whose fields are both given, in file order.
std::vector<FlowPoint> ReadFlowPoints(const TypeContext& c, const std::vector<CVDIBase*>& records) {
    std::vector<FlowPoint> points;
    for (const CVDIBase* record : records) {
        const char* missing = !Filled(*record, kFieldCharMassFlow)   ? kPointWithoutMassFlow
                              : !Filled(*record, kFieldCharPressure) ? kPointWithoutPressure
                                                                     : nullptr;
        if (missing) {
            Hint(c.valve, kHintValue,
                 WithConsequence(FormatText(Text(missing), c.index700(), record->GetIndex()),
                                 kSettingSkipped),
                 record);
            continue;
        }
        points.push_back({record->GetFieldDouble(kFieldCharPressure),
                          record->GetFieldDouble(kFieldCharMassFlow)});
    }
    return points;
}

bool FlowsDescending(const std::vector<FlowPoint>& points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].flow - points[i - 1].flow >= -kStrictStep) return false;
    return true;
}

// The characteristic of 710.03 as flow (l/h) over pressure (mbar), largest
// flow first. Devices that close against backflow also need the point of
// zero flow: its pressure is the opening pressure.
bool ReadCharacteristic(const TypeContext& c, bool needsOpeningPressure,
                        nrvBaseArmaturen::CKurve& curve) {
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_03);
    std::vector<FlowPoint> points = ReadFlowPoints(c, records);
    if (points.empty()) {
        // Nothing usable is as good as no record at all.
        ReportMissingRecord(c, "710.03");
        return false;
    }
    if (!FlowsDescending(points)) std::reverse(points.begin(), points.end());
    if (!FlowsDescending(points)) {
        Error(c.valve, kErrorData, Text(kMassFlowNotDescending), records.front());
        return false;
    }
    const double smallest = points.back().flow;
    if (needsOpeningPressure && smallest > 0.0)
        Hint(c.valve, kHintCheck,
             WithConsequence(FormatText(Text(kNotDownToZeroFlow), c.index700(), smallest,
                                        smallest / kSecondsPerHour),
                             kMayBeSizedWrongly),
             c.r700);
    double dpMax = 0.0;
    for (const FlowPoint& p : points)
        dpMax = std::max(dpMax, p.dp);
    if (dpMax < kRequiredPressure)
        Hint(c.valve, kHintCheck, FormatText(Text(kNotUpTo1Bar), c.index700(), dpMax), c.r700);
    curve.removeData();
    curve.setEinheitx(kUnitMbar);
    curve.setEinheity(kUnitLitrePerHour);
    for (const FlowPoint& p : points)
        curve.addCurveNode(static_cast<float>(p.dp), "", static_cast<float>(p.flow * kLitrePerKg));
    return true;
}

// 710.02 of a tap: minimum flow pressures in hPa (= mbar), design flows in l/s.
constexpr int kFieldPminCold = 3;
constexpr int kFieldFlowCold = 4;
constexpr int kFieldPminHot = 5;
constexpr int kFieldFlowHot = 6;
constexpr int kFieldIntrinsicallySafe = 7;
constexpr int kFieldSingleDrawOff = 8;

void ReadTapValues(const TypeContext& c, const CVDIBase& r, nrvArmaturEA& tap) {
    const std::string where = nrvNumbers::formatI(r.GetIndex());
    if (!Filled(r, kFieldPminCold) && !Filled(r, kFieldPminHot))
        Hint(c.valve, kHintCheck, FormatText(Text(kNoMinimumFlowPressure), c.index700(), where),
             &r);
    if (!Filled(r, kFieldFlowCold) && !Filled(r, kFieldFlowHot))
        Hint(c.valve, kHintCheck, FormatText(Text(kNoDesignFlow), c.index700(), where), &r);
    tap.setMindestfliessdruckKalt(r.GetFieldDouble(kFieldPminCold));
    tap.setMindestfliessdruckWarm(r.GetFieldDouble(kFieldPminHot));
    tap.setDesignDurchflussKalt(r.GetFieldDouble(kFieldFlowCold) * kSecondsPerHour);
    tap.setDesignDurchflussWarm(r.GetFieldDouble(kFieldFlowHot) * kSecondsPerHour);
    tap.setEigensicher(FlagField(r, kFieldIntrinsicallySafe));
    tap.setEinzelentnahme(FlagField(r, kFieldSingleDrawOff));
}

// 710.04 of a safety device: flows in m³/h, pressures in mbar.
constexpr int kFieldNominalFlow = 3;
constexpr int kFieldMaxFlow = 4;
constexpr int kFieldPressureLimit = 5;
constexpr int kFieldOpeningHorizontal = 6;
constexpr int kFieldOpeningRising = 7;
constexpr int kFieldOpeningFalling = 8;
constexpr int kFieldClosingSpring = 9;

void ReadDeviceValues(const CVDIBase& r, nrvArmaturSicherung& device) {
    device.setNenndurchfluss(r.GetFieldDouble(kFieldNominalFlow) * kLitrePerCubicMetre);
    device.setMaxDurchfluss(r.GetFieldDouble(kFieldMaxFlow) * kLitrePerCubicMetre);
    device.setDruckgrenze(r.GetFieldDouble(kFieldPressureLimit));
    device.setOeffnungsdruckWaagerecht(r.GetFieldDouble(kFieldOpeningHorizontal));
    device.setOeffnungsdruckSteigend(r.GetFieldDouble(kFieldOpeningRising));
    device.setOeffnungsdruckFallend(r.GetFieldDouble(kFieldOpeningFalling));
    device.setSchliessfeder(FlagField(r, kFieldClosingSpring));
}

// --- pressure reducer ------------------------------------------------------------------

// 710.05: one record per setting of the outlet pressure.
constexpr int kFieldReducerSettingText = 3;
constexpr int kFieldReducerSettingValue = 4;
constexpr int kFieldOutletPressure = 5;  // bar
constexpr int kFieldReducerStep = 6;     // interpolation step width

// The settings with an outlet pressure; records without one are listed in
// `missing`, those with 0 bar in `zero` (kept).
Points ReadOutletPressures(const std::vector<CVDIBase*>& records, std::vector<int>& missing,
                           std::vector<int>& zero) {
    Points points;
    for (const CVDIBase* record : records) {
        if (!Filled(*record, kFieldOutletPressure)) {
            missing.push_back(record->GetIndex());
            continue;
        }
        curveNode p;
        p.y = static_cast<float>(record->GetFieldDouble(kFieldOutletPressure));
        if (p.y == 0.0f) zero.push_back(record->GetIndex());
        if (p.setEinstellung(record->GetField(kFieldReducerSettingText),
                             record->GetField(kFieldReducerSettingValue),
                             record->GetField(kFieldReducerStep)) == 0 &&
            records.size() == 1)
            p.einst = Text(kNoSetting);
        points.push_back(p);
    }
    return points;
}

// --- meter -------------------------------------------------------------------------------

// Record 350 of a meter (named by the execution's TGA number). Fields 3 and
// 4 stay those of every property record (code 0 and the text the execution
// details show); the meter's values follow them.
constexpr int kFieldApplication = 5;   // 1 cold water, 2 hot water
constexpr int kFieldQmin = 6;          // m³/h
constexpr int kFieldQmax = 7;          // m³/h
constexpr int kFieldTransitional = 8;  // m³/h
constexpr int kFieldClasses = 9;

// 710.06 of a meter.
constexpr int kFieldDpAtQn = 3;        // mbar
constexpr int kFieldStartingFlow = 4;  // m³/h
constexpr int kFieldPrinciple = 5;
constexpr int kFieldMeterPosition = 6;
constexpr int kFieldDeviceType = 7;
constexpr int kFieldHousing = 8;
constexpr int kFieldDisplayFrom = 9;  // m³
constexpr int kFieldDisplayTo = 10;   // m³
constexpr int kFieldLength = 11;      // mm
constexpr int kFieldConnection = 12;

int ModelSeriesIndex(const CVDIBase& execution) {
    for (const CVDIBase* r = execution.GetParent(); r; r = r->GetParent())
        if (r->GetTypeNo() == kType110) return r->GetIndex();
    return 0;
}

void ReadMeterProperties(const CVDIBase& r, nrvArmaturZaehler& meter) {
    const int application = r.GetFieldInt(kFieldApplication);
    meter.setEinsatzbereich(application == 1 || application == 2 ? application : 0);
    meter.setQmin(r.GetFieldDouble(kFieldQmin));
    meter.setQmax(r.GetFieldDouble(kFieldQmax));
    meter.setTrenngrenze(r.GetFieldDouble(kFieldTransitional));
    meter.setMetrologischeKlassen(r.GetField(kFieldClasses));
}

void ReadMeterData(const CVDIBase& r, nrvArmaturZaehler& meter) {
    meter.setDpBeiQn(r.GetFieldDouble(kFieldDpAtQn));
    meter.setAnlaufwert(r.GetFieldDouble(kFieldStartingFlow));
    meter.setMessprinzip(r.GetField(kFieldPrinciple));
    meter.setZaehlerEinbaulage(r.GetFieldInt(kFieldMeterPosition));
    meter.setGeraetetyp(r.GetFieldInt(kFieldDeviceType));
    meter.setGehaeuseart(r.GetFieldInt(kFieldHousing));
    meter.setAnzeigebereichVon(r.GetFieldDouble(kFieldDisplayFrom));
    meter.setAnzeigebereichBis(r.GetFieldDouble(kFieldDisplayTo));
    meter.setBaulaenge(r.GetFieldDouble(kFieldLength));
    meter.setAnschlussText(r.GetField(kFieldConnection));
}

// --- ring-main fitting ---------------------------------------------------------------------

// 710.11: one point of flow against pressure loss per record.
constexpr int kFieldRingFlow = 3;          // m³/h
constexpr int kFieldRingPressureLoss = 4;  // mbar

}  // namespace

// --- type functions ---------------------------------------------------------------------------

bool FillAutomaticThrottle(TypeContext& c) {
    auto* valve = dynamic_cast<nrvArmaturThermoDross*>(&c.valve);
    if (!valve || !c.r700) return false;
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_01);
    if (records.empty()) {
        ReportMissingRecord(c, "710.01");
        return false;
    }
    const std::vector<ThermoSetting> settings = ReadThermoSettings(c, records);
    std::vector<double> temperatures;
    std::vector<CEinstellungKurve> curves;
    if (!CheckSettingOrder(c, settings) || !SetTemperatures(c, settings, temperatures) ||
        !BuildSettingCurves(c, settings, temperatures, curves) || !CheckCurveRange(c, curves))
        return false;
    valve->removeData();
    double kvDisinfection = 0.0;
    // The first setting is the hottest: the curves go in as the class keeps them.
    for (const CEinstellungKurve& curve : curves) {
        valve->addKurve(curve);
        kvDisinfection = std::max(kvDisinfection, curve.getKvDesinfektion());
    }
    valve->setKvDesinfektion(static_cast<float>(kvDisinfection));
    valve->setEinheitEinst(c.r700->GetField(kFieldSettingUnit));
    return true;
}

bool FillTap(TypeContext& c) {
    auto* tap = dynamic_cast<nrvArmaturEA*>(&c.valve);
    if (!tap || !c.r700) return false;
    tap->removeData();
    tap->setRFV(c.type == 1705);
    tap->setEinheit(kUnitLitrePerHour);
    const std::vector<CVDIBase*> values = Records710(*c.r700, kType710_02);
    if (values.empty()) {
        ReportMissingRecord(c, "710.02");
        return false;
    }
    ReadTapValues(c, *values.front(), *tap);
    nrvBaseArmaturen::CKurve curve;
    // Only a tap with backflow preventer has an opening pressure.
    if (!ReadCharacteristic(c, c.type == 1705, curve)) return false;
    tap->addKurve(curve);
    return true;
}

bool FillSafetyDevice(TypeContext& c) {
    auto* device = dynamic_cast<nrvArmaturSicherung*>(&c.valve);
    if (!device || !c.r700) return false;
    device->removeData();
    device->setEinheit(kUnitLitrePerHour);
    const std::vector<CVDIBase*> values = Records710(*c.r700, kType710_04);
    if (values.empty()) {
        ReportMissingRecord(c, "710.04");
        return false;
    }
    if (values.size() > 1)
        Hint(c.valve, kHintCheck, FormatText(Text(kSeveralDeviceRecords), c.index700()), c.r700);
    ReadDeviceValues(*values.front(), *device);
    nrvBaseArmaturen::CKurve curve;
    if (!ReadCharacteristic(c, true, curve)) return false;
    device->addKurve(curve);
    return true;
}

bool FillPressureReducer(TypeContext& c) {
    auto* reducer = dynamic_cast<nrvArmaturDruckminderer*>(&c.valve);
    if (!reducer || !c.r700) return false;
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_05);
    if (records.empty()) {
        Error(c.valve, kErrorData, WithSkipped(FormatText(Text(kNoReducerCurve), c.index700())),
              c.r700);
        return false;
    }
    std::vector<int> missing, zero;
    const Points read = ReadOutletPressures(records, missing, zero);
    if (!missing.empty())
        Hint(c.valve, kHintValue,
             FillPlain(Text(kOutletPressureMissing), "%s", JoinIndexes(missing)), c.r700);
    if (!zero.empty())
        Hint(c.valve, kHintCheck, FillPlain(Text(kOutletPressureZero), "%s", JoinIndexes(zero)),
             c.r700);
    if (read.empty()) {
        Error(c.valve, kErrorNothingLeft,
              FillPlain(Text(kNoOutletPressure), "%d", nrvNumbers::formatI(c.index700())), c.r700);
        return false;
    }
    // Two settings of one outlet pressure do not hinder the choice of a setting.
    CheckDuplicates(c, read, "710.05", DuplicateMode::Hint);
    CheckValueDuplicates(c, read, Text(kOutletPressureName), kUnitBar, DuplicateMode::Hint);
    Points points;
    ApplyInterpolation(c, read, points, InterpolationMode::StepWidth, true);
    // The class lists its settings from the highest outlet pressure down.
    std::stable_sort(points.begin(), points.end(),
                     [](const curveNode& a, const curveNode& b) { return a.y > b.y; });
    nrvBaseArmaturen::CKurve curve = ToCurve(points);
    curve.setEinheitx(c.r700->GetField(kFieldSettingUnit));
    curve.setEinheity(kUnitBar);
    reducer->removeData();
    reducer->addKurve(curve);
    reducer->setEinheitEinst(c.r700->GetField(kFieldSettingUnit));
    return true;
}

bool FillMeter(TypeContext& c) {
    auto* meter = dynamic_cast<nrvArmaturZaehler*>(&c.valve);
    if (!meter || !c.r700) return false;
    meter->removeData();
    if (!Filled(*c.r700, kFieldQn))
        Hint(c.valve, kHintCheck, FormatText(Text(kNoQn), c.index700()), c.r700);
    meter->setQn(c.r700->GetFieldDouble(kFieldQn));
    const std::vector<CVDIBase*> data = Records710(*c.r700, kType710_06);
    if (data.empty()) {
        ReportMissingRecord(c, "710.06");
        return false;
    }
    std::vector<CVDIBase*> properties;
    c.execution.GetReferences(350, properties);
    if (properties.empty()) {
        // Without its flow range no meter search could ever offer the meter.
        Error(c.valve, kErrorData,
              FormatText(Text(kNoMeterProperties), ModelSeriesIndex(c.execution)), c.r700);
        return false;
    }
    ReadMeterProperties(*properties.front(), *meter);
    ReadMeterData(*data.front(), *meter);
    const double qn = meter->getQn();
    if (qn > 0.0 && qn < meter->getQmin())
        Hint(c.valve, kHintCheck,
             FormatText(Text(kQnBelowQmin), c.index700(), qn, meter->getQmin()), c.r700);
    if (qn > 0.0 && meter->getQmax() > 0.0 && qn > meter->getQmax())
        Hint(c.valve, kHintCheck,
             FormatText(Text(kQnAboveQmax), c.index700(), qn, meter->getQmax()), c.r700);
    return true;
}

bool FillRingMain(TypeContext& c) {
    auto* fitting = dynamic_cast<nrvArmaturVenturi*>(&c.valve);
    if (!fitting || !c.r700) return false;
    const std::vector<CVDIBase*> records = Records710(*c.r700, kType710_11);
    if (records.empty()) {
        ReportMissingRecord(c, "710.11");
        return false;
    }
    std::vector<double> flows, losses;
    for (const CVDIBase* record : records) {
        if (!Filled(*record, kFieldRingFlow))
            Hint(c.valve, kHintValue, FormatText(Text(kNoFlow), record->GetIndex()), record);
        if (!Filled(*record, kFieldRingPressureLoss))
            Hint(c.valve, kHintValue, FormatText(Text(kNoPressureLoss), record->GetIndex()),
                 record);
        flows.push_back(record->GetFieldDouble(kFieldRingFlow));
        losses.push_back(record->GetFieldDouble(kFieldRingPressureLoss));
    }
    if (!StrictlyMonotonic(flows)) {
        Error(c.valve, kErrorData, Text(kFlowsNotMonotonic), records.front());
        return false;
    }
    if (!StrictlyMonotonic(losses)) {
        Error(c.valve, kErrorData, Text(kPressureLossesNotMonotonic), records.front());
        return false;
    }
    nrvBaseArmaturen::CKurve curve;
    curve.setEinheitx(kUnitMbar);
    curve.setEinheity(kUnitCubicMetrePerHour);
    for (std::size_t i = 0; i < flows.size(); ++i)
        curve.addCurveNode(static_cast<float>(losses[i]), "", static_cast<float>(flows[i]));
    fitting->removeData();
    fitting->addKurve(curve);
    const auto [dpMin, dpMax] = std::minmax_element(losses.begin(), losses.end());
    const auto [vMin, vMax] = std::minmax_element(flows.begin(), flows.end());
    fitting->setDpmin(*dpMin);
    fitting->setDpmax(*dpMax);
    fitting->setVPunktmin(*vMin);
    fitting->setVPunktmax(*vMax);
    return true;
}

}  // namespace nrvVDIConvert

#include "kavex/platform/units.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"

namespace {

// A unit is value × num / den + offset in the quantity's SI unit. Keeping the
// factor as a fraction makes the common pairs exact (m³/h -> l/h is ×1000,
// bar -> mbar ×1000) instead of going through rounded SI values.
struct UnitInfo {
    enUnit code;
    double num;
    double den;
    double offset;
    std::string_view label;  // unit text as TranslateUnits knows it
};

constexpr std::array<UnitInfo, 20> kUnits = {{
    {enUnitLength_m, 1, 1, 0, "m"},
    {enUnitLength_mm, 1, 1000, 0, "mm"},
    {enUnitTemperature_C, 1, 1, 273.15, "°C"},
    {enUnitTemperature_K, 1, 1, 0, "K"},
    {enUnitDensity_kgm3, 1, 1, 0, "kg/m³"},
    {enUnitFlow_m3h, 1, 3600, 0, "m³/h"},
    {enUnitFlow_lh, 1, 3600000, 0, "l/h"},
    {enUnitFlow_ls, 1, 1000, 0, "l/s"},
    {enUnitFlow_m3s, 1, 1, 0, "m³/s"},
    {enUnitMassFlow_kgh, 1, 3600, 0, "kg/h"},
    {enUnitMassFlow_kgs, 1, 1, 0, "kg/s"},
    {enUnitKv_m3h, 1, 1, 0, "m³/h"},
    {enUnitPressure_mbar, 100, 1, 0, "mbar"},
    {enUnitPressure_hPa, 100, 1, 0, "hPa"},
    {enUnitPressure_kPa, 1000, 1, 0, "kPa"},
    {enUnitPressure_bar, 100000, 1, 0, "bar"},
    {enUnitPressure_mWS, 9806.65, 1, 0, "mWS"},  // 1000 kg/m³ × 9.80665 m/s²
    {enUnitPressure_Pa, 1, 1, 0, "Pa"},
    {enUnitHead_m, 9806.65, 1, 0, "m"},
    {enUnitNone, 1, 1, 0, ""},
}};

const UnitInfo* find(enUnit code) {
    if (code == enUnitNone) return nullptr;
    for (const UnitInfo& u : kUnits) {
        if (u.code == code) return &u;
    }
    return nullptr;
}

int quantityOf(enUnit code) {
    return static_cast<int>(code) / 1000;
}

std::string_view trimBlanks(std::string_view t) {
    auto blank = [](std::string_view s, std::size_t i) { return s[i] == ' ' || s[i] == '\t'; };
    while (!t.empty() && blank(t, 0))
        t.remove_prefix(1);
    while (!t.empty() && blank(t, t.size() - 1))
        t.remove_suffix(1);
    // A no-break space (U+00A0) as a field's padding.
    while (t.substr(0, 2) == "\xC2\xA0")
        t.remove_prefix(2);
    while (t.size() >= 2 && t.substr(t.size() - 2) == "\xC2\xA0")
        t.remove_suffix(2);
    if (!t.empty() && (t.front() == ' ' || t.back() == ' ')) return trimBlanks(t);
    return t;
}

// The number of an entered text: point or a single decimal comma.
bool parseEnteredNumber(std::string_view text, double& value) {
    std::string t(trimBlanks(text));
    std::size_t comma = t.find(',');
    if (comma != std::string::npos) {
        if (t.find(',', comma + 1) != std::string::npos || t.find('.') != std::string::npos) {
            return false;
        }
        t[comma] = '.';
    }
    double v = 0.0;
    if (!nrvNumbers::tryParseDouble(t, v) || !std::isfinite(v)) return false;
    value = v;
    return true;
}

std::string dropNegativeZero(std::string s) {
    if (s.empty() || s[0] != '-') return s;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == 'e' || s[i] == 'E') break;
        if (s[i] >= '1' && s[i] <= '9') return s;
    }
    return s.substr(1);
}

std::string printNumber(double v, enUnitFormat format, enUnitPrec precision) {
    int prec = std::clamp(static_cast<int>(precision), 0, 15);
    std::string p = std::to_string(prec);
    std::string out;
    switch (format) {
        case enUnitFormatGeneral:
            out = nrvNumbers::format(("%." + p + "g").c_str(), v);
            break;
        case enUnitFormatScientific:
            out = nrvNumbers::format(("%." + p + "e").c_str(), v);
            break;
        case enUnitFormatFixedTrim:
            out = nrvNumbers::format(("%." + p + "f").c_str(), v);
            if (out.find('.') != std::string::npos) {
                while (out.back() == '0')
                    out.pop_back();
                if (out.back() == '.') out.pop_back();
            }
            break;
        case enUnitFormatFixed:
        default:
            out = nrvNumbers::format(("%." + p + "f").c_str(), v);
            break;
    }
    return dropNegativeZero(out);
}

bool endsWithLabel(std::string_view text, std::string_view label) {
    return !label.empty() && text.size() > label.size() &&
           text.substr(text.size() - label.size()) == label;
}

// Every text that names `u`: its label as shown, its long form and the
// spellings TranslateUnits accepts for it.
bool labelNames(std::string_view label, const UnitInfo& u) {
    if (label == nrvUnits::getUnitLabel(u.code, true) ||
        label == nrvUnits::getUnitLabel(u.code, false)) {
        return true;
    }
    std::string normalized = nrvTranslation::TranslateUnits(label, true);
    return normalized != label && normalized == nrvUnits::getUnitLabel(u.code, true);
}

}  // namespace

nrvUnitSetting::nrvUnitSetting(std::string name, std::string shortName, enUnit base, enUnit target,
                               enUnitFormat format, enUnitPrec precision, Validator validator,
                               Parser parser)
    : m_name(std::move(name)),
      m_shortName(std::move(shortName)),
      m_base(base),
      m_target(target),
      m_format(format),
      m_precision(precision),
      m_validator(std::move(validator)),
      m_parser(std::move(parser)) {}

bool nrvUnitSetting::setTargetUnit(enUnit target) {
    if (!nrvUnits::sameQuantity(m_base, target)) return false;
    m_target = target;
    return true;
}

bool nrvUnits::isKnownUnit(enUnit unit) {
    return find(unit) != nullptr;
}

bool nrvUnits::sameQuantity(enUnit a, enUnit b) {
    return isKnownUnit(a) && isKnownUnit(b) && quantityOf(a) == quantityOf(b);
}

double nrvUnits::unitTrans(double value, enUnit from, enUnit to, bool* ok) {
    if (ok) *ok = from == to || sameQuantity(from, to);
    if (from == to || !sameQuantity(from, to)) return value;
    const UnitInfo& f = *find(from);
    const UnitInfo& t = *find(to);
    if (f.offset == 0.0 && t.offset == 0.0) return value * ((f.num * t.den) / (f.den * t.num));
    double si = value * f.num / f.den + f.offset;
    return (si - t.offset) * t.den / t.num;
}

double nrvUnits::base2TargetVal(double baseValue, const nrvUnitSetting& setting) {
    return unitTrans(baseValue, setting.getBaseUnit(), setting.getTargetUnit());
}

std::string nrvUnits::base2TargetString(double baseValue, const nrvUnitSetting& setting) {
    return printNumber(base2TargetVal(baseValue, setting), setting.getFormat(),
                       setting.getPrecision());
}

std::string nrvUnits::base2TargetStringLabeled(double baseValue, const nrvUnitSetting& setting) {
    std::string text = base2TargetString(baseValue, setting);
    std::string label = getUnitLabel(setting);
    return label.empty() ? text : text + " " + label;
}

namespace {

bool enteredToBase(double& baseValue, std::string_view numberText, enUnit unit,
                   const nrvUnitSetting& setting) {
    double v = 0.0;
    bool parsed = setting.getParser() ? setting.getParser()(trimBlanks(numberText), v)
                                      : parseEnteredNumber(numberText, v);
    if (!parsed || !std::isfinite(v)) return false;
    bool ok = false;
    double base = nrvUnits::unitTrans(v, unit, setting.getBaseUnit(), &ok);
    if (!ok || !std::isfinite(base)) return false;
    if (setting.getValidator() && !setting.getValidator()(base)) return false;
    baseValue = base;
    return true;
}

}  // namespace

bool nrvUnits::targetString2Base(double& baseValue, std::string_view text,
                                 const nrvUnitSetting& setting) {
    return enteredToBase(baseValue, text, setting.getTargetUnit(), setting);
}

bool nrvUnits::targetStringLabeled2Base(double& baseValue, std::string_view text,
                                        const nrvUnitSetting& setting) {
    std::string_view t = trimBlanks(text);
    enUnit target = setting.getTargetUnit();
    // The longest label at the end wins, so "mbar" is not read as "bar".
    std::size_t best = 0;
    enUnit unit = target;
    for (const UnitInfo& u : kUnits) {
        if (!sameQuantity(u.code, target)) continue;
        for (const std::string& label :
             {getUnitLabel(u.code, true), getUnitLabel(u.code, false), std::string(u.label)}) {
            if (label.size() > best && endsWithLabel(t, label)) {
                best = label.size();
                unit = u.code;
            }
        }
    }
    if (best == 0) {
        // A spelling such as "m3/h" behind the last blank.
        std::size_t blank = t.find_last_of(" \t");
        if (blank != std::string_view::npos) {
            enUnit named = enUnitNone;
            if (!unitFromLabel(t.substr(blank + 1), target, named)) return false;
            best = t.size() - blank - 1;
            unit = named;
        }
    }
    return enteredToBase(baseValue, t.substr(0, t.size() - best), unit, setting);
}

std::string nrvUnits::getUnitLabel(enUnit unit, bool shortForm) {
    const UnitInfo* u = find(unit);
    return u ? nrvTranslation::TranslateUnits(u->label, shortForm) : std::string();
}

std::string nrvUnits::getUnitLabel(const nrvUnitSetting& setting) {
    return getUnitLabel(setting.getTargetUnit());
}

bool nrvUnits::unitFromLabel(std::string_view label, enUnit sameQuantityAs, enUnit& unit) {
    std::string_view t = trimBlanks(label);
    if (t.empty()) return false;
    for (const UnitInfo& u : kUnits) {
        if (sameQuantity(u.code, sameQuantityAs) && labelNames(t, u)) {
            unit = u.code;
            return true;
        }
    }
    return false;
}

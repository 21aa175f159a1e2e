#include "vdigen/vdigen.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <string_view>

#include "kavex/platform/numbers.h"
#include "kavex/platform/strutil.h"

namespace nrvVDIGen {

namespace {

// SplitMix64: small, fast and the same on every platform and library.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    // Uniform in [low, high).
    double between(double low, double high) {
        return low + (high - low) * static_cast<double>(next() >> 11) * 0x1.0p-53;
    }
    std::string digits(int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + below(10));
        return text;
    }

private:
    std::uint64_t m_state;
};

std::string fixed(double value, int decimals) {
    const std::string format = "%." + std::to_string(decimals) + "f";
    return nrvNumbers::format(format.c_str(), value);
}

std::string integer(long long value) {
    return nrvNumbers::formatI(value);
}

// Zero-padded to `width` digits; a larger value keeps its last digits.
std::string padded(long long value, int width) {
    long long limit = 1;
    for (int i = 0; i < width; ++i)
        limit *= 10;
    std::string text = std::to_string(value % limit);
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

// --- records -------------------------------------------------------------------

// One record in the current field numbering: element n - 1 is field n.
using Fields = std::vector<std::string>;

void setField(Fields& fields, int fieldNo, std::string text) {
    if (fields.size() < static_cast<std::size_t>(fieldNo)) fields.resize(fieldNo);
    fields[static_cast<std::size_t>(fieldNo) - 1] = std::move(text);
}

// Where field n of the current layout stands in the 08.1996 layout; 0 where
// the old layout has no such field. Written out from the field pages, not
// taken from the reader, so that a generated ".tga" file checks the reader.
int oldFieldNo(std::string_view type, int n) {
    if (n <= 1) return n;
    if (type == "010") {
        if (n == 2 || n == 6) return 0;
        if (n >= 3 && n <= 5) return n - 1;
        return n == 7 ? 5 : n;
    }
    if (type == "100" || type == "110") {
        if (n == 3) return 0;
        return n >= 4 && n <= 8 ? n - 1 : n;
    }
    if (type == "700") {
        if (n == 3 || n == 18 || n == 19) return 0;
        return n >= 4 && n <= 13 ? n - 1 : n;
    }
    if (type == "800") {
        if (n == 2) return 0;
        if (n == 3) return 2;
        return n == 4 ? 6 : n;
    }
    if (type == "810") {
        if (n == 5) return 2;
        return n <= 8 ? 0 : n;
    }
    if (type == "900") {
        if (n == 3 || n == 5 || n == 10 || (n >= 12 && n <= 15)) return 0;
        if (n >= 6 && n <= 9) return n - 1;
        return n == 11 ? 9 : n;
    }
    if (type == "920") return n >= 3 ? 0 : n;
    return n;
}

// Fields joined by ';' up to the last filled one.
std::string joined(const Fields& fields) {
    std::size_t count = fields.size();
    while (count > 1 && fields[count - 1].empty())
        --count;
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) line += ';';
        line += fields[i];
    }
    return line;
}

std::string render(const Fields& fields, bool oldLayout) {
    if (!oldLayout) return joined(fields);
    Fields old;
    for (std::size_t n = 1; n <= fields.size(); ++n) {
        const int to = oldFieldNo(fields.front(), static_cast<int>(n));
        if (to >= 1 && !fields[n - 1].empty()) setField(old, to, fields[n - 1]);
    }
    return joined(old);
}

// --- manufacturer data ----------------------------------------------------------

struct Maker {
    const char* name;
    const char* prefix;
    const char* web;
    const char* address;
};

constexpr std::array<Maker, 4> kMakers{{
    {"Talbrunn Armaturen GmbH", "TB", "www.talbrunn.example", "Brunnenweg 7¶34117 Kassel"},
    {"Weserwerk Ventiltechnik AG", "WW", "www.weserwerk.example", "Uferstraße 21¶28195 Bremen"},
    {"Hochmoor Regeltechnik KG", "HM", "www.hochmoor.example", "Moorchaussee 3¶26122 Oldenburg"},
    {"Kieselbach Armaturenbau GmbH & Co. KG", "KB", "www.kieselbach.example",
     "Am Kieselbach 40¶57072 Siegen"},
}};

struct Article {
    int group;  // accessory main group code
    const char* shortName;
    const char* name;
    double price;
};

// The accessory articles the x.01 references of the model series name.
constexpr std::array<Article, 8> kHeatingArticles{{
    {1, "THK", "Thermostatkopf mit Flüssigkeitsfühler, Nullstellung", 18.90},
    {1, "THF", "Thermostatkopf mit Fernfühler 2 m", 39.50},
    {2, "VES", "Voreinstellschlüssel für Ventileinsätze", 6.40},
    {3, "MNS", "Messnippel-Set, 2 Stück, mit Schutzkappe", 14.80},
    {3, "KFE", "Füll- und Entleerungskugelhahn G 1/2", 11.20},
    {4, "DSH", "Wärmedämmschale aus EPP, zweiteilig", 16.30},
    {2, "HRD", "Handrad mit Bauschutzkappe", 4.90},
    {5, "KLV", "Klemmverschraubung für Kupferrohr 15 mm", 3.70},
}};
constexpr std::array<Article, 6> kWaterArticles{{
    {1, "MAN", "Manometer 0-16 bar, Anschluss G 1/4", 12.60},
    {2, "FIT", "Filtertasse transparent mit Feinfilter 100 µm", 24.80},
    {3, "DSW", "Dämmschale für Trinkwasser, EPP", 15.10},
    {4, "ENT", "Entleerungsventil mit Schlauchtülle", 7.90},
    {5, "VSR", "Anschlussverschraubungen Rotguss, 1 Paar", 21.40},
    {1, "THM", "Zeigerthermometer 0-120 °C", 13.20},
}};

// Article numbers (900 field 2) of the articles above, in that order.
constexpr int kHead = 1, kRemoteHead = 2, kKey = 3, kNipples = 4, kShell = 6, kWheel = 7,
              kClamp = 8;
constexpr int kGauge = 1, kFilter = 2, kWaterShell = 3, kUnions = 5, kThermometer = 6;

// --- valve families ---------------------------------------------------------

enum class Family { Thermostat, Throttle, FixedResistance, WaterThrottle, PressureReducer };

struct FamilyData {
    int kind;   // 700 field 4
    int group;  // index of the product main group 100
    const char* groupName;
    const char* seriesName;
    const char* description;
    const char* settingUnit;  // 700 field 14
};

FamilyData dataOf(Family family) {
    switch (family) {
        case Family::Thermostat:
            return {1,
                    2,
                    "Heizkörperarmaturen für Zweirohrheizungen",
                    "Therm",
                    "Thermostatventil-Unterteil mit stufenloser Voreinstellung",
                    "Stufe"};
        case Family::Throttle:
            return {4,
                    4,
                    "Absperr- und Regelarmaturen",
                    "Strang",
                    "Strangregulierventil mit Voreinstellung, Messnippeln und Entleerung",
                    "Umdrehungen"};
        case Family::FixedResistance:
            return {11,
                    5,
                    "Armaturen mit Festwiderständen",
                    "Kugelhahn",
                    "Absperrkugelhahn mit vollem Durchgang",
                    ""};
        case Family::WaterThrottle:
            return {2,
                    2,
                    "Drosselarmaturen",
                    "Regulier",
                    "Zirkulations-Regulierventil mit Voreinstellung und Absperrung",
                    "Umdrehungen"};
        case Family::PressureReducer:
            return {8,
                    6,
                    "Stellarmaturen",
                    "Druckminderer",
                    "Druckminderer mit Sieb und Manometeranschluss",
                    "bar"};
    }
    return {};
}

constexpr std::array<int, 7> kSizes{10, 15, 20, 25, 32, 40, 50};
// Outer diameter of the steel pipe of a nominal size, mm.
constexpr std::array<double, 7> kPipeDiameters{17.2, 21.3, 26.9, 33.7, 42.4, 48.3, 60.3};
// Copper pipe for press fittings of a nominal size, mm.
constexpr std::array<double, 7> kCopperDiameters{12, 15, 22, 28, 35, 42, 54};

// Typical kvs of a nominal size, m³/h.
double typicalKvs(Family family, std::size_t size) {
    static constexpr std::array<double, 7> throttle{1.6, 2.6, 5.1, 8.4, 14.9, 21.5, 36.0};
    static constexpr std::array<double, 7> ballValve{6.5, 17.0, 32.0, 52.0, 95.0, 140.0, 230.0};
    static constexpr std::array<double, 7> reducer{1.2, 2.4, 3.9, 6.8, 10.5, 15.8, 24.0};
    switch (family) {
        case Family::Thermostat:
            return 0.75 + 0.15 * static_cast<double>(size);
        case Family::FixedResistance:
            return ballValve[size];
        case Family::PressureReducer:
            return reducer[size];
        default:
            return throttle[size];
    }
}

struct Series {
    Family family = Family::Throttle;
    FamilyData data{};
    int index = 0;  // 110 field 2
    std::string name;
    std::vector<std::size_t> sizes;     // into kSizes
    std::vector<std::string> variants;  // 200 texts
    std::vector<std::string> finishes;  // 350 texts
    std::vector<double> kvs;            // per size
    std::string step;                   // interpolation step width of the settings
    bool open = false;                  // a last setting "offen" without number
    bool press = false;                 // press connections instead of threads
};

// The indexes a TGA number names, in the order of its parts: 100, 110, 160,
// 200, 250, 260, 300, 350, 360, 400, 450, 460, 500, 550, 560, 700, 760.
using TgaParts = std::array<int, 17>;

std::string tgaNumber(const TgaParts& parts, bool oldLayout) {
    const int width = oldLayout ? 2 : 3;
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += padded(parts[i], i == 15 ? width + 2 : width);
    return text;
}

std::string ean13(Rng& rng) {
    std::string digits = "40" + rng.digits(10);
    int sum = 0;
    for (std::size_t i = 0; i < digits.size(); ++i)
        sum += (digits[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return digits + static_cast<char>('0' + (10 - sum % 10) % 10);
}

bool acceptedDate(int sheet, const std::string& date) {
    if (sheet == 2) return date == "200302" || date == "201601" || date == "202112";
    return date == "200311" || date == "201601";
}

// --- the generator ------------------------------------------------------------

class Generator {
public:
    explicit Generator(const Options& options)
        : m_options(options),
          m_rng(options.seed),
          m_old(options.layout == Layout::Tga),
          m_date(m_old ? "1098" : (options.date.empty() ? "201601" : options.date)),
          m_dateNo(nrvNumbers::parseInt(m_date)),
          m_maker(kMakers[options.seed % kMakers.size()]) {}

    Catalogue Run();

private:
    bool Heating() const { return m_options.sheet == 2; }
    void Add(std::vector<std::string>& out, const Fields& fields) const {
        out.push_back(render(fields, m_old));
    }
    Family NextFamily();
    Series Plan(Family family, int index);
    std::size_t AppendSeries(std::vector<std::string>& out, const Series& s,
                             std::size_t maxExecutions);
    void AppendProperties(std::vector<std::string>& out, const Series& s);
    void AppendTechnicalData(std::vector<std::string>& out, const Series& s, std::size_t i);
    void AppendConnections(Fields& r, const Series& s, std::size_t size) const;
    void AppendThermostatCurve(std::vector<std::string>& out, const Series& s, double kvs);
    void AppendThrottleCurve(std::vector<std::string>& out, const Series& s, double kvs,
                             std::size_t size);
    void AppendReducerCurve(std::vector<std::string>& out, const Series& s);
    void AppendExecution(std::vector<std::string>& out, const Series& s, std::size_t v,
                         std::size_t f, std::size_t i, int index);
    void Reference(std::vector<std::string>& out, const char* type, int article, bool fixed,
                   bool optional) const;
    Fields Header() const;
    std::vector<std::string> Articles() const;
    std::string PaddingArticle(int number);

    Options m_options;
    Rng m_rng;
    bool m_old;
    std::string m_date;
    int m_dateNo;
    Maker m_maker;
    std::map<Family, int> m_seriesCount;
    std::size_t m_settings = 0;
};

Family Generator::NextFamily() {
    if (Heating()) {
        static constexpr std::array<Family, 3> families{Family::Throttle, Family::Thermostat,
                                                        Family::FixedResistance};
        return families[static_cast<std::size_t>(m_rng.below(3))];
    }
    return m_rng.chance(60) ? Family::WaterThrottle : Family::PressureReducer;
}

Series Generator::Plan(Family family, int index) {
    Series s;
    s.family = family;
    s.data = dataOf(family);
    s.index = index;
    const int number = ++m_seriesCount[family];
    s.name = std::string(m_maker.prefix) + "-" + s.data.seriesName + " " +
             integer(100 + number * 10 + m_rng.below(10));
    std::size_t first = family == Family::Thermostat || family == Family::Throttle
                            ? static_cast<std::size_t>(m_rng.below(2))
                            : 1;
    std::size_t count = family == Family::Thermostat ? 2 + m_rng.below(2) : 3 + m_rng.below(4);
    count = std::min(count, kSizes.size() - first);
    for (std::size_t i = 0; i < count; ++i) {
        s.sizes.push_back(first + i);
        s.kvs.push_back(typicalKvs(family, first + i) * m_rng.between(0.9, 1.1));
    }
    if (family == Family::Thermostat) {
        static constexpr std::array<const char*, 4> forms{"Eckform", "Durchgangsform", "Axialform",
                                                          "Winkeleckform"};
        const int n = 2 + m_rng.below(3);
        for (int i = 0; i < n; ++i)
            s.variants.emplace_back(forms[static_cast<std::size_t>(i)]);
        s.finishes = {"vernickelt"};
        if (m_rng.chance(50)) s.finishes.emplace_back("Messing blank");
    } else {
        s.variants = {"Durchgangsform"};
        if (m_rng.chance(40))
            s.variants.emplace_back(family == Family::PressureReducer ? "mit Filtertasse"
                                                                      : "Schrägsitzform");
        s.finishes = {family == Family::FixedResistance ? "vernickelt" : "blank"};
    }
    static constexpr std::array<const char*, 3> steps{"0.1", "0.25", ""};
    s.step = steps[static_cast<std::size_t>(m_rng.below(3))];
    s.open = m_rng.chance(30);
    s.press = family == Family::WaterThrottle && m_rng.chance(50);
    return s;
}

void Generator::Reference(std::vector<std::string>& out, const char* type, int article, bool fixed,
                          bool optional) const {
    Add(out, {type, "1", integer(article), "1", fixed ? "f" : "", optional ? "p" : ""});
}

void Generator::AppendProperties(std::vector<std::string>& out, const Series& s) {
    const bool heating = Heating();
    switch (s.family) {
        case Family::Thermostat:
            Add(out, {"160", "1", "1", "Voreinstellung stufenlos"});
            Reference(out, "160.01", kKey, false, true);
            break;
        case Family::Throttle:
            Add(out, {"160", "1", "2", "Voreinstellung mit Skala und Memoryfunktion"});
            Reference(out, "160.01", kShell, false, true);
            break;
        default:
            Add(out, {"160", "1", "0", heating ? "Absperrung 90°" : "DVGW-geprüft"});
            Reference(out, "160.01", heating ? kShell : kWaterShell, false, true);
            break;
    }
    for (std::size_t v = 0; v < s.variants.size(); ++v) {
        Add(out, {"200", integer(static_cast<long long>(v) + 1),
                  integer(static_cast<long long>(v) + 1), s.variants[v]});
        if (s.family == Family::Thermostat) {
            Reference(out, "200.01", v % 2 == 0 ? kHead : kRemoteHead, false, true);
        } else if (s.family == Family::Throttle) {
            Reference(out, "200.01", kWheel, true, false);
        } else {
            Reference(out, "200.01", heating ? kClamp : (s.press ? kFilter : kUnions), false, true);
        }
        Add(out,
            {"250", "1", "2", s.press ? "beidseitig Pressanschluss" : "beidseitig Innengewinde"});
        Add(out, {"260", "1", "1",
                  s.family == Family::FixedResistance ? "Hebelgriff" : "Handrad mit Anzeige"});
    }
    Add(out, {"300", "1", "1", heating ? "Messing CW617N" : "Rotguss CC499K"});
    for (std::size_t f = 0; f < s.finishes.size(); ++f)
        Add(out, {"350", integer(static_cast<long long>(f) + 1), "1", s.finishes[f]});
    Add(out, {"360", "1", "1", "Dichtungen EPDM"});
}

void Generator::AppendConnections(Fields& r, const Series& s, std::size_t size) const {
    // Inlet 15 … 19, outlet 20 … 24: standard, kind, size basis, d1, d2.
    for (int first : {15, 20}) {
        if (s.press) {
            setField(r, first, "1254");
            setField(r, first + 1, "9");
            setField(r, first + 2, "2");
            setField(r, first + 3, fixed(kCopperDiameters[size], 1));
        } else {
            const bool tailpiece = s.family == Family::Thermostat && first == 20;
            setField(r, first, "EN10226");
            setField(r, first + 1, tailpiece ? "1" : "2");
            setField(r, first + 2, "1");
            setField(r, first + 3, fixed(kPipeDiameters[size], 1));
        }
    }
}

void Generator::AppendTechnicalData(std::vector<std::string>& out, const Series& s, std::size_t i) {
    const std::size_t size = s.sizes[i];
    const double kvs = std::round(s.kvs[i] * 100.0) / 100.0;
    Fields r{"700",
             integer(static_cast<long long>(i) + 1),
             "",
             integer(s.data.kind),
             integer(kSizes[size]),
             fixed(kvs, 2)};
    const bool heating = Heating();
    setField(r, 7,
             heating ? (s.family == Family::FixedResistance ? "110" : "120")
                     : (s.family == Family::PressureReducer ? "30" : "90"));
    setField(r, 8, s.family == Family::FixedResistance ? "25" : (heating ? "10" : "16"));
    const bool curve = s.family != Family::FixedResistance;
    if (heating) {
        setField(r, 9, s.family == Family::FixedResistance ? "" : "1000");
        setField(r, curve ? 10 : 11, "1");
    } else if (s.family == Family::WaterThrottle) {
        setField(r, 11, "1000");
    }
    setField(r, 12, "DN");
    setField(r, 13, curve ? "1" : "0");
    setField(r, 14, s.data.settingUnit);
    AppendConnections(r, s, size);
    if (heating && m_dateNo >= 201601) {
        if (s.family == Family::FixedResistance) {
            // Inner diameter about the nominal size: zeta = (0.04 d² / kvs)².
            const double d = kSizes[size];
            setField(r, 37, fixed(std::pow(0.04 * d * d / kvs, 2.0), 2));
        }
        setField(r, 38, "1");
        setField(r, 39, "0");
    } else if (!heating && m_dateNo == 201601) {
        setField(r, 39, "1");
        setField(r, 41, "0");
    }
    Add(out, r);
    if (s.family == Family::Thermostat) AppendThermostatCurve(out, s, kvs);
    if (s.family == Family::Throttle || s.family == Family::WaterThrottle) {
        AppendThrottleCurve(out, s, kvs, size);
        Add(out, {"760", "1", "1", heating ? "Messnippel vormontiert" : "Thermometeranschluss"});
        Reference(out, "760.01", heating ? kNipples : kThermometer, heating, !heating);
    }
    if (s.family == Family::PressureReducer) AppendReducerCurve(out, s);
}

// Per setting one record per proportional band (1 K and 2 K, as catalogues
// usually give them): XP in field 3, kv in field 9.
void Generator::AppendThermostatCurve(std::vector<std::string>& out, const Series& s, double kvs) {
    const int settings = s.step.empty() ? 6 : 8;
    const std::array<double, 2> bands{1.0, 2.0};
    const std::array<double, 2> share{0.55, 1.0};
    int index = 0;
    for (int setting = 1; setting <= settings; ++setting) {
        const double full = kvs * std::pow(static_cast<double>(setting) / settings, 1.3);
        for (std::size_t b = 0; b < bands.size(); ++b) {
            Fields r{"710.01", integer(++index), fixed(bands[b], 1),
                     "",       integer(setting), integer(setting)};
            setField(r, 9, fixed(full * share[b], 3));
            Add(out, r);
        }
    }
    m_settings += static_cast<std::size_t>(index);
}

// Settings in half turns up to the fully open valve; kv rises with the
// setting. Every setting but the last carries the step width of the series
// as interpolation instruction; a series may end in a text-only "offen".
void Generator::AppendThrottleCurve(std::vector<std::string>& out, const Series& s, double kvs,
                                    std::size_t size) {
    const int halfTurns = size <= 2 ? 8 : (size <= 4 ? 12 : 16);
    const double top = s.open ? 0.92 : 1.0;
    int index = 0;
    for (int h = 1; h <= halfTurns; ++h) {
        const double setting = h * 0.5;
        const double kv = kvs * top * std::pow(static_cast<double>(h) / halfTurns, 1.6);
        const std::string text = h % 2 == 0 ? integer(h / 2) : fixed(setting, 1);
        Fields r{"710.01", integer(++index), "", "", text, text, h < halfTurns ? s.step : ""};
        setField(r, 9, fixed(kv, 3));
        Add(out, r);
    }
    if (s.open) {
        Fields r{"710.01", integer(++index), "", "", "offen", "", ""};
        setField(r, 9, fixed(kvs, 3));
        Add(out, r);
    }
    m_settings += static_cast<std::size_t>(index);
}

// Outlet pressure settings from 1.5 to 6 bar: setting text and number in
// fields 3 and 4, the outlet pressure in bar in field 5, the step width of the
// series in field 6. The first characteristic names the pressure gauge as
// accessory.
void Generator::AppendReducerCurve(std::vector<std::string>& out, const Series& s) {
    int index = 0;
    for (int tenth = 15; tenth <= 60; tenth += 5) {
        const std::string text = fixed(tenth / 10.0, 1);
        Add(out, {"710.05", integer(++index), text, text, text, tenth < 60 ? s.step : ""});
        if (index == 1) Reference(out, "710.51", kGauge, false, false);
    }
    m_settings += static_cast<std::size_t>(index);
}

void Generator::AppendExecution(std::vector<std::string>& out, const Series& s, std::size_t v,
                                std::size_t f, std::size_t i, int index) {
    const int dn = kSizes[s.sizes[i]];
    const bool reference760 = s.family == Family::Throttle || s.family == Family::WaterThrottle;
    // The series' 160, its 250/260 and its 360 are index 1; no 400 and 500 groups.
    TgaParts parts{};
    parts[0] = s.data.group;
    parts[1] = s.index;
    parts[2] = parts[4] = parts[5] = parts[6] = parts[8] = 1;
    parts[3] = static_cast<int>(v) + 1;   // 200: body form
    parts[7] = static_cast<int>(f) + 1;   // 350: finish
    parts[15] = static_cast<int>(i) + 1;  // 700: nominal size
    parts[16] = reference760 ? 1 : 0;
    const std::string article =
        std::string(m_maker.prefix) + "-" + integer(s.data.kind + (Heating() ? 200 : 1700)) + "." +
        padded(s.index, 3) + "-" + padded(dn, 3) + "-" + integer(static_cast<long long>(v) + 1) +
        integer(static_cast<long long>(f) + 1);
    std::string name = s.name + " DN " + integer(dn) + " " + s.variants[v];
    if (s.finishes.size() > 1) name += " " + s.finishes[f];
    Add(out, {"800", integer(index), tgaNumber(parts, m_old), name, article});
    Add(out, {"810", integer(index), article, m_rng.digits(8), "LB040-" + m_rng.digits(4),
              ean13(m_rng)});
    const double price = (20.0 + 1.8 * dn) * m_rng.between(0.9, 1.3);
    Add(out, {"820", integer(index), fixed(price, 2)});
}

std::size_t Generator::AppendSeries(std::vector<std::string>& out, const Series& s,
                                    std::size_t maxExecutions) {
    std::string file = s.name;
    std::replace(file.begin(), file.end(), ' ', '_');
    Add(out,
        {"110", integer(s.index), "", s.name, s.data.description, file + ".pdf", file + ".jpg"});
    AppendProperties(out, s);
    for (std::size_t i = 0; i < s.sizes.size(); ++i)
        AppendTechnicalData(out, s, i);
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.sizes.size(); ++i) {
        for (std::size_t v = 0; v < s.variants.size(); ++v) {
            for (std::size_t f = 0; f < s.finishes.size(); ++f) {
                if (count == maxExecutions) return count;
                AppendExecution(out, s, v, f, i, static_cast<int>(++count));
            }
        }
    }
    return count;
}

Fields Generator::Header() const {
    const std::string comment = "Synthetischer Katalog, Zufallswert " +
                                std::to_string(m_options.seed) + "¶Alle Preise in EUR ohne MwSt.";
    Fields h{"010", Heating() ? "02" : "17", m_date, m_maker.name, "20240115", m_maker.web, comment,
             "1.0"};
    if (!m_old && m_dateNo >= 201110) {
        setField(h, 15, "EUR");
        setField(h, 16, "1");
        setField(h, 17, "19");
    }
    return h;
}

std::vector<std::string> Generator::Articles() const {
    std::vector<std::string> out;
    const auto add = [&](int number, const Article& a) {
        Fields r{"900", integer(number), "", integer(a.group)};
        setField(r, 7, std::string(m_maker.prefix) + "-Z" + a.shortName);
        setField(r, 8, padded(4711000 + number, 8));
        setField(r, 11, a.name);
        Add(out, r);
        Add(out, {"920", "1", fixed(a.price, 2)});
    };
    int number = 0;
    if (Heating()) {
        for (const Article& a : kHeatingArticles)
            add(++number, a);
    } else {
        for (const Article& a : kWaterArticles)
            add(++number, a);
    }
    return out;
}

// Spare parts that no execution names; they fill a catalogue to its exact size.
std::string Generator::PaddingArticle(int number) {
    Fields r{"900", integer(number), "", "9"};
    setField(r, 7, std::string(m_maker.prefix) + "-E" + padded(number, 5));
    setField(r, 8, padded(4712000 + number, 8));
    setField(r, 11, "Ersatzteil " + integer(number) + ": Ventileinsatz mit O-Ring");
    return render(r, m_old);
}

Catalogue Generator::Run() {
    Catalogue cat;
    const std::vector<std::string> articles = Articles();
    std::map<int, std::vector<std::string>> groups;  // by 100 index: its series
    std::map<int, int> seriesPerGroup;
    std::map<int, std::string> groupNames;
    const int maxIndex = m_old ? 99 : 999;  // what the TGA number's part can hold
    const bool byExecutions = m_options.executions > 0;
    std::size_t used = 1 + articles.size();  // header and accessories
    while (true) {
        const Family family = NextFamily();
        const FamilyData data = dataOf(family);
        const int index = seriesPerGroup[data.group] % maxIndex + 1;
        std::vector<std::string> block;
        const std::size_t executions = AppendSeries(
            block, Plan(family, index),
            byExecutions ? m_options.executions - cat.executions : static_cast<std::size_t>(-1));
        const std::size_t extra = block.size() + (groups.count(data.group) == 0 ? 1 : 0);
        if (!byExecutions && cat.series > 0 && used + extra > m_options.lines) break;
        used += extra;
        ++seriesPerGroup[data.group];
        groupNames[data.group] = data.groupName;
        auto& body = groups[data.group];
        body.insert(body.end(), block.begin(), block.end());
        ++cat.series;
        cat.executions += executions;
        if (byExecutions ? cat.executions >= m_options.executions : used >= m_options.lines) break;
    }
    cat.lines.reserve(byExecutions ? used : std::max(used, m_options.lines));
    cat.lines.push_back(render(Header(), m_old));
    for (auto& [group, body] : groups) {
        cat.lines.push_back(render({"100", integer(group), "", groupNames[group]}, m_old));
        cat.lines.insert(cat.lines.end(), body.begin(), body.end());
    }
    cat.lines.insert(cat.lines.end(), articles.begin(), articles.end());
    int number = static_cast<int>(articles.size() / 2);
    while (!byExecutions && cat.lines.size() < m_options.lines)
        cat.lines.push_back(PaddingArticle(++number));
    cat.settings = m_settings;
    return cat;
}

}  // namespace

std::string CheckOptions(const Options& options) {
    if (options.sheet != 2 && options.sheet != 17) return "sheet must be 2 or 17";
    if (options.layout == Layout::Tga) {
        if (options.sheet != 2) return "the old layout (.tga) has sheet 2 only";
        if (!options.date.empty() && options.date != "1098")
            return "the old layout (.tga) has the date 1098 only";
    } else if (!options.date.empty() && !acceptedDate(options.sheet, options.date)) {
        return options.sheet == 2 ? "sheet 2 dates: 200302, 201601, 202112"
                                  : "sheet 17 dates: 200311, 201601";
    }
    if (options.lines == 0 && options.executions == 0)
        return "give a number of lines or of executions";
    return {};
}

Catalogue Generate(const Options& options) {
    if (!CheckOptions(options).empty()) return {};
    return Generator(options).Run();
}

const char* ExtensionOf(Layout layout) {
    switch (layout) {
        case Layout::Vdix:
            return ".vdix";
        case Layout::Tga:
            return ".tga";
        default:
            return ".vdi";
    }
}

bool LayoutOfPath(const std::string& path, Layout& layout) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (Layout l : {Layout::Vdi, Layout::Vdix, Layout::Tga}) {
        if (ext == ExtensionOf(l)) {
            layout = l;
            return true;
        }
    }
    return false;
}

bool WriteCatalogue(const Catalogue& catalogue, Layout layout, const std::string& path) {
    const int codePage =
        layout == Layout::Vdix ? nrvStrUtil::CodePageUtf8 : nrvStrUtil::CodePage1252;
    return nrvStrUtil::writeStringlistToFile(catalogue.lines, path, codePage);
}

}  // namespace nrvVDIGen

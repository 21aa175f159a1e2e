#include "kavex/platform/translation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <vector>

#include "kavex/platform/codepage.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/strutil.h"

namespace {

// One printf conversion as written in a format: "%-8.2f", "%5s", "%lu".
struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    char type = 's';
    std::size_t length = 0;  // characters of the format it took
};

// Wider fields than this are taken as text, not as a conversion; a message
// never needs them and they would only cost memory.
constexpr int kMaxDigits = 3;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int readNumber(std::string_view s, std::size_t& pos) {
    int value = 0;
    int digits = 0;
    while (pos < s.size() && isDigit(s[pos])) {
        if (++digits > kMaxDigits) return -2;
        value = value * 10 + (s[pos++] - '0');
    }
    return digits == 0 ? -1 : value;
}

void skipLengthModifier(std::string_view s, std::size_t& pos) {
    // C's hh h l ll L j z t q and the Windows runtime's I, I32, I64.
    while (pos < s.size() && std::string_view("hlLjztqw").find(s[pos]) != std::string_view::npos) {
        ++pos;
    }
    if (pos < s.size() && s[pos] == 'I') {
        ++pos;
        if (s.substr(pos, 2) == "64" || s.substr(pos, 2) == "32") pos += 2;
    }
}

// Parses the conversion at the start of `s` (which starts with '%').
bool parseConversion(std::string_view s, Conversion& c) {
    if (s.empty() || s[0] != '%') return false;
    std::size_t pos = 1;
    while (pos < s.size() && std::string_view("-+ #0").find(s[pos]) != std::string_view::npos) {
        c.flags += s[pos++];
    }
    if (c.flags.size() > 5) return false;
    c.width = readNumber(s, pos);
    if (c.width == -2) return false;
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        c.precision = readNumber(s, pos);
        if (c.precision == -2) return false;
        if (c.precision == -1) c.precision = 0;
    }
    skipLengthModifier(s, pos);
    if (pos >= s.size()) return false;
    char type = s[pos];
    // Upper-case S and C are the Windows runtime's "other width" text forms.
    if (type == 'S') type = 's';
    if (type == 'C') type = 'c';
    if (std::string_view("diouxXcsfFeEgGaA").find(type) == std::string_view::npos) return false;
    c.type = type;
    c.length = pos + 1;
    return true;
}

std::string printfSpec(const Conversion& c, std::string_view lengthModifier) {
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on "literal" + string.
    std::string f = "%";
    f += c.flags;
    if (c.width >= 0) f += std::to_string(c.width);
    if (c.precision >= 0) f.append(".").append(std::to_string(c.precision));
    f += lengthModifier;
    f += c.type;
    return f;
}

long long truncateToInteger(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2233720368547758e18) return LLONG_MAX;
    if (v <= -9.2233720368547758e18) return LLONG_MIN;
    return static_cast<long long>(v);
}

long long parseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+') ++i;
    long long value = 0;
    auto res = std::from_chars(text.data() + i, text.data() + text.size(), value);
    bool fraction = res.ptr != text.data() + text.size() &&
                    std::string_view(".eE").find(*res.ptr) != std::string_view::npos;
    if (res.ec == std::errc() && !fraction) return value;
    return truncateToInteger(nrvNumbers::parseDouble(text));
}

std::size_t utf8Length(char lead) {
    auto b = static_cast<unsigned char>(lead);
    return b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
}

// Width and precision of text count characters, not bytes.
std::string padText(std::string text, const Conversion& c) {
    std::size_t chars = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (c.precision >= 0 && chars == static_cast<std::size_t>(c.precision)) {
            text.resize(pos);
            break;
        }
        pos += utf8Length(text[pos]);
        ++chars;
    }
    if (c.width > 0 && chars < static_cast<std::size_t>(c.width)) {
        std::string pad(static_cast<std::size_t>(c.width) - chars, ' ');
        bool left = c.flags.find('-') != std::string::npos;
        text = left ? text + pad : pad + text;
    }
    return text;
}

std::string codePointText(long long cp) {
    if (cp <= 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return cp == 0 ? "" : "?";
    std::string out;
    auto u = static_cast<unsigned long>(cp);
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
    return out;
}

std::string firstCharacter(const std::string& text) {
    if (text.empty()) return {};
    std::size_t len = std::min(utf8Length(text[0]), text.size());
    std::string_view first(text.data(), len);
    if (nrvCodePage::isValidUtf8(first)) return std::string(first);
    return nrvCodePage::cp1252ToUtf8(first.substr(0, 1));
}

std::string unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        switch (next) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                out += '\\', out += next;
                break;  // unknown escapes stay as written
        }
    }
    return out;
}

// The text of an "@context@text" key; the key itself otherwise.
std::string_view shownPart(std::string_view key) {
    if (key.size() < 2 || key[0] != '@') return key;
    std::size_t second = key.find('@', 1);
    return second == std::string_view::npos ? key : key.substr(second + 1);
}

}  // namespace

std::string FmtPar::render(std::string_view conversion) const {
    if (isEmpty()) return {};
    Conversion c;
    if (!parseConversion(conversion, c)) c = Conversion{};
    const auto* text = std::get_if<std::string>(&m_value);
    const auto* integer = std::get_if<long long>(&m_value);
    const auto* real = std::get_if<double>(&m_value);
    switch (c.type) {
        case 's':
            if (text) return padText(*text, c);
            return padText(integer ? nrvNumbers::formatI(*integer) : nrvNumbers::formatG(*real),
                           Conversion{c.flags, c.width, -1, 's', 0});
        case 'c': {
            std::string ch = text      ? firstCharacter(*text)
                             : integer ? codePointText(*integer)
                                       : codePointText(truncateToInteger(*real));
            return padText(ch, Conversion{c.flags, c.width, -1, 'c', 0});
        }
        case 'd':
        case 'i':
        case 'o':
        case 'u':
        case 'x':
        case 'X': {
            long long v = integer ? *integer
                          : real  ? truncateToInteger(*real)
                                  : parseInteger(*text);
            return nrvNumbers::format(printfSpec(c, "ll").c_str(), v);
        }
        default: {
            double v = real      ? *real
                       : integer ? static_cast<double>(*integer)
                                 : nrvNumbers::parseDouble(*text);
            return nrvNumbers::format(printfSpec(c, "").c_str(), v);
        }
    }
}

// --- translation tables -------------------------------------------------

CTranslationModule::CTranslationModule(std::string name) : m_name(std::move(name)) {}

std::string CTranslationModule::TranslateText(std::string_view key) const {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_table.find(key);
        if (it != m_table.end()) return it->second;
    }
    return std::string(shownPart(key));
}

bool CTranslationModule::LoadTable(const std::string& path) {
    std::vector<std::string> lines;
    if (!nrvStrUtil::readStringlistFromFile(lines, path, nrvStrUtil::CodePageUtf8, true)) {
        return false;
    }
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#') continue;
        std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        AddTranslation(unescape(std::string_view(line).substr(0, tab)),
                       unescape(std::string_view(line).substr(tab + 1)));
    }
    return true;
}

void CTranslationModule::AddTranslation(std::string key, std::string text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_table[std::move(key)] = std::move(text);
}

void CTranslationModule::ClearTable() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_table.clear();
}

CTranslationManager::CTranslationManager() {
    m_modules.emplace("kavex", std::make_unique<CTranslationModule>("kavex"));
}

CTranslationManager& CTranslationManager::GetInstance() {
    static CTranslationManager manager;
    return manager;
}

CTranslationModule* CTranslationManager::AddModule(const void* /*instanceHandle*/,
                                                   std::string_view name) {
    // Modules are known by name; the handle of the loading library is not
    // needed on this platform, where tables are files.
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_modules.find(name);
    if (it == m_modules.end()) {
        it =
            m_modules
                .emplace(std::string(name), std::make_unique<CTranslationModule>(std::string(name)))
                .first;
    }
    return it->second.get();
}

CTranslationModule* CTranslationManager::FindModule(std::string_view name) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_modules.find(name);
    return it == m_modules.end() ? nullptr : it->second.get();
}

std::string CTranslationManager::GetDataText(std::string_view key,
                                             const CTranslationModule* module) const {
    if (!module) module = FindModule("kavex");
    return module ? module->TranslateText(key) : std::string(shownPart(key));
}

CTranslationModule& CTranslationManager::DefaultModule() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return *m_modules.find("kavex")->second;
}

std::string TranslateText(std::string_view key) {
    return CTranslationManager::GetInstance().DefaultModule().TranslateText(key);
}

// --- positional formatting ----------------------------------------------

std::string FormatText(std::string_view format, const FmtPar& p1, const FmtPar& p2,
                       const FmtPar& p3, const FmtPar& p4, const FmtPar& p5, const FmtPar& p6,
                       const FmtPar& p7, const FmtPar& p8) {
    const std::array<const FmtPar*, 8> params = {&p1, &p2, &p3, &p4, &p5, &p6, &p7, &p8};
    std::string out;
    out.reserve(format.size() + 16);
    std::size_t i = 0;
    while (i < format.size()) {
        char ch = format[i];
        if (ch == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // A placeholder is a whole number (not the tail of a longer one), '!'
        // and a conversion: "2!%.2f".
        if (isDigit(ch) && (i == 0 || !isDigit(format[i - 1]))) {
            std::size_t j = i;
            while (j < format.size() && isDigit(format[j]))
                ++j;
            Conversion c;
            bool single = j == i + 1;
            int n = ch - '0';
            if (single && n >= 1 && n <= 8 && j + 1 < format.size() && format[j] == '!' &&
                parseConversion(format.substr(j + 1), c)) {
                out +=
                    params[static_cast<std::size_t>(n - 1)]->render(format.substr(j + 1, c.length));
                i = j + 1 + c.length;
                continue;
            }
        }
        out += ch;
        ++i;
    }
    return out;
}

// --- unit labels ----------------------------------------------------------

namespace {

struct UnitLabel {
    std::string_view shortLabel;
    std::string_view longLabel;
    std::array<std::string_view, 3> aliases;  // other spellings that mean the same unit
};

// Labels shown for the unit texts that the module and its hosts pass around.
constexpr std::array<UnitLabel, 17> kUnitLabels = {{
    {"m³/h", "Kubikmeter pro Stunde", {"m3/h", "m^3/h", "cbm/h"}},
    {"m³/s", "Kubikmeter pro Sekunde", {"m3/s", "m^3/s", ""}},
    {"l/h", "Liter pro Stunde", {"L/h", "ltr/h", ""}},
    {"l/s", "Liter pro Sekunde", {"L/s", "ltr/s", ""}},
    {"kg/h", "Kilogramm pro Stunde", {"", "", ""}},
    {"kg/s", "Kilogramm pro Sekunde", {"", "", ""}},
    {"Pa", "Pascal", {"pa", "", ""}},
    {"hPa", "Hektopascal", {"", "", ""}},
    {"kPa", "Kilopascal", {"", "", ""}},
    {"mbar", "Millibar", {"mBar", "", ""}},
    {"bar", "Bar", {"Bar", "", ""}},
    {"mWS", "Meter Wassersäule", {"mWs", "mH2O", "mH₂O"}},
    {"°C", "Grad Celsius", {"Grad C", "degC", ""}},
    {"K", "Kelvin", {"", "", ""}},
    {"m", "Meter", {"", "", ""}},
    {"mm", "Millimeter", {"", "", ""}},
    {"kg/m³", "Kilogramm pro Kubikmeter", {"kg/m3", "kg/m^3", ""}},
}};

const UnitLabel* findUnit(std::string_view unit) {
    for (const UnitLabel& u : kUnitLabels) {
        if (u.shortLabel == unit || u.longLabel == unit) return &u;
        for (std::string_view alias : u.aliases) {
            if (!alias.empty() && alias == unit) return &u;
        }
    }
    return nullptr;
}

std::string_view trimBlanks(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    return t;
}

}  // namespace

namespace nrvTranslation {

std::string TranslateUnits(std::string_view unit, bool shortForm) {
    std::string_view trimmed = trimBlanks(unit);
    const UnitLabel* found = findUnit(trimmed);
    // Texts from 1252 sources ("m\xB3/h") name the same units.
    if (!found && !nrvCodePage::isValidUtf8(trimmed)) {
        found = findUnit(nrvCodePage::cp1252ToUtf8(trimmed));
    }
    if (!found) return std::string(unit);
    return TranslateText(shortForm ? found->shortLabel : found->longLabel);
}

}  // namespace nrvTranslation

#pragma once
// Translation and positional formatting of the module's user-visible texts.
//
// Keys are the German texts themselves (UTF-8). A key of the form
// "@context@text" shows the part after the second '@'. A loaded translation
// table maps keys to display texts; without one the key (or its text part)
// is shown.

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <variant>

#include "kavex/platform/export.h"

// One argument of FormatText: a text, an integer or a double; default empty.
class KAVEX_API FmtPar {
public:
    FmtPar() = default;
    FmtPar(std::string_view s) : m_value(std::string(s)) {}
    FmtPar(const char* s) : m_value(std::string(s ? s : "")) {}
    FmtPar(const std::string& s) : m_value(s) {}
    FmtPar(int v) : m_value(static_cast<long long>(v)) {}
    FmtPar(long v) : m_value(static_cast<long long>(v)) {}
    FmtPar(long long v) : m_value(v) {}
    FmtPar(unsigned v) : m_value(static_cast<long long>(v)) {}
    FmtPar(std::size_t v) : m_value(static_cast<long long>(v)) {}
    FmtPar(double v) : m_value(v) {}
    FmtPar(float v) : m_value(static_cast<double>(v)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    // The argument rendered with one printf conversion ("%s", "%d", "%.2f", "%g", ...),
    // in the "C" locale. Numbers given to "%s" print as "%g"/"%d" would; text
    // given to a number conversion is parsed as a number first.
    std::string render(std::string_view conversion) const;

private:
    std::variant<std::monostate, std::string, long long, double> m_value;
};

class KAVEX_API CTranslationModule {
public:
    explicit CTranslationModule(std::string name = {});
    const std::string& name() const { return m_name; }

    // Display text of a key (see top of file).
    std::string TranslateText(std::string_view key) const;
    // Loads "key<TAB>text" lines (UTF-8, '#' comments and blank lines skipped,
    // "\n", "\r", "\t" and "\\" escapes in key and text, since many keys are
    // multi-line messages) and adds them to the module's table, a later line
    // replacing an earlier one; lines without a TAB are skipped. False when
    // the file cannot be read.
    bool LoadTable(const std::string& path);
    void AddTranslation(std::string key, std::string text);
    void ClearTable();

private:
    std::string m_name;
    mutable std::mutex m_mutex;
    std::map<std::string, std::string, std::less<>> m_table;
};

class KAVEX_API CTranslationManager {
public:
    static CTranslationManager& GetInstance();
    // Registers (or returns the already registered) module of that name.
    CTranslationModule* AddModule(const void* instanceHandle, std::string_view name);
    CTranslationModule* FindModule(std::string_view name) const;
    // The display text of `key` in `module` (null: the default module).
    std::string GetDataText(std::string_view key, const CTranslationModule* module = nullptr) const;
    // The module the library's own texts go through ("kavex").
    CTranslationModule& DefaultModule();

private:
    CTranslationManager();
    mutable std::mutex m_mutex;
    std::map<std::string, std::unique_ptr<CTranslationModule>, std::less<>> m_modules;
};

// The library's own translation, through the default module.
KAVEX_API std::string TranslateText(std::string_view key);

// Resolves positional placeholders "N!conv" (N = 1..8, conv a printf
// conversion such as %s, %d, %i, %.2f, %g, %c) in any order and any number of
// times; "%%" gives '%'. A placeholder whose argument is empty renders empty.
// Whatever is no placeholder ("12!%s", "9!%s", a lone '%', "1!%q") stays as
// written. Width and precision of %s and %c count characters, not bytes; %c
// shows the first character of a text or the character of an integer code.
// The format itself is not translated: pass TranslateText(key) when needed.
KAVEX_API std::string FormatText(std::string_view format, const FmtPar& p1 = {},
                                 const FmtPar& p2 = {}, const FmtPar& p3 = {},
                                 const FmtPar& p4 = {}, const FmtPar& p5 = {},
                                 const FmtPar& p6 = {}, const FmtPar& p7 = {},
                                 const FmtPar& p8 = {});

namespace nrvTranslation {
// Shown label of a unit text such as "m³/h", "mbar", "°C", "m3/h", "Pa";
// `shortForm` asks for the short label. Unknown units come back as given.
KAVEX_API std::string TranslateUnits(std::string_view unit, bool shortForm = true);
}  // namespace nrvTranslation

#include "kavex/platform/numbers.h"

#include <locale.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view skipBlanks(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && isBlank(t[i])) ++i;
    return t.substr(i);
}

// The "C" locale, made once; printf through it ignores the process locale.
locale_t cLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

class CLocaleScope {
public:
    CLocaleScope() : m_old(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(m_old); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_old;
};

template <typename T>
std::string printfC(const char* fmt, T value) {
    CLocaleScope scope;
    char buf[64];
    int n = std::snprintf(buf, sizeof buf, fmt, value);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof buf) return std::string(buf, static_cast<std::size_t>(n));
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), fmt, value);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

}  // namespace

namespace nrvNumbers {

double parseDouble(std::string_view text) {
    text = skipBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Like strtod: overflow gives ±HUGE_VAL, underflow 0.
        bool negative = !text.empty() && text.front() == '-';
        std::string_view digits = text.substr(negative ? 1 : 0);
        std::size_t e = digits.find_first_of("eE");
        bool tiny = e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
        if (tiny) return negative ? -0.0 : 0.0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (res.ec != std::errc()) return 0.0;
    return value;
}

int parseInt(std::string_view text) {
    text = skipBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        return (!text.empty() && text.front() == '-') ? INT_MIN : INT_MAX;
    }
    if (res.ec != std::errc()) return 0;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

namespace {
std::string_view trimmed(std::string_view t) {
    t = skipBlanks(t);
    while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    return t;
}
}  // namespace

bool tryParseDouble(std::string_view text, double& out) {
    std::string_view t = trimmed(text);
    if (t.empty()) return false;
    double value = 0.0;
    auto res = std::from_chars(t.data(), t.data() + t.size(), value);
    if (res.ec != std::errc() || res.ptr != t.data() + t.size()) return false;
    out = value;
    return true;
}

bool tryParseInt(std::string_view text, int& out) {
    std::string_view t = trimmed(text);
    if (t.empty()) return false;
    int value = 0;
    auto res = std::from_chars(t.data(), t.data() + t.size(), value);
    if (res.ec != std::errc() || res.ptr != t.data() + t.size()) return false;
    out = value;
    return true;
}

std::string formatF(double value) { return printfC("%f", value); }
std::string formatG(double value) { return printfC("%g", value); }
std::string formatI(long long value) { return printfC("%lli", value); }
std::string format(const char* fmt, double value) { return printfC(fmt, value); }
std::string format(const char* fmt, long long value) {
    // Widen the integer conversion ("%d", "%5i", "%x", ...) to long long.
    std::string f = fmt ? fmt : "";
    std::size_t pct = f.rfind('%');
    if (pct == std::string::npos) return f;
    std::size_t conv = f.find_first_of("diouxX", pct + 1);
    if (conv == std::string::npos) return printfC("%lld", value);
    if (f.compare(conv - 1, 1, "l") != 0) f.insert(conv, "ll");
    return printfC(f.c_str(), value);
}

}  // namespace nrvNumbers

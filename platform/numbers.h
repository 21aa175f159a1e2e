#pragma once
// Numbers in files are text with a decimal point, whatever the process locale.

#include <string>
#include <string_view>

#include "kavex/platform/export.h"

namespace nrvNumbers {

// Like the C runtime's atof/atoi in the "C" locale: leading blanks skipped, the
// longest leading number is read, junk behind it ignored, unreadable text is 0.
KAVEX_API double parseDouble(std::string_view text);
KAVEX_API int parseInt(std::string_view text);
// Strict forms: the whole text (blanks around it allowed) must be one number.
KAVEX_API bool tryParseDouble(std::string_view text, double& out);
KAVEX_API bool tryParseInt(std::string_view text, int& out);

// printf in the "C" locale, independent of the process locale.
KAVEX_API std::string formatF(double value);                   // "%f"
KAVEX_API std::string formatG(double value);                   // "%g"
KAVEX_API std::string formatI(long long value);                // "%i"
KAVEX_API std::string format(const char* fmt, double value);  // one double conversion
KAVEX_API std::string format(const char* fmt, long long value);  // one integer conversion

}  // namespace nrvNumbers

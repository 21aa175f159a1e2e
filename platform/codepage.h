#pragma once
// Windows-1252 <-> UTF-8. Catalogue files written by the Windows programs are
// in code page 1252; inside the library every text is UTF-8.
//
// The five bytes 1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the
// C1 control characters of the same value (U+0081 ...), as Windows itself
// does, so every byte sequence survives 1252 -> UTF-8 -> 1252 unchanged.

#include <string>
#include <string_view>

#include "kavex/platform/export.h"

namespace nrvCodePage {

// Every byte becomes one character; never fails.
KAVEX_API std::string cp1252ToUtf8(std::string_view text);
// Characters that 1252 cannot show, and every byte of malformed UTF-8, become
// '?'; `lossy` (when given) is set to whether that happened.
KAVEX_API std::string utf8ToCp1252(std::string_view text, bool* lossy = nullptr);
// Well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
KAVEX_API bool isValidUtf8(std::string_view text);

}  // namespace nrvCodePage

#pragma once
// Field splitting of ';'/':'-separated texts and the text-file line reader and
// writer of the catalogue and user files.
//
// Fields are counted from 1 and kept exactly: "a;;b;" has the four fields
// "a", "", "b" and "". A field number below 1 or beyond the last field gives
// the empty text.
//
// "Numeric" characters are the ASCII digits 0-9 only, so that removing them
// from a size text such as "20x30" leaves just its separator "x".

#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"

class KAVEX_API nrvStrUtil {
public:
    // Code pages understood by the line reader and writer. 0 (the system's
    // ANSI code page on the Windows side) is taken as 1252.
    static constexpr int CodePage1252 = 1252;
    static constexpr int CodePageUtf8 = 65001;

    static std::string GetSubStr(std::string_view text, int index, char separator);
    static std::string GetSubStr(std::string_view text, int index, std::string_view separator);
    // Replaces field `index`; beyond the last field empty fields are appended
    // first ("a" with index 3 and "x" gives "a;;x"). An index below 1 changes nothing.
    static void SetSubStr(std::string& text, int index, char separator, std::string_view value);
    static void SetSubStr(std::string& text, int index, std::string_view separator,
                          std::string_view value);

    static std::string removeAllNonNumeric(std::string_view text);  // keeps the digits
    static std::string removeAllNumeric(std::string_view text);     // drops the digits
    // The text right of the first / last occurrence of `c`; empty when `c` is
    // not in the text (or is its last character).
    static std::string SubStrRightFromFirstOccurence(std::string_view text, char c);
    static std::string SubStrRightFromLastOccurence(std::string_view text, char c);
    // All fields; an empty text gives no field. `skipEmpty` drops empty fields
    // (such as the one behind a list's trailing separator).
    static std::vector<std::string> separatedStringToVector(std::string_view text, char separator,
                                                            bool skipEmpty = false);
    static std::vector<std::string> separatedStringToVector(std::string_view text,
                                                            std::string_view separator,
                                                            bool skipEmpty = false);

    // Reads a text file into UTF-8 lines. `codePage` 1252 converts from
    // Windows-1252, 65001 takes UTF-8; `utf8` = true says "this file is UTF-8"
    // whatever the code page (the ".vdix" catalogues). A UTF-8 byte-order mark
    // is skipped and also means UTF-8. Bytes of a UTF-8 file that are not
    // well-formed UTF-8 are read as 1252 characters, so no byte is lost.
    // Lines end at CRLF, LF or a lone CR; a last line without line end is kept;
    // blank lines are kept. False when the file cannot be read or the code
    // page is not one of the above (`lines` is then empty).
    static bool readStringlistFromFile(std::vector<std::string>& lines, const std::string& path,
                                       int codePage = CodePage1252, bool utf8 = false);
    // Writes every line followed by CRLF (the files are exchanged with Windows
    // programs), atomically. Code page 1252 turns characters it cannot show
    // into '?' and sets `*lossy`; 65001 writes UTF-8, with a byte-order mark
    // when `bom` is true (ignored for 1252). False when the file cannot be
    // written (the old file then stays) or the code page is not supported.
    static bool writeStringlistToFile(const std::vector<std::string>& lines,
                                      const std::string& path, int codePage = CodePage1252,
                                      bool bom = false, bool* lossy = nullptr);

    // The byte-level halves of the reader and writer, used by them and by the
    // fuzz target. False for an unsupported code page.
    static bool splitLines(std::string_view bytes, std::vector<std::string>& lines,
                           int codePage = CodePage1252, bool utf8 = false);
    static bool joinLines(const std::vector<std::string>& lines, std::string& bytes,
                          int codePage = CodePage1252, bool bom = false, bool* lossy = nullptr);
};

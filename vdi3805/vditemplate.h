#pragma once
// Descriptions of the fields of every record type of a VDI 3805 sheet, shown
// by the catalogue data viewer next to the raw fields.
//
// They come from "vdi3805-Blatt<NN>-Beschreibungen.txt" (code page 1252), one
// section per guideline issue: a line "DATUMRICHTLINIE..." ending in the
// issue date (six digits, year and month) opens a section; inside it a line of
// at most six characters names a record type ("710.01") and the next line
// lists the descriptions of its fields separated by ':'. A document uses the
// first section whose date is not earlier than its own.

#include <map>
#include <string>
#include <string_view>

#include "kavex/platform/export.h"

class KAVEX_API CVDITemplate {
public:
    // Loads the section for the guideline date from the sheet's file; false
    // (and an empty table) when the file is missing or has no such section.
    bool LoadDescriptions(int sheet, int guidelineDate);
    // Description of field n of the record type ("710.01"); the translated
    // "n.v." when there is none.
    std::string GetFieldDescription(std::string_view typeText, int fieldNo) const;

    bool IsEmpty() const { return m_descriptions.empty(); }
    void Clear() { m_descriptions.clear(); }
    // Key of a record type: the integer part of type × 100.
    static int KeyOf(std::string_view typeText);
    // "vdi3805-Blatt02-Beschreibungen.txt" for sheet 2.
    static std::string FileNameOf(int sheet);

    // Folder the description files are read from; empty (the default) means
    // the current working folder. Set once at start-up by the module frame
    // (the installed data folder) and by tests.
    static void SetFolder(std::string folder);
    static std::string GetFolder();

private:
    std::map<int, std::string> m_descriptions;
};

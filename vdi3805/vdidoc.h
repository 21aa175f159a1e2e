#pragma once
// A VDI 3805 catalogue file read into a tree of records.
//
// Three file kinds are read: ".vdi" (current layout, from the 11.2001 issue
// on), ".vdix" (the same, already converted to UTF-8) and ".tga" (the 08.1996
// layout, always sheet 2, whose fields are mapped to the current numbering).
// The first line must be the file header 010 with a supported sheet and
// guideline date; what is wrong goes to the module's report list.

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/vdi3805/vdibase.h"
#include "kavex/vdi3805/vditemplate.h"

class KAVEX_API CVDIDoc : public CVDIBase {
    KAVEX_DECLARE_DYNCREATE(CVDIDoc)

public:
    CVDIDoc();
    ~CVDIDoc() override;

    // The header 010 and damaged lines hang directly below the document.
    bool CanHoldChild(const CVDIBase* child) const override;

    // Reads, checks and parses one file. `filter` leaves out the text records
    // the calculation does not need; `expectedSheet` above 0 silently skips a
    // file of another sheet; `vdixOnly` refuses everything but ".vdix". The
    // loaded flag is set in every case, the parsed flag on success (the
    // result).
    virtual bool Load(const std::string& path, bool filter, int expectedSheet, bool vdixOnly);
    // The same for lines already read; `path` names the file for the messages
    // and its extension chooses the layout.
    bool LoadLines(const std::string& path, std::vector<std::string> lines, bool filter,
                   int expectedSheet);
    // The lines of all records below the document, in tree order.
    void DumpAllLines(std::vector<std::string>& out) const;

    // The header checks; every failure is reported as error 20 (under the
    // module's critical section when `lock` is set).
    static bool CheckVdiHeader(const std::string& path, std::string_view typeText,
                               std::string_view sheetText, std::string_view dateText, bool lock);
    static bool CheckTgaHeader(const std::string& path, std::string_view typeText,
                               std::string_view dateText, bool lock);

    int GetSheet() const { return m_sheet; }
    // "201601", or "1098" for ".tga" files; empty for other files.
    const std::string& GetGuidelineDate() const { return m_date; }
    // Fields 15, 16 and 17 of the header, kept for issues from 201110 on.
    const std::string& GetHeaderField15() const { return m_headerField15; }
    int GetHeaderField16() const { return m_headerField16; }
    int GetHeaderField17() const { return m_headerField17; }
    const std::string& GetPath() const { return m_path; }
    // Where the catalogue list found the file: the manufacturer library's
    // identifier, that library's content-file name for the file's folder and
    // the manufacturer's logo. Set before loading; Load keeps them.
    void SetCatalogueSource(const std::string& path, const std::string& catalogueID,
                            const std::string& contentFileName, const std::string& logoPath) {
        m_path = path;
        m_catalogueID = catalogueID;
        m_contentFileName = contentFileName;
        m_logoPath = logoPath;
    }
    const std::string& GetCatalogueID() const { return m_catalogueID; }
    const std::string& GetContentFileName() const { return m_contentFileName; }
    const std::string& GetLogoPath() const { return m_logoPath; }
    bool IsOldLayout() const { return m_oldLayout; }
    bool IsLoaded() const { return m_loaded; }
    bool IsParsed() const { return m_parsed; }
    // Every line of the file as read.
    const std::vector<std::string>& GetFileLines() const { return m_fileLines; }
    const CVDITemplate& GetTemplate() const { return m_template; }

private:
    enum class Layout { Current, Old, Unchecked };
    static Layout LayoutOf(const std::string& path);
    bool ReadHeader(Layout layout, int expectedSheet);
    void Reset();

    int m_sheet = 0;
    std::string m_date;
    std::string m_headerField15;
    int m_headerField16 = 0;
    int m_headerField17 = 0;
    std::string m_path;
    std::string m_catalogueID;
    std::string m_contentFileName;
    std::string m_logoPath;
    bool m_oldLayout = false;
    std::vector<std::string> m_fileLines;
    CVDITemplate m_template;
    // Set by the loading worker and read by whoever counts loaded documents
    // meanwhile (a progress display), hence atomic.
    std::atomic<bool> m_loaded{false};
    bool m_parsed = false;
};

// Reads a catalogue file into lines (code page 1252; ".vdix" as UTF-8). A
// missing, unreadable or empty file is reported as error 10 and gives false;
// with `lock` the report is added under the module's critical section.
KAVEX_API bool ReadCatalogueLines(std::vector<std::string>& lines, const std::string& path,
                                  bool lock);

// Checks a file the user picked for import into the library of sheet
// `expectedSheet` (0 accepts anything): it must exist, have a first line, and
// be a ".vdi" of that sheet or a ".tga" of the 08.1996 issue for sheet 2.
// What is wrong is shown in a message box; false then.
KAVEX_API bool CheckCatalogueFile(const std::string& path, int expectedSheet);

#pragma once
// The module's report list: what loading and importing find wrong or
// doubtful in the user's files and the manufacturers' catalogues, collected as
// errors (data were dropped) and hints (data were kept) for the user to read.
//
// Codes 1..1000 are errors, 1001..2000 hints: an error's code is clamped into
// 1..1000, a hint's into 1..1000 and raised by 1000.
//
// Locking: loading threads add entries while they hold the module's critical
// section (nrvThreading::criticalSection()). The list therefore guards itself
// with a lock of its own and never takes the critical section, so adding
// works both with and without it held.

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"

// What a report is about (a catalogue record); the layer that owns such
// records supplies the texts that the two switches of the list add.
class KAVEX_API CReportSubject {
public:
    virtual ~CReportSubject();
    // The manufacturer's contact sentence, appended after a blank line.
    virtual std::string reportFooter() const = 0;
    // Where the subject sits in its file, put in front, followed by a blank line.
    virtual std::string reportPath() const = 0;
};

struct KAVEX_API CReportEntry {
    std::string title;
    // Empty, or the title, ":" and a blank line, then the text, with CR LF
    // line ends (as the report dialog shows it).
    std::string text;
    int code = 0;

    bool isError() const { return code < CReportEntry::FirstHintCode; }
    static constexpr int FirstHintCode = 1001;
};

class KAVEX_API CReportList {
public:
    enum State : int { NoEntries = 0, HasErrors = 1, HintsOnly = 2 };

    CReportList();
    ~CReportList();
    CReportList(const CReportList&) = delete;
    CReportList& operator=(const CReportList&) = delete;

    // The module's one list.
    static CReportList& instance();

    // Title and text are trimmed; with a subject the footer and the path are
    // added as the switches say. Adding never fails; it clears the shown flag.
    void AddError(int code, std::string_view title, std::string_view text,
                  const CReportSubject* subject = nullptr);
    void AddHint(int code, std::string_view title, std::string_view text,
                 const CReportSubject* subject = nullptr);
    // Deletes all entries and sets the shown flag.
    void Clear();

    int Count() const;
    int CountErrors() const;
    State GetState() const;
    // Entry i (a copy, safe while other threads add); i outside 0..Count()-1
    // throws std::invalid_argument.
    CReportEntry GetAt(int i) const;
    std::vector<CReportEntry> GetEntries() const;

    // Set by Clear and ShowList, cleared by every new entry: the user has seen
    // everything the list holds.
    bool IsShown() const;
    void SetShown();

    // Switches for entries added with a subject.
    void SetAddFooter(bool on);
    void SetAddPath(bool on);
    bool GetAddFooter() const;
    bool GetAddPath() const;

    // Shows the entries through the UI seam with the caption "Reportliste"
    // (translated), followed by " - " and the suffix when one is given; sets
    // the shown flag.
    void ShowList(const std::string& captionSuffix = {});

private:
    void add(int code, std::string_view title, std::string_view text,
             const CReportSubject* subject);

    mutable std::mutex m_mutex;
    std::vector<CReportEntry> m_entries;
    bool m_shown = true;
    bool m_addFooter = false;
    bool m_addPath = false;
};

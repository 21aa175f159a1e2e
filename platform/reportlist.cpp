#include "kavex/platform/reportlist.h"

#include <algorithm>
#include <stdexcept>

#include "kavex/platform/translation.h"
#include "kavex/platform/uiservice.h"

namespace {

constexpr int kMaxCode = 1000;

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string_view::npos) return {};
    const std::size_t end = text.find_last_not_of(blanks);
    return text.substr(begin, end - begin + 1);
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(from, start)) != std::string::npos;
         start = at + from.size()) {
        out.append(text, start, at - start).append(to);
    }
    out.append(text, start, std::string::npos);
    text = std::move(out);
}

// The report dialog shows Windows line ends: every LF becomes CR LF, and a
// text that already had CR LF does not end up with two CRs.
std::string withCrLf(std::string text) {
    replaceAll(text, "\n", "\r\n");
    replaceAll(text, "\r\r", "\r");
    return text;
}

CReportList::State stateOf(const std::vector<CReportEntry>& entries) {
    if (entries.empty()) return CReportList::NoEntries;
    const bool anyError = std::any_of(entries.begin(), entries.end(),
                                      [](const CReportEntry& e) { return e.isError(); });
    return anyError ? CReportList::HasErrors : CReportList::HintsOnly;
}

}  // namespace

CReportSubject::~CReportSubject() = default;

CReportList::CReportList() = default;
CReportList::~CReportList() = default;

CReportList& CReportList::instance() {
    static CReportList list;
    return list;
}

void CReportList::AddError(int code, std::string_view title, std::string_view text,
                           const CReportSubject* subject) {
    add(std::clamp(code, 1, kMaxCode), title, text, subject);
}

void CReportList::AddHint(int code, std::string_view title, std::string_view text,
                          const CReportSubject* subject) {
    add(std::clamp(code, 1, kMaxCode) + kMaxCode, title, text, subject);
}

void CReportList::add(int code, std::string_view title, std::string_view text,
                      const CReportSubject* subject) {
    CReportEntry entry;
    entry.title = std::string(trimmed(title));
    entry.code = code;
    std::string body(trimmed(text));
    // The subject is asked before the lock: it may take locks of its own layer.
    const bool footer = GetAddFooter();
    const bool path = GetAddPath();
    if (subject != nullptr && footer) body += "\n\n" + subject->reportFooter();
    if (subject != nullptr && path) body = subject->reportPath() + "\n\n" + body;
    if (!body.empty()) entry.text = entry.title + ":\r\n\r\n" + withCrLf(std::move(body));

    std::lock_guard lock(m_mutex);
    m_entries.push_back(std::move(entry));
    m_shown = false;
}

void CReportList::Clear() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
    m_shown = true;
}

int CReportList::Count() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_entries.size());
}

int CReportList::CountErrors() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [](const CReportEntry& e) { return e.isError(); }));
}

CReportList::State CReportList::GetState() const {
    std::lock_guard lock(m_mutex);
    return stateOf(m_entries);
}

CReportEntry CReportList::GetAt(int i) const {
    std::lock_guard lock(m_mutex);
    if (i < 0 || i >= static_cast<int>(m_entries.size())) {
        throw std::invalid_argument("CReportList::GetAt: index out of range");
    }
    return m_entries[static_cast<std::size_t>(i)];
}

std::vector<CReportEntry> CReportList::GetEntries() const {
    std::lock_guard lock(m_mutex);
    return m_entries;
}

bool CReportList::IsShown() const {
    std::lock_guard lock(m_mutex);
    return m_shown;
}

void CReportList::SetShown() {
    std::lock_guard lock(m_mutex);
    m_shown = true;
}

void CReportList::SetAddFooter(bool on) {
    std::lock_guard lock(m_mutex);
    m_addFooter = on;
}

void CReportList::SetAddPath(bool on) {
    std::lock_guard lock(m_mutex);
    m_addPath = on;
}

bool CReportList::GetAddFooter() const {
    std::lock_guard lock(m_mutex);
    return m_addFooter;
}

bool CReportList::GetAddPath() const {
    std::lock_guard lock(m_mutex);
    return m_addPath;
}

void CReportList::ShowList(const std::string& captionSuffix) {
    std::string caption = TranslateText("Reportliste");
    if (!captionSuffix.empty()) caption += " - " + captionSuffix;
    const std::vector<CReportEntry> entries = GetEntries();
    std::string text;
    for (const CReportEntry& entry : entries) {
        if (!text.empty()) text += "\r\n\r\n";
        text += entry.text.empty() ? entry.title : entry.text;
    }
    const State state = stateOf(entries);
    const nrvUi::Icon icon = state == HasErrors   ? nrvUi::Icon::Error
                             : state == HintsOnly ? nrvUi::Icon::Warning
                                                  : nrvUi::Icon::Information;
    nrvUi::ui().messageBox(caption, text, icon);
    SetShown();
}

#include "kavex/vdi3805/vdidoc.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <optional>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/reportlist.h"
#include "kavex/platform/strutil.h"
#include "kavex/platform/threading.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/uiservice.h"
#include "kavex/vdi3805/vdirecords.h"

namespace {

// Message keys (German texts, positional placeholders).
constexpr const char* kNotFoundTitle = "Datei konnte nicht gefunden werden.";
constexpr const char* kNotFoundText =
    "Bitte prüfen, ob die VDI-Datei vorhanden ist.\nDateipfad:\n1!%s";
constexpr const char* kUnreadableTitle = "Datei konnte nicht gelesen werden.";
constexpr const char* kUnreadableText =
    "Bitte prüfen, ob die VDI-Datei das richtige Format hat.\nDateipfad:\n1!%s";
constexpr const char* kEmptyTitle = "Fehler beim Lesen einer Datei: Datei hat keinen Inhalt.";
constexpr const char* kFirstLineTitle =
    "Erste Zeile der VDI-Datei entspricht nicht der Satzart 010.";
constexpr const char* kFirstLineText =
    "Achtung! Erste Zeile der Datei entspricht nicht der Satzart 010. Laden dieser Datei wird "
    "abgebrochen.";
constexpr const char* kVdiDateTitle =
    "Die VDI-Datei \"1!%s\" hat ein inkompatibles Richtlinien-Datum.";
constexpr const char* kVdiDateText =
    "Die angegebene VDI-Datei ist mit dem Richtlinien-Ausgabedatum 1!%s versehen.\n"
    "Diese Richtlinie wird nicht unterstützt.\nBetroffene Datei: 2!%s";
constexpr const char* kVdiOldDateText =
    "Die angegebene VDI-Datei ist mit dem Richtlinien-Ausgabedatum 1!%s versehen.\n"
    "Diese Richtlinie wird nicht unterstützt oder die Dateistruktur dieser VDI-Datei "
    "entspricht\neinem alten, nicht unterstützten Richtlinien-Datum. Das Laden wurde "
    "abgebrochen.\nBitte aktuelleren/kompatiblen Datensatz verwenden.\nBetroffene Datei: 2!%s";
constexpr const char* kTgaDateTitle =
    "Die gewählte TGA-Datei hat ein inkompatibles Richtlinien-Datum.";
constexpr const char* kTgaDateText =
    "Die angegebene TGA-Datei ist mit einem Richtlinien-Ausgabedatum 1!%s versehen. Diese "
    "Richtlinie wird nicht unterstützt oder die Dateistruktur dieser VDI-Datei entspricht einem "
    "nicht unterstützten Richtlinien-Datum. Das Laden wurde abgebrochen.\nBitte "
    "aktuelleren/kompatiblen Datensatz verwenden.\nBetroffene Datei: 2!%s";
constexpr const char* kWrongSheetTitle = "VDI-Datei hat die falsche Blattnummer.";
constexpr const char* kWrongSheetText =
    "Erwartete Blattnummer: 1!%d, in der Datei gefundene Blattnummer: 2!%d.\nDateipfad:\n3!%s";
constexpr const char* kWrongTgaTitle = "TGA-Datei hat das falsche Datum.";
constexpr const char* kWrongTgaText =
    "Dieses Ausgabedatum und somit der Datenstandard wird derzeit nicht unterstützt oder ist "
    "nicht erlaubt.\nDateipfad:\n1!%s";
constexpr const char* kWrongExtensionTitle = "Datei hat eine falsche Dateiendung.";
constexpr const char* kWrongExtensionText =
    "Diese Dateiendung ist nicht erlaubt.\nDateipfad:\n1!%s";

constexpr int kReadErrorCode = 10;
constexpr int kHeaderErrorCode = 20;
// First issue date whose header carries fields 15 to 17.
constexpr int kHeaderExtrasFrom = 201110;
// The 08.1996 issue as written in ".tga" headers.
constexpr int kTgaIssue = 1098;

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

std::size_t charCount(std::string_view text) {
    std::size_t n = 0;
    for (char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// Extension without the point, in lower case ("vdi", "vdix", "tga").
std::string extensionOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void reportError(int code, const std::string& title, const std::string& text, bool lock) {
    std::optional<std::lock_guard<std::mutex>> guard;
    if (lock) guard.emplace(nrvThreading::criticalSection());
    CReportList::instance().AddError(code, title, text);
}

void reportReadError(const char* title, const char* text, const std::string& path, bool lock) {
    reportError(kReadErrorCode, TranslateText(title), "\n" + FormatText(TranslateText(text), path),
                lock);
}

void reportFirstLine(const std::string& path, bool lock) {
    reportError(kHeaderErrorCode, TranslateText(kFirstLineTitle),
                path + "\n" + TranslateText(kFirstLineText), lock);
}

bool acceptedIssue(int sheet, std::string_view date) {
    if (sheet == 2) return date == "200302" || date == "201601" || date == "202112";
    if (sheet == 17) return date == "200311" || date == "201601";
    return true;
}

void showRefusal(const char* title, const std::string& text) {
    const std::string caption = TranslateText(title);
    nrvUi::ui().messageBox(caption, caption + "\n" + text, nrvUi::Icon::Warning);
}

}  // namespace

KAVEX_IMPLEMENT_DYNCREATE(CVDIDoc, CVDIBase)

CVDIDoc::CVDIDoc() {
    MakeRoot(this);
}

CVDIDoc::~CVDIDoc() = default;

bool CVDIDoc::CanHoldChild(const CVDIBase* child) const {
    return child != nullptr && (child->IsKindOf(KAVEX_RUNTIME_CLASS(VDIStruct_010)) ||
                                child->IsKindOf(KAVEX_RUNTIME_CLASS(VDIStruct_Err)));
}

void CVDIDoc::Reset() {
    RemoveAllChildren();
    SetLine({});
    m_sheet = 0;
    m_date.clear();
    m_headerField15.clear();
    m_headerField16 = m_headerField17 = 0;
    m_oldLayout = false;
    m_fileLines.clear();
    m_template.Clear();
    m_loaded = m_parsed = false;
}

CVDIDoc::Layout CVDIDoc::LayoutOf(const std::string& path) {
    const std::string ext = extensionOf(path);
    if (ext == "vdi" || ext == "vdix") return Layout::Current;
    if (ext == "tga") return Layout::Old;
    return Layout::Unchecked;
}

bool CVDIDoc::Load(const std::string& path, bool filter, int expectedSheet, bool vdixOnly) {
    Reset();
    m_path = path;
    std::vector<std::string> lines;
    if ((vdixOnly && extensionOf(path) != "vdix") || !ReadCatalogueLines(lines, path, true)) {
        m_loaded = true;
        return false;
    }
    return LoadLines(path, std::move(lines), filter, expectedSheet);
}

bool CVDIDoc::LoadLines(const std::string& path, std::vector<std::string> lines, bool filter,
                        int expectedSheet) {
    Reset();
    m_path = path;
    m_loaded = true;
    if (lines.empty()) {
        reportReadError(kEmptyTitle, kUnreadableText, path, true);
        return false;
    }
    m_fileLines = lines;
    if (!ReadHeader(LayoutOf(path), expectedSheet)) return false;
    m_template.LoadDescriptions(m_sheet, nrvNumbers::parseInt(m_date));
    m_parsed = ParseLines(lines, filter, m_oldLayout);
    return m_parsed;
}

bool CVDIDoc::ReadHeader(Layout layout, int expectedSheet) {
    // The header's fields are read from the document's own line, unmapped.
    SetLine(trimmed(m_fileLines.front()));
    const std::string typeText = GetField(1, true);
    const std::string field2 = GetField(2, true);
    const std::string field3 = GetField(3, true);
    if (layout == Layout::Current && nrvNumbers::parseInt(field3) >= kHeaderExtrasFrom) {
        m_headerField15 = GetField(15, true);
        m_headerField16 = GetFieldInt(16, true);
        m_headerField17 = GetFieldInt(17, true);
    }
    SetLine("CVDIDoc");

    if (layout == Layout::Current) {
        m_sheet = nrvNumbers::parseInt(field2);
        m_date = field3;
        if (!CheckVdiHeader(m_path, typeText, field2, field3, true)) return false;
        // A catalogue of the other sheet is simply not this list's business.
        return expectedSheet <= 0 || m_sheet == expectedSheet;
    }
    if (layout == Layout::Old) {
        m_oldLayout = true;
        if (!CheckTgaHeader(m_path, typeText, field2, true)) return false;
        m_date = field2;
        m_sheet = 2;
    }
    return true;
}

void CVDIDoc::DumpAllLines(std::vector<std::string>& out) const {
    for (const auto& child : GetChildren())
        child->DumpLines(out);
}

bool CVDIDoc::CheckVdiHeader(const std::string& path, std::string_view typeText,
                             std::string_view sheetText, std::string_view dateText, bool lock) {
    if (nrvNumbers::parseInt(typeText) != 10) {
        reportFirstLine(path, lock);
        return false;
    }
    const bool currentShape = charCount(dateText) == 6 && charCount(sheetText) < 3;
    if (currentShape && acceptedIssue(nrvNumbers::parseInt(sheetText), dateText)) return true;
    reportError(kHeaderErrorCode, FormatText(TranslateText(kVdiDateTitle), fileNameOf(path)),
                FormatText(TranslateText(currentShape ? kVdiDateText : kVdiOldDateText),
                           std::string(dateText), path),
                lock);
    return false;
}

bool CVDIDoc::CheckTgaHeader(const std::string& path, std::string_view typeText,
                             std::string_view dateText, bool lock) {
    if (nrvNumbers::parseInt(typeText) != 10) {
        reportFirstLine(path, lock);
        return false;
    }
    if (charCount(dateText) < 5 && nrvNumbers::parseInt(dateText) == kTgaIssue) return true;
    reportError(kHeaderErrorCode, TranslateText(kTgaDateTitle),
                FormatText(TranslateText(kTgaDateText), std::string(dateText), path), lock);
    return false;
}

bool ReadCatalogueLines(std::vector<std::string>& lines, const std::string& path, bool lock) {
    lines.clear();
    if (!nrvFiles::fileExists(path)) {
        reportReadError(kNotFoundTitle, kNotFoundText, path, lock);
        return false;
    }
    const bool utf8 = extensionOf(path) == "vdix";
    if (!nrvStrUtil::readStringlistFromFile(lines, path, nrvStrUtil::CodePage1252, utf8)) {
        reportReadError(kUnreadableTitle, kUnreadableText, path, lock);
        return false;
    }
    if (lines.empty()) {
        reportReadError(kEmptyTitle, kUnreadableText, path, lock);
        return false;
    }
    return true;
}

bool CheckCatalogueFile(const std::string& path, int expectedSheet) {
    if (expectedSheet == 0) return true;
    if (!nrvFiles::fileExists(path)) {
        showRefusal(kNotFoundTitle, "\n" + FormatText(TranslateText(kNotFoundText), path));
        return false;
    }
    const std::string ext = extensionOf(path);
    std::vector<std::string> lines;
    nrvStrUtil::readStringlistFromFile(lines, path, nrvStrUtil::CodePage1252, ext == "vdix");
    const std::string_view first = lines.empty() ? std::string_view() : trimmed(lines.front());
    if (first.empty()) {
        showRefusal(kUnreadableTitle, "\n" + FormatText(TranslateText(kUnreadableText), path));
        return false;
    }
    const int field2 = nrvNumbers::parseInt(nrvStrUtil::GetSubStr(first, 2, ';'));
    if (ext == "vdi") {
        if (field2 == expectedSheet) return true;
        showRefusal(kWrongSheetTitle,
                    "\n" + FormatText(TranslateText(kWrongSheetText), expectedSheet, field2, path));
        return false;
    }
    if (ext == "tga") {
        if (field2 == kTgaIssue && expectedSheet == 2) return true;
        showRefusal(kWrongTgaTitle, "\n" + FormatText(TranslateText(kWrongTgaText), path));
        return false;
    }
    showRefusal(kWrongExtensionTitle, "\n" + FormatText(TranslateText(kWrongExtensionText), path));
    return false;
}

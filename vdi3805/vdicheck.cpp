#include "kavex/vdi3805/vdicheck.h"

#include <unistd.h>

#include <filesystem>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/reportlist.h"
#include "kavex/platform/strutil.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/uiservice.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturtyp.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdiconvert_p.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"

namespace nrvVDICheck {

namespace {

constexpr int kType010 = 1000;
constexpr int kType800 = 80000;
constexpr int kType700 = 700;
const std::string kSlashes(74, '/');

std::string tr(const char* key) {
    return TranslateText(key);
}

// The file header 010 hangs directly below the document.
CVDIBase* header010(const CVDIDoc& doc) {
    return doc.FindRecord(kType010, -1, 1);
}

// Heating catalogues leave out the kinds the conversion has no valve class
// for; drinking-water catalogues stop at 14 and check 22.
int lastKind(int sheet) {
    return sheet == 17 ? 22 : 21;
}
bool isChecked(int sheet, int kind) {
    if (sheet == 2) return kind != 6 && kind != 16 && kind != 17 && kind != 19;
    if (sheet == 17) return kind < 15 || kind > 21;
    return true;
}

void writeIntroduction(std::vector<std::string>& lines, int sheet, int executions) {
    if (sheet == 2) {
        lines.emplace_back();
        lines.push_back(tr("Es werden nur Armaturarten 1 bis 6 geprüft."));
        lines.emplace_back();
        lines.push_back(tr("Darin werden die Armaturtypen 1 - 5, 7 - 15, 18, 20 und 21 geprüft."));
    } else if (sheet == 17) {
        lines.emplace_back();
        lines.push_back(tr("Es werden nur Armaturarten 1 bis 7 geprüft."));
        lines.emplace_back();
        lines.push_back(tr("Darin werden die Armaturtypen 1 bis 14 und 22 geprüft."));
    }
    lines.emplace_back();
    lines.push_back(
        tr("Bei \"Hinweis zu\" kann das Programm die angegebene Armatur - Ausführung trotzdem "
           "verwenden, es ist jedoch zu prüfen, ob dies Sinn macht (ggf. sind alle "
           "Einstellungen weggefallen o.ä.)."));
    lines.emplace_back();
    lines.push_back(
        tr("Bei \"Fehler in\" kann der Anwender die angegebene Armatur - Ausführung, oder ggf. "
           "das ganze Modell nicht zur Berechnung übernehmen."));
    lines.emplace_back();
    lines.emplace_back();
    lines.push_back(
        FormatText(tr("Gesamte Anzahl unterscheidbarer Armatur-Ausführungen in dieser Datei: 1!%d"),
                   executions));
}

// The report list's switches as the check needs them (paths on, footer off),
// restored afterwards so that the catalogue dialog's reports look as before.
class CollectorSwitches {
public:
    CollectorSwitches()
        : m_list(CReportList::instance()),
          m_path(m_list.GetAddPath()),
          m_footer(m_list.GetAddFooter()) {
        m_list.SetAddPath(true);
        m_list.SetAddFooter(false);
    }
    ~CollectorSwitches() {
        m_list.SetAddPath(m_path);
        m_list.SetAddFooter(m_footer);
    }
    CollectorSwitches(const CollectorSwitches&) = delete;
    CollectorSwitches& operator=(const CollectorSwitches&) = delete;

private:
    CReportList& m_list;
    bool m_path;
    bool m_footer;
};

struct KindCounts {
    int executions = 0;
    int valid = 0;
    int hints = 0;
    int errors = 0;
};

// Converts the executions of one kind into a throw-away model; the valves
// that could be built are the valid executions.
int convertKind(const std::vector<VDIStruct_800*>& selection) {
    if (selection.empty()) return 0;
    std::vector<float> xp;
    std::vector<nrvVDIConvert::AccessoryList> accessories;
    for (VDIStruct_800* execution : selection) {
        xp.push_back(DataCheckXp(*execution));
        accessories.push_back(nrvVDIConvert::CollectAccessories(*execution));
    }
    nrvVDIArmaturen::nrvVDIArmaturenModell model;
    nrvVDIConvert::FillModel(model, selection, xp, accessories);
    return model.getSize();
}

void writeEntries(std::vector<std::string>& lines, KindCounts& counts) {
    for (const CReportEntry& entry : CReportList::instance().GetEntries()) {
        lines.emplace_back();
        if (entry.isError()) {
            lines.push_back(tr("/// Fehler ///"));
            ++counts.errors;
        } else {
            lines.push_back(tr("/// Hinweis ///"));
            ++counts.hints;
        }
        lines.push_back(entry.text);
    }
}

void writeKindCounts(std::vector<std::string>& lines, int kind, const KindCounts& c) {
    lines.emplace_back();
    lines.push_back(kSlashes);
    lines.push_back(FormatText(tr("Anzahl Hinweise in Arm.-Typ 1!%d: 2!%d"), kind, c.hints));
    lines.push_back(FormatText(tr("Anzahl Fehler   in Arm.-Typ 1!%d: 2!%d"), kind, c.errors));
    lines.push_back(FormatText(tr("Anzahl Armaturausführungen in Arm.-Typ 1!%2.d: 2!%2.d"), kind,
                               c.executions));
    lines.push_back(FormatText(tr("davon gültige Armaturausführungen:         1!%2.0d"), c.valid));
}

KindCounts checkKind(std::vector<std::string>& lines, int sheet, int kind,
                     const std::vector<VDIStruct_800*>& executions) {
    CReportList::instance().Clear();
    std::vector<VDIStruct_800*> selection;
    for (VDIStruct_800* execution : executions)
        if (ExecutionKind(*execution) == kind) selection.push_back(execution);

    lines.emplace_back();
    lines.push_back(kSlashes);
    lines.push_back(kSlashes);
    lines.push_back(FormatText(tr("Armaturtyp 1!%d : 2!%s"), kind,
                               nrvBaseArmaturen::getNrvArmTypeText(sheet * 100 + kind, sheet)));

    KindCounts counts;
    counts.executions = static_cast<int>(selection.size());
    counts.valid = convertKind(selection);
    writeEntries(lines, counts);
    writeKindCounts(lines, kind, counts);
    return counts;
}

void writeTotals(std::vector<std::string>& lines, const DataCheckCounts& t) {
    lines.emplace_back();
    lines.push_back(kSlashes);
    lines.push_back(nrvNumbers::format(tr("Anzahl Hinweise gesamt: %d").c_str(),
                                       static_cast<long long>(t.hints)));
    lines.push_back(nrvNumbers::format(tr("Anzahl Fehler   gesamt: %d").c_str(),
                                       static_cast<long long>(t.errors)));
    lines.push_back(FormatText(tr("Anzahl Armaturausführungen gesamt: 1!%4.d"), t.checked));
    lines.push_back(FormatText(tr("davon gültige Armaturausführungen: 1!%4.d"), t.valid));
}

std::vector<VDIStruct_800*> collectExecutions(const CVDIDoc& doc) {
    std::vector<VDIStruct_800*> executions;
    const CVDIBase* header = header010(doc);
    if (header == nullptr) return executions;
    std::vector<CVDIBase*> records;
    header->CollectRecords(kType800, records);
    for (CVDIBase* record : records)
        if (auto* execution = dynamic_cast<VDIStruct_800*>(record)) executions.push_back(execution);
    return executions;
}

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Replacing the file needs its folder writable; a write-protected file is
// the user's wish not to overwrite it.
bool canReplace(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    return ::access(path.c_str(), W_OK) == 0 && ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

int ExecutionKind(VDIStruct_800& execution) {
    std::vector<CVDIBase*> records700;
    execution.GetReferences(kType700, records700);
    return records700.empty() ? 0 : records700.front()->GetFieldInt(4);
}

// Thermostatic valve bodies get a proportional band the data offer; every
// other kind converts without one.
float DataCheckXp(VDIStruct_800& execution) {
    const int kind = ExecutionKind(execution);
    return (kind == 1 || kind == 12) ? nrvVDIConvert::DeriveDataCheckXp(execution) : 0.0f;
}

DataCheckCounts WriteDataCheck(std::vector<std::string>& lines, CVDIDoc& doc) {
    DataCheckCounts totals;
    const std::vector<VDIStruct_800*> executions = collectExecutions(doc);
    if (executions.empty()) return totals;
    for (VDIStruct_800* execution : executions)
        execution->ResolveTgaNumber();

    const int sheet = doc.GetSheet();
    totals.executions = static_cast<int>(executions.size());
    writeIntroduction(lines, sheet, totals.executions);

    CollectorSwitches switches;
    for (int kind = 1; kind <= lastKind(sheet); ++kind) {
        if (!isChecked(sheet, kind)) continue;
        const KindCounts c = checkKind(lines, sheet, kind, executions);
        totals.checked += c.executions;
        totals.valid += c.valid;
        totals.hints += c.hints;
        totals.errors += c.errors;
    }
    writeTotals(lines, totals);
    return totals;
}

std::string ReportFileName(std::string_view proposedName) {
    std::string name;
    for (char c : proposedName) {
        if (c == ',')
            name += " -";
        else if (c == '.')
            name += '_';
        else if (c == '/')
            name += '-';
        else
            name += c;
    }
    return name + ".txt";
}

bool ChooseReportFile(const std::string& proposedName, std::string& resultPath) {
    nrvUi::FileChoice choice;
    choice.initialPath = ReportFileName(proposedName);
    choice.filter = "Text Dateien (*.txt)|*.txt|Alle Dateien|*.*|";
    choice.defaultExtension = "txt";
    for (;;) {
        const std::string chosen = nrvUi::ui().chooseSaveFile(choice);
        if (chosen.empty()) return false;
        if (!nrvFiles::fileExists(chosen)) {
            resultPath = chosen;
            return true;
        }
        const std::string title = tr("Prüfbericht");
        if (nrvUi::ui().question(title, tr("Datei existiert schon. Überschreiben?"), false,
                                 nrvUi::Answer::No) != nrvUi::Answer::Yes)
            continue;
        if (canReplace(chosen)) {
            resultPath = chosen;
            return true;
        }
        nrvUi::ui().messageBox(title, tr("Datei lässt sich nicht beschreiben."),
                               nrvUi::Icon::Warning);
    }
}

std::vector<std::string> CheckReportHead(const CVDIDoc& doc, const std::tm& when) {
    std::vector<std::string> lines;
    lines.push_back(FormatText(tr("Erstelldatum dieses Dokumentes: 1!%d.2!%d.3!%d, 4!%dh5!%dLT"),
                               when.tm_mday, when.tm_mon + 1, when.tm_year + 1900, when.tm_hour,
                               when.tm_min));
    lines.emplace_back();
    const CVDIBase* header = header010(doc);
    const std::string manufacturer = header ? header->GetField(4) : std::string();
    lines.push_back(FormatText(tr("Hersteller: 1!%s"), manufacturer));
    lines.push_back(FormatText(tr("Datei: 1!%s"), fileNameOf(doc.GetPath())));
    lines.push_back(FormatText(tr("VDI 3805 Blatt 1!%d"), doc.GetSheet()));
    lines.push_back(FormatText(tr("Richtliniendatum: 1!%s"), doc.GetGuidelineDate()));
    return lines;
}

bool WriteCheckReport(const std::string& path, CVDIDoc& doc, const std::tm& when,
                      DataCheckCounts* counts) {
    std::vector<std::string> lines = CheckReportHead(doc, when);
    const DataCheckCounts found = WriteDataCheck(lines, doc);
    if (counts != nullptr) *counts = found;
    return nrvStrUtil::writeStringlistToFile(lines, path, nrvStrUtil::CodePageUtf8);
}

bool WriteCheckReport(const std::string& path, CVDIDoc& doc, DataCheckCounts* counts) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return WriteCheckReport(path, doc, local, counts);
}

}  // namespace nrvVDICheck

// Executions of a catalogue model series → valves of a catalogue valve model:
// the model's own data, one valve per execution with the common data of its
// technical-data record 700, and the dispatch to the type functions that read
// the type's curves.
#include "kavex/vdi3805/vdiconvert.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <typeinfo>
#include <vector>

#include "kavex/platform/numbers.h"
#include "kavex/platform/reportlist.h"
#include "kavex/platform/translation.h"
#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturregel.h"
#include "kavex/valves/armaturthkv.h"
#include "kavex/valves/armaturtw.h"
#include "kavex/vdi3805/codelists.h"
#include "kavex/vdi3805/vdiconvert_p.h"
#include "kavex/vdi3805/vdidata.h"
#include "kavex/vdi3805/vdidetails.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"

namespace nrvVDIConvert {

using nrvBaseArmaturen::en700ArmaturTyp;
using namespace nrvVDIArmaturen;

namespace {

constexpr int kType010 = 1000;
constexpr int kType100 = 10000;
constexpr int kType110 = 11000;
constexpr int kType700 = 70000;
constexpr int kType810 = 81000;
// Messages the conversion gives no code of its own; the report list files
// them as its lowest error code.
constexpr int kNoCode = 0;

constexpr const char* kNoDataTitle = "Fehler in den VDI-Daten der Armatur '1!%s'";
constexpr const char* kNoDataTitle2 =
    "Eine gewählte Ausführung (Satzart 800 mit Index 1!%i) dieses Modells hat keine technischen "
    "Daten hinterlegt.";
constexpr const char* kNoDataText =
    "Dieses Modell hat keine Technischen Daten der Satzart 700 hinterlegt (fehlen evtl. "
    "komplett)\noder die TGA-Nummer hat an der entsprechenden Stelle einen falschen Index oder 0 "
    "hinterlegt.";
constexpr const char* kMixedTitle =
    "Fehler in VDI-Daten: Mehr als ein Armaturtyp in dieser Armatur hinterlegt.";
constexpr const char* kMixedText =
    "Die Definition mehrerer Armaturtypen in einer Armatur wird nicht unterstützt.\nAlle "
    "Armaturen-Grunddaten (Satzart 700) einer Armatur sollten denselben Typ (Lfd. Nr. 4) "
    "definiert haben.";
constexpr const char* kTypeTitle = "Fehler: Armaturtyp wird noch nicht unterstützt.";
constexpr const char* kTypeText = "Bitte wählen Sie einen anderen Armaturtyp.";
constexpr const char* kFailedTitle = "Fehler in den VDI-Daten (Armatur '1!%s')";
constexpr const char* kFailedText = "Bitte prüfen Sie die Technischen Daten (Satzart 700).";

constexpr const char* kKvsAndKv =
    "Es ist definiert, dass sowohl der Kvs-Wert als auch die Kv-Werte zur Berechnung des "
    "Druckverlusts verwendet werden sollen.\nEs werden die Kv-Werte berücksichtigt.\nSiehe "
    "Satzart 700 mit Index 1!%d (lfd. Nr.10 und lfd. Nr.11).";
constexpr const char* kKvsZero =
    "Laut Angabe soll der Kvs-Wert für die Berechnung berücksichtigt werden.\nDer angegebene "
    "Kvs-Wert ist 0.0.\nSiehe Satzart 700 mit Index 1!%d (lfd. Nr.6 und lfd. Nr.11).";
constexpr const char* kBadPosition =
    "Die hinterlegte Einbaulage ist ungültig. Der Wert wird auf \"beliebig\" korrigiert.\nSiehe "
    "Satzart 700 mit Index 1!%d.";
constexpr const char* kFunction202112 =
    "Armaturtyp wird über eine Funktion berechnet (Satzart 600). Dies wird noch nicht "
    "unterstützt.\nSiehe Satzart 700 mit Index 1!%d.";
constexpr const char* kNoDimension =
    "Diese Armatur hat keine eigene Dimension hinterlegt. Bitte prüfen.\nSiehe Satzart 700 mit "
    "Index 1!%d.";
constexpr const char* kDimSystem =
    "Das Nennweitensystem \"2!%s\" dieser Armatur wird noch nicht unterstützt.\nSiehe Satzart "
    "700 mit Index 1!%d.";
constexpr const char* kNoKvsNoZeta =
    "Diese Armatur hat weder einen kvs noch einen Zeta-Wert hinterlegt. Bitte prüfen.\nSiehe "
    "Satzart 700 mit Index 1!%d.";
constexpr const char* kFunction201601 =
    "Der Druckverlust dieser Armaturausführung soll über die mitgelieferte Funktion berechnet "
    "werden. Dies wird bisher nicht unterstützt.\nSiehe Satzart 700 mit Index 1!%d.";
constexpr const char* kNoZeta =
    "Diese Armatur hat keinen Zeta-Wert hinterlegt. Bitte prüfen.\nSiehe Satzart 700 mit Index "
    "1!%d.";
constexpr const char* kNoKvs =
    "Diese Armatur hat keinen kvs-Wert hinterlegt. Bitte prüfen.\nSiehe Satzart 700 mit Index "
    "1!%d.";
constexpr const char* kUnsupportedTitle = "Ein gewählter ArmaturTyp wird (noch) nicht unterstützt.";
constexpr const char* kUnsupportedText =
    "Der Armaturtyp 1!%i (Satzart 700, lfd. Nr. 4) wird nicht unterstützt oder wurde nicht "
    "erkannt.\nBitte wenden Sie sich an die Supporthotline von kavex (support@kavex.invalid).";

// --- document facts --------------------------------------------------------

int sheetOf(const CVDIBase& record) {
    const CVDIDoc* doc = record.GetDocument();
    return doc ? doc->GetSheet() : 0;
}

int dateOf(const CVDIBase& record) {
    const CVDIDoc* doc = record.GetDocument();
    return doc ? nrvNumbers::parseInt(doc->GetGuidelineDate()) : 0;
}

bool isOldLayout(const CVDIBase& record) {
    const CVDIDoc* doc = record.GetDocument();
    return doc && doc->IsOldLayout();
}

bool isOneOf(int type, std::initializer_list<int> types) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

bool isIssue2016Or2021(int date) {
    return date == 201601 || date == 202112;
}

// The model series (110) and the product main group I (100) above an execution.
const CVDIBase* modelSeriesOf(const CVDIBase& execution) {
    const CVDIBase* parent = execution.GetParent();
    return parent && parent->GetTypeNo() == kType110 ? parent : nullptr;
}

int groupIndexOf(const CVDIBase& execution) {
    const CVDIBase* series = modelSeriesOf(execution);
    const CVDIBase* group = series ? series->GetParent() : nullptr;
    return group && group->GetTypeNo() == kType100 ? group->GetIndex() : 0;
}

std::string seriesNameOf(const CVDIBase& execution) {
    const CVDIBase* series = modelSeriesOf(execution);
    return series ? series->GetField(4) : std::string();
}

// Highest valve kind a guideline issue defines for its sheet.
int highestKind(int sheet, int date) {
    if (sheet == 2) {
        if (date == 200302) return 13;
        return isIssue2016Or2021(date) ? 21 : 11;
    }
    if (sheet == 17) {
        if (date == 200311) return 9;
        return date == 201601 ? 22 : 0;
    }
    return 0;
}

// Valve type of an execution: sheet × 100 + kind, 0 for a kind the issue does
// not know. Single-pipe connections (group 1, kind 1) share kind 1 with the
// thermostatic valve bodies in sheet 2 and are told apart by their group.
int valveTypeOf(int sheet, int date, int kind, int groupIndex) {
    if (kind <= 0 || kind > highestKind(sheet, date)) return 0;
    if (sheet == 2 && groupIndex == 1 && kind == 1) return 203;
    return sheet * 100 + kind;
}

bool isSinglePipeWithThermostat(const CVDIBase& execution, const CVDIBase* r700) {
    return groupIndexOf(execution) == 1 && r700 && r700->GetFieldInt(4) == 1;
}

// --- common data -------------------------------------------------------------

void addConnection(nrvArmatur& valve, const CVDIBase& r, int firstField, int side) {
    nrvVDICodes::VDIConnectionData data;
    data.standard = r.GetField(firstField);
    if (data.standard.empty()) return;
    data.kind = r.GetFieldInt(firstField + 1);
    data.sizeBasis = r.GetFieldInt(firstField + 2);
    data.d1 = r.GetFieldDouble(firstField + 3);
    data.d2 = r.GetFieldDouble(firstField + 4);
    nrvArmAnschluss connection;
    connection.key = nrvVDICodes::GetConnectionKey(valve.getDimension(), data);
    connection.side = side;
    connection.designation = nrvVDICodes::GetConnectionKindText(data.kind, {});
    valve.addAnschluss(connection);
}

void readBasicData(nrvArmatur& valve, VDIStruct_800& e, const CVDIBase& r,
                   const AccessoryList& accessories) {
    for (const nrvArmaturZubehoer& entry : accessories)
        valve.addZubehoer(entry);
    valve.setTGANummer(e.GetTgaNumber());
    valve.setAusfIndex(e.GetIndex());
    valve.setKvs(r.GetFieldDouble(6));
    valve.setMaxTemperatur(Filled(r, 7) ? r.GetFieldDouble(7) : nrvArmatur::NoTemperature);
    valve.setMaxBetriebsdruck(r.GetFieldDouble(8));
    valve.setDimension(r.GetFieldInt(5));
    // Catalogues that leave the system empty mean nominal sizes.
    valve.setDimSystem(Filled(r, 12) ? r.GetField(12) : std::string("DN"));
}

// Which of kvs and the settings' kv values the pressure loss is computed with.
void readKvsChoice(nrvArmatur& valve, const CVDIBase& r, int type, int index700) {
    // Fixed resistances, regulators and six-way valves carry no choice.
    if (isOneOf(type, {211, 212, 214, 215, 216, 217, 218, 219, 221})) return;
    const bool withKv = Filled(r, 10), withKvs = Filled(r, 11);
    if (withKv && withKvs)
        Hint(valve, 45, FormatText(TranslateText(kKvsAndKv), index700), &r);
    else if (withKvs && valve.getKvs() == 0.0)
        Hint(valve, 45, FormatText(TranslateText(kKvsZero), index700), &r);
    else if (withKvs)
        valve.setUseKvs(true);
    if (type == 220) valve.setUseKvs(true);
}

bool readSheet2Data(nrvArmatur& valve, const CVDIBase& e, const CVDIBase& r, int date) {
    const int index700 = r.GetIndex();
    valve.setGruppe(200 + groupIndexOf(e));
    readKvsChoice(valve, r, valve.getTyp(), index700);
    valve.setMaxDiffdruck(r.GetFieldDouble(9));
    if (!isIssue2016Or2021(date)) return true;
    valve.setSchliessdruck_hPa(r.GetFieldInt(31));
    valve.setZeta(r.GetFieldDouble(37));
    int position = r.GetFieldInt(38);
    if (position >= 4) {
        Hint(valve, 10, FormatText(TranslateText(kBadPosition), index700), &r);
        position = 1;
    }
    valve.setEinbaulage(position > 1 ? position : 1);
    if (r.GetField(39) == "1") {
        Error(valve, 1, FormatText(TranslateText(kFunction202112), index700), &r);
        return false;
    }
    return true;
}

void readSheet17Data(nrvArmatur& valve, const CVDIBase& e, const CVDIBase& r, int date) {
    valve.setGruppe(1700 + groupIndexOf(e));
    valve.setMaxDiffdruck(r.GetFieldDouble(11));
    if (date != 201601) return;
    valve.setSchliessdruck_hPa(r.GetFieldDouble(36));
    valve.setZeta(r.GetFieldDouble(40));
}

// Article number and the trade numbers of the execution's article record; an
// execution without one falls back to its own article number.
void readArticleData(nrvArmatur& valve, const VDIStruct_800& e) {
    const CVDIBase* article = e.GetChildCount() > 0 ? e.GetChild(0) : nullptr;
    if (article && article->GetTypeNo() == kType810) {
        valve.setArtikelNr(article->GetField(3));
        valve.setDATANORMNr(article->GetField(4));
        valve.setStLBNr(article->GetField(5));
        valve.setEANNr(article->GetField(6));
    }
    if (valve.getArtikelNr().empty()) valve.setArtikelNr(e.GetField(5, true));
}

// Sheet 17, issue 201601: the pressure loss comes from zeta or kvs as field
// 39 says, or from a function the program cannot evaluate.
bool checkSheet17Basis(nrvArmatur& valve, const CVDIBase& r) {
    const int index700 = r.GetIndex();
    if (r.GetFieldInt(41) != 0) {
        Error(valve, kNoCode, WithSkipped(FormatText(TranslateText(kFunction201601), index700)),
              &r);
        return false;
    }
    const int type = valve.getTyp();
    if (isOneOf(type, {1704, 1705, 1713})) return true;
    const bool zetaBasis = Filled(r, 39) && r.GetFieldInt(39) == 0;
    if (zetaBasis && valve.getZeta() <= 0.0)
        Hint(valve, 45, FormatText(TranslateText(kNoZeta), index700), &r);
    if (!zetaBasis && valve.getKvs() <= 0.0)
        Hint(valve, 45, FormatText(TranslateText(kNoKvs), index700), &r);
    return true;
}

bool checkPressureLossData(nrvArmatur& valve, const CVDIBase& r, int sheet, int date) {
    const int index700 = r.GetIndex();
    const int type = valve.getTyp();
    if (sheet == 2 && isIssue2016Or2021(date) && type == 211 && valve.getKvs() <= 0.0 &&
        valve.getZeta() <= 0.0) {
        Error(valve, 5, FormatText(TranslateText(kNoKvsNoZeta), index700), &r);
        return false;
    }
    if (sheet == 17 && date == 201601) return checkSheet17Basis(valve, r);
    // Types whose pressure loss comes from their curves need no kvs.
    if (isOneOf(type, {207, 212, 218, 221, 1704, 1705, 1713})) return true;
    if (!Filled(r, 6)) Hint(valve, 45, FormatText(TranslateText(kNoKvs), index700), &r);
    return true;
}

// --- dispatch helpers ---------------------------------------------------------

template <class T>
bool isExactly(const nrvArmatur& valve) {
    return typeid(valve) == typeid(T);
}

// Sheet-17 types run only on the valve class made for them.
template <class T>
bool runAs(TypeContext& c, bool (*fill)(TypeContext&)) {
    return isExactly<T>(c.valve) && fill(c);
}

template <class T>
void setXp(nrvArmatur& valve, float xp) {
    if (auto* typed = dynamic_cast<T*>(&valve)) typed->setXp(xp);
}

bool reportUnsupported(const TypeContext& c) {
    const int kind = c.r700 ? c.r700->GetFieldInt(4) : 0;
    CReportList::instance().AddError(100, TranslateText(kUnsupportedTitle),
                                     FormatText(TranslateText(kUnsupportedText), kind), c.r700);
    return false;
}

bool dispatchSheet2(TypeContext& c) {
    switch (c.type) {
        case 201:
            setXp<nrvArmaturTHKV>(c.valve, c.xp);
            return FillThermostat(c);
        case 202:
        case 204:
        case 213:
            return FillThrottle(c);
        case 203:
            if (!isSinglePipeWithThermostat(c.execution, c.r700)) return FillSinglePipe(c);
            setXp<nrvArmaturEAV>(c.valve, c.xp);
            return FillThermostatSinglePipe(c);
        case 205:
        case 206:
        case 208:
        case 209:
        case 210:
            return FillDiffPressureController(c);
        case 207:
        case 214:
        case 220:
            return FillFlowController(c);
        case 211:
            return true;
        case 212:
            setXp<nrvArmaturTHKVDFR>(c.valve, c.xp);
            return FillThermostatFlowLimit(c);
        case 215:
            return FillCheckValve(c);
        case 218:
        case 221:
            return FillSixWay(c);
        default:
            return reportUnsupported(c);
    }
}

bool dispatchSheet17(TypeContext& c) {
    switch (c.type) {
        case 1701:
            return true;
        case 1702:
            return runAs<nrvArmaturDross>(c, FillManualThrottle);
        case 1703:
            return runAs<nrvArmaturThermoDross>(c, FillAutomaticThrottle);
        case 1704:
        case 1705:
            return runAs<nrvArmaturEA>(c, FillTap);
        case 1706:
        case 1707:
            return runAs<nrvArmaturSicherung>(c, FillSafetyDevice);
        case 1708:
            return runAs<nrvArmaturDruckminderer>(c, FillPressureReducer);
        case 1709:
            return runAs<nrvArmaturZaehler>(c, FillMeter);
        case 1713:
            return runAs<nrvArmaturVenturi>(c, FillRingMain);
        case 1722:
            return runAs<nrvArmaturElektroDross>(c, FillElectronicThrottle);
        default:
            return reportUnsupported(c);
    }
}

bool sameKind(const std::vector<CVDIBase*>& records700) {
    const int kind = records700.front()->GetFieldInt(4);
    for (const CVDIBase* r : records700)
        if (r->GetFieldInt(4) != kind) return false;
    return true;
}

void appendProperties(VDIStruct_800& execution, AccessoryList& out) {
    std::vector<CVDIBase*> references;
    execution.GetReferences(0, references);
    for (const CVDIBase* reference : references) {
        if (reference->GetTypeNo() == kType700) continue;
        // Only the accessory lines directly below a named property belong to
        // it; deeper ones belong to the property records below, which the TGA
        // number names on their own.
        for (const auto& child : reference->GetChildren()) {
            nrvArmaturZubehoer entry;
            if (child->GetTypeNo() % 1000 == 1 && FillAccessory(entry, *child))
                out.push_back(entry);
        }
    }
}

void appendCurveAccessories(VDIStruct_800& execution, AccessoryList& out) {
    std::vector<CVDIBase*> records700;
    execution.GetReferences(700, records700);
    for (const CVDIBase* r : records700) {
        nrvArmaturZubehoer entry;
        if (FillAccessory(entry, *r)) out.push_back(entry);
        for (const int typeNo : {71051, 71071})
            for (const CVDIBase* record : Records710(*r, typeNo)) {
                nrvArmaturZubehoer curveEntry;
                if (FillAccessory(curveEntry, *record)) out.push_back(curveEntry);
            }
    }
}

}  // namespace

// --- model --------------------------------------------------------------------

void FillModel(nrvVDIArmaturenModell& model, const std::vector<VDIStruct_800*>& executions,
               const std::vector<float>& xpValues, const std::vector<AccessoryList>& accessories) {
    if (executions.empty() || executions.size() != xpValues.size() ||
        executions.size() != accessories.size())
        return;
    if (const VDIStruct_800* first = executions.front()) {
        const CVDIDoc* doc = first->GetDocument();
        const CVDIBase* series = modelSeriesOf(*first);
        const CVDIBase* header = doc ? doc->FindRecord(kType010, -1, 1) : nullptr;
        model.setFilename(doc ? std::filesystem::path(doc->GetPath()).filename().string() : "");
        model.setManufacturerModel(header ? header->GetField(4) : std::string(),
                                   series ? series->GetField(4) : std::string());
        model.setIdx(series ? series->GetIndex() : 0);
        model.setRLDatum(dateOf(*first));
    }
    // The proportional band is chosen once for the whole model.
    const float xp = xpValues.front();
    int built = 0;
    for (std::size_t i = 0; i < executions.size(); ++i)
        if (executions[i] && ConvertExecution(model, *executions[i], accessories[i], xp)) ++built;
    if (built == 0 || model.getSize() == 0) return;
    const int type = model.getArmaturAt(0)->getTyp();
    model.setNrvArmType(static_cast<en700ArmaturTyp>(type));
    if (type == 213)
        model.SortBy([](const nrvArmatur& v) { return v.getKvs() * 10000.0 + v.getDimension(); });
    else
        model.SortBy([](const nrvArmatur& v) { return static_cast<double>(v.getDimension()); });
}

bool ConvertExecution(nrvVDIArmaturenModell& model, VDIStruct_800& execution,
                      const AccessoryList& accessories, float xp) {
    CReportList& reports = CReportList::instance();
    std::vector<CVDIBase*> records700;
    execution.GetReferences(700, records700);
    if (records700.empty()) {
        reports.AddError(kNoCode,
                         FormatText(TranslateText(kNoDataTitle), seriesNameOf(execution)) + "\n" +
                             FormatText(TranslateText(kNoDataTitle2), execution.GetIndex()),
                         TranslateText(kNoDataText), &execution);
        return false;
    }
    if (!sameKind(records700)) {
        reports.AddError(kNoCode, TranslateText(kMixedTitle), TranslateText(kMixedText),
                         &execution);
        return false;
    }
    const int sheet = sheetOf(execution);
    const int type = valveTypeOf(sheet, dateOf(execution), records700.front()->GetFieldInt(4),
                                 groupIndexOf(execution));
    nrvArmatur* valve = model.Add(static_cast<en700ArmaturTyp>(type));
    if (!valve) {
        reports.AddError(kNoCode, TranslateText(kTypeTitle), TranslateText(kTypeText), &execution);
        return false;
    }
    if (FillCommonData(sheet, *valve, execution, accessories, records700) &&
        FillTypeData(*valve, execution, records700.front(), type, xp))
        return true;
    if (reports.CountErrors() == 0)
        reports.AddError(kNoCode, FormatText(TranslateText(kFailedTitle), valve->getModelType()),
                         TranslateText(kFailedText), records700.front());
    model.Remove(valve);
    return false;
}

bool FillCommonData(int sheet, nrvArmatur& valve, VDIStruct_800& execution,
                    const AccessoryList& accessories, const std::vector<CVDIBase*>& records700) {
    if (records700.empty() || !records700.front()) return false;
    const CVDIBase& r = *records700.front();
    const int date = dateOf(execution);
    readBasicData(valve, execution, r, accessories);
    if (sheet == 2 && !readSheet2Data(valve, execution, r, date)) return false;
    if (sheet == 17) readSheet17Data(valve, execution, r, date);
    if (!isOldLayout(execution)) readArticleData(valve, execution);
    AddExecutionDetails(valve, execution);
    addConnection(valve, r, 15, 0);
    addConnection(valve, r, 20, 1);
    execution.CheckTgaHeaderRefs();
    if (valve.getDimension() < 1)
        Hint(valve, 45, FormatText(TranslateText(kNoDimension), r.GetIndex()), &r);
    if (valve.getDimSystem() != "DN") {
        Error(valve, kNoCode,
              FormatText(TranslateText(kDimSystem), r.GetIndex(), valve.getDimSystem()), &r);
        return false;
    }
    return checkPressureLossData(valve, r, sheet, date);
}

bool FillTypeData(nrvArmatur& valve, VDIStruct_800& execution, CVDIBase* first700, int type,
                  float xp) {
    TypeContext c{valve, execution};
    c.r700 = first700;
    c.doc = execution.GetDocument();
    c.type = type;
    c.sheet = sheetOf(execution);
    c.date = dateOf(execution);
    c.xp = xp;
    if (type >= 200 && type < 300) return dispatchSheet2(c);
    if (type >= 1700 && type < 1800) return dispatchSheet17(c);
    return reportUnsupported(c);
}

AccessoryList CollectAccessories(VDIStruct_800& execution) {
    AccessoryList list;
    appendProperties(execution, list);
    appendCurveAccessories(execution, list);
    return list;
}

}  // namespace nrvVDIConvert

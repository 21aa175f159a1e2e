// References between the records of one catalogue: the TGA number of an
// execution and the accessory articles that property and curve records name.
#include <algorithm>
#include <cctype>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/numbers.h"
#include "kavex/platform/reportlist.h"
#include "kavex/platform/translation.h"
#include "kavex/valves/armatur.h"
#include "kavex/vdi3805/vdidata.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"

namespace {

constexpr const char* kLengthTitle = "Fehler in der TGA-Nummer von Produkt:1!%s\n 2!%s";
constexpr const char* kLengthTextCurrent =
    "Die TGA-Nummer hat nicht die erwartete Länge von mindestens 53 Stellen (siehe VDI 3805 "
    "Blatt 1 November 2001, Kapitel 3.3).";
constexpr const char* kLengthTextOld =
    "Die TGA-Nummer hat nicht die erwartete Länge von mindestens 36 Stellen (siehe VDI 3805 "
    "Blatt 1 August 1996, Kapitel 3.3).";
constexpr const char* kMissingTitle =
    "Hinweis zu TGA-Nr. mit Verweis auf nicht vorhandenen Datensatz";
constexpr const char* kMissingText =
    "In der TGA-Nr. mit Index 1!%d von Produkt 2!%s wird auf einen nicht vorhandenen Satz "
    "3!%.0f;4!%d (Stelle 5!%i bis 6!%i) verwiesen!";
constexpr const char* kMissingChain = "\n(1!%.2f:2!%d - 3!%.2f:4!%d - 5!%.2f:6!%d)";
constexpr const char* kMissingConsequence =
    "Folge: Ein Zubehör kann nicht ermittelt bzw. angezeigt werden.";
constexpr const char* kHeaderTitle =
    "Hinweis zu einem Widerspruch in der TGA-Nummer von Produkt:1!%s\n 2!%s";
constexpr const char* kHeaderText100 =
    "Der Verweis auf Produkt-Hauptgruppe I (Satzart 100, Idx 1!%i) stimmt nicht mit der hier "
    "über liegenden Satzart 100 (Idx 2!%i) überein.";
constexpr const char* kHeaderText110 =
    "Der Verweis auf Produkt-Hauptgruppe II (Satzart 110, Idx 1!%i) stimmt nicht mit der hier "
    "über liegenden Satzart 110 (Idx 2!%i) überein.";
constexpr const char* kSheetTitle =
    "Die Blatt-Nr 1!%i wird bei der Ermittlung von Zubehör-Verweisen nicht unterstützt.";

// The x.01 property records that name an accessory article.
constexpr int kArticleTypes[] = {16001, 20001, 25001, 26001, 30001, 35001, 36001,
                                 40001, 45001, 46001, 50001, 55001, 56001, 76001};

constexpr int kTypeFirstProperty = 16000;
constexpr int kTypeLastProperty = 76000;

// Where a part of the TGA number is looked up: in the model series, or below
// the record found for an earlier part (the model series when that one named
// nothing single).
enum class Root { Model, Found200, Found300, Found400, Found500, Found700 };

struct TgaPart {
    int slot;    // position in units of the index width
    int typeNo;  // record type × 100
    Root root;
    Root remember;  // which found record this part provides as a root
};

// The parts after the two header parts, in the order of the number.
constexpr TgaPart kParts[] = {
    {2, 16000, Root::Model, Root::Model},     {3, 20000, Root::Model, Root::Found200},
    {4, 25000, Root::Found200, Root::Model},  {5, 26000, Root::Found200, Root::Model},
    {6, 30000, Root::Model, Root::Found300},  {7, 35000, Root::Found300, Root::Model},
    {8, 36000, Root::Found300, Root::Model},  {9, 40000, Root::Model, Root::Found400},
    {10, 45000, Root::Found400, Root::Model}, {11, 46000, Root::Found400, Root::Model},
    {12, 50000, Root::Model, Root::Found500}, {13, 55000, Root::Found500, Root::Model},
    {14, 56000, Root::Found500, Root::Model}, {15, 70000, Root::Model, Root::Found700},
    {-1, 76000, Root::Found700, Root::Model},  // right after the wider 700 part
};

bool allOf(std::string_view part, char c) {
    return !part.empty() && std::all_of(part.begin(), part.end(), [c](char x) { return x == c; });
}

bool equalsNoCase(const std::string& a, const char* b) {
    const std::string_view bv(b);
    return a.size() == bv.size() && std::equal(a.begin(), a.end(), bv.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

const CVDIBase* modelOf(const CVDIBase& execution) {
    const CVDIBase* parent = execution.GetParent();
    return parent && parent->GetTypeNo() == 11000 ? parent : nullptr;
}

std::string modelName(const CVDIBase* model) {
    return model ? model->GetField(4) : std::string();
}
std::string modelLine(const CVDIBase* model) {
    return model ? model->GetLine() : std::string();
}

bool isOldLayout(const CVDIBase& record) {
    const CVDIDoc* doc = record.GetDocument();
    return doc && doc->IsOldLayout();
}

}  // namespace

const std::string& VDIStruct_800::GetTgaNumber() {
    ResolveTgaNumber();
    return m_tgaNumber;
}

bool VDIStruct_800::ResolveTgaNumber() {
    std::call_once(m_resolveOnce, [this] { Resolve(); });
    return m_tgaValid;
}

void VDIStruct_800::Resolve() {
    m_tgaNumber = GetField(3);
    const bool old = isOldLayout(*this);
    const std::size_t w = old ? 2 : 3, dataWidth = old ? 4 : 5;
    const CVDIBase* model = modelOf(*this);
    if (m_tgaNumber.size() < (old ? 36u : 53u)) {
        CReportList::instance().AddError(
            800, FormatText(TranslateText(kLengthTitle), modelName(model), modelLine(model)),
            TranslateText(old ? kLengthTextOld : kLengthTextCurrent), this);
        return;
    }
    m_tgaValid = true;
    if (!model) return;
    const CVDIBase* found[6] = {model, model, model, model, model, model};
    for (const TgaPart& part : kParts) {
        const std::size_t offset = part.slot >= 0 ? part.slot * w : 15 * w + dataWidth;
        const std::size_t width = part.typeNo == 70000 ? dataWidth : w;
        const std::string text = m_tgaNumber.substr(offset, width);
        const CVDIBase* root = found[static_cast<int>(part.root)];
        if (allOf(text, '0')) continue;
        if (allOf(text, '?')) {
            root->CollectRecords(part.typeNo, m_references);
            continue;
        }
        const int index = nrvNumbers::parseInt(text);
        CVDIBase* named = root->FindRecord(part.typeNo, index);
        if (!named) {
            std::string message =
                FormatText(TranslateText(kMissingText), GetIndex(), GetField(4),
                           part.typeNo / 100.0, index, offset + 1, offset + width);
            const CVDIBase* parent = GetParent();
            if (parent && parent->GetParent())
                message += FormatText(kMissingChain, parent->GetParent()->GetTypeNo() / 100.0,
                                      parent->GetParent()->GetIndex(), parent->GetTypeNo() / 100.0,
                                      parent->GetIndex(), GetTypeNo() / 100.0, GetIndex());
            message += "\n" + TranslateText(kMissingConsequence);
            CReportList::instance().AddHint(600, TranslateText(kMissingTitle), message, this);
            continue;
        }
        m_references.push_back(named);
        if (part.remember != Root::Model) found[static_cast<int>(part.remember)] = named;
        if (index != 0)
            if (CVDIBase* general = root->FindRecord(part.typeNo, 0))
                m_references.push_back(general);
    }
    std::stable_sort(
        m_references.begin(), m_references.end(),
        [](const CVDIBase* a, const CVDIBase* b) { return a->GetTypeNo() < b->GetTypeNo(); });
}

void VDIStruct_800::GetReferences(int type, std::vector<CVDIBase*>& out) {
    ResolveTgaNumber();
    if (type == 0) {
        out.insert(out.end(), m_references.begin(), m_references.end());
        return;
    }
    if (type >= 160 && type <= 760) type *= 100;
    if (type < kTypeFirstProperty || type > kTypeLastProperty) return;
    for (CVDIBase* record : m_references) {
        if (record->GetTypeNo() > type) break;
        if (record->GetTypeNo() == type) out.push_back(record);
    }
}

bool VDIStruct_800::CheckTgaHeaderRefs() const {
    const CVDIBase* model = modelOf(*this);
    const CVDIBase* group = model ? model->GetParent() : nullptr;
    if (!group || group->GetTypeNo() != 10000) return false;
    const std::string tga = GetField(3);
    const std::size_t w = isOldLayout(*this) ? 2 : 3;
    auto check = [&](std::size_t slot, const CVDIBase& above, const char* text) {
        const int named =
            nrvNumbers::parseInt(tga.size() > slot * w ? tga.substr(slot * w, w) : "");
        if (named == above.GetFieldInt(2)) return true;
        CReportList::instance().AddHint(
            800, FormatText(TranslateText(kHeaderTitle), modelName(model), modelLine(model)),
            FormatText(TranslateText(text), named, above.GetFieldInt(2)), this);
        return false;
    };
    const bool groupOk = check(0, *group, kHeaderText100);
    const bool modelOk = check(1, *model, kHeaderText110);
    return groupOk && modelOk;
}

bool FillAccessory(nrvVDIArmaturen::nrvArmaturZubehoer& entry, const CVDIBase& record) {
    const CVDIDoc* doc = record.GetDocument();
    const int typeNo = record.GetTypeNo();
    int kind = typeNo;
    if (typeNo == 70000) {
        const int sheet = doc ? doc->GetSheet() : 0;
        if (sheet != 2 && sheet != 17) {
            CReportList::instance().AddError(200, FormatText(TranslateText(kSheetTitle), sheet), {},
                                             &record);
            return false;
        }
        kind = sheet == 2 ? 71051 : 71071;
    }
    const bool curveArticle = kind == 71051 || kind == 71071;
    if (!curveArticle && std::find(std::begin(kArticleTypes), std::end(kArticleTypes), kind) ==
                             std::end(kArticleTypes))
        return false;
    entry.typNr = typeNo;
    entry.index = record.GetIndex();
    entry.anzahl = static_cast<float>(record.GetFieldDouble(4));
    entry.artikelNr = record.GetFieldInt(3);
    entry.optional = !curveArticle && equalsNoCase(record.GetField(6), "p");
    entry.nichtF = !equalsNoCase(record.GetField(5), "f");
    const CVDIBase* article = doc ? doc->FindRecord(90000, entry.artikelNr, 2) : nullptr;
    if (!article) return false;
    entry.name = article->GetField(11);
    entry.artikelNrText = article->GetField(7);
    return true;
}

CVDIBase* VDIStruct_VZ_01::GetArticle() {
    std::call_once(m_resolveOnce, [this] { Resolve(); });
    return m_article;
}

bool VDIStruct_VZ_01::IsFixed() {
    std::call_once(m_resolveOnce, [this] { Resolve(); });
    return m_fixed;
}

void VDIStruct_VZ_01::Resolve() {
    const CVDIDoc* doc = GetDocument();
    m_article = doc ? doc->FindRecord(90000, GetFieldInt(3), 2) : nullptr;
    m_fixed = equalsNoCase(GetField(5), "f");
}

CVDIBase* VDIStruct_720::GetReference(int slot) {
    if (slot < 0 || slot >= kSlots)
        throw std::invalid_argument("VDIStruct_720::GetReference: slot out of range");
    std::call_once(m_resolveOnce, [this] { Resolve(); });
    return m_slots[slot];
}

void VDIStruct_720::Resolve() {
    // Field 4 onwards name the property records in the order of the TGA number.
    static constexpr int kSlotTypes[kSlots] = {0,     16000, 20000, 25000, 26000,
                                               30000, 35000, 36000, 40000, 45000,
                                               46000, 50000, 55000, 56000, 76000};
    const CVDIDoc* doc = GetDocument();
    const CVDIBase* header = doc ? doc->FindRecord(1000, -1, 1) : nullptr;
    if (const int text = GetFieldInt(3); header && text != 0)
        for (const auto& child : header->GetChildren())
            if (child->GetTypeNo() == 97000 && child->GetIndex() == text) {
                m_slots[0] = child.get();
                break;
            }
    const CVDIBase* parent = GetParent();
    const CVDIBase* model = parent ? parent->GetParent() : nullptr;
    if (!model) return;
    for (int slot = 1; slot < kSlots; ++slot)
        if (const int index = GetFieldInt(slot + 3); index != 0)
            m_slots[slot] = model->FindRecord(kSlotTypes[slot], index, 2);
}

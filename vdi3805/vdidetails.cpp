#include "kavex/vdi3805/vdidetails.h"

#include <algorithm>
#include <array>

#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"
#include "kavex/valves/armatur.h"
#include "kavex/vdi3805/codelists.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"

namespace {

namespace C = nrvVDICodes::Captions;
using L = VDIDetailList;

// The 2016 editions (and every older one) number their properties: four
// product variants A to D (x00) with two variant kinds each (x50, x60). The
// property of the model series (160) and the additional property of the
// technical data (760) belong to the accessory structure.
constexpr std::array<VDIPropertyKind, 14> kEdition2016{{
    {160, C::AccessoryGroupII, L::Text},
    {200, C::ProductVariantA, L::ProductVariant},
    {250, C::VariantKindA1, L::FittingVariantA},
    {260, C::VariantKindA2, L::FittingVariantB},
    {300, C::ProductVariantB, L::SinglePipeVariant},
    {350, C::VariantKindB1, L::DrainConnection},
    {360, C::VariantKindB2, L::FlowDirection},
    {400, C::ProductVariantC, L::Material},
    {450, C::VariantKindC1, L::Surface},
    {460, C::VariantKindC2, L::ConnectionKind},
    {500, C::ProductVariantD, L::Text},
    {550, C::VariantKindD1, L::Text},
    {560, C::VariantKindD2, L::Text},
    {760, C::AccessoryElement, L::Text},
}};

// The 12.2021 edition of sheet 2 names what the 2016 edition only numbered;
// the code lists stay with their records.
constexpr std::array<VDIPropertyKind, 14> kEdition2021{{
    {160, C::FittingAndShape, L::Text},
    {200, C::BodyShape, L::ProductVariant},
    {250, C::RadiatorFitting, L::FittingVariantA},
    {260, C::FittingVariant, L::FittingVariantB},
    {300, C::FittingInstallation, L::SinglePipeVariant},
    {350, C::ValveBody, L::DrainConnection},
    {360, C::Installation, L::FlowDirection},
    {400, C::BodyMaterial, L::Material},
    {450, C::Surface, L::Surface},
    {460, C::BodyConnection, L::ConnectionKind},
    {500, C::Actuator, L::Text},
    {550, C::MaterialNumber, L::Text},
    {560, C::ShapeVariant, L::Text},
    {760, C::Monitoring, L::Text},
}};

// Drinking-water catalogues (sheet 17) use the 2016 numbering; their product
// variant B is the medium the valve is made for.
constexpr VDIPropertyKind kMedium17{300, C::ProductVariantB, L::Medium};

constexpr int kFirstEdition2021 = 202112;

std::string listText(VDIDetailList list, int code, const std::string& fileText,
                     const std::string& field3) {
    using namespace nrvVDICodes;
    switch (list) {
        case L::ProductVariant:
            return GetProductVariantText(code, fileText);
        case L::FittingVariantA:
            return GetFittingVariantAText(code, fileText);
        case L::FittingVariantB:
            return GetFittingVariantBText(code, fileText);
        case L::SinglePipeVariant:
            return GetSinglePipeVariantText(code, fileText);
        case L::DrainConnection:
            return GetDrainConnectionText(code, fileText);
        case L::FlowDirection:
            return GetFlowDirectionText(code, fileText);
        case L::Material:
            return GetMaterialText(code, fileText);
        case L::Surface:
            return GetSurfaceText(code, fileText);
        case L::ConnectionKind:
            return GetConnectionKindText(code, fileText);
        case L::Medium:
            return GetMediumText(code, fileText);
        case L::Text:
            break;
    }
    return fileText.empty() ? field3 : fileText;
}

// The detail of one property record; false when the record says nothing.
bool detailOf(const CVDIBase& record, int sheet, int date, VDIExecutionDetail& out) {
    const VDIPropertyKind* kind = FindPropertyKind(record.GetTypeNo(), sheet, date);
    if (!kind) return false;
    const std::string field3 = record.GetField(3);
    const std::string fileText = record.GetField(4);
    const int code = record.GetFieldInt(3);
    // Code 0 stands for "the file's text"; without one there is nothing to show.
    const bool noCode =
        kind->list == L::Text ? field3.find_first_not_of('0') == std::string::npos : code == 0;
    if (fileText.empty() && noCode) return false;
    out.record = &record;
    out.caption = TranslateText(kind->caption);
    out.code = code;
    out.text = listText(kind->list, code, fileText, field3);
    return true;
}

// The value of one execution under each caption, joined where the execution
// names several records of one type.
struct CaptionValue {
    int recordType;
    std::string caption;
    std::vector<std::string> texts;

    std::string joined() const {
        std::string out;
        for (const std::string& t : texts)
            out += (out.empty() ? "" : ", ") + t;
        return out;
    }
};

std::vector<CaptionValue> valuesOf(VDIStruct_800& execution) {
    std::vector<CaptionValue> out;
    for (const VDIExecutionDetail& d : GetExecutionDetails(execution)) {
        const int type = d.record->GetTypeNo() / 100;
        if (out.empty() || out.back().recordType != type) out.push_back({type, d.caption, {}});
        std::vector<std::string>& texts = out.back().texts;
        if (std::find(texts.begin(), texts.end(), d.text) == texts.end()) texts.push_back(d.text);
    }
    return out;
}

VDIDetailFilter& filterFor(std::vector<VDIDetailFilter>& filters, const CaptionValue& v,
                           std::size_t executions) {
    auto it =
        std::lower_bound(filters.begin(), filters.end(), v.recordType,
                         [](const VDIDetailFilter& f, int type) { return f.recordType < type; });
    if (it == filters.end() || it->recordType != v.recordType)
        it = filters.insert(it, {v.caption, v.recordType, {}, std::vector<int>(executions, -1)});
    return *it;
}

int valueIndex(VDIDetailFilter& filter, const std::string& text) {
    auto it = std::find(filter.values.begin(), filter.values.end(), text);
    if (it != filter.values.end()) return static_cast<int>(it - filter.values.begin());
    filter.values.push_back(text);
    return static_cast<int>(filter.values.size()) - 1;
}

}  // namespace

const VDIPropertyKind* FindPropertyKind(int recordType, int sheet, int date) {
    if (recordType >= 16000) {
        if (recordType % 100 != 0) return nullptr;  // 160.01 and the like name articles
        recordType /= 100;
    }
    if (sheet == 17 && recordType == kMedium17.recordType) return &kMedium17;
    const auto& table = sheet != 17 && date >= kFirstEdition2021 ? kEdition2021 : kEdition2016;
    for (const VDIPropertyKind& kind : table)
        if (kind.recordType == recordType) return &kind;
    return nullptr;
}

std::vector<VDIExecutionDetail> GetExecutionDetails(VDIStruct_800& execution) {
    std::vector<VDIExecutionDetail> out;
    const CVDIDoc* doc = execution.GetDocument();
    const int sheet = doc ? doc->GetSheet() : 0;
    const int date = doc ? nrvNumbers::parseInt(doc->GetGuidelineDate()) : 0;
    std::vector<CVDIBase*> references;
    execution.GetReferences(0, references);
    for (const CVDIBase* record : references) {
        VDIExecutionDetail detail;
        if (detailOf(*record, sheet, date, detail)) out.push_back(std::move(detail));
    }
    return out;
}

std::string DetailLine(const VDIExecutionDetail& detail) {
    return detail.caption + ": " + detail.text;
}

void AddExecutionDetails(nrvVDIArmaturen::nrvArmatur& valve, VDIStruct_800& execution) {
    for (const VDIExecutionDetail& detail : GetExecutionDetails(execution))
        valve.addAusfDetail(DetailLine(detail));
}

VDIDetailLists CollectDetailLists(const CVDIBase& series) {
    VDIDetailLists lists;
    if (series.GetTypeNo() != 11000) return lists;
    std::vector<CVDIBase*> records;
    series.CollectRecords(80000, records, 1);
    for (CVDIBase* record : records)
        if (auto* execution = dynamic_cast<VDIStruct_800*>(record))
            lists.executions.push_back(execution);
    const std::size_t count = lists.executions.size();
    for (std::size_t i = 0; i < count; ++i) {
        for (const CaptionValue& v : valuesOf(*lists.executions[i])) {
            VDIDetailFilter& filter = filterFor(lists.filters, v, count);
            filter.valueOf[i] = valueIndex(filter, v.joined());
        }
    }
    return lists;
}

std::vector<bool> FilterExecutions(const VDIDetailLists& lists, const std::vector<int>& chosen) {
    std::vector<bool> pass(lists.executions.size(), true);
    for (std::size_t f = 0; f < lists.filters.size() && f < chosen.size(); ++f) {
        if (chosen[f] < 0) continue;
        const std::vector<int>& valueOf = lists.filters[f].valueOf;
        for (std::size_t i = 0; i < pass.size(); ++i)
            pass[i] = pass[i] && i < valueOf.size() && valueOf[i] == chosen[f];
    }
    return pass;
}

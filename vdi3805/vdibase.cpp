#include "kavex/vdi3805/vdibase.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "kavex/platform/numbers.h"
#include "kavex/platform/strutil.h"
#include "kavex/platform/translation.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    const std::size_t end = text.find_last_not_of(kBlanks);
    return text.substr(begin, end - begin + 1);
}

// Text of field n (from 1) without the mapping, untrimmed; empty when the
// line has no such field.
std::string_view rawField(std::string_view line, int fieldNo) {
    if (fieldNo < 1) return {};
    std::size_t begin = 0;
    for (int field = 1; field < fieldNo; ++field) {
        const std::size_t next = line.find(';', begin);
        if (next == std::string_view::npos) return {};
        begin = next + 1;
    }
    if (begin >= line.size()) return {};
    const std::size_t end = line.find(';', begin);
    return line.substr(begin, end == std::string_view::npos ? end : end - begin);
}

// The manufacturer writes a pilcrow where a line break belongs.
std::string pilcrowsToLineFeeds(std::string text) {
    constexpr std::string_view pilcrow = "\xC2\xB6";
    for (std::size_t at; (at = text.find(pilcrow)) != std::string::npos;)
        text.replace(at, pilcrow.size(), "\n");
    return text;
}

// Who answers questions about the catalogue reader on our side (the address
// is a placeholder until the product has its support address).
constexpr const char* kSupportContact = " kavex (support@kavex.invalid).";

using Frame = std::pair<const CVDIBase*, int>;  // record, depth left

// Visits the records of a subtree in pre-order without recursion; `visit`
// returns false to stop the walk, true to go on; `descend` says whether the
// record's children are visited.
template <class Visit>
void preOrder(const CVDIBase* root, int depth, Visit visit) {
    std::vector<Frame> stack{{root, depth}};
    while (!stack.empty()) {
        auto [record, left] = stack.back();
        stack.pop_back();
        bool descend = true;
        if (!visit(record, descend)) return;
        if (!descend || left == 0) continue;
        const auto& children = record->GetChildren();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.emplace_back(it->get(), left - 1);
    }
}

}  // namespace

KAVEX_IMPLEMENT_DYNCREATE(CVDIBase, CObject)

CVDIBase::CVDIBase() = default;

CVDIBase::~CVDIBase() {
    RemoveAllChildren();
}

int CVDIBase::MapFieldNo(int fieldNo) const {
    return fieldNo;
}

bool CVDIBase::CanHoldChild(const CVDIBase*) const {
    return false;
}

bool CVDIBase::ParseLines(std::vector<std::string>& lines, bool filter, bool oldLayout) {
    m_acceptedAbove = (m_parent != nullptr ? m_parent->m_acceptedAbove : 0) |
                      CVDIRecordRegistry::instance().AcceptedKinds(*this);
    CVDIBase* current = this;
    for (const std::string& raw : lines) {
        const std::string_view line = trimmed(raw);
        if (line.empty()) continue;
        const std::string_view typeText = trimmed(line.substr(0, line.find(';')));
        if (typeText.empty()) continue;
        if (filter) {
            // Text records from 970.02 on are not needed for calculating, and
            // the 720 records of the old layout do not fit the current one.
            const double t = std::trunc(nrvNumbers::parseDouble(typeText) * 100.0 + 0.1);
            if (t > 97001.0) continue;
            if (oldLayout && t >= 72000.0 && t < 72999.0) continue;
        }
        current = CreateRecord(current, typeText);
        current->SetLine(line);
    }
    lines.clear();
    return true;
}

void CVDIBase::DumpLines(std::vector<std::string>& out) const {
    preOrder(this, -1, [&out](const CVDIBase* record, bool&) {
        out.push_back(record->m_line);
        return true;
    });
}

std::string CVDIBase::GetField(int fieldNo, bool raw) const {
    if (!raw && m_doc != nullptr && m_doc->IsOldLayout()) {
        fieldNo = MapFieldNo(fieldNo);
        if (fieldNo < 1) return {};
    }
    return std::string(trimmed(rawField(m_line, fieldNo)));
}

int CVDIBase::GetFieldInt(int fieldNo, bool raw) const {
    return nrvNumbers::parseInt(GetField(fieldNo, raw));
}

double CVDIBase::GetFieldDouble(int fieldNo, bool raw) const {
    return nrvNumbers::parseDouble(GetField(fieldNo, raw));
}

void CVDIBase::SetField(int fieldNo, std::string_view text) {
    // The platform's SetSubStr keeps every separator of the line (it only
    // adds empty fields when the line is shorter), so no closing ';' is lost.
    std::string line = m_line;
    nrvStrUtil::SetSubStr(line, fieldNo, ';', text);
    SetLine(line);
}

void CVDIBase::SetLine(std::string_view line) {
    m_line.assign(line);
    m_typeNo = TypeNoOf(nrvNumbers::parseDouble(rawField(m_line, 1)));
    m_index = nrvNumbers::parseInt(rawField(m_line, 2));
}

CVDIBase* CVDIBase::GetChild(int i) const {
    if (i < 0 || i >= GetChildCount())
        throw std::invalid_argument("CVDIBase::GetChild: index out of range");
    return m_children[static_cast<std::size_t>(i)].get();
}

CVDIBase* CVDIBase::FindRecord(int typeNo, int index, int depth) const {
    const CVDIBase* found = nullptr;
    preOrder(this, depth, [&](const CVDIBase* record, bool&) {
        if (record->m_typeNo == typeNo && (index == -1 || record->m_index == index)) {
            found = record;
            return false;
        }
        return true;
    });
    return const_cast<CVDIBase*>(found);
}

CVDIBase* CVDIBase::FindRecord(double type, int index, int depth) const {
    return FindRecord(TypeNoOf(type), index, depth);
}

void CVDIBase::CollectRecords(int typeNo, std::vector<CVDIBase*>& out, int depth) const {
    preOrder(this, depth, [&](const CVDIBase* record, bool& descend) {
        if (record->m_typeNo == typeNo) {
            out.push_back(const_cast<CVDIBase*>(record));
            descend = false;
        }
        return true;
    });
}

int CVDIBase::TypeNoOf(double type) {
    const double n = std::floor(type * 100.0 + 0.5);
    if (std::isnan(n)) return 0;
    if (n >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (n <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(n);
}

std::string CVDIBase::reportFooter() const {
    const CVDIBase* header = m_doc != nullptr ? m_doc->FindRecord(1000, -1, 1) : nullptr;
    std::string name, web, comment;
    if (header != nullptr) {
        name = pilcrowsToLineFeeds(header->GetField(4));
        web = pilcrowsToLineFeeds(header->GetField(6));
        comment = pilcrowsToLineFeeds(header->GetField(7));
    }
    std::string footer = FormatText(
        TranslateText(std::string("Bitte wenden Sie sich bei Rückfragen an den Hersteller1!%s "
                                  "oder an die Supporthotline von") +
                      kSupportContact),
        name.empty() ? std::string() : " (" + name + ")");
    if (!web.empty()) footer += "\n" + TranslateText("Webseite des Herstellers: ") + web;
    if (!comment.empty())
        footer += "\n" + TranslateText("Kommentar des Herstellers in dieser VDI-Datei: ") + comment;
    return footer;
}

std::string CVDIBase::reportPath() const {
    std::vector<const CVDIBase*> chain;
    for (const CVDIBase* r = this; r != nullptr && r != m_doc; r = r->m_parent)
        chain.push_back(r);
    std::string path = "[Satzart;Index;]";
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        path += " -> " + FormatText("1!%s;2!%s;", (*it)->GetField(1), (*it)->GetField(2));
    return path;
}

CVDIBase* CVDIBase::CreateRecord(CVDIBase* current, std::string_view typeText) {
    CVDIRecordRegistry& registry = CVDIRecordRegistry::instance();
    std::unique_ptr<CVDIBase> record;
    const std::string name = CVDIRecordRegistry::ClassNameForType(typeText);
    if (!name.empty()) record = registry.Create(name);
    if (!record) record = std::make_unique<VDIStruct_Err>();
    record->m_kindBit = registry.KindBit(record->GetRuntimeClass());

    // Nearest record from the current one upwards that accepts the new one;
    // the bits tell at once when nobody above does.
    CVDIBase* parent = current;
    const bool someoneAccepts =
        record->m_kindBit < 0 || (current->m_acceptedAbove >> record->m_kindBit & 1U) != 0;
    if (someoneAccepts) {
        for (CVDIBase* r = current; r != nullptr; r = r->m_parent) {
            if (r->CanHoldChild(record.get())) {
                parent = r;
                break;
            }
        }
    }
    return parent->AttachChild(std::move(record));
}

CVDIBase* CVDIBase::AttachChild(std::unique_ptr<CVDIBase> child) {
    child->m_parent = this;
    child->m_doc = m_doc;
    child->m_acceptedAbove = m_acceptedAbove | CVDIRecordRegistry::instance().AcceptedKinds(*child);
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

void CVDIBase::MakeRoot(CVDIDoc* doc) {
    m_parent = nullptr;
    m_doc = doc;
}

void CVDIBase::RemoveAllChildren() {
    Children pending = std::move(m_children);
    m_children.clear();
    // Destroying `pending` deletes the subtrees one record at a time.
    while (!pending.empty()) {
        std::unique_ptr<CVDIBase> record = std::move(pending.back());
        pending.pop_back();
        for (auto& child : record->m_children)
            pending.push_back(std::move(child));
        record->m_children.clear();
    }
}

// The container's global records in the host's project: one section
// "[Armature]" per record, each a record line in the leaf "Header" and the
// record's model as child node, all below a node "GlobalArmatures".

#include <algorithm>
#include <array>

#include "kavex/platform/treestore.h"
#include "kavex/services/armaturcontainer.h"

namespace nrvBaseArmaturen {

namespace {

constexpr std::string_view kSection = "Armature";
constexpr std::string_view kHeader = "Header:";
constexpr std::array<std::string_view, 3> kKnownSections = {"Armature", "HzTHKV", "HzRLV"};

// Splits a text into its first line (without line end) and the rest (from the
// line feed on, or empty).
std::pair<std::string_view, std::string_view> splitFirstLine(std::string_view text) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) return {text, {}};
    std::string_view line = text.substr(0, lf);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return {line, text.substr(lf)};
}

std::string_view skipLineEndAndIndent(std::string_view text) {
    if (text.starts_with("\r\n"))
        text.remove_prefix(2);
    else if (text.starts_with('\n'))
        text.remove_prefix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

}  // namespace

std::string RnArmaturContainer::wrapSection(std::string_view name, std::string_view body) {
    const auto [line, rest] = splitFirstLine(body);
    std::string text = "[";
    text += name;
    text += "]\r\n";
    text += kHeader;
    text += TreeItems::EncodeValue(line);
    text += rest;
    text += "\r\n[ENDE_";
    text += name;
    text += ']';
    return text;
}

std::string RnArmaturContainer::unwrapSection(std::string_view text) {
    for (const std::string_view name : kKnownSections) {
        const std::string open = "[" + std::string(name) + "]";
        if (!text.starts_with(open)) continue;
        const std::string close = "[ENDE_" + std::string(name) + "]";
        // The last end marker closes the section; an earlier one can only be
        // part of a designation.
        const std::size_t end = text.rfind(close);
        if (end == std::string_view::npos || end < open.size()) return std::string(text);
        std::string_view inner = skipLineEndAndIndent(text.substr(open.size(), end - open.size()));
        if (!inner.starts_with(kHeader)) return std::string(text);
        inner.remove_prefix(kHeader.size());
        if (inner.ends_with("\r\n"))
            inner.remove_suffix(2);
        else if (inner.ends_with('\n'))
            inner.remove_suffix(1);
        while (!inner.empty() && (inner.back() == ' ' || inner.back() == '\t'))
            inner.remove_suffix(1);
        const auto [line, rest] = splitFirstLine(inner);
        return TreeItems::Decode(line) + std::string(rest);
    }
    return std::string(text);
}

std::unique_ptr<CProNodeBase> RnArmaturContainer::writeArmaturesToProNode(
    std::string_view key) const {
    if (m_global.empty()) return nullptr;
    auto root = std::make_unique<CProNodeBase>("GlobalArmatures");
    std::string text;
    for (const auto& record : m_global) {
        if (!record->writeToString(text, key)) continue;
        if (auto section = CProNodeBase::ReadFromString(wrapSection(kSection, text)))
            root->AddChild(std::move(section));
    }
    root->AddAttr("LastArmaturesId", m_lastUsedId);
    return root;
}

std::unique_ptr<CNode> RnArmaturContainer::writeArmaturesToNode(std::string_view key) const {
    const std::unique_ptr<CProNodeBase> node = writeArmaturesToProNode(key);
    return node ? node->ToNode() : nullptr;
}

bool RnArmaturContainer::readArmaturesFromProNode(const CProNodeBase* node, std::string_view key) {
    removeAll();
    m_lastUsedId = 0;
    if (!node) return false;
    std::string text;
    for (const CProNodeBase* child : node->Children()) {
        if (child->GetName() != kSection || !child->WriteToString(text)) continue;
        auto record = std::make_unique<VDIArmaturenModell>();
        // A record that does not read is left out; the others still count.
        if (record->readFromString(unwrapSection(text), key)) append(std::move(record));
    }
    int largest = 0;
    for (const RecordList* records : {&m_global, &m_lokal})
        for (const auto& record : *records)
            largest = std::max(largest, record->modellId);
    m_lastUsedId = largest;
    return true;
}

bool RnArmaturContainer::readArmaturesFromNode(const CNode* node, std::string_view key) {
    if (!node) return readArmaturesFromProNode(nullptr, key);
    std::string text;
    if (!node->WriteToString(text)) return readArmaturesFromProNode(nullptr, key);
    const std::unique_ptr<CProNodeBase> pro = CProNodeBase::ReadFromString(text);
    return readArmaturesFromProNode(pro.get(), key);
}

}  // namespace nrvBaseArmaturen

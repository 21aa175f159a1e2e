// The user container's global records in the host's project: one section
// "[Armature]" per record, as the catalogue container writes its own, below a
// node "GlobalUserArmatures". The record line starts with "*", so that a
// catalogue reader never takes a user record for its own and the user reader
// skips catalogue records in a node that holds both.

#include <algorithm>

#include "kavex/platform/treestore.h"
#include "kavex/services/armaturcontainer.h"
#include "kavex/services/userarmaturcontainer.h"

namespace nrvUserArmaturen {

namespace {

constexpr std::string_view kNode = "GlobalUserArmatures";
constexpr std::string_view kSection = "Armature";
constexpr std::string_view kLastId = "LastArmaturesId";

using nrvBaseArmaturen::RnArmaturContainer;

bool isUserRecord(std::string_view body) {
    const std::size_t start = body.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && body[start] == '*';
}

}  // namespace

std::unique_ptr<CProNodeBase> RnUserArmaturContainer::writeArmaturesToProNode(
    std::string_view key) const {
    if (m_global.empty()) return nullptr;
    auto root = std::make_unique<CProNodeBase>(std::string(kNode));
    std::string text;
    for (const auto& record : m_global) {
        if (!record->writeToString(text, key)) continue;
        if (auto section =
                CProNodeBase::ReadFromString(RnArmaturContainer::wrapSection(kSection, text)))
            root->AddChild(std::move(section));
    }
    root->AddAttr(std::string(kLastId), m_lastUsedId);
    return root;
}

std::unique_ptr<CNode> RnUserArmaturContainer::writeArmaturesToNode(std::string_view key) const {
    const std::unique_ptr<CProNodeBase> node = writeArmaturesToProNode(key);
    return node ? node->ToNode() : nullptr;
}

bool RnUserArmaturContainer::readArmaturesFromProNode(const CProNodeBase* node,
                                                      std::string_view key) {
    removeAll();
    m_lastUsedId = 0;
    if (!node) return false;
    std::string text;
    for (const CProNodeBase* child : node->Children()) {
        if (child->GetName() != kSection || !child->WriteToString(text)) continue;
        const std::string body = RnArmaturContainer::unwrapSection(text);
        if (!isUserRecord(body)) continue;
        // A record that does not read is left out; the others still count.
        // Records are taken as stored: two equal ones for different classes
        // stay two.
        auto record = std::make_unique<UserArmaturenModell>();
        if (record->readFromString(body, key)) adopt(std::move(record));
    }
    int largest = 0;
    for (const RecordList* records : {&m_global, &m_lokal})
        for (const auto& record : *records)
            largest = std::max(largest, record->modellId);
    m_lastUsedId = largest;
    return true;
}

bool RnUserArmaturContainer::readArmaturesFromNode(const CNode* node, std::string_view key) {
    std::string text;
    if (!node || !node->WriteToString(text)) return readArmaturesFromProNode(nullptr, key);
    const std::unique_ptr<CProNodeBase> pro = CProNodeBase::ReadFromString(text);
    return readArmaturesFromProNode(pro.get(), key);
}

}  // namespace nrvUserArmaturen

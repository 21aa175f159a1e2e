#include "kavex/platform/treestore.h"

#include <algorithm>
#include <cctype>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/codepage.h"
#include "kavex/platform/numbers.h"
#include "treetext_p.h"

// Private access for the text reader and writer: the reader appends items
// without the checks of the public Add calls (a deep file would otherwise cost
// a walk up the parent chain per line), and the project node's items are
// private.
struct TreeStoreAccess {
    static CTreeItem* adopt(CNode& parent, std::unique_ptr<CTreeItem> item) {
        return parent.adopt(std::move(item));
    }
    using ProItem = CProNodeBase::Item;
    static std::vector<ProItem>& items(CProNodeBase& node) { return node.m_items; }
    static const std::vector<ProItem>& items(const CProNodeBase& node) { return node.m_items; }
};

namespace {

// Separator of the Set calls, chosen per thread by CLeaf::InitSetValues.
thread_local char t_setSeparator = ':';

std::string encodedValue(std::string_view value, char sep) {
    std::string out;
    nrvTreeText::appendEncodedValue(out, value, sep);
    return out;
}

std::string decoded(std::string_view raw) {
    std::string out;
    nrvTreeText::appendDecoded(out, raw);
    return out;
}

// Numbers rarely hold a '%': parse the raw view directly then.
template <class Parse>
auto parseRaw(std::string_view raw, Parse parse) {
    if (raw.find('%') == std::string_view::npos) return parse(raw);
    return parse(decoded(raw));
}

int rawToInt(std::string_view raw) {
    return parseRaw(raw, [](std::string_view t) { return nrvNumbers::parseInt(t); });
}

double rawToDouble(std::string_view raw) {
    return parseRaw(raw, [](std::string_view t) { return nrvNumbers::parseDouble(t); });
}

bool rawToBool(std::string_view raw) {
    return parseRaw(raw, [](std::string_view t) {
        std::size_t first = 0;
        while (first < t.size() && std::isspace(static_cast<unsigned char>(t[first])))
            ++first;
        std::string_view word = t.substr(first, 4);
        const bool isTrue =
            word.size() == 4 && std::equal(word.begin(), word.end(), "true", [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == b;
            });
        return isTrue || nrvNumbers::parseDouble(t) != 0.0;
    });
}

// The `index`-th value (0-based) of a raw text split at `sep`; false when the
// text has fewer values.
bool rawValueAt(std::string_view raw, char sep, std::size_t index, std::string_view& value) {
    if (raw.empty()) return false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t at = raw.find(sep, start);
        if (at == std::string_view::npos) return false;
        start = at + 1;
    }
    const std::size_t end = raw.find(sep, start);
    value = raw.substr(start, end == std::string_view::npos ? raw.size() - start : end - start);
    return true;
}

// The raw text of the value under the cursor; false (nothing taken) behind the
// last value. `more` tells whether a further value follows.
bool takeRaw(const std::string& text, std::size_t& cursor, bool& atEnd, char sep,
             std::string_view& value, bool& more) {
    if (atEnd) return false;
    const std::size_t at = text.find(sep, cursor);
    if (at == std::string::npos) {
        value = std::string_view(text).substr(cursor);
        atEnd = true;
        more = false;
    } else {
        value = std::string_view(text).substr(cursor, at - cursor);
        cursor = at + 1;
        more = true;
    }
    return true;
}

template <class T, class Convert>
bool takeValue(const std::string& text, std::size_t& cursor, bool& atEnd, char sep, T& out,
               Convert convert) {
    std::string_view raw;
    bool more = false;
    if (!takeRaw(text, cursor, atEnd, sep, raw, more)) return false;
    out = convert(raw);
    return more;
}
}  // namespace

// ===========================================================================
// CTreeItem, CLeaf
// ===========================================================================

CTreeItem::CTreeItem(std::string name) : m_name(std::move(name)) {}
CTreeItem::~CTreeItem() = default;

CLeaf::CLeaf(std::string name, std::string_view text, bool /*unused*/)
    : CTreeItem(std::move(name)), m_text(encodedValue(text, ':')) {}

void CLeaf::InitSetValues(char sep) {
    t_setSeparator = sep;
}
void CLeaf::ExitSetValues() {
    t_setSeparator = ':';
}

void CLeaf::SetFirstValue(std::string_view value) {
    m_text.clear();
    nrvTreeText::appendEncodedValue(m_text, value, t_setSeparator);
}
void CLeaf::SetFirstValue(int value) {
    SetFirstValue(nrvNumbers::formatI(value));
}
void CLeaf::SetFirstValue(double value) {
    SetFirstValue(nrvNumbers::formatF(value));
}

void CLeaf::SetNextValue(std::string_view value) {
    // Always a separator, also behind an empty first value: "" then "x" is ":x".
    m_text += t_setSeparator;
    nrvTreeText::appendEncodedValue(m_text, value, t_setSeparator);
}
void CLeaf::SetNextValue(int value) {
    SetNextValue(nrvNumbers::formatI(value));
}
void CLeaf::SetNextValue(double value) {
    SetNextValue(nrvNumbers::formatF(value));
}

void CLeaf::SetValue(std::string_view value) {
    SetFirstValue(value);
}

bool CLeaf::InitGetValues(char sep) const {
    m_getSep = sep;
    m_cursor = 0;
    m_cursorAtEnd = m_text.empty();
    return !m_text.empty();
}

bool CLeaf::GetFirstValue(std::string& out, char sep) const {
    InitGetValues(sep);
    m_cursorAtEnd = false;  // an empty leaf yields one empty value here
    return GetNextValue(out);
}
bool CLeaf::GetFirstValue(int& out, char sep, bool unused) const {
    InitGetValues(sep);
    m_cursorAtEnd = false;
    return GetNextValue(out, unused);
}
bool CLeaf::GetFirstValue(double& out, char sep, bool unused) const {
    InitGetValues(sep);
    m_cursorAtEnd = false;
    return GetNextValue(out, unused);
}
bool CLeaf::GetFirstValue(float& out, char sep, bool unused) const {
    InitGetValues(sep);
    m_cursorAtEnd = false;
    return GetNextValue(out, unused);
}
bool CLeaf::GetFirstValue(bool& out, char sep, bool unused) const {
    InitGetValues(sep);
    m_cursorAtEnd = false;
    return GetNextValue(out, unused);
}

bool CLeaf::GetNextValue(std::string& out) const {
    return takeValue(m_text, m_cursor, m_cursorAtEnd, m_getSep, out, decoded);
}
bool CLeaf::GetNextValue(int& out, bool) const {
    return takeValue(m_text, m_cursor, m_cursorAtEnd, m_getSep, out, rawToInt);
}
bool CLeaf::GetNextValue(double& out, bool) const {
    return takeValue(m_text, m_cursor, m_cursorAtEnd, m_getSep, out, rawToDouble);
}
bool CLeaf::GetNextValue(float& out, bool) const {
    return takeValue(m_text, m_cursor, m_cursorAtEnd, m_getSep, out,
                     [](std::string_view raw) { return static_cast<float>(rawToDouble(raw)); });
}
bool CLeaf::GetNextValue(bool& out, bool) const {
    return takeValue(m_text, m_cursor, m_cursorAtEnd, m_getSep, out, rawToBool);
}

std::string CLeaf::GetOnlyValue(char /*sep*/) const {
    return decoded(m_text);
}
int CLeaf::GetOnlyValueI(char /*sep*/, bool) const {
    return rawToInt(m_text);
}
double CLeaf::GetOnlyValueD(char /*sep*/) const {
    return rawToDouble(m_text);
}

std::vector<std::string> CLeaf::GetValues(char sep) const {
    std::vector<std::string> values;
    if (m_text.empty()) return values;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = m_text.find(sep, start);
        const std::size_t end = at == std::string::npos ? m_text.size() : at;
        values.push_back(decoded(std::string_view(m_text).substr(start, end - start)));
        if (at == std::string::npos) break;
        start = at + 1;
    }
    return values;
}

std::size_t CLeaf::NrOfValues(char sep) const {
    if (m_text.empty()) return 0;
    return static_cast<std::size_t>(std::count(m_text.begin(), m_text.end(), sep)) + 1;
}

// ===========================================================================
// CNode
// ===========================================================================

CNode::CNode(std::string name) : CTreeItem(std::move(name)) {}

CNode::~CNode() {
    freeItems();
}

void CNode::freeItems() {
    // Children's children are moved onto a work list before a node dies, so no
    // destructor ever has a child node left to destroy: no recursion.
    std::vector<std::unique_ptr<CTreeItem>> pending;
    for (auto& item : m_items) {
        if (item->IsNode()) pending.push_back(std::move(item));
    }
    m_items.clear();
    while (!pending.empty()) {
        std::unique_ptr<CTreeItem> item = std::move(pending.back());
        pending.pop_back();
        auto& items = static_cast<CNode*>(item.get())->m_items;
        for (auto& child : items) {
            if (child->IsNode()) pending.push_back(std::move(child));
        }
        items.clear();
    }
    m_nodeCount = 0;
    m_childCursor = 0;
    m_leafCursor = 0;
}

CTreeItem* CNode::adopt(std::unique_ptr<CTreeItem> item) {
    item->m_parent = this;
    if (item->IsNode()) ++m_nodeCount;
    m_items.push_back(std::move(item));
    return m_items.back().get();
}

std::size_t CNode::indexOf(const CTreeItem* item) const {
    if (!item || item->m_parent != this) return npos;
    const std::size_t hint = m_findHint.load(std::memory_order_relaxed);
    if (hint < m_items.size() && m_items[hint].get() == item) return hint;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].get() == item) return i;
    }
    return npos;
}

std::size_t CNode::startBehind(const CTreeItem* after) const {
    if (!after) return 0;
    const std::size_t at = indexOf(after);
    return at == npos ? npos : at + 1;
}

std::unique_ptr<CTreeItem> CNode::release(std::size_t index) {
    std::unique_ptr<CTreeItem> item = std::move(m_items[index]);
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    if (item->IsNode()) --m_nodeCount;
    if (m_childCursor > index) --m_childCursor;
    if (m_leafCursor > index) --m_leafCursor;
    item->m_parent = nullptr;
    return item;
}

bool CNode::isSelfOrAncestor(const CNode* node) const {
    for (const CNode* n = this; n; n = n->m_parent) {
        if (n == node) return true;
    }
    return false;
}

CNode* CNode::AddChild(std::string name) {
    return static_cast<CNode*>(adopt(std::make_unique<CNode>(std::move(name))));
}

CNode* CNode::AddChild(CNode* node) {
    if (!node || isSelfOrAncestor(node)) return nullptr;
    if (node->m_parent == this) return node;
    CNode* old = node->m_parent;
    auto owned = old ? old->release(old->indexOf(node)) : std::unique_ptr<CTreeItem>(node);
    return static_cast<CNode*>(adopt(std::move(owned)));
}

CNode* CNode::AddChild(std::unique_ptr<CNode> node) {
    if (!node) return nullptr;
    if (isSelfOrAncestor(node.get())) {
        // Owning an ancestor of ours: adopting it would close a cycle, deleting
        // it would delete us. Leave it where it is.
        (void)node.release();
        return nullptr;
    }
    return static_cast<CNode*>(adopt(std::move(node)));
}

CLeaf* CNode::AddLeaf(std::string name, std::string_view text, bool unused) {
    return static_cast<CLeaf*>(adopt(std::make_unique<CLeaf>(std::move(name), text, unused)));
}

CLeaf* CNode::AddLeaf(std::string name, const char* text, bool unused) {
    return AddLeaf(std::move(name), std::string_view(text ? text : ""), unused);
}

CLeaf* CNode::AddLeaf(std::string name, int value, bool unused) {
    return AddLeaf(std::move(name), std::string_view(nrvNumbers::formatI(value)), unused);
}

CLeaf* CNode::AddLeaf(std::string name, double value, bool unused) {
    return AddLeaf(std::move(name), std::string_view(nrvNumbers::formatF(value)), unused);
}

CLeaf* CNode::AddLeaf(CLeaf* leaf) {
    if (!leaf) return nullptr;
    CNode* old = leaf->m_parent;
    if (old == this) return leaf;
    auto owned = old ? old->release(old->indexOf(leaf)) : std::unique_ptr<CTreeItem>(leaf);
    return static_cast<CLeaf*>(adopt(std::move(owned)));
}

bool CNode::RemoveItem(CTreeItem* item) {
    const std::size_t at = indexOf(item);
    if (at == npos) return false;
    release(at);  // the returned owner frees it (iteratively for a node)
    return true;
}

void CNode::RemoveAll() {
    freeItems();
}

namespace {

// Depth first, each node before its children: the first node (or leaf) named
// `name` that comes behind `after` in that order.
CTreeItem* findDeep(const CNode& root, std::string_view name, const CTreeItem* after,
                    bool wantNode) {
    bool passed = after == nullptr;
    std::vector<std::pair<const CNode*, std::size_t>> stack{{&root, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next == node->Items().size()) {
            stack.pop_back();
            continue;
        }
        CTreeItem* item = node->Items()[next++].get();
        if (passed && item->IsNode() == wantNode && item->GetName() == name) return item;
        if (item == after) passed = true;
        if (item->IsNode()) stack.emplace_back(static_cast<const CNode*>(item), 0);
    }
    return nullptr;
}

}  // namespace

CNode* CNode::FindChild(std::string_view name, const CNode* after, bool recursive) const {
    if (!recursive) {
        for (std::size_t i = startBehind(after); i < m_items.size(); ++i) {
            const CTreeItem* item = m_items[i].get();
            if (item->IsNode() && item->GetName() == name) {
                m_findHint.store(i, std::memory_order_relaxed);
                return static_cast<CNode*>(m_items[i].get());
            }
        }
        return nullptr;
    }
    return static_cast<CNode*>(findDeep(*this, name, after, true));
}

CLeaf* CNode::FindLeaf(std::string_view name, const CLeaf* after, bool recursive) const {
    if (!recursive) {
        for (std::size_t i = startBehind(after); i < m_items.size(); ++i) {
            const CTreeItem* item = m_items[i].get();
            if (!item->IsNode() && item->GetName() == name) {
                m_findHint.store(i, std::memory_order_relaxed);
                return static_cast<CLeaf*>(m_items[i].get());
            }
        }
        return nullptr;
    }
    return static_cast<CLeaf*>(findDeep(*this, name, after, false));
}

std::string CNode::GetStrLeafValue(std::string_view path, std::string_view leafName, int index,
                                   char sep, std::string_view def) const {
    const CNode* node = this;
    std::size_t start = 0;
    while (node && start <= path.size()) {
        const std::size_t at = path.find_first_of("\\/", start);
        const std::size_t end = at == std::string_view::npos ? path.size() : at;
        if (end > start) node = node->FindChild(path.substr(start, end - start));
        start = end + 1;
    }
    const CLeaf* leaf = node ? node->FindLeaf(leafName) : nullptr;
    std::string_view raw;
    if (!leaf || index < 0 ||
        !rawValueAt(leaf->GetRawText(), sep, static_cast<std::size_t>(index), raw)) {
        return std::string(def);
    }
    return decoded(raw);
}

CNode* CNode::GetFirstChild() const {
    m_childCursor = 0;
    return GetNextChild();
}

CNode* CNode::GetNextChild() const {
    while (m_childCursor < m_items.size()) {
        CTreeItem* item = m_items[m_childCursor++].get();
        if (item->IsNode()) return static_cast<CNode*>(item);
    }
    return nullptr;
}

CNode::Pos CNode::GetFirstChildPos() const {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->IsNode()) return i;
    }
    return npos;
}

CNode* CNode::GetNextChild(Pos& pos) const {
    if (pos >= m_items.size() || !m_items[pos]->IsNode()) {
        pos = npos;
        return nullptr;
    }
    auto* child = static_cast<CNode*>(m_items[pos].get());
    Pos next = pos + 1;
    while (next < m_items.size() && !m_items[next]->IsNode())
        ++next;
    pos = next < m_items.size() ? next : npos;
    return child;
}

int CNode::NrOfChildren() const {
    return static_cast<int>(m_nodeCount);
}

CLeaf* CNode::GetFirstLeaf() const {
    m_leafCursor = 0;
    return GetNextLeaf();
}

CLeaf* CNode::GetNextLeaf() const {
    while (m_leafCursor < m_items.size()) {
        CTreeItem* item = m_items[m_leafCursor++].get();
        if (!item->IsNode()) return static_cast<CLeaf*>(item);
    }
    return nullptr;
}

int CNode::NrOfLeaves() const {
    return static_cast<int>(m_items.size() - m_nodeCount);
}

namespace {

struct NodeAccess {
    static std::size_t count(const CNode& node) { return node.Items().size(); }
    static const CNode* child(const CNode& node, std::size_t i) {
        const CTreeItem* item = node.Items()[i].get();
        return item->IsNode() ? static_cast<const CNode*>(item) : nullptr;
    }
    static std::string_view name(const CNode& node) { return node.GetName(); }
    static std::string_view leafName(const CNode& node, std::size_t i) {
        return node.Items()[i]->GetName();
    }
    static std::string_view leafText(const CNode& node, std::size_t i) {
        return static_cast<const CLeaf*>(node.Items()[i].get())->GetRawText();
    }
};

}  // namespace

bool CNode::WriteToFile(const std::string& path, bool bom, bool indent, bool sync, int level,
                        char sep) const {
    std::string text;
    if (!WriteToString(text, bom, indent, true, level, sep)) return false;
    return nrvFiles::writeFileAtomic(path, text, sync);
}

bool CNode::WriteToString(std::string& text, bool bom, bool indent, bool trailingNewline, int level,
                          char sep) const {
    if (sep != ':') return false;
    nrvTreeText::write<CNode, NodeAccess>(text, *this, {bom, indent, trailingNewline, level});
    return true;
}

// ===========================================================================
// TreeItems
// ===========================================================================

namespace {

class NodeSink : public nrvTreeText::Sink {
public:
    void openNode(std::string name) override {
        auto node = std::make_unique<CNode>(std::move(name));
        CNode* raw = node.get();
        if (m_open.empty()) {
            m_root = std::move(node);
        } else {
            TreeStoreAccess::adopt(*m_open.back(), std::move(node));
        }
        m_open.push_back(raw);
    }
    void addLeaf(std::string name, std::string_view rawText) override {
        auto leaf = std::make_unique<CLeaf>(std::move(name));
        leaf->SetRawText(std::string(rawText));
        TreeStoreAccess::adopt(*m_open.back(), std::move(leaf));
    }
    bool closeNode(std::string_view name) override {
        if (m_open.back()->GetName() != name) return false;
        m_open.pop_back();
        return true;
    }
    std::unique_ptr<CNode> take() { return std::move(m_root); }

private:
    std::unique_ptr<CNode> m_root;
    std::vector<CNode*> m_open;
};

}  // namespace

std::unique_ptr<CNode> TreeItems::ReadFromString(std::string_view text, bool /*unused*/) {
    NodeSink sink;
    if (!nrvTreeText::parse(text, sink)) return nullptr;
    return sink.take();
}

std::unique_ptr<CNode> TreeItems::ReadFromFile(const std::string& path, bool /*unused*/) {
    std::string bytes;
    if (!nrvFiles::readFile(path, bytes)) return nullptr;
    std::string_view text = nrvTreeText::skipBom(bytes);
    if (nrvCodePage::isValidUtf8(text)) return ReadFromString(text);
    // Older files of the Windows programs are in code page 1252.
    return ReadFromString(nrvCodePage::cp1252ToUtf8(text));
}

bool TreeItems::ReadFromFile(const std::string& path, CNode*& root, bool replace) {
    if (replace) {
        delete root;
        root = nullptr;
    }
    std::unique_ptr<CNode> tree = ReadFromFile(path);
    if (!tree) return false;
    root = tree.release();
    return true;
}

std::string TreeItems::EncodeValue(std::string_view value, char sep) {
    return encodedValue(value, sep);
}

std::string TreeItems::EncodeName(std::string_view name, bool isNode) {
    std::string out;
    nrvTreeText::appendEncodedName(out, name, isNode);
    return out;
}

std::string TreeItems::Decode(std::string_view text) {
    return decoded(text);
}

// ===========================================================================
// CProNodeBase
// ===========================================================================

CProNodeBase::CProNodeBase(std::string name) : m_name(std::move(name)) {}

CProNodeBase::~CProNodeBase() {
    freeItems();
}

void CProNodeBase::freeItems() {
    std::vector<std::unique_ptr<CProNodeBase>> pending;
    for (Item& item : m_items) {
        if (item.child) pending.push_back(std::move(item.child));
    }
    m_items.clear();
    while (!pending.empty()) {
        std::unique_ptr<CProNodeBase> node = std::move(pending.back());
        pending.pop_back();
        for (Item& item : node->m_items) {
            if (item.child) pending.push_back(std::move(item.child));
        }
        node->m_items.clear();
    }
}

const std::string& CProNodeBase::GetName() const {
    return m_name;
}

CProNodeBase* CProNodeBase::AddChild(std::string name) {
    return AddChild(std::make_unique<CProNodeBase>(std::move(name)));
}

CProNodeBase* CProNodeBase::AddChild(std::unique_ptr<CProNodeBase> child) {
    if (!child) return nullptr;
    m_items.push_back({{}, {}, std::move(child)});
    return m_items.back().child.get();
}

void CProNodeBase::AddAttr(std::string name, std::string_view value) {
    m_items.push_back({std::move(name), encodedValue(value, ':'), nullptr});
}

void CProNodeBase::AddAttr(std::string name, int value) {
    AddAttr(std::move(name), std::string_view(nrvNumbers::formatI(value)));
}

void CProNodeBase::AddAttr(std::string name, double value) {
    AddAttr(std::move(name), std::string_view(nrvNumbers::formatF(value)));
}

std::string CProNodeBase::GetAttr(std::string_view name) const {
    for (const Item& item : m_items) {
        if (!item.child && item.attrName == name) return decoded(item.attrText);
    }
    return {};
}

bool CProNodeBase::HasAttr(std::string_view name) const {
    return std::any_of(m_items.begin(), m_items.end(),
                       [&](const Item& item) { return !item.child && item.attrName == name; });
}

bool CProNodeBase::findChild(std::string_view name, CProNodeBase*& out) const {
    for (const Item& item : m_items) {
        if (item.child && item.child->m_name == name) {
            out = item.child.get();
            return true;
        }
    }
    out = nullptr;
    return false;
}

std::vector<CProNodeBase*> CProNodeBase::Children() const {
    std::vector<CProNodeBase*> children;
    for (const Item& item : m_items) {
        if (item.child) children.push_back(item.child.get());
    }
    return children;
}

namespace {

struct ProAccess {
    static std::size_t count(const CProNodeBase& node) {
        return TreeStoreAccess::items(node).size();
    }
    static const CProNodeBase* child(const CProNodeBase& node, std::size_t i) {
        return TreeStoreAccess::items(node)[i].child.get();
    }
    static std::string_view name(const CProNodeBase& node) { return node.GetName(); }
    static std::string_view leafName(const CProNodeBase& node, std::size_t i) {
        return TreeStoreAccess::items(node)[i].attrName;
    }
    static std::string_view leafText(const CProNodeBase& node, std::size_t i) {
        return TreeStoreAccess::items(node)[i].attrText;
    }
};

class ProSink : public nrvTreeText::Sink {
public:
    void openNode(std::string name) override {
        auto node = std::make_unique<CProNodeBase>(std::move(name));
        CProNodeBase* raw = node.get();
        if (m_open.empty()) {
            m_root = std::move(node);
        } else {
            m_open.back()->AddChild(std::move(node));
        }
        m_open.push_back(raw);
    }
    void addLeaf(std::string name, std::string_view rawText) override {
        TreeStoreAccess::items(*m_open.back())
            .push_back({std::move(name), std::string(rawText), nullptr});
    }
    bool closeNode(std::string_view name) override {
        if (m_open.back()->GetName() != name) return false;
        m_open.pop_back();
        return true;
    }
    std::unique_ptr<CProNodeBase> take() { return std::move(m_root); }

private:
    std::unique_ptr<CProNodeBase> m_root;
    std::vector<CProNodeBase*> m_open;
};

}  // namespace

bool CProNodeBase::WriteToString(std::string& buffer) const {
    nrvTreeText::write<CProNodeBase, ProAccess>(buffer, *this, {});
    return true;
}

std::unique_ptr<CProNodeBase> CProNodeBase::ReadFromString(std::string_view text) {
    ProSink sink;
    if (!nrvTreeText::parse(text, sink)) return nullptr;
    return sink.take();
}

std::unique_ptr<CNode> CProNodeBase::ToNode() const {
    auto root = std::make_unique<CNode>(m_name);
    std::vector<std::pair<const CProNodeBase*, CNode*>> work{{this, root.get()}};
    while (!work.empty()) {
        auto [from, to] = work.back();
        work.pop_back();
        for (const Item& item : from->m_items) {
            if (item.child) {
                work.emplace_back(item.child.get(), to->AddChild(item.child->m_name));
            } else {
                to->AddLeaf(item.attrName, std::string_view())->SetRawText(item.attrText);
            }
        }
    }
    return root;
}

std::unique_ptr<CProNodeBase> CProNodeBase::FromNode(const CNode& node) {
    auto root = std::make_unique<CProNodeBase>(node.GetName());
    std::vector<std::pair<const CNode*, CProNodeBase*>> work{{&node, root.get()}};
    while (!work.empty()) {
        auto [from, to] = work.back();
        work.pop_back();
        for (const auto& item : from->Items()) {
            if (item->IsNode()) {
                work.emplace_back(static_cast<const CNode*>(item.get()),
                                  to->AddChild(item->GetName()));
            } else {
                to->m_items.push_back({item->GetName(),
                                       static_cast<const CLeaf*>(item.get())->GetRawText(),
                                       nullptr});
            }
        }
    }
    return root;
}

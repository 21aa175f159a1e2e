#pragma once
// Keyed tree store: named nodes holding child nodes and leaves in insertion
// order, each leaf an ordered list of text values separated by ':'.
//
// Text form (one item per line, leading tabs/blanks are indentation):
//     [NAME]            opens a node
//     NAME:TEXT         a leaf; TEXT is its values joined by the separator
//     [ENDE_NAME]       closes the node
// '%', CR and LF in names and values, ':' in values and leaf names, a name's
// leading blank/tab, a leaf name's leading '[' and the 'E' of a node name
// starting with "ENDE_" are percent-encoded (%XX), so every byte survives a
// write and read (see docs/treestore.md); hand-written lines such as
// "\tVDI_2:VDI_2\beispiel.vdi" read exactly as written. Only well-formed %XX
// sequences are decoded, so a lone '%' in a hand-written file stays a '%'.

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"

class CNode;
class CLeaf;
struct TreeStoreAccess;  // the text reader and writer (treestore.cpp)

class KAVEX_API CTreeItem {
public:
    explicit CTreeItem(std::string name = {});
    virtual ~CTreeItem();
    CTreeItem(const CTreeItem&) = delete;
    CTreeItem& operator=(const CTreeItem&) = delete;

    const std::string& GetName() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    virtual bool IsNode() const = 0;
    CNode* GetParentNode() const { return m_parent; }

protected:
    friend class CNode;
    std::string m_name;
    CNode* m_parent = nullptr;  // not owning
};

class KAVEX_API CLeaf : public CTreeItem {
public:
    // `text` is one value; the flag is kept for call compatibility (unused).
    explicit CLeaf(std::string name = {}, std::string_view text = {}, bool unused = false);
    bool IsNode() const override { return false; }

    // --- writing a list of values -------------------------------------
    // InitSetValues chooses the separator for the following Set calls of this
    // thread; SetFirstValue replaces the leaf's values, SetNextValue appends.
    static void InitSetValues(char sep = ':');
    static void ExitSetValues();
    void SetFirstValue(std::string_view value);
    void SetFirstValue(const char* value) { SetFirstValue(std::string_view(value ? value : "")); }
    void SetFirstValue(int value);
    void SetFirstValue(double value);  // "%f"
    void SetNextValue(std::string_view value);
    void SetNextValue(const char* value) { SetNextValue(std::string_view(value ? value : "")); }
    void SetNextValue(int value);
    void SetNextValue(double value);  // "%f"
    // Replace the whole leaf with one value.
    void SetValue(std::string_view value);

    // --- reading a list of values ---------------------------------------
    // False when the leaf holds no value (empty text).
    bool InitGetValues(char sep = ':') const;
    // Each Get stores one value and returns true while a further value follows.
    // GetFirstValue always stores (an empty leaf gives "" / 0 / false); a
    // GetNextValue behind the last value stores nothing and returns false, so
    // fields missing from an older, shorter leaf keep the caller's defaults.
    // Numbers parse like the C runtime's atof/atoi (leading number, junk ignored,
    // unreadable → 0); a bool is true for a non-zero number or "true" (any case).
    // The bool flag of the number forms is accepted for call compatibility and
    // has no effect.
    bool GetFirstValue(std::string& out, char sep = ':') const;
    bool GetFirstValue(int& out, char sep = ':', bool unused = true) const;
    bool GetFirstValue(double& out, char sep = ':', bool unused = true) const;
    bool GetFirstValue(float& out, char sep = ':', bool unused = true) const;
    bool GetFirstValue(bool& out, char sep = ':', bool unused = true) const;
    bool GetNextValue(std::string& out) const;
    bool GetNextValue(int& out, bool unused = true) const;
    bool GetNextValue(double& out, bool unused = true) const;
    bool GetNextValue(float& out, bool unused = true) const;
    bool GetNextValue(bool& out, bool unused = true) const;
    // The single (whole) value of the leaf, decoded; `sep` is not used to split,
    // so a hand-written path "C:/x" stays whole.
    std::string GetOnlyValue(char sep = ':') const;
    int GetOnlyValueI(char sep = ':', bool unused = true) const;
    double GetOnlyValueD(char sep = ':') const;
    // All values split at `sep`, decoded.
    std::vector<std::string> GetValues(char sep = ':') const;
    std::size_t NrOfValues(char sep = ':') const;

    // The stored (encoded) text as it appears after "NAME:" in the text form.
    const std::string& GetRawText() const { return m_text; }
    void SetRawText(std::string text) { m_text = std::move(text); }

private:
    std::string m_text;  // encoded values joined by the separator
    // Read cursor of GetFirstValue/GetNextValue.
    mutable std::size_t m_cursor = 0;
    mutable char m_getSep = ':';
    mutable bool m_cursorAtEnd = true;
};

class KAVEX_API CNode : public CTreeItem {
public:
    using Pos = std::size_t;  // index of a child node among Items(); npos at the end
    static constexpr Pos npos = static_cast<Pos>(-1);

    explicit CNode(std::string name = {});
    ~CNode() override;
    bool IsNode() const override { return true; }

    // --- building ---------------------------------------------------------
    CNode* AddChild(std::string name);
    CNode* AddChild(CNode* node);  // adopts; null gives null
    CNode* AddChild(std::unique_ptr<CNode> node);
    CLeaf* AddLeaf(std::string name, std::string_view text, bool unused = false);
    CLeaf* AddLeaf(std::string name, const char* text, bool unused = false);  // null: empty leaf
    CLeaf* AddLeaf(std::string name, int value, bool unused = false);
    CLeaf* AddLeaf(std::string name, double value, bool unused = false);  // "%f"
    CLeaf* AddLeaf(CLeaf* leaf);                                          // adopts; null gives null
    // AddChild(CNode*) / AddLeaf(CLeaf*) take the item out of a tree it is in;
    // a node cannot adopt itself or one of its ancestors (null, nothing changes).
    // Removes and deletes a direct child node or leaf; false when not ours.
    bool RemoveItem(CTreeItem* item);
    void RemoveAll();

    // --- finding ----------------------------------------------------------
    // First child node / leaf named `name` behind `after` (null: from the start).
    // With `recursive` the search descends depth-first into child nodes.
    CNode* FindChild(std::string_view name, const CNode* after = nullptr,
                     bool recursive = false) const;
    CLeaf* FindLeaf(std::string_view name, const CLeaf* after = nullptr,
                    bool recursive = false) const;
    // Text of value `index` of leaf `leafName` in the child reached by `path`
    // (child names separated by '\\' or '/', empty: this node); `def` when missing.
    std::string GetStrLeafValue(std::string_view path, std::string_view leafName, int index = 0,
                                char sep = ':', std::string_view def = {}) const;

    // --- walking ----------------------------------------------------------
    CNode* GetFirstChild() const;  // resets the node's own cursor
    CNode* GetNextChild() const;
    Pos GetFirstChildPos() const;
    CNode* GetNextChild(Pos& pos) const;  // returns child at pos, advances pos
    int NrOfChildren() const;
    CLeaf* GetFirstLeaf() const;
    CLeaf* GetNextLeaf() const;
    int NrOfLeaves() const;
    // Every item (nodes and leaves) in stored order.
    const std::vector<std::unique_ptr<CTreeItem>>& Items() const { return m_items; }

    // --- text form --------------------------------------------------------
    // bom: write a UTF-8 byte-order mark; indent: one tab per nesting level;
    // sync: flush the data to disk before the file replaces the old one;
    // trailingNewline: end the last line with LF too; level: tabs before this
    // node's own lines (only with indent, negative counts as 0); sep must be
    // ':' (anything else: false, nothing written). Lines end in LF.
    // WriteToString replaces `text`. Files are written to a temporary file and
    // renamed over the target; the old file stays when writing fails.
    bool WriteToFile(const std::string& path, bool bom = false, bool indent = true,
                     bool sync = true, int level = 0, char sep = ':') const;
    bool WriteToString(std::string& text, bool bom = false, bool indent = false,
                       bool trailingNewline = true, int level = 0, char sep = ':') const;

private:
    friend struct TreeStoreAccess;
    CTreeItem* adopt(std::unique_ptr<CTreeItem> item);  // no checks: the reader's fast path
    std::unique_ptr<CTreeItem> release(std::size_t index);
    std::size_t indexOf(const CTreeItem* item) const;
    std::size_t startBehind(const CTreeItem* after) const;  // npos when `after` is not ours
    bool isSelfOrAncestor(const CNode* node) const;
    void freeItems();  // iterative, so that deep trees never exhaust the stack

    std::vector<std::unique_ptr<CTreeItem>> m_items;
    std::size_t m_nodeCount = 0;
    mutable std::size_t m_childCursor = 0;
    mutable std::size_t m_leafCursor = 0;
    // Index of the last FindChild/FindLeaf hit, so that walking several children
    // of one name with `after` stays linear. Only a hint (checked before use);
    // atomic so that threads reading a shared tree do not race on it.
    mutable std::atomic<std::size_t> m_findHint{0};
};

class KAVEX_API TreeItems {
public:
    // A file or text that is not a well-formed tree gives null / false.
    // Files are UTF-8 (with or without byte-order mark); a file that is not
    // valid UTF-8 is taken as Windows-1252 and converted. The bool flags are
    // accepted for call compatibility: the first form's is unused; the second
    // form's `replace` deletes a root the caller passes in before reading.
    static std::unique_ptr<CNode> ReadFromFile(const std::string& path, bool unused = false);
    static bool ReadFromFile(const std::string& path, CNode*& root, bool replace = true);
    static std::unique_ptr<CNode> ReadFromString(std::string_view text, bool unused = false);

    // Percent-encoding used by the text form (exposed for tests and tools).
    // EncodeValue encodes '%', ':', `sep`, CR and LF; Decode turns every
    // well-formed %XX (hex digits of either case) into its byte.
    static std::string EncodeValue(std::string_view value, char sep = ':');
    static std::string EncodeName(std::string_view name, bool isNode);
    static std::string Decode(std::string_view text);
};

// Attribute-based node of the host's project file; same text form as CNode.
// Attributes are leaves holding one value.
class KAVEX_API CProNodeBase {
public:
    explicit CProNodeBase(std::string name = {});
    ~CProNodeBase();
    CProNodeBase(const CProNodeBase&) = delete;
    CProNodeBase& operator=(const CProNodeBase&) = delete;

    const std::string& GetName() const;
    CProNodeBase* AddChild(std::string name);
    CProNodeBase* AddChild(std::unique_ptr<CProNodeBase> child);
    void AddAttr(std::string name, std::string_view value);
    void AddAttr(std::string name, int value);
    void AddAttr(std::string name, double value);
    // Value of the first attribute `name`; empty when missing.
    std::string GetAttr(std::string_view name) const;
    bool HasAttr(std::string_view name) const;
    // First direct child named `name`; false (and out null) when none.
    bool findChild(std::string_view name, CProNodeBase*& out) const;
    std::vector<CProNodeBase*> Children() const;  // direct children in order

    // Replaces `buffer` with the node's text (no indentation, LF line ends).
    bool WriteToString(std::string& buffer) const;
    static std::unique_ptr<CProNodeBase> ReadFromString(std::string_view text);

    // The node as a plain tree (a copy) and back.
    std::unique_ptr<CNode> ToNode() const;
    static std::unique_ptr<CProNodeBase> FromNode(const CNode& node);

private:
    friend struct TreeStoreAccess;
    void freeItems();  // iterative, like CNode's

    // Attributes and children keep their interleaved order, so that a project
    // section read and written again is unchanged. An attribute keeps its text
    // as stored (encoded): a leaf of several values inside a project section
    // (a model's "X") is written back exactly as it was read.
    std::string m_name;
    struct Item {
        std::string attrName;  // attribute when child is null
        std::string attrText;  // encoded, like CLeaf's raw text
        std::unique_ptr<CProNodeBase> child;
    };
    std::vector<Item> m_items;
};

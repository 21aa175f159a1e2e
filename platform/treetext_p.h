#pragma once
// Line form of the keyed tree store, shared by CNode and CProNodeBase:
// percent-encoding of names and values, the line reader and the writer.
//
//     [NAME]          opens a node        NAME:TEXT   a leaf
//     [ENDE_NAME]     closes it
//
// Reading and writing keep their own explicit stacks: a tree nested a hundred
// thousand levels deep must neither overflow the call stack nor be refused.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nrvTreeText {

inline constexpr std::string_view kBom = "\xEF\xBB\xBF";
inline constexpr std::string_view kEndPrefix = "ENDE_";

std::string_view skipBom(std::string_view text);

// Appends `text` with every well-formed %XX turned into its byte; any other
// '%' stays as it is.
void appendDecoded(std::string& out, std::string_view text);
// Appends `value` with '%', ':', `sep`, CR and LF as %XX.
void appendEncodedValue(std::string& out, std::string_view value, char sep);
// Appends a name so that its line reads back as the same name: '%', CR, LF
// (and ':' for a leaf) anywhere, a leading blank or tab (else indentation), a
// leaf's leading '[' (else a node line) and the 'E' of a node name starting
// with "ENDE_" (else a closing line).
void appendEncodedName(std::string& out, std::string_view name, bool isNode);
// Appends a leaf's stored text to its line. A CR or LF in it (only possible
// through SetRawText or a hand-written CR) would end or shorten the line, so
// they go out as %0D / %0A, which decode to the same bytes.
void appendLineSafe(std::string& out, std::string_view raw);

// Receives the items of a text in order. The reader guarantees the structure:
// leaves only inside a node, one root, closes only for an open node.
class Sink {
public:
    virtual ~Sink() = default;
    virtual void openNode(std::string name) = 0;
    virtual void addLeaf(std::string name, std::string_view rawText) = 0;
    // False when `name` is not the name of the innermost open node.
    virtual bool closeNode(std::string_view name) = 0;
};

// One pass over the text; false when it is not exactly one well-formed tree.
bool parse(std::string_view text, Sink& sink);

struct WriteOptions {
    bool bom = false;
    bool indent = false;
    bool trailingNewline = true;
    int level = 0;
};

// Writes the tree below `root` into `out` (replacing it). `Access` tells the
// writer how a node type is built:
//   static std::size_t count(const Node&);                   // items
//   static const Node* child(const Node&, std::size_t);      // null: a leaf
//   static std::string_view name(const Node&);
//   static std::string_view leafName(const Node&, std::size_t);
//   static std::string_view leafText(const Node&, std::size_t);  // encoded
template <class Node, class Access>
void write(std::string& out, const Node& root, const WriteOptions& options) {
    out.clear();
    if (options.bom) out.append(kBom);
    const std::size_t base =
        options.indent && options.level > 0 ? static_cast<std::size_t>(options.level) : 0;
    auto indent = [&](std::size_t depth) {
        if (options.indent) out.append(base + depth, '\t');
    };
    auto openLine = [&](const Node& node, std::size_t depth) {
        indent(depth);
        out += '[';
        appendEncodedName(out, Access::name(node), true);
        out += "]\n";
    };
    auto closeLine = [&](const Node& node, std::size_t depth) {
        indent(depth);
        out += '[';
        out.append(kEndPrefix);
        appendEncodedName(out, Access::name(node), true);
        out += "]\n";
    };

    struct Frame {
        const Node* node;
        std::size_t next;
    };
    std::vector<Frame> stack;
    openLine(root, 0);
    stack.push_back({&root, 0});
    while (!stack.empty()) {
        const std::size_t depth = stack.size();  // nesting of the top node's items
        Frame& top = stack.back();
        const Node& node = *top.node;
        if (top.next == Access::count(node)) {
            stack.pop_back();
            closeLine(node, depth - 1);
            continue;
        }
        const std::size_t i = top.next++;
        if (const Node* child = Access::child(node, i)) {
            openLine(*child, depth);
            stack.push_back({child, 0});  // `top` is not used after this
        } else {
            indent(depth);
            appendEncodedName(out, Access::leafName(node, i), false);
            out += ':';
            appendLineSafe(out, Access::leafText(node, i));
            out += '\n';
        }
    }
    if (!options.trailingNewline) out.pop_back();
}

}  // namespace nrvTreeText

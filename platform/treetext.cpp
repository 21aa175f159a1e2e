#include "treetext_p.h"

#include <cstring>

namespace nrvTreeText {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void appendEscaped(std::string& out, char c) {
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

bool isIndent(char c) {
    return c == ' ' || c == '\t';
}

// Appends `text[from..]` with every character for which `special` holds as %XX;
// runs of plain characters are copied in one piece.
template <class Special>
void appendEscapedWhere(std::string& out, std::string_view text, std::size_t from,
                        Special special) {
    std::size_t run = from;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (!special(text[i])) continue;
        out.append(text.data() + run, i - run);
        appendEscaped(out, text[i]);
        run = i + 1;
    }
    out.append(text.data() + run, text.size() - run);
}

// A name as read: decoded only when it holds a '%'.
std::string decodedName(std::string_view raw) {
    if (raw.find('%') == std::string_view::npos) return std::string(raw);
    std::string out;
    out.reserve(raw.size());
    appendDecoded(out, raw);
    return out;
}

std::string_view decodedView(std::string_view raw, std::string& scratch) {
    if (raw.find('%') == std::string_view::npos) return raw;
    scratch.clear();
    appendDecoded(scratch, raw);
    return scratch;
}

// The reader's state between lines.
class Reader {
public:
    explicit Reader(Sink& sink) : m_sink(sink) {}

    bool line(std::string_view text) {
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        std::size_t first = 0;
        while (first < text.size() && isIndent(text[first]))
            ++first;
        text.remove_prefix(first);
        if (text.empty()) return true;  // blank lines are allowed anywhere
        if (text.front() == '[') return bracketLine(text);
        return leafLine(text);
    }

    bool finished() const { return m_rootDone && m_depth == 0; }

private:
    bool bracketLine(std::string_view text) {
        // Blanks behind the ']' of a hand-edited file are tolerated; a written
        // node line always ends in ']'.
        while (text.size() > 1 && isIndent(text.back()))
            text.remove_suffix(1);
        if (text.size() < 2 || text.back() != ']') return false;
        std::string_view inner = text.substr(1, text.size() - 2);
        if (inner.substr(0, kEndPrefix.size()) == kEndPrefix) {
            if (m_depth == 0) return false;
            if (!m_sink.closeNode(decodedView(inner.substr(kEndPrefix.size()), m_scratch))) {
                return false;
            }
            if (--m_depth == 0) m_rootDone = true;
            return true;
        }
        if (m_rootDone) return false;  // a second root
        m_sink.openNode(decodedName(inner));
        ++m_depth;
        return true;
    }

    bool leafLine(std::string_view text) {
        if (m_depth == 0) return false;
        const std::size_t colon = text.find(':');
        if (colon == std::string_view::npos) return false;
        m_sink.addLeaf(decodedName(text.substr(0, colon)), text.substr(colon + 1));
        return true;
    }

    Sink& m_sink;
    std::size_t m_depth = 0;
    bool m_rootDone = false;
    std::string m_scratch;
};

}  // namespace

std::string_view skipBom(std::string_view text) {
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    return text;
}

void appendDecoded(std::string& out, std::string_view text) {
    std::size_t pos = 0;
    for (;;) {
        const std::size_t pct = text.find('%', pos);
        if (pct == std::string_view::npos) break;
        out.append(text.data() + pos, pct - pos);
        const int high = pct + 2 < text.size() ? hexValue(text[pct + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[pct + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            pos = pct + 3;
        } else {
            out += '%';
            pos = pct + 1;
        }
    }
    out.append(text.data() + pos, text.size() - pos);
}

void appendEncodedValue(std::string& out, std::string_view value, char sep) {
    appendEscapedWhere(out, value, 0, [sep](char c) {
        return c == '%' || c == ':' || c == '\r' || c == '\n' || c == sep;
    });
}

void appendEncodedName(std::string& out, std::string_view name, bool isNode) {
    std::size_t from = 0;
    if (!name.empty()) {
        const char c = name.front();
        const bool marker = isNode ? name.substr(0, kEndPrefix.size()) == kEndPrefix : c == '[';
        if (isIndent(c) || marker) {
            appendEscaped(out, c);
            from = 1;
        }
    }
    appendEscapedWhere(out, name, from, [isNode](char c) {
        return c == '%' || c == '\r' || c == '\n' || (!isNode && c == ':');
    });
}

void appendLineSafe(std::string& out, std::string_view raw) {
    appendEscapedWhere(out, raw, 0, [](char c) { return c == '\r' || c == '\n'; });
}

bool parse(std::string_view text, Sink& sink) {
    text = skipBom(text);
    Reader reader(sink);
    const char* pos = text.data();
    const char* const end = pos + text.size();
    while (pos < end) {
        const auto* newline =
            static_cast<const char*>(std::memchr(pos, '\n', static_cast<std::size_t>(end - pos)));
        const char* lineEnd = newline ? newline : end;
        if (!reader.line(std::string_view(pos, static_cast<std::size_t>(lineEnd - pos)))) {
            return false;
        }
        pos = newline ? newline + 1 : end;
    }
    return reader.finished();
}

}  // namespace nrvTreeText

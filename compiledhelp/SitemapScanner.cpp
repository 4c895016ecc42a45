#include "compiledhelp/SitemapScanner.h"

#include "baseutil/Xml.h"
#include "compiledhelp/ElementRules.h"

#include <cstdio>
#include <vector>

namespace {

// Nesting beyond this is not built: real sitemaps stay far below it, and
// a deeper tree would only make every later walk over it recursion-heavy.
constexpr int kMaxDepth = 1000;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// The texts between the first few pairs of double quotes of a tag.
std::vector<std::string_view> QuotedValues(std::string_view tag, size_t wanted) {
    std::vector<std::string_view> values;
    size_t position = 0;
    while (values.size() < wanted) {
        size_t open = tag.find('"', position);
        if (open == std::string_view::npos)
            break;
        size_t close = tag.find('"', open + 1);
        if (close == std::string_view::npos)
            break;
        values.push_back(tag.substr(open + 1, close - open - 1));
        position = close + 1;
    }
    return values;
}

class Scanner {
public:
    Scanner(CXML& root, const std::string& chmFileName) : m_root(root), m_current(&root) {
        if (!chmFileName.empty())
            m_prefix = "MS-ITS:" + chmFileName + "::/";
    }

    void Tag(std::string_view tag) {
        // tag is the text between "<" and ">".
        size_t end = 0;
        while (end < tag.size() && !IsBlank(tag[end]))
            ++end;
        std::string name = mb::chm::UpperAscii(tag.substr(0, end));
        if (!name.empty() && name[0] == '/')
            Close(name);
        else if (name == "HTML" || name == "HEAD" || name == "BODY" || name == "UL")
            Open(name);
        else if (name == "OBJECT")
            Object(tag);
        else if (name == "PARAM")
            Param(tag);
        else if (name == "LI")
            Item();
    }

    // The entries (objects) that lay too deep to be built.
    size_t LeftOut() const { return m_leftOut; }

private:
    CXML* Up(CXML* node) const {
        CXML* parent = node ? node->GetParent() : nullptr;
        return parent ? parent : &m_root;
    }

    void Close(const std::string& name) {
        if (name == "/HTML" || name == "/HEAD" || name == "/BODY" || name == "/OBJECT" ||
            name == "/PARAM") {
            Leave(Up(m_current));
        } else if (name == "/UL") {
            // Out of the innermost open list, wherever in it we are.
            CXML* list = m_current;
            while (list != &m_root && list->GetTagName() != "UL")
                list = list->GetParent();
            Leave(list == &m_root ? &m_root : Up(list));
        }
    }

    void Leave(CXML* node) {
        m_current = node;
        m_depth = 0;
        for (CXML* up = node; up != &m_root; up = up->GetParent())
            ++m_depth;
    }

    CXML* Open(const std::string& name) {
        if (m_depth >= kMaxDepth)
            return nullptr;
        m_current = m_current->AddChild(name);
        ++m_depth;
        return m_current;
    }

    void Object(std::string_view tag) {
        // An object needs room for its parameters below it.
        if (m_depth + 1 >= kMaxDepth) {
            ++m_leftOut;
            return;
        }
        std::vector<std::string_view> values = QuotedValues(tag, 1);
        Open("OBJECT")->SetAttr("type", values.empty() ? std::string() : std::string(values[0]));
    }

    void Param(std::string_view tag) {
        std::vector<std::string_view> values = QuotedValues(tag, 2);
        if (values.size() < 2 || m_depth >= kMaxDepth)
            return;
        std::string_view value = values[1];
        if (!m_prefix.empty() && mb::chm::EqualsNoCase(values[0], "Local") &&
            mb::chm::StartsWithNoCase(value, m_prefix))
            value.remove_prefix(m_prefix.size());
        CXML* param = m_current->AddChild("PARAM");
        param->SetAttr("name", std::string(values[0]));
        param->SetAttr("value", std::string(value));
    }

    void Item() {
        if (m_current->GetTagName() == "LI" && m_current != &m_root)
            Leave(Up(m_current));
        Open("LI");
    }

    CXML& m_root;
    CXML* m_current;
    int m_depth = 0;
    size_t m_leftOut = 0;
    std::string m_prefix;
};

// Finds where each tag of a text ends. As in HTML, a ">" inside a
// double-quoted value does not end the tag (Sphinx writes page anchors such
// as "a.html#var:<Name>_ROOT"). A quote whose closing quote does not come
// before the end of its line is taken as a stray: the tag then ends at its
// first ">", and so do the other tags on that line, so that one stray quote
// can neither swallow the rest of the file nor make the scan quadratic.
class TagEnds {
public:
    explicit TagEnds(std::string_view text) : m_text(text) {}

    // The ">" that ends the tag whose "<" is at `open`, or npos.
    size_t After(size_t open) {
        if (open < m_plainUntil)
            return m_text.find('>', open + 1);
        for (size_t at = open + 1; at < m_text.size(); ++at) {
            if (m_text[at] == '>')
                return at;
            if (m_text[at] != '"')
                continue;
            size_t close = m_text.find_first_of("\"\r\n", at + 1);
            if (close == std::string_view::npos || m_text[close] != '"') {
                m_plainUntil = close == std::string_view::npos ? m_text.size() : close;
                return m_text.find('>', open + 1);
            }
            at = close;
        }
        return std::string_view::npos;
    }

private:
    std::string_view m_text;
    size_t m_plainUntil = 0; // tags that start before this end at their first ">"
};

} // namespace

size_t ScanSitemap(std::string_view text, CXML& root, const std::string& rootTag,
                   const std::string& chmFileName) {
    root.ResetContents();
    root.SetTagName(rootTag);
    Scanner scanner(root, chmFileName);
    TagEnds ends(text);
    size_t position = 0;
    while (true) {
        size_t open = text.find('<', position);
        if (open == std::string_view::npos)
            break;
        size_t close = ends.After(open);
        if (close == std::string_view::npos)
            break;
        scanner.Tag(text.substr(open + 1, close - open - 1));
        position = close + 1;
    }
    return scanner.LeftOut();
}

void ReadIndexHeaderColors(const std::string* header, std::string& background,
                           std::string& foreground) {
    background = "#ffffff";
    foreground = "#000000";
    if (!header || header->size() < 39)
        return;
    auto color = [header](size_t at) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(header->data()) + at;
        char text[16];
        std::snprintf(text, sizeof text, "#%x", bytes[0] | (bytes[1] << 8) | (bytes[2] << 16));
        return std::string(text);
    };
    background = color(32);
    if (background == "#0")
        background = "#ffffff";
    foreground = color(36);
}

#include "projectmodel/EntrySearch.h"

#include "baseutil/TextFold.h"
#include "baseutil/Xml.h"

#include <algorithm>
#include <string_view>

namespace mb {

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether texts hold the wanted text; `wanted` is folded already when case
// does not matter.
class TextMatcher {
public:
    explicit TextMatcher(const EntryQuery& query)
        : m_matchCase(query.matchCase),
          m_wanted(query.matchCase ? query.text : FoldCase(query.text)),
          m_asciiWanted(IsAscii(m_wanted)) {}

    bool Empty() const { return m_wanted.empty(); }

    bool Matches(std::string_view text) const {
        if (m_matchCase)
            return text.find(m_wanted) != std::string_view::npos;
        // Most names are plain ASCII: compared letter by letter without
        // making a folded copy (tens of thousands of entries per search).
        if (m_asciiWanted && IsAscii(text)) {
            auto equal = [](char a, char b) { return AsciiLower(a) == b; };
            return std::search(text.begin(), text.end(), m_wanted.begin(), m_wanted.end(), equal) !=
                   text.end();
        }
        return FoldCase(text).find(m_wanted) != std::string::npos;
    }

private:
    bool m_matchCase;
    std::string m_wanted;
    bool m_asciiWanted;
};

// The entry after `node` in document order, or null after the last one.
const CXML* Next(const CXML& root, const CXML* node) {
    if (node->GetChildCount() > 0)
        return node->GetChildAt(0);
    for (; node != &root; node = node->GetParent()) {
        const CXML* parent = node->GetParent();
        if (node->GetIndexInParent() + 1 < parent->GetChildCount())
            return parent->GetChildAt(node->GetIndexInParent() + 1);
    }
    return nullptr;
}

const CXML* LastInside(const CXML* node) {
    while (node->GetChildCount() > 0)
        node = node->GetChildAt(node->GetChildCount() - 1);
    return node;
}

// The entry before `node` in document order, or null before the first one.
const CXML* Previous(const CXML& root, const CXML* node) {
    const CXML* parent = node->GetParent();
    if (node->GetIndexInParent() > 0)
        return LastInside(parent->GetChildAt(node->GetIndexInParent() - 1));
    return parent == &root ? nullptr : parent;
}

bool IsInside(const CXML& root, const CXML* node) {
    for (const CXML* up = node->GetParent(); up; up = up->GetParent())
        if (up == &root)
            return true;
    return false;
}

} // namespace

const CXML* FindEntry(const CXML& root, const CXML* from, const EntryQuery& query, bool backward) {
    const TextMatcher matcher(query);
    if (matcher.Empty() || root.GetChildCount() == 0)
        return nullptr;
    const std::string_view folder = query.projectFolder;
    auto matches = [&](const CXML* node) {
        const std::string* name = node->FindAttr("Name");
        if (name && matcher.Matches(*name))
            return true;
        const std::string* link = query.inLinks ? node->FindAttr("Local") : nullptr;
        if (!link)
            return false;
        std::string_view shown = *link;
        if (!folder.empty() && shown.substr(0, folder.size()) == folder)
            shown.remove_prefix(folder.size());
        return matcher.Matches(shown);
    };
    if (from && !IsInside(root, from))
        from = nullptr;
    const CXML* first = backward ? LastInside(&root) : root.GetChildAt(0);
    // Without an entry to start from, the walk sees every entry once.
    const CXML* stop = from ? from : (backward ? root.GetChildAt(0) : LastInside(&root));
    for (const CXML* node = from;;) {
        const CXML* step = node ? (backward ? Previous(root, node) : Next(root, node)) : nullptr;
        node = step ? step : first;
        if (matches(node))
            return node;
        if (node == stop)
            return nullptr;
    }
}

} // namespace mb

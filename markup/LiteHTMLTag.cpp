#include "markup/LiteHTMLTag.h"

#include "markup/HtmlChars.h"

using namespace mb::html;

CLiteHTMLElemAttr CLiteHTMLAttrList::getAttribute(int index) const {
    if (index < 0 || index >= getCount())
        return CLiteHTMLElemAttr();
    return m_attrs[static_cast<std::size_t>(index)];
}

CLiteHTMLElemAttr CLiteHTMLTag::getAttribute(int index) const {
    return m_attrs ? m_attrs->getAttribute(index) : CLiteHTMLElemAttr();
}

std::size_t CLiteHTMLTag::parseFromStr(std::string_view text, bool& opening, bool& closing) {
    const std::size_t n = text.size();
    std::size_t i = SkipWhiteSpace(text, 0);
    if (i >= n || text[i] != '<')
        return 0;
    ++i;
    if (i < n && text[i] == '>') {
        m_name.clear();
        m_attrs.reset();
        opening = closing = false;
        return i;
    }

    bool isClosing = false;
    if (i >= n || !IsLetter(text[i])) {
        if (i >= n || text[i] != '/')
            return 0;
        isClosing = true;
        ++i;
    }
    const std::size_t nameStart = i;
    while (i < n && IsNameChar(text[i]))
        ++i;
    const std::string_view name = text.substr(nameStart, i - nameStart);
    if (i < n && !IsWhiteSpace(text[i]) && text[i] != '>' && (text[i] != '/' || isClosing))
        return 0;

    std::unique_ptr<CLiteHTMLAttrList> attrs;
    bool alsoClosing = false;
    if (isClosing) {
        // "</b >" is no end tag.
        if (i >= n || text[i] != '>')
            return 0;
        ++i;
    } else if (i < n && text[i] == '>') {
        ++i;
    } else {
        i = SkipWhiteSpace(text, i);
        while (i < n) {
            CLiteHTMLElemAttr attr;
            std::size_t used = attr.parseFromStr(text.substr(i));
            if (used == 0)
                break;
            if (!attrs)
                attrs = std::make_unique<CLiteHTMLAttrList>();
            attrs->addAttribute(std::move(attr));
            i += used;
        }
        if (attrs) {
            i = SkipWhiteSpace(text, i);
            if (i < n && text[i] == '/') {
                alsoClosing = true;
                ++i;
            }
            if (i >= n || text[i] != '>')
                return 0;
            ++i;
        } else {
            // Nothing readable as an attribute: the tag runs to the next '>'.
            std::size_t end = text.find('>', i);
            if (end == std::string_view::npos)
                return 0;
            alsoClosing = text[end - 1] == '/';
            i = end + 1;
        }
    }

    m_name.assign(Trim(name));
    m_attrs = std::move(attrs);
    opening = !isClosing;
    closing = isClosing || alsoClosing;
    return i;
}

#pragma once
// One parsed HTML tag: its name and the attributes it carries, in document
// order.

#include "markup/LiteHTMLElemAttr.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CLiteHTMLAttrList {
public:
    int getCount() const { return static_cast<int>(m_attrs.size()); }
    // A copy of the attribute at `index`; an empty attribute outside the list.
    CLiteHTMLElemAttr getAttribute(int index) const;
    void addAttribute(CLiteHTMLElemAttr attr) { m_attrs.push_back(std::move(attr)); }
    void removeAll() { m_attrs.clear(); }

private:
    std::vector<CLiteHTMLElemAttr> m_attrs;
};

class CLiteHTMLTag {
public:
    const std::string& getTagName() const { return m_name; }
    // 0 when the tag has no attribute list.
    int getAttributeCount() const { return m_attrs ? m_attrs->getCount() : 0; }
    // A copy of the attribute at `index`; an empty attribute outside the list.
    CLiteHTMLElemAttr getAttribute(int index) const;
    const CLiteHTMLAttrList* getAttributes() const { return m_attrs.get(); }

    // Reads one tag from the start of `text` (white space before its '<' is
    // skipped). Returns the number of bytes used, never more than
    // text.size(), and tells whether the tag opens an element, closes one, or
    // both (an empty-element tag such as <br/>); 0 when no tag starts there,
    // leaving this tag unchanged. The text "<>" is taken as a tag that neither
    // opens nor closes and uses the '<' alone.
    std::size_t parseFromStr(std::string_view text, bool& opening, bool& closing);

private:
    std::string m_name;
    std::unique_ptr<CLiteHTMLAttrList> m_attrs;
};

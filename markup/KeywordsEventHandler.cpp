#include "markup/KeywordsEventHandler.h"

#include "markup/HtmlChars.h"

using namespace mb::html;

void CKeywordsEventHandler::BeginParse(std::uint32_t, bool&) {
    m_keywords.clear();
}

void CKeywordsEventHandler::StartTag(const CLiteHTMLTag* tag, std::uint32_t, bool& abort) {
    const CLiteHTMLAttrList* attrs = tag->getAttributes();
    if (!attrs)
        return;
    const int count = attrs->getCount();
    for (int i = 0; i < count; ++i) {
        CLiteHTMLElemAttr attr = attrs->getAttribute(i);
        if (!EqualsNoCase(attr.getName(), "name") || !EqualsNoCase(attr.getValue(), "keywords"))
            continue;
        for (int j = 0; j < count; ++j) {
            CLiteHTMLElemAttr content = attrs->getAttribute(j);
            if (EqualsNoCase(content.getName(), "content")) {
                std::vector<std::string> keywords = SplitKeywords(content.getValue());
                m_keywords.insert(m_keywords.end(), keywords.begin(), keywords.end());
                abort = true;
                break;
            }
        }
        return;
    }
}

void CKeywordsEventHandler::EndTag(const CLiteHTMLTag* tag, std::uint32_t, bool& abort) {
    if (EqualsNoCase(tag->getTagName(), "head"))
        abort = true;
}

std::vector<std::string> CKeywordsEventHandler::SplitKeywords(std::string_view content) {
    content = Trim(content);
    const char separator = content.find(',') != std::string_view::npos ? ',' : ' ';
    std::vector<std::string> keywords;
    std::size_t start = 0;
    while (start <= content.size()) {
        std::size_t end = content.find(separator, start);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view piece = Trim(content.substr(start, end - start));
        if (!piece.empty())
            keywords.emplace_back(piece);
        start = end + 1;
    }
    return keywords;
}

#pragma once
// Takes the keywords out of a page's <meta name="keywords" content="...">
// tag. The parse stops at the first such tag or at the end of the head.

#include "markup/EventHandler.h"

#include <string>
#include <string_view>
#include <vector>

class CKeywordsEventHandler : public CEventHandler {
public:
    void BeginParse(std::uint32_t appData, bool& abort) override;
    void StartTag(const CLiteHTMLTag* tag, std::uint32_t appData, bool& abort) override;
    void EndTag(const CLiteHTMLTag* tag, std::uint32_t appData, bool& abort) override;

    // The keywords found, in order, duplicates kept; owned by the handler.
    const std::vector<std::string>* GetKeywords() const { return &m_keywords; }

    // Splits a keyword list at commas, or at spaces when it has no comma;
    // the pieces are trimmed and empty ones dropped.
    static std::vector<std::string> SplitKeywords(std::string_view content);

private:
    std::vector<std::string> m_keywords;
};

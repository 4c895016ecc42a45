#pragma once
// Collects the character data of a page: every run of text followed by one
// space. References are not decoded.

#include "markup/EventHandler.h"

#include <string>

class CTextEventHandler : public CEventHandler {
public:
    void BeginParse(std::uint32_t appData, bool& abort) override;
    void Characters(const std::string& text, std::uint32_t appData, bool& abort) override;

    const std::string& GetHTMLText() const { return m_text; }

private:
    std::string m_text;
};

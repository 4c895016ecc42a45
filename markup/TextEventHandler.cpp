#include "markup/TextEventHandler.h"

void CTextEventHandler::BeginParse(std::uint32_t, bool&) {
    m_text.clear();
}

void CTextEventHandler::Characters(const std::string& text, std::uint32_t, bool&) {
    m_text += text;
    m_text += ' ';
}

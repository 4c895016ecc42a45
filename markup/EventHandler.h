#pragma once
// The base of the reader's event handlers: every event does nothing, so a
// handler overrides only the events it needs.

#include "markup/LiteHTMLReader.h"

class CEventHandler : public ILiteHTMLReaderEvents {
public:
    void BeginParse(std::uint32_t, bool&) override {}
    void StartTag(const CLiteHTMLTag*, std::uint32_t, bool&) override {}
    void EndTag(const CLiteHTMLTag*, std::uint32_t, bool&) override {}
    void Characters(const std::string&, std::uint32_t, bool&) override {}
    void Comment(const std::string&, std::uint32_t, bool&) override {}
    void EndParse(std::uint32_t, bool) override {}
    virtual ~CEventHandler() = default;
};

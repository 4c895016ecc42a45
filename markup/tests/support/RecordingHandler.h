#pragma once
// An event handler for tests that writes every event as one line of text
// ("start b href=x", "chars Hello", ...), and can stop the parse at a chosen
// event.

#include "markup/LiteHTMLReader.h"

#include <string>
#include <vector>

namespace mb::testing {

class RecordingHandler : public ILiteHTMLReaderEvents {
public:
    std::vector<std::string> events;
    // The event (by its first word, e.g. "start") that sets abort, and on
    // which occurrence (1 = the first).
    std::string abortOn;
    int abortAt = 1;

    void BeginParse(std::uint32_t appData, bool& abort) override {
        Record("begin", abort);
        m_appData = appData;
    }
    void StartTag(const CLiteHTMLTag* tag, std::uint32_t, bool& abort) override {
        Record("start " + Describe(*tag), abort);
    }
    void EndTag(const CLiteHTMLTag* tag, std::uint32_t, bool& abort) override {
        Record("end " + tag->getTagName(), abort);
    }
    void Characters(const std::string& text, std::uint32_t, bool& abort) override {
        Record("chars " + text, abort);
    }
    void Comment(const std::string& text, std::uint32_t, bool& abort) override {
        Record("comment " + text, abort);
    }
    void EndParse(std::uint32_t, bool aborted) override {
        events.push_back(aborted ? "endparse aborted" : "endparse");
    }

    std::uint32_t AppDataSeen() const { return m_appData; }

    static std::string Describe(const CLiteHTMLTag& tag) {
        std::string text = tag.getTagName();
        for (int i = 0; i < tag.getAttributeCount(); ++i) {
            CLiteHTMLElemAttr attr = tag.getAttribute(i);
            text += " " + attr.getName() + "=" + attr.getValue();
        }
        return text;
    }

private:
    void Record(const std::string& line, bool& abort) {
        events.push_back(line);
        if (!abortOn.empty() && line.compare(0, abortOn.size(), abortOn) == 0 &&
            (line.size() == abortOn.size() || line[abortOn.size()] == ' ') && --abortAt == 0)
            abort = true;
    }

    std::uint32_t m_appData = 0;
};

// Parses `text` with every event on and returns the events.
inline std::vector<std::string> Events(std::string_view text) {
    RecordingHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    reader.Read(text);
    return handler.events;
}

} // namespace mb::testing

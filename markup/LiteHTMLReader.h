#pragma once
// A small, forgiving, event-driven HTML tokenizer. It walks the text once and
// reports what it meets (start and end of the parse, start tags, end tags,
// character data, comments) to one event handler; it builds no tree. The
// text is UTF-8 and is never converted. Malformed markup degrades to
// character data; the reader never reads outside the text it was given.

#include "markup/LiteHTMLTag.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The events of a parse. Every event but EndParse gets an abort flag, false
// on entry; a handler sets it to stop the parse. The tag of StartTag and
// EndTag belongs to the parse and is valid only during the call.
class ILiteHTMLReaderEvents {
public:
    virtual void BeginParse(std::uint32_t appData, bool& abort) = 0;
    virtual void StartTag(const CLiteHTMLTag* tag, std::uint32_t appData, bool& abort) = 0;
    virtual void EndTag(const CLiteHTMLTag* tag, std::uint32_t appData, bool& abort) = 0;
    virtual void Characters(const std::string& text, std::uint32_t appData, bool& abort) = 0;
    virtual void Comment(const std::string& text, std::uint32_t appData, bool& abort) = 0;
    virtual void EndParse(std::uint32_t appData, bool aborted) = 0;

protected:
    ~ILiteHTMLReaderEvents() = default;
};

class CLiteHTMLReader {
public:
    // Which events reach the handler.
    enum EventMaskEnum : std::uint32_t {
        notifyStartStop = 0x01, // BeginParse and EndParse
        notifyTagStart = 0x02,
        notifyTagEnd = 0x04,
        notifyCharacters = 0x08,
        notifyComment = 0x10,
        notifyAll = 0x1F,
    };
    enum ReaderOptionsEnum {
        // A flag kept for the caller; parsing does not depend on it.
        userFlag = 0,
    };

    CLiteHTMLReader() = default;
    virtual ~CLiteHTMLReader() = default;
    CLiteHTMLReader(const CLiteHTMLReader&) = default;
    CLiteHTMLReader& operator=(const CLiteHTMLReader&) = default;

    // Parses a NUL-terminated text; returns the byte position reached. An
    // empty text (or null) returns 0 and fires no event.
    std::size_t Read(const char* text);
    // Parses the bytes of `text` up to its end or its first NUL byte.
    std::size_t Read(std::string_view text);
    // Reads the rest of an open file (the caller keeps the descriptor) from
    // its current position and parses it; the text read is kept for
    // GetOriginalHTMLText. A file that cannot be read or is empty returns 0
    // and fires no event.
    std::size_t ReadFile(int fd);
    std::size_t ReadFile(const std::string& path);
    // The text last read by ReadFile, up to its first NUL byte.
    void GetOriginalHTMLText(std::string& text) const { text = m_sourceText; }

    std::uint32_t getEventMask() const { return m_eventMask; }
    // Both return the old mask.
    std::uint32_t setEventMask(std::uint32_t mask);
    std::uint32_t setEventMask(std::uint32_t add, std::uint32_t remove);

    std::uint32_t getAppData() const { return m_appData; }
    std::uint32_t setAppData(std::uint32_t data);
    ILiteHTMLReaderEvents* getEventHandler() const { return m_handler; }
    ILiteHTMLReaderEvents* setEventHandler(ILiteHTMLReaderEvents* handler);

    // False for an unknown option (nothing changes then).
    bool getBoolOption(ReaderOptionsEnum option, bool& value) const;
    bool setBoolOption(ReaderOptionsEnum option, bool value);

protected:
    // The parse over the current text; returns the byte position reached.
    virtual std::size_t parseDocument();
    // At a "<!--": the comment text, and true with the position moved
    // behind the comment.
    virtual bool parseComment(std::string& text);
    // At a '<': the tag, and true with the position moved behind it.
    virtual bool parseTag(CLiteHTMLTag& tag, bool& opening, bool& closing);
    // Called on every run of character data before it is reported.
    virtual void NormalizeCharacters(std::string& text) {}

    // The byte at the position, advancing; 0 at the end.
    char ReadChar();
    // Steps back one byte and returns it; 0 (no move) at the start.
    char UngetChar();
    void ResetSeekPointer() { m_pos = 0; }
    static bool isWhiteSpace(char c);
    // True when a handler is set and `event` is in the mask.
    bool getEventNotify(std::uint32_t event) const {
        return m_handler != nullptr && (m_eventMask & event) != 0;
    }
    // Reads a byte-order mark at the position: 1 for FE FF, 2 for FF FE, 3
    // for EF BB BF; 0 (position back at 0) for anything else.
    int ReadBOM();

    // The text being parsed and the position in it.
    std::string_view Text() const { return std::string_view(m_buffer, m_length); }
    std::size_t Position() const { return m_pos; }

private:
    // Parses `text`; it must stay valid during the call.
    std::size_t ParseText(std::string_view text);
    // Reports a run of character data; false when the handler aborted.
    bool ReportCharacters(std::string_view run, bool trimEnd);

    bool m_option = true;
    std::uint32_t m_appData = 0;
    std::size_t m_pos = 0;
    std::size_t m_length = 0;
    std::uint32_t m_eventMask = notifyAll;
    ILiteHTMLReaderEvents* m_handler = nullptr;
    const char* m_buffer = nullptr;
    std::string m_sourceText;
    std::string m_run; // reused for every run of character data
};

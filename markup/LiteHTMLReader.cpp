#include "markup/LiteHTMLReader.h"

#include "markup/HtmlChars.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

using namespace mb::html;

namespace {

// Reads from the descriptor's position to the end of the file.
bool ReadRest(int fd, std::string& data) {
    struct stat info;
    if (fstat(fd, &info) != 0 || info.st_size <= 0)
        return false;
    data.clear();
    data.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        data.append(chunk, static_cast<std::size_t>(got));
    }
}

} // namespace

std::size_t CLiteHTMLReader::Read(const char* text) {
    return text ? ParseText(std::string_view(text)) : 0;
}

std::size_t CLiteHTMLReader::Read(std::string_view text) {
    return ParseText(text);
}

std::size_t CLiteHTMLReader::ReadFile(int fd) {
    std::string data;
    if (fd < 0 || !ReadRest(fd, data) || data.empty())
        return 0;
    std::size_t nul = data.find('\0');
    if (nul != std::string::npos)
        data.resize(nul);
    m_sourceText = std::move(data);
    return ParseText(m_sourceText);
}

std::size_t CLiteHTMLReader::ReadFile(const std::string& path) {
    // Opened without blocking and read only when it is a regular file: a
    // named pipe would wait for a writer that never comes.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return 0;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return 0;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::size_t result = ReadFile(fd);
    close(fd);
    return result;
}

std::size_t CLiteHTMLReader::ParseText(std::string_view text) {
    std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    if (text.empty())
        return 0;
    m_buffer = text.data();
    m_length = text.size();
    m_pos = 0;
    std::size_t reached = parseDocument();
    m_buffer = nullptr;
    m_length = 0;
    return reached;
}

std::uint32_t CLiteHTMLReader::setEventMask(std::uint32_t mask) {
    std::uint32_t old = m_eventMask;
    m_eventMask = mask;
    return old;
}

std::uint32_t CLiteHTMLReader::setEventMask(std::uint32_t add, std::uint32_t remove) {
    std::uint32_t old = m_eventMask;
    m_eventMask = (m_eventMask | add) & ~remove;
    return old;
}

std::uint32_t CLiteHTMLReader::setAppData(std::uint32_t data) {
    std::uint32_t old = m_appData;
    m_appData = data;
    return old;
}

ILiteHTMLReaderEvents* CLiteHTMLReader::setEventHandler(ILiteHTMLReaderEvents* handler) {
    ILiteHTMLReaderEvents* old = m_handler;
    m_handler = handler;
    return old;
}

bool CLiteHTMLReader::getBoolOption(ReaderOptionsEnum option, bool& value) const {
    if (option != userFlag)
        return false;
    value = m_option;
    return true;
}

bool CLiteHTMLReader::setBoolOption(ReaderOptionsEnum option, bool value) {
    if (option != userFlag)
        return false;
    m_option = value;
    return true;
}

char CLiteHTMLReader::ReadChar() {
    return m_pos < m_length ? m_buffer[m_pos++] : '\0';
}

char CLiteHTMLReader::UngetChar() {
    if (m_pos == 0 || m_pos > m_length)
        return '\0';
    return m_buffer[--m_pos];
}

bool CLiteHTMLReader::isWhiteSpace(char c) {
    return IsWhiteSpace(c);
}

int CLiteHTMLReader::ReadBOM() {
    const unsigned char first = static_cast<unsigned char>(ReadChar());
    const unsigned char second = static_cast<unsigned char>(ReadChar());
    if (first == 0xFE && second == 0xFF)
        return 1;
    if (first == 0xFF && second == 0xFE)
        return 2;
    if (first == 0xEF && second == 0xBB && static_cast<unsigned char>(ReadChar()) == 0xBF)
        return 3;
    ResetSeekPointer();
    return 0;
}

bool CLiteHTMLReader::parseComment(std::string& text) {
    const std::string_view rest = Text().substr(m_pos);
    if (rest.substr(0, 4) != "<!--")
        return false;
    const std::size_t close = rest.find("--", 4);
    if (close == std::string_view::npos) {
        // An unclosed comment takes the rest of the document.
        text.assign(rest.substr(4));
        m_pos = m_length;
        return true;
    }
    const std::size_t end = SkipWhiteSpace(rest, close + 2);
    if (end >= rest.size() || rest[end] != '>')
        return false;
    text.assign(rest.substr(4, close - 4));
    m_pos += end + 1;
    return true;
}

bool CLiteHTMLReader::parseTag(CLiteHTMLTag& tag, bool& opening, bool& closing) {
    std::size_t used = tag.parseFromStr(Text().substr(m_pos), opening, closing);
    m_pos += used;
    return used != 0;
}

bool CLiteHTMLReader::ReportCharacters(std::string_view run, bool trimEnd) {
    if (run.empty() || !getEventNotify(notifyCharacters))
        return true;
    m_run.assign(run);
    NormalizeCharacters(m_run);
    if (trimEnd) {
        std::size_t end = m_run.size();
        while (end > 0 && IsWhiteSpace(m_run[end - 1]))
            --end;
        m_run.resize(end);
    }
    if (m_run.empty())
        return true;
    bool abort = false;
    m_handler->Characters(m_run, m_appData, abort);
    return !abort;
}

std::size_t CLiteHTMLReader::parseDocument() {
    if (m_buffer == nullptr || m_length == 0)
        return 0;
    m_pos = 0;
    bool aborted = false;
    if (getEventNotify(notifyStartStop)) {
        m_handler->BeginParse(m_appData, aborted);
    }

    if (!aborted) {
        const std::string_view text = Text();
        CLiteHTMLTag tag;
        std::string comment;
        m_pos = SkipWhiteSpace(text, 0);
        std::size_t runStart = m_pos;
        while (m_pos < m_length) {
            const char* next =
                static_cast<const char*>(std::memchr(m_buffer + m_pos, '<', m_length - m_pos));
            if (next == nullptr) {
                m_pos = m_length;
                break;
            }
            const std::size_t markup = static_cast<std::size_t>(next - m_buffer);
            m_pos = markup;
            bool isComment = parseComment(comment);
            bool opening = false;
            bool closing = false;
            if (!isComment && !parseTag(tag, opening, closing)) {
                m_pos = markup + 1; // the '<' is character data
                continue;
            }
            if (!ReportCharacters(text.substr(runStart, markup - runStart), false)) {
                aborted = true;
                break;
            }
            runStart = m_pos;
            bool abort = false;
            if (isComment) {
                if (!comment.empty() && getEventNotify(notifyComment))
                    m_handler->Comment(comment, m_appData, abort);
            } else {
                if (opening && getEventNotify(notifyTagStart))
                    m_handler->StartTag(&tag, m_appData, abort);
                if (!abort && closing && getEventNotify(notifyTagEnd))
                    m_handler->EndTag(&tag, m_appData, abort);
            }
            if (abort) {
                aborted = true;
                break;
            }
        }
        if (!aborted && !ReportCharacters(text.substr(runStart, m_pos - runStart), true))
            aborted = true;
    }

    if (getEventNotify(notifyStartStop))
        m_handler->EndParse(m_appData, aborted);
    return m_pos;
}

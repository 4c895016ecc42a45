#include "baseutil/Console.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr size_t kOutputBuffer = 256;
constexpr size_t kMaxTitle = 256;

// Console colour bits are blue 1, green 2, red 4; ANSI numbers them red 1,
// green 2, blue 4.
int AnsiColor(int consoleColor) {
    return ((consoleColor & 1) << 2) | (consoleColor & 2) | ((consoleColor & 4) >> 2);
}

} // namespace

CConsole::CConsole(std::string device) : m_device(std::move(device)) {}

CConsole::~CConsole() {
    Close();
}

bool CConsole::Create(const char* title, bool disableClose) {
    if (m_fd >= 0)
        return false;
    m_fd = ::open(m_device.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    if (title)
        SetTitle(title);
    return true;
}

void CConsole::Output() {
    Write("\n");
}

void CConsole::Output(const char* format, ...) {
    if (!format) {
        Output();
        return;
    }
    char buffer[kOutputBuffer];
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length > 0)
        Write(std::string(buffer, std::min(static_cast<size_t>(length), sizeof buffer - 1)));
}

std::string CConsole::ColorSequence(int attribute) {
    if (attribute == 0)
        attribute = 7;
    int foreground = attribute & 0x0F;
    int background = (attribute >> 4) & 0x0F;
    int foregroundCode = ((foreground & 8) ? 90 : 30) + AnsiColor(foreground);
    int backgroundCode = ((background & 8) ? 100 : 40) + AnsiColor(background);
    return "\x1b[0;" + std::to_string(foregroundCode) + ";" + std::to_string(backgroundCode) + "m";
}

void CConsole::Color(int attribute) {
    Write(ColorSequence(attribute));
}

void CConsole::Clear() {
    Write("\x1b[2J\x1b[H");
}

void CConsole::SetTitle(const char* title) {
    m_title.clear();
    for (const char* c = title ? title : ""; *c && m_title.size() < kMaxTitle; ++c) {
        unsigned char byte = static_cast<unsigned char>(*c);
        if (byte >= 0x20 && byte != 0x7F)
            m_title += *c;
    }
    Write("\x1b]0;" + m_title + "\x07");
}

void CConsole::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void CConsole::Write(const std::string& text) const {
    if (m_fd < 0)
        return;
    const char* data = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(m_fd, data, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        left -= static_cast<size_t>(n);
    }
}

#include "projectmodel/PageText.h"

#include "projectmodel/LegacyText.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>

namespace mb::page {

namespace {

// One iconv conversion, closed when done.
class Converter {
public:
    Converter(const std::string& to, const std::string& from)
        : m_handle(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (Ok())
            iconv_close(m_handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Ok() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns false at the first character that
    // cannot be converted (`in` then points at it) or on broken input.
    bool Run(const char*& in, size_t& inLeft, std::string& out) {
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(m_handle, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(buffer, sizeof buffer - outLeft);
            if (result == static_cast<size_t>(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t m_handle;
};

bool IsKnownEncoding(const std::string& name) {
    return Converter("UTF-8", name).Ok();
}

// Length of the UTF-8 sequence at the start of `text` (1 for a broken byte).
size_t SequenceAt(const char* text, size_t left) {
    auto lead = static_cast<unsigned char>(*text);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(length, left);
}

unsigned CodePointAt(const char* text, size_t length) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]) & 0x3Fu; };
    auto lead = static_cast<unsigned char>(text[0]);
    switch (length) {
    case 2:
        return ((lead & 0x1Fu) << 6) | byte(1);
    case 3:
        return ((lead & 0x0Fu) << 12) | (byte(1) << 6) | byte(2);
    case 4:
        return ((lead & 0x07u) << 18) | (byte(1) << 12) | (byte(2) << 6) | byte(3);
    default:
        return 0xFFFD;
    }
}

// Splits text where the source editor starts a new line; `ends` receives
// the line end after each line but the last.
std::vector<std::string> SplitLines(const std::string& text, std::vector<std::string>& ends) {
    static const char* const kBreaks[] = {"\r\n",         "\n",           "\r",
                                          "\xE2\x80\xA9", "\xEF\xB7\x90", "\xEF\xB7\x91"};
    std::vector<std::string> lines;
    size_t start = 0;
    size_t at = 0;
    while (at < text.size()) {
        size_t length = 0;
        for (const char* brk : kBreaks) {
            if (text.compare(at, std::strlen(brk), brk) == 0) {
                length = std::strlen(brk);
                break;
            }
        }
        if (length == 0) {
            ++at;
            continue;
        }
        lines.push_back(text.substr(start, at - start));
        ends.push_back(text.substr(at, length));
        at += length;
        start = at;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// The line end used most in `ends`; LF when there is none.
std::string MostUsedEnd(const std::vector<std::string>& ends) {
    std::map<std::string, size_t> counts;
    for (const std::string& end : ends)
        ++counts[end];
    std::string most = "\n";
    size_t mostCount = 0;
    for (const auto& [end, count] : counts) {
        if (count > mostCount) {
            most = end;
            mostCount = count;
        }
    }
    return most;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

std::string JoinLines(const std::vector<std::string>& lines, const std::string& original) {
    std::vector<std::string> ends;
    const std::vector<std::string> before = SplitLines(original, ends);
    const size_t n = before.size();
    const size_t m = lines.size();
    size_t prefix = 0;
    while (prefix < std::min(n, m) && lines[prefix] == before[prefix])
        ++prefix;
    size_t suffix = 0;
    while (prefix + suffix < std::min(n, m) && lines[m - 1 - suffix] == before[n - 1 - suffix])
        ++suffix;
    const std::string usual = MostUsedEnd(ends);
    std::string text;
    for (size_t i = 0; i < m; ++i) {
        const bool unchanged = i < prefix || i >= m - suffix;
        text += unchanged ? lines[i] : ReplaceAll(lines[i], "\xE2\x80\xA8", usual);
        if (i + 1 == m)
            break;
        // The end after line i: an unchanged line's own, or the one before
        // an unchanged line at the end, else the usual one.
        if (i < prefix && i + 1 < n)
            text += ends[i];
        else if (i + 1 >= m - suffix && i + 1 + n - m >= 1)
            text += ends[i + n - m];
        else
            text += usual;
    }
    return text;
}

std::string MetaCharset(const std::string& bytes) {
    std::string head = bytes.substr(0, 4096);
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (size_t at = head.find("<meta"); at != std::string::npos; at = head.find("<meta", at + 1)) {
        size_t end = head.find('>', at);
        size_t charset = head.find("charset=", at);
        if (charset == std::string::npos || (end != std::string::npos && charset > end))
            continue;
        size_t begin = charset + 8;
        while (begin < head.size() && (head[begin] == '"' || head[begin] == '\''))
            ++begin;
        size_t stop = begin;
        while (stop < head.size() && (std::isalnum(static_cast<unsigned char>(head[stop])) ||
                                      head[stop] == '-' || head[stop] == '_' || head[stop] == ':'))
            ++stop;
        return head.substr(begin, stop - begin);
    }
    return {};
}

std::string DecodePage(const std::string& bytes, int languageId, PageEncoding& encoding) {
    encoding = PageEncoding();
    static const std::pair<std::string, const char*> kMarks[] = {
        {"\xEF\xBB\xBF", "UTF-8"}, {"\xFF\xFE", "UTF-16LE"}, {"\xFE\xFF", "UTF-16BE"}};
    for (const auto& [mark, name] : kMarks) {
        if (bytes.compare(0, mark.size(), mark) == 0) {
            encoding = {name, mark};
            std::string utf8;
            DecodeMarkedUnicode(bytes, utf8);
            return utf8;
        }
    }
    std::string named = MetaCharset(bytes);
    if (!named.empty() && named != "utf-8" && named != "utf8" && IsKnownEncoding(named)) {
        Converter converter("UTF-8", named);
        std::string utf8;
        const char* in = bytes.data();
        size_t left = bytes.size();
        while (!converter.Run(in, left, utf8) && left > 0) {
            utf8 += "\xEF\xBF\xBD"; // a byte the charset does not know
            ++in;
            --left;
        }
        encoding.name = named;
        return utf8;
    }
    if (named.empty() && !IsValidUtf8(bytes))
        encoding.name = CodePageOfLanguage(languageId);
    return ToUtf8FromLanguage(bytes, languageId);
}

bool EncodePage(const std::string& utf8, const PageEncoding& encoding, std::string& bytes) {
    Converter converter(encoding.name, "UTF-8");
    if (!converter.Ok())
        return false;
    bytes = encoding.bom;
    const char* in = utf8.data();
    size_t left = utf8.size();
    while (!converter.Run(in, left, bytes) && left > 0) {
        size_t length = SequenceAt(in, left);
        std::string reference = "&#" + std::to_string(CodePointAt(in, length)) + ";";
        const char* refIn = reference.data();
        size_t refLeft = reference.size();
        converter.Run(refIn, refLeft, bytes);
        in += length;
        left -= length;
    }
    return true;
}

} // namespace mb::page

#include "pageeditor/PageText.h"

#include "projectmodel/LegacyText.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

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

} // namespace

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

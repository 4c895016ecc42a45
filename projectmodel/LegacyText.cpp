#include "projectmodel/LegacyText.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>

namespace mb {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

// Length of the UTF-8 sequence that starts at text[i], or 0 when it is not
// well-formed (overlong forms, surrogates and values past U+10FFFF included).
size_t SequenceLength(std::string_view text, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char c = byte(i);
    if (c < 0x80)
        return 1;
    size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    if (c < 0xC2 || c > 0xF4 || i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    unsigned char next = byte(i + 1);
    if ((c == 0xE0 && next < 0xA0) || (c == 0xED && next >= 0xA0) || (c == 0xF0 && next < 0x90) ||
        (c == 0xF4 && next >= 0x90))
        return 0;
    return length;
}

class Converter {
public:
    explicit Converter(const std::string& from) : m_cd(iconv_open("UTF-8", from.c_str())) {}
    ~Converter() {
        if (Ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    std::string Convert(const std::string& text) {
        std::string out;
        char buffer[4096];
        char* in = const_cast<char*>(text.data());
        size_t left = text.size();
        while (left > 0) {
            char* dest = buffer;
            size_t room = sizeof buffer;
            size_t result = iconv(m_cd, &in, &left, &dest, &room);
            out.append(buffer, dest - buffer);
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                // An undecodable or incomplete sequence: mark it and go on.
                out += kReplacement;
                ++in;
                --left;
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        char* dest = buffer;
        size_t room = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &dest, &room);
        out.append(buffer, dest - buffer);
        return out;
    }

private:
    iconv_t m_cd;
};

// Valid UTF-8 with every broken byte replaced.
std::string RepairUtf8(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t length = SequenceLength(text, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        // Runs of ASCII, the bulk of most pages, eight bytes at a time.
        uint64_t eight;
        while (i + sizeof eight <= text.size() &&
               (std::memcpy(&eight, text.data() + i, sizeof eight), (eight & 0x8080808080808080ULL) == 0))
            i += sizeof eight;
        if (i >= text.size())
            break;
        size_t length = SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string CodePageOfLanguage(int languageId) {
    int primary = languageId & 0x3FF;
    switch (primary) {
    case 0x04: // Chinese: simplified for the PRC and Singapore, traditional elsewhere
        return (languageId == 0x804 || languageId == 0x1004) ? "CP936" : "CP950";
    case 0x11:
        return "CP932";
    case 0x12:
        return "CP949";
    case 0x1E:
        return "CP874";
    case 0x2A:
        return "CP1258";
    case 0x0D:
        return "CP1255";
    case 0x01:
    case 0x20:
    case 0x29:
        return "CP1256";
    case 0x08:
        return "CP1253";
    case 0x1F:
    case 0x2C:
    case 0x43:
        return "CP1254";
    case 0x25:
    case 0x26:
    case 0x27:
        return "CP1257";
    case 0x02:
    case 0x19:
    case 0x22:
    case 0x23:
    case 0x2F:
    case 0x3F:
    case 0x40:
    case 0x44:
    case 0x50:
        return "CP1251";
    case 0x1A: // Serbian in Cyrillic script; Croatian and Serbian in Latin script
        return languageId == 0xC1A ? "CP1251" : "CP1250";
    case 0x05:
    case 0x0E:
    case 0x15:
    case 0x18:
    case 0x1B:
    case 0x1C:
    case 0x24:
        return "CP1250";
    default:
        return "CP1252";
    }
}

bool DecodeMarkedUnicode(const std::string& bytes, std::string& utf8) {
    const char* encoding = nullptr;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        utf8 = RepairUtf8(std::string_view(bytes).substr(3));
        return true;
    }
    if (bytes.compare(0, 2, "\xFF\xFE") == 0)
        encoding = "UTF-16LE";
    else if (bytes.compare(0, 2, "\xFE\xFF") == 0)
        encoding = "UTF-16BE";
    else
        return false;
    Converter converter(encoding);
    if (!converter.Ok())
        return false;
    utf8 = converter.Convert(bytes.substr(2));
    return true;
}

std::string ToUtf8FromLanguage(const std::string& text, int languageId) {
    std::string unicode;
    if (DecodeMarkedUnicode(text, unicode))
        return unicode;
    if (IsValidUtf8(text))
        return text;
    Converter converter(CodePageOfLanguage(languageId));
    if (!converter.Ok())
        return RepairUtf8(text);
    return converter.Convert(text);
}

} // namespace mb

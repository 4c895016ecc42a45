#include "app/cli/TerminalText.h"

#include <cstdio>

namespace mb::cli {
namespace {

std::string Escaped(const char* format, unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The length of the UTF-8 character that starts at `at`, or 0 when the
// bytes there are not one (overlong forms, surrogates and values beyond
// U+10FFFF included).
size_t CharacterLength(std::string_view text, size_t at) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
    unsigned char lead = byte(0);
    size_t length = lead < 0x80                    ? 1
                    : lead >= 0xc2 && lead <= 0xdf ? 2
                    : lead >= 0xe0 && lead <= 0xef ? 3
                    : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                   : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80)
            return 0;
    }
    if ((lead == 0xe0 && byte(1) < 0xa0) || (lead == 0xed && byte(1) > 0x9f) ||
        (lead == 0xf0 && byte(1) < 0x90) || (lead == 0xf4 && byte(1) > 0x8f))
        return 0;
    return length;
}

} // namespace

std::string Printable(std::string_view text, bool keepLineBreaks) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        auto lead = static_cast<unsigned char>(text[at]);
        size_t length = CharacterLength(text, at);
        bool lineBreak = lead == '\n' || lead == '\r' || lead == '\t';
        if (length == 0 ||
            (length == 1 && (lead < 0x20 || lead == 0x7f) && !(keepLineBreaks && lineBreak))) {
            out += Escaped("\\x%02x", lead);
            ++at;
        } else if (length == 2 && lead == 0xc2 && static_cast<unsigned char>(text[at + 1]) < 0xa0) {
            out += Escaped("\\u%04x", static_cast<unsigned char>(text[at + 1]));
            at += 2;
        } else {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    return out;
}

} // namespace mb::cli

#include "projectmodel/TextValues.h"

#include "baseutil/HexDigit.h"

#include <cctype>
#include <climits>

namespace mb {
namespace {

constexpr unsigned long kMask32 = 0xFFFFFFFFUL;

std::string_view SkipBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

} // namespace

std::string TrimBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

unsigned long ParseHex(std::string_view text) {
    text = SkipBlanks(text);
    if (StartsWithNoCase(text, "0x"))
        text.remove_prefix(2);
    unsigned long value = 0;
    for (char c : text) {
        int digit = HexDigitValue(c);
        if (digit < 0)
            break;
        value = ((value << 4) | static_cast<unsigned long>(digit)) & kMask32;
    }
    return value;
}

int ParseNumber(std::string_view text) {
    text = SkipBlanks(text);
    if (StartsWithNoCase(text, "0x"))
        return static_cast<int>(static_cast<unsigned int>(ParseHex(text)));
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        if (value <= INT_MAX)
            value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

unsigned long ParseUnsigned(std::string_view text) {
    text = SkipBlanks(text);
    bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = (value * 10 + static_cast<unsigned>(c - '0')) & kMask32;
    }
    if (negative)
        value = (0 - value) & kMask32;
    return static_cast<unsigned long>(value);
}

int ParseFlagOrNumber(std::string_view text) {
    std::string word = TrimBlanks(text);
    if (EqualsNoCase(word, "YES") || EqualsNoCase(word, "TRUE"))
        return 1;
    if (EqualsNoCase(word, "NO") || EqualsNoCase(word, "FALSE"))
        return 0;
    return ParseNumber(word);
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return line;
}

} // namespace mb

#pragma once
// Byte classes of the HTML tokenizer. The text is UTF-8: every byte of a
// multi-byte character is 0x80 or above, so it never equals one of the ASCII
// delimiters, and such bytes count as letters so that names written in any
// script stay whole.

#include <cstddef>
#include <string_view>

namespace mb::html {

inline bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Characters of tag and attribute names after the first.
inline bool IsNameChar(char c) {
    return IsLetter(c) || IsDigit(c) || c == '-' || c == ':' || c == '_' || c == '.';
}

// The index of the first byte at or after `from` that is not white space.
inline std::size_t SkipWhiteSpace(std::string_view text, std::size_t from) {
    while (from < text.size() && IsWhiteSpace(text[from]))
        ++from;
    return from;
}

inline std::string_view Trim(std::string_view text) {
    std::size_t begin = SkipWhiteSpace(text, 0);
    std::size_t end = text.size();
    while (end > begin && IsWhiteSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

inline char ToLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// ASCII case-insensitive equality, as HTML names and keywords are compared.
inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToLower(a[i]) != ToLower(b[i]))
            return false;
    return true;
}

inline bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

inline bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

} // namespace mb::html

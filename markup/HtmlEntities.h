#pragma once
// Character references in attribute values: "&amp;", "&#65;", "&#x42;" and
// the named entities of HTML 4 for Latin-1. Decoded characters are written in
// UTF-8, the encoding of every text in memory.

#include <string>
#include <string_view>

namespace mb::html {

// Appends the UTF-8 form of `code`; false (nothing appended) for a surrogate
// or a value beyond U+10FFFF.
bool AppendUtf8(std::string& out, char32_t code);

// The code point of a named entity such as "amp" or "Agrave" (the name is
// matched exactly), or 0 when the name is unknown.
char32_t LookupEntity(std::string_view name);

// Replaces every reference of `text`, scanning once from left to right. A
// reference runs from '&' to the next ';' with at least two characters
// between; "#" plus digits is decimal, "#x" plus hex digits hexadecimal, any
// other name is looked up after its letter case was normalised. A reference
// to code point 0 is removed; unknown names and impossible code points stay
// as written. Decoded text is never scanned again, so "&amp;lt;" gives "&lt;".
std::string DecodeReferences(std::string_view text);

} // namespace mb::html

#pragma once
// Texts from files made on Windows may be in the legacy code page of their
// help file's language instead of UTF-8. These helpers recognise such text
// and turn it into UTF-8, the encoding of every string in memory.

#include <string>
#include <string_view>

namespace mb {

// True when `text` is well-formed UTF-8 (plain ASCII included).
bool IsValidUtf8(std::string_view text);

// The iconv name of the Windows code page that goes with a language id
// (LCID): "CP1252" for 1033, "CP936" for 2052, "CP1251" for 1049 and so on;
// "CP1252" for languages without a code page of their own.
std::string CodePageOfLanguage(int languageId);

// When `bytes` begin with a byte-order mark (UTF-8, UTF-16 little or big
// endian), sets `utf8` to the text behind it in UTF-8 and returns true;
// units that cannot be decoded become U+FFFD. False for unmarked text.
bool DecodeMarkedUnicode(const std::string& bytes, std::string& utf8);

// Text with a byte-order mark decoded as it says; else
// `text` itself when it is valid UTF-8; otherwise the text decoded from the
// code page of `languageId`. Bytes that code page cannot decode become
// U+FFFD rather than being passed on broken.
std::string ToUtf8FromLanguage(const std::string& text, int languageId);

} // namespace mb

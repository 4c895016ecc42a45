#pragma once
// The languages a help project can be written in, as offered by the
// new-project dialog and the project options: rows of a four-digit
// hexadecimal language id, a blank and the language's name.

#include <string>

namespace mb {

// The language used when a configured one is not in the table (English,
// United States).
inline constexpr int kFallbackLanguageId = 0x409;

int LanguageCount();
// The row text ("0409 English (United States)"); empty outside the table.
std::string LanguageRowText(int position);
// The row's language id (its first four characters read as hexadecimal).
int LanguageIdAt(int position);
// The first row with `languageId`, or -1.
int LanguagePosition(int languageId);

} // namespace mb

#pragma once
// Small text conversions shared by the project readers and writers: trimming,
// prefix tests that ignore ASCII case, and the number forms that settings
// files use (decimal, hexadecimal with or without "0x", and the words YES /
// NO / TRUE / FALSE of hand-edited project files).

#include <string>
#include <string_view>

namespace mb {

// `text` without blanks (space, TAB) at both ends.
std::string TrimBlanks(std::string_view text);
// True when `text` starts with `prefix`, ignoring ASCII case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// True when the two texts are equal, ignoring ASCII case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Leading blanks, an optional "0x" (any case), then hexadecimal digits up to
// the first other character; 0 when there are none. Kept to 32 bits.
unsigned long ParseHex(std::string_view text);
// Decimal, or hexadecimal when the text starts with "0x" (any case); an
// optional sign for decimal. Saturates at the limits of int.
int ParseNumber(std::string_view text);
// A decimal number kept to 32 bits, as the bit sets of a window are stored.
unsigned long ParseUnsigned(std::string_view text);
// A setting that is a number or a yes/no word: "YES" and "TRUE" (any case)
// are 1, "NO" and "FALSE" are 0, anything else is read as a number.
int ParseFlagOrNumber(std::string_view text);

// The text with every CR and LF turned into a blank, for values written into
// line-based files where a line break would start a new entry.
std::string OneLine(std::string_view text);

} // namespace mb

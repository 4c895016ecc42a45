#pragma once
// Case folding of UTF-8 text for comparisons that ignore case.

#include <string>
#include <string_view>

namespace mb {

// Lower-cases every letter of the UTF-8 text (all scripts, not only ASCII).
// Bytes that are not valid UTF-8 are kept as they are.
std::string FoldCase(std::string_view text);

// Compares two UTF-8 texts ignoring case: <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);

} // namespace mb

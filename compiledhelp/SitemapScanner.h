#pragma once
// Reads the markup of a contents (.hhc) or index (.hhk) sitemap into a raw
// XML mirror: "HTML", "HEAD", "BODY", "UL", "LI", "OBJECT" (with "type") and
// "PARAM" (with "name" and "value", verbatim) elements, nested as in the
// text. It is a plain tag scanner, not an HTML parser: every text from "<"
// to the next ">" outside a double-quoted value is one tag, and tags it does
// not know are ignored.

#include <string>
#include <string_view>

class CXML;

// Empties `root`, names it `rootTag` and fills it from `text`. A "Local"
// value that begins with "MS-ITS:" + chmFileName + "::/" (ignoring case)
// loses that prefix; an empty chmFileName removes nothing. Nesting is built
// to a fixed depth only; returns the number of entries (objects) left out
// because they lay deeper.
size_t ScanSitemap(std::string_view text, CXML& root, const std::string& rootTag,
                   const std::string& chmFileName);

// The colours of a contents as the #IDXHDR stream of a help file stores
// them: 24-bit numbers at bytes 32 (background) and 36 (foreground),
// written "#%x". A missing or short header, and a background of 0, give
// white on black ("#ffffff", "#000000" without a header).
void ReadIndexHeaderColors(const std::string* header, std::string& background,
                           std::string& foreground);

#pragma once
// The title of an HTML page, used to name the entries made for added pages.

#include <string>

namespace mb {

// The text between "<title...>" and "</title" (tags in any letter case),
// in UTF-8: bytes that are not UTF-8 are decoded with the code page of
// `languageId`. CR and LF are removed and the entities &nbsp; &lt; &gt;
// &quot; &middot; and &amp; are replaced, in that order. False when the page
// has no complete title element.
bool ExtractPageTitle(const std::string& html, int languageId, std::string& title);

} // namespace mb

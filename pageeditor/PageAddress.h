#pragma once
// The addresses the page editor is given: local page paths (with or
// without an anchor), pages inside help files ("/d/h.chm::/a.htm", with or
// without "ms-its:"), web addresses and "about:blank".

#include <QUrl>

#include <string>

namespace mb::page {

std::string Lower(std::string text);
bool StartsWith(const std::string& text, const std::string& prefix);
bool EndsWith(const std::string& text, const std::string& ending);

// True when the address names a page inside a compiled help file.
bool IsInsideHelpFile(const std::string& address);
// A local page path without its anchor ("a.htm#part" -> "a.htm"), unless
// a file of the whole name exists.
std::string WithoutAnchor(const std::string& path);
// The web address that shows `address`.
QUrl UrlOf(const std::string& address);

} // namespace mb::page

#pragma once
// The pages the CHM explorer generates for its preview. Everything taken
// from the help file or its path (names, addresses, text streams, sitemap
// entries) is written as text, never as markup, so a hostile help file
// cannot put elements or scripts into the preview.

#include <string>

class CXML;

namespace mb::archive {

// The page shown after a file was opened: its full path as the heading.
std::string WelcomePage(const std::string& chmPath);
// The page shown when a file could not be read: path and reason.
std::string FailurePage(const std::string& chmPath, const std::string& reason);
// The page of a storage (folder): its address as the heading.
std::string StoragePage(const std::string& local);
// A style sheet, script or other text stream, shown as plain text.
std::string PlainTextPage(const std::string& name, const std::string& text);
// A stream that is neither page, picture nor text: its name and size.
std::string BinaryPage(const std::string& name, size_t size);
// Whether a stream's bytes can be shown as text (no NUL near the start).
bool LooksLikeText(const std::string& data);
// A contents or index sitemap as a nested list of its entries; entries
// with a page link to it inside `chmPath`.
std::string SitemapPage(const std::string& name, const std::string& sitemapText,
                        const std::string& chmPath);

} // namespace mb::archive

#include "projectmodel/PageTitle.h"

#include "projectmodel/LegacyText.h"

#include <algorithm>
#include <cctype>

namespace mb {
namespace {

// Position of `needle` (upper case) in `text` compared without ASCII case.
size_t FindNoCase(const std::string& text, const std::string& needle, size_t from) {
    auto found = std::search(
        text.begin() + std::min(from, text.size()), text.end(), needle.begin(), needle.end(),
        [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
    return found == text.end() ? std::string::npos : static_cast<size_t>(found - text.begin());
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

bool ExtractPageTitle(const std::string& html, int languageId, std::string& title) {
    size_t open = FindNoCase(html, "<TITLE", 0);
    if (open == std::string::npos)
        return false;
    size_t start = html.find('>', open);
    if (start == std::string::npos)
        return false;
    ++start;
    size_t end = FindNoCase(html, "</TITLE", start);
    if (end == std::string::npos)
        return false;

    std::string text = ToUtf8FromLanguage(html.substr(start, end - start), languageId);
    std::erase(text, '\r');
    std::erase(text, '\n');
    ReplaceAll(text, "&nbsp;", " ");
    ReplaceAll(text, "&lt;", "<");
    ReplaceAll(text, "&gt;", ">");
    ReplaceAll(text, "&quot;", "\"");
    ReplaceAll(text, "&middot;", "\xC2\xB7");
    ReplaceAll(text, "&amp;", "&");
    title = text;
    return true;
}

} // namespace mb

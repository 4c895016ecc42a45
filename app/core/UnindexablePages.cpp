#include "app/core/UnindexablePages.h"

#include "baseutil/SafeFile.h"

#include "baseutil/IniSection.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace mb {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool HasNonBlank(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return !std::isspace(c); });
}

// The position just behind the opening tag `name` ("<name" followed by a
// blank, "/" or ">"), or npos.
size_t BehindOpeningTag(const std::string& lower, const std::string& name, size_t from = 0) {
    const std::string opening = "<" + name;
    for (size_t at = lower.find(opening, from); at != std::string::npos;
         at = lower.find(opening, at + 1)) {
        size_t next = at + opening.size();
        if (next < lower.size() && (std::isspace(static_cast<unsigned char>(lower[next])) ||
                                    lower[next] == '>' || lower[next] == '/')) {
            size_t close = lower.find('>', next);
            return close == std::string::npos ? std::string::npos : close + 1;
        }
    }
    return std::string::npos;
}

// Whether `text` holds a character outside tags and comments.
bool HasTextOutsideTags(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 4, "<!--") == 0) {
            size_t end = text.find("-->", i + 4);
            i = end == std::string::npos ? text.size() : end + 3;
        } else if (text[i] == '<') {
            size_t end = text.find('>', i);
            i = end == std::string::npos ? text.size() : end + 1;
        } else {
            size_t next = text.find('<', i);
            if (next == std::string::npos)
                next = text.size();
            if (HasNonBlank(std::string_view(text).substr(i, next - i)))
                return true;
            i = next;
        }
    }
    return false;
}

bool IsHtmlPage(const std::string& name) {
    std::string extension = Lower(fs::path(name).extension().string());
    return extension == ".htm" || extension == ".html" || extension == ".xhtml";
}

} // namespace

bool PageHasIndexableText(const std::string& html) {
    const std::string lower = Lower(html);
    size_t title = BehindOpeningTag(lower, "title");
    if (title != std::string::npos) {
        size_t end = lower.find("</title", title);
        if (end != std::string::npos &&
            HasNonBlank(std::string_view(html).substr(title, end - title)))
            return true;
    }
    size_t body = BehindOpeningTag(lower, "body");
    if (body == std::string::npos)
        return false;
    size_t end = lower.find("</body", body);
    return HasTextOutsideTags(html.substr(body, end == std::string::npos ? end : end - body));
}

IndexablePages ScanIndexablePages(const std::string& hhpPath) {
    IndexablePages pages;
    auto files = ReadIniSection(hhpPath, "FILES");
    if (!files)
        return pages;
    const fs::path folder = fs::path(hhpPath).parent_path();
    for (const std::string& name : *files) {
        if (!IsHtmlPage(name))
            continue;
        std::string relative = name;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        std::string html;
        if (!mb::ReadWholeFile((folder / relative).string(), html))
            continue; // not a regular, readable file: chmcmd names it itself
        ++pages.pages;
        if (!PageHasIndexableText(html))
            pages.withoutText.push_back(name);
    }
    return pages;
}

} // namespace mb

#include "markup/PageFolders.h"

#include "baseutil/CaseLookup.h"
#include "baseutil/Path.h"
#include "baseutil/Xml.h"
#include "markup/HtmlChars.h"

#include <filesystem>
#include <system_error>

namespace mb::html {

std::size_t ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty())
        return 0;
    std::size_t count = 0;
    std::size_t pos = text.find(from);
    while (pos != std::string::npos) {
        text.replace(pos, from.size(), to);
        ++count;
        pos = text.find(from, pos + to.size());
    }
    return count;
}

bool HasReplaceItems(const CXML* table) {
    return table && table->GetChildCount() > 0;
}

std::string ApplyReplaceTable(const CXML* table, std::string text) {
    if (!table)
        return text;
    for (int i = 0; i < table->GetChildCount(); ++i) {
        const CXML* item = table->GetChildAt(i);
        std::string from = item->GetAttr("old");
        std::string to = item->GetAttr("new");
        if (!from.empty() && !to.empty())
            ReplaceAll(text, from, to);
    }
    return text;
}

bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool IsPageRelativeReference(std::string_view value) {
    if (value.empty() || value[0] == '/' || value[0] == '\\')
        return false;
    // A scheme ("http:", "mailto:") or a drive letter ("C:") before any separator.
    std::size_t i = 0;
    if (IsLetter(value[0]) && static_cast<unsigned char>(value[0]) < 0x80) {
        while (i < value.size() &&
               ((IsLetter(value[i]) && static_cast<unsigned char>(value[i]) < 0x80) ||
                IsDigit(value[i]) || value[i] == '+' || value[i] == '-' || value[i] == '.'))
            ++i;
        if (i < value.size() && value[i] == ':')
            return false;
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::optional<FolderReference> FindReferencedFolder(const std::string& pageFolder,
                                                    std::string value) {
    ReplaceAll(value, "%20", " ");
    if (!IsPageRelativeReference(value))
        return std::nullopt;
    for (char& c : value)
        if (c == '\\')
            c = '/';
    // Only a file inside a folder below the page's folder counts.
    const std::string resolved = CPath::Canonicalize(pageFolder + value);
    if (resolved.size() <= pageFolder.size() || resolved.compare(0, pageFolder.size(), pageFolder))
        return std::nullopt;
    const std::string inside = resolved.substr(pageFolder.size());
    const std::size_t slash = inside.find('/');
    if (slash == std::string::npos || slash + 1 == inside.size() ||
        !IsPlainName(std::string_view(inside).substr(0, slash)))
        return std::nullopt;

    const std::string found = mb::FindPathIgnoringCase(resolved);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(found, ec))
        return std::nullopt;
    // The lookup keeps every component in place, respelling only letter case.
    const std::string foundInside = found.substr(pageFolder.size());
    FolderReference reference;
    reference.relative = inside.substr(0, slash + 1);
    reference.onDisk = pageFolder + foundInside.substr(0, foundInside.find('/') + 1);
    reference.rest = inside.substr(slash + 1);
    return reference;
}

} // namespace mb::html

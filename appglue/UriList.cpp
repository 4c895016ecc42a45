#include "appglue/UriList.h"

#include "baseutil/HexDigit.h"

#include <optional>
#include <string_view>

namespace mb {
namespace {

// Percent-decodes `text`; nothing for a broken escape or a decoded NUL.
std::optional<std::string> PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        int high = HexDigitValue(text[i + 1]);
        int low = HexDigitValue(text[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

bool IsThisComputer(std::string_view host, const std::string& computerName) {
    return host.empty() || host == "localhost" || host == computerName;
}

// The local path of one URI, or nothing.
std::optional<std::string> LocalPath(std::string_view uri, const std::string& computerName) {
    if (!StartsWithNoCase(uri, "file:"))
        return std::nullopt;
    std::string_view rest = uri.substr(5);
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        size_t slash = rest.find('/');
        if (slash == std::string_view::npos || !IsThisComputer(rest.substr(0, slash), computerName))
            return std::nullopt;
        rest.remove_prefix(slash);
    }
    if (rest.empty() || rest[0] != '/')
        return std::nullopt;
    return PercentDecode(rest);
}

} // namespace

std::vector<std::string> LocalFilesFromUriList(const std::string& list,
                                               const std::string& computerName) {
    std::vector<std::string> files;
    std::string_view text = list;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] == '#')
            continue;
        if (std::optional<std::string> path = LocalPath(line, computerName))
            files.push_back(std::move(*path));
    }
    return files;
}

} // namespace mb

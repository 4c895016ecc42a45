#include "baseutil/IniSection.h"

#include "baseutil/SafeFile.h"

#include <strings.h>

namespace mb {
namespace {

std::string_view Trim(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The name of a "[name]" header line, or nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return text;
}

} // namespace

std::vector<std::string_view> TextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        text.remove_prefix(next);
    }
    return lines;
}

std::vector<std::string> IniSectionLines(const std::string& text, const std::string& section) {
    std::vector<std::string> lines;
    bool inside = false;
    for (std::string_view line : TextLines(WithoutByteOrderMark(text))) {
        if (auto name = SectionName(line)) {
            if (inside)
                break;
            inside = name->size() == section.size() &&
                     strncasecmp(name->data(), section.data(), section.size()) == 0;
            continue;
        }
        if (inside && !Trim(line).empty())
            lines.emplace_back(line);
    }
    return lines;
}

std::vector<std::string> IniSectionNames(const std::string& text) {
    std::vector<std::string> names;
    for (std::string_view line : TextLines(WithoutByteOrderMark(text))) {
        if (auto name = SectionName(line))
            names.emplace_back(*name);
    }
    return names;
}

std::optional<std::vector<std::string>> ReadIniSection(const std::string& path,
                                                       const std::string& section) {
    std::string text;
    if (!ReadWholeFile(path, text))
        return std::nullopt;
    return IniSectionLines(text, section);
}

} // namespace mb

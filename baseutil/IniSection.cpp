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

} // namespace

std::vector<std::string> IniSectionLines(const std::string& text, const std::string& section) {
    std::string_view rest(text);
    if (rest.substr(0, 3) == "\xEF\xBB\xBF")
        rest.remove_prefix(3);
    std::vector<std::string> lines;
    bool inside = false;
    bool done = false;
    while (!rest.empty() && !done) {
        size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (auto name = SectionName(line)) {
            if (inside)
                done = true;
            else
                inside = name->size() == section.size() &&
                         strncasecmp(name->data(), section.data(), section.size()) == 0;
            continue;
        }
        if (inside && !Trim(line).empty())
            lines.emplace_back(line);
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadIniSection(const std::string& path,
                                                       const std::string& section) {
    std::string text;
    if (!ReadWholeFile(path, text))
        return std::nullopt;
    return IniSectionLines(text, section);
}

} // namespace mb

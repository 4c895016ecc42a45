#pragma once
// Reading one section of an INI-style file, as HTML Help project files need.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb {

// The lines of the first section called `section` (compared ignoring ASCII
// case) in file order, without line ends and without blank lines; comment
// lines are included as they stand. CR LF, LF or CR line ends and a UTF-8
// byte order mark are accepted. An absent section gives an empty list; nothing
// when the file cannot be read.
std::optional<std::vector<std::string>> ReadIniSection(const std::string& path,
                                                       const std::string& section);

// Same, on text already in memory.
std::vector<std::string> IniSectionLines(const std::string& text, const std::string& section);

// The names of the "[name]" header lines of a text, in order.
std::vector<std::string> IniSectionNames(const std::string& text);

// The lines of a text without their line ends (CR LF, LF or a lone CR).
std::vector<std::string_view> TextLines(std::string_view text);

} // namespace mb

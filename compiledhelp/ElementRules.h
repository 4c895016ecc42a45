#pragma once
// Rules about the names of the elements of a compiled help file: which are
// the container's own bookkeeping, which is the embedded project copy, and
// which names may safely become file names below an output folder.

#include <string>
#include <string_view>

namespace mb::chm {

std::string UpperAscii(std::string_view text);
std::string LowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// Streams beginning with "#" or "$" and storages beginning with "$" belong
// to the container's bookkeeping.
bool IsSystemStream(std::string_view name);
bool IsSystemStorage(std::string_view name);
// A stream ending in ".mbkmbk": the project copy compiled into the file.
bool IsProjectCopy(std::string_view name);
// A stream ending in ".hhc" or ".hhk".
bool IsSitemap(std::string_view name);
// True when `name` can be used as one file or folder name below an output
// folder without leaving it: not empty, not "." or "..", without "/", "\"
// or NUL, and not starting with a drive letter ("C:").
bool IsSafeElementName(std::string_view name);
// "http://", "https://" and "mailto:" addresses (ignoring case).
bool IsInternetLink(std::string_view text);

} // namespace mb::chm

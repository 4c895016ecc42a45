#pragma once
// Turning the topic paths of interchange files (project, .hhp, header and
// alias files) into paths in memory. Those files keep the Windows forms:
// relative paths with "\" separators, resolved against the folder of the
// file (or the project folder). In memory a topic path is a native absolute
// path, spelled as the file is named on disk.

#include <cstddef>
#include <string>

namespace mb {

// True for values that are never resolved against a folder: Windows drive
// paths ("C:\..."), native absolute paths ("/..."), network addresses
// ("\\server\share", http:, https:, ftp:, mailto:) and other addresses with
// a scheme of two or more letters (ms-its:, mk:@MSITStore:, javascript:).
bool IsFixedLocation(const std::string& value);

// Where the file part of a location ends: at "::" (the inside of a compiled
// help file, "help.chm::/page.htm") or at a "#" anchor; the length of the
// text when it has neither.
size_t FilePartEnd(const std::string& location);

struct ResolvedPath {
    std::string path;      // the path in memory
    std::string asWritten; // the same path in the letter case the file used
};

// `value`, less one leading "\", put behind `folder` and freed of "." and
// ".." steps. With a native folder the separators become "/" and a file that
// does not exist as written is looked up ignoring letter case, one component
// at a time; `asWritten` then keeps the spelling of the file. The part of a
// compiled-help address from "::" on, and an anchor from "#" on, are kept
// as they are. A folder in Windows form gives a Windows path, not looked up.
ResolvedPath ResolveAgainstFolder(const std::string& folder, const std::string& value);

} // namespace mb

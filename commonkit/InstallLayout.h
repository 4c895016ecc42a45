#pragma once
// Where the program's read-only files are. Installing puts the programs into
// <prefix>/bin and their data (the help file) into <prefix>/share/marrowbook;
// a build tree or an unpacked folder keeps them beside the programs.

#include <string>

namespace mb {

// <programFolder>/../share/marrowbook, written without "..".
std::string InstalledDataFolder(const std::string& programFolder);

// Whether the program in `programFolder` runs from an installed tree: its
// data folder is there.
bool IsInstalledTree(const std::string& programFolder);

} // namespace mb

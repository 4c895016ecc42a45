#pragma once
// The name under which the enciphered copy of the project file goes into
// the help file (".mbkmbk"). Opening the help file as a project names the
// project after it, so it keeps the project's title; but the compiler takes
// file names in the code page of the help file's language and cannot find
// a file whose name is not plain ASCII. Every byte outside a safe set of
// ASCII characters (and "%") is therefore written as "%XX", which reading
// the name back undoes.

#include <string>

namespace mb {

// "guide" gives "guide.mbkmbk", "my proj é" gives "my proj %C3%A9.mbkmbk".
std::string ProjectCopyName(const std::string& projectTitle);

// The project title that a copy's name stands for ("%XX" decoded, the
// extension removed); names written before the encoding read as they are.
// Empty when the decoded name would not be a plain file name.
std::string ProjectTitleOfCopy(const std::string& copyName);

} // namespace mb

#pragma once
// Path questions of the project controller.

#include <string>
#include <string_view>

namespace mb {

// Whether `text` ends in `suffix`, ignoring the case of ASCII letters.
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// Whether two paths name the same file or folder: the same path once "."
// and ".." steps and trailing separators are resolved, or the same entry on
// disk (through links, or spelled differently on a file system that ignores
// case). Letter case counts otherwise, as it does for native paths.
bool SamePath(const std::string& first, const std::string& second);

// Why `name` cannot be the file name of a project (with or without its
// ".mbk" ending); empty when it can. A project file has a name of its own:
// not "." or "..", not blank, not the ending alone, and not beginning with
// "." (a hidden file).
std::string ProjectFileNameProblem(const std::string& name);

// Why `path`, as the user gave it for a new project file (".mbk" is added
// when it lacks it), cannot be one; empty when it can. Besides the name
// rule: a path that ends in "/" names a folder, and an existing folder,
// device or other special file cannot become a project.
std::string NewProjectPathProblem(const std::string& path);

// `folder` when nothing of that name exists yet, else the first of
// folder_2, folder_3, ... that does not exist.
std::string UnusedFolder(const std::string& folder);

} // namespace mb

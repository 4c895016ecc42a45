#pragma once
// The settings of a help project that the HTML Help compiler of this system
// (chmcmd) does not carry into the help file, or that make it refuse the
// project, so that the user can be told before compiling.

#include <string>
#include <vector>

class CHHPFile;
class CProjectFile;

namespace mb {

// One sentence for each setting of `hhp` that chmcmd will not honour, in the
// user's words; empty when it honours them all. Settings left at their
// defaults give no line. What chmcmd reads is judged on the project text
// that would be written for it.
std::vector<std::string> UnhonouredSettings(const CHHPFile& hhp);

// The files of `project` (its files list, contents and index pages) in the
// project folder whose names are not plain ASCII, as the project names them
// ("sub\\é.htm"). chmcmd reads file names in the Windows code page of the
// help file's language and so cannot find such a file: it leaves it out of
// the help file without a word.
std::vector<std::string> FilesChmcmdCannotFind(CProjectFile& project);

} // namespace mb

#pragma once
// The settings of a help project that the HTML Help compiler of this system
// (chmcmd) does not carry into the help file, or that make it refuse the
// project, so that the user can be told before compiling.

#include <string>
#include <vector>

class CHHPFile;

namespace mb {

// One sentence for each setting of `hhp` that chmcmd will not honour, in the
// user's words; empty when it honours them all. Settings left at their
// defaults give no line. What chmcmd reads is judged on the project text
// that would be written for it.
std::vector<std::string> UnhonouredSettings(const CHHPFile& hhp);

} // namespace mb

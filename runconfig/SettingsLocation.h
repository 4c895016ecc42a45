#pragma once
// Where the program is installed and where its settings and log live.

#include <string>

namespace mb {

// The folder of the running program, without a trailing "/".
std::string ProgramFolder();

// The folder of the configuration file and the run log, without a trailing
// "/": $MARROWBOOK_HOME when set; otherwise `installPath` when this process
// may write there and it is no installed tree (a portable install: a build
// tree or an unpacked folder); otherwise $XDG_CONFIG_HOME/marrowbook,
// by default ~/.config/marrowbook. A missing folder other than the install
// path is created.
std::string SettingsFolderFor(const std::string& installPath);

} // namespace mb

#pragma once
// The checks the commands make before they read a project or replace a
// file, with the message for the user when they fail.
#include "baseutil/Prompt.h"

#include <string>

class CProjectController;

namespace mb::cli {

// True when `path` may be written: nothing is there yet, `force` was given,
// or the user answers Yes to replacing it (--yes) when `prompt` asks.
bool MayReplace(const std::string& path, bool force, IPrompt& prompt);

// True when `path` can be read as a regular file; else says why.
bool IsReadableFile(const std::string& path);

// Opens the project file `mbk` in the controller; false, after saying why
// (it cannot be read, or is no project file), when it cannot.
bool OpenProjectFile(CProjectController& controller, const std::string& mbk);

} // namespace mb::cli

#pragma once
// Why a file the user named cannot be read, in words for a message.

#include <string>

namespace mb {

// Why `path` cannot be read as a regular file, in the user's words ("No
// such file or directory", "it is a folder", "Permission denied" ...);
// empty when it can.
std::string UnreadableReason(const std::string& path);

} // namespace mb

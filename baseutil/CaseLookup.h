#pragma once
// Finding a file whose name was written in another letter case. Files made
// on Windows name their topics in any case; on a case-sensitive file system
// a path that does not exist as written is looked up one component at a time,
// ignoring case, before it is called missing.

#include <string>

namespace mb {

// `path` itself when it exists; otherwise the existing spelling found by
// matching each missing component without regard to case; otherwise `path`
// unchanged. Where several names differ only in case, the first in byte order
// is taken.
std::string FindPathIgnoringCase(const std::string& path);

} // namespace mb

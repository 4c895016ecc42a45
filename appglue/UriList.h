#pragma once
// Reading the "text/uri-list" of a file drop: one URI a line (CR LF or LF),
// lines starting with "#" are comments. Only "file:" URIs that name this
// computer (no host, "localhost" or this computer's name) are local files.

#include <string>
#include <vector>

namespace mb {

// The local paths of the list, in order, percent-decoded. URIs of other
// schemes or hosts, and URIs that do not decode to an absolute path without
// NUL bytes, are left out.
std::vector<std::string> LocalFilesFromUriList(const std::string& list,
                                               const std::string& computerName);

} // namespace mb

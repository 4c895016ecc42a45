#pragma once
// Reading a large document with word of how far the reading got.

#include <cstdio>
#include <functional>

class CXML;

// Replaces `node` by the document read from the rest of `file`, as
// CXML::XMLRead does, telling `progress` (when set) the number of bytes read
// so far after each piece of the file.
bool XMLReadWithProgress(CXML& node, std::FILE* file,
                         const std::function<void(long long bytesRead)>& progress);

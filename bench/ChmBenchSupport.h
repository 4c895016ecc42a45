#pragma once
// Helpers of the benchmarks that time help-file readers against each other.

#include "baseutil/Xml.h"
#include "compiledhelp/FirstListingChunk.h"

#include <filesystem>
#include <string>

namespace mb::bench {

// Streams below an element of the CHM explorer's tree.
inline size_t CountStreams(const CXML* element) {
    size_t count = 0;
    for (int i = 0; i < element->GetChildCount(); ++i) {
        const CXML* child = element->GetChildAt(i);
        count += child->GetAttrInt("Type") == 0 ? CountStreams(child) : 1;
    }
    return count;
}

// A copy of the help file with its directory header mended as a compile
// mends it (see FirstListingChunk.h), so that every reader, CHMLib among
// them, reads all files.
inline bool WriteMendedCopy(const std::filesystem::path& chm, const std::filesystem::path& copy) {
    std::error_code ec;
    std::filesystem::copy_file(chm, copy, std::filesystem::copy_options::overwrite_existing, ec);
    bool mended = false;
    std::string error;
    return !ec && mb::chm::MendFirstListingChunk(copy.string(), mended, error);
}

} // namespace mb::bench

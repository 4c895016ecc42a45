#pragma once
// Helpers of the benchmarks that time help-file readers against each other.

#include "compiledhelp/FirstListingChunk.h"

#include <filesystem>
#include <string>

namespace mb::bench {

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

#pragma once
// Helpers of the benchmarks that time help-file readers against each other.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace mb::bench {

// chmcmd names chunk 1 as the first directory listing chunk although chunk 0
// is one; CHMLib trusts the field and would skip chunk 0's files. The copy
// given to the other readers says 0, so that every side reads all files.
inline bool WriteMendedCopy(const std::filesystem::path& chm, const std::filesystem::path& copy) {
    std::ifstream in(chm, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    constexpr size_t kDirectoryOffsetField = 0x48;
    constexpr size_t kFirstListingField = 0x20;
    if (data.size() < kDirectoryOffsetField + 8)
        return false;
    uint64_t directory = 0;
    for (int i = 7; i >= 0; --i)
        directory = directory << 8 | static_cast<unsigned char>(data[kDirectoryOffsetField + i]);
    if (directory + kFirstListingField + 4 > data.size())
        return false;
    std::fill_n(data.begin() + static_cast<long>(directory + kFirstListingField), 4, '\0');
    std::ofstream(copy, std::ios::binary) << data;
    return std::filesystem::file_size(copy) == data.size();
}

} // namespace mb::bench

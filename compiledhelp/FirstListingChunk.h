#pragma once
// The directory header of a compiled help file names its first listing
// chunk. chmcmd writes 1 there whenever the directory has two or more
// listing chunks, although chunk 0 is itself the first one: readers that
// trust the field (CHMLib, and the viewers built on it) never see the names
// in chunk 0, and lose every file listed after them. The field is wrong
// only when chunk 0 is verifiably the first listing chunk: a "PMGL" chunk
// with no previous chunk.

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace mb::chm {

// The directory header ("ITSP"): its length and the fields read here.
constexpr size_t kDirHeaderLength = 0x54;
constexpr size_t kDirHeaderLengthField = 0x08;
constexpr size_t kDirChunkSizeField = 0x10;
constexpr size_t kDirFirstListingField = 0x20;
constexpr size_t kDirLastListingField = 0x24;

// Whether the directory header `header` (kDirHeaderLength bytes, read from
// `headerStart` in the open file `fd`) names a first listing chunk other
// than 0 while chunk 0 is the first listing chunk.
bool FirstListingFieldIsWrong(int fd, off_t headerStart, const unsigned char* header);

// Sets the first-listing-chunk field of the compiled help file `path` to 0
// where FirstListingFieldIsWrong says so; `mended` tells whether it did.
// False, with the reason in `error`, when the file cannot be read or
// written; a file that is no compiled help file is left alone.
bool MendFirstListingChunk(const std::string& path, bool& mended, std::string& error);

} // namespace mb::chm

#include "compiledhelp/FirstListingChunk.h"

#include "compiledhelp/ChmBytes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace mb::chm {
namespace {

// The file header ("ITSF") places the directory: its offset at 0x48.
constexpr size_t kFileHeaderLength = 0x58;
constexpr size_t kDirectoryOffsetField = 0x48;

// A listing chunk ("PMGL") names the chunk before it at 0x0c; the first
// one names none (0xffffffff).
constexpr size_t kListingPreviousField = 0x0c;
constexpr uint32_t kNoChunk = 0xffffffffu;

ByteView View(const unsigned char* bytes, size_t length) {
    return ByteView(std::string_view(reinterpret_cast<const char*>(bytes), length));
}

bool ReadAt(int fd, unsigned char* buffer, size_t length, off_t at) {
    return at >= 0 && ::pread(fd, buffer, length, at) == static_cast<ssize_t>(length);
}

std::string Reason(const std::string& path, const char* doing) {
    return std::string("cannot ") + doing + " \"" + path + "\": " + std::strerror(errno);
}

} // namespace

bool FirstListingFieldIsWrong(int fd, off_t headerStart, const unsigned char* header) {
    ByteView fields = View(header, kDirHeaderLength);
    if (fields.U32Or(kDirFirstListingField, 0) == 0)
        return false;
    off_t chunk0 = headerStart + static_cast<off_t>(fields.U32Or(kDirHeaderLengthField, 0));
    unsigned char chunk[kListingPreviousField + 4];
    return ReadAt(fd, chunk, sizeof chunk, chunk0) && std::memcmp(chunk, "PMGL", 4) == 0 &&
           View(chunk, sizeof chunk).U32Or(kListingPreviousField, 0) == kNoChunk;
}

bool MendFirstListingChunk(const std::string& path, bool& mended, std::string& error) {
    mended = false;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        error = Reason(path, "open");
        return false;
    }
    unsigned char fileHeader[kFileHeaderLength];
    unsigned char header[kDirHeaderLength];
    bool ok = true;
    if (ReadAt(fd, fileHeader, sizeof fileHeader, 0) && std::memcmp(fileHeader, "ITSF", 4) == 0) {
        uint32_t low = View(fileHeader, sizeof fileHeader).U32Or(kDirectoryOffsetField, 0);
        uint32_t high = View(fileHeader, sizeof fileHeader).U32Or(kDirectoryOffsetField + 4, 0);
        auto start = static_cast<off_t>(low);
        if (high == 0 && ReadAt(fd, header, sizeof header, start) &&
            std::memcmp(header, "ITSP", 4) == 0 && FirstListingFieldIsWrong(fd, start, header)) {
            const unsigned char zero[4] = {};
            const off_t field = start + static_cast<off_t>(kDirFirstListingField);
            ssize_t written = ::pwrite(fd, zero, sizeof zero, field);
            ok = written == static_cast<ssize_t>(sizeof zero);
            if (!ok) {
                if (written >= 0)
                    errno = EIO;
                error = Reason(path, "write to");
            }
            mended = ok;
        }
    }
    if (::close(fd) != 0 && ok) {
        error = Reason(path, "write to");
        ok = false;
    }
    return ok;
}

} // namespace mb::chm

#include "compiledhelp/MsChmFile.h"

#include "compiledhelp/FirstListingChunk.h"

#include "baseutil/SafeFile.h"

#include <mspack.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

// The system handed to libmspack, with the counter of signs of damage.
struct MsChmSystem {
    mspack_system base;
    std::atomic<int>* damage;
    bool checkDirectory; // whether the directory's chunks are checked when read
};

namespace {

// The handles that libmspack reads from and writes to. Reading goes to the
// help file itself; writing goes to the sink whose address is written into
// the "file name" that Extract passes on.
struct MsFile {
    std::FILE* in = nullptr;
    // The read buffer: libmspack reads the compressed data in small pieces.
    std::unique_ptr<char[]> buffer;
    ItsSink* sink = nullptr;
    bool failed = false;
    MsChmSystem* system = nullptr; // counts signs of a damaged container
};

constexpr const char* kSinkPrefix = "mb-sink:";
constexpr size_t kReadBuffer = 1 << 16;

mspack_file* SysOpen(mspack_system* system, const char* filename, int mode) {
    if (mode == MSPACK_SYS_OPEN_WRITE) {
        void* address = nullptr;
        if (std::strncmp(filename, kSinkPrefix, std::strlen(kSinkPrefix)) != 0 ||
            std::sscanf(filename + std::strlen(kSinkPrefix), "%p", &address) != 1 || !address)
            return nullptr;
        auto* handle = new (std::nothrow) MsFile;
        if (handle)
            handle->sink = static_cast<ItsSink*>(address);
        return reinterpret_cast<mspack_file*>(handle);
    }
    if (mode != MSPACK_SYS_OPEN_READ)
        return nullptr;
    std::FILE* in = mb::OpenRegularFile(filename);
    if (!in)
        return nullptr;
    auto* handle = new (std::nothrow) MsFile;
    if (!handle) {
        std::fclose(in);
        return nullptr;
    }
    // The C library ignores the size asked for unless it is given the
    // buffer too.
    handle->buffer.reset(new (std::nothrow) char[kReadBuffer]);
    if (handle->buffer)
        std::setvbuf(in, handle->buffer.get(), _IOFBF, kReadBuffer);
    handle->in = in;
    handle->system = reinterpret_cast<MsChmSystem*>(system);
    return reinterpret_cast<mspack_file*>(handle);
}

void SysClose(mspack_file* file) {
    auto* handle = reinterpret_cast<MsFile*>(file);
    if (handle && handle->in)
        std::fclose(handle->in);
    delete handle;
}

// The file header holds two format GUIDs. Free Pascal's chmcmd writes the
// first one in both places; libmspack insists on the second one, so that
// variation is read as the value it stands for.
constexpr off_t kHeaderGuid2Offset = 0x28;
const unsigned char kHeaderGuid1[16] = {0x10, 0xfd, 0x01, 0x7c, 0xaa, 0x7b, 0xd0, 0x11,
                                        0x9e, 0x0c, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec};
constexpr unsigned char kHeaderGuid2First = 0x11;

uint32_t ReadLe32(const unsigned char* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

using mb::chm::kDirChunkSizeField;
using mb::chm::kDirFirstListingField;
using mb::chm::kDirHeaderLength;
using mb::chm::kDirHeaderLengthField;
using mb::chm::kDirLastListingField;
constexpr size_t kDirChunkCountField = 0x2c;

// libmspack passes over chunks between the first and the last listing chunk
// that are not listing chunks, as index chunks may be; a chunk that is
// neither has been damaged, and the names it held are lost. So are all
// names when the range holds no listing chunk, or reaches past the
// directory: libmspack counts the chunks to read in 32 bits, and a last
// listing chunk of 0xffffffff after a first of 0 makes it read none.
int CountDamagedChunks(std::FILE* in, off_t headerStart, const unsigned char* header) {
    uint64_t chunkSize = ReadLe32(header + kDirChunkSizeField);
    uint64_t first = ReadLe32(header + kDirFirstListingField);
    uint64_t last = ReadLe32(header + kDirLastListingField);
    uint64_t chunks = static_cast<uint64_t>(headerStart) + ReadLe32(header + kDirHeaderLengthField);
    struct stat info {};
    if (fstat(fileno(in), &info) != 0 || chunkSize == 0 || last < first)
        return 0;
    if (last >= ReadLe32(header + kDirChunkCountField))
        return 1;
    // Chunks that cannot lie inside the file are refused by libmspack itself.
    auto fileSize = static_cast<uint64_t>(info.st_size);
    if (chunks > fileSize || (last + 1) * chunkSize > fileSize - chunks)
        return 0;
    int damaged = 0;
    bool listed = false;
    for (uint64_t chunk = first; chunk <= last; ++chunk) {
        char signature[4];
        auto at = static_cast<off_t>(chunks + chunk * chunkSize);
        bool read = pread(fileno(in), signature, sizeof signature, at) == sizeof signature;
        if (read && std::memcmp(signature, "PMGL", 4) == 0)
            listed = true;
        else if (!read || std::memcmp(signature, "PMGI", 4) != 0)
            ++damaged;
    }
    return listed ? damaged : damaged + 1;
}

// A reader that trusts a wrong first-listing-chunk field (see
// FirstListingChunk.h) loses every name in chunk 0: the field is read as 0.
void MendFirstListingChunk(std::FILE* in, off_t headerStart, unsigned char* header) {
    if (mb::chm::FirstListingFieldIsWrong(fileno(in), headerStart, header))
        std::memset(header + kDirFirstListingField, 0, 4);
}

int SysRead(mspack_file* file, void* buffer, int bytes) {
    auto* handle = reinterpret_cast<MsFile*>(file);
    if (!handle || !handle->in || bytes < 0)
        return -1;
    off_t start = ftello(handle->in);
    size_t got = std::fread(buffer, 1, static_cast<size_t>(bytes), handle->in);
    if (got == 0 && std::ferror(handle->in))
        return -1;
    auto* bytesRead = static_cast<unsigned char*>(buffer);
    if (start >= 0 && start <= kHeaderGuid2Offset &&
        start + static_cast<off_t>(got) >= kHeaderGuid2Offset + 16) {
        auto* guid = bytesRead + (kHeaderGuid2Offset - start);
        if (std::memcmp(guid, kHeaderGuid1, sizeof kHeaderGuid1) == 0)
            guid[0] = kHeaderGuid2First;
    }
    if (got == kDirHeaderLength && start >= 0 && std::memcmp(bytesRead, "ITSP", 4) == 0) {
        MendFirstListingChunk(handle->in, start, bytesRead);
        if (handle->system && handle->system->checkDirectory)
            *handle->system->damage += CountDamagedChunks(handle->in, start, bytesRead);
    }
    return static_cast<int>(got);
}

int SysWrite(mspack_file* file, void* buffer, int bytes) {
    auto* handle = reinterpret_cast<MsFile*>(file);
    if (!handle || !handle->sink || bytes < 0 || handle->failed)
        return -1;
    if (!handle->sink->Write(buffer, static_cast<size_t>(bytes))) {
        handle->failed = true;
        return -1;
    }
    return bytes;
}

int SysSeek(mspack_file* file, off_t offset, int mode) {
    auto* handle = reinterpret_cast<MsFile*>(file);
    if (!handle || !handle->in)
        return -1;
    int whence = mode == MSPACK_SYS_SEEK_START ? SEEK_SET
                 : mode == MSPACK_SYS_SEEK_CUR ? SEEK_CUR
                                               : SEEK_END;
    return fseeko(handle->in, offset, whence) == 0 ? 0 : -1;
}

off_t SysTell(mspack_file* file) {
    auto* handle = reinterpret_cast<MsFile*>(file);
    return handle && handle->in ? ftello(handle->in) : -1;
}

// libmspack reports the damaged structures it works around as remarks.
// Those that mean lost names or data are counted; the rest (an unusual
// chunk size or version, spare bytes at the end) are harmless.
void SysMessage(mspack_file* file, const char* format, ...) {
    auto* handle = reinterpret_cast<MsFile*>(file);
    static const char* const kDamage[] = {"contents are corrupt", "possibly truncated",
                                          "invalid section number", "bytes longer than"};
    if (!handle || !handle->system || !format)
        return;
    for (const char* sign : kDamage) {
        if (std::strstr(format, sign))
            ++*handle->system->damage;
    }
}

void* SysAlloc(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}

void SysFree(void* pointer) {
    std::free(pointer);
}

void SysCopy(void* source, void* dest, size_t bytes) {
    std::memmove(dest, source, bytes);
}

int ToResult(int mspackError) {
    switch (mspackError) {
    case MSPACK_ERR_OK:
        return kItsOk;
    case MSPACK_ERR_OPEN:
        return kItsOpenFailed;
    case MSPACK_ERR_READ:
    case MSPACK_ERR_SEEK:
        return kItsReadFailed;
    case MSPACK_ERR_WRITE:
        return kItsWriteFailed;
    case MSPACK_ERR_NOMEMORY:
        return kItsNoMemory;
    case MSPACK_ERR_SIGNATURE:
        return kItsNotHelpFile;
    case MSPACK_ERR_DATAFORMAT:
        return kItsBadFormat;
    case MSPACK_ERR_DECRUNCH:
    case MSPACK_ERR_CHECKSUM:
        return kItsBadData;
    default:
        return kItsUnsupported;
    }
}

} // namespace

int MsChmFile::Open(const std::string& path, Reading reading, std::atomic<int>* damage,
                    std::unique_ptr<MsChmFile>& file) {
    int selfTest = 0;
    MSPACK_SYS_SELFTEST(selfTest);
    if (selfTest != MSPACK_ERR_OK)
        return kItsUnsupported;

    std::unique_ptr<MsChmFile> opened(new (std::nothrow) MsChmFile);
    if (!opened)
        return kItsNoMemory;
    try {
        opened->m_path = path;
    } catch (const std::bad_alloc&) {
        return kItsNoMemory;
    }
    const bool withDirectory = reading == Reading::Directory;
    opened->m_system.reset(new (std::nothrow)
                               MsChmSystem{{SysOpen, SysClose, SysRead, SysWrite, SysSeek, SysTell,
                                            SysMessage, SysAlloc, SysFree, SysCopy, nullptr},
                                           damage,
                                           withDirectory});
    if (!opened->m_system)
        return kItsNoMemory;
    mschm_decompressor* decompressor = mspack_create_chm_decompressor(&opened->m_system->base);
    if (!decompressor)
        return kItsNoMemory;
    opened->m_decompressor = decompressor;
    const char* name = opened->m_path.c_str();
    opened->m_header = withDirectory ? decompressor->open(decompressor, name)
                                     : decompressor->fast_open(decompressor, name);
    if (!opened->m_header) {
        int error = decompressor->last_error(decompressor);
        return error == MSPACK_ERR_OK ? kItsBadFormat : ToResult(error);
    }
    file = std::move(opened);
    return kItsOk;
}

MsChmFile::~MsChmFile() {
    if (m_decompressor) {
        if (m_header)
            m_decompressor->close(m_decompressor, m_header);
        mspack_destroy_chm_decompressor(m_decompressor);
    }
}

int MsChmFile::Extract(mschmd_file* file, ItsSink& sink) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%p", kSinkPrefix, static_cast<void*>(&sink));
    return ToResult(m_decompressor->extract(m_decompressor, file, name));
}

mschmd_section* MsChmFile::OwnSection(const mschmd_section* section) const {
    return section->id == 0 ? &m_header->sec0.base : &m_header->sec1.base;
}

void MsChmFile::TakeSectionFiles(const MsChmFile& other) {
    const mschmd_sec_mscompressed& from = other.m_header->sec1;
    mschmd_sec_mscompressed& to = m_header->sec1;
    mschmd_file* const* sources[] = {&from.content, &from.control, &from.rtable, &from.spaninfo};
    mschmd_file** targets[] = {&to.content, &to.control, &to.rtable, &to.spaninfo};
    m_sectionFiles.reset(new mschmd_file[std::size(sources)]);
    for (size_t i = 0; i < std::size(sources); ++i) {
        if (!*sources[i] || *targets[i])
            continue;
        mschmd_file& copy = m_sectionFiles[i];
        copy = **sources[i];
        copy.next = nullptr;
        copy.section = OwnSection(copy.section);
        *targets[i] = &copy;
    }
}

int MsChmFile::ExtractLike(const mschmd_file* entry, ItsSink& sink) {
    // libmspack finds the decompression state of a stream through the
    // section it names: the copy names this object's own section.
    mschmd_file copy = *entry;
    copy.next = nullptr;
    copy.section = OwnSection(entry->section);
    return Extract(&copy, sink);
}

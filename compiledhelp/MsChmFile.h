#pragma once
// One help file opened with libmspack: a CHM decompressor of its own, the
// system it reads the file through, and the file's headers. The system
// reads chmcmd's variations of the header as the values they stand for and
// counts the signs of damage that libmspack works around. A decompressor
// keeps state between extractions, so one MsChmFile serves one thread; any
// number of them may read the same file at once.

#include "compiledhelp/ItsArchive.h"

#include <atomic>
#include <memory>
#include <string>

struct mschm_decompressor;
struct mschmd_header;
struct mschmd_file;
struct mschmd_section;
struct MsChmSystem;

class MsChmFile {
public:
    // How much of the file Open reads.
    enum class Reading {
        Directory,  // the headers and every name of the directory
        HeadersOnly // the headers alone, for extracting streams already found
    };

    // Opens `path`. Signs of damage are added to `damage`, which must
    // outlive the object; the directory's chunks are checked only when they
    // are read. kItsOk or the reason of the failure.
    static int Open(const std::string& path, Reading reading, std::atomic<int>* damage,
                    std::unique_ptr<MsChmFile>& file);
    ~MsChmFile();
    MsChmFile(const MsChmFile&) = delete;
    MsChmFile& operator=(const MsChmFile&) = delete;

    mschmd_header* Header() const { return m_header; }
    // Takes the entries of the compressed section's own files (its content,
    // control data, reset table and span information) from `other`, an
    // object of the same help file that read its directory. Opened with the
    // headers alone, libmspack would look them up through the directory's
    // index, which does not find them in the files that chmcmd makes.
    void TakeSectionFiles(const MsChmFile& other);
    // Decompresses `file`, an entry of this object's header, into `sink`.
    int Extract(mschmd_file* file, ItsSink& sink);
    // Decompresses the stream that `entry` (an entry of another MsChmFile
    // of the same help file) describes, through this object's decompressor.
    int ExtractLike(const mschmd_file* entry, ItsSink& sink);

private:
    MsChmFile() = default;
    // This object's section of the number that `section` has.
    mschmd_section* OwnSection(const mschmd_section* section) const;

    std::string m_path; // libmspack keeps a pointer to it
    std::unique_ptr<MsChmSystem> m_system;
    mschm_decompressor* m_decompressor = nullptr;
    mschmd_header* m_header = nullptr;
    // The entries that TakeSectionFiles copied.
    std::unique_ptr<mschmd_file[]> m_sectionFiles;
};

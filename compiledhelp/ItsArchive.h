#pragma once
// An opened compiled help file seen as a tree of storages (folders) and
// streams (files). The container is read with libmspack; the tree is built
// from the path names of its directory, in directory order, when the file is
// opened. Streams are decompressed on demand into a sink.
//
// The bookkeeping files of the container format ("::DataSpace/...") are not
// part of the tree; everything below "/" is, including "#SYSTEM" and the
// "$WW..." storages.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct mschmd_file;
class MsChmFile;

// Result codes of the container operations (0 is success).
enum ItsResult : int {
    kItsOk = 0,
    kItsOpenFailed = 1,   // the file cannot be opened
    kItsReadFailed = 2,   // reading the file failed or it ended early
    kItsWriteFailed = 3,  // the receiver of a stream refused the data
    kItsNotHelpFile = 4,  // not a compiled help file (bad signature)
    kItsBadFormat = 5,    // damaged container structures
    kItsNoMemory = 6,     // not enough memory
    kItsBadData = 7,      // damaged compressed data
    kItsNotFound = 8,     // no element of that name
    kItsNotOpen = 9,      // no container is open
    kItsWrongType = 10,   // a storage where a stream was wanted, or the reverse
    kItsUnsupported = 11, // a feature of the format that is not supported
};

// A short English description of a result code.
std::string ItsResultText(int code);

// Element types, numbered as the structured-storage enumeration numbers them.
constexpr int kItsTypeStorage = 1;
constexpr int kItsTypeStream = 2;

// Receives the bytes of a stream as they are decompressed.
class ItsSink {
public:
    virtual ~ItsSink() = default;
    // False stops the extraction with kItsWriteFailed.
    virtual bool Write(const void* data, size_t size) = 0;
};

// Collects a stream in memory.
class ItsStringSink final : public ItsSink {
public:
    explicit ItsStringSink(std::string& out) : m_out(out) {}
    bool Write(const void* data, size_t size) override;

private:
    std::string& m_out;
};

// One element of the tree. Node 0 is the root storage.
struct ItsNode {
    std::string name;
    int type = kItsTypeStorage;
    uint64_t size = 0;
    const mschmd_file* file = nullptr; // streams only
    std::vector<size_t> children;      // storages only, in directory order
};

class CItsArchive {
public:
    // Opens `path`; on success `archive` holds the container.
    static int Open(const std::string& path, std::shared_ptr<CItsArchive>& archive);
    ~CItsArchive();
    CItsArchive(const CItsArchive&) = delete;
    CItsArchive& operator=(const CItsArchive&) = delete;

    const std::string& Path() const { return m_path; }
    const ItsNode& Node(size_t index) const { return m_nodes[index]; }
    size_t NodeCount() const { return m_nodes.size(); }

    // Decompresses the stream `index` into `sink`; one thread at a time
    // (other threads extract through a CItsReader of their own).
    int Extract(size_t index, ItsSink& sink);
    // Signs of damage seen in the container's directory and streams so far
    // (0 for a sound file): names or data that could not be read.
    int Damage() const { return m_damage; }
    // A key that orders streams by their place in the file; extracting in
    // this order decompresses every compressed block only once.
    uint64_t StorageOrder(size_t index) const;
    // The storage order of the place where decompressing has to start to
    // reach stream `index`: the last reset point of the compressed section
    // at or before its first byte, from which on the data does not depend
    // on anything before (the stream's own place when it is stored
    // uncompressed). Streams that start in different reset intervals can
    // be decompressed by different readers without either decompressing
    // the other's data twice.
    uint64_t RestartOrder(size_t index) const;

private:
    friend class CItsReader;
    CItsArchive() = default;
    void BuildTree();
    // The distance between the reset points (0 when it cannot be read).
    void ReadResetInterval();

    std::string m_path;
    std::unique_ptr<MsChmFile> m_file;
    std::vector<ItsNode> m_nodes;
    std::atomic<int> m_damage{0};
    uint64_t m_resetInterval = 0;
};

// A decompressor of its own for the streams of an opened container, so
// that several threads can decompress at once, each through its own reader.
// Opening one reads the file's headers again, not its directory.
class CItsReader {
public:
    static int Open(std::shared_ptr<CItsArchive> archive, std::unique_ptr<CItsReader>& reader);
    ~CItsReader();
    CItsReader(const CItsReader&) = delete;
    CItsReader& operator=(const CItsReader&) = delete;

    // Decompresses the stream `index` of the archive into `sink`.
    int Extract(size_t index, ItsSink& sink);

private:
    CItsReader() = default;

    std::shared_ptr<CItsArchive> m_archive;
    std::unique_ptr<MsChmFile> m_file;
};

#pragma once
// An opened compiled help file seen as a tree of storages (folders) and
// streams (files). The container is read with libmspack; the tree is built
// from the path names of its directory, in directory order, when the file is
// opened. Streams are decompressed on demand into a sink.
//
// The bookkeeping files of the container format ("::DataSpace/...") are not
// part of the tree; everything below "/" is, including "#SYSTEM" and the
// "$WW..." storages.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct mschm_decompressor;
struct mschmd_header;
struct mschmd_file;
struct ItsArchiveSystem;

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

    // Decompresses the stream `index` into `sink`.
    int Extract(size_t index, ItsSink& sink);
    // Signs of damage seen in the container's directory and streams so far
    // (0 for a sound file): names or data that could not be read.
    int Damage() const { return m_damage; }
    // A key that orders streams by their place in the file; extracting in
    // this order decompresses every compressed block only once.
    uint64_t StorageOrder(size_t index) const;

private:
    CItsArchive() = default;
    void BuildTree();

    std::string m_path;
    std::unique_ptr<ItsArchiveSystem> m_system;
    mschm_decompressor* m_decompressor = nullptr;
    mschmd_header* m_header = nullptr;
    std::vector<ItsNode> m_nodes;
    int m_damage = 0;
};

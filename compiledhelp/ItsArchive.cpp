#include "compiledhelp/ItsArchive.h"

#include "compiledhelp/MsChmFile.h"

#include <mspack.h>

#include <map>
#include <new>
#include <string_view>
#include <utility>

std::string ItsResultText(int code) {
    switch (code) {
    case kItsOk:
        return "The operation completed successfully.";
    case kItsOpenFailed:
        return "The file cannot be opened.";
    case kItsReadFailed:
        return "The file cannot be read, or it ends too early.";
    case kItsWriteFailed:
        return "The data cannot be written.";
    case kItsNotHelpFile:
        return "The file is not a compiled help file.";
    case kItsBadFormat:
        return "The compiled help file is damaged.";
    case kItsNoMemory:
        return "Not enough memory.";
    case kItsBadData:
        return "The compressed data of the help file is damaged.";
    case kItsNotFound:
        return "No element of that name was found.";
    case kItsNotOpen:
        return "No compiled help file is open.";
    case kItsWrongType:
        return "The element is of another kind.";
    case kItsUnsupported:
        return "The compiled help file uses a feature that is not supported.";
    default:
        return "Unknown error " + std::to_string(code) + ".";
    }
}

bool ItsStringSink::Write(const void* data, size_t size) {
    try {
        m_out.append(static_cast<const char*>(data), size);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int CItsArchive::Open(const std::string& path, std::shared_ptr<CItsArchive>& archive) {
    std::shared_ptr<CItsArchive> opened(new (std::nothrow) CItsArchive);
    if (!opened)
        return kItsNoMemory;
    int result =
        MsChmFile::Open(path, MsChmFile::Reading::Directory, &opened->m_damage, opened->m_file);
    if (result != kItsOk)
        return result;
    try {
        opened->m_path = path;
        opened->BuildTree();
        opened->ReadResetInterval();
    } catch (const std::bad_alloc&) {
        return kItsNoMemory;
    }
    archive = std::move(opened);
    return kItsOk;
}

CItsArchive::~CItsArchive() = default;

void CItsArchive::BuildTree() {
    m_nodes.assign(1, ItsNode{});
    // Storages already made, by parent and name, so that a help file with
    // thousands of entries in one folder is still read in linear time.
    std::map<std::pair<size_t, std::string>, size_t> storages;
    // The directory lists the streams of a folder together: the storage of
    // the previous stream's folder is found again without a look-up.
    std::string lastFolder;
    size_t lastParent = 0;
    for (const mschmd_file* file = m_file->Header()->files; file; file = file->next) {
        std::string_view path = file->filename ? file->filename : "";
        size_t start = !path.empty() && path[0] == '/' ? 1 : 0;
        size_t nameStart = path.rfind('/');
        nameStart =
            nameStart == std::string_view::npos || nameStart < start ? start : nameStart + 1;
        size_t parent = 0;
        if (nameStart > start && path.substr(0, nameStart) == lastFolder) {
            parent = lastParent;
            start = nameStart;
        } else {
            lastFolder.assign(path.substr(0, nameStart));
        }
        for (size_t slash; (slash = path.find('/', start)) != std::string_view::npos;
             start = slash + 1) {
            std::string name(path.substr(start, slash - start));
            auto found = storages.find({parent, name});
            if (found == storages.end()) {
                ItsNode node;
                node.name = name;
                m_nodes.push_back(std::move(node));
                size_t index = m_nodes.size() - 1;
                m_nodes[parent].children.push_back(index);
                found = storages.emplace(std::make_pair(parent, std::move(name)), index).first;
            }
            parent = found->second;
        }
        lastParent = parent;
        ItsNode stream;
        stream.name = path.substr(start);
        stream.type = kItsTypeStream;
        stream.size = file->length > 0 ? static_cast<uint64_t>(file->length) : 0;
        stream.file = file;
        m_nodes.push_back(std::move(stream));
        m_nodes[parent].children.push_back(m_nodes.size() - 1);
    }
}

int CItsArchive::Extract(size_t index, ItsSink& sink) {
    if (index >= m_nodes.size() || m_nodes[index].type != kItsTypeStream)
        return kItsWrongType;
    return m_file->Extract(const_cast<mschmd_file*>(m_nodes[index].file), sink);
}

namespace {

constexpr int kOrderShift = 62;

uint64_t OrderOf(uint64_t section, uint64_t offset) {
    return (section << kOrderShift) | (offset & ((uint64_t{1} << kOrderShift) - 1));
}

// The control data of the compressed section: a count of the words that
// follow, "LZXC", the version, the reset interval and the window size;
// version 2 counts the last two in frames of 32 KB.
constexpr size_t kControlSignature = 4;
constexpr size_t kControlVersion = 8;
constexpr size_t kControlResetInterval = 12;
constexpr size_t kControlMinimum = 16;
constexpr uint64_t kFrameSize = 32768;

uint32_t Le32(const std::string& data, size_t at) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data()) + at;
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

} // namespace

void CItsArchive::ReadResetInterval() {
    m_resetInterval = 0;
    mschmd_file* control = m_file->Header()->sec1.control;
    std::string data;
    ItsStringSink sink(data);
    if (!control || control->section->id != 0 || m_file->Extract(control, sink) != kItsOk ||
        data.size() < kControlMinimum || data.compare(kControlSignature, 4, "LZXC") != 0)
        return;
    uint64_t interval = Le32(data, kControlResetInterval);
    uint32_t version = Le32(data, kControlVersion);
    if (version == 2)
        interval *= kFrameSize;
    // libmspack refuses other intervals; so does the split of the work.
    if (version <= 2 && interval % kFrameSize == 0)
        m_resetInterval = interval;
}

uint64_t CItsArchive::StorageOrder(size_t index) const {
    const mschmd_file* file = m_nodes[index].file;
    if (!file)
        return 0;
    uint64_t section = file->section ? file->section->id : 0;
    return OrderOf(section, file->offset > 0 ? static_cast<uint64_t>(file->offset) : 0);
}

uint64_t CItsArchive::RestartOrder(size_t index) const {
    const mschmd_file* file = m_nodes[index].file;
    if (!file || !file->section || file->section->id == 0 || m_resetInterval == 0)
        return StorageOrder(index);
    uint64_t offset = file->offset > 0 ? static_cast<uint64_t>(file->offset) : 0;
    return OrderOf(file->section->id, offset - offset % m_resetInterval);
}

int CItsReader::Open(std::shared_ptr<CItsArchive> archive, std::unique_ptr<CItsReader>& reader) {
    if (!archive)
        return kItsNotOpen;
    std::unique_ptr<CItsReader> opened(new (std::nothrow) CItsReader);
    if (!opened)
        return kItsNoMemory;
    // The archive has counted the damage of the directory already.
    int result = MsChmFile::Open(archive->Path(), MsChmFile::Reading::HeadersOnly,
                                 &archive->m_damage, opened->m_file);
    if (result != kItsOk)
        return result;
    opened->m_file->TakeSectionFiles(*archive->m_file);
    opened->m_archive = std::move(archive);
    reader = std::move(opened);
    return kItsOk;
}

CItsReader::~CItsReader() = default;

int CItsReader::Extract(size_t index, ItsSink& sink) {
    if (index >= m_archive->NodeCount() || m_archive->Node(index).type != kItsTypeStream)
        return kItsWrongType;
    return m_file->ExtractLike(m_archive->Node(index).file, sink);
}

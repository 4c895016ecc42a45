#pragma once
// Read access to a compiled help file as a structured storage: CItsFile owns
// one opened file; CItsStorage and CItsStream are handles to its folders and
// files. Handles share the opened file, so a handle stays usable after the
// CItsFile that gave it out was closed. Names are UTF-8, as stored.

#include "compiledhelp/ItsArchive.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One element of a storage as the enumeration reports it.
struct CItsElement {
    std::string name;
    int type = kItsTypeStream; // kItsTypeStorage or kItsTypeStream
    uint64_t size = 0;         // 0 for storages
    size_t node = 0;           // the element's place in the container
};

class CItsStream {
public:
    CItsStream() = default;
    explicit operator bool() const { return m_archive != nullptr; }

    const std::string& Name() const;
    uint64_t Size() const;
    // Reads the whole stream into `data` (replacing its contents).
    int ReadAll(std::string& data) const;
    // Hands the whole stream to `sink` as it is decompressed.
    int CopyTo(ItsSink& sink) const;
    // Orders streams by their place in the file, and names where
    // decompressing has to start to reach the stream (see CItsArchive).
    uint64_t StorageOrder() const;
    uint64_t RestartOrder() const;

    // A decompressor of its own for the file of this stream, for another
    // thread (see CItsReader).
    int OpenReader(std::unique_ptr<CItsReader>& reader) const;
    // The same stream, read through `reader` (which must outlive the
    // handle) instead of the file's own decompressor.
    CItsStream Through(CItsReader& reader) const;

private:
    friend class CItsStorage;
    int Extract(ItsSink& sink) const;

    std::shared_ptr<CItsArchive> m_archive;
    size_t m_node = 0;
    CItsReader* m_reader = nullptr;
};

class CItsStorage {
public:
    CItsStorage() = default;
    explicit operator bool() const { return m_archive != nullptr; }

    // The storage's own name ("" for the root).
    const std::string& Name() const;
    // The storage's elements in the container's directory order.
    std::vector<CItsElement> Elements() const;
    // Open a child by an element of Elements(), or by the first element of
    // that exact name and type. kItsOk, kItsNotFound or kItsWrongType.
    int OpenStorage(const CItsElement& element, CItsStorage& storage) const;
    int OpenStream(const CItsElement& element, CItsStream& stream) const;
    int OpenStorage(const std::string& name, CItsStorage& storage) const;
    int OpenStream(const std::string& name, CItsStream& stream) const;

private:
    friend class CItsFile;
    int FindChild(const std::string& name, int type, size_t& node) const;
    int Check(const CItsElement& element, int type) const;

    std::shared_ptr<CItsArchive> m_archive;
    size_t m_node = 0;
};

class CItsFile {
public:
    CItsFile() = default;
    ~CItsFile() = default;
    // One owner per opened file: a copy would close it twice.
    CItsFile(const CItsFile&) = delete;
    CItsFile& operator=(const CItsFile&) = delete;
    CItsFile(CItsFile&&) = default;
    CItsFile& operator=(CItsFile&&) = default;

    // Opens a help file for reading, closing the one open before. kItsOk or
    // the reason of the failure (see ItsResultText).
    int OpenITS(const std::string& path);
    bool IsOpen() const { return static_cast<bool>(m_root); }
    // The root storage (an empty handle when nothing is open).
    const CItsStorage& pStorage() const { return m_root; }

    // A child storage or stream of the root.
    int OpenStorage(const std::string& name, CItsStorage& storage) const;
    int OpenStream(const std::string& name, CItsStream& stream) const;
    // Reads the whole stream `name` of the root into `data`.
    int ReadStream(const std::string& name, std::string& data) const;
    // Signs of damage seen in the open file so far (0 for a sound file).
    int Damage() const;
    // Releases the file; calling it again is harmless.
    void CloseStorage() { m_root = CItsStorage(); }

private:
    CItsStorage m_root;
};

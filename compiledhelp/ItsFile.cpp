#include "compiledhelp/ItsFile.h"

#include <algorithm>
#include <new>

namespace {
const std::string kEmpty;
}

const std::string& CItsStream::Name() const {
    return m_archive ? m_archive->Node(m_node).name : kEmpty;
}

uint64_t CItsStream::Size() const {
    return m_archive ? m_archive->Node(m_node).size : 0;
}

int CItsStream::ReadAll(std::string& data) const {
    data.clear();
    if (!m_archive)
        return kItsNotOpen;
    try {
        // The size comes from the file: trust it only as far as a hint.
        data.reserve(static_cast<size_t>(std::min<uint64_t>(Size(), 64u << 20)));
    } catch (const std::exception&) {
        return kItsNoMemory;
    }
    ItsStringSink sink(data);
    int result = Extract(sink);
    if (result != kItsOk)
        data.clear();
    return result;
}

int CItsStream::CopyTo(ItsSink& sink) const {
    return m_archive ? Extract(sink) : kItsNotOpen;
}

int CItsStream::Extract(ItsSink& sink) const {
    return m_reader ? m_reader->Extract(m_node, sink) : m_archive->Extract(m_node, sink);
}

uint64_t CItsStream::StorageOrder() const {
    return m_archive ? m_archive->StorageOrder(m_node) : 0;
}

uint64_t CItsStream::RestartOrder() const {
    return m_archive ? m_archive->RestartOrder(m_node) : 0;
}

int CItsStream::OpenReader(std::unique_ptr<CItsReader>& reader) const {
    return CItsReader::Open(m_archive, reader);
}

CItsStream CItsStream::Through(CItsReader& reader) const {
    CItsStream stream = *this;
    stream.m_reader = &reader;
    return stream;
}

const std::string& CItsStorage::Name() const {
    return m_archive ? m_archive->Node(m_node).name : kEmpty;
}

std::vector<CItsElement> CItsStorage::Elements() const {
    std::vector<CItsElement> elements;
    if (!m_archive)
        return elements;
    const ItsNode& self = m_archive->Node(m_node);
    elements.reserve(self.children.size());
    for (size_t child : self.children) {
        const ItsNode& node = m_archive->Node(child);
        elements.push_back({node.name, node.type, node.size, child});
    }
    return elements;
}

int CItsStorage::Check(const CItsElement& element, int type) const {
    if (!m_archive)
        return kItsNotOpen;
    if (element.node >= m_archive->NodeCount())
        return kItsNotFound;
    return m_archive->Node(element.node).type == type ? kItsOk : kItsWrongType;
}

int CItsStorage::OpenStorage(const CItsElement& element, CItsStorage& storage) const {
    int result = Check(element, kItsTypeStorage);
    if (result == kItsOk) {
        storage.m_archive = m_archive;
        storage.m_node = element.node;
    }
    return result;
}

int CItsStorage::OpenStream(const CItsElement& element, CItsStream& stream) const {
    int result = Check(element, kItsTypeStream);
    if (result == kItsOk) {
        stream.m_archive = m_archive;
        stream.m_node = element.node;
    }
    return result;
}

int CItsStorage::FindChild(const std::string& name, int type, size_t& node) const {
    if (!m_archive)
        return kItsNotOpen;
    bool otherType = false;
    for (size_t child : m_archive->Node(m_node).children) {
        const ItsNode& candidate = m_archive->Node(child);
        if (candidate.name != name)
            continue;
        if (candidate.type == type) {
            node = child;
            return kItsOk;
        }
        otherType = true;
    }
    return otherType ? kItsWrongType : kItsNotFound;
}

int CItsStorage::OpenStorage(const std::string& name, CItsStorage& storage) const {
    size_t node = 0;
    int result = FindChild(name, kItsTypeStorage, node);
    if (result == kItsOk) {
        storage.m_archive = m_archive;
        storage.m_node = node;
    }
    return result;
}

int CItsStorage::OpenStream(const std::string& name, CItsStream& stream) const {
    size_t node = 0;
    int result = FindChild(name, kItsTypeStream, node);
    if (result == kItsOk) {
        stream.m_archive = m_archive;
        stream.m_node = node;
    }
    return result;
}

int CItsFile::OpenITS(const std::string& path) {
    CloseStorage();
    std::shared_ptr<CItsArchive> archive;
    int result = CItsArchive::Open(path, archive);
    if (result == kItsOk) {
        m_root.m_archive = std::move(archive);
        m_root.m_node = 0;
    }
    return result;
}

int CItsFile::OpenStorage(const std::string& name, CItsStorage& storage) const {
    return IsOpen() ? m_root.OpenStorage(name, storage) : kItsNotOpen;
}

int CItsFile::OpenStream(const std::string& name, CItsStream& stream) const {
    return IsOpen() ? m_root.OpenStream(name, stream) : kItsNotOpen;
}

int CItsFile::ReadStream(const std::string& name, std::string& data) const {
    CItsStream stream;
    int result = OpenStream(name, stream);
    if (result != kItsOk) {
        data.clear();
        return result;
    }
    return stream.ReadAll(data);
}

int CItsFile::Damage() const {
    return IsOpen() ? m_root.m_archive->Damage() : 0;
}

#include "compiledhelp/ChmTopicTable.h"

#include "compiledhelp/ChmBytes.h"
#include "compiledhelp/ItsFile.h"

namespace {

constexpr size_t kTopicEntrySize = 16;
constexpr size_t kTopicTitle = 4;
constexpr size_t kTopicUrlEntry = 8;
constexpr size_t kUrlEntryString = 8;
// An entry of "#URLSTR": the offset of an address kept elsewhere in the
// stream, the offset of a frame name, then the page itself.
constexpr size_t kUrlStringAddress = 0;
constexpr size_t kUrlStringLocal = 8;

std::string StreamOrEmpty(const CItsFile& file, const char* name) {
    std::string data;
    if (file.ReadStream(name, data) != kItsOk)
        data.clear();
    return data;
}

} // namespace

ChmTopicTable::ChmTopicTable(std::string topics, std::string urlTable, std::string urlStrings,
                             std::string strings)
    : m_topics(std::move(topics)), m_urlTable(std::move(urlTable)),
      m_urlStrings(std::move(urlStrings)), m_strings(std::move(strings)) {}

ChmTopicTable ChmTopicTable::Read(const CItsFile& file) {
    return ChmTopicTable(StreamOrEmpty(file, "#TOPICS"), StreamOrEmpty(file, "#URLTBL"),
                         StreamOrEmpty(file, "#URLSTR"), StreamOrEmpty(file, "#STRINGS"));
}

bool ChmTopicTable::Topic(uint32_t index, ChmTopic& topic) const {
    topic = ChmTopic();
    mb::chm::ByteView topics(m_topics);
    size_t at = static_cast<size_t>(index) * kTopicEntrySize;
    if (!topics.Has(at, kTopicEntrySize))
        return false;
    topic.title = String(topics.U32Or(at + kTopicTitle, 0));
    uint32_t urlEntry = topics.U32Or(at + kTopicUrlEntry, 0);
    uint32_t urlString = 0;
    if (!mb::chm::ByteView(m_urlTable).U32(static_cast<size_t>(urlEntry) + kUrlEntryString,
                                           urlString))
        return true;
    mb::chm::ByteView urls(m_urlStrings);
    topic.local = urls.CString(static_cast<size_t>(urlString) + kUrlStringLocal);
    uint32_t address = 0;
    if (topic.local.empty() && urls.U32(urlString + kUrlStringAddress, address) && address != 0)
        topic.local = urls.CString(address);
    return true;
}

std::string ChmTopicTable::String(uint32_t offset) const {
    return mb::chm::ByteView(m_strings).CString(offset);
}

#include "compiledhelp/ChmBinaryIndex.h"

#include "compiledhelp/ChmBytes.h"

namespace {

// The tree's header: a signature, the block size, and the number of the
// last block of the keyword listing, which fills blocks 0 to that one; the
// blocks that index it follow and are not needed to read every keyword.
constexpr uint16_t kSignature = 0x293B; // ";)"
constexpr size_t kBlockSizeOffset = 0x04;
constexpr size_t kLastListingBlock = 0x1A;
constexpr size_t kHeaderSize = 0x4C;
// A listing block: free space, entry count, previous and next block.
constexpr size_t kEntryCountOffset = 0x02;
constexpr size_t kBlockHeaderSize = 0x0C;

// Reads the entries of one listing block.
class BlockReader {
public:
    BlockReader(std::string_view block, const ChmTopicTable& topics)
        : m_block(block), m_topics(topics) {}

    void Read(std::vector<ChmKeyword>& keywords) const {
        uint16_t count = 0;
        m_block.U16(kEntryCountOffset, count);
        size_t at = kBlockHeaderSize;
        for (uint16_t i = 0; i < count; ++i) {
            ChmKeyword keyword;
            if (!Entry(at, keyword))
                return;
            keywords.push_back(std::move(keyword));
        }
    }

private:
    // An entry: the full name ("parent, child"), see-also flag, level,
    // where the last part of the name starts, a reserved number, the number
    // of topics, then either the see-also target or the topic numbers, and
    // two numbers of the tree's own.
    bool Entry(size_t& at, ChmKeyword& keyword) const {
        size_t end = 0;
        std::u16string name = m_block.WideString(at, end);
        uint16_t seeAlso = 0;
        uint16_t level = 0;
        uint32_t lastPart = 0;
        uint32_t topicCount = 0;
        if (!m_block.U16(end, seeAlso) || !m_block.U16(end + 2, level) ||
            !m_block.U32(end + 4, lastPart) || !m_block.U32(end + 12, topicCount))
            return false;
        keyword.level = level;
        keyword.name = mb::chm::ToUtf8(
            lastPart < name.size() ? std::u16string_view(name).substr(lastPart) : name);
        at = end + 16;
        if (seeAlso != 0) {
            keyword.seeAlso = mb::chm::ToUtf8(m_block.WideString(at, end));
            at = end;
        } else {
            for (uint32_t i = 0; i < topicCount; ++i, at += 4) {
                uint32_t number = 0;
                if (!m_block.U32(at, number))
                    return false;
                ChmTopic topic;
                if (m_topics.Topic(number, topic))
                    keyword.topics.push_back(std::move(topic));
            }
        }
        at += 8;
        return m_block.Has(0, at);
    }

    mb::chm::ByteView m_block;
    const ChmTopicTable& m_topics;
};

} // namespace

std::vector<ChmKeyword> ParseBinaryIndex(std::string_view tree, const ChmTopicTable& topics) {
    std::vector<ChmKeyword> keywords;
    mb::chm::ByteView header(tree);
    uint16_t signature = 0;
    uint16_t blockSize = 0;
    uint32_t lastListing = 0;
    if (!header.U16(0, signature) || signature != kSignature ||
        !header.U16(kBlockSizeOffset, blockSize) || blockSize <= kBlockHeaderSize ||
        !header.U32(kLastListingBlock, lastListing))
        return keywords;
    for (size_t block = 0; block <= lastListing; ++block) {
        size_t at = kHeaderSize + block * blockSize;
        if (!header.Has(at, blockSize))
            break;
        BlockReader(tree.substr(at, blockSize), topics).Read(keywords);
    }
    return keywords;
}

#include "compiledhelp/ChmBinaryToc.h"

#include "compiledhelp/ChmBytes.h"

#include <unordered_set>

namespace {

// Offsets inside an entry. Entries with children carry the offset of the
// first child behind the fixed part.
constexpr size_t kFlags = 0x04;
constexpr size_t kTopicOrTitle = 0x08;
constexpr size_t kNextSibling = 0x10;
constexpr size_t kFirstChild = 0x14;
constexpr size_t kEntrySize = 0x14;

constexpr uint32_t kHasChildren = 0x4;
constexpr uint32_t kHasTopic = 0x8;

struct Pending {
    uint32_t offset;
    int level;
};

} // namespace

std::vector<ChmTocEntry> ParseBinaryToc(std::string_view tocIndex, const ChmTopicTable& topics) {
    std::vector<ChmTocEntry> entries;
    mb::chm::ByteView stream(tocIndex);
    uint32_t first = 0;
    if (!stream.U32(0, first))
        return entries;
    std::unordered_set<uint32_t> seen;
    std::vector<Pending> pending{{first, 0}};
    while (!pending.empty()) {
        Pending current = pending.back();
        pending.pop_back();
        // Offset 0 is the stream's header, never an entry: it ends a chain.
        if (current.offset == 0 || !stream.Has(current.offset, kEntrySize) ||
            !seen.insert(current.offset).second)
            continue;
        size_t at = current.offset;
        uint32_t flags = stream.U32Or(at + kFlags, 0);
        uint32_t reference = stream.U32Or(at + kTopicOrTitle, 0);
        ChmTocEntry& entry = entries.emplace_back();
        entry.level = current.level;
        ChmTopic topic;
        if ((flags & kHasTopic) && topics.Topic(reference, topic)) {
            entry.name = topic.title;
            entry.local = topic.local;
        } else if (!(flags & kHasTopic)) {
            entry.name = topics.String(reference);
        }
        // The sibling waits until the children have been read.
        pending.push_back({stream.U32Or(at + kNextSibling, 0), current.level});
        if (flags & kHasChildren)
            pending.push_back({stream.U32Or(at + kFirstChild, 0), current.level + 1});
    }
    return entries;
}

#include "compiledhelp/ChmWindowsStream.h"

#include "compiledhelp/ChmBytes.h"

namespace {

// Offsets of the members inside one entry.
enum WindowOffset : size_t {
    kName = 0x08,
    kValid = 0x0C,
    kProperties = 0x10,
    kCaption = 0x14,
    kStyles = 0x18,
    kExStyles = 0x1C,
    kRect = 0x20,
    kShowState = 0x30,
    kNavWidth = 0x4C,
    kToc = 0x60,
    kIndex = 0x64,
    kFile = 0x68,
    kHome = 0x6C,
    kToolbar = 0x70,
    kNotExpanded = 0x74,
    kCurrentTab = 0x78,
    kTabPos = 0x7C,
    kNotifyId = 0x80,
    kJump1Text = 0x9C,
    kJump2Text = 0xA0,
    kJump1Url = 0xA4,
    kJump2Url = 0xA8,
};

// The smallest entry that still holds a name.
constexpr size_t kMinimumEntrySize = kName + 4;

class Entry {
public:
    Entry(std::string_view entry, mb::chm::ByteView strings) : m_entry(entry), m_strings(strings) {}
    uint32_t Number(size_t offset) const { return m_entry.U32Or(offset, 0); }
    int32_t Signed(size_t offset) const { return static_cast<int32_t>(Number(offset)); }
    std::string Text(size_t offset) const {
        uint32_t at = 0;
        return m_entry.U32(offset, at) && at != 0 ? m_strings.CString(at) : std::string();
    }

private:
    mb::chm::ByteView m_entry;
    mb::chm::ByteView m_strings;
};

} // namespace

std::vector<ChmWindowType> ParseWindowsStream(std::string_view windows, std::string_view strings) {
    std::vector<ChmWindowType> types;
    mb::chm::ByteView stream(windows);
    uint32_t count = 0;
    uint32_t entrySize = 0;
    if (!stream.U32(0, count) || !stream.U32(4, entrySize) || entrySize < kMinimumEntrySize)
        return types;
    for (size_t i = 0, at = 8; i < count && stream.Has(at, entrySize); ++i, at += entrySize) {
        Entry entry(windows.substr(at, entrySize), mb::chm::ByteView(strings));
        ChmWindowType& type = types.emplace_back();
        type.name = entry.Text(kName);
        type.validMembers = entry.Number(kValid);
        type.properties = entry.Number(kProperties);
        type.caption = entry.Text(kCaption);
        type.styles = entry.Number(kStyles);
        type.exStyles = entry.Number(kExStyles);
        type.left = entry.Signed(kRect);
        type.top = entry.Signed(kRect + 4);
        type.right = entry.Signed(kRect + 8);
        type.bottom = entry.Signed(kRect + 12);
        type.showState = entry.Signed(kShowState);
        type.navWidth = entry.Signed(kNavWidth);
        type.toc = entry.Text(kToc);
        type.index = entry.Text(kIndex);
        type.defaultFile = entry.Text(kFile);
        type.home = entry.Text(kHome);
        type.toolbarFlags = entry.Number(kToolbar);
        type.notExpanded = entry.Signed(kNotExpanded);
        type.currentTab = entry.Signed(kCurrentTab);
        type.tabPos = entry.Signed(kTabPos);
        type.notifyId = entry.Signed(kNotifyId);
        type.jump1Text = entry.Text(kJump1Text);
        type.jump2Text = entry.Text(kJump2Text);
        type.jump1Url = entry.Text(kJump1Url);
        type.jump2Url = entry.Text(kJump2Url);
    }
    return types;
}

#pragma once
// The window types a compiled help file defines, from its "#WINDOWS" stream
// with their texts in "#STRINGS": the members of the viewer's window-type
// structure that a help project sets.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Texts are as stored: in the code page of the file's language.
struct ChmWindowType {
    // Bits of `validMembers`: which of the numbers below the file sets.
    static constexpr uint32_t kValidProperties = 0x2;
    static constexpr uint32_t kValidStyles = 0x4;
    static constexpr uint32_t kValidExStyles = 0x8;
    static constexpr uint32_t kValidRect = 0x10;
    static constexpr uint32_t kValidNavWidth = 0x20;
    static constexpr uint32_t kValidShowState = 0x40;
    static constexpr uint32_t kValidToolbar = 0x100;
    static constexpr uint32_t kValidExpansion = 0x200;
    static constexpr uint32_t kValidTabPos = 0x400;
    static constexpr uint32_t kValidCurrentTab = 0x2000;

    std::string name;
    std::string caption;
    std::string toc;
    std::string index;
    std::string defaultFile;
    std::string home;
    std::string jump1Text;
    std::string jump1Url;
    std::string jump2Text;
    std::string jump2Url;
    uint32_t validMembers = 0;
    uint32_t properties = 0;
    uint32_t styles = 0;
    uint32_t exStyles = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t showState = 0;
    int32_t navWidth = 0;
    uint32_t toolbarFlags = 0;
    int32_t notExpanded = 0;
    int32_t currentTab = 0;
    int32_t tabPos = 0;
    int32_t notifyId = 0;
};

// A count and an entry size, then the entries. Members that lie beyond the
// stated entry size read as empty; entries beyond the end of the stream are
// left out, and so are texts whose offset lies outside `strings`.
std::vector<ChmWindowType> ParseWindowsStream(std::string_view windows, std::string_view strings);

#pragma once
// The table of contents of a project: a tree of "node" elements under the
// root element "hhcTreeRoot", with the display properties of the contents
// window (window styles, colours, font, frame and window names, image type).
//
// Notifications: 11 selection (node), 12 / 13 activation, 18 background
// colour (node: a "color" element with "value"), 19 font (data: the
// LOGFONTA), 20 window style (node: a "WindowStyle" element with "index",
// -1 for the whole word, and "value").

#include "projectmodel/SitemapFile.h"

#include <cstdint>
#include <string>
#include <vector>

class CHHCFile : public CSitemapFile {
public:
    CHHCFile();

    // Entry i is the window-style bit that style index i stands for.
    static const uint32_t m_nHHCStyleMask[24];
    // Bits 0, 1, 2, 5, 9 and 23.
    static constexpr uint32_t kDefaultWindowStyles = 0x800227;
    static constexpr uint32_t kDefaultForeground = 0x80000008;
    static constexpr uint32_t kDefaultBackground = 0xFFFFFF;

    // Back to the defaults, with an empty tree.
    void InitHHC();

    // Sets (on = 1) or clears (any other value) the bit of style index
    // `index` (0 to 23; other indices change nothing).
    void SetContentWindowStyle(int index, int on);
    // Replaces the whole style word.
    void SetContentWindowStyle(uint32_t styles);
    uint32_t GetWindowStyles() const { return m_windowStyles; }
    // 1 when the bit of style index `index` is set.
    int GetWindowStyles(int index) const;

    void SetBackgroundColor(uint32_t color);
    uint32_t GetBackgroundColor() const { return m_background; }
    uint32_t GetForegroundColor() const { return m_foreground; }
    const std::string& GetImageType() const { return m_imageType; }

    // A new entry (owned by the caller) with "Name", "Local", "ImageNumber"
    // (10 with a page, 0 without) and "ID" (a new GUID when `id` is empty).
    static CXML* CreateNode(const std::string& name, const std::string& local,
                            const std::string& id = {});
    // The selected entry's "Type", 0 when none is selected.
    int GetSelectedNodeType() const;
    // Appends "Name" and "Local" of every entry with a page, in tree order.
    void GetNodeNameAndURL(std::vector<std::string>& names, std::vector<std::string>& urls) const;
    // The "Name" of the first entry whose "Local" is exactly `url`, else "".
    void GetTopicNameByURL(const std::string& url, std::string& name) const;

private:
    uint32_t m_windowStyles = 0;
    uint32_t m_foreground = kDefaultForeground;
    uint32_t m_background = kDefaultBackground;
    std::string m_imageType;
};

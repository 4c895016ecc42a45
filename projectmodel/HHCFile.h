#pragma once
// The table of contents of a project: a tree of "node" elements under the
// root element "hhcTreeRoot", with the display properties of the contents
// window (window styles, colours, font, frame and window names, image type).
// A node carries "Name", "Local" (the page), "ImageNumber" (from 0; -1 for
// none), "ID", and optionally "Type" 3 for a merge entry (a reference to
// another help file's contents, in "Local"), "FrameName", "WindowName",
// "Comment" and "New".
//
// Notifications: 6 renamed, 7 / 8 / 9 page changed / cleared / added, 10
// image (node), 11 selection (node), 12 / 13 activation, 14 / 15 entries
// removed and the tree empty / not empty, 16 / 17 run added / removed
// (node: its record), 18 background colour (node: a "color" element with
// "value"), 19 font (font: the LOGFONTA), 20 window style (node: a
// "WindowStyle" element with "index", -1 for the whole word, and "value").

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
    // "Type" of a merge entry.
    static constexpr int kMergeType = 3;

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
    // "Folder" shows folders for the entries with sub-entries, empty shows books.
    void SetImageType(const std::string& type);

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

    // what 1 "Name" (6), 2 "Local" (9 / 8 / 7), 7 "ImageNumber" (10).
    void ModifyNode(CXML* node, int what, const CXML* values) override;
    using CSitemapFile::ModifyNode;

    // Renames the pages of the entries whose IDs a list's children hold when
    // their file names contain unwelcome character sequences (the
    // configuration's replacement table), copying associated folders to
    // their new names. Reports progress through the project's progress
    // callback. Returns the number of pages renamed.
    int ReplaceUCInFilename(const CXML* list);

    // ---- Sitemap forms (HHCText.cpp)

    // Reads an .hhc file into the intermediate form ("SiteProperties" and
    // "SiteMap" children of `element`), pages resolved against the file's
    // folder. A file that cannot be read gives an empty form. Returns 1.
    int ReadHHCFileToXML(const std::string& path, CXML* element);
    // Writes the contents as an .hhc for the compiler, in the code page of
    // the project's language. 0 when the target is read-only (after the
    // warning) or cannot be written.
    int WriteHHCFile(const std::string& path);
    // The .hhc text that WriteHHCFile writes, in UTF-8.
    std::string BuildHHCText() const;
    // The intermediate form in the project file ("HHC" element). Only
    // version 2 is written; version 1 is read the same way but has no merge
    // entries.
    void WriteXMLTree_Ver2(CXML* element) const;
    // Sets the properties and appends the entries of the intermediate form.
    void ReadXMLTree_Ver2(const CXML* element);
    void ReadXMLTree_Ver1(const CXML* element);
    // The entry of an intermediate form's "Topic" with its page resolved; a
    // merge entry keeps its "Type".
    static CXML* NodeOfTopic(const CXML& topic, const std::string& local);
    // Appends entries made by NodeOfTopic as AddLoadedEntries does; without
    // merge entries (version 1 of the form), they lose their "Type".
    void AddLoadedEntries(mb::sitemap::SitemapEntries& entries, bool withMergeEntries);

protected:
    bool RefusesRun(const CXML* relative, int mode) const override;
    bool WatchesDefaultTopic() const override { return true; }

private:
    void ReadXMLTree(const CXML* element, bool withTypes);

    uint32_t m_windowStyles = 0;
    uint32_t m_foreground = kDefaultForeground;
    uint32_t m_background = kDefaultBackground;
    std::string m_imageType;
};

#pragma once
// What the contents model and the index model share: a tree of "node"
// elements under a root element, the selected and the dropped node, the
// frame and window names and the font of the tree's window.

#include "baseutil/Subject.h"
#include "baseutil/Xml.h"

#include <memory>
#include <string>

class CProjectFile;

// A font as the help viewer describes it.
struct LOGFONTA {
    long lfHeight = 0; // negative: character height in pixels
    long lfWidth = 0;
    long lfEscapement = 0;
    long lfOrientation = 0;
    long lfWeight = 0;
    unsigned char lfItalic = 0;
    unsigned char lfUnderline = 0;
    unsigned char lfStrikeOut = 0;
    unsigned char lfCharSet = 0;
    unsigned char lfOutPrecision = 0;
    unsigned char lfClipPrecision = 0;
    unsigned char lfQuality = 0;
    unsigned char lfPitchAndFamily = 0;
    std::string lfFaceName;
    bool operator==(const LOGFONTA&) const = default;
};

class CSitemapFile : public CSubject {
public:
    // The notification codes of one kind of tree.
    struct Codes {
        int selected;
        int activated;
        int deactivated;
        int fontChanged; // sent with the LOGFONTA as data
    };

    CSitemapFile(const std::string& rootTag, Codes codes);
    ~CSitemapFile() override;
    CSitemapFile(const CSitemapFile&) = delete;
    CSitemapFile& operator=(const CSitemapFile&) = delete;

    void AttachProjectFile(CProjectFile* project) { m_project = project; }

    // The root element; it is not an entry.
    CXML* GetTreeRoot() const { return m_root.get(); }
    // The root for "ROOT" (any case) and for an empty id; for "TAIL" (any
    // case) the last top-level node, or the root when the tree is empty;
    // otherwise the node with that "ID", or null.
    CXML* GetNodeByID(const std::string& id) const;
    // "ROOT" for the root, else the node's "ID".
    std::string GetNodeID(const CXML* node) const;
    // The node's parent, or null when that is the root or there is none.
    CXML* GetParentNode(const CXML* node) const;
    CXML* GetParentNode(const std::string& id) const;
    // The node's "Local", empty for none.
    std::string GetNodeURL(const CXML* node) const;
    std::string GetSelectedNodeURL() const { return GetNodeURL(m_selected); }
    // Number of entries in the whole tree.
    int GetCount() const;

    // Stores the node and notifies the selection code, only when it changes.
    void SetSelectedNode(CXML* node);
    CXML* GetSelectedNode() const { return m_selected; }
    // The entry a drop is aimed at, for the drop commands.
    void SetDroppedNode(CXML* node) { m_dropped = node; }
    CXML* GetDroppedNode() const { return m_dropped; }
    // Tells the views that this tree became (non-zero) or stopped being
    // (zero) the active tree.
    void OnActivate(int flag);

    const std::string& GetFrameName() const { return m_frameName; }
    const std::string& GetWindowName() const { return m_windowName; }

    // The default font: 9 point "MS Sans Serif", character set 0.
    void InitFont();
    // Stores face, size (points) and character set, rebuilds the LOGFONTA,
    // notifies the font code and marks the project modified.
    void SetFont(const std::string& face, long size, unsigned char charset);
    void GetFont(std::string& face, long& size, unsigned char& charset) const;
    // Takes a whole LOGFONTA; its height gives the size in points.
    void SetFont(const LOGFONTA& font);
    void GetFont(LOGFONTA& font) const { font = m_logFont; }
    // The LOGFONTA height of a size in points on the screen.
    static long GetFontHeightFromFontSize(long size);

protected:
    // Deletes every entry and forgets the selected and the dropped node.
    void ClearTree();
    void SetModified();

    CProjectFile* m_project = nullptr;
    std::string m_frameName;
    std::string m_windowName;

private:
    std::unique_ptr<CXML> m_root;
    Codes m_codes;
    CXML* m_selected = nullptr;
    CXML* m_dropped = nullptr;
    long m_fontSize = 9;
    unsigned char m_charSet = 0;
    std::string m_faceName = "MS Sans Serif";
    LOGFONTA m_logFont;
};

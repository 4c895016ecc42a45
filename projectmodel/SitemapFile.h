#pragma once
// What the contents model and the index model share: a tree of "node"
// elements under a root element, the selected and the dropped node, the
// frame and window names and the font of the tree's window, and the editing
// of the tree.
//
// Editing speaks in files lists (see FilesList.h). Every insertion and
// removal leaves a record in the project's modified-info element and sends
// it with a notification; the planning operations (moves, drops, sorting)
// only leave records, which the commands then carry out as a removal
// followed by an insertion. Entries are found by "ID" through an index that
// every insertion and removal keeps in step, so the tree must only be
// changed through these operations.

#include "baseutil/Subject.h"
#include "baseutil/UserChannels.h"
#include "baseutil/Xml.h"
#include "projectmodel/NodeIndex.h"
#include "projectmodel/SortDialog.h"

#include <functional>
#include <memory>
#include <span>
#include <string>

class CConfigData;
class CProjectFile;
namespace mb::sitemap {
class SitemapEntries;
}

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
    // The notification codes and record types of one kind of tree.
    struct Codes {
        int selected;
        int activated;
        int deactivated;
        int fontChanged;  // sent with the LOGFONTA as data
        int added;        // a run inserted; node: its record
        int removed;      // a run removed (sent before it goes); node: its record
        int deletedLeft;  // after removing, entries are left (-1: nothing sent)
        int deletedEmpty; // after removing, the tree is empty
        int insertedType; // "ModifiedType" of an insertion record
        int removedType;  // "ModifiedType" of a removal record
    };

    CSitemapFile(const std::string& rootTag, Codes codes);
    ~CSitemapFile() override;
    CSitemapFile(const CSitemapFile&) = delete;
    CSitemapFile& operator=(const CSitemapFile&) = delete;

    void AttachProjectFile(CProjectFile* project) { m_project = project; }
    // The project's channels; the quiet ones when attached to none.
    const mb::UserChannels& Channels() const;
    // The project's settings; the defaults when attached to none.
    const CConfigData& Config() const;

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
    // Why the sitemap file read last was not taken (it could not be read, or
    // it holds no sitemap); empty when it was read.
    const std::string& GetReadProblem() const { return m_readProblem; }

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

    // ---- Applying changes (TreeEditing.cpp). Lists stay the caller's.

    // Inserts a type-1 files list at the selected entry (else after the last
    // top-level entry) with the configured insert mode. The list becomes the
    // type-2 form that was inserted, with the new IDs.
    void AddFilesList(CXML* list);
    // Inserts each "List" of a type-2 files list: its first node by the
    // insert mode relative to its "RelativeNodeID", the others after it.
    void AddFilesList2(const CXML* list);
    // Removes the tree's nodes that the "List"s of a type-2 files list name
    // by "ID"; nodes no longer in the tree are passed over.
    void DelFilesList2(const CXML* list);
    // Removes every entry, leaving records that can restore them.
    void DelAll();
    // Where the node stands, as the relative node and insert mode that put
    // it back there: after its previous sibling (2), else first child of its
    // parent (1, "ROOT" at the top level). Nothing for no node.
    void GetRelativeNodeInfo(const CXML* node, std::string& id, int& mode) const;
    // Builds a type-2 files list of copies of the entries a "SelectedNodes"
    // record names: adjacent siblings selected one after the other share a
    // "List", every other entry starts its own.
    void GetType2FilesListFromIDs(const CXML* selected, CXML* list) const;
    // Copies one attribute, chosen by `what`, from `values` onto the node
    // and sends the one notification that goes with it.
    virtual void ModifyNode(CXML* node, int what, const CXML* values) = 0;
    // The same for the node with this ID; nothing when there is none.
    void ModifyNode(const std::string& id, int what, const CXML* values);

    // Appends entries made from an intermediate form to the end of the
    // tree, taking them over rather than copying; recorded and notified like
    // any insertion when the tree has observers.
    void AddLoadedEntries(mb::sitemap::SitemapEntries& entries);

    // ---- Planning (TreePlanning.cpp): records only, the tree is untouched.

    enum class Move { Up, Down, Left, Right };
    // One record per "List": where the run stands ("Undo...") and where the
    // move takes it ("Do..."). A "List" whose move has no target (no
    // sibling or parent to move by) gets no record.
    void PlanMove(const CXML* list, Move move);
    // One record per "List", all aimed at the dropped node with the
    // configured insert mode.
    void PlanDragDrop(const CXML* list);
    // Asks `dialog` how to sort the branch holding `node` and records it
    // before and after sorting by "Name", A to Z for direction 0 and Z to A
    // for 1. 0 when the user cancelled.
    int PlanSort(const CXML* node, int direction, mb::ISortDialog& dialog);

protected:
    // Contents: no run goes in as the first child of a merge entry.
    virtual bool RefusesRun(const CXML* relative, int mode) const { return false; }
    // Index: makes the types of a node (and its subtree) fit its new place.
    virtual void FitInsertedNode(CXML* node, bool appendedToRoot) {}
    // Contents: removing the project's default topic clears it.
    virtual bool WatchesDefaultTopic() const { return false; }

    // Deletes every entry and forgets the selected and the dropped node,
    // without records or notifications.
    void ClearTree();
    void SetModified();
    // The modified-info element that records go to: the project's, or one of
    // the model's own when no project is attached.
    CXML* Records();

    // A path as the project file stores it (relative inside the project
    // folder), and back.
    std::string ToProjectForm(const std::string& path) const;
    std::string FromProjectForm(const std::string& value) const;
    // A sitemap's page value resolved against the sitemap file's folder.
    std::string ResolveSitemapPath(const std::string& folder, const std::string& value) const;
    // The start of reading a sitemap file into its intermediate form: the
    // form's "SiteProperties" child filled with the named properties of the
    // file, its "SiteMap" child, the start element of the scanned text
    // (owned by `scanned`) and a resolver of the file's page values. False
    // when the file cannot be read or holds no sitemap (the form then stays
    // empty; GetReadProblem says why). Entries nested too deeply to be read
    // are left out with a warning to the user.
    struct SitemapSource {
        CXML* siteMap = nullptr;
        CXML* start = nullptr;
        std::function<std::string(const std::string&)> resolve;
    };
    bool OpenSitemapSource(const std::string& path, CXML* element, const char* rootTag,
                           std::span<const char* const> propertyNames, CXML& scanned,
                           SitemapSource& source) const;
    // A page as a sitemap for the compiler names it: relative inside the
    // project folder, without a leading backslash.
    std::string ToSitemapForm(const std::string& path) const;
    // The language of the project (for the code page of sitemap files).
    int LanguageId() const;
    // Reads the properties of the intermediate form ("SiteProperties"): the
    // frame and window names and the font are kept here, any other property
    // goes to `property` (name, value).
    void ReadSiteProperties(
        const CXML* element,
        const std::function<void(const std::string& name, const std::string& value)>& property);
    // Writes a sitemap for the compiler, after the read-only check.
    int WriteCompilerFile(const std::string& path, const std::string& text) const;

    CProjectFile* m_project = nullptr;
    mutable std::string m_readProblem;
    std::string m_frameName;
    std::string m_windowName;

private:
    // Inserts one "List"; when `loading`, the nodes are moved out of it.
    // When `prepared`, they all have IDs, are in the index and fit their
    // places already.
    void InsertRun(CXML* run, bool loading, bool prepared = false);
    // Puts `node` by `mode` relative to `relative`; false when the mode is
    // unknown.
    bool Place(CXML* node, CXML* relative, int mode);
    // Detaches and deletes a node of the tree with its subtree.
    void DeleteNode(CXML* node);
    void ClearDefaultTopic();

    std::unique_ptr<CXML> m_root;
    Codes m_codes;
    mb::NodeIndex m_index;
    std::unique_ptr<CXML> m_ownRecords;
    CXML* m_selected = nullptr;
    CXML* m_dropped = nullptr;
    long m_fontSize = 9;
    unsigned char m_charSet = 0;
    std::string m_faceName = "MS Sans Serif";
    LOGFONTA m_logFont;
};

#pragma once
// What the contents and the index view share: a multi-selection tree that
// shows one tree model of the project and follows its notifications. Items
// carry their entry's ID (never the element), and the view keeps a hash from
// ID to item. The items of a large tree's collapsed branches are built when
// they are first needed; an entry is never marked as not shown ("HTreeItem"
// "0"), so the commands change any entry. The view never changes the model:
// label edits, drops and keys become commands of the command manager, and
// the commands ask the view for its selection through the main-window
// interface.

#include "baseutil/MainWindow.h"
#include "baseutil/Subject.h"
#include "baseutil/SubjectWatch.h"
#include "projectmodel/EntrySearch.h"

#include <QHash>
#include <QSet>
#include <QTimer>
#include <QTreeWidget>

#include <string>
#include <vector>

class CCommandManager;
class CProjectFile;
class CSitemapFile;
class CXML;
class QMimeData;

namespace mb::gui {

class ViewHost;

class ProjectTreeView : public QTreeWidget, public CObserver {
    Q_OBJECT
public:
    // The command ids and request numbers that differ between the trees.
    struct TreeIds {
        int renameCommand;
        int dragMoveCommand;
        int dragCopyCommand;
        int filesDropCommand;
        int archiveDropCommand;
        int renamedCode;
        int addedCode;
        int removedCode;
        int selectedCode;
        int fontCode;
        const char* dragFormat; // MIME type of entries dragged out of the tree
    };

    ProjectTreeView(ViewHost& host, CProjectFile& project, CSitemapFile& model, TreeIds ids);
    ~ProjectTreeView() override;

    int Update(CSubject* subject, const NotifyInfo& info) override;

    // Deletes every item and shows the model's entries anew.
    void Fill();
    // The item of an entry, or null when it has none (yet).
    QTreeWidgetItem* ItemForID(const std::string& id) const;
    // The item of an entry, building the items of the branches it lies in
    // when they were not built yet; null for an entry not in the tree.
    QTreeWidgetItem* RevealItem(const std::string& id);
    static std::string IDOf(const QTreeWidgetItem* item);
    CXML* NodeOf(const QTreeWidgetItem* item) const;

    // The selected items in tree order (Qt keeps them in click order).
    std::vector<QTreeWidgetItem*> SelectedInTreeOrder() const;
    // The selected entries in tree order, each with its expanded state.
    std::vector<SelectedNode> Selection() const;
    // Selects these entries, expanding those marked expanded; the first
    // one becomes the current entry.
    void Reselect(const std::vector<SelectedNode>& nodes);
    // Selects the entry after the current one (before it when `backward`,
    // going round at the end) that `query` matches, building its item and
    // scrolling to it; false when no entry matches.
    bool SelectMatch(mb::EntryQuery query, bool backward);
    // Selects one entry and expands it when asked.
    void SelectAndExpand(const std::string& id, bool expand);
    // Makes the drop target the selected item; removes the highlight.
    void AcceptDropTarget();
    // Opens the edit box over the selected item.
    void StartRename();
    // Ends an open label edit without renaming.
    void CancelRename();
    // What a drag of the selected entries carries (null without a
    // selection): the first entry's "Local" under the tree's own type and
    // the mark of this view.
    QMimeData* DragData() const;

protected:
    // Icon, font and colour of an item from its entry.
    virtual void Decorate(QTreeWidgetItem* item, const CXML* node) const = 0;
    // Reads what decorating depends on, once before a run of Decorate calls.
    virtual void BeforeDecorating() {}
    // The text shown when the pointer rests on an entry's item.
    virtual QString ToolTipFor(const CXML* node) const = 0;
    // Reactions to the codes only one tree sends; true when handled.
    virtual bool UpdateOwn(const NotifyInfo& info) { return false; }
    // The entries' commands shown in the pop-up menu, by main-window
    // command id (0 for a separator).
    virtual std::vector<int> PopupCommands() const = 0;

    // A whole-number attribute read in place (decorating runs for every
    // entry when a tree is shown); `missing` when it is not set.
    static int NumberAttr(const CXML* node, const char* name, int missing);

    ViewHost& Host() { return m_host; }
    CProjectFile& Project() { return m_project; }
    CSitemapFile& Model() { return m_model; }
    void RedecorateAll();

    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class RenameDelegate;
    QTreeWidgetItem* NewItem(const CXML* node);
    // Items for `node` and its subtree, registered in the hash; the
    // children of a node are built only while `budget` (items) lasts, else
    // later (BuildPendingChildren).
    QTreeWidgetItem* BuildItems(const CXML* node, int& budget);
    void BuildPendingChildren(QTreeWidgetItem* item);
    // Expands the items whose entries say "expanded"; `item` shows `node`.
    void ExpandMarked(QTreeWidgetItem* item, const CXML* node);
    void InsertFromRecord(const CXML* record);
    void RemoveFromRecord(const CXML* record);
    // Deletes the items (and what lies inside them).
    void RemoveItems(const QSet<QTreeWidgetItem*>& named);
    void Forget(QTreeWidgetItem* item);
    void OnSelectionChanged();
    void Rename(QTreeWidgetItem* item, const QString& name);
    void SetFontFrom(const LOGFONTA* logFont);
    // Whether a drop may land on `target` (never on a dragged entry or
    // inside one when the drag comes from this tree).
    QByteArray DragSourceToken() const;
    bool IsFromSelf(const QDropEvent* event) const;
    bool AcceptsTarget(const QDropEvent* event, QTreeWidgetItem* target) const;
    void SetDropTarget(QTreeWidgetItem* item);
    void ClearDropTarget();
    void AutoScroll();

    ViewHost& m_host;
    CProjectFile& m_project;
    CSitemapFile& m_model;
    TreeIds m_ids;
    QHash<QString, QTreeWidgetItem*> m_items;
    QTreeWidgetItem* m_dropTarget = nullptr;
    QTimer m_scrollTimer;
    int m_scrollStep = 0;
    SubjectWatch m_treeWatch{*this};
    bool m_syncing = false;   // the view changes its own selection
    bool m_pressedSelected = false; // the pressed item was the selected one
};

} // namespace mb::gui

#include "app/gui/ProjectTreeView.h"
#include "app/gui/UiText.h"

#include "app/gui/QtDropData.h"
#include "app/gui/ViewHost.h"

#include "appglue/AppHelper.h"
#include "baseutil/TextFold.h"
#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "editcommands/CommandManager.h"
#include "projectmodel/EntrySearch.h"
#include "projectmodel/FilesList.h"
#include "projectmodel/ProjectFile.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSet>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace mb::gui {

namespace {

// Marks the program's own drags with the view they started in, so that a
// drop knows it comes from the tree itself.
constexpr const char* kDragSourceFormat = "application/x-marrowbook-drag-source";
// Distance from the top or bottom edge within which a drag scrolls.
constexpr int kScrollMargin = 16;
constexpr int kScrollIntervalMs = 40;
// Items built at once when a tree is shown or entries arrive; the items of
// collapsed branches beyond that are built when the branch is expanded or
// one of its entries is selected.
constexpr int kItemsBuiltAtOnce = 5000;

// An entry's item keeps its name, ID and icon in members of its own rather
// than in the general list of roles, which costs several allocations per
// item: a tree of 100,000 entries is shown noticeably faster.
class EntryItem final : public QTreeWidgetItem {
public:
    EntryItem(QString id, QString name) : m_id(std::move(id)), m_name(std::move(name)) {
        setFlags(flags() | Qt::ItemIsEditable);
    }
    QVariant data(int column, int role) const override {
        if (column == 0) {
            switch (role) {
            case Qt::DisplayRole:
            case Qt::EditRole:
                return m_name;
            case Qt::UserRole:
                return m_id;
            case Qt::DecorationRole:
                return m_icon;
            default:
                break;
            }
        }
        return QTreeWidgetItem::data(column, role);
    }
    void setData(int column, int role, const QVariant& value) override {
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) {
            m_name = value.toString();
            emitDataChanged();
        } else if (column == 0 && role == Qt::DecorationRole) {
            m_icon = value.value<QIcon>();
            emitDataChanged();
        } else {
            QTreeWidgetItem::setData(column, role, value);
        }
    }

    // The entry has sub-entries whose items are not built yet.
    bool childrenPending = false;

private:
    QString m_id;
    QString m_name;
    QIcon m_icon;
};

EntryItem* AsEntry(QTreeWidgetItem* item) {
    return static_cast<EntryItem*>(item);
}

} // namespace

// The edit box over an item: what the user typed becomes a rename command;
// the item itself is never written by the editor.
class RenameDelegate final : public QStyledItemDelegate {
public:
    explicit RenameDelegate(ProjectTreeView& view) : QStyledItemDelegate(&view), m_view(view) {}
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            m_view.Rename(m_view.itemFromIndex(index), line->text());
    }

private:
    ProjectTreeView& m_view;
};

ProjectTreeView::ProjectTreeView(ViewHost& host, CProjectFile& project, CSitemapFile& model,
                                 TreeIds ids)
    : m_host(host), m_project(project), m_model(model), m_ids(ids) {
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new RenameDelegate(*this));
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(false);
    // Auto-scrolling stays on: it keeps the current item in sight when the
    // keys move it. A drag is scrolled by the view itself (AutoScroll).
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelectionChanged(); });
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { BuildPendingChildren(item); });
    m_scrollTimer.setInterval(kScrollIntervalMs);
    connect(&m_scrollTimer, &QTimer::timeout, this, [this] { AutoScroll(); });
    m_project.Attach(this);
    m_treeWatch.Watch({&m_model});
}

ProjectTreeView::~ProjectTreeView() {
    m_project.Detach(this);
}

int ProjectTreeView::Update(CSubject* subject, const NotifyInfo& info) {
    if (subject == &m_project) {
        // While a project is read the view stops watching its tree, so the
        // model keeps no record of the loading for it; the tree is read by
        // the time the project says it was loaded anew, and it arrives
        // whole with the tree's own code 2.
        m_treeWatch.FollowProject(info.code);
        return 1;
    }
    if (info.code == NC_RELOADED) {
        Fill();
        if (QTreeWidgetItem* first = topLevelItem(0))
            setCurrentItem(first);
        return 1;
    }
    const int code = info.code;
    if (code == m_ids.addedCode) {
        InsertFromRecord(info.node);
    } else if (code == m_ids.removedCode) {
        RemoveFromRecord(info.node);
    } else if (code == m_ids.renamedCode) {
        if (QTreeWidgetItem* item = info.node ? ItemForID(info.node->GetAttr("ID")) : nullptr)
            item->setText(0, ToQ(info.node->GetAttr("Name")));
    } else if (code == m_ids.selectedCode) {
        QTreeWidgetItem* item = info.node ? RevealItem(info.node->GetAttr("ID")) : nullptr;
        if (item && item != currentItem()) {
            m_syncing = true;
            setCurrentItem(item);
            m_syncing = false;
        }
    } else if (code == m_ids.fontCode) {
        SetFontFrom(info.font);
    } else {
        UpdateOwn(info);
    }
    return 1;
}

// ---- Filling and following the model

QTreeWidgetItem* ProjectTreeView::NewItem(const CXML* node) {
    const std::string* name = node->FindAttr("Name");
    const std::string* id = node->FindAttr("ID");
    const QString key = id ? ToQ(*id) : QString();
    auto* item = new EntryItem(key, name ? ToQ(*name) : QString());
    Decorate(item, node);
    m_items.insert(key, item);
    return item;
}

QTreeWidgetItem* ProjectTreeView::BuildItems(const CXML* node, int& budget) {
    QTreeWidgetItem* item = NewItem(node);
    --budget;
    const int count = node->GetChildCount();
    if (count == 0)
        return item;
    if (count > budget) {
        AsEntry(item)->childrenPending = true;
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        return item;
    }
    QList<QTreeWidgetItem*> children;
    children.reserve(count);
    for (int i = 0; i < count; ++i)
        children.append(BuildItems(node->GetChildAt(i), budget));
    item->addChildren(children);
    return item;
}

void ProjectTreeView::BuildPendingChildren(QTreeWidgetItem* item) {
    if (!item || !AsEntry(item)->childrenPending)
        return;
    AsEntry(item)->childrenPending = false;
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    const CXML* node = NodeOf(item);
    if (!node)
        return;
    BeforeDecorating();
    int budget = kItemsBuiltAtOnce;
    QList<QTreeWidgetItem*> children;
    children.reserve(node->GetChildCount());
    for (int i = 0; i < node->GetChildCount(); ++i)
        children.append(BuildItems(node->GetChildAt(i), budget));
    item->addChildren(children);
}

QTreeWidgetItem* ProjectTreeView::RevealItem(const std::string& id) {
    if (QTreeWidgetItem* item = ItemForID(id))
        return item;
    // Build the items of the branches the entry lies in, from the top.
    const CXML* root = m_model.GetTreeRoot();
    const CXML* node = m_model.GetNodeByID(id);
    std::vector<const CXML*> above;
    for (const CXML* up = node ? node->GetParent() : nullptr; up && up != root; up = up->GetParent())
        above.push_back(up);
    for (auto it = above.rbegin(); it != above.rend(); ++it)
        BuildPendingChildren(ItemForID((*it)->GetAttr("ID")));
    return ItemForID(id);
}

void ProjectTreeView::ExpandMarked(QTreeWidgetItem* item, const CXML* node) {
    if (node->GetChildCount() == 0)
        return;
    if (node->GetAttrInt("expanded") == 1) {
        BuildPendingChildren(item);
        item->setExpanded(true);
    }
    for (int i = 0; i < node->GetChildCount() && i < item->childCount(); ++i)
        ExpandMarked(item->child(i), node->GetChildAt(i));
}

void ProjectTreeView::Fill() {
    m_syncing = true;
    setUpdatesEnabled(false);
    SetDropTarget(nullptr);
    clear();
    m_items.clear();
    LOGFONTA font;
    m_model.GetFont(font);
    SetFontFrom(&font);
    BeforeDecorating();
    const CXML* root = m_model.GetTreeRoot();
    QList<QTreeWidgetItem*> tops;
    tops.reserve(root->GetChildCount());
    int budget = kItemsBuiltAtOnce;
    for (int i = 0; i < root->GetChildCount(); ++i)
        tops.append(BuildItems(root->GetChildAt(i), budget));
    addTopLevelItems(tops);
    for (int i = 0; i < tops.size(); ++i)
        ExpandMarked(tops[i], root->GetChildAt(i));
    setUpdatesEnabled(true);
    m_syncing = false;
}

void ProjectTreeView::InsertFromRecord(const CXML* record) {
    if (!record || record->GetChildCount() == 0)
        return;
    // The branch that receives the entries shows all its entries first (a
    // branch whose items were not built yet builds them with the new ones).
    const std::string firstId = record->GetChildAt(0)->GetAttr("ID");
    const CXML* first = m_model.GetNodeByID(firstId);
    if (!first)
        return;
    if (const CXML* parentNode = m_model.GetParentNode(first))
        BuildPendingChildren(RevealItem(parentNode->GetAttr("ID")));
    BeforeDecorating();
    QList<QTreeWidgetItem*> items;
    std::vector<const CXML*> nodes;
    int budget = kItemsBuiltAtOnce;
    for (int i = 0; i < record->GetChildCount(); ++i) {
        CXML* node = m_model.GetNodeByID(record->GetChildAt(i)->GetAttr("ID"));
        if (node && !ItemForID(node->GetAttr("ID"))) {
            items.append(BuildItems(node, budget));
            nodes.push_back(node);
        }
    }
    if (items.isEmpty()) {
        if (QTreeWidgetItem* shown = RevealItem(firstId))
            setCurrentItem(shown);
        return;
    }
    const std::string relativeId = record->GetAttr("DoRelativeNodeID");
    const int mode = record->GetAttrInt("DoInsertMode");
    QTreeWidgetItem* parent = invisibleRootItem();
    int position = 0;
    if (mb::CompareNoCase(relativeId, "ROOT") == 0) {
        position = mode == kInsertFirstChild ? 0 : parent->childCount();
    } else {
        QTreeWidgetItem* relative = ItemForID(relativeId);
        if (!relative) {
            // The view is out of step with the model: show the model anew.
            for (QTreeWidgetItem* item : items)
                Forget(item);
            qDeleteAll(items);
            Fill();
            return;
        }
        if (mode == kInsertFirstChild) {
            parent = relative;
        } else {
            parent = relative->parent() ? relative->parent() : invisibleRootItem();
            position = parent->indexOfChild(relative) + (mode == kInsertBefore ? 0 : 1);
        }
    }
    m_syncing = true;
    parent->insertChildren(position, items);
    // The parent's look may depend on its children (an index keyword with
    // several topics).
    if (const CXML* parentNode = NodeOf(parent))
        Decorate(parent, parentNode);
    for (int i = 0; i < items.size(); ++i)
        ExpandMarked(items[i], nodes[static_cast<size_t>(i)]);
    m_syncing = false;
    // The first inserted entry becomes the selected one.
    setCurrentItem(items.first());
}

void ProjectTreeView::Forget(QTreeWidgetItem* item) {
    std::vector<QTreeWidgetItem*> pending{item};
    while (!pending.empty()) {
        QTreeWidgetItem* current = pending.back();
        pending.pop_back();
        if (current == m_dropTarget)
            m_dropTarget = nullptr;
        m_items.remove(current->data(0, Qt::UserRole).toString());
        for (int i = 0; i < current->childCount(); ++i)
            pending.push_back(current->child(i));
    }
}

void ProjectTreeView::RemoveFromRecord(const CXML* record) {
    if (!record)
        return;
    QSet<QTreeWidgetItem*> named;
    for (int i = 0; i < record->GetChildCount(); ++i)
        if (QTreeWidgetItem* item = ItemForID(record->GetChildAt(i)->GetAttr("ID")))
            named.insert(item);
    if (named.isEmpty())
        return;
    m_syncing = true;
    setUpdatesEnabled(false);
    const bool everything =
        named.size() == topLevelItemCount() &&
        std::all_of(named.begin(), named.end(), [](QTreeWidgetItem* item) { return !item->parent(); });
    if (everything) {
        // Every entry goes (delete all): no item needs to be looked at.
        m_items.clear();
        m_dropTarget = nullptr;
        clear();
    } else {
        RemoveItems(named);
    }
    // When the selected entry went, the model forgets it: so does the view.
    const CXML* selected = m_model.GetSelectedNode();
    if (!selected || !ItemForID(selected->GetAttr("ID"))) {
        clearSelection();
        setCurrentItem(nullptr);
    }
    setUpdatesEnabled(true);
    m_syncing = false;
}

void ProjectTreeView::RemoveItems(const QSet<QTreeWidgetItem*>& named) {
    QHash<QTreeWidgetItem*, QList<QTreeWidgetItem*>> byParent;
    QStringList parentIds;
    for (QTreeWidgetItem* item : named) {
        // An item inside another one that goes goes with it.
        bool inside = false;
        for (QTreeWidgetItem* up = item->parent(); up && !inside; up = up->parent())
            inside = named.contains(up);
        if (inside)
            continue;
        QTreeWidgetItem* parent = item->parent() ? item->parent() : invisibleRootItem();
        if (!byParent.contains(parent) && parent != invisibleRootItem())
            parentIds << parent->data(0, Qt::UserRole).toString();
        byParent[parent].append(item);
    }
    // Grouped by parent: many siblings are taken out in one pass, since
    // removing them one by one costs a search of the parent each time.
    for (auto group = byParent.begin(); group != byParent.end(); ++group) {
        QTreeWidgetItem* parent = group.key();
        const QList<QTreeWidgetItem*>& doomed = group.value();
        for (QTreeWidgetItem* item : doomed)
            Forget(item);
        if (doomed.size() == 1) {
            delete parent->takeChild(parent->indexOfChild(doomed.first()));
            continue;
        }
        QList<QTreeWidgetItem*> children = parent->takeChildren();
        QList<QTreeWidgetItem*> kept;
        kept.reserve(children.size() - doomed.size());
        for (QTreeWidgetItem* child : children)
            named.contains(child) ? delete child : kept.append(child);
        parent->addChildren(kept);
    }
    // A parent's look may depend on its children (an index keyword with
    // several topics).
    BeforeDecorating();
    for (const QString& id : parentIds) {
        QTreeWidgetItem* parent = m_items.value(id, nullptr);
        if (const CXML* parentNode = NodeOf(parent))
            Decorate(parent, parentNode);
    }
}

int ProjectTreeView::NumberAttr(const CXML* node, const char* name, int missing) {
    const std::string* text = node->FindAttr(name);
    if (!text || text->empty())
        return missing;
    long value = std::strtol(text->c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

void ProjectTreeView::RedecorateAll() {
    BeforeDecorating();
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if (const CXML* node = NodeOf(*it))
            Decorate(*it, node);
}

void ProjectTreeView::SetFontFrom(const LOGFONTA* given) {
    if (!given)
        return;
    const LOGFONTA& logFont = *given;
    QFont font = QApplication::font();
    if (!logFont.lfFaceName.empty())
        font.setFamily(ToQ(logFont.lfFaceName));
    if (logFont.lfHeight != 0)
        font.setPixelSize(static_cast<int>(logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight));
    font.setBold(logFont.lfWeight >= 600);
    font.setItalic(logFont.lfItalic != 0);
    setFont(font);
}

// ---- Items and selection

QTreeWidgetItem* ProjectTreeView::ItemForID(const std::string& id) const {
    return m_items.value(ToQ(id), nullptr);
}

std::string ProjectTreeView::IDOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, Qt::UserRole).toString().toStdString() : std::string();
}

CXML* ProjectTreeView::NodeOf(const QTreeWidgetItem* item) const {
    return item ? m_model.GetNodeByID(IDOf(item)) : nullptr;
}

std::vector<QTreeWidgetItem*> ProjectTreeView::SelectedInTreeOrder() const {
    std::vector<QTreeWidgetItem*> items;
    if (selectionModel()->selectedIndexes().isEmpty())
        return items;
    for (QTreeWidgetItemIterator it(const_cast<ProjectTreeView*>(this),
                                    QTreeWidgetItemIterator::Selected);
         *it; ++it)
        items.push_back(*it);
    return items;
}

std::vector<SelectedNode> ProjectTreeView::Selection() const {
    std::vector<SelectedNode> nodes;
    for (QTreeWidgetItem* item : SelectedInTreeOrder())
        nodes.push_back({IDOf(item), item->isExpanded()});
    return nodes;
}

void ProjectTreeView::Reselect(const std::vector<SelectedNode>& nodes) {
    m_syncing = true;
    clearSelection();
    QTreeWidgetItem* first = nullptr;
    for (const SelectedNode& node : nodes) {
        QTreeWidgetItem* item = RevealItem(node.id);
        if (!item)
            continue;
        item->setSelected(true);
        if (node.expanded)
            item->setExpanded(true);
        if (!first)
            first = item;
    }
    if (first) {
        selectionModel()->setCurrentIndex(indexFromItem(first), QItemSelectionModel::NoUpdate);
        scrollToItem(first);
    }
    m_syncing = false;
    OnSelectionChanged();
}

bool ProjectTreeView::SelectMatch(mb::EntryQuery query, bool backward) {
    query.projectFolder = m_project.GetProjectFolder();
    const CXML* found =
        mb::FindEntry(*m_model.GetTreeRoot(), NodeOf(currentItem()), query, backward);
    if (!found)
        return false;
    SelectAndExpand(found->GetAttr("ID"), false);
    return true;
}

void ProjectTreeView::SelectAndExpand(const std::string& id, bool expand) {
    QTreeWidgetItem* item = RevealItem(id);
    if (!item)
        return;
    setCurrentItem(item);
    if (expand)
        item->setExpanded(true);
    scrollToItem(item);
}

void ProjectTreeView::OnSelectionChanged() {
    if (m_syncing)
        return;
    QTreeWidgetItem* current = currentItem();
    if (!current || !current->isSelected()) {
        QList<QTreeWidgetItem*> selected = selectedItems();
        current = selected.isEmpty() ? nullptr : selected.first();
    }
    m_model.SetSelectedNode(NodeOf(current));
}

// ---- Label editing

void ProjectTreeView::StartRename() {
    QTreeWidgetItem* item = currentItem();
    if (!item || !item->isSelected())
        return;
    scrollToItem(item);
    editItem(item);
}

void ProjectTreeView::CancelRename() {
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex()))
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void ProjectTreeView::Rename(QTreeWidgetItem* item, const QString& name) {
    const CXML* node = NodeOf(item);
    if (!node)
        return;
    const std::string oldName = node->GetAttr("Name");
    const std::string newName = name.toStdString();
    if (newName.empty() || newName == oldName)
        return;
    CXML parameters("PARAMETERS");
    parameters.SetAttr("ID", IDOf(item));
    parameters.SetAttr("OLD_NAME", oldName);
    parameters.SetAttr("NEW_NAME", newName);
    m_host.Commands().DoCommand(m_ids.renameCommand, &parameters);
    m_host.RefreshFromProject();
}

// ---- Keys, mouse and pop-up menu

bool ProjectTreeView::viewportEvent(QEvent* event) {
    // Tool tips are looked up when asked for, not stored in every item.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const CXML* node = NodeOf(itemAt(help->pos()));
        QString text = node ? ToolTipFor(node) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

void ProjectTreeView::keyPressEvent(QKeyEvent* event) {
    if (m_host.RunShortcut(*event))
        return;
    QTreeWidget::keyPressEvent(event);
}

void ProjectTreeView::mousePressEvent(QMouseEvent* event) {
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    m_pressedSelected = item && item->isSelected() && item == currentItem();
    QTreeWidget::mousePressEvent(event);
}

void ProjectTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on the item that was already selected edits its name.
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item && m_pressedSelected && item == currentItem()) {
        editItem(item);
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void ProjectTreeView::contextMenuEvent(QContextMenuEvent* event) {
    QTreeWidgetItem* item = itemAt(viewport()->mapFromGlobal(event->globalPos()));
    if (item && !item->isSelected())
        setCurrentItem(item);
    m_host.UpdateActionStates();
    QMenu menu(this);
    for (int id : PopupCommands()) {
        if (id == 0)
            menu.addSeparator();
        else if (QAction* action = m_host.ActionFor(id))
            menu.addAction(action);
    }
    menu.exec(event->globalPos());
}

// ---- Drag and drop

QMimeData* ProjectTreeView::DragData() const {
    std::vector<QTreeWidgetItem*> selected = SelectedInTreeOrder();
    if (selected.empty())
        return nullptr;
    QTreeWidgetItem* first = currentItem() && currentItem()->isSelected() ? currentItem() : selected.front();
    auto* mime = new QMimeData;
    const CXML* node = NodeOf(first);
    mime->setData(m_ids.dragFormat, QByteArray::fromStdString(node ? node->GetAttr("Local") : ""));
    mime->setData(kDragSourceFormat, DragSourceToken());
    return mime;
}

QByteArray ProjectTreeView::DragSourceToken() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + ":" +
           QByteArray::number(reinterpret_cast<quintptr>(this));
}

bool ProjectTreeView::IsFromSelf(const QDropEvent* event) const {
    return event->source() == this ||
           event->mimeData()->data(kDragSourceFormat) == DragSourceToken();
}

void ProjectTreeView::startDrag(Qt::DropActions) {
    QMimeData* mime = DragData();
    if (!mime)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    if (QTreeWidgetItem* item = currentItem())
        drag->setPixmap(item->icon(0).pixmap(16, 16));
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

bool ProjectTreeView::AcceptsTarget(const QDropEvent* event, QTreeWidgetItem* target) const {
    if (!IsFromSelf(event))
        return true;
    if (!target)
        return false;
    for (const QTreeWidgetItem* up = target; up; up = up->parent())
        if (up->isSelected())
            return false;
    return true;
}

void ProjectTreeView::SetDropTarget(QTreeWidgetItem* item) {
    if (item == m_dropTarget)
        return;
    if (m_dropTarget)
        m_dropTarget->setData(0, Qt::BackgroundRole, QVariant());
    m_dropTarget = item;
    if (m_dropTarget)
        m_dropTarget->setBackground(0, palette().color(QPalette::Highlight).lighter(160));
}

void ProjectTreeView::AcceptDropTarget() {
    QTreeWidgetItem* target = m_dropTarget;
    ClearDropTarget();
    if (target)
        setCurrentItem(target);
}

void ProjectTreeView::ClearDropTarget() {
    SetDropTarget(nullptr);
}

void ProjectTreeView::dragEnterEvent(QDragEnterEvent* event) {
    event->acceptProposedAction();
}

void ProjectTreeView::dragMoveEvent(QDragMoveEvent* event) {
    const QPoint position = event->position().toPoint();
    QTreeWidgetItem* target = itemAt(position);
    // Near the top or bottom edge the tree scrolls while the pointer rests.
    const int height = viewport()->height();
    m_scrollStep = position.y() < kScrollMargin ? -1 : position.y() > height - kScrollMargin ? 1 : 0;
    m_scrollStep ? m_scrollTimer.start() : m_scrollTimer.stop();
    if (!AcceptsTarget(event, target)) {
        SetDropTarget(nullptr);
        event->ignore();
        return;
    }
    SetDropTarget(target);
    event->acceptProposedAction();
}

void ProjectTreeView::dragLeaveEvent(QDragLeaveEvent*) {
    m_scrollTimer.stop();
    ClearDropTarget();
}

void ProjectTreeView::AutoScroll() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + m_scrollStep * bar->singleStep());
}

void ProjectTreeView::dropEvent(QDropEvent* event) {
    m_scrollTimer.stop();
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    const bool fromSelf = IsFromSelf(event);
    if (!AcceptsTarget(event, target)) {
        ClearDropTarget();
        event->ignore();
        return;
    }
    SetDropTarget(target);
    CXML* targetNode = NodeOf(target);
    m_model.SetDroppedNode(targetNode);
    QtDropData data(*event->mimeData());
    CCommandManager& commands = m_host.Commands();
    const int kind = commands.GetAppHelper()->DropHelper(data, fromSelf ? 1 : 0);
    switch (kind) {
    case DDOT_TEXT:
        if (target)
            Rename(target, ToQ(commands.GetAppHelper()->GetDroppedString()));
        break;
    case DDOT_FILES:
        commands.DoCommand(m_ids.filesDropCommand, nullptr);
        break;
    case DDOT_SELF:
        // As on every desktop: Ctrl copies, otherwise the entries move.
        if ((event->possibleActions() & Qt::MoveAction) &&
            !(event->modifiers() & Qt::ControlModifier))
            commands.DoCommand(m_ids.dragMoveCommand, nullptr);
        else if (event->possibleActions() & Qt::CopyAction)
            commands.DoCommand(m_ids.dragCopyCommand, nullptr);
        break;
    case DDOT_ARCHIVE_NODE:
        commands.DoCommand(m_ids.archiveDropCommand, nullptr);
        break;
    default:
        break;
    }
    ClearDropTarget();
    // The entries were moved by the command; Qt must not move items too.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    m_host.RefreshFromProject();
}

} // namespace mb::gui

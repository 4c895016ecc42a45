#include "app/gui/ViewFiles.h"

#include "app/gui/QtDropData.h"
#include "app/gui/UiText.h"
#include "app/gui/ViewHost.h"
#include "entryeditor/EntryIcons.h"

#include "appglue/AppHelper.h"
#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "editcommands/CommandIds.h"
#include "editcommands/CommandManager.h"
#include "projectmodel/ProjectFile.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

namespace mb::gui {

CViewFiles::CViewFiles(ViewHost& host, CProjectFile& project) : m_host(host), m_project(project) {
    setObjectName("FilesView");
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    m_project.Attach(this);
    m_project.GetHHPFile()->Attach(this);
    Fill();
}

CViewFiles::~CViewFiles() {
    m_project.GetHHPFile()->Detach(this);
    m_project.Detach(this);
}

int CViewFiles::Update(CSubject*, const NotifyInfo& info) {
    switch (info.code) {
    case NC_RELOADED:
    case NC_FILES_CHANGED:
    case NC_MERGE_FILES_CHANGED:
    case NC_FILES_EMPTIED:
    case NC_MERGE_FILES_EMPTIED:
        Fill();
        break;
    default:
        break;
    }
    return 1;
}

void CViewFiles::Fill() {
    setUpdatesEnabled(false);
    clear();
    // Files inside the project folder are shown by their path below it.
    const QString folder = QString::fromStdString(m_project.GetProjectFolder());
    auto shown = [&folder](const QString& path) {
        return !folder.isEmpty() && path.startsWith(folder) ? path.mid(folder.size()) : path;
    };
    auto heading = [this, &shown](const QString& text, const CXML* list, const QIcon& icon) {
        auto* top = new QTreeWidgetItem(QStringList(text));
        top->setFlags(Qt::ItemIsEnabled);
        QFont font = top->font(0);
        font.setBold(true);
        top->setFont(0, font);
        QList<QTreeWidgetItem*> children;
        for (int i = 0; list && i < list->GetChildCount(); ++i) {
            QString name = QString::fromStdString(list->GetChildAt(i)->GetAttr("Name"));
            auto* item = new QTreeWidgetItem(QStringList(shown(name)));
            item->setData(0, Qt::UserRole, name);
            item->setToolTip(0, name);
            item->setIcon(0, icon);
            children.append(item);
        }
        top->addChildren(children);
        addTopLevelItem(top);
        top->setExpanded(true);
        return top;
    };
    const CHHPFile* hhp = m_project.GetHHPFile();
    m_files = heading(Text(kStrProjectFilesHeading), hhp->GetFilesData(), ContentsIcon(kPageIcon));
    m_mergeFiles =
        heading(Text(kStrMergeFilesHeading), hhp->GetMergeFilesData(), ContentsIcon(kBookIcon));
    setUpdatesEnabled(true);
}

bool CViewFiles::HasFiles() const {
    return m_files->childCount() + m_mergeFiles->childCount() > 0;
}

std::vector<std::string> CViewFiles::SelectedUnder(const QTreeWidgetItem* heading) const {
    std::vector<std::string> names;
    for (int i = 0; heading && i < heading->childCount(); ++i)
        if (heading->child(i)->isSelected())
            names.push_back(heading->child(i)->data(0, Qt::UserRole).toString().toStdString());
    return names;
}

SelectedFiles CViewFiles::Selection() const {
    return {SelectedUnder(m_files), SelectedUnder(m_mergeFiles)};
}

void CViewFiles::keyPressEvent(QKeyEvent* event) {
    if (m_host.RunShortcut(*event))
        return;
    QTreeWidget::keyPressEvent(event);
}

void CViewFiles::contextMenuEvent(QContextMenuEvent* event) {
    m_host.UpdateActionStates();
    QMenu menu(this);
    for (int id : {ID_ADD_FOLDER, ID_NEW_PAGE, 0, ID_DELETE, ID_CLEAR}) {
        if (id == 0)
            menu.addSeparator();
        else if (QAction* action = m_host.ActionFor(id))
            menu.addAction(action);
    }
    menu.exec(event->globalPos());
}

void CViewFiles::startDrag(Qt::DropActions) {
    QTreeWidgetItem* item = currentItem();
    if (!item || !item->parent())
        return;
    auto* mime = new QMimeData;
    mime->setData(CDragDropHelper::GetCF_View_Files(),
                  item->data(0, Qt::UserRole).toString().toUtf8());
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void CViewFiles::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void CViewFiles::dragMoveEvent(QDragMoveEvent* event) {
    // Files from outside; the view's own files are not dropped on it.
    if (event->source() != this && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CViewFiles::dropEvent(QDropEvent* event) {
    // Dropped files go into the project's files list, compiled help files
    // onto the merge files when dropped on that heading or its files.
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    bool merge = target && (target == m_mergeFiles || target->parent() == m_mergeFiles);
    QtDropData data(*event->mimeData());
    CCommandManager& commands = m_host.Commands();
    if (commands.GetAppHelper()->DropHelper(data, 0) == DDOT_FILES)
        commands.DoCommand(merge ? CMD_FOLDER_VIEW_TO_MERGE_FILES : CMD_FOLDER_VIEW_TO_FILES, nullptr);
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    m_host.RefreshFromProject();
}

} // namespace mb::gui

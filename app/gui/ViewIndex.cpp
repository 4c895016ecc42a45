#include "app/gui/ViewIndex.h"

#include "app/gui/UiText.h"
#include "entryeditor/EntryIcons.h"

#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "editcommands/CommandIds.h"
#include "projectmodel/ProjectFile.h"

namespace mb::gui {

namespace {

const ProjectTreeView::TreeIds kIndexIds = {
    CMD_RENAME_INDEX,         CMD_DRAG_MOVE_INDEX,        CMD_DRAG_COPY_INDEX,
    CMD_FOLDER_VIEW_TO_INDEX, CMD_ARCHIVE_VIEW_TO_INDEX,  NC_INDEX_RENAMED,
    NC_INDEX_ADDED,           NC_INDEX_REMOVED,           NC_INDEX_SELECTED,
    NC_INDEX_FONT_CHANGED,    "application/x-marrowbook-view-index",
};

} // namespace

CViewIndex::CViewIndex(ViewHost& host, CProjectFile& project)
    : ProjectTreeView(host, project, *project.GetHHKFile(), kIndexIds) {
    setObjectName("IndexView");
}

void CViewIndex::Decorate(QTreeWidgetItem* item, const CXML* node) const {
    item->setIcon(0, IndexIcon(NumberAttr(node, "Type", 0)));
}

QString CViewIndex::ToolTipFor(const CXML* node) const {
    std::string seeAlso = node->GetAttr("SeeAlso");
    if (!seeAlso.empty())
        return Text(kStrSeeAlso).arg(QString::fromStdString(seeAlso));
    return QString::fromStdString(node->GetAttr("Local"));
}

bool CViewIndex::UpdateOwn(const NotifyInfo& info) {
    if (info.code != NC_INDEX_TYPE_CHANGED && info.code != NC_INDEX_LOCAL_CHANGED)
        return false;
    if (QTreeWidgetItem* item = info.node ? ItemForID(info.node->GetAttr("ID")) : nullptr)
        Decorate(item, info.node);
    return true;
}

std::vector<int> CViewIndex::PopupCommands() const {
    return {ID_ADD_KEYWORD, ID_DELETE_KEYWORD, ID_RENAME_KEYWORD, 0,
            ID_ADD_FILES,   ID_ADD_FOLDER,     ID_NEW_PAGE,       0,
            ID_MOVE_UP,     ID_MOVE_DOWN,      ID_MOVE_LEVEL_UP,  ID_MOVE_LEVEL_DOWN,
            0,              ID_SORT_A_TO_Z,    ID_SORT_Z_TO_A};
}

} // namespace mb::gui

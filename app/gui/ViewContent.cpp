#include "app/gui/ViewContent.h"

#include "entryeditor/EntryIcons.h"

#include "baseutil/TextFold.h"
#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "editcommands/CommandIds.h"
#include "projectmodel/ProjectFile.h"

#include <QPalette>


namespace mb::gui {

namespace {

// Window styles of the contents window that a Qt tree can show.
constexpr uint32_t kHasButtons = 0x1;
constexpr uint32_t kHasLines = 0x2;
constexpr uint32_t kLinesAtRoot = 0x4;
constexpr uint32_t kSingleExpand = 0x400;
constexpr uint32_t kBorder = 0x800000;

const ProjectTreeView::TreeIds kContentIds = {
    CMD_RENAME_CONTENTS,        CMD_DRAG_MOVE_CONTENTS,   CMD_DRAG_COPY_CONTENTS,
    CMD_FOLDER_VIEW_TO_CONTENTS, CMD_ARCHIVE_VIEW_TO_CONTENTS, NC_CONTENT_RENAMED,
    NC_CONTENT_ADDED,           NC_CONTENT_REMOVED,       NC_CONTENT_SELECTED,
    NC_CONTENT_FONT_CHANGED,    "application/x-marrowbook-view-content",
};

} // namespace

CViewContent::CViewContent(ViewHost& host, CProjectFile& project)
    : ProjectTreeView(host, project, *project.GetHHCFile(), kContentIds) {
    setObjectName("ContentsView");
    ApplyBackground(project.HHC_GetBackgroundColor());
    ApplyWindowStyles();
    // With the single-expand style, opening a branch closes its siblings.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (!(Project().HHC_GetWindowStyles() & kSingleExpand))
            return;
        QTreeWidgetItem* parent = item->parent() ? item->parent() : invisibleRootItem();
        for (int i = 0; i < parent->childCount(); ++i)
            if (parent->child(i) != item && parent->child(i)->isExpanded())
                parent->child(i)->setExpanded(false);
    });
}

void CViewContent::BeforeDecorating() {
    m_defaultFile.clear();
    Project().HHP_GetWindowsData(WIN_DEFAULT_FILE, m_defaultFile);
    if (m_defaultFile.empty())
        Project().HHP_GetOptionsData(OPT_DEFAULT_TOPIC, m_defaultFile);
}

void CViewContent::Decorate(QTreeWidgetItem* item, const CXML* node) const {
    const int number = NumberAttr(node, "ImageNumber", kPageIcon);
    item->setIcon(0, number < 0 ? QIcon() : ContentsIcon(number));
    const bool merge = NumberAttr(node, "Type", 0) == CHHCFile::kMergeType;
    const std::string* local = node->FindAttr("Local");
    const bool isDefault =
        !m_defaultFile.empty() && local && mb::CompareNoCase(*local, m_defaultFile) == 0;
    if (merge || isDefault || item->data(0, Qt::FontRole).isValid()) {
        QFont font;
        font.setBold(isDefault);
        font.setItalic(merge);
        item->setFont(0, font);
    }
}

QString CViewContent::ToolTipFor(const CXML* node) const {
    return QString::fromStdString(node->GetAttr("Local"));
}

bool CViewContent::UpdateOwn(const NotifyInfo& info) {
    switch (info.code) {
    case NC_CONTENT_IMAGE_CHANGED:
    case NC_CONTENT_LOCAL_CHANGED:
    case NC_CONTENT_LOCAL_CLEARED:
    case NC_CONTENT_LOCAL_ADDED:
        if (QTreeWidgetItem* item = info.node ? ItemForID(info.node->GetAttr("ID")) : nullptr) {
            BeforeDecorating();
            Decorate(item, info.node);
        }
        return true;
    case NC_CONTENT_BKCOLOR_CHANGED:
        if (info.node)
            ApplyBackground(static_cast<uint32_t>(std::strtoul(info.node->GetAttr("value").c_str(), nullptr, 10)));
        return true;
    case NC_CONTENT_WINDOWSTYLE_CHANGED:
        ApplyWindowStyles();
        return true;
    default:
        return false;
    }
}

void CViewContent::ApplyBackground(uint32_t colour) {
    // Stored as 0x00BBGGRR.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    setPalette(palette);
}

void CViewContent::ApplyWindowStyles() {
    uint32_t styles = Project().HHC_GetWindowStyles();
    setRootIsDecorated((styles & (kHasButtons | kLinesAtRoot)) != 0);
    setIndentation((styles & kHasLines) ? 20 : 14);
    setFrameShape((styles & kBorder) ? QFrame::StyledPanel : QFrame::NoFrame);
}

std::vector<int> CViewContent::PopupCommands() const {
    return {ID_ADD_FILES,   ID_ADD_FOLDER,       ID_ADD_HEADING,     ID_NEW_PAGE,
            0,              ID_LINK_LOCAL_FILE,  ID_LINK_URL,        ID_REMOVE_LINK,
            0,              ID_RENAME,           ID_CHANGE_ICON,     ID_DELETE,
            0,              ID_SET_DEFAULT_TOPIC, ID_ADD_TO_INDEX,   ID_ADD_PAGE_KEYWORDS,
            0,              ID_MOVE_UP,          ID_MOVE_DOWN,       ID_MOVE_LEVEL_UP,
            ID_MOVE_LEVEL_DOWN, 0,               ID_SORT_A_TO_Z,     ID_SORT_Z_TO_A};
}

} // namespace mb::gui

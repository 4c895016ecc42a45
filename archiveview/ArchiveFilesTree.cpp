#include "archiveview/ArchiveFilesTree.h"

#include "appglue/DragDropHelper.h"
#include "archiveview/ArchiveMimeData.h"

namespace mb::archive {

CArchiveFilesTree::CArchiveFilesTree(ElementOf elementOf, TreeOf treeOf, QWidget* parent)
    : QTreeWidget(parent), m_elementOf(std::move(elementOf)), m_treeOf(std::move(treeOf)) {
    setHeaderHidden(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
}

QMimeData* CArchiveFilesTree::mimeData(const QList<QTreeWidgetItem*>& items) const {
    CXML* element = items.isEmpty() ? nullptr : m_elementOf(items.first());
    return element ? new CArchiveMimeData(m_treeOf(), element) : nullptr;
}

QStringList CArchiveFilesTree::mimeTypes() const {
    return {CDragDropHelper::GetCF_ArchiveView()};
}

Qt::DropActions CArchiveFilesTree::supportedDropActions() const {
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

} // namespace mb::archive

#pragma once
// The tree of the CHM explorer. Dragging an item offers its element as
// CArchiveMimeData (copy, move and link).

#include <QTreeWidget>

#include <functional>
#include <memory>

class CXML;

namespace mb::archive {

class CArchiveFilesTree : public QTreeWidget {
    Q_OBJECT
public:
    // `elementOf` gives the element of an item; `tree` keeps the document
    // of the elements alive for the drag.
    using ElementOf = std::function<CXML*(const QTreeWidgetItem*)>;
    using TreeOf = std::function<std::shared_ptr<CXML>()>;
    CArchiveFilesTree(ElementOf elementOf, TreeOf treeOf, QWidget* parent = nullptr);

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;

private:
    ElementOf m_elementOf;
    TreeOf m_treeOf;
};

} // namespace mb::archive

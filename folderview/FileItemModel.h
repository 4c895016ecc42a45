#pragma once
// Items for files and folders of the disk, each carrying its absolute path;
// dragging them out gives the desktop's file list (text/uri-list), which the
// contents, index and files views take like files dropped from a file
// manager.

#include <QStandardItemModel>

class QFileInfo;

class FileItemModel : public QStandardItemModel {
    Q_OBJECT
public:
    // Data role of the absolute path.
    static constexpr int PathRole = Qt::UserRole + 1;

    using QStandardItemModel::QStandardItemModel;

    // The name item of `info`: its icon, its name, its path.
    static QStandardItem* NameItem(const QFileInfo& info);
    static QString PathOf(const QModelIndex& index) { return index.data(PathRole).toString(); }

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
};

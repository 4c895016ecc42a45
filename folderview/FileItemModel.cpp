#include "folderview/FileItemModel.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QStandardItem* FileItemModel::NameItem(const QFileInfo& info) {
    static const QFileIconProvider icons;
    auto* item = new QStandardItem(icons.icon(info), info.fileName());
    item->setData(info.absoluteFilePath(), PathRole);
    item->setEditable(false);
    item->setDropEnabled(false);
    return item;
}

QStringList FileItemModel::mimeTypes() const {
    return {"text/uri-list"};
}

QMimeData* FileItemModel::mimeData(const QModelIndexList& indexes) const {
    QList<QUrl> urls;
    for (const QModelIndex& index : indexes) {
        // One entry per row: the other columns repeat the same file.
        if (index.column() == 0 && !PathOf(index).isEmpty())
            urls << QUrl::fromLocalFile(PathOf(index));
    }
    if (urls.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

#pragma once
// The files tab: the project's topic files (the [FILES] list) and its merge
// files, each under a heading of its own. The delete commands take the
// selected files of either list; the view follows the project's
// notifications.

#include "baseutil/MainWindow.h"
#include "baseutil/Subject.h"

#include <QTreeWidget>

class CProjectFile;

namespace mb::gui {

class ViewHost;

class CViewFiles final : public QTreeWidget, public CObserver {
public:
    CViewFiles(ViewHost& host, CProjectFile& project);
    ~CViewFiles() override;

    int Update(CSubject* subject, const NotifyInfo& info) override;
    void Fill();
    // Whether the project lists any topic or merge file.
    bool HasFiles() const;

    // The selected files of both lists.
    SelectedFiles Selection() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    std::vector<std::string> SelectedUnder(const QTreeWidgetItem* heading) const;

    ViewHost& m_host;
    CProjectFile& m_project;
    QTreeWidgetItem* m_files = nullptr;
    QTreeWidgetItem* m_mergeFiles = nullptr;
};

} // namespace mb::gui

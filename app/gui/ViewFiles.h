#pragma once
// The files tab: the project's topic files (the [FILES] list) and its merge
// files, each under a heading of its own. Deleting works on the selected
// files of either list; the files list follows the project's notifications.

#include "baseutil/Subject.h"

#include <QTreeWidget>

class CProjectFile;

namespace mb::gui {

class MainFrame;

class CViewFiles final : public QTreeWidget, public CObserver {
    Q_OBJECT
public:
    CViewFiles(MainFrame& frame, CProjectFile& project);
    ~CViewFiles() override;

    int Update(CSubject* subject, void* notification) override;
    void Fill();
    // Whether the project lists any topic or merge file.
    bool HasFiles() const;

    // The answers to the delete requests of the files commands: each asks
    // before it takes files out of the project (nothing selected, nothing
    // asked).
    void DeleteSelectedFiles();
    void DeleteSelectedMergeFiles();
    void DeleteAllFiles();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    QStringList SelectedUnder(const QTreeWidgetItem* heading) const;
    // Takes the files and merge files out of the project when the user
    // agrees.
    void RemoveAfterAsking(const QStringList& files, const QStringList& mergeFiles);
    // Asks Yes or No about `count` files: `one` for one file, else `many`
    // with the count for %1; true for Yes.
    static bool Confirm(int count, const QString& one, const QString& many);

    MainFrame& m_frame;
    CProjectFile& m_project;
    QTreeWidgetItem* m_files = nullptr;
    QTreeWidgetItem* m_mergeFiles = nullptr;
};

} // namespace mb::gui

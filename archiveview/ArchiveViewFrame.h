#pragma once
// The CHM explorer: opens any compiled help file, shows every storage and
// stream inside it as a tree, previews the selected element by its kind,
// extracts single elements or the whole file, and lets elements be dragged
// into the project's contents and index. The help file is only read.

#include "baseutil/UserChannels.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class CXML;
class QAction;
class QStackedWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWebEngineView;

namespace mb::web {
class CHTMLWriter;
}

namespace mb::archive {

class CArchiveFilesTree;

class CArchiveViewFrame : public QWidget {
    Q_OBJECT
public:
    // Questions go to the prompt of `channels`, what an extraction could
    // not write to its log (the channels must outlive the frame).
    explicit CArchiveViewFrame(const UserChannels& channels, QWidget* parent = nullptr);
    ~CArchiveViewFrame() override;

    // The folder of the file opened last ("" until one was opened).
    const std::string& GetLastOpenCHMFilePath() const { return m_lastFolder; }

    // Opens `path` (".chm" is added when its lower-case form does not end
    // in it), fills the tree and shows the file's welcome page, or a page
    // that says why it could not be read. True when it was read.
    bool OpenFile(std::string path);

    // The toolbar commands.
    void OnUI_OpenCHM();
    void OnUI_ExtractSelect();
    void OnUI_ExtractAll();
    void OnUI_Back();
    void OnUI_Forward();

    QTreeWidget* FilesTree() const;
    QWebEngineView* Preview() const { return m_preview; }
    // The root of the tree document ("FILES_TREE_ROOT").
    CXML* Root() const { return m_root.get(); }
    // The element of a tree item (null for none).
    CXML* ElementOf(const QTreeWidgetItem* item) const;

signals:
    // The preview finished showing what the last selection or open asked
    // for (ok false when it could not).
    void PreviewShown(bool ok);

private:
    QToolBar* BuildToolBar();
    void FillTree();
    void ShowPreview(QTreeWidgetItem* item);
    void ShowPage(const std::string& html);
    void UpdateActions();
    // The path of an element inside the help file ("a/b.htm").
    std::string InnerPath(const CXML* element) const;
    bool ExtractStorage(const CXML* element);
    bool ExtractStream(const CXML* element);

    const UserChannels& m_channels;
    std::shared_ptr<CXML> m_root;
    std::vector<CXML*> m_elements; // by the number each tree item carries
    std::string m_lastFolder;
    bool m_ready = false;
    CArchiveFilesTree* m_tree = nullptr;
    QTreeWidget* m_placeholder = nullptr;
    QStackedWidget* m_trees = nullptr;
    QWebEngineView* m_preview = nullptr;
    web::CHTMLWriter* m_writer = nullptr;
    QAction* m_open = nullptr;
    QAction* m_extractSelected = nullptr;
    QAction* m_extractAll = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
};

} // namespace mb::archive

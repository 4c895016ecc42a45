#pragma once
// The page preview and editor: shows the page of the selected contents or
// index entry in a web view (preview mode) or as its HTML source beside a
// live preview (edit mode), saves edited pages, and opens the page in the
// user's favourite external editors. It follows the project through its
// notifications and never changes the project model.

#include "baseutil/Desktop.h"
#include "baseutil/Prompt.h"
#include "baseutil/Subject.h"
#include "baseutil/SubjectWatch.h"
#include "projectmodel/PageText.h"

#include <QWidget>

#include <functional>
#include <string>

class CFavoriteEditorManager;
class CHHCFile;
class CHHKFile;
class CProjectFile;
class CSitemapFile;
class QAction;
class QPlainTextEdit;
class QStackedWidget;
class QTimer;
class QToolBar;
class QToolButton;
class QWebEngineView;

namespace mb::web {
class CHTMLWriter;
}

namespace mb::page {

// The program learns of the page editor's requests from its signals; an
// installed callback is called as well, with code 5 for the request to open
// the favourite-editor settings.
using EditorCallback = std::function<void(int code, int value)>;
void HE_SetCallBackFunction(EditorCallback callback);
inline constexpr int kCallbackFavoriteEditors = 5;

class CPreviewEditFrame : public QWidget, public CObserver {
    Q_OBJECT
public:
    enum Mode { kPreview = 0, kEdit = 1 };

    // External editors start through `desktop`; questions and warnings go
    // to `prompt`.
    CPreviewEditFrame(IDesktop& desktop, IPrompt& prompt, QWidget* parent = nullptr);
    ~CPreviewEditFrame() override;

    // Watches the project and its contents and index (null: none).
    void SetProjectSubject(CProjectFile* project);
    void SetFavoriteEditorManager(CFavoriteEditorManager* manager) { m_editors = manager; }
    void SetEnablePreview(int enable) { m_previewEnabled = enable != 0; }
    int GetHtmlDisplayMode() const { return m_mode; }
    bool IsHtmlEditViewActive() const { return m_mode == kEdit; }

    // Shows `address` ("" is the blank page): in the preview, or loaded into
    // the source editor. Nothing happens while a project loads, or when the
    // user keeps an edited page rather than leaving it; false then.
    bool Navigate(const std::string& address);
    // Shows the "Local" of `node` (null: the blank page) unless it is the
    // address shown for an entry last.
    void Navigate(CXML* node);
    // Points the preview at `address` (sitemaps show the blank page).
    void PreviewNavigate(const std::string& address);
    const std::string& CurrentAddress() const { return m_current; }

    // True for paths whose extension is "htm" or "html" (any case).
    static bool IsEditableFile(const std::string& path);

    // Before another page is shown: asks whether to save a changed page.
    // True when the frame may go on (saved, discarded or nothing changed).
    // Without `mayCancel` only Save and Discard are offered.
    bool SaveBeforeLeave(bool mayCancel = true);

    void SetPreviewMode();
    void SetEditMode();
    // Saves the page being edited in its own encoding, byte-order mark and
    // line ends. False when it was not written (read-only, no page,
    // failure; the user has been told).
    bool Save();

    // The favourite-editor button: proposes to set editors up, or offers
    // the menu of those for the current page.
    void OnFavoriteEditors();
    // A choice of that menu: favourite `index`, or past the last one "set up".
    void OnFavoriteEditorChosen(int index);

    QWebEngineView* Browser() const { return m_browser; }
    QPlainTextEdit* SourceEditor() const { return m_source; }
    QWebEngineView* LivePreview() const { return m_live; }

    int Update(CSubject* subject, const NotifyInfo& info) override;

signals:
    // The tab that holds the frame should read `label` (preview or editor).
    void LabelChanged(const QString& label);
    // The user asked to set up the favourite editors.
    void FavoriteEditorsRequested();

private:
    // Emits FavoriteEditorsRequested and calls the installed callback.
    void RequestFavoriteEditors();
    void BuildToolBars();
    void UpdateActions();
    void LoadIntoEditor(const std::string& address);
    void RefreshLivePreview();
    // Shows the selected entry of the tree in front.
    void ShowSelectedEntry();
    // The tree whose tab is in front: the preview follows its selection only.
    CSitemapFile* ActiveTree() const;
    // The local file the favourite editors should open, or "" after the
    // refusal has been shown.
    std::string FileForExternalEditor();
    int LanguageId() const;

    CProjectFile* m_project = nullptr;
    CHHCFile* m_contents = nullptr;
    CHHKFile* m_index = nullptr;
    // The trees, not watched while a project is read.
    SubjectWatch m_treeWatch{*this};
    IDesktop& m_desktop;
    IPrompt& m_prompt;
    CFavoriteEditorManager* m_editors = nullptr;

    Mode m_mode = kPreview;
    bool m_previewEnabled = true;
    bool m_indexInFront = false;
    std::string m_current = "about:blank";
    std::string m_lastNodeAddress;
    std::string m_pagePath; // the file in the source editor ("" when not editable)
    PageEncoding m_encoding;
    // The text of the page as last loaded or saved, whose line ends a save
    // keeps.
    std::string m_loadedText;

    QToolBar* m_toolbar = nullptr;
    QToolBar* m_editBar = nullptr;
    QToolButton* m_favoriteButton = nullptr;
    QAction* m_previewAction = nullptr;
    QAction* m_editAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_backAction = nullptr;
    QAction* m_forwardAction = nullptr;
    QAction* m_refreshAction = nullptr;
    QStackedWidget* m_stack = nullptr;
    QWebEngineView* m_browser = nullptr;
    QWidget* m_editView = nullptr;
    QPlainTextEdit* m_source = nullptr;
    QWebEngineView* m_live = nullptr;
    web::CHTMLWriter* m_liveWriter = nullptr;
    QTimer* m_liveTimer = nullptr;
};

} // namespace mb::page

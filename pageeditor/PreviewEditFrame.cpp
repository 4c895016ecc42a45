#include "pageeditor/PreviewEditFrame.h"

#include "commonkit/WindowTexts.h"
#include "pageeditor/HtmlHighlighter.h"
#include "pageeditor/PageAddress.h"

#include "baseutil/Desktop.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "commonkit/FavoriteEditorManager.h"
#include "commonkit/StringTable.h"
#include "helpweb/ActionText.h"
#include "helpweb/HTMLWriter.h"
#include "helpweb/HelpWeb.h"
#include "projectmodel/HHPFile.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/SitemapFile.h"

#include <QAction>
#include <QActionGroup>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

#include <filesystem>

namespace mb::page {

namespace {

constexpr int kStrCaption = 8;
constexpr int kStrCannotSave = 293;
constexpr int kStrSetUpEditors = 335;
constexpr int kStrNoEditorFor = 336;
constexpr int kStrSetUpNow = 337;
constexpr int kStrReadOnly = 481;
constexpr int kStrNotLocalFile = 482;
constexpr int kStrNoSuchEditor = 518;
constexpr int kStrPreviewLabel = 529;
constexpr int kStrEditorLabel = 530;
constexpr int kLivePreviewDelayMs = 400;

EditorCallback g_callback;

std::string S(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

QString Q(int n) {
    return QString::fromStdString(S(n));
}

void Warn(IPrompt& prompt, const std::string& text) {
    ShowMessage(prompt, text, S(kStrCaption), Buttons::Ok, Icon::Warning);
}

} // namespace

void HE_SetCallBackFunction(EditorCallback callback) {
    g_callback = std::move(callback);
}

CPreviewEditFrame::CPreviewEditFrame(IDesktop& desktop, IPrompt& prompt, QWidget* parent)
    : QWidget(parent), m_desktop(desktop), m_prompt(prompt) {
    m_browser = new QWebEngineView;
    m_browser->setPage(web::NewHelpPage(m_browser));

    m_source = new QPlainTextEdit;
    m_source->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_source->setLineWrapMode(QPlainTextEdit::NoWrap);
    new CHtmlHighlighter(m_source->document());
    m_live = new QWebEngineView;
    m_live->setPage(web::NewHelpPage(m_live));
    m_liveWriter = new web::CHTMLWriter(m_live, this);
    m_liveTimer = new QTimer(this);
    m_liveTimer->setSingleShot(true);
    m_liveTimer->setInterval(kLivePreviewDelayMs);
    connect(m_liveTimer, &QTimer::timeout, this, [this] { RefreshLivePreview(); });
    connect(m_source, &QPlainTextEdit::textChanged, m_liveTimer, qOverload<>(&QTimer::start));
    connect(m_source, &QPlainTextEdit::modificationChanged, this, [this] { UpdateActions(); });

    // The source beside its live preview, half and half.
    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(m_source);
    split->addWidget(m_live);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({500, 500});
    m_editView = split;

    m_stack = new QStackedWidget;
    m_stack->addWidget(m_browser);
    m_stack->addWidget(m_editView);

    BuildToolBars();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_editBar);
    layout->addWidget(m_stack, 1);
    m_editBar->hide();
    UpdateActions();
}

CPreviewEditFrame::~CPreviewEditFrame() {
    SetProjectSubject(nullptr);
}

void CPreviewEditFrame::BuildToolBars() {
    QStyle* style = this->style();
    // A toolbar command with the texts of its command id.
    auto add = [](QToolBar* bar, int id, const QIcon& icon, auto&& run) {
        QAction* action = bar->addAction(icon, QString(), run);
        std::string texts;
        if (CHEStrHelper::GetMLStringByID(id, texts))
            web::SetActionTexts(action, texts);
        return action;
    };
    m_toolbar = new QToolBar(this);
    m_toolbar->setIconSize(QSize(16, 16));
    auto* modes = new QActionGroup(this);
    m_previewAction =
        add(m_toolbar, ID_HE_PREVIEW_MODE, style->standardIcon(QStyle::SP_FileDialogContentsView),
            [this] { SetPreviewMode(); });
    m_editAction =
        add(m_toolbar, ID_HE_EDIT_MODE, style->standardIcon(QStyle::SP_FileDialogDetailedView),
            [this] { SetEditMode(); });
    for (QAction* action : {m_previewAction, m_editAction}) {
        action->setCheckable(true);
        modes->addAction(action);
    }
    m_previewAction->setChecked(true);
    m_saveAction = add(m_toolbar, ID_HE_SAVE, style->standardIcon(QStyle::SP_DialogSaveButton),
                       [this] { Save(); });
    m_toolbar->addSeparator();
    m_backAction = add(m_toolbar, ID_HE_BACK, style->standardIcon(QStyle::SP_ArrowBack),
                       [this] { m_browser->back(); });
    m_forwardAction = add(m_toolbar, ID_HE_FORWARD, style->standardIcon(QStyle::SP_ArrowForward),
                          [this] { m_browser->forward(); });
    m_refreshAction = add(m_toolbar, ID_HE_REFRESH, style->standardIcon(QStyle::SP_BrowserReload),
                          [this] { m_browser->reload(); });
    for (auto web : {QWebEnginePage::Back, QWebEnginePage::Forward})
        connect(m_browser->pageAction(web), &QAction::changed, this, [this] { UpdateActions(); });
    m_toolbar->addSeparator();
    QAction* favorites =
        add(m_toolbar, ID_HE_FAVORITE_EDITORS, style->standardIcon(QStyle::SP_DesktopIcon),
            [this] { OnFavoriteEditors(); });
    m_favoriteButton = qobject_cast<QToolButton*>(m_toolbar->widgetForAction(favorites));
    m_favoriteButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    // The source editing commands, and a find field.
    m_editBar = new QToolBar(this);
    m_editBar->setIconSize(QSize(16, 16));
    const std::pair<int, void (QPlainTextEdit::*)()> commands[] = {
        {ID_HE_UNDO, &QPlainTextEdit::undo},   {ID_HE_REDO, &QPlainTextEdit::redo},
        {ID_HE_CUT, &QPlainTextEdit::cut},     {ID_HE_COPY, &QPlainTextEdit::copy},
        {ID_HE_PASTE, &QPlainTextEdit::paste}, {ID_HE_SELECT_ALL, &QPlainTextEdit::selectAll}};
    for (const auto& command : commands)
        add(m_editBar, command.first, QIcon(), [this, slot = command.second] { (m_source->*slot)(); });
    m_editBar->addSeparator();
    auto* find = new QLineEdit;
    find->setMaximumWidth(200);
    find->setClearButtonEnabled(true);
    QAction* findAction = add(m_editBar, ID_HE_FIND, QIcon(), [find] { find->setFocus(); });
    find->setPlaceholderText(findAction->text());
    m_editBar->addWidget(find);
    // Enter finds the next occurrence, starting again at the top after the last.
    connect(find, &QLineEdit::returnPressed, this, [this, find] {
        if (find->text().isEmpty() || m_source->find(find->text()))
            return;
        m_source->moveCursor(QTextCursor::Start);
        m_source->find(find->text());
    });
}

void CPreviewEditFrame::UpdateActions() {
    const bool editing = m_mode == kEdit;
    m_saveAction->setEnabled(editing && !m_pagePath.empty() && m_source->document()->isModified());
    m_backAction->setEnabled(!editing && m_browser->pageAction(QWebEnginePage::Back)->isEnabled());
    m_forwardAction->setEnabled(!editing &&
                                m_browser->pageAction(QWebEnginePage::Forward)->isEnabled());
    m_refreshAction->setEnabled(!editing);
    m_editBar->setEnabled(editing && !m_pagePath.empty());
}

void CPreviewEditFrame::SetProjectSubject(CProjectFile* project) {
    if (m_project)
        m_project->Detach(this);
    m_project = project;
    m_contents = project ? project->GetHHCFile() : nullptr;
    m_index = project ? project->GetHHKFile() : nullptr;
    if (!project) {
        m_treeWatch.Watch({});
        return;
    }
    project->Attach(this);
    m_treeWatch.Watch({m_contents, m_index});
}

bool CPreviewEditFrame::IsEditableFile(const std::string& path) {
    std::string extension = Lower(std::filesystem::path(path).extension().string());
    return extension == ".htm" || extension == ".html";
}

bool CPreviewEditFrame::Navigate(const std::string& address) {
    if (!m_previewEnabled)
        return false;
    std::string target = address.empty() ? "about:blank" : address;
    if (IsInsideHelpFile(target) && !StartsWith(Lower(target), "ms-its:"))
        target = "ms-its:" + target;
    if (m_mode == kEdit) {
        if (!SaveBeforeLeave())
            return false;
        m_current = target;
        LoadIntoEditor(target);
    } else {
        m_current = target;
        PreviewNavigate(target);
    }
    return true;
}

void CPreviewEditFrame::Navigate(CXML* node) {
    std::string address = node ? std::string(node->GetAttr("Local")) : std::string();
    if (address == m_lastNodeAddress)
        return;
    if (Navigate(address))
        m_lastNodeAddress = address;
}

void CPreviewEditFrame::PreviewNavigate(const std::string& address) {
    std::string lower = Lower(address);
    bool sitemap = EndsWith(lower, ".hhc") || EndsWith(lower, ".hhk");
    m_browser->load(sitemap ? QUrl("about:blank") : UrlOf(address));
}

void CPreviewEditFrame::LoadIntoEditor(const std::string& address) {
    m_pagePath.clear();
    m_encoding = PageEncoding();
    m_loadedText.clear();
    std::string text;
    std::string file = StartsWith(address, "/") ? WithoutAnchor(address) : std::string();
    if (!file.empty() && IsEditableFile(file)) {
        std::string bytes;
        if (!std::filesystem::exists(file) || ReadWholeFile(file, bytes)) {
            m_pagePath = file;
            text = DecodePage(bytes, LanguageId(), m_encoding);
            m_loadedText = text;
        }
    }
    {
        const QSignalBlocker block(m_source);
        m_source->setPlainText(QString::fromStdString(text));
    }
    m_source->setReadOnly(m_pagePath.empty());
    m_source->setPlaceholderText(m_pagePath.empty() ? Q(kStrOnlyLocalPagesEditable) : QString());
    m_source->document()->setModified(false);
    if (m_pagePath.empty())
        m_live->load(UrlOf(address));
    else
        RefreshLivePreview();
    UpdateActions();
}

void CPreviewEditFrame::RefreshLivePreview() {
    m_liveTimer->stop();
    if (m_pagePath.empty())
        return;
    m_liveWriter->Write(m_source->toPlainText().toStdString(),
                        QUrl::fromLocalFile(QString::fromStdString(m_pagePath)));
}

bool CPreviewEditFrame::SaveBeforeLeave(bool mayCancel) {
    if (m_mode != kEdit || m_pagePath.empty() || !m_source->document()->isModified())
        return true;
    for (;;) {
        Answer answer = m_prompt.Message(
            {Q(kStrAskSaveChangedPage).arg(QString::fromStdString(m_pagePath)).toStdString(),
             S(kStrCaption), mayCancel ? Buttons::YesNoCancel : Buttons::YesNo, Icon::Question,
             Answer::Yes}); // Enter keeps the changes
        if (answer == Answer::No) {
            m_source->document()->setModified(false); // discarded
            return true;
        }
        if (answer != Answer::Yes)
            return false;
        if (Save())
            return true;
        if (mayCancel)
            return false; // not written: stay on the page
    }
}

void CPreviewEditFrame::SetPreviewMode() {
    if (m_mode == kPreview)
        return;
    if (!SaveBeforeLeave()) {
        m_editAction->setChecked(true);
        return;
    }
    m_mode = kPreview;
    m_previewAction->setChecked(true);
    m_stack->setCurrentWidget(m_browser);
    m_editBar->hide();
    PreviewNavigate(m_current);
    UpdateActions();
    emit LabelChanged(Q(kStrPreviewLabel));
}

void CPreviewEditFrame::SetEditMode() {
    if (m_mode == kEdit)
        return;
    m_mode = kEdit;
    m_editAction->setChecked(true);
    m_stack->setCurrentWidget(m_editView);
    m_editBar->show();
    LoadIntoEditor(m_current);
    emit LabelChanged(Q(kStrEditorLabel));
}

bool CPreviewEditFrame::Save() {
    if (m_mode != kEdit || m_pagePath.empty())
        return false;
    if (std::filesystem::exists(m_pagePath) && IsReadOnlyFile(m_pagePath)) {
        Warn(m_prompt, S(kStrCannotSave) + "\n\n" + m_pagePath + "\n\n" + S(kStrReadOnly));
        return false;
    }
    // The editor's lines, joined with the page's own line ends.
    std::vector<std::string> lines;
    for (QTextBlock block = m_source->document()->begin(); block.isValid(); block = block.next())
        lines.push_back(block.text().toStdString());
    const std::string text = JoinLines(lines, m_loadedText);
    std::string bytes;
    if (!EncodePage(text, m_encoding, bytes)) {
        Warn(m_prompt, S(kStrCannotSave) + "\n\n" + m_pagePath + "\n\n" +
                           Q(kStrUnknownCharacterSet)
                               .arg(QString::fromStdString(m_encoding.name))
                               .toStdString());
        return false;
    }
    std::string error;
    if (!WriteFileSafely(m_pagePath, bytes, &error)) {
        Warn(m_prompt, S(kStrCannotSave) + "\n\n" + m_pagePath + "\n\n" + error);
        return false;
    }
    m_loadedText = text;
    m_source->document()->setModified(false);
    UpdateActions();
    return true;
}

std::string CPreviewEditFrame::FileForExternalEditor() {
    std::string file;
    if (m_mode == kEdit) {
        file = m_current;
        if (CPath(file).IsNetworkPath() || IsInsideHelpFile(file) || !StartsWith(file, "/"))
            file.clear();
    } else {
        QUrl url = m_browser->url();
        if (url.isLocalFile())
            file = url.toLocalFile().toStdString();
    }
    if (file.empty()) {
        Warn(m_prompt, m_current + "\n\n" + S(kStrNotLocalFile));
        return {};
    }
    return CPath(file).GetEditablePath();
}

void CPreviewEditFrame::OnFavoriteEditors() {
    if (CPath(m_current).IsNetworkPath()) {
        Warn(m_prompt, m_current + "\n\n" + S(kStrNotLocalFile));
        return;
    }
    int state = 0;
    CXML* type = m_editors ? m_editors->GetFavoriteEditor(m_current, state) : nullptr;
    if (!type || type->GetChildCount() == 0) {
        std::string extension =
            std::filesystem::path(CPath(m_current).GetRealFileName()).extension().string();
        if (!extension.empty())
            extension.erase(0, 1);
        if (ShowMessage(m_prompt, S(kStrNoEditorFor) + "\"" + extension + "\"" + S(kStrSetUpNow),
                        S(kStrCaption), Buttons::YesNo, Icon::Question) == Answer::Yes)
            RequestFavoriteEditors();
        return;
    }
    QMenu menu;
    for (int i = 0; i < type->GetChildCount(); ++i)
        menu.addAction(QString::fromStdString(type->GetChildAt(i)->GetAttr("name")))->setData(i);
    menu.addSeparator();
    menu.addAction(Q(kStrSetUpEditors))->setData(type->GetChildCount());
    if (QAction* chosen =
            menu.exec(m_favoriteButton->mapToGlobal(QPoint(0, m_favoriteButton->height()))))
        OnFavoriteEditorChosen(chosen->data().toInt());
}

void CPreviewEditFrame::RequestFavoriteEditors() {
    emit FavoriteEditorsRequested();
    if (g_callback)
        g_callback(kCallbackFavoriteEditors, 0);
}

void CPreviewEditFrame::OnFavoriteEditorChosen(int index) {
    int state = 0;
    CXML* type = m_editors ? m_editors->GetFavoriteEditor(m_current, state) : nullptr;
    if (!type || index < 0 || index >= type->GetChildCount()) {
        RequestFavoriteEditors();
        return;
    }
    const std::string program = type->GetChildAt(index)->Value();
    if (!CFavoriteEditorManager::IsEditorExist(program)) {
        Warn(m_prompt, "\"" + program + "\"\n\n" + S(kStrNoSuchEditor));
        return;
    }
    std::string file = FileForExternalEditor();
    if (file.empty())
        return;
    // The path goes to the editor as one argument; no shell sees it.
    if (!m_desktop.StartProgram(program, file)) {
        std::string name = type->GetChildAt(index)->GetAttr("name");
        std::string why = m_desktop.StartError();
        Warn(m_prompt, Q(kStrEditorNotStarted)
                               .arg(QString::fromStdString(name.empty() ? program : name))
                               .toStdString() +
                           (why.empty() ? "" : "\n\n" + why));
    }
}

int CPreviewEditFrame::LanguageId() const {
    int language = 1033;
    if (m_project)
        m_project->GetHHPFile()->GetOptionsData(OPT_LANGUAGE, language);
    return language;
}

CSitemapFile* CPreviewEditFrame::ActiveTree() const {
    return m_indexInFront ? static_cast<CSitemapFile*>(m_index)
                          : static_cast<CSitemapFile*>(m_contents);
}

void CPreviewEditFrame::ShowSelectedEntry() {
    CSitemapFile* tree = ActiveTree();
    CXML* selected = tree ? tree->GetSelectedNode() : nullptr;
    std::string address = selected ? std::string(selected->GetAttr("Local")) : std::string();
    if (Navigate(address))
        m_lastNodeAddress = address;
}

int CPreviewEditFrame::Update(CSubject* subject, const NotifyInfo& notice) {
    const NotifyInfo* info = &notice;
    // Only the tree in front is followed: a selection made in the other one
    // (say, when a project is read and both trees select their first entry)
    // waits until its tab comes to the front.
    const bool inFront = subject == ActiveTree();
    auto showIfSelected = [this, inFront](CSitemapFile* tree, CXML* node) {
        if (inFront && tree && node && node == tree->GetSelectedNode())
            Navigate(node);
    };
    if (subject == m_contents) {
        switch (info->code) {
        case NC_CONTENT_LOCAL_CHANGED:
        case NC_CONTENT_LOCAL_CLEARED:
        case NC_CONTENT_LOCAL_ADDED:
            showIfSelected(m_contents, info->node);
            break;
        case NC_CONTENT_SELECTED:
            if (inFront)
                Navigate(info->node);
            break;
        case NC_CONTENT_ACTIVATED:
            m_indexInFront = false;
            ShowSelectedEntry();
            break;
        case NC_CONTENT_DELETED_EMPTY:
            if (inFront)
                Navigate(static_cast<CXML*>(nullptr));
            break;
        default:
            break;
        }
    } else if (subject == m_index) {
        switch (info->code) {
        case NC_INDEX_SELECTED:
            if (inFront)
                Navigate(info->node);
            break;
        case NC_INDEX_LOCAL_CHANGED:
            showIfSelected(m_index, info->node);
            break;
        case NC_INDEX_ACTIVATED:
            m_indexInFront = true;
            ShowSelectedEntry();
            break;
        case NC_INDEX_DELETED_EMPTY:
            if (inFront)
                Navigate(static_cast<CXML*>(nullptr));
            break;
        default:
            break;
        }
    } else if (subject == m_project) {
        if (info->code == NC_LOAD_STARTING) {
            // Another project replaces this one: the page cannot stay.
            SaveBeforeLeave(false);
            m_previewEnabled = false;
        } else if (info->code == NC_LOAD_FINISHED) {
            m_previewEnabled = true;
            ShowSelectedEntry();
        }
        m_treeWatch.FollowProject(info->code);
    }
    return 1;
}

} // namespace mb::page

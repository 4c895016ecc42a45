#include "entryeditor/ViewTocIndexEntry.h"

#include "commonkit/WindowTexts.h"
#include "entryeditor/EntryIcons.h"

#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "editcommands/CommandIds.h"
#include "editcommands/CommandManager.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/TopicPath.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace mb;

namespace {

constexpr int kStrTitle = 8;
constexpr int kStrNoLink = 537;

// Index entry kinds ("Type").
constexpr int kKeyword = 0;
constexpr int kKeywordSeveralTopics = 4;
constexpr int kTopicOfKeyword = 5;

// GET_URL_MODE of command 11: pick a file, or take the values given.
constexpr int kPickFile = 1;
constexpr int kGivenValues = 3;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString WindowText(int n) {
    return Q(CStrHelper::ML_GetStringEx(n));
}

std::string S(const QString& text) {
    return text.toStdString();
}

std::string Attr(const CXML* node, const char* name) {
    return node ? std::string(node->GetAttr(name)) : std::string();
}

// Sets a field's text without the cursor jumping when nothing changed.
void Show(QLineEdit* field, const std::string& text) {
    if (field->text() != Q(text))
        field->setText(Q(text));
}

QLineEdit* ReadOnlyField() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    return field;
}

// A link field with its "..." button beside it.
QWidget* WithBrowseButton(QLineEdit* field, QToolButton* button) {
    button->setText("...");
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    layout->addWidget(button);
    return row;
}

} // namespace

CViewTocIndexEntry::CViewTocIndexEntry(QWidget* parent) : QWidget(parent) {
    setWindowTitle(Q(CStrHelper::ML_GetStringEx(kStrTitle)));
    // On a small screen the form scrolls rather than squeezing its fields
    // into each other.
    auto* form = new QWidget;
    auto* layout = new QVBoxLayout(form);
    layout->addWidget(BuildContentsGroup());
    layout->addWidget(BuildIndexGroup());
    layout->addStretch();
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(form);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    for (QLineEdit* field : {m_contentsName, m_contentsLink, m_indexName, m_indexLink})
        field->installEventFilter(this);
    ShowContentsEntry(nullptr);
    ShowIndexEntry(nullptr);
}

CViewTocIndexEntry::~CViewTocIndexEntry() {
    SetProjectSubject(nullptr);
}

QGroupBox* CViewTocIndexEntry::BuildContentsGroup() {
    m_contentsGroup = new QGroupBox(WindowText(kStrTocEntrySettings));
    m_contentsName = new QLineEdit;
    m_contentsName->setObjectName("contentsName");
    m_icon = new QComboBox;
    m_icon->setObjectName("icon");
    FillIconCombo();
    m_contentsLink = new QLineEdit;
    m_contentsLink->setObjectName("contentsLink");
    m_contentsBrowse = new QToolButton;
    m_contentsPath = ReadOnlyField();
    m_contentsPath->setObjectName("contentsPath");

    auto* form = new QFormLayout(m_contentsGroup);
    form->addRow(WindowText(kStrEntryNameField), m_contentsName);
    form->addRow(WindowText(kStrEntryIconField), m_icon);
    form->addRow(WindowText(kStrEntryLinkField),
                 WithBrowseButton(m_contentsLink, m_contentsBrowse));
    form->addRow(WindowText(kStrEntryPathField), m_contentsPath);

    connect(m_contentsName, &QLineEdit::editingFinished, this, [this] { CommitContentsName(); });
    connect(m_contentsLink, &QLineEdit::editingFinished, this, [this] { CommitContentsLink(); });
    // Only a choice of the user sends a command; showing an entry does not.
    connect(m_icon, &QComboBox::activated, this, [this](int position) { CommitIcon(position); });
    connect(m_contentsBrowse, &QToolButton::clicked, this, [this] { PickContentsLink(); });
    return m_contentsGroup;
}

QGroupBox* CViewTocIndexEntry::BuildIndexGroup() {
    m_indexGroup = new QGroupBox(WindowText(kStrIndexEntrySettings));
    m_indexName = new QLineEdit;
    m_indexName->setObjectName("indexName");
    m_indexLink = new QLineEdit;
    m_indexLink->setObjectName("indexLink");
    m_indexBrowse = new QToolButton;
    m_indexPath = ReadOnlyField();
    m_indexPath->setObjectName("indexPath");
    m_plainKeyword = new QCheckBox(WindowText(kStrKeywordWithOneTopic));
    m_plainKeyword->setObjectName("plainKeyword");
    m_severalTopics = new QCheckBox(WindowText(kStrKeywordWithSeveralTopics));
    m_severalTopics->setObjectName("severalTopics");
    m_topicOfKeyword = new QCheckBox(WindowText(kStrTopicOfKeyword));
    m_topicOfKeyword->setObjectName("topicOfKeyword");

    auto* types = new QGroupBox(WindowText(kStrItemTypeGroup));
    auto* typeLayout = new QVBoxLayout(types);
    typeLayout->addWidget(m_plainKeyword);
    typeLayout->addWidget(m_severalTopics);
    typeLayout->addWidget(m_topicOfKeyword);

    auto* form = new QFormLayout(m_indexGroup);
    form->addRow(WindowText(kStrEntryNameField), m_indexName);
    form->addRow(WindowText(kStrEntryLinkField), WithBrowseButton(m_indexLink, m_indexBrowse));
    form->addRow(WindowText(kStrEntryPathField), m_indexPath);
    form->addRow(types);

    connect(m_indexName, &QLineEdit::editingFinished, this, [this] { CommitIndexName(); });
    connect(m_indexLink, &QLineEdit::editingFinished, this,
            [this] { CommitIndexLink(StoredLink(S(m_indexLink->text()))); });
    connect(m_indexBrowse, &QToolButton::clicked, this, [this] { PickIndexLink(); });
    connect(m_plainKeyword, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            PlainKeywordChecked();
    });
    connect(m_topicOfKeyword, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            TopicOfKeywordChecked();
    });
    return m_indexGroup;
}

void CViewTocIndexEntry::FillIconCombo() {
    m_icon->setIconSize(QSize(kEntryIconSize, kEntryIconSize));
    for (int i = 0; i < kEntryIconCount; ++i)
        m_icon->addItem(ContentsIcon(i), WindowText(kStrIconNumber).arg(i + 1));
}

void CViewTocIndexEntry::SetProjectSubject(CProjectFile* project) {
    if (m_project)
        m_project->Detach(this);
    m_project = project;
    if (!m_project) {
        m_treeWatch.Watch({});
        return;
    }
    m_project->Attach(this);
    m_treeWatch.Watch({m_project->GetHHCFile(), m_project->GetHHKFile()});
    ShowContentsEntry(m_project->HHC_GetSelectedNode());
    ShowIndexEntry(m_project->HHK_GetSelectedNode());
}

CXML* CViewTocIndexEntry::ContentsEntry() const {
    return m_project && !m_contentsId.empty() ? m_project->HHC_GetNodeByID(m_contentsId) : nullptr;
}

CXML* CViewTocIndexEntry::IndexEntry() const {
    return m_project && !m_indexId.empty() ? m_project->HHK_GetNodeByID(m_indexId) : nullptr;
}

int CViewTocIndexEntry::Update(CSubject* subject, const NotifyInfo& notice) {
    const NotifyInfo* info = &notice;
    if (!m_project)
        return 0;
    if (subject == m_project)
        m_treeWatch.FollowProject(info->code);
    else if (subject == m_project->GetHHCFile())
        OnContentsNotification(info->code, info->node);
    else if (subject == m_project->GetHHKFile())
        OnIndexNotification(info->code, info->node);
    return 1;
}

void CViewTocIndexEntry::OnContentsNotification(int code, CXML* node) {
    CXML* shown = ContentsEntry();
    bool isShown = node && node == shown;
    switch (code) {
    case NC_RELOADED:
        ShowContentsEntry(m_project->HHC_GetSelectedNode());
        break;
    case NC_CONTENT_SELECTED:
        ShowContentsEntry(node);
        break;
    case NC_CONTENT_DELETED_EMPTY:
        ShowContentsEntry(nullptr);
        break;
    case NC_CONTENT_DELETED:
        // The shown entry may have been among the deleted ones.
        if (!shown)
            ShowContentsEntry(nullptr);
        break;
    case NC_CONTENT_RENAMED:
        if (isShown)
            Show(m_contentsName, Attr(node, "Name"));
        break;
    case NC_CONTENT_LOCAL_CHANGED:
    case NC_CONTENT_LOCAL_CLEARED:
    case NC_CONTENT_LOCAL_ADDED:
        if (isShown)
            ShowContentsLink();
        break;
    case NC_CONTENT_IMAGE_CHANGED:
        if (isShown)
            SelectIcon();
        break;
    case NC_CONTENT_ACTIVATED:
        EnableContentsEditor(true);
        break;
    case NC_CONTENT_DEACTIVATED:
        EnableContentsEditor(false);
        break;
    default:
        break;
    }
}

void CViewTocIndexEntry::OnIndexNotification(int code, CXML* node) {
    CXML* shown = IndexEntry();
    bool isShown = node && node == shown;
    switch (code) {
    case NC_RELOADED:
        ShowIndexEntry(m_project->HHK_GetSelectedNode());
        break;
    case NC_INDEX_SELECTED:
        ShowIndexEntry(node);
        break;
    case NC_INDEX_TYPE_CHANGED:
        if (isShown)
            ShowIndexEntry(node);
        break;
    case NC_INDEX_DELETED_EMPTY:
        ShowIndexEntry(nullptr);
        break;
    case NC_INDEX_REMOVED:
        // Entries left and the tree is not empty: forget the shown entry
        // if it was one of them.
        if (!shown)
            ShowIndexEntry(nullptr);
        break;
    case NC_INDEX_RENAMED:
        if (isShown)
            Show(m_indexName, Attr(node, "Name"));
        break;
    case NC_INDEX_LOCAL_CHANGED:
        if (isShown)
            ShowIndexLink();
        break;
    case NC_INDEX_ACTIVATED:
        EnableIndexEditor();
        break;
    case NC_INDEX_DEACTIVATED:
        m_indexGroup->setEnabled(false);
        break;
    default:
        break;
    }
}

void CViewTocIndexEntry::ShowContentsEntry(CXML* node) {
    m_contentsId = Attr(node, "ID");
    Show(m_contentsName, Attr(node, "Name"));
    ShowContentsLink();
    SelectIcon();
    EnableContentsEditor(node != nullptr);
}

void CViewTocIndexEntry::ShowContentsLink() {
    ShowLink(ContentsEntry(), m_contentsLink, m_contentsPath);
}

void CViewTocIndexEntry::ShowLink(const CXML* entry, QLineEdit* link, QLineEdit* path) {
    std::string local = Attr(entry, "Local");
    std::string relative = RelativePath(local);
    Show(link, ShownLink(local));
    Show(path, relative);
    QString noLink = Q(CStrHelper::ML_GetStringEx(kStrNoLink));
    link->setToolTip(local.empty() ? noLink : Q(local));
    path->setToolTip(local.empty() ? noLink : Q(relative));
}

void CViewTocIndexEntry::SelectIcon() {
    CXML* entry = ContentsEntry();
    // The merge icon is in the list only while a merge reference is shown.
    if (m_icon->count() > kEntryIconCount)
        m_icon->removeItem(kEntryIconCount);
    if (entry && entry->GetAttrInt("Type") == CHHCFile::kMergeType) {
        m_icon->addItem(MergeReferenceIcon(), WindowText(kStrMergedHelpFile));
        m_icon->setCurrentIndex(kEntryIconCount);
        return;
    }
    int image = entry ? entry->GetAttrInt("ImageNumber") : 0;
    m_icon->setCurrentIndex(image >= 0 && image < kEntryIconCount ? image : 0);
}

void CViewTocIndexEntry::EnableContentsEditor(bool enable) {
    CXML* entry = ContentsEntry();
    bool merge = entry && entry->GetAttrInt("Type") == CHHCFile::kMergeType;
    m_contentsGroup->setEnabled(enable && entry && !merge);
}

void CViewTocIndexEntry::ShowIndexEntry(CXML* node) {
    m_indexId = Attr(node, "ID");
    Show(m_indexName, Attr(node, "Name"));
    ShowIndexLink();
    EnableIndexEditor();
}

void CViewTocIndexEntry::ShowIndexLink() {
    ShowLink(IndexEntry(), m_indexLink, m_indexPath);
}

void CViewTocIndexEntry::EnableIndexEditor() {
    CXML* entry = IndexEntry();
    m_indexGroup->setEnabled(entry != nullptr);
    if (!entry) {
        for (QCheckBox* box : {m_plainKeyword, m_severalTopics, m_topicOfKeyword})
            box->setChecked(false);
        return;
    }
    int type = entry->GetAttrInt("Type");
    bool linkable = type != kKeywordSeveralTopics;
    m_indexLink->setEnabled(linkable);
    m_indexBrowse->setEnabled(linkable);
    // Each row: checked, enabled for plain, several topics, topic of keyword.
    auto set = [](QCheckBox* box, bool checked, bool enabled) {
        box->setChecked(checked);
        box->setEnabled(enabled);
    };
    switch (type) {
    case kKeyword:
        set(m_plainKeyword, true, false);
        set(m_severalTopics, false, false);
        set(m_topicOfKeyword, false, m_project->HHK_GetParentNode(entry) != nullptr);
        break;
    case kKeywordSeveralTopics:
        set(m_plainKeyword, false, true);
        set(m_severalTopics, true, false);
        set(m_topicOfKeyword, false, false);
        break;
    case kTopicOfKeyword:
        set(m_plainKeyword, false, true);
        set(m_severalTopics, false, false);
        set(m_topicOfKeyword, true, false);
        break;
    default:
        break;
    }
}

std::string CViewTocIndexEntry::RelativePath(const std::string& local) const {
    std::string path = local;
    if (m_project && !path.empty())
        m_project->AbsolutePathToRelativePath(path);
    // Shown as the help file names it inside: with "/".
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string CViewTocIndexEntry::ShownLink(const std::string& local) const {
    std::string path = local;
    if (!m_project || path.empty() || !m_project->AbsolutePathToRelativePath(path))
        return local;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string CViewTocIndexEntry::StoredLink(const std::string& typed) const {
    std::string folder = m_project ? m_project->GetProjectFolder() : std::string();
    if (typed.empty() || folder.empty() || mb::IsFixedLocation(typed))
        return typed;
    return mb::ResolveAgainstFolder(folder, typed).path;
}

void CViewTocIndexEntry::Send(int command, CXML& parameters) {
    if (m_commands)
        m_commands->DoCommand(command, &parameters);
}

void CViewTocIndexEntry::CommitContentsName() {
    SendRename(CMD_RENAME_CONTENTS, ContentsEntry(), m_contentsName);
}

void CViewTocIndexEntry::CommitIndexName() {
    SendRename(CMD_RENAME_INDEX, IndexEntry(), m_indexName);
}

void CViewTocIndexEntry::SendRename(int command, const CXML* entry, const QLineEdit* field) {
    std::string name = S(field->text());
    // Entries taken out of their tree are not renamed.
    if (!entry || name == Attr(entry, "Name") || Attr(entry, "HTreeItem") == "0")
        return;
    CXML parameters("PARAMETERS");
    parameters.SetAttr("ID", Attr(entry, "ID"));
    parameters.SetAttr("OLD_NAME", Attr(entry, "Name"));
    parameters.SetAttr("NEW_NAME", name);
    Send(command, parameters);
}

void CViewTocIndexEntry::CommitContentsLink() {
    CXML* entry = ContentsEntry();
    std::string link = StoredLink(S(m_contentsLink->text()));
    // Exact comparison: on this system "Intro.htm" and "intro.htm" are two
    // different pages.
    if (!entry || link == Attr(entry, "Local"))
        return;
    CXML parameters("PARAMETERS");
    parameters.SetAttr("GET_URL_MODE", kGivenValues);
    parameters.SetAttr("ID", m_contentsId);
    parameters.SetAttr("OLD_URL", Attr(entry, "Local"));
    parameters.SetAttr("NEW_URL", link);
    Send(CMD_CHANGE_CONTENTS_LOCAL, parameters);
    // A refused link leaves the entry as it was: show what it has.
    ShowContentsLink();
}

void CViewTocIndexEntry::CommitIndexLink(const std::string& link) {
    CXML* entry = IndexEntry();
    if (!entry || link == Attr(entry, "Local"))
        return;
    CXML parameters("PARAMETERS");
    parameters.SetAttr("ID", m_indexId);
    parameters.SetAttr("OLD_URL", Attr(entry, "Local"));
    parameters.SetAttr("NEW_URL", link);
    Send(CMD_CHANGE_INDEX_LOCAL, parameters);
    ShowIndexLink();
}

void CViewTocIndexEntry::CommitIcon(int position) {
    CXML* entry = ContentsEntry();
    if (!entry || position < 0 || position >= kEntryIconCount ||
        position == entry->GetAttrInt("ImageNumber"))
        return;
    CXML parameters("PARAMETERS");
    parameters.SetAttr("NEW_ICON", position);
    parameters.AddChild("NODE_ID", m_contentsId);
    Send(CMD_CHANGE_CONTENTS_ICONS, parameters);
    SelectIcon();
}

void CViewTocIndexEntry::PickContentsLink() {
    CXML* selected = m_project ? m_project->HHC_GetSelectedNode() : nullptr;
    if (!selected)
        return;
    CXML parameters("PARAMETERS");
    parameters.SetAttr("GET_URL_MODE", kPickFile);
    parameters.SetAttr("ID", Attr(selected, "ID"));
    Send(CMD_CHANGE_CONTENTS_LOCAL, parameters);
}

void CViewTocIndexEntry::PickIndexLink() {
    if (!IndexEntry())
        return;
    mb::PickRequest request;
    request.initialPath = m_project->GetLastOpenDir();
    auto picked = m_project->Prompt().PickOpenFiles(request);
    if (!picked || picked->empty())
        return;
    m_project->SetLastOpenDir2(picked->front());
    CommitIndexLink(picked->front());
}

void CViewTocIndexEntry::PlainKeywordChecked() {
    CXML* entry = IndexEntry();
    if (!entry)
        return;
    int type = entry->GetAttrInt("Type");
    CXML parameters("PARAMETERS");
    parameters.SetAttr("ID", m_indexId);
    if (type == kKeywordSeveralTopics)
        Send(CMD_INDEX_SPLIT_TOPICS, parameters);
    else if (type == kTopicOfKeyword)
        Send(CMD_INDEX_MAKE_KEYWORD, parameters);
    EnableIndexEditor();
}

void CViewTocIndexEntry::TopicOfKeywordChecked() {
    if (!IndexEntry())
        return;
    CXML parameters("PARAMETERS");
    parameters.SetAttr("ID", m_indexId);
    Send(CMD_INDEX_MAKE_SUBTOPIC, parameters);
    EnableIndexEditor();
}

void CViewTocIndexEntry::Restore(QLineEdit* field) {
    if (field == m_contentsName)
        Show(field, Attr(ContentsEntry(), "Name"));
    else if (field == m_contentsLink)
        Show(field, ShownLink(Attr(ContentsEntry(), "Local")));
    else if (field == m_indexName)
        Show(field, Attr(IndexEntry(), "Name"));
    else if (field == m_indexLink)
        Show(field, ShownLink(Attr(IndexEntry(), "Local")));
}

bool CViewTocIndexEntry::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Restore(static_cast<QLineEdit*>(watched));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

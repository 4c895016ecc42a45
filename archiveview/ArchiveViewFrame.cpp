#include "archiveview/ArchiveViewFrame.h"

#include "archiveview/ArchiveFilesTree.h"
#include "archiveview/ArchiveIcons.h"
#include "archiveview/ArchivePages.h"

#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "commonkit/StringTable.h"
#include "commonkit/WindowTexts.h"
#include "compiledhelp/CHMFileRW.h"
#include "compiledhelp/ItsAddress.h"
#include "helpweb/ActionText.h"
#include "helpweb/HTMLWriter.h"
#include "helpweb/HelpWeb.h"
#include "helpweb/ItsSchemeHandler.h"

#include <QAction>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>
#include <array>
#include <filesystem>

namespace fs = std::filesystem;

namespace mb::archive {

namespace {

constexpr char kRootTag[] = "FILES_TREE_ROOT";
constexpr int kElementRole = Qt::UserRole;

enum Kind { kStorage = 0, kSitemap = 2, kPage = 3, kBmp = 6, kPng = 9, kXml = 10 };

bool IsPicture(int kind) {
    return kind >= kBmp && kind <= kPng;
}

bool EndsWithChm(const std::string& path) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".chm") == 0;
}

std::string Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Entry `n` of the language table, as a Qt string.
QString WindowText(int n) {
    return QString::fromStdString(CStrHelper::ML_GetStringEx(n));
}

std::string Caption() {
    return CStrHelper::ML_GetStringEx(kStrProductName);
}

PickRequest FolderRequest() {
    return {WindowText(kStrSelectOutputFolderTitle).toStdString(), "", "", false};
}

} // namespace

CArchiveViewFrame::CArchiveViewFrame(const UserChannels& channels, QWidget* parent)
    : QWidget(parent), m_channels(channels), m_root(std::make_shared<CXML>(kRootTag)) {
    m_tree = new CArchiveFilesTree([this](const QTreeWidgetItem* item) { return ElementOf(item); },
                                   [this] { return m_root; });
    m_placeholder = new QTreeWidget;
    m_placeholder->setHeaderHidden(true);
    new QTreeWidgetItem(m_placeholder, {WindowText(kStrReadingHelpFile)});
    m_trees = new QStackedWidget;
    m_trees->addWidget(m_tree);
    m_trees->addWidget(m_placeholder);

    m_preview = new QWebEngineView;
    m_preview->setPage(web::NewHelpPage(m_preview));
    m_writer = new web::CHTMLWriter(m_preview, this);
    connect(m_preview, &QWebEngineView::loadFinished, this,
            [this](bool ok) { emit PreviewShown(ok); });

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_trees);
    splitter->addWidget(m_preview);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({210, 400});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildToolBar());
    layout->addWidget(splitter, 1);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { ShowPreview(item); });
    UpdateActions();
}

CArchiveViewFrame::~CArchiveViewFrame() = default;

QToolBar* CArchiveViewFrame::BuildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setIconSize(QSize(16, 16));
    QStyle* style = this->style();
    // A toolbar command with the texts of its command id.
    auto add = [bar, style](int id, QStyle::StandardPixmap icon, auto&& run) {
        QAction* action = bar->addAction(style->standardIcon(icon), QString(), run);
        std::string texts;
        if (CCEStrHelper::GetMLStringByID(id, texts))
            web::SetActionTexts(action, texts);
        return action;
    };
    m_open = add(ID_CE_OPEN_CHM, QStyle::SP_DialogOpenButton, [this] { OnUI_OpenCHM(); });
    m_extractSelected =
        add(ID_CE_EXTRACT_SELECTED, QStyle::SP_DialogSaveButton, [this] { OnUI_ExtractSelect(); });
    m_extractAll = add(ID_CE_EXTRACT_ALL, QStyle::SP_DriveHDIcon, [this] { OnUI_ExtractAll(); });
    bar->addSeparator();
    m_back = add(ID_CE_BACK, QStyle::SP_ArrowBack, [this] { OnUI_Back(); });
    m_forward = add(ID_CE_FORWARD, QStyle::SP_ArrowForward, [this] { OnUI_Forward(); });
    for (auto pair :
         {std::pair{m_back, QWebEnginePage::Back}, std::pair{m_forward, QWebEnginePage::Forward}}) {
        QAction* action = pair.first;
        QAction* source = m_preview->pageAction(pair.second);
        connect(source, &QAction::changed, action,
                [action, source] { action->setEnabled(source->isEnabled()); });
        action->setEnabled(source->isEnabled());
    }
    return bar;
}

void CArchiveViewFrame::UpdateActions() {
    m_extractAll->setEnabled(m_ready && !m_root->GetAttr("Name").empty());
    m_extractSelected->setEnabled(m_ready && ElementOf(m_tree->currentItem()) != nullptr);
}

QTreeWidget* CArchiveViewFrame::FilesTree() const {
    return m_tree;
}

CXML* CArchiveViewFrame::ElementOf(const QTreeWidgetItem* item) const {
    if (!item)
        return nullptr;
    bool ok = false;
    size_t index = item->data(0, kElementRole).toULongLong(&ok);
    return ok && index < m_elements.size() ? m_elements[index] : nullptr;
}

bool CArchiveViewFrame::OpenFile(std::string path) {
    if (!EndsWithChm(path))
        path += ".chm";
    m_lastFolder = fs::path(path).parent_path().string();

    BusyCursor busy(*m_channels.prompt);
    m_ready = false;
    m_trees->setCurrentWidget(m_placeholder);
    {
        const QSignalBlocker block(m_tree);
        m_tree->clear();
    }
    m_elements.clear();
    // A fresh document: a drag still holding the old one keeps it alive.
    m_root = std::make_shared<CXML>(kRootTag);
    m_root->SetAttr("Name", path);
    m_root->SetAttr("Local", path + "::");

    CCHMFileRW file;

    file.SetChannels(m_channels);
    bool opened = file.CHM_SetCHMFile(path);
    bool read = opened && file.CHM_ReadAllStorageInfoToXML(m_root.get());
    std::string reason = read     ? std::string()
                         : opened ? WindowText(kStrContentsListDamaged).toStdString()
                                  : CCHMFileRW::GetErr(file.GetLastResult());
    if (read)
        FillTree();
    else
        m_root = std::make_shared<CXML>(kRootTag); // nothing to extract
    m_trees->setCurrentWidget(m_tree);
    m_ready = true;
    UpdateActions();
    ShowPage(read ? WelcomePage(path) : FailurePage(path, reason));
    return read;
}

void CArchiveViewFrame::FillTree() {
    std::array<QIcon, 12> icons;
    for (int kind = 0; kind < 12; ++kind)
        icons[kind] = IconForKind(kind);
    m_tree->setUpdatesEnabled(false);
    QList<QTreeWidgetItem*> top;
    // Depth first, each child appended last below its parent's item.
    std::function<void(CXML*, QTreeWidgetItem*)> add = [&](CXML* element, QTreeWidgetItem* parent) {
        for (int i = 0; i < element->GetChildCount(); ++i) {
            CXML* child = element->GetChildAt(i);
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem;
            item->setText(0, QString::fromStdString(child->GetAttr("Name")));
            int kind = std::clamp(child->GetAttrInt("Type"), 0, 11);
            item->setIcon(0, icons[kind]);
            item->setData(0, kElementRole, QVariant::fromValue<qulonglong>(m_elements.size()));
            m_elements.push_back(child);
            if (!parent)
                top.append(item);
            add(child, item);
        }
    };
    add(m_root.get(), nullptr);
    m_tree->addTopLevelItems(top);
    m_tree->setUpdatesEnabled(true);
}

std::string CArchiveViewFrame::InnerPath(const CXML* element) const {
    std::string local = element->GetAttr("Local");
    std::string prefix = m_root->GetAttr("Local") + "/";
    return local.compare(0, prefix.size(), prefix) == 0 ? local.substr(prefix.size()) : local;
}

void CArchiveViewFrame::ShowPage(const std::string& html) {
    m_writer->Write(html);
}

void CArchiveViewFrame::ShowPreview(QTreeWidgetItem* item) {
    UpdateActions();
    CXML* element = ElementOf(item);
    if (!m_ready || !element)
        return;
    const std::string chm = m_root->GetAttr("Name");
    const std::string name = element->GetAttr("Name");
    const int kind = element->GetAttrInt("Type");
    if (kind == kStorage) {
        ShowPage(StoragePage(element->GetAttr("Local")));
        return;
    }
    if (kind == kPage || kind == kXml || IsPicture(kind)) {
        m_preview->load(web::ItsUrl(chm, InnerPath(element)));
        return;
    }
    // Sitemaps, style sheets, scripts, project files and anything else:
    // shown as text, never run.
    std::string data;
    CItsStreamReader reader;
    int result = reader.Read({chm, InnerPath(element)}, data);
    if (result != kItsOk)
        ShowPage(FailurePage(element->GetAttr("Local"), ItsResultText(result)));
    else if (kind == kSitemap)
        ShowPage(SitemapPage(name, data, chm));
    else if (LooksLikeText(data))
        ShowPage(PlainTextPage(name, data));
    else
        ShowPage(BinaryPage(name, data.size()));
}

void CArchiveViewFrame::OnUI_OpenCHM() {
    auto chosen = m_channels.prompt->PickOpenFiles(
        {CStrHelper::ML_GetStringEx(kStrOpenChmFileTitle),
         CStrHelper::ML_GetStringEx(kStrChmFileFilter) + "|*.chm", m_lastFolder});
    if (chosen && !chosen->empty())
        OpenFile(chosen->front());
}

bool CArchiveViewFrame::ExtractStorage(const CXML* element) {
    auto folder = m_channels.prompt->PickFolder(FolderRequest());
    if (!folder || folder->empty())
        return true;
    CCHMFileRW file;
    file.SetChannels(m_channels);
    BusyCursor busy(*m_channels.prompt);
    return file.CHM_SetCHMFile(m_root->GetAttr("Name")) &&
           file.CHM_DumpStorage(element->GetAttr("Name"), Backslashed(InnerPath(element)), *folder,
                                false);
}

bool CArchiveViewFrame::ExtractStream(const CXML* element) {
    const std::string name = element->GetAttr("Name");
    PickRequest request{CStrHelper::ML_GetStringEx(kStrExtractTitle),
                        CStrHelper::ML_GetStringEx(kStrAllFilesFilter) + "|*.*",
                        (fs::path(m_lastFolder) / name).string()};
    auto target = m_channels.prompt->PickSavePath(request);
    if (!target || target->empty())
        return true;
    CCHMFileRW file;
    file.SetChannels(m_channels);
    BusyCursor busy(*m_channels.prompt);
    const std::string inner = InnerPath(element);
    if (!file.CHM_SetCHMFile(m_root->GetAttr("Name")) ||
        !file.CHM_DumpStream(name, Backslashed(inner), *target, false))
        return false;
    if (element->GetAttrInt("Type") != kPage)
        return true;
    // A page saved by a browser keeps its pictures in a folder beside it
    // named after it: both the "_files" and the older ".files" form.
    const std::string stem = fs::path(name).stem().string();
    const std::string beside = fs::path(inner).parent_path().string();
    const std::string outFolder = fs::path(*target).parent_path().string();
    bool ok = true;
    for (const char* suffix : {"_files", ".files"}) {
        std::string storage = (beside.empty() ? "" : beside + "/") + stem + suffix;
        // Writes nothing when the help file holds no such folder.
        ok = file.CHM_DumpStorage(stem + suffix, Backslashed(storage), outFolder, false) && ok;
    }
    return ok;
}

void CArchiveViewFrame::OnUI_ExtractSelect() {
    CXML* element = ElementOf(m_tree->currentItem());
    if (!element)
        return;
    bool ok =
        element->GetAttrInt("Type") == kStorage ? ExtractStorage(element) : ExtractStream(element);
    if (!ok)
        ShowMessage(*m_channels.prompt,
                    WindowText(kStrNotExtractedCompletely)
                        .arg(QString::fromStdString(element->GetAttr("Name")))
                        .toStdString(),
                    Caption(), Buttons::Ok, Icon::Warning);
}

void CArchiveViewFrame::OnUI_ExtractAll() {
    const std::string chm = m_root->GetAttr("Name");
    if (chm.empty())
        return;
    auto folder = m_channels.prompt->PickFolder(FolderRequest());
    if (!folder || folder->empty())
        return;
    const std::string target = (fs::path(*folder) / fs::path(chm).stem()).string();
    CCHMFileRW file;
    file.SetChannels(m_channels);
    BusyCursor busy(*m_channels.prompt);
    if (!file.CHM_SetCHMFile(chm) || file.CHM_Decompile(target, false) != 0)
        ShowMessage(*m_channels.prompt,
                    WindowText(kStrNotExtractedCompletelyInto)
                        .arg(QString::fromStdString(chm), QString::fromStdString(target))
                        .toStdString(),
                    Caption(), Buttons::Ok, Icon::Warning);
}

void CArchiveViewFrame::OnUI_Back() {
    m_preview->back();
}

void CArchiveViewFrame::OnUI_Forward() {
    m_preview->forward();
}

} // namespace mb::archive

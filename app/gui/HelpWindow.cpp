#include "app/gui/HelpWindow.h"

#include "app/gui/HelpContentsPane.h"
#include "app/gui/HelpIndexPane.h"
#include "app/gui/HelpSearchPane.h"
#include "app/gui/UiText.h"
#include "app/gui/WindowPlacement.h"
#include "compiledhelp/ItsAddress.h"
#include "helpweb/HelpWeb.h"
#include "helpweb/ItsSchemeHandler.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QWindow>

#include <filesystem>
#include <functional>
#include <strings.h>

namespace fs = std::filesystem;

namespace mb::gui {

namespace {

constexpr const char* kTopicProperty = "mbHelpTopic";
constexpr const char* kPlacementGroup = "HelpViewer";


// Hands each navigation of the main frame to `decide`: true lets the page
// go there.
class GuardedPage final : public QWebEnginePage {
public:
    GuardedPage(QObject* parent, std::function<bool(const QUrl&)> decide)
        : QWebEnginePage(web::HelpProfile(), parent), m_decide(std::move(decide)) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        return !isMainFrame || m_decide(url);
    }

private:
    std::function<bool(const QUrl&)> m_decide;
};

bool IsHelpAddress(const QUrl& url) {
    return url.scheme() == web::kSchemeMsIts || url.scheme() == web::kSchemeMk;
}

// What a help page loads comes out of a help file, or not at all: no file
// of this computer, nothing of the web (a picture, a script, a frame).
// Links to the web still open in the desktop's browser when clicked.
class ArchiveOnlyInterceptor final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& request) override {
        const QUrl url = request.requestUrl();
        request.block(!IsHelpAddress(url) && url.scheme() != web::kSchemePage &&
                      url.scheme() != "data" && url.scheme() != "blob");
    }
};

// A help file named in a link of another, found beside that one: as
// written, else under any letter case.
std::string HelpFileBeside(const std::string& named, const std::string& current) {
    fs::path path(named);
    if (path.is_absolute())
        return named;
    fs::path folder = fs::path(current).parent_path();
    std::error_code ec;
    if (fs::exists(folder / path, ec))
        return (folder / path).string();
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (strcasecmp(entry.path().filename().c_str(), path.filename().c_str()) == 0)
            return entry.path().string();
    return (folder / path).string();
}

// The help file and the topic a help address leads to, seen from a page of
// `current`. "ms-its:other.chm::/a.htm" in a page reaches the engine as an
// address inside the current file ("…/current.chm::/other.chm::/a.htm"):
// the file named before the second "::" lies beside the current one.
bool TargetOf(const QUrl& url, const std::string& current, std::string& file, std::string& topic) {
    ItsAddress address;
    if (!ParseItsAddress(web::ItsAddressOf(url), address))
        return false;
    file = HelpFileBeside(address.chmPath, current);
    topic = address.streamPath;
    if (size_t inner = topic.find("::"); inner != std::string::npos) {
        std::string named = topic.substr(0, inner);
        file = HelpFileBeside(named.substr(named.find_last_of('/') + 1), current);
        topic = topic.substr(inner + 2);
    }
    if (url.hasFragment())
        topic += "#" + url.fragment().toStdString();
    return true;
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// Marks every occurrence of the words in the page, letter case ignored, and
// brings the first into view; scripts and style sheets are left alone.
QString MarkingScript(const std::vector<std::string>& words) {
    QJsonArray list;
    for (const std::string& word : words)
        list.append(QString::fromStdString(word));
    return QStringLiteral(R"JS((function (words) {
  const escaped = words.map(w => w.replace(/[.*+?^${}()|[\]\\]/g, '\\$&'));
  const pattern = new RegExp(escaped.join('|'), 'giu');
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT, {
    acceptNode: n => /^(SCRIPT|STYLE|TEXTAREA|MARK)$/.test(n.parentNode.nodeName)
      ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT });
  const nodes = [];
  while (walker.nextNode()) nodes.push(walker.currentNode);
  let first = null, count = 0;
  for (const node of nodes) {
    const text = node.nodeValue;
    pattern.lastIndex = 0;
    if (!pattern.test(text)) continue;
    pattern.lastIndex = 0;
    const parts = document.createDocumentFragment();
    let last = 0, found;
    while ((found = pattern.exec(text)) && found[0].length) {
      parts.appendChild(document.createTextNode(text.slice(last, found.index)));
      const mark = document.createElement('mark');
      mark.className = 'mb-found';
      mark.textContent = found[0];
      parts.appendChild(mark);
      first = first || mark;
      ++count;
      last = found.index + found[0].length;
    }
    parts.appendChild(document.createTextNode(text.slice(last)));
    node.parentNode.replaceChild(parts, node);
  }
  if (first) first.scrollIntoView({block: 'center'});
  return count;
})(%1))JS")
        .arg(QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)));
}

} // namespace

HelpWindow::HelpWindow()
    : QMainWindow(nullptr, Qt::Window), m_view(new QWebEngineView),
      m_splitter(new QSplitter(Qt::Horizontal)), m_tabs(new QTabWidget),
      m_contents(new HelpContentsPane), m_index(new HelpIndexPane), m_search(new HelpSearchPane),
      m_toolbar(addToolBar(Text(kStrHelpToolbar))), m_findBar(new QToolBar(Text(kStrFindInPage))),
      m_findField(new QLineEdit) {
    setObjectName("HelpWindow");
    setWindowTitle(Text(kStrHelpViewerTitle));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* page = new GuardedPage(m_view, [this](const QUrl& url) {
        if (url.scheme() == web::kSchemePage || url.scheme() == "data")
            return true;
        if (!IsHelpAddress(url)) {
            // Pages of the web open in the desktop's browser; nothing else
            // (files of this computer among them) is opened from a page.
            if (url.scheme() == "http" || url.scheme() == "https" || url.scheme() == "mailto")
                QDesktopServices::openUrl(url);
            return false;
        }
        std::string file, topic;
        if (TargetOf(url, m_file, file, topic) && file != m_file) {
            QMetaObject::invokeMethod(this, [this, file, topic] { ShowTopic(file, topic); },
                                      Qt::QueuedConnection);
            return false;
        }
        return true;
    });
    page->setUrlRequestInterceptor(new ArchiveOnlyInterceptor(page));
    m_view->setPage(page);
    m_tabs->addTab(m_contents, Text(kStrContentsTab));
    m_tabs->addTab(m_index, Text(kStrIndexTab));
    m_tabs->addTab(m_search, Text(kStrSearchTab));
    m_splitter->addWidget(m_tabs);
    // A tab brought to the front takes the keys: typing goes into the
    // index's or the search's field at once.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        if (m_tabs->widget(tab) == m_index)
            m_index->Field()->setFocus();
        else if (m_tabs->widget(tab) == m_search)
            m_search->Field()->setFocus();
        else
            m_contents->setFocus();
    });
    m_splitter->addWidget(m_view);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);

    connect(m_contents, &HelpContentsPane::PageWanted, this, &HelpWindow::ShowPage);
    connect(m_index, &HelpIndexPane::PageWanted, this, &HelpWindow::ShowPage);
    connect(m_search, &HelpSearchPane::PageWanted, this,
            [this](const std::string& page, const std::vector<std::string>& words) {
                m_wordsToMark = words;
                ShowPage(page);
            });
    connect(m_view, &QWebEngineView::urlChanged, this, &HelpWindow::PageShown);
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        IndexIfNotYet();
        QUrl url = m_view->url();
        if (!ok && IsHelpAddress(url)) {
            ShowMessage(Text(kStrPageNotFoundTitle),
                        Text(kStrPageNotInHelpFile)
                            .arg(Escaped(QString::fromStdString(web::ItsAddressOf(url))),
                                 Escaped(QString::fromStdString(m_file))));
            return;
        }
        if (ok)
            MarkWords();
    });
    connect(m_view, &QWebEngineView::titleChanged, this, [this](const QString& title) {
        if (m_book.caption.empty() && !title.isEmpty())
            setWindowTitle(title);
    });
    BuildToolbar();
    resize(1000, 700);
    m_splitter->setSizes({260, 740});
    RestoreWindowPlacement(*this, kPlacementGroup);
}

HelpWindow::~HelpWindow() = default; // QPrinter is complete here

QAction* HelpWindow::Action(const char* name) const {
    return findChild<QAction*>(name);
}

void HelpWindow::BuildToolbar() {
    m_toolbar->setObjectName("HelpToolbar");
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto add = [this](const char* name, const QString& text, QStyle::StandardPixmap icon,
                      const QKeySequence& keys, std::function<void()> run) {
        QAction* action = m_toolbar->addAction(style()->standardIcon(icon), text);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, std::move(run));
        return action;
    };
    add("hide", Text(kStrHideButton), QStyle::SP_TitleBarShadeButton, QKeySequence(),
        [this] { m_tabs->setVisible(!m_tabs->isVisible()); });
    add("back", Text(kStrBackButton), QStyle::SP_ArrowBack, QKeySequence::Back,
        [this] { m_view->back(); });
    add("forward", Text(kStrForwardButton), QStyle::SP_ArrowForward, QKeySequence::Forward,
        [this] { m_view->forward(); });
    add("home", Text(kStrHomeButton), QStyle::SP_DirHomeIcon, QKeySequence(Qt::ALT | Qt::Key_Home),
        [this] { ShowPage(m_book.home); });
    add("previous", Text(kStrPreviousButton), QStyle::SP_ArrowUp,
        QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { ShowPage(m_contents->Step(-1)); });
    add("next", Text(kStrNextButton), QStyle::SP_ArrowDown, QKeySequence(Qt::CTRL | Qt::Key_Down),
        [this] { ShowPage(m_contents->Step(1)); });
    add("sync", Text(kStrLocateButton), QStyle::SP_FileDialogContentsView, QKeySequence(), [this] {
        m_tabs->setCurrentWidget(m_contents);
        PageShown(m_view->url());
    });
    add("print", Text(kStrPrintButton), QStyle::SP_DialogSaveButton, QKeySequence::Print, [this] {
        if (!m_printer)
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dialog(m_printer.get(), this);
        if (dialog.exec() == QDialog::Accepted)
            m_view->print(m_printer.get());
    });
    add("pdf", Text(kStrSaveAsPdfButton), QStyle::SP_DriveFDIcon, QKeySequence(), [this] {
        QString path = QFileDialog::getSaveFileName(this, Text(kStrSavePageAsPdfTitle), QString(),
                                                    Text(kStrPdfFileFilter));
        if (!path.isEmpty())
            m_view->page()->printToPdf(path);
    });
    add("zoomIn", Text(kStrLargerButton), QStyle::SP_ArrowUp, QKeySequence::ZoomIn,
        [this] { m_view->setZoomFactor(std::min(5.0, m_view->zoomFactor() + 0.1)); });
    add("zoomOut", Text(kStrSmallerButton), QStyle::SP_ArrowDown, QKeySequence::ZoomOut,
        [this] { m_view->setZoomFactor(std::max(0.25, m_view->zoomFactor() - 0.1)); });
    add("find", Text(kStrFindInPage), QStyle::SP_FileDialogContentsView, QKeySequence::Find,
        [this] {
            m_findBar->show();
            m_findField->setFocus();
            m_findField->selectAll();
        });
    add("jump1", Text(kStrJump1Button), QStyle::SP_CommandLink, QKeySequence(),
        [this] { ShowPage(m_book.jump1Page); });
    add("jump2", Text(kStrJump2Button), QStyle::SP_CommandLink, QKeySequence(),
        [this] { ShowPage(m_book.jump2Page); });

    // Find in page: Enter finds the next, Shift+Enter the previous, Escape
    // closes the bar and clears the marks.
    m_findBar->setObjectName("FindInPage");
    m_findBar->addWidget(m_findField);
    m_findField->setPlaceholderText(Text(kStrFindInThisPage));
    auto find = [this](bool backward) {
        m_view->findText(m_findField->text(),
                         backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
    };
    connect(m_findField, &QLineEdit::returnPressed, this, [find] {
        find(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    QAction* close = m_findBar->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                          Text(kStrCloseButton));
    close->setShortcut(Qt::Key_Escape);
    close->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(close, &QAction::triggered, this, [this] {
        m_view->findText(QString());
        m_findBar->hide();
    });
    addToolBar(Qt::BottomToolBarArea, m_findBar);
    m_findBar->hide();
}

void HelpWindow::ShowTopic(const std::string& helpFile, const std::string& topic) {
    std::error_code ec;
    const std::string file = fs::absolute(helpFile, ec).lexically_normal().string();
    if (file != m_file && !OpenFile(file)) {
        show();
        raise();
        return;
    }
    if (!ShowPage(topic.empty() ? m_book.defaultTopic
                                : PageOfLink(topic, fs::path(m_file).filename().string())))
        IndexIfNotYet(); // no page of the file to wait for
    show();
    raise();
    activateWindow();
}

bool HelpWindow::OpenFile(const std::string& helpFile) {
    m_file = helpFile;
    m_book = HelpBook();
    m_contents->Fill({});
    m_index->Fill({});
    std::string error;
    std::error_code ec;
    if (!fs::is_regular_file(helpFile, ec)) {
        ShowMessage(Text(kStrHelpFileNotFoundTitle),
                    Text(kStrHelpFileNotFound).arg(Escaped(QString::fromStdString(helpFile))));
        return false;
    }
    if (!ReadHelpBook(helpFile, m_book, error)) {
        ShowMessage(Text(kStrHelpFileUnreadableTitle),
                    Text(kStrHelpFileUnreadable)
                        .arg(Escaped(QString::fromStdString(helpFile)),
                             Escaped(QString::fromStdString(error))));
        return false;
    }
    m_contents->Fill(m_book.contents);
    m_index->Fill(m_book.index);
    // The pages are indexed for search once the first page shows, so that
    // the indexing does not hold that page up.
    m_search->Clear();
    m_indexWhenShown = true;
    setWindowTitle(m_book.caption.empty() ? QString::fromStdString(fs::path(helpFile).filename().string())
                                          : QString::fromStdString(m_book.caption));
    if (m_book.navigationWidth > 0 && !RestoreWindowPlacement(*this, kPlacementGroup))
        m_splitter->setSizes({m_book.navigationWidth, std::max(200, width() - m_book.navigationWidth)});
    // The file's own Jump buttons, named as it names them.
    Action("jump1")->setText(QString::fromStdString(m_book.jump1Text));
    Action("jump2")->setText(QString::fromStdString(m_book.jump2Text));
    Action("jump1")->setVisible(!m_book.jump1Page.empty());
    Action("jump2")->setVisible(!m_book.jump2Page.empty());
    return true;
}

bool HelpWindow::ShowPage(const std::string& page) {
    if (page.empty())
        return false;
    if (page[0] != '/') {
        // An address of the web, or a page of another help file.
        QUrl url(QString::fromStdString(page));
        if (IsHelpAddress(url))
            OpenOtherHelpFile(url);
        else if (url.scheme() == "http" || url.scheme() == "https")
            QDesktopServices::openUrl(url);
        return false;
    }
    std::string path = page.substr(1);
    std::string anchor;
    if (size_t hash = path.find('#'); hash != std::string::npos) {
        anchor = path.substr(hash + 1);
        path.resize(hash);
    }
    QUrl address = web::ItsUrl(m_file, path);
    if (!anchor.empty())
        address.setFragment(QString::fromStdString(anchor));
    m_view->load(address);
    return true;
}

void HelpWindow::IndexIfNotYet() {
    if (m_indexWhenShown) {
        m_indexWhenShown = false;
        m_search->Index(m_file);
    }
}

void HelpWindow::ShowMessage(const QString& title, const QString& text) {
    m_view->setHtml(QStringLiteral("<html><head><title>%1</title></head><body style=\"font-family: "
                                   "sans-serif\"><h2>%1</h2><p>%2</p></body></html>")
                        .arg(Escaped(title), text));
}

void HelpWindow::PageShown(const QUrl& url) {
    ItsAddress address;
    if (!IsHelpAddress(url) || !ParseItsAddress(web::ItsAddressOf(url), address))
        return;
    m_contents->Sync("/" + address.streamPath);
}

void HelpWindow::MarkWords() {
    if (m_wordsToMark.empty())
        return;
    m_view->page()->runJavaScript(MarkingScript(m_wordsToMark), QWebEngineScript::ApplicationWorld);
    m_wordsToMark.clear();
}

void HelpWindow::OpenOtherHelpFile(const QUrl& url) {
    std::string file, topic;
    if (TargetOf(url, m_file, file, topic))
        ShowTopic(file, topic);
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    SaveWindowPlacement(*this, kPlacementGroup);
    QMainWindow::closeEvent(event);
}

void SetHelpTopic(QWidget* window, const char* topic) {
    window->setProperty(kTopicProperty, QByteArray(topic));
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    // Shown by exec(), a dialog would block every window of the program;
    // the help window is not one of the main window's.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->parentWidget() &&
            widget->windowModality() == Qt::ApplicationModal) {
            widget->setWindowModality(Qt::WindowModal);
            if (QWindow* window = widget->windowHandle())
                window->setModality(Qt::WindowModal);
        }
    }
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
        return QObject::eventFilter(watched, event);
    if (!watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    // The window the key was typed in, inside which a page may be marked
    // itself (a tab of the preferences, say).
    QWidget* window = static_cast<QWidget*>(watched)->window();
    QByteArray topic = window ? window->property(kTopicProperty).toByteArray() : QByteArray();
    if (topic.isEmpty())
        return QObject::eventFilter(watched, event);
    m_context.ShowHelp(topic.toStdString());
    return true;
}

} // namespace mb::gui

#include "app/gui/HelpWindow.h"

#include "commonkit/Common.h"
#include "compiledhelp/ChmSystemStream.h"
#include "compiledhelp/ItsFile.h"
#include "helpweb/HelpWeb.h"
#include "helpweb/ItsSchemeHandler.h"

#include <QKeyEvent>
#include <QVBoxLayout>
#include <QWindow>
#include <QWebEngineView>

namespace mb::gui {

namespace {

constexpr const char* kTopicProperty = "mbHelpTopic";

// The page a help file opens with, as its settings name it ("" for none).
std::string DefaultTopicOf(const std::string& helpFile) {
    CItsFile file;
    std::string settings;
    if (file.OpenITS(helpFile) != kItsOk || file.ReadStream("#SYSTEM", settings) != kItsOk)
        return {};
    return ParseSystemStream(settings).defaultTopic;
}

} // namespace

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window), m_view(new QWebEngineView) {
    setWindowTitle(tr("Marrowbook Help"));
    setAttribute(Qt::WA_QuitOnClose, false);
    m_view->setPage(web::NewHelpPage(m_view));
    // Any help file may be shown here: the window is named after its page.
    connect(m_view, &QWebEngineView::titleChanged, this, [this](const QString& title) {
        if (!title.isEmpty())
            setWindowTitle(title);
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    resize(820, 640);
}

void HelpWindow::ShowTopic(const std::string& helpFile, const std::string& topic) {
    std::string page = topic.empty() ? DefaultTopicOf(helpFile) : topic;
    std::string anchor;
    if (size_t hash = page.find('#'); hash != std::string::npos) {
        anchor = page.substr(hash + 1);
        page.resize(hash);
    }
    QUrl address = web::ItsUrl(helpFile, page);
    if (!anchor.empty())
        address.setFragment(QString::fromStdString(anchor));
    m_view->load(address);
    show();
    raise();
    activateWindow();
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
    CCommon::Instance()->ShowHelp(topic.toStdString());
    return true;
}

} // namespace mb::gui

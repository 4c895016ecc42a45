#pragma once
// The program's own help on screen: a window with a web view on the help
// profile, showing a topic of marrowbook.chm through the compiled-help
// scheme; and F1, which opens the topic a window is marked with.

#include <QObject>
#include <QWidget>

#include <string>

class QWebEngineView;

namespace mb::gui {

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    // A window of its own, beside the main window rather than inside it, so
    // that a dialog open in the main window does not block it; it does not
    // keep the program running once the main window is closed.
    HelpWindow();
    // Shows `topic` ("page.htm" or "page.htm#anchor") of `helpFile`, or the
    // file's default topic when `topic` is empty, and brings the window to
    // the front.
    void ShowTopic(const std::string& helpFile, const std::string& topic);
    QWebEngineView* View() const { return m_view; }

private:
    QWebEngineView* m_view;
};

// Marks `window` as explained by help topic `topic`: F1 in it opens that
// topic.
void SetHelpTopic(QWidget* window, const char* topic);

// Installed on the application: F1 in a marked window opens its topic;
// elsewhere F1 keeps its usual meaning. A dialog of the main window is
// modal to that window only, so the help it opens can be read, scrolled
// and clicked while the dialog stays open.
class HelpKeyFilter final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace mb::gui

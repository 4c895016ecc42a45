#pragma once
// The program's help viewer: any compiled help file with its contents,
// index and full-text search on the left and the page on the right, read
// through the compiled-help scheme. It follows the file's own window
// settings (caption, default topic, Home and Jump buttons, which buttons
// show, the width of the left pane) and keeps its own size and layout.
// Links to pages of other help files ("ms-its:other.chm::/page.htm") open
// the other file in the same window. F1 opens the topic a window is marked
// with.

#include "app/core/AppContext.h"
#include "app/core/HelpBook.h"

#include <QMainWindow>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QPrinter;
class QLineEdit;
class QSplitter;
class QTabWidget;
class QToolBar;
class QWebEngineView;

namespace mb::gui {

class HelpContentsPane;
class HelpIndexPane;
class HelpSearchPane;

class HelpWindow final : public QMainWindow {
public:
    // A window of its own, beside the main window rather than inside it, so
    // that a dialog open in the main window does not block it; it does not
    // keep the program running once the main window is closed.
    HelpWindow();
    ~HelpWindow() override;

    // Shows `topic` ("page.htm" or "page.htm#anchor") of `helpFile`, or the
    // file's default topic when `topic` is empty, opening the file when it
    // is not the one shown, and brings the window to the front.
    void ShowTopic(const std::string& helpFile, const std::string& topic);

    QWebEngineView* View() const { return m_view; }
    HelpContentsPane* Contents() const { return m_contents; }
    HelpIndexPane* Index() const { return m_index; }
    HelpSearchPane* Search() const { return m_search; }
    QAction* Action(const char* name) const;
    const std::string& File() const { return m_file; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolbar();
    bool OpenFile(const std::string& helpFile);
    // Shows a page of the file ("/page.htm#anchor"); false when `page` is
    // no page of this file (then it is opened elsewhere, or not at all).
    bool ShowPage(const std::string& page);
    void IndexIfNotYet();
    void ShowMessage(const QString& title, const QString& text);
    void PageShown(const QUrl& url);
    void MarkWords();
    void OpenOtherHelpFile(const QUrl& url);

    QWebEngineView* m_view;
    QSplitter* m_splitter;
    QTabWidget* m_tabs;
    HelpContentsPane* m_contents;
    HelpIndexPane* m_index;
    HelpSearchPane* m_search;
    QToolBar* m_toolbar;
    QToolBar* m_findBar;
    QLineEdit* m_findField;
    std::string m_file;
    HelpBook m_book;
    std::vector<std::string> m_wordsToMark;
    bool m_indexWhenShown = false; // the file opened has not been indexed yet
    std::unique_ptr<QPrinter> m_printer; // kept, with the settings last chosen
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
    explicit HelpKeyFilter(AppContext& context) : m_context(context) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppContext& m_context;
};

} // namespace mb::gui

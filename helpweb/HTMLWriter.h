#pragma once
// Puts generated HTML into a web view. The page is served through the
// program's own scheme rather than handed over as a data address, so its
// size is not limited; loading is asynchronous and Written() reports the
// result when it finishes.

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <string>

class QWebEngineView;

namespace mb::web {

class CHTMLWriter : public QObject {
    Q_OBJECT
public:
    explicit CHTMLWriter(QWebEngineView* view, QObject* parent = nullptr);

    // Replaces the view's document by `text` (UTF-8). With `base`, relative
    // addresses of the page resolve against it. False without a view.
    bool Write(const std::string& text, const QUrl& base = {});

signals:
    // The page given to Write finished loading (or failed to).
    void Written(bool ok);

private:
    QPointer<QWebEngineView> m_view;
    QUrl m_pending;
};

} // namespace mb::web

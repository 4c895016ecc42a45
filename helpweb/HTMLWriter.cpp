#include "helpweb/HTMLWriter.h"

#include "helpweb/HelpWeb.h"
#include "helpweb/ItsSchemeHandler.h"

#include <QWebEngineView>

namespace mb::web {

CHTMLWriter::CHTMLWriter(QWebEngineView* view, QObject* parent) : QObject(parent), m_view(view) {
    if (!view)
        return;
    connect(view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (m_pending.isEmpty() || !m_view || m_view->url() != m_pending)
            return;
        m_pending.clear();
        emit Written(ok);
    });
}

bool CHTMLWriter::Write(const std::string& text, const QUrl& base) {
    if (!m_view)
        return false;
    QByteArray page = QByteArray::fromStdString(text);
    if (base.isValid()) {
        // Inside the head when there is one, so that a doctype stays first.
        QByteArray tag =
            "<base href=\"" + QString::fromUtf8(base.toEncoded()).toHtmlEscaped().toUtf8() + "\">";
        qsizetype head = page.toLower().indexOf("<head");
        qsizetype end = head < 0 ? -1 : page.indexOf('>', head);
        page.insert(end < 0 ? 0 : end + 1, tag);
    }
    m_pending = SchemeHandler()->StorePage(page);
    m_view->load(m_pending);
    return true;
}

} // namespace mb::web

#pragma once
// Serves the web views: "ms-its:" and "mk:@MSITStore:" addresses with the
// streams of compiled help files, and "mb-page:" addresses with pages the
// program generated (see CHTMLWriter). Relative links of a page inside a
// help file resolve inside that file, so its pictures and style sheets come
// from it too.

#include "compiledhelp/ItsAddress.h"

#include <QByteArray>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

#include <map>

namespace mb::web {

inline constexpr char kSchemeMsIts[] = "ms-its";
inline constexpr char kSchemeMk[] = "mk";
inline constexpr char kSchemePage[] = "mb-page";

class CItsSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override;

    // Keeps a generated page (UTF-8 text) and returns the address that
    // serves it. The latest pages are kept, so that back and forward find
    // them again.
    QUrl StorePage(const QByteArray& html);

    // The MIME type served for a stream name.
    static QByteArray MimeTypeOf(const QString& name);

private:
    void ServeStream(QWebEngineUrlRequestJob* job);
    void ServePage(QWebEngineUrlRequestJob* job);

    CItsStreamReader m_reader;
    std::map<quint64, QByteArray> m_pages;
    quint64 m_nextPage = 1;
};

// The web address of a stream: "ms-its:" + help file + "::/" + stream path,
// with every character of the path kept as it is (spaces, "#", "?").
QUrl ItsUrl(const std::string& chmPath, const std::string& streamPath);

// The address of `url` as the help viewer writes it ("ms-its:/d/h.chm::/a.htm"),
// percent-escapes decoded, without query or fragment.
std::string ItsAddressOf(const QUrl& url);

} // namespace mb::web

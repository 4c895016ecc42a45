#include "helpweb/ItsSchemeHandler.h"

#include <QBuffer>
#include <QFileInfo>
#include <QWebEngineUrlRequestJob>

namespace mb::web {

namespace {

constexpr size_t kKeptPages = 64;

} // namespace

QUrl ItsUrl(const std::string& chmPath, const std::string& streamPath) {
    QUrl url;
    url.setScheme(kSchemeMsIts);
    url.setPath(QString::fromStdString(chmPath + "::/" + streamPath), QUrl::DecodedMode);
    return url;
}

std::string ItsAddressOf(const QUrl& url) {
    return (url.scheme() + ':' + url.path(QUrl::FullyDecoded)).toStdString();
}

QByteArray CItsSchemeHandler::MimeTypeOf(const QString& name) {
    static const std::map<QString, QByteArray> kTypes = {
        {"htm", "text/html"},    {"html", "text/html"}, {"hhc", "text/html"},
        {"hhk", "text/html"},    {"css", "text/css"},   {"js", "text/javascript"},
        {"gif", "image/gif"},    {"png", "image/png"},  {"jpg", "image/jpeg"},
        {"jpeg", "image/jpeg"},  {"bmp", "image/bmp"},  {"svg", "image/svg+xml"},
        {"ico", "image/x-icon"}, {"xml", "text/xml"},   {"xsl", "text/xml"},
        {"xslt", "text/xml"},    {"xsd", "text/xml"},   {"txt", "text/plain"}};
    auto found = kTypes.find(QFileInfo(name).suffix().toLower());
    return found == kTypes.end() ? QByteArray("application/octet-stream") : found->second;
}

void CItsSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (job->requestUrl().scheme() == kSchemePage)
        ServePage(job);
    else
        ServeStream(job);
}

void CItsSchemeHandler::ServeStream(QWebEngineUrlRequestJob* job) {
    ItsAddress address;
    if (!ParseItsAddress(ItsAddressOf(job->requestUrl()), address)) {
        job->fail(QWebEngineUrlRequestJob::UrlInvalid);
        return;
    }
    // "mk:@MSITStore:" addresses have no path a relative link could be
    // resolved against: they are answered with their "ms-its:" form.
    if (job->requestUrl().scheme() == kSchemeMk) {
        QUrl target = ItsUrl(address.chmPath, address.streamPath);
        target.setFragment(job->requestUrl().fragment());
        job->redirect(target);
        return;
    }
    std::string data;
    int result = m_reader.Read(address, data);
    if (result != kItsOk) {
        job->fail(result == kItsNotFound || result == kItsWrongType
                      ? QWebEngineUrlRequestJob::UrlNotFound
                      : QWebEngineUrlRequestJob::RequestFailed);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(QByteArray::fromStdString(data));
    job->reply(MimeTypeOf(QString::fromStdString(address.streamPath)), buffer);
}

void CItsSchemeHandler::ServePage(QWebEngineUrlRequestJob* job) {
    auto found = m_pages.find(job->requestUrl().path().section('/', -1).toULongLong());
    if (found == m_pages.end()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(found->second);
    // Stored pages are UTF-8 text: said here, it outweighs a charset that a
    // meta tag of the page names for the file the text came from.
    job->reply("text/html;charset=utf-8", buffer);
}

QUrl CItsSchemeHandler::StorePage(const QByteArray& html) {
    quint64 id = m_nextPage++;
    m_pages[id] = html;
    while (m_pages.size() > kKeptPages)
        m_pages.erase(m_pages.begin());
    return QUrl(QString("%1:/%2").arg(kSchemePage).arg(id));
}

} // namespace mb::web

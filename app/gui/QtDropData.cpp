#include "app/gui/QtDropData.h"

#include "archiveview/ArchiveMimeData.h"

#include <QMimeData>

namespace mb::gui {

CXML* QtDropData::ArchiveNode() const {
    return archive::ArchiveElementOf(&m_mime);
}

bool QtDropData::HasFormat(const std::string& mimeType) const {
    return m_mime.hasFormat(QString::fromStdString(mimeType));
}

std::string QtDropData::Data(const std::string& mimeType) const {
    QString type = QString::fromStdString(mimeType);
    // Qt keeps plain text as a string of its own when the drag was made
    // with setText; ask it the same way so both forms are read.
    if (type == "text/plain" && m_mime.hasText())
        return m_mime.text().toStdString();
    QByteArray bytes = m_mime.data(type);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace mb::gui

#pragma once
// What a drop on a project view offers, read from Qt's drag data. Files
// come as "text/uri-list"; the CHM explorer element travels inside this
// process only, in the explorer's own drag data.

#include "appglue/DropData.h"

class QMimeData;

namespace mb::gui {

class QtDropData final : public IDropData {
public:
    explicit QtDropData(const QMimeData& mime) : m_mime(mime) {}
    bool HasFormat(const std::string& mimeType) const override;
    std::string Data(const std::string& mimeType) const override;
    CXML* ArchiveNode() const override;

private:
    const QMimeData& m_mime;
};

} // namespace mb::gui

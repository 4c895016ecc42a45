#pragma once
// What a drop on a project view offers, read from Qt's drag data. Files
// come as "text/uri-list"; the CHM explorer element travels inside this
// process only, through ArchiveNode.

#include "appglue/DropData.h"

class QMimeData;

namespace mb::gui {

class QtDropData final : public IDropData {
public:
    explicit QtDropData(const QMimeData& mime, CXML* archiveNode = nullptr)
        : m_mime(mime), m_archiveNode(archiveNode) {}
    bool HasFormat(const std::string& mimeType) const override;
    std::string Data(const std::string& mimeType) const override;
    CXML* ArchiveNode() const override { return m_archiveNode; }

private:
    const QMimeData& m_mime;
    CXML* m_archiveNode;
};

// The CHM explorer element a drag of this process carries (the CHM
// explorer sets it when its drag starts and clears it when it ends).
void SetArchiveDragNode(CXML* node);
CXML* ArchiveDragNode();

} // namespace mb::gui

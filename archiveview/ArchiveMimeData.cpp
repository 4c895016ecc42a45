#include "archiveview/ArchiveMimeData.h"

#include "appglue/DragDropHelper.h"
#include "baseutil/Xml.h"

namespace mb::archive {

CArchiveMimeData::CArchiveMimeData(std::shared_ptr<CXML> tree, CXML* element)
    : m_tree(std::move(tree)), m_element(element) {
    setData(CDragDropHelper::GetCF_ArchiveView(),
            QByteArray::fromStdString(element->GetAttr("Local")));
}

CXML* ArchiveElementOf(const QMimeData* data) {
    const auto* ours = qobject_cast<const CArchiveMimeData*>(data);
    return ours ? ours->Element() : nullptr;
}

} // namespace mb::archive

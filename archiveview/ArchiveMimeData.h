#pragma once
// The data of an element dragged out of the CHM explorer. It offers the
// type CDragDropHelper::GetCF_ArchiveView() with the element's "Local" as
// its bytes; the element itself is reachable only through this object, so
// only a drop inside this process can use it, and it keeps the explorer's
// tree alive while the drag lasts.

#include <QMimeData>

#include <memory>

class CXML;

namespace mb::archive {

class CArchiveMimeData : public QMimeData {
    Q_OBJECT
public:
    CArchiveMimeData(std::shared_ptr<CXML> tree, CXML* element);
    CXML* Element() const { return m_element; }

private:
    std::shared_ptr<CXML> m_tree;
    CXML* m_element;
};

// The explorer element carried by `data`: null for data of any other
// origin, including the same type coming from another program.
CXML* ArchiveElementOf(const QMimeData* data);

} // namespace mb::archive

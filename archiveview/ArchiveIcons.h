#pragma once
// The pictures of the CHM explorer's tree: one per kind of element
// (storage, project, sitemap, page, style sheet, script, the four picture
// formats, XML, anything else).

#include <QIcon>

namespace mb::archive {

// The picture for an element of kind `kind` (0 to 11; other values are
// shown as kind 11).
QIcon IconForKind(int kind);

} // namespace mb::archive

#pragma once
// What a drop on one of the program's views offers. The desktop program
// answers these questions from the dragged data (QMimeData); tests answer
// them from a fake. The formats are MIME types: the program's own drags use
// the types that CDragDropHelper names, files come as "text/uri-list" and
// plain text as "text/plain".

#include <string>

class CXML;

namespace mb {

class IDropData {
public:
    virtual ~IDropData() = default;
    virtual bool HasFormat(const std::string& mimeType) const = 0;
    // The bytes offered under `mimeType` ("" when it is not offered); text
    // formats are UTF-8.
    virtual std::string Data(const std::string& mimeType) const = 0;
    // The CHM explorer element being dragged, when the drag started in this
    // process's CHM explorer; null for everything else, in particular for
    // data that comes from another process, where no element of ours exists.
    virtual CXML* ArchiveNode() const = 0;
};

} // namespace mb

// Reads arbitrary bytes as XML. Whatever is accepted must write back to text
// that reads again into the same tree, and be written identically again.

#include "baseutil/Xml.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CXML node;
    if (!node.XMLReadString(std::string(reinterpret_cast<const char*>(data), size))) {
        if (!node.GetTagName().empty() || node.GetChildCount() != 0)
            std::abort(); // a failed read must leave no partial tree
        return 0;
    }
    std::string first;
    node.XMLWriteString(first);
    CXML again;
    if (!again.XMLReadString(first))
        std::abort();
    std::string second;
    again.XMLWriteString(second);
    if (first != second)
        std::abort();
    node.TransferToArrayStruct();
    for (int i = 1; i <= node.GetDescendantsCount(); ++i)
        node.FindByID(node.GetDescendantsAt(i)->GetAttr("ID"));
    node.SortByNameEx(0, 1, 1);
    return 0;
}

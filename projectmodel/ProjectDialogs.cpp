#include "projectmodel/ProjectDialogs.h"

namespace mb {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

} // namespace

std::string ParentFolder(const std::string& folder) {
    std::string text = folder;
    while (text.size() > 1 && IsSeparator(text.back()))
        text.pop_back();
    if (text.size() == 2 && text[1] == ':')
        return text + "\\"; // a drive is its own parent
    size_t last = text.find_last_of("/\\");
    if (last == std::string::npos)
        return text;
    std::string parent = text.substr(0, last);
    // Keep the separator of a root: "/" or "D:\".
    if (parent.empty() || (parent.size() == 2 && parent[1] == ':'))
        parent += text[last];
    return parent;
}

} // namespace mb

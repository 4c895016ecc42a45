#include "appglue/FileItems.h"

#include "baseutil/Xml.h"

namespace mb {

CXML* AddFileItem(CXML* parent, const std::string& path) {
    return AddLinkItem(parent, kItemFile, path, path);
}

CXML* AddFolderItem(CXML* parent, const std::string& name) {
    CXML* item = parent->AddChild("FileItem");
    item->SetAttr("Name", name);
    item->SetAttr("Type", kItemFolder);
    return item;
}

CXML* AddLinkItem(CXML* parent, int type, const std::string& name, const std::string& local) {
    CXML* item = parent->AddChild("FileItem");
    item->SetAttr("Name", name);
    item->SetAttr("Type", type);
    item->SetAttr("Local", local);
    return item;
}

std::string FolderNoSlash(const std::string& folder) {
    std::string text = folder;
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string FolderTitle(const std::string& folder) {
    std::string text = FolderNoSlash(folder);
    size_t slash = text.rfind('/');
    if (slash == std::string::npos || slash + 1 == text.size())
        return text;
    return text.substr(slash + 1);
}

} // namespace mb

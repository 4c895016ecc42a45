#include "projectmodel/HHKFile.h"

#include "baseutil/Guid.h"

CHHKFile::CHHKFile()
    : CSitemapFile("hhkTreeRoot", {NC_INDEX_SELECTED, NC_INDEX_ACTIVATED, NC_INDEX_DEACTIVATED,
                                   NC_INDEX_FONT_CHANGED}) {}

void CHHKFile::InitHHK() {
    InitFont();
    m_frameName = "right";
    m_windowName = "win";
    ClearTree();
}

CXML* CHHKFile::CreateNode(const std::string& name, const std::string& local, int type,
                           const std::string& id) {
    auto* node = new CXML("node");
    node->SetAttr("Name", name);
    node->SetAttr("Local", local);
    node->SetAttr("Type", type);
    node->SetAttr("ID", id.empty() ? mb::NewGuidString() : id);
    return node;
}

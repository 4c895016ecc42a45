#include "projectmodel/HHKFile.h"

#include "baseutil/Guid.h"

#include <vector>

CHHKFile::CHHKFile()
    : CSitemapFile("hhkTreeRoot", {NC_INDEX_SELECTED, NC_INDEX_ACTIVATED, NC_INDEX_DEACTIVATED,
                                   NC_INDEX_FONT_CHANGED, NC_INDEX_ADDED, NC_INDEX_REMOVED, -1,
                                   NC_INDEX_DELETED_EMPTY, 2, 3}) {}

void CHHKFile::InitHHK() {
    InitFont();
    m_frameName = "right";
    m_windowName = "win";
    DelAll();
}

CXML* CHHKFile::CreateNode(const std::string& name, const std::string& local, int type,
                           const std::string& id) {
    auto* node = new CXML("node");
    node->ReserveAttrs(4);
    node->SetAttr("Name", name);
    node->SetAttr("Local", local);
    node->SetAttr("Type", type);
    node->SetAttr("ID", id.empty() ? mb::NewGuidString() : id);
    return node;
}

void CHHKFile::ModifyNode(CXML* node, int what, const CXML* values) {
    if (!node || !values)
        return;
    switch (what) {
    case 1:
        node->SetAttr("Name", values->GetAttr("Name"));
        Notify(NC_INDEX_RENAMED, node);
        break;
    case 2:
        node->SetAttr("Local", values->GetAttr("Local"));
        Notify(NC_INDEX_LOCAL_CHANGED, node);
        break;
    case 8:
        node->SetAttr("Type", values->GetAttrInt("Type"));
        Notify(NC_INDEX_TYPE_CHANGED, node);
        break;
    default:
        break;
    }
}

void CHHKFile::FitInsertedNode(CXML* node, bool appendedToRoot) {
    // Parents first, so that each node is judged by its parent's final type.
    std::vector<CXML*> pending{node};
    while (!pending.empty()) {
        CXML* current = pending.back();
        pending.pop_back();
        const CXML* parent = current->GetParent();
        FitType(current,
                parent != GetTreeRoot() && parent->GetAttrInt("Type") == kKeywordWithTopics,
                current == node && appendedToRoot);
        for (int i = 0; i < current->GetChildCount(); ++i)
            pending.push_back(current->GetChildAt(i));
    }
}

void CHHKFile::FitLoadedNode(CXML* node, bool topLevel) {
    FitType(node, !topLevel && node->GetParent()->GetAttrInt("Type") == kKeywordWithTopics,
            topLevel);
}

void CHHKFile::FitType(CXML* node, bool underKeyword, bool atTopOfAppendedRun) {
    int type = node->GetAttrInt("Type");
    if (type < 0 || type > kTopicOfKeyword)
        type = 0;
    if (type == kTopicOfKeyword && !underKeyword)
        type = 0;
    if (atTopOfAppendedRun && type != kKeywordWithTopics)
        type = 0;
    if (node->GetAttr("Type") != std::to_string(type))
        node->SetAttr("Type", type);
}

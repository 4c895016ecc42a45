#include "projectmodel/FilesList.h"

#include "baseutil/Guid.h"
#include "baseutil/Xml.h"

#include <memory>
#include <vector>

namespace mb {
namespace {

// Images of the item kinds 7 to 17.
constexpr int kKindImages[] = {12, 4, 34, 16, 26, 0, 10, 40, 11, 41, 18};

bool IsTableKind(int kind) {
    return kind >= 7 && kind <= 17;
}

void ConvertItem(CXML* item, const PageTitleSource& titles) {
    int kind = item->GetAttrInt("Type");
    std::string local = item->GetAttr("Local");
    std::string name;
    if (kind == 0 || kind == 2) {
        name = titles ? titles(kind, local) : std::string();
        if (name.empty())
            name = kNewTopicTitle;
    } else {
        name = item->GetAttr(IsTableKind(kind) ? "name" : "Name");
    }
    if (kind == 1)
        local.clear();

    int image = local.empty() ? 0 : (kind == 3 ? 44 : 10);
    if (IsTableKind(kind))
        image = kKindImages[kind - 7];

    while (item->GetAttrCount() > 0)
        item->RemoveAttr(item->GetAttrNameAt(0));
    item->SetTagName("node");
    item->SetAttr("Name", name);
    item->SetAttr("Local", local);
    item->SetAttr("ImageNumber", image);
    item->SetAttr("ID", NewGuidString());
    item->SetAttr("Type", kind);
    item->SetAttr("HTreeItem", "EMPTY");
}

// Every node below `element`, in document order.
std::vector<CXML*> Descendants(CXML* element) {
    std::vector<CXML*> found;
    std::vector<CXML*> pending;
    for (int i = element->GetChildCount() - 1; i >= 0; --i)
        pending.push_back(element->GetChildAt(i));
    while (!pending.empty()) {
        CXML* node = pending.back();
        pending.pop_back();
        found.push_back(node);
        for (int i = node->GetChildCount() - 1; i >= 0; --i)
            pending.push_back(node->GetChildAt(i));
    }
    return found;
}

} // namespace

void ConvertType1ToType2(CXML* list, const std::string& relativeId, int mode,
                         const PageTitleSource& titles) {
    if (!list)
        return;
    std::unique_ptr<CXML> run(list->Copy());
    for (CXML* item : Descendants(run.get()))
        ConvertItem(item, titles);
    run->SetTagName("List");
    run->SetAttr("RelativeNodeID", relativeId);
    run->SetAttr("InsertMode", mode);
    list->ResetContents();
    list->SetTagName("FilesList");
    list->AddChild(run.release());
}

CXML* AddRun(CXML* list, const std::string& relativeId, int mode) {
    CXML* run = list->AddChild("List");
    run->SetAttr("RelativeNodeID", relativeId);
    run->SetAttr("InsertMode", mode);
    return run;
}

void GiveNewIDs(CXML* list) {
    if (!list)
        return;
    for (int i = 0; i < list->GetChildCount(); ++i) {
        CXML* run = list->GetChildAt(i);
        if (run->GetTagName() != "List")
            continue;
        for (CXML* node : Descendants(run))
            node->SetAttr("ID", NewGuidString());
    }
}

CXML* NewChangeRecord() {
    return new CXML("ModifiedNodeInfo");
}

void CopyRunInto(const CXML* run, CXML* record) {
    run->CloneChildTo(record);
    if (const CXML* first = run->GetChildAt(0))
        record->SetAttr("ModifiedNodeID", first->GetAttr("ID"));
}

} // namespace mb

// Planning moves, drops and sorting of a contents or index tree: the
// records say where each run stands and where it goes; the commands carry
// them out as a removal followed by an insertion.

#include "projectmodel/FilesList.h"
#include "projectmodel/SitemapFile.h"
#include "runconfig/ConfigData.h"

namespace {

bool IsRun(const CXML* element) {
    return element->GetTagName() == "List" && element->GetChildCount() > 0;
}

// A move or drop record for `run`, aimed at (`id`, `mode`).
CXML* NewPlacementRecord(const CXML* run, const std::string& id, int mode) {
    CXML* record = mb::NewChangeRecord();
    record->SetAttr("ModifiedType", 1);
    record->SetAttr("DoRelativeNodeID", id);
    record->SetAttr("DoInsertMode", mode);
    record->SetAttr("UndoRelativeNodeID", run->GetAttr("RelativeNodeID"));
    record->SetAttr("UndoInsertMode", run->GetAttrInt("InsertMode"));
    mb::CopyRunInto(run, record);
    return record;
}

} // namespace

void CSitemapFile::PlanMove(const CXML* list, Move move) {
    if (!list)
        return;
    for (int i = 0; i < list->GetChildCount(); ++i) {
        const CXML* run = list->GetChildAt(i);
        if (!IsRun(run))
            continue;
        const CXML* end = move == Move::Down ? run->GetLastChild() : run->GetChildAt(0);
        const CXML* anchor = m_index.Find(end->GetAttr("ID"));
        if (!anchor)
            continue;
        const CXML* target = nullptr;
        int mode = mb::kInsertAfter;
        switch (move) {
        case Move::Up:
            target = anchor->GetPrevSibling2();
            mode = mb::kInsertBefore;
            break;
        case Move::Down:
            target = anchor->GetNextSibling();
            break;
        case Move::Left:
            target = GetParentNode(anchor);
            break;
        case Move::Right:
            target = anchor->GetPrevSibling2();
            if (target && target->GetChildCount() > 0)
                target = target->GetLastChild();
            else
                mode = mb::kInsertFirstChild;
            break;
        }
        if (target)
            Records()->AddChild(NewPlacementRecord(run, GetNodeID(target), mode));
    }
}

void CSitemapFile::PlanDragDrop(const CXML* list) {
    if (!list || !m_dropped)
        return;
    std::string target = GetNodeID(m_dropped);
    int mode = Config().GetInsertMode();
    for (int i = 0; i < list->GetChildCount(); ++i) {
        const CXML* run = list->GetChildAt(i);
        if (IsRun(run))
            Records()->AddChild(NewPlacementRecord(run, target, mode));
    }
}

int CSitemapFile::PlanSort(const CXML* node, int direction, mb::ISortDialog& dialog) {
    CXML* parent = node ? node->GetParent() : nullptr;
    if (!parent)
        return 0;
    int unused = 0;
    int ignoreCase = 0;
    int thisLevelOnly = 0;
    CXML::GetSortOption(unused, ignoreCase, thisLevelOnly);
    mb::SortChoice choice{thisLevelOnly, ignoreCase};
    if (!dialog.Ask(node->GetAttr("Name"), choice))
        return 0;
    thisLevelOnly = choice.thisLevelOnly;
    ignoreCase = choice.ignoreCase;
    CXML::SetSortOption(unused, ignoreCase, thisLevelOnly);

    bool topLevel = parent == m_root.get();
    std::string id = "ROOT";
    int mode = mb::kInsertFirstChild;
    if (!topLevel)
        GetRelativeNodeInfo(parent, id, mode);
    for (bool sorted : {false, true}) {
        CXML* record = Records()->AddChild(mb::NewChangeRecord());
        record->SetAttr("DoRelativeNodeID", id);
        record->SetAttr("DoInsertMode", mode);
        CXML* branch = record;
        if (topLevel)
            m_root->CloneChildTo(record);
        else
            branch = record->AddChild(parent->Copy());
        if (sorted)
            branch->SortByNameEx(thisLevelOnly, direction, ignoreCase);
    }
    return 1;
}

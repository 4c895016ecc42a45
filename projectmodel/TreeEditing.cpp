// Applying changes to a contents or index tree: inserting and removing runs
// of entries, with a change record and a notification for each run.

#include "baseutil/TextFold.h"
#include "projectmodel/FilesList.h"
#include "baseutil/Guid.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/SitemapEntries.h"
#include "projectmodel/SitemapFile.h"
#include "runconfig/ConfigData.h"

#include <memory>
#include <vector>

namespace {

bool IsRun(const CXML* element) {
    return element->GetTagName() == "List";
}

// True when `node` is `ancestor` or lies below it.
bool IsWithin(const CXML* node, const CXML* ancestor) {
    for (; node; node = node->GetParent()) {
        if (node == ancestor)
            return true;
    }
    return false;
}

// The children of `run`, detached from it in their order.
std::vector<std::unique_ptr<CXML>> TakeChildren(CXML* run) {
    std::vector<std::unique_ptr<CXML>> nodes(static_cast<size_t>(run->GetChildCount()));
    for (size_t i = nodes.size(); i-- > 0;)
        nodes[i].reset(run->RemoveAt(static_cast<int>(i)));
    return nodes;
}

// Entries of hand-made lists may come without an ID; every entry of a tree
// needs one to be found again.
void GiveMissingIDs(CXML* node) {
    std::vector<CXML*> pending{node};
    while (!pending.empty()) {
        CXML* current = pending.back();
        pending.pop_back();
        const std::string* id = current->FindAttr("ID");
        if (!id || id->empty())
            current->SetAttr("ID", mb::NewGuidString());
        for (int i = 0; i < current->GetChildCount(); ++i)
            pending.push_back(current->GetChildAt(i));
    }
}

std::vector<std::unique_ptr<CXML>> CopyChildren(const CXML* run) {
    std::vector<std::unique_ptr<CXML>> nodes;
    for (int i = 0; i < run->GetChildCount(); ++i)
        nodes.emplace_back(run->GetChildAt(i)->Copy());
    return nodes;
}

} // namespace

void CSitemapFile::AddFilesList(CXML* list) {
    if (!list)
        return;
    std::string anchor = GetNodeID(m_selected ? m_selected : GetNodeByID("TAIL"));
    if (m_project)
        m_project->ChangeFilesListFromType1ToType2(list, "NONE", mb::kInsertAfter);
    else
        mb::ConvertType1ToType2(list, "NONE", mb::kInsertAfter, nullptr);
    if (CXML* run = list->GetChildAt(0)) {
        run->SetAttr("RelativeNodeID", anchor);
        run->SetAttr("InsertMode", Config().GetInsertMode());
    }
    AddFilesList2(list);
}

void CSitemapFile::AddFilesList2(const CXML* list) {
    if (!list)
        return;
    // A run without nodes changes nothing.
    bool anyRun = false;
    for (int i = 0; i < list->GetChildCount(); ++i) {
        CXML* run = list->GetChildAt(i);
        if (IsRun(run) && run->GetChildCount() > 0) {
            anyRun = true;
            InsertRun(run, false);
        }
    }
    if (anyRun)
        SetModified();
}

void CSitemapFile::AddLoadedEntries(mb::sitemap::SitemapEntries& entries) {
    CXML& list = entries.List();
    if (list.GetChildCount() == 0)
        return;
    // The entries were fitted, and their IDs taken, as they were made.
    m_index.Add(entries.Ids());
    list.SetAttr("RelativeNodeID", "ROOT");
    list.SetAttr("InsertMode", mb::kInsertAfter);
    InsertRun(&list, true, true);
    SetModified();
}

void CSitemapFile::InsertRun(CXML* run, bool loading, bool prepared) {
    if (run->GetChildCount() == 0)
        return;
    // The record of a load is there for the views; when nobody watches the
    // tree, copying a whole project into it would be for nothing.
    bool recorded = !loading || GetObserverCount() > 0;
    std::string relativeId = run->GetAttr("RelativeNodeID");
    int mode = run->GetAttrInt("InsertMode");
    CXML* relative = GetNodeByID(relativeId);

    auto record = std::unique_ptr<CXML>(mb::NewChangeRecord());
    record->SetAttr("ModifiedType", m_codes.insertedType);
    record->SetAttr("DoRelativeNodeID", relativeId);
    record->SetAttr("DoInsertMode", mode);

    bool known =
        mode == mb::kInsertBefore || mode == mb::kInsertFirstChild || mode == mb::kInsertAfter;
    if (relative && known && !RefusesRun(relative, mode)) {
        bool appendedToRoot = relative == m_root.get() && mode != mb::kInsertFirstChild;
        std::vector<std::unique_ptr<CXML>> nodes = loading ? TakeChildren(run) : CopyChildren(run);
        CXML* previous = nullptr;
        for (std::unique_ptr<CXML>& owned : nodes) {
            CXML* node = owned.release();
            bool placed =
                previous ? Place(node, previous, mb::kInsertAfter) : Place(node, relative, mode);
            if (!placed) {
                delete node;
                break;
            }
            if (!prepared) {
                GiveMissingIDs(node);
                FitInsertedNode(node, appendedToRoot);
                m_index.AddSubtree(node);
            }
            if (!previous)
                record->SetAttr("ModifiedNodeID", node->GetAttr("ID"));
            if (recorded)
                record->AddChild(node->Copy());
            previous = node;
        }
    }
    if (recorded)
        Notify(m_codes.added, Records()->AddChild(record.release()));
}

bool CSitemapFile::Place(CXML* node, CXML* relative, int mode) {
    if (relative == m_root.get()) {
        if (mode == mb::kInsertFirstChild)
            m_root->AddChildAtFirst(node);
        else
            m_root->AddChild(node);
        return true;
    }
    switch (mode) {
    case mb::kInsertBefore:
        return relative->AddSibling(node, 0) != nullptr;
    case mb::kInsertFirstChild:
        return relative->AddChildAtFirst(node) != nullptr;
    case mb::kInsertAfter:
        return relative->AddSibling(node, 1) != nullptr;
    default:
        return false;
    }
}

void CSitemapFile::DelFilesList2(const CXML* list) {
    if (!list)
        return;
    std::string defaultTopic;
    if (WatchesDefaultTopic() && m_project)
        m_project->GetHHPFile()->GetOptionsData(OPT_DEFAULT_TOPIC, defaultTopic);

    bool anyRun = false;
    for (int i = 0; i < list->GetChildCount(); ++i) {
        const CXML* run = list->GetChildAt(i);
        if (!IsRun(run) || run->GetChildCount() == 0)
            continue;
        anyRun = true;
        CXML* record = Records()->AddChild(mb::NewChangeRecord());
        record->SetAttr("ModifiedType", m_codes.removedType);
        record->SetAttr("DoRelativeNodeID", run->GetAttr("RelativeNodeID"));
        record->SetAttr("DoInsertMode", run->GetAttrInt("InsertMode"));
        mb::CopyRunInto(run, record);
        Notify(m_codes.removed, record);

        for (int j = run->GetChildCount() - 1; j >= 0; --j) {
            CXML* node = m_index.Find(run->GetChildAt(j)->GetAttr("ID"));
            if (!node)
                continue;
            if (!defaultTopic.empty() &&
                mb::CompareNoCase(node->GetAttr("Local"), defaultTopic) == 0) {
                ClearDefaultTopic();
                defaultTopic.clear();
            }
            DeleteNode(node);
        }
    }
    if (!anyRun)
        return;
    if (m_root->GetChildCount() > 0) {
        if (m_codes.deletedLeft >= 0)
            Notify(m_codes.deletedLeft);
    } else {
        m_selected = nullptr;
        Notify(m_codes.deletedEmpty);
    }
    SetModified();
}

void CSitemapFile::DeleteNode(CXML* node) {
    // The views may still point the selection or the drop at a node that
    // goes now; forget them rather than keep a pointer to a deleted node.
    if (IsWithin(m_selected, node))
        m_selected = nullptr;
    if (IsWithin(m_dropped, node))
        m_dropped = nullptr;
    m_index.RemoveSubtree(node);
    node->GetParent()->RemoveChild(node);
    delete node;
}

void CSitemapFile::ClearDefaultTopic() {
    m_project->HHP_SetOptionsData(OPT_DEFAULT_TOPIC, std::string());
    m_project->HHP_SetWindowsData(WIN_DEFAULT_FILE, std::string());
}

void CSitemapFile::DelAll() {
    if (m_root->GetChildCount() == 0)
        return;
    CXML list("FilesList");
    CXML* run = list.AddChild("List");
    run->SetAttr("RelativeNodeID", "ROOT");
    run->SetAttr("InsertMode", mb::kInsertFirstChild);
    m_root->CloneChildTo(run);
    DelFilesList2(&list);
}

void CSitemapFile::GetRelativeNodeInfo(const CXML* node, std::string& id, int& mode) const {
    if (!node)
        return;
    if (const CXML* previous = node->GetPrevSibling2()) {
        id = GetNodeID(previous);
        mode = mb::kInsertAfter;
        return;
    }
    const CXML* parent = node->GetParent();
    id = !parent || parent == m_root.get() ? std::string("ROOT") : parent->GetAttr("ID");
    mode = mb::kInsertFirstChild;
}

void CSitemapFile::GetType2FilesListFromIDs(const CXML* selected, CXML* list) const {
    if (!selected || !list)
        return;
    list->DelAllChild();
    list->SetTagName("FilesList");
    CXML* run = nullptr;
    const CXML* previous = nullptr;
    for (int i = 0; i < selected->GetChildCount(); ++i) {
        const CXML* node = m_index.Find(selected->GetChildAt(i)->GetAttr("ID"));
        if (!node) {
            previous = nullptr;
            continue;
        }
        if (!run || !previous || node->GetPrevSibling2() != previous) {
            std::string id;
            int mode = mb::kInsertAfter;
            GetRelativeNodeInfo(node, id, mode);
            run = list->AddChild("List");
            run->SetAttr("RelativeNodeID", id);
            run->SetAttr("InsertMode", mode);
        }
        run->AddChild(node->Copy());
        previous = node;
    }
}

void CSitemapFile::ModifyNode(const std::string& id, int what, const CXML* values) {
    if (CXML* node = m_index.Find(id))
        ModifyNode(node, what, values);
}

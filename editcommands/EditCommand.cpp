#include "editcommands/EditCommand.h"

#include "appglue/AppHelper.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "editcommands/CommandContext.h"
#include "editcommands/CommandManager.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace mb {

CAppHelper* EditCommand::AppHelper() const {
    return m_manager->GetAppHelper();
}

CommandContext& EditCommand::Context() const {
    return m_manager->Context();
}

void EditCommand::AddToHistory(CCommand* entry) const {
    if (IsContents())
        m_manager->AddCommandToHistoryList_ContentTree(entry);
    else
        m_manager->AddCommandToHistoryList_IndexTree(entry);
}

CSitemapFile* EditCommand::Model() const {
    if (IsContents())
        return m_project->GetHHCFile();
    return m_project->GetHHKFile();
}

CXML* EditCommand::TreeRoot() const {
    return IsContents() ? m_project->HHC_GetTreeRoot() : m_project->HHK_GetTreeRoot();
}

CXML* EditCommand::NodeByID(const std::string& id) const {
    // An empty ID would name the root, which is never an entry.
    if (id.empty())
        return nullptr;
    return IsContents() ? m_project->HHC_GetNodeByID(id) : m_project->HHK_GetNodeByID(id);
}

void EditCommand::AddFilesList(CXML* list) const {
    IsContents() ? m_project->Content_AddFilesList(list) : m_project->Index_AddFilesList(list);
}

void EditCommand::AddFilesList2(const CXML* list) const {
    IsContents() ? m_project->Content_AddFilesList2(list) : m_project->Index_AddFilesList2(list);
}

void EditCommand::DeleteFilesList2(const CXML* list) const {
    IsContents() ? m_project->Content_DeleteFilesList2(list)
                 : m_project->Index_DeleteFilesList2(list);
}

void EditCommand::DeleteAll() const {
    IsContents() ? m_project->Content_DeleteAll() : m_project->Index_DeleteAll();
}

void EditCommand::Type2FilesListFromIDs(const CXML* selected, CXML* list) const {
    IsContents() ? m_project->Content_GetType2FilesListFromIDs(selected, list)
                 : m_project->Index_GetType2FilesListFromIDs(selected, list);
}

void EditCommand::ModifyNode(const std::string& id, int what, const CXML* values) const {
    IsContents() ? m_project->HHC_ModifyNode(id, what, values)
                 : m_project->HHK_ModifyNode(id, what, values);
}

void EditCommand::ModifyAttribute(const std::string& id, int what, const std::string& attribute,
                                  const std::string& value) const {
    CXML values("NewValue");
    values.SetAttr(attribute, value);
    ModifyNode(id, what, &values);
}

bool EditCommand::CheckFiles(CXML* list) const {
    return m_project->CheckFileList(list, *Context().projectDialogs) !=
               CProjectFile::kCheckCancelled &&
           list->GetChildCount() > 0;
}

void EditCommand::IndexInsertPlace(std::string& relativeId, int& mode) const {
    mode = m_project->Settings().config.GetInsertMode();
    if (m_project->Index_GetCount() == 0) {
        relativeId = "ROOT";
        return;
    }
    const CXML* selected = m_project->HHK_GetSelectedNode();
    if (!selected)
        selected = m_project->HHK_GetNodeByID("TAIL");
    relativeId = selected->GetAttr("ID");
}

std::unique_ptr<CXML> EditCommand::AskSelection(Tree tree) const {
    auto selected = std::make_unique<CXML>("SelectedNodes");
    if (IMainWindow* window = Context().window) {
        for (const SelectedNode& entry : window->SelectedNodes(tree)) {
            CXML* node = selected->AddChild("node");
            node->SetAttr("ID", entry.id);
            node->SetAttr("expanded", entry.expanded ? 1 : 0);
        }
    }
    return selected;
}

namespace {

// The positions of a node and its ancestors, from the top down.
std::vector<int> TreePosition(const CXML* node) {
    std::vector<int> position;
    for (; node && node->GetParent(); node = node->GetParent())
        position.push_back(node->GetIndexInParent());
    std::reverse(position.begin(), position.end());
    return position;
}

} // namespace

void NormalizeSelection(CXML* selected, const CProjectFile& project, Tree tree) {
    const CXML* root =
        tree == Tree::Contents ? project.HHC_GetTreeRoot() : project.HHK_GetTreeRoot();
    std::unordered_set<const CXML*> chosen;
    std::vector<std::pair<std::vector<int>, std::unique_ptr<CXML>>> kept;
    while (selected->GetChildCount() > 0) {
        std::unique_ptr<CXML> item(selected->RemoveAt(0));
        const std::string id = item->GetAttr("ID");
        const CXML* node = nullptr;
        if (!id.empty())
            node =
                tree == Tree::Contents ? project.HHC_GetNodeByID(id) : project.HHK_GetNodeByID(id);
        if (!node || node == root || !chosen.insert(node).second)
            continue;
        kept.emplace_back(TreePosition(node), std::move(item));
    }
    std::sort(kept.begin(), kept.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    // In tree order a selected ancestor comes before its descendants, and
    // every entry after its sub-tree lies outside it: only the last entry
    // kept can be an ancestor of the next one.
    auto isAncestor = [](const std::vector<int>& up, const std::vector<int>& down) {
        return up.size() < down.size() && std::equal(up.begin(), up.end(), down.begin());
    };
    const std::vector<int>* lastKept = nullptr;
    for (auto& [position, item] : kept) {
        if (lastKept && isAncestor(*lastKept, position))
            continue;
        lastKept = &position;
        selected->AddChild(item.release());
    }
}

bool Confirm(IPrompt& prompt, int stringNo) {
    return ShowMessage(prompt, CStrHelper::ML_GetStringEx(stringNo),
                       CStrHelper::ML_GetStringEx(kStrProductName), Buttons::YesNo,
                       Icon::Question) != Answer::No;
}

} // namespace mb

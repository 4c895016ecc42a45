#include "editcommands/AttributeCommands.h"

#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "dialogkit/DialogHost.h"
#include "dialogkit/EntryDialogs.h"
#include "editcommands/CommandContext.h"
#include "projectmodel/ProjectFile.h"

namespace mb {
namespace {

// ModifyNode selectors.
constexpr int kWhatName = 1;
constexpr int kWhatLocal = 2;
constexpr int kWhatImage = 7;
constexpr int kWhatType = 8;

constexpr int kKeywordOneTopic = 0;
constexpr int kKeywordSeveralTopics = 4;
constexpr int kTopicOfKeyword = 5;

// An entry that the views took out of their tree is marked with an
// "HTreeItem" of "0"; such entries are not changed.
bool IsShown(const CXML* node) {
    return node->GetAttr("HTreeItem") != "0";
}

} // namespace

void ChangeLocalCommand::TakeParameters(const CXML* parameters) {
    if (!parameters)
        return;
    m_mode = IsContents() ? parameters->GetAttrInt("GET_URL_MODE") : kGivenValues;
    m_id = parameters->GetAttr("ID");
    m_new = parameters->GetAttr("NEW_URL");
}

bool ChangeLocalCommand::AskContentsValues(const CXML* node) {
    if (m_mode == kGivenValues)
        return true;
    if (m_mode == kPickFile) {
        PickRequest request;
        request.initialPath = m_project->GetLastOpenDir();
        auto picked = Prompt().PickOpenFiles(request);
        if (!picked || picked->empty())
            return false;
        m_new = picked->front();
        m_project->SetLastOpenDir2(m_new);
        return true;
    }
    std::string text = m_old;
    CDlgGetURL dialog(&text, Prompt());
    if (dialog.DoModal(*Context().dialogHost) != kIdOk)
        return false;
    m_new = text;
    return true;
}

int ChangeLocalCommand::Execute() {
    const CXML* node = NodeByID(m_id);
    // Undo gives the entry back the page it has now, whatever the caller
    // believed it to be.
    m_old = node ? std::string(node->GetAttr("Local")) : std::string();
    if (IsContents()) {
        if (!AskContentsValues(node))
            return -1;
        // Exact comparison: page names differ by letter case on this system.
        if (!node || m_old == m_new)
            return 0;
    } else {
        if (!node)
            return -1;
        if (m_old == m_new)
            return 0;
    }
    if (m_project->CheckFile(m_new, *Context().projectDialogs) == CProjectFile::kCheckCancelled)
        return IsContents() ? 0 : -1;
    if (!IsShown(node))
        return 0;
    ModifyAttribute(m_id, kWhatLocal, "Local", m_new);
    AddToHistory(new ChangeLocalCommand(*this));
    return 0;
}

void ChangeLocalCommand::Undo() {
    ModifyAttribute(m_id, kWhatLocal, "Local", m_old);
}

void ChangeLocalCommand::Redo() {
    ModifyAttribute(m_id, kWhatLocal, "Local", m_new);
}

void RenameCommand::TakeParameters(const CXML* parameters) {
    if (!parameters)
        return;
    m_id = parameters->GetAttr("ID");
    m_new = parameters->GetAttr("NEW_NAME");
}

int RenameCommand::Execute() {
    const CXML* node = NodeByID(m_id);
    // Undo gives the entry back the name it has now, whatever the caller
    // believed it to be.
    m_old = node ? std::string(node->GetAttr("Name")) : std::string();
    // An entry that is gone or not shown cannot be renamed, and a rename to
    // the same name is no change worth an entry in the history.
    if (!node || !IsShown(node) || m_old == m_new)
        return 0;
    AddToHistory(new RenameCommand(*this));
    ModifyAttribute(m_id, kWhatName, "Name", m_new);
    return 0;
}

void RenameCommand::Undo() {
    ModifyAttribute(m_id, kWhatName, "Name", m_old);
}

void RenameCommand::Redo() {
    ModifyAttribute(m_id, kWhatName, "Name", m_new);
}

void ChangeIconsCommand::TakeParameters(const CXML* parameters) {
    m_oldIcons.clear();
    if (!parameters)
        return;
    m_newIcon = parameters->GetAttrInt("NEW_ICON");
    for (int i = 0; i < parameters->GetChildCount(); ++i) {
        const CXML* child = parameters->GetChildAt(i);
        if (child->GetTagName() != "NODE_ID")
            continue;
        if (const CXML* node = NodeByID(child->Value()))
            m_oldIcons.emplace_back(child->Value(), node->GetAttr("ImageNumber"));
    }
}

int ChangeIconsCommand::Execute() {
    if (m_oldIcons.empty())
        return 0;
    SetImages(false);
    AddToHistory(new ChangeIconsCommand(*this));
    return 0;
}

void ChangeIconsCommand::Undo() {
    SetImages(true);
}

void ChangeIconsCommand::Redo() {
    SetImages(false);
}

void ChangeIconsCommand::SetImages(bool useOld) const {
    for (const auto& [id, old] : m_oldIcons)
        ModifyAttribute(id, kWhatImage, "ImageNumber", useOld ? old : std::to_string(m_newIcon));
}

void IndexTypeCommand::TakeParameters(const CXML* parameters) {
    m_hasRecord = parameters != nullptr;
    m_id = parameters ? std::string(parameters->GetAttr("ID")) : std::string();
}

void IndexTypeCommand::Retype(const CXML* node, int type) {
    std::string id = node->GetAttr("ID");
    m_changes.push_back({id, node->GetAttrInt("Type"), type});
    ModifyAttribute(id, kWhatType, "Type", std::to_string(type));
}

int IndexTypeCommand::Execute() {
    m_changes.clear();
    const CXML* node = m_hasRecord ? NodeByID(m_id) : nullptr;
    if (!node)
        return 0;
    // A topic (5) belongs under a keyword with several topics (4); changes
    // that would leave a topic anywhere else are not made.
    int type = node->GetAttrInt("Type");
    switch (m_change) {
    case Change::MakeSubTopic: {
        // A top-level entry has no keyword to become a topic of, and an
        // entry with topics of its own cannot become one.
        const CXML* parent = m_project->HHK_GetParentNode(node);
        if (!parent || type != kKeywordOneTopic)
            return 0;
        Retype(node, kTopicOfKeyword);
        if (parent->GetAttrInt("Type") != kKeywordSeveralTopics)
            Retype(parent, kKeywordSeveralTopics);
        break;
    }
    case Change::MakeKeyword:
        if (type != kTopicOfKeyword)
            return 0;
        Retype(node, kKeywordOneTopic);
        break;
    case Change::SplitTopics:
        if (type != kKeywordSeveralTopics)
            return 0;
        Retype(node, kKeywordOneTopic);
        for (int i = 0; i < node->GetChildCount(); ++i) {
            const CXML* child = node->GetChildAt(i);
            if (child->GetAttrInt("Type") == kTopicOfKeyword)
                Retype(child, kKeywordOneTopic);
        }
        break;
    }
    AddToHistory(new IndexTypeCommand(*this));
    return 0;
}

void IndexTypeCommand::Undo() {
    for (auto it = m_changes.rbegin(); it != m_changes.rend(); ++it)
        ModifyAttribute(it->id, kWhatType, "Type", std::to_string(it->oldType));
}

void IndexTypeCommand::Redo() {
    for (const TypeChange& change : m_changes)
        ModifyAttribute(change.id, kWhatType, "Type", std::to_string(change.newType));
}

} // namespace mb

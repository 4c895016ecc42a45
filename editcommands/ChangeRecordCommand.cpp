#include "editcommands/ChangeRecordCommand.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Xml.h"
#include "editcommands/CommandContext.h"
#include "projectmodel/FilesList.h"
#include "projectmodel/ProjectFile.h"

namespace mb {
namespace {

std::unique_ptr<CXML> CopyOf(const std::unique_ptr<CXML>& element) {
    return element ? std::unique_ptr<CXML>(element->Copy()) : nullptr;
}

} // namespace

ChangeRecordCommand::ChangeRecordCommand(const ChangeRecordCommand& other)
    : EditCommand(other), m_snapshot(CopyOf(other.m_snapshot)),
      m_selection(CopyOf(other.m_selection)) {}

bool ChangeRecordCommand::KeepSelection() {
    m_selection = AskSelection(m_tree);
    NormalizeSelection(m_selection.get(), *m_project, m_tree);
    if (m_selection->GetChildCount() > 0)
        return true;
    m_selection.reset();
    return false;
}

void ChangeRecordCommand::BeginChange() const {
    m_project->ResetModifiedInfo();
}

ChangeRecordCommand* ChangeRecordCommand::EndChange() {
    m_snapshot.reset(m_project->GetModifiedInfo()->Copy());
    if (m_snapshot->GetChildCount() == 0)
        return nullptr;
    ChangeRecordCommand* entry = NewEntry();
    AddToHistory(entry);
    return entry;
}

std::unique_ptr<CXML> ChangeRecordCommand::ListFromRecords(const std::string& prefix) const {
    auto list = std::make_unique<CXML>("FilesList");
    for (int i = 0; m_snapshot && i < m_snapshot->GetChildCount(); ++i) {
        const CXML* record = m_snapshot->GetChildAt(i);
        CXML* run = AddRun(list.get(), record->GetAttr(prefix + "RelativeNodeID"),
                           record->GetAttrInt(prefix + "InsertMode"));
        record->CloneChildTo(run);
    }
    return list;
}

std::unique_ptr<CXML> ChangeRecordCommand::MergedDoList() const {
    auto list = std::make_unique<CXML>("FilesList");
    if (!m_snapshot || m_snapshot->GetChildCount() == 0)
        return list;
    std::string relativeId;
    for (int i = 0; i < m_snapshot->GetChildCount() && relativeId.empty(); ++i)
        relativeId = m_snapshot->GetChildAt(i)->GetAttr("DoRelativeNodeID");
    CXML* run =
        AddRun(list.get(), relativeId, m_snapshot->GetChildAt(0)->GetAttrInt("DoInsertMode"));
    for (int i = 0; i < m_snapshot->GetChildCount(); ++i)
        m_snapshot->GetChildAt(i)->CloneChildTo(run);
    return list;
}

std::unique_ptr<CXML> ChangeRecordCommand::ListFromRecord(int index) const {
    auto list = std::make_unique<CXML>("FilesList");
    const CXML* record = m_snapshot ? m_snapshot->GetChildAt(index) : nullptr;
    if (!record)
        return list;
    CXML* run =
        AddRun(list.get(), record->GetAttr("DoRelativeNodeID"), record->GetAttrInt("DoInsertMode"));
    record->CloneChildTo(run);
    return list;
}

void ChangeRecordCommand::Relocate(const CXML* removed, const CXML* inserted) const {
    std::string defaultTopic;
    std::string defaultFile;
    m_project->HHP_GetOptionsData(OPT_DEFAULT_TOPIC, defaultTopic);
    m_project->HHP_GetWindowsData(WIN_DEFAULT_FILE, defaultFile);
    DeleteFilesList2(removed);
    if (inserted)
        AddFilesList2(inserted);
    std::string topicNow;
    std::string fileNow;
    m_project->HHP_GetOptionsData(OPT_DEFAULT_TOPIC, topicNow);
    m_project->HHP_GetWindowsData(WIN_DEFAULT_FILE, fileNow);
    if (topicNow != defaultTopic)
        m_project->HHP_SetOptionsData(OPT_DEFAULT_TOPIC, defaultTopic);
    if (fileNow != defaultFile)
        m_project->HHP_SetWindowsData(WIN_DEFAULT_FILE, defaultFile);
}

void ChangeRecordCommand::Reselect() const {
    IMainWindow* window = Context().window;
    if (!m_selection || !window)
        return;
    std::vector<SelectedNode> nodes;
    for (int i = 0; i < m_selection->GetChildCount(); ++i) {
        const CXML* node = m_selection->GetChildAt(i);
        nodes.push_back({node->GetAttr("ID"), node->GetAttrInt("expanded") == 1});
    }
    window->SelectNodes(m_tree, nodes);
}

} // namespace mb

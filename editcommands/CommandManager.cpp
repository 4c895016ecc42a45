#include "editcommands/CommandManager.h"

#include "editcommands/AttributeCommands.h"
#include "editcommands/CommandIds.h"
#include "editcommands/FilesCommands.h"
#include "editcommands/InsertCommands.h"
#include "editcommands/MoveCommands.h"
#include "editcommands/RemoveCommands.h"
#include "editcommands/SettingCommands.h"
#include "editcommands/SortCommands.h"
#include "projectmodel/ProjectFile.h"

using namespace mb;

namespace {

using Move = CSitemapFile::Move;
using Files = AddProjectFilesCommand;

// The command object of every id; null for the unused ids 53 to 55.
std::unique_ptr<EditCommand> MakeCommand(int id, CCommandManager* m, CProjectFile* p) {
    const Tree C = Tree::Contents;
    const Tree I = Tree::Index;
    auto insert = [&](Tree tree, EntrySource source, bool checked, bool dropped = false,
                      bool editNewTitle = false) {
        return std::make_unique<InsertCommand>(
            m, p, tree, InsertCommand::Setup{source, checked, dropped, editNewTitle});
    };
    auto files = [&](Files::Source source, bool checked, Files::Target target) {
        return std::make_unique<Files>(m, p, Files::Setup{source, checked, target});
    };
    switch (id) {
    case CMD_ADD_FOLDER_TO_CONTENTS:
        return insert(C, EntrySource::PickedFolder, true);
    case CMD_ADD_FOLDER_TO_INDEX:
        return insert(I, EntrySource::PickedFolder, true);
    case CMD_ADD_FOLDER_TO_FILES:
        return files(Files::Source::PickedFolder, true, Files::Target::HiddenFiles);
    case CMD_ADD_FILES_TO_CONTENTS:
        return insert(C, EntrySource::PickedFiles, true);
    case CMD_ADD_FILES_TO_INDEX:
        return insert(I, EntrySource::PickedFiles, true);
    case CMD_ADD_FILES_TO_FILES:
        return files(Files::Source::PickedFiles, true, Files::Target::HiddenFiles);
    case CMD_ADD_MERGE_FILES:
        return files(Files::Source::PickedMergeFiles, false, Files::Target::MergeFiles);
    case CMD_NEW_CONTENTS_HEADING:
        return insert(C, EntrySource::NewHeading, false, false, true);
    case CMD_NEW_INDEX_KEYWORD:
        return insert(I, EntrySource::NewHeading, false, false, true);
    case CMD_ADD_SELECTION_TO_INDEX:
        return std::make_unique<AddSelectionToIndexCommand>(m, p);
    case CMD_ADD_PAGE_KEYWORDS:
        return std::make_unique<AddPageKeywordsCommand>(m, p);
    case CMD_CHANGE_CONTENTS_LOCAL:
        return std::make_unique<ChangeLocalCommand>(m, p, C);
    case CMD_CHANGE_INDEX_LOCAL:
        return std::make_unique<ChangeLocalCommand>(m, p, I);
    case CMD_CHANGE_CONTENTS_ICONS:
        return std::make_unique<ChangeIconsCommand>(m, p);
    case CMD_FOLDER_VIEW_TO_CONTENTS:
        return insert(C, EntrySource::FolderView, true, true);
    case CMD_FOLDER_VIEW_TO_INDEX:
        return insert(I, EntrySource::FolderView, true, true);
    case CMD_ARCHIVE_VIEW_TO_CONTENTS:
        return insert(C, EntrySource::ArchiveContent, false, true);
    case CMD_ARCHIVE_VIEW_TO_INDEX:
        return insert(I, EntrySource::ArchiveIndex, false, true);
    case CMD_SORT_CONTENTS_AZ:
        return std::make_unique<SortCommand>(m, p, C, 0);
    case CMD_SORT_CONTENTS_ZA:
        return std::make_unique<SortCommand>(m, p, C, 1);
    case CMD_DELETE_CONTENTS:
        return std::make_unique<RemoveCommand>(m, p, C, false);
    case CMD_DELETE_ALL_CONTENTS:
        return std::make_unique<RemoveCommand>(m, p, C, true);
    case CMD_DELETE_INDEX:
        return std::make_unique<RemoveCommand>(m, p, I, false);
    case CMD_DELETE_ALL_INDEX:
        return std::make_unique<RemoveCommand>(m, p, I, true);
    case CMD_DELETE_FILES:
        return std::make_unique<DeleteProjectFilesCommand>(
            m, p, DeleteProjectFilesCommand::Which::Selected);
    case CMD_DELETE_MERGE_FILES:
        return std::make_unique<DeleteProjectFilesCommand>(
            m, p, DeleteProjectFilesCommand::Which::SelectedMergeFiles);
    case CMD_DELETE_ALL_FILES:
        return std::make_unique<DeleteProjectFilesCommand>(m, p,
                                                           DeleteProjectFilesCommand::Which::All);
    case CMD_NEW_CONTENTS_PAGE:
        return insert(C, EntrySource::NewPage, false);
    case CMD_MOVE_CONTENTS_DOWN:
        return std::make_unique<MoveCommand>(m, p, C, Move::Down);
    case CMD_MOVE_CONTENTS_LEFT:
        return std::make_unique<MoveCommand>(m, p, C, Move::Left);
    case CMD_MOVE_CONTENTS_RIGHT:
        return std::make_unique<MoveCommand>(m, p, C, Move::Right);
    case CMD_MOVE_CONTENTS_UP:
        return std::make_unique<MoveCommand>(m, p, C, Move::Up);
    case CMD_MOVE_INDEX_DOWN:
        return std::make_unique<MoveCommand>(m, p, I, Move::Down);
    case CMD_MOVE_INDEX_LEFT:
        return std::make_unique<MoveCommand>(m, p, I, Move::Left);
    case CMD_MOVE_INDEX_RIGHT:
        return std::make_unique<MoveCommand>(m, p, I, Move::Right);
    case CMD_MOVE_INDEX_UP:
        return std::make_unique<MoveCommand>(m, p, I, Move::Up);
    case CMD_RENAME_CONTENTS:
        return std::make_unique<RenameCommand>(m, p, C);
    case CMD_RENAME_INDEX:
        return std::make_unique<RenameCommand>(m, p, I);
    case CMD_CONTENTS_BACKGROUND:
        return std::make_unique<BackgroundColorCommand>(m, p);
    case CMD_CONTENTS_FONT:
        return std::make_unique<FontCommand>(m, p);
    case CMD_DRAG_MOVE_CONTENTS:
        return std::make_unique<DragMoveCommand>(m, p, C);
    case CMD_DRAG_COPY_CONTENTS:
        return std::make_unique<DragCopyCommand>(m, p, C);
    case CMD_DRAG_MOVE_INDEX:
        return std::make_unique<DragMoveCommand>(m, p, I);
    case CMD_DRAG_COPY_INDEX:
        return std::make_unique<DragCopyCommand>(m, p, I);
    case CMD_INDEX_MAKE_SUBTOPIC:
        return std::make_unique<IndexTypeCommand>(m, p, IndexTypeCommand::Change::MakeSubTopic);
    case CMD_INDEX_MAKE_KEYWORD:
        return std::make_unique<IndexTypeCommand>(m, p, IndexTypeCommand::Change::MakeKeyword);
    case CMD_INDEX_SPLIT_TOPICS:
        return std::make_unique<IndexTypeCommand>(m, p, IndexTypeCommand::Change::SplitTopics);
    case CMD_SORT_INDEX_AZ:
        return std::make_unique<SortCommand>(m, p, I, 0);
    case CMD_SORT_INDEX_ZA:
        return std::make_unique<SortCommand>(m, p, I, 1);
    case CMD_INDEX_FROM_CONTENTS:
        return std::make_unique<ReplaceIndexCommand>(m, p);
    case CMD_FOLDER_VIEW_TO_FILES:
        return files(Files::Source::FolderView, true, Files::Target::Files);
    case CMD_FOLDER_VIEW_TO_MERGE_FILES:
        return files(Files::Source::FolderView, false, Files::Target::MergeFiles);
    case CMD_REPLACE_UNWELCOME_CHARS:
        return std::make_unique<ReplaceUnwelcomeCharsCommand>(m, p);
    case CMD_KEEP_FILES_LIST:
        return std::make_unique<KeepFilesListCommand>(m, p);
    default:
        return nullptr;
    }
}

} // namespace

CCommandManager::CCommandManager(mb::CommandContext& context) : m_context(context) {}

CCommandManager::~CCommandManager() {
    m_contents.Clear();
    m_index.Clear();
}

void CCommandManager::CreateCommandObject() {
    for (int id = 0; id <= kLastCommandId; ++id)
        m_prototypes[id] = MakeCommand(id, this, m_project);
}

void CCommandManager::DeleteCommandObject() {
    for (auto& prototype : m_prototypes)
        prototype.reset();
}

int CCommandManager::DoCommand(int id, CXML* parameters) {
    if (id < 0 || id > kLastCommandId || !m_prototypes[id] || !m_project)
        return 0;
    EditCommand& command = *m_prototypes[id];
    command.TakeParameters(parameters);
    int result = 0;
    AsUndoableEdit(false, [&] { result = command.Execute(); });
    return id == CMD_ADD_PAGE_KEYWORDS ? result : 0;
}

void CCommandManager::Undo_ContentTree() {
    AsUndoableEdit(true, [this] { m_contents.Undo(); });
}

void CCommandManager::Undo_IndexTree() {
    AsUndoableEdit(true, [this] { m_index.Undo(); });
}

void CCommandManager::Redo_ContentTree() {
    AsUndoableEdit(true, [this] { m_contents.Redo(); });
}

void CCommandManager::Redo_IndexTree() {
    AsUndoableEdit(true, [this] { m_index.Redo(); });
}

void CCommandManager::Append(mb::CommandHistory& history, CCommand* command) {
    history.Append(command);
    ++m_appended;
}

template <typename Change> void CCommandManager::AsUndoableEdit(bool recorded, Change change) {
    if (!m_project) {
        change();
        return;
    }
    ChangesSinceSave& changes = m_project->GetChangesSinceSave();
    // Saved since the last look: the histories stand where the save found
    // them, as only this manager moves them.
    if (changes.SaveCount() != m_saveCountSeen) {
        m_saveCountSeen = changes.SaveCount();
        m_contents.MarkClean();
        m_index.MarkClean();
    }
    const unsigned appendedBefore = m_appended;
    changes.BeginUndoableEdit();
    change();
    changes.EndUndoableEdit(recorded || m_appended != appendedBefore);
    m_project->FollowUndoHistories(m_contents.IsClean() && m_index.IsClean());
}

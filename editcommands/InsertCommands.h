#pragma once
// Commands that add new entries to the contents or the index: from a picked
// folder or files, from the folder or compiled-help explorers, a new
// heading or keyword, a new page, the selected contents entries, and a
// page's keywords. Undo removes the entries again; Redo puts them back with
// the same IDs.
#include "editcommands/ChangeRecordCommand.h"

#include <optional>
#include <string>
#include <vector>

namespace mb {

class InsertCommandBase : public ChangeRecordCommand {
public:
    using ChangeRecordCommand::ChangeRecordCommand;
    void Undo() override;
    void Redo() override;
};

// Where the new entries of an insert command come from.
enum class EntrySource {
    PickedFolder,   // the add-directory dialog
    PickedFiles,    // a multi-select file picker
    FolderView,     // a drop from the folder explorer
    ArchiveContent, // a drop of contents entries from the compiled-help explorer
    ArchiveIndex,   // a drop of index entries from the compiled-help explorer
    NewHeading,     // one heading named by the string table
    NewPage,        // a page made by the new-page dialog
};

// Inserts a type-1 files list from its source at the selected entry.
class InsertCommand : public ClonedEntry<InsertCommand, InsertCommandBase> {
public:
    struct Setup {
        EntrySource source;
        // The files are checked against the project folder (and copied into
        // it when the user agrees) before they are added.
        bool checked;
        // The entries were dropped on an entry of a tree view, which
        // becomes the selected one before they are inserted.
        bool dropped = false;
        // The new entry's name is opened for editing once it is in.
        bool editNewTitle = false;
    };
    InsertCommand(CCommandManager* manager, CProjectFile* project, Tree tree, Setup setup)
        : ClonedEntry(manager, project, tree), m_setup(setup) {}
    int Execute() override;
    // A new page written over an existing file also puts the file's old
    // text back (Undo) and the new page's text again (Redo).
    void Undo() override;
    void Redo() override;

private:
    // Fills `list` from the source; false when there is nothing to add.
    bool Gather(CXML* list);
    // Writes `text` into the replaced page's file; tells the user when it
    // cannot.
    void WriteReplacedPage(const std::string& text) const;

    // A page file the new-page dialog replaced: its text before and after.
    struct ReplacedPage {
        std::string path;
        std::string before;
        std::string after;
    };

    Setup m_setup;
    std::optional<ReplacedPage> m_replacedPage;
};

// Adds copies of the selected contents entries to the index, with or
// without their sub-entries as the user chooses.
class AddSelectionToIndexCommand
    : public ClonedEntry<AddSelectionToIndexCommand, InsertCommandBase> {
public:
    AddSelectionToIndexCommand(CCommandManager* manager, CProjectFile* project)
        : ClonedEntry(manager, project, Tree::Index) {}
    int Execute() override;
};

// Adds one index entry per keyword of the selected contents entry's page,
// each a copy of the entry named after the keyword.
class AddPageKeywordsCommand : public ClonedEntry<AddPageKeywordsCommand, InsertCommandBase> {
public:
    // Results of Execute; the caller tells the user about all but kDone.
    static constexpr int kDone = 0;
    static constexpr int kNotLocal = 1;
    static constexpr int kNoKeywords = 2;
    static constexpr int kCannotOpen = 3;
    static constexpr int kNotHtml = 4;

    AddPageKeywordsCommand(CCommandManager* manager, CProjectFile* project)
        : ClonedEntry(manager, project, Tree::Index) {}
    int Execute() override;
};

} // namespace mb

#pragma once
// Commands that change the project's files rather than a tree: adding
// topic files or merge files without entries, asking the main window to
// delete files, renaming pages whose names hold unwelcome characters, and
// keeping a files list handed over by a caller. None of them can be undone.
#include "editcommands/EditCommand.h"

namespace mb {

class AddProjectFilesCommand : public EditCommand {
public:
    enum class Source { PickedFolder, PickedFiles, PickedMergeFiles, FolderView };
    enum class Target { HiddenFiles, Files, MergeFiles };
    struct Setup {
        Source source;
        bool checked;
        Target target;
    };
    AddProjectFilesCommand(CCommandManager* manager, CProjectFile* project, Setup setup)
        : EditCommand(manager, project, Tree::Contents), m_setup(setup) {}
    // 1 when a list was passed on to the project, else 0.
    int Execute() override;

private:
    bool Gather(CXML* list) const;
    Setup m_setup;
};

// Sends one request to the main window (which asks the user and deletes
// files of the project files view) and returns 1.
class FilesRequestCommand : public EditCommand {
public:
    FilesRequestCommand(CCommandManager* manager, CProjectFile* project, int message)
        : EditCommand(manager, project, Tree::Contents), m_message(message) {}
    int Execute() override;

private:
    int m_message;
};

// Renames the pages of the selected contents entries whose file names hold
// unwelcome characters; 0 when nothing is selected, else 1.
class ReplaceUnwelcomeCharsCommand : public EditCommand {
public:
    ReplaceUnwelcomeCharsCommand(CCommandManager* manager, CProjectFile* project)
        : EditCommand(manager, project, Tree::Contents) {}
    int Execute() override;
};

// Keeps a copy of the "FilesList" child of its parameter record.
class KeepFilesListCommand : public EditCommand {
public:
    KeepFilesListCommand(CCommandManager* manager, CProjectFile* project)
        : EditCommand(manager, project, Tree::Contents) {}
    void TakeParameters(const CXML* parameters) override;
    int Execute() override { return 0; }
    // The list kept by the last call, or null.
    const CXML* GetFilesList() const { return m_list.get(); }

private:
    std::unique_ptr<CXML> m_list;
};

} // namespace mb

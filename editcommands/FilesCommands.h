#pragma once
// Commands that change the project's files rather than a tree: adding
// topic files or merge files without entries, removing the files selected
// in the files view (or all of them) from the project, renaming pages whose
// names hold unwelcome characters, and keeping a files list handed over by a
// caller. None of them can be undone.
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

// Takes files out of the project's lists after the user agrees: the
// files (and merge files) selected in the files view, only the selected
// merge files, or every file of the files list. The files themselves stay
// on the disk. Returns 1.
class DeleteProjectFilesCommand : public EditCommand {
public:
    enum class Which { Selected, SelectedMergeFiles, All };
    DeleteProjectFilesCommand(CCommandManager* manager, CProjectFile* project, Which which)
        : EditCommand(manager, project, Tree::Contents), m_which(which) {}
    int Execute() override;

private:
    Which m_which;
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

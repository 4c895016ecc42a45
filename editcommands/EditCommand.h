#pragma once
// What every contents and index command shares: the manager (for the
// histories and the application helper), the project, the tree it works
// on, and the tree operations it calls, named once for both trees.
#include "baseutil/Command.h"
#include "baseutil/MainWindow.h"
#include "editcommands/CommandContext.h"

#include <memory>
#include <string>

class CAppHelper;
class CCommandManager;
class CProjectFile;
class CSitemapFile;
class CXML;

namespace mb {

class EditCommand : public CCommand {
public:
    EditCommand(CCommandManager* manager, CProjectFile* project, Tree tree)
        : m_manager(manager), m_project(project), m_tree(tree) {}

    // Copies what the command reads out of a parameter record (may be
    // null) before Execute; most commands read nothing.
    virtual void TakeParameters(const CXML* parameters) {}
    void Undo() override {}
    void Redo() override {}

protected:
    CAppHelper* AppHelper() const;
    // The window and the dialogs of whoever runs the commands.
    CommandContext& Context() const;
    // The prompt of whoever runs the commands.
    IPrompt& Prompt() const { return *Context().prompt; }
    // Asks the main window for the selected entries of `tree`: a fresh
    // "SelectedNodes" record with one "node" ("ID", "expanded") per entry
    // (empty when there is no main window or nothing is selected).
    std::unique_ptr<CXML> AskSelection(Tree tree) const;
    // Appends `entry` (taken over) to the history of the command's tree.
    void AddToHistory(CCommand* entry) const;

    // The model of the command's tree.
    CSitemapFile* Model() const;
    // The tree operations of the project for the command's tree.
    CXML* TreeRoot() const;
    CXML* NodeByID(const std::string& id) const;
    void AddFilesList(CXML* list) const;
    void AddFilesList2(const CXML* list) const;
    void DeleteFilesList2(const CXML* list) const;
    void DeleteAll() const;
    void Type2FilesListFromIDs(const CXML* selected, CXML* list) const;
    void ModifyNode(const std::string& id, int what, const CXML* values) const;
    // Sets one attribute of a node through ModifyNode.
    void ModifyAttribute(const std::string& id, int what, const std::string& attribute,
                         const std::string& value) const;
    // Checks files about to be added against the project folder (copying
    // them in when the user agrees); false when the user declined or the
    // copy failed.
    bool CheckFiles(CXML* list) const;
    // The place for new index entries: the configured insert mode, relative
    // to "ROOT" in an empty index, else to the selected entry or the last
    // top-level one.
    void IndexInsertPlace(std::string& relativeId, int& mode) const;

    bool IsContents() const { return m_tree == Tree::Contents; }

    CCommandManager* m_manager;
    CProjectFile* m_project;
    Tree m_tree;
};

// Puts a selection into tree order and drops the entries that are not in
// the tree or lie inside another selected entry (removing, moving or
// copying an entry takes its sub-entries along anyway). Runs of adjacent
// entries then stay together, and every run's place is an entry that stays
// where it is, so changes made run by run can be reversed run by run.
void NormalizeSelection(CXML* selected, const CProjectFile& project, Tree tree);
// Asks `prompt` the Yes/No question of string `stringNo` (caption string 8); true
// unless the answer is No.
bool Confirm(IPrompt& prompt, int stringNo);

} // namespace mb

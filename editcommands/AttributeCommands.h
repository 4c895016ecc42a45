#pragma once
// Commands that change one attribute of existing entries: the page
// ("Local"), the name, the contents image, and the index entry types. Each
// history entry keeps the entry IDs with the old and the new values.
#include "editcommands/EditCommand.h"

#include <string>
#include <utility>
#include <vector>

namespace mb {

// Changes the page of one entry. The contents command takes the new page
// from a file picker (mode 1), the URL dialog (mode 2) or the record (mode
// 3); the index command always from the record. The old page is the one
// the entry has, so a record's "OLD_URL" is not needed.
class ChangeLocalCommand : public EditCommand {
public:
    static constexpr int kPickFile = 1;
    static constexpr int kEnterUrl = 2;
    static constexpr int kGivenValues = 3;

    using EditCommand::EditCommand;
    void TakeParameters(const CXML* parameters) override;
    // -1 when the user cancelled a picker or, for the index, the change was
    // refused; 0 otherwise.
    int Execute() override;
    void Undo() override;
    void Redo() override;

private:
    // The old and new page for the contents modes; false when cancelled.
    bool AskContentsValues(const CXML* node);
    int m_mode = kGivenValues;
    std::string m_id;
    std::string m_old;
    std::string m_new;
};

// Renames one entry to the record's "NEW_NAME"; undo restores the name the
// entry had.
class RenameCommand : public EditCommand {
public:
    using EditCommand::EditCommand;
    void TakeParameters(const CXML* parameters) override;
    int Execute() override;
    void Undo() override;
    void Redo() override;

private:
    std::string m_id;
    std::string m_old;
    std::string m_new;
};

// Gives the listed contents entries one image; each keeps its own old one
// for Undo.
class ChangeIconsCommand : public EditCommand {
public:
    ChangeIconsCommand(CCommandManager* manager, CProjectFile* project)
        : EditCommand(manager, project, Tree::Contents) {}
    void TakeParameters(const CXML* parameters) override;
    int Execute() override;
    void Undo() override;
    void Redo() override;

private:
    void SetImages(bool useOld) const;
    int m_newIcon = 0;
    std::vector<std::pair<std::string, std::string>> m_oldIcons; // ID, old image
};

// The index entry types: 0 a keyword with one topic, 4 a keyword with
// several topics, 5 one topic of such a keyword. Undo gives every changed
// entry back the type it had, whatever that was.
class IndexTypeCommand : public EditCommand {
public:
    enum class Change {
        MakeSubTopic, // the entry becomes a topic of its parent keyword
        MakeKeyword,  // a topic of a keyword becomes a plain keyword
        SplitTopics,  // a keyword with several topics and its topics become keywords
    };
    IndexTypeCommand(CCommandManager* manager, CProjectFile* project, Change change)
        : EditCommand(manager, project, Tree::Index), m_change(change) {}
    void TakeParameters(const CXML* parameters) override;
    int Execute() override;
    void Undo() override;
    void Redo() override;

private:
    struct TypeChange {
        std::string id;
        int oldType;
        int newType;
    };
    // Notes the change of `node` to `type` and makes it.
    void Retype(const CXML* node, int type);
    Change m_change;
    bool m_hasRecord = false;
    std::string m_id;
    std::vector<TypeChange> m_changes;
};

} // namespace mb

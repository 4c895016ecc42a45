#pragma once
// Commands that keep the project's change records (the snapshot) of what
// they did, and rebuild files lists from them to reverse and repeat it.
//
// Execute follows one pattern: gather the input (stop when there is none),
// clear the project's change records, call the tree operation, copy the
// records into the snapshot and, when there is at least one, append a copy
// of the command with its kept state to the tree's history. Planning kinds
// (moves, drops, sorting) have then only recorded the change, and carry it
// out by running Redo.
#include "editcommands/EditCommand.h"

namespace mb {

class ChangeRecordCommand : public EditCommand {
public:
    using EditCommand::EditCommand;
    ChangeRecordCommand(const ChangeRecordCommand& other);

protected:
    // A new object of the same kind with a deep copy of the kept state.
    virtual ChangeRecordCommand* NewEntry() const = 0;

    // Asks the main window for the selected entries of the tree and keeps
    // them in tree order (see NormalizeSelection); false when none.
    bool KeepSelection();
    // Clears the project's change records before the tree operation.
    void BeginChange() const;
    // Takes the snapshot; when it holds a record, appends a copy of the
    // command to the history and returns it (owned by the history).
    ChangeRecordCommand* EndChange();

    // One "List" per record with the record's "Do" (or "Undo") place and
    // copies of its nodes.
    std::unique_ptr<CXML> DoList() const { return ListFromRecords("Do"); }
    std::unique_ptr<CXML> UndoList() const { return ListFromRecords("Undo"); }
    // One "List" holding the nodes of all records in record order, placed by
    // the first non-empty "DoRelativeNodeID" and the first record's
    // "DoInsertMode" (drag and drop).
    std::unique_ptr<CXML> MergedDoList() const;
    // One "List" from record `index` with its "Do" place (sorting).
    std::unique_ptr<CXML> ListFromRecord(int index) const;

    // Takes the entries of `removed` out and puts those of `inserted` in,
    // (none when null) for changes that only move or copy entries: the
    // project's default topic stays even when an entry naming it passes
    // through the removal.
    void Relocate(const CXML* removed, const CXML* inserted) const;
    // Asks the main window to select the kept selection again.
    void Reselect() const;

    std::unique_ptr<CXML> m_snapshot;
    // The selection worked on (moves and drops), or null.
    std::unique_ptr<CXML> m_selection;

private:
    std::unique_ptr<CXML> ListFromRecords(const std::string& prefix) const;
};

// The NewEntry of a concrete kind: a copy made by its copy constructor.
template <typename Derived, typename Base = ChangeRecordCommand> class ClonedEntry : public Base {
public:
    using Base::Base;

protected:
    ChangeRecordCommand* NewEntry() const override {
        return new Derived(static_cast<const Derived&>(*this));
    }
};

} // namespace mb

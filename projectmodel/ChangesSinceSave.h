#pragma once
// What a project knows of its changes since it was last saved, opened or
// made new, so that its modified flag can follow the undo histories (as an
// undo stack's clean state does): a change of the contents or the index
// made by an undoable edit is taken back by undoing that edit, while every
// other change keeps the project modified until it is saved.

namespace mb {

class ChangesSinceSave {
public:
    // The project is as it was saved (saved, opened or made new).
    void Saved() {
        ++m_saves;
        m_other = false;
        m_treeChangedInEdit = false;
    }
    // A change of the contents or the index. One made while an undoable
    // edit runs belongs to that edit.
    void TreeChanged() {
        if (m_editDepth > 0)
            m_treeChangedInEdit = true;
        else
            m_other = true;
    }
    // A change that no undo takes back (settings, the files list, ...).
    void OtherChanged() { m_other = true; }

    // An undoable edit (a command, an undo or a redo) runs between the two
    // calls; they nest. `recorded`: the edit entered an undo history or
    // moved through one. The tree changes of an edit that was not recorded
    // cannot be undone.
    void BeginUndoableEdit() { ++m_editDepth; }
    void EndUndoableEdit(bool recorded) {
        if (--m_editDepth > 0)
            return;
        if (m_treeChangedInEdit && !recorded)
            m_other = true;
        m_treeChangedInEdit = false;
    }

    bool HasOtherChanges() const { return m_other; }
    // Counts the saves, so that the keeper of the histories can see whether
    // the project was saved since it last looked.
    unsigned SaveCount() const { return m_saves; }

private:
    unsigned m_saves = 0;
    int m_editDepth = 0;
    bool m_other = false;
    bool m_treeChangedInEdit = false;
};

} // namespace mb

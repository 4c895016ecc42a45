#pragma once
// What the project views and the find bar need of the window that holds
// them: the command manager, the actions and their shortcuts, and a
// refresh after they ran a command. The main window implements it; the
// views know nothing else of it.

class CCommandManager;
class QAction;
class QKeyEvent;

namespace mb::gui {

class ViewHost {
public:
    virtual ~ViewHost() = default;

    virtual CCommandManager& Commands() = 0;
    // The action of command `id`; null when there is none.
    virtual QAction* ActionFor(int id) const = 0;
    // Runs the enabled command whose shortcut is the pressed key; false
    // when there is none.
    virtual bool RunShortcut(const QKeyEvent& event) = 0;
    // Enables each action by the active view and the undo state.
    virtual void UpdateActionStates() = 0;
    // Title, topic count and action states from the project.
    virtual void RefreshFromProject() = 0;
    // Gives the keyboard to the project view in front.
    virtual void FocusActiveView() = 0;
};

} // namespace mb::gui

#pragma once
// The main window's commands as one table: each command id with the menu it
// sits in, its label and shortcut, and the handler it reaches for each
// active left tab (contents, index, files). The menus, the toolbar, the
// enabling of the actions and the dispatch are all built from this table.

#include <span>

namespace mb::gui {

// What a command does. `argument` of the route gives the detail: the edit
// command id for DoCommand, the link mode, the tree, the insert mode, the
// window-button flag or the help topic number.
enum class Handler {
    None, // nothing happens on this tab; the action is disabled
    NewProject,
    OpenProject,
    OpenChm,
    ViewHelpFile,
    ImportHhp,
    ExportHhp,
    Save,
    SaveAs,
    Exit,
    Undo,          // argument: 0 contents tree, 1 index tree
    Redo,          // argument: as Undo
    EditCommand,   // argument: the command manager's command id
    Link,          // argument: link mode 1 local file, 2 URL, 3 remove link
    RenameEntry,   // argument: 0 contents tree, 1 index tree
    Find,          // argument: as RenameEntry; opens the find bar
    FindNext,      // argument: as RenameEntry
    FindPrevious,  // argument: as RenameEntry
    ChangeIcon,
    ReplaceUnwelcome,
    SetDefaultTopic,
    InsertMode,    // argument: 0 before, 1 first child, 2 after
    ToggleToolbar,
    ToggleStatusBar,
    ToggleChmExplorer,
    ChmParameters,
    HelpTitle,
    DropFileFilters,
    FavoriteEditors,
    Preferences,
    WindowButton,  // argument: the window-type button flag
    WindowStyle,   // argument: the command id
    TabPosition,
    Compile,
    ChmToHandheld,
    Decompile,
    BatchDecompile,
    HelpTopic,     // argument: 0 user manual, 1 quick guide
    WebPage,
    About,
};

struct TabAction {
    Handler handler = Handler::None;
    int argument = 0;
    bool operator==(const TabAction&) const = default;
};

// What a command needs in the view of the active tab to be enabled.
enum class Needs {
    Nothing,
    Entries,   // the view shows at least one entry (or file)
    Selection, // at least one of them is selected
};

// Where a command sits: a menu of the menu bar, the main toolbar only, or
// the toolbar of the help window's options.
enum class Menu { File, Edit, Entry, View, Settings, Tools, Help, MainToolbar, OptionsToolbar };

struct CommandRoute {
    int id;
    Menu menu;
    int label;            // entry number of its text in the language table
    const char* shortcut; // QKeySequence text ("; " between several), or ""
    TabAction onTab[3];   // contents, index, files
    bool onMainToolbar = false; // also on the main toolbar
    Needs needs = Needs::Nothing;
};

std::span<const CommandRoute> CommandRoutes();
// The route of `id`, or null.
const CommandRoute* FindRoute(int id);
// The printable name of a handler (for logs and test messages).
const char* HandlerName(Handler handler);

} // namespace mb::gui

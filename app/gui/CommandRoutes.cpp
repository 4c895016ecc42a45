#include "app/gui/CommandRoutes.h"

#include "app/core/ProjectOptionsForm.h"
#include "commonkit/CommandIds.h"
#include "editcommands/CommandIds.h"

#include <array>

namespace mb::gui {

namespace {

using H = Handler;

constexpr TabAction kNone{};

// The same handler on every tab.
constexpr CommandRoute Route(int id, Menu menu, const char* label, H handler, int argument = 0,
                             const char* shortcut = "", bool onToolbar = false) {
    TabAction action{handler, argument};
    return {id, menu, label, shortcut, {action, action, action}, onToolbar};
}

// A handler per tab.
constexpr CommandRoute Tabs(int id, Menu menu, const char* label, TabAction contents,
                            TabAction index, TabAction files, const char* shortcut = "",
                            bool onToolbar = false) {
    return {id, menu, label, shortcut, {contents, index, files}, onToolbar};
}

constexpr TabAction Edit(int command) {
    return {H::EditCommand, command};
}

// A command enabled only when the active view shows entries, or has some
// of them selected.
constexpr CommandRoute OnEntries(CommandRoute route) {
    route.needs = Needs::Entries;
    return route;
}
constexpr CommandRoute OnSelection(CommandRoute route) {
    route.needs = Needs::Selection;
    return route;
}

constexpr std::array kRoutes = {
    // File
    Route(ID_FILE_NEW, Menu::File, "&New Project...", H::NewProject, 0, "Ctrl+N"),
    Route(ID_FILE_NEW_PROJECT, Menu::MainToolbar, "New Project", H::NewProject),
    Route(ID_FILE_OPEN, Menu::File, "&Open Project...", H::OpenProject, 0, "Ctrl+O"),
    Route(ID_FILE_OPEN_PROJECT, Menu::MainToolbar, "Open Project", H::OpenProject),
    Route(ID_FILE_OPEN_CHM, Menu::File, "Open &CHM File...", H::OpenChm, 0, "", true),
    Route(ID_FILE_VIEW_CHM, Menu::File, "&View Help File...", H::ViewHelpFile, 0, "Ctrl+Shift+V"),
    Route(ID_FILE_IMPORT_HHP, Menu::File, "&Import HHP...", H::ImportHhp),
    Route(ID_FILE_EXPORT_HHP, Menu::File, "&Export HHP...", H::ExportHhp),
    Route(ID_FILE_SAVE, Menu::File, "&Save Project", H::Save, 0, "Ctrl+S", true),
    Route(ID_FILE_SAVE_AS, Menu::File, "Save Project &As...", H::SaveAs),
    Route(ID_APP_EXIT, Menu::File, "E&xit", H::Exit, 0, "Ctrl+Q"),
    // Edit: undo and redo of the tree on the active tab
    Tabs(ID_EDIT_UNDO, Menu::Edit, "&Undo", {H::Undo, 0}, {H::Undo, 1}, kNone,
         "Ctrl+Z; Alt+Backspace"),
    Tabs(ID_EDIT_REDO, Menu::Edit, "&Redo", {H::Redo, 0}, {H::Redo, 1}, kNone, "Ctrl+Y"),
    Tabs(ID_TOOLBAR_UNDO, Menu::MainToolbar, "Undo", {H::Undo, 0}, {H::Undo, 1}, kNone),
    Tabs(ID_TOOLBAR_REDO, Menu::MainToolbar, "Redo", {H::Redo, 0}, {H::Redo, 1}, kNone),
    // Edit: finding an entry in the tree on the active tab
    OnEntries(Tabs(ID_FIND, Menu::Edit, "&Find...", {H::Find, 0}, {H::Find, 1}, kNone, "Ctrl+F")),
    OnEntries(Tabs(ID_FIND_NEXT, Menu::Edit, "Find Ne&xt", {H::FindNext, 0}, {H::FindNext, 1},
                   kNone, "F3")),
    OnEntries(Tabs(ID_FIND_PREVIOUS, Menu::Edit, "Find Pre&vious", {H::FindPrevious, 0},
                   {H::FindPrevious, 1}, kNone, "Shift+F3")),
    // Edit: tree edits, the command manager's id by tab
    Tabs(ID_ADD_FOLDER, Menu::Edit, "&Add Folder...", Edit(CMD_ADD_FOLDER_TO_CONTENTS),
         Edit(CMD_ADD_FOLDER_TO_INDEX), Edit(CMD_ADD_FOLDER_TO_FILES), "", true),
    Tabs(ID_ADD_FILES, Menu::Edit, "Add F&iles...", Edit(CMD_ADD_FILES_TO_CONTENTS),
         Edit(CMD_ADD_FILES_TO_INDEX), kNone, "", true),
    Tabs(ID_ADD_HEADING, Menu::Edit, "Add Heading / Ke&yword", Edit(CMD_NEW_CONTENTS_HEADING),
         Edit(CMD_NEW_INDEX_KEYWORD), kNone),
    Route(ID_NEW_PAGE, Menu::Edit, "New Pa&ge...", H::EditCommand, CMD_NEW_CONTENTS_PAGE),
    OnSelection(Tabs(ID_LINK_LOCAL_FILE, Menu::Edit, "&Link to a Local File...", {H::Link, 1},
                     kNone, kNone)),
    OnSelection(Tabs(ID_LINK_URL, Menu::Edit, "Link &to a URL...", {H::Link, 2}, kNone, kNone)),
    OnSelection(Tabs(ID_REMOVE_LINK, Menu::Edit, "Remove Lin&k", {H::Link, 3}, kNone, kNone)),
    OnSelection(Tabs(ID_DELETE, Menu::Edit, "&Delete", Edit(CMD_DELETE_CONTENTS),
                     Edit(CMD_DELETE_INDEX), Edit(CMD_DELETE_FILES), "", true)),
    OnEntries(Tabs(ID_CLEAR, Menu::Edit, "Cl&ear All", Edit(CMD_DELETE_ALL_CONTENTS),
                   Edit(CMD_DELETE_ALL_INDEX), Edit(CMD_DELETE_ALL_FILES))),
    OnSelection(Tabs(ID_RENAME, Menu::Edit, "Rena&me", {H::RenameEntry, 0}, {H::RenameEntry, 1},
                     kNone, "F2")),
    OnSelection(
        Tabs(ID_CHANGE_ICON, Menu::Edit, "C&hange Icon...", {H::ChangeIcon, 0}, kNone, kNone)),
    OnSelection(Tabs(ID_MOVE_UP, Menu::Edit, "Move U&p", Edit(CMD_MOVE_CONTENTS_UP),
                     Edit(CMD_MOVE_INDEX_UP), kNone, "", true)),
    OnSelection(Tabs(ID_MOVE_DOWN, Menu::Edit, "Move Do&wn", Edit(CMD_MOVE_CONTENTS_DOWN),
                     Edit(CMD_MOVE_INDEX_DOWN), kNone, "", true)),
    OnSelection(Tabs(ID_MOVE_LEVEL_UP, Menu::Edit, "Move &One Level Up",
                     Edit(CMD_MOVE_CONTENTS_LEFT), Edit(CMD_MOVE_INDEX_LEFT), kNone)),
    OnSelection(Tabs(ID_MOVE_LEVEL_DOWN, Menu::Edit, "Move O&ne Level Down",
                     Edit(CMD_MOVE_CONTENTS_RIGHT), Edit(CMD_MOVE_INDEX_RIGHT), kNone)),
    OnSelection(Tabs(ID_SORT_A_TO_Z, Menu::Edit, "Sort A to Z", Edit(CMD_SORT_CONTENTS_AZ),
                     Edit(CMD_SORT_INDEX_AZ), kNone)),
    OnSelection(Tabs(ID_SORT_Z_TO_A, Menu::Edit, "Sort Z to A", Edit(CMD_SORT_CONTENTS_ZA),
                     Edit(CMD_SORT_INDEX_ZA), kNone)),
    OnEntries(Tabs(ID_SET_FONT, Menu::Edit, "&Set Font...", Edit(CMD_CONTENTS_FONT), kNone, kNone)),
    OnEntries(Tabs(ID_SET_BACKGROUND_COLOUR, Menu::Edit, "Set &Background Colour...",
                   Edit(CMD_CONTENTS_BACKGROUND), kNone, kNone)),
    OnSelection(Tabs(ID_REPLACE_UNWELCOME, Menu::Edit, "Replace Unwelcome &Characters...",
                     {H::ReplaceUnwelcome, 0}, kNone, kNone)),
    // Where new entries go: without menu letters, which the commands above
    // use up.
    Route(ID_INSERT_BEFORE, Menu::Edit, "Insert Before", H::InsertMode, 0),
    Route(ID_INSERT_FIRST_CHILD, Menu::Edit, "Insert as First Child", H::InsertMode, 1),
    Route(ID_INSERT_AFTER, Menu::Edit, "Insert After", H::InsertMode, 2),
    // The entry commands of the trees' pop-up menus
    OnSelection(Tabs(ID_SET_DEFAULT_TOPIC, Menu::Entry, "&Set as Default Topic",
                     {H::SetDefaultTopic, 0}, kNone, kNone)),
    OnSelection(Tabs(ID_ADD_TO_INDEX, Menu::Entry, "Add to Inde&x",
                     Edit(CMD_ADD_SELECTION_TO_INDEX), kNone, kNone)),
    OnSelection(Tabs(ID_ADD_PAGE_KEYWORDS, Menu::Entry, "Add Pag&e Keywords to Index",
                     Edit(CMD_ADD_PAGE_KEYWORDS), kNone, kNone)),
    Tabs(ID_ADD_KEYWORD, Menu::Entry, "Add &Keyword", kNone, Edit(CMD_NEW_INDEX_KEYWORD), kNone),
    OnSelection(Tabs(ID_DELETE_KEYWORD, Menu::Entry, "De&lete Keyword", kNone,
                     Edit(CMD_DELETE_INDEX), kNone)),
    OnSelection(
        Tabs(ID_RENAME_KEYWORD, Menu::Entry, "&Rename Keyword", kNone, {H::RenameEntry, 1}, kNone)),
    // View
    Route(ID_VIEW_TOOLBAR, Menu::View, "&Toolbar", H::ToggleToolbar),
    Route(ID_VIEW_STATUS_BAR, Menu::View, "&Status Bar", H::ToggleStatusBar),
    Route(ID_VIEW_CHM_EXPLORER, Menu::View, "&CHM Explorer", H::ToggleChmExplorer),
    // Settings
    Route(ID_CHM_PARAMETERS, Menu::Settings, "&CHM Parameters...", H::ChmParameters),
    Route(ID_SET_HELP_TITLE, Menu::Settings, "Help &Title...", H::HelpTitle),
    Route(ID_DROP_FILE_FILTERS, Menu::Settings, "&Drop-File Filters...", H::DropFileFilters),
    Route(ID_FAVORITE_EDITORS, Menu::Settings, "&Favourite Editors...", H::FavoriteEditors),
    Route(ID_PREFERENCES, Menu::Settings, "&Preferences...", H::Preferences),
    // The options toolbar: buttons of the help window (window type 0)
    Route(ID_BUTTON_HIDE, Menu::OptionsToolbar, "Hide", H::WindowButton, kButtonHide),
    Route(ID_BUTTON_LOCATE, Menu::OptionsToolbar, "Locate", H::WindowButton, kButtonLocate),
    Route(ID_BUTTON_BACK, Menu::OptionsToolbar, "Back", H::WindowButton, kButtonBack),
    Route(ID_BUTTON_FORWARD, Menu::OptionsToolbar, "Forward", H::WindowButton, kButtonForward),
    Route(ID_BUTTON_STOP, Menu::OptionsToolbar, "Stop", H::WindowButton, kButtonStop),
    Route(ID_BUTTON_REFRESH, Menu::OptionsToolbar, "Refresh", H::WindowButton, kButtonRefresh),
    Route(ID_BUTTON_HOME, Menu::OptionsToolbar, "Home", H::WindowButton, kButtonHome),
    Route(ID_BUTTON_PREV, Menu::OptionsToolbar, "Prev", H::WindowButton, kButtonPrev),
    Route(ID_BUTTON_NEXT, Menu::OptionsToolbar, "Next", H::WindowButton, kButtonNext),
    Route(ID_BUTTON_FONT, Menu::OptionsToolbar, "Font", H::WindowButton, kButtonFont),
    Route(ID_BUTTON_PRINT, Menu::OptionsToolbar, "Print", H::WindowButton, kButtonPrint),
    Route(ID_BUTTON_OPTION, Menu::OptionsToolbar, "Option", H::WindowButton, kButtonOption),
    Route(ID_BUTTON_JUMP1, Menu::OptionsToolbar, "Jump1", H::WindowButton, kButtonJump1),
    Route(ID_BUTTON_JUMP2, Menu::OptionsToolbar, "Jump2", H::WindowButton, kButtonJump2),
    // The options toolbar: styles of the contents window
    Route(ID_STYLE_LINES, Menu::OptionsToolbar, "Lines", H::WindowStyle, ID_STYLE_LINES),
    Route(ID_STYLE_BUTTONS, Menu::OptionsToolbar, "Buttons", H::WindowStyle, ID_STYLE_BUTTONS),
    Route(ID_STYLE_LINES_AT_ROOT, Menu::OptionsToolbar, "Lines at Root", H::WindowStyle,
          ID_STYLE_LINES_AT_ROOT),
    Route(ID_STYLE_SINGLE_EXPAND, Menu::OptionsToolbar, "Single Expand", H::WindowStyle,
          ID_STYLE_SINGLE_EXPAND),
    Route(ID_STYLE_TRACK_SELECT, Menu::OptionsToolbar, "Track Select", H::WindowStyle,
          ID_STYLE_TRACK_SELECT),
    Route(ID_STYLE_BORDER, Menu::OptionsToolbar, "Border", H::WindowStyle, ID_STYLE_BORDER),
    Route(ID_STYLE_RIGHT_TO_LEFT, Menu::OptionsToolbar, "Right to Left", H::WindowStyle,
          ID_STYLE_RIGHT_TO_LEFT),
    Route(ID_STYLE_FOLDER_ICONS, Menu::OptionsToolbar, "Folder Icons", H::WindowStyle,
          ID_STYLE_FOLDER_ICONS),
    Route(ID_NAVIGATION_TAB_POSITION, Menu::OptionsToolbar, "Tab Position", H::TabPosition),
    // Tools
    Route(ID_COMPILE, Menu::Tools, "&Compile...", H::Compile, 0, "F7", true),
    Route(ID_CHM_TO_HANDHELD, Menu::Tools, "CHM to &Handheld...", H::ChmToHandheld),
    Route(ID_DECOMPILE, Menu::Tools, "&Decompile...", H::Decompile),
    Route(ID_BATCH_DECOMPILE, Menu::Tools, "&Batch Decompile...", H::BatchDecompile),
    // Help
    Route(ID_HELP_MANUAL, Menu::Help, "&User Manual", H::HelpTopic, 0, "F1"),
    Route(ID_HELP_QUICK_GUIDE, Menu::Help, "&Quick Guide", H::HelpTopic, 1),
    Route(ID_HELP_QUICK_GUIDE2, Menu::MainToolbar, "Quick Guide", H::HelpTopic, 1),
    Route(ID_WEB_PAGE, Menu::Help, "Marrowbook &Web Page", H::WebPage),
    Route(ID_APP_ABOUT, Menu::Help, "&About Marrowbook", H::About),
};

} // namespace

std::span<const CommandRoute> CommandRoutes() {
    return kRoutes;
}

const CommandRoute* FindRoute(int id) {
    for (const CommandRoute& route : kRoutes)
        if (route.id == id)
            return &route;
    return nullptr;
}

const char* HandlerName(Handler handler) {
    static constexpr const char* kNames[] = {
        "None", "NewProject", "OpenProject", "OpenChm", "ViewHelpFile", "ImportHhp", "ExportHhp", "Save",
        "SaveAs", "Exit", "Undo", "Redo", "EditCommand", "Link", "RenameEntry", "Find",
        "FindNext", "FindPrevious", "ChangeIcon", "ReplaceUnwelcome", "SetDefaultTopic",
        "InsertMode", "ToggleToolbar", "ToggleStatusBar", "ToggleChmExplorer", "ChmParameters",
        "HelpTitle", "DropFileFilters", "FavoriteEditors", "Preferences", "WindowButton",
        "WindowStyle", "TabPosition", "Compile", "ChmToHandheld", "Decompile", "BatchDecompile",
        "HelpTopic", "WebPage", "About",
    };
    static_assert(std::size(kNames) == static_cast<size_t>(Handler::About) + 1);
    return kNames[static_cast<size_t>(handler)];
}

} // namespace mb::gui

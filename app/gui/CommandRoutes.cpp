#include "app/gui/CommandRoutes.h"

#include "app/core/ProjectOptionsForm.h"
#include "commonkit/CommandIds.h"
#include "commonkit/WindowTexts.h"
#include "editcommands/CommandIds.h"

#include <array>

namespace mb::gui {

namespace {

using H = Handler;

constexpr TabAction kNone{};

// The same handler on every tab.
constexpr CommandRoute Route(int id, Menu menu, int label, H handler, int argument = 0,
                             const char* shortcut = "", bool onToolbar = false) {
    TabAction action{handler, argument};
    return {id, menu, label, shortcut, {action, action, action}, onToolbar};
}

// A handler per tab.
constexpr CommandRoute Tabs(int id, Menu menu, int label, TabAction contents, TabAction index,
                            TabAction files, const char* shortcut = "", bool onToolbar = false) {
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
    Route(ID_FILE_NEW, Menu::File, kStrCmdFileNew, H::NewProject, 0, "Ctrl+N"),
    Route(ID_FILE_NEW_PROJECT, Menu::MainToolbar, kStrCmdFileNewProject, H::NewProject),
    Route(ID_FILE_OPEN, Menu::File, kStrCmdFileOpen, H::OpenProject, 0, "Ctrl+O"),
    Route(ID_FILE_OPEN_PROJECT, Menu::MainToolbar, kStrCmdFileOpenProject, H::OpenProject),
    Route(ID_FILE_OPEN_CHM, Menu::File, kStrCmdFileOpenChm, H::OpenChm, 0, "", true),
    Route(ID_FILE_VIEW_CHM, Menu::File, kStrCmdFileViewChm, H::ViewHelpFile, 0, "Ctrl+Shift+V"),
    Route(ID_FILE_IMPORT_HHP, Menu::File, kStrCmdFileImportHhp, H::ImportHhp),
    Route(ID_FILE_EXPORT_HHP, Menu::File, kStrCmdFileExportHhp, H::ExportHhp),
    Route(ID_FILE_SAVE, Menu::File, kStrCmdFileSave, H::Save, 0, "Ctrl+S", true),
    Route(ID_FILE_SAVE_AS, Menu::File, kStrCmdFileSaveAs, H::SaveAs),
    Route(ID_APP_EXIT, Menu::File, kStrCmdAppExit, H::Exit, 0, "Ctrl+Q"),
    // Edit: undo and redo of the tree on the active tab
    Tabs(ID_EDIT_UNDO, Menu::Edit, kStrCmdEditUndo, {H::Undo, 0}, {H::Undo, 1}, kNone,
         "Ctrl+Z; Alt+Backspace"),
    Tabs(ID_EDIT_REDO, Menu::Edit, kStrCmdEditRedo, {H::Redo, 0}, {H::Redo, 1}, kNone, "Ctrl+Y"),
    Tabs(ID_TOOLBAR_UNDO, Menu::MainToolbar, kStrCmdToolbarUndo, {H::Undo, 0}, {H::Undo, 1}, kNone),
    Tabs(ID_TOOLBAR_REDO, Menu::MainToolbar, kStrCmdToolbarRedo, {H::Redo, 0}, {H::Redo, 1}, kNone),
    // Edit: finding an entry in the tree on the active tab
    OnEntries(Tabs(ID_FIND, Menu::Edit, kStrCmdFind, {H::Find, 0}, {H::Find, 1}, kNone, "Ctrl+F")),
    OnEntries(Tabs(ID_FIND_NEXT, Menu::Edit, kStrCmdFindNext, {H::FindNext, 0}, {H::FindNext, 1},
                   kNone, "F3")),
    OnEntries(Tabs(ID_FIND_PREVIOUS, Menu::Edit, kStrCmdFindPrevious, {H::FindPrevious, 0},
                   {H::FindPrevious, 1}, kNone, "Shift+F3")),
    // Edit: tree edits, the command manager's id by tab
    Tabs(ID_ADD_FOLDER, Menu::Edit, kStrCmdAddFolder, Edit(CMD_ADD_FOLDER_TO_CONTENTS),
         Edit(CMD_ADD_FOLDER_TO_INDEX), Edit(CMD_ADD_FOLDER_TO_FILES), "", true),
    Tabs(ID_ADD_FILES, Menu::Edit, kStrCmdAddFiles, Edit(CMD_ADD_FILES_TO_CONTENTS),
         Edit(CMD_ADD_FILES_TO_INDEX), kNone, "", true),
    Tabs(ID_ADD_HEADING, Menu::Edit, kStrCmdAddHeading, Edit(CMD_NEW_CONTENTS_HEADING),
         Edit(CMD_NEW_INDEX_KEYWORD), kNone),
    Route(ID_NEW_PAGE, Menu::Edit, kStrCmdNewPage, H::EditCommand, CMD_NEW_CONTENTS_PAGE),
    OnSelection(
        Tabs(ID_LINK_LOCAL_FILE, Menu::Edit, kStrCmdLinkLocalFile, {H::Link, 1}, kNone, kNone)),
    OnSelection(Tabs(ID_LINK_URL, Menu::Edit, kStrCmdLinkUrl, {H::Link, 2}, kNone, kNone)),
    OnSelection(Tabs(ID_REMOVE_LINK, Menu::Edit, kStrCmdRemoveLink, {H::Link, 3}, kNone, kNone)),
    OnSelection(Tabs(ID_DELETE, Menu::Edit, kStrCmdDelete, Edit(CMD_DELETE_CONTENTS),
                     Edit(CMD_DELETE_INDEX), Edit(CMD_DELETE_FILES), "", true)),
    OnEntries(Tabs(ID_CLEAR, Menu::Edit, kStrCmdClear, Edit(CMD_DELETE_ALL_CONTENTS),
                   Edit(CMD_DELETE_ALL_INDEX), Edit(CMD_DELETE_ALL_FILES))),
    OnSelection(Tabs(ID_RENAME, Menu::Edit, kStrCmdRename, {H::RenameEntry, 0}, {H::RenameEntry, 1},
                     kNone, "F2")),
    OnSelection(
        Tabs(ID_CHANGE_ICON, Menu::Edit, kStrCmdChangeIcon, {H::ChangeIcon, 0}, kNone, kNone)),
    OnSelection(Tabs(ID_MOVE_UP, Menu::Edit, kStrCmdMoveUp, Edit(CMD_MOVE_CONTENTS_UP),
                     Edit(CMD_MOVE_INDEX_UP), kNone, "", true)),
    OnSelection(Tabs(ID_MOVE_DOWN, Menu::Edit, kStrCmdMoveDown, Edit(CMD_MOVE_CONTENTS_DOWN),
                     Edit(CMD_MOVE_INDEX_DOWN), kNone, "", true)),
    OnSelection(Tabs(ID_MOVE_LEVEL_UP, Menu::Edit, kStrCmdMoveLevelUp, Edit(CMD_MOVE_CONTENTS_LEFT),
                     Edit(CMD_MOVE_INDEX_LEFT), kNone)),
    OnSelection(Tabs(ID_MOVE_LEVEL_DOWN, Menu::Edit, kStrCmdMoveLevelDown,
                     Edit(CMD_MOVE_CONTENTS_RIGHT), Edit(CMD_MOVE_INDEX_RIGHT), kNone)),
    OnSelection(Tabs(ID_SORT_A_TO_Z, Menu::Edit, kStrCmdSortAToZ, Edit(CMD_SORT_CONTENTS_AZ),
                     Edit(CMD_SORT_INDEX_AZ), kNone)),
    OnSelection(Tabs(ID_SORT_Z_TO_A, Menu::Edit, kStrCmdSortZToA, Edit(CMD_SORT_CONTENTS_ZA),
                     Edit(CMD_SORT_INDEX_ZA), kNone)),
    OnEntries(Tabs(ID_SET_FONT, Menu::Edit, kStrCmdSetFont, Edit(CMD_CONTENTS_FONT), kNone, kNone)),
    OnEntries(Tabs(ID_SET_BACKGROUND_COLOUR, Menu::Edit, kStrCmdSetBackgroundColour,
                   Edit(CMD_CONTENTS_BACKGROUND), kNone, kNone)),
    OnSelection(Tabs(ID_REPLACE_UNWELCOME, Menu::Edit, kStrCmdReplaceUnwelcome,
                     {H::ReplaceUnwelcome, 0}, kNone, kNone)),
    // Where new entries go: without menu letters, which the commands above
    // use up.
    Route(ID_INSERT_BEFORE, Menu::Edit, kStrCmdInsertBefore, H::InsertMode, 0),
    Route(ID_INSERT_FIRST_CHILD, Menu::Edit, kStrCmdInsertFirstChild, H::InsertMode, 1),
    Route(ID_INSERT_AFTER, Menu::Edit, kStrCmdInsertAfter, H::InsertMode, 2),
    // The entry commands of the trees' pop-up menus
    OnSelection(Tabs(ID_SET_DEFAULT_TOPIC, Menu::Entry, kStrCmdSetDefaultTopic,
                     {H::SetDefaultTopic, 0}, kNone, kNone)),
    OnSelection(Tabs(ID_ADD_TO_INDEX, Menu::Entry, kStrCmdAddToIndex,
                     Edit(CMD_ADD_SELECTION_TO_INDEX), kNone, kNone)),
    OnSelection(Tabs(ID_ADD_PAGE_KEYWORDS, Menu::Entry, kStrCmdAddPageKeywords,
                     Edit(CMD_ADD_PAGE_KEYWORDS), kNone, kNone)),
    Tabs(ID_ADD_KEYWORD, Menu::Entry, kStrCmdAddKeyword, kNone, Edit(CMD_NEW_INDEX_KEYWORD), kNone),
    OnSelection(Tabs(ID_DELETE_KEYWORD, Menu::Entry, kStrCmdDeleteKeyword, kNone,
                     Edit(CMD_DELETE_INDEX), kNone)),
    OnSelection(Tabs(ID_RENAME_KEYWORD, Menu::Entry, kStrCmdRenameKeyword, kNone,
                     {H::RenameEntry, 1}, kNone)),
    // View
    Route(ID_VIEW_TOOLBAR, Menu::View, kStrCmdViewToolbar, H::ToggleToolbar),
    Route(ID_VIEW_STATUS_BAR, Menu::View, kStrCmdViewStatusBar, H::ToggleStatusBar),
    Route(ID_VIEW_CHM_EXPLORER, Menu::View, kStrCmdViewChmExplorer, H::ToggleChmExplorer),
    // Settings
    Route(ID_CHM_PARAMETERS, Menu::Settings, kStrCmdChmParameters, H::ChmParameters),
    Route(ID_SET_HELP_TITLE, Menu::Settings, kStrCmdSetHelpTitle, H::HelpTitle),
    Route(ID_DROP_FILE_FILTERS, Menu::Settings, kStrCmdDropFileFilters, H::DropFileFilters),
    Route(ID_FAVORITE_EDITORS, Menu::Settings, kStrCmdFavoriteEditors, H::FavoriteEditors),
    Route(ID_PREFERENCES, Menu::Settings, kStrCmdPreferences, H::Preferences),
    // The options toolbar: buttons of the help window (window type 0)
    Route(ID_BUTTON_HIDE, Menu::OptionsToolbar, kStrCmdButtonHide, H::WindowButton, kButtonHide),
    Route(ID_BUTTON_LOCATE, Menu::OptionsToolbar, kStrCmdButtonLocate, H::WindowButton,
          kButtonLocate),
    Route(ID_BUTTON_BACK, Menu::OptionsToolbar, kStrCmdButtonBack, H::WindowButton, kButtonBack),
    Route(ID_BUTTON_FORWARD, Menu::OptionsToolbar, kStrCmdButtonForward, H::WindowButton,
          kButtonForward),
    Route(ID_BUTTON_STOP, Menu::OptionsToolbar, kStrCmdButtonStop, H::WindowButton, kButtonStop),
    Route(ID_BUTTON_REFRESH, Menu::OptionsToolbar, kStrCmdButtonRefresh, H::WindowButton,
          kButtonRefresh),
    Route(ID_BUTTON_HOME, Menu::OptionsToolbar, kStrCmdButtonHome, H::WindowButton, kButtonHome),
    Route(ID_BUTTON_PREV, Menu::OptionsToolbar, kStrCmdButtonPrev, H::WindowButton, kButtonPrev),
    Route(ID_BUTTON_NEXT, Menu::OptionsToolbar, kStrCmdButtonNext, H::WindowButton, kButtonNext),
    Route(ID_BUTTON_FONT, Menu::OptionsToolbar, kStrCmdButtonFont, H::WindowButton, kButtonFont),
    Route(ID_BUTTON_PRINT, Menu::OptionsToolbar, kStrCmdButtonPrint, H::WindowButton, kButtonPrint),
    Route(ID_BUTTON_OPTION, Menu::OptionsToolbar, kStrCmdButtonOption, H::WindowButton,
          kButtonOption),
    Route(ID_BUTTON_JUMP1, Menu::OptionsToolbar, kStrCmdButtonJump1, H::WindowButton, kButtonJump1),
    Route(ID_BUTTON_JUMP2, Menu::OptionsToolbar, kStrCmdButtonJump2, H::WindowButton, kButtonJump2),
    // The options toolbar: styles of the contents window
    Route(ID_STYLE_LINES, Menu::OptionsToolbar, kStrCmdStyleLines, H::WindowStyle, ID_STYLE_LINES),
    Route(ID_STYLE_BUTTONS, Menu::OptionsToolbar, kStrCmdStyleButtons, H::WindowStyle,
          ID_STYLE_BUTTONS),
    Route(ID_STYLE_LINES_AT_ROOT, Menu::OptionsToolbar, kStrCmdStyleLinesAtRoot, H::WindowStyle,
          ID_STYLE_LINES_AT_ROOT),
    Route(ID_STYLE_SINGLE_EXPAND, Menu::OptionsToolbar, kStrCmdStyleSingleExpand, H::WindowStyle,
          ID_STYLE_SINGLE_EXPAND),
    Route(ID_STYLE_TRACK_SELECT, Menu::OptionsToolbar, kStrCmdStyleTrackSelect, H::WindowStyle,
          ID_STYLE_TRACK_SELECT),
    Route(ID_STYLE_BORDER, Menu::OptionsToolbar, kStrCmdStyleBorder, H::WindowStyle,
          ID_STYLE_BORDER),
    Route(ID_STYLE_RIGHT_TO_LEFT, Menu::OptionsToolbar, kStrCmdStyleRightToLeft, H::WindowStyle,
          ID_STYLE_RIGHT_TO_LEFT),
    Route(ID_STYLE_FOLDER_ICONS, Menu::OptionsToolbar, kStrCmdStyleFolderIcons, H::WindowStyle,
          ID_STYLE_FOLDER_ICONS),
    Route(ID_NAVIGATION_TAB_POSITION, Menu::OptionsToolbar, kStrCmdNavigationTabPosition,
          H::TabPosition),
    // Tools
    Route(ID_COMPILE, Menu::Tools, kStrCmdCompile, H::Compile, 0, "F7", true),
    Route(ID_CHM_TO_HANDHELD, Menu::Tools, kStrCmdChmToHandheld, H::ChmToHandheld),
    Route(ID_DECOMPILE, Menu::Tools, kStrCmdDecompile, H::Decompile),
    Route(ID_BATCH_DECOMPILE, Menu::Tools, kStrCmdBatchDecompile, H::BatchDecompile),
    // Help
    Route(ID_HELP_MANUAL, Menu::Help, kStrCmdHelpManual, H::HelpTopic, 0, "F1"),
    Route(ID_HELP_QUICK_GUIDE, Menu::Help, kStrCmdHelpQuickGuide, H::HelpTopic, 1),
    Route(ID_HELP_QUICK_GUIDE2, Menu::MainToolbar, kStrCmdHelpQuickGuide2, H::HelpTopic, 1),
    Route(ID_WEB_PAGE, Menu::Help, kStrCmdWebPage, H::WebPage),
    Route(ID_APP_ABOUT, Menu::Help, kStrCmdAppAbout, H::About),
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

#pragma once
// Command ids of the menus and toolbars. Each window family has its own
// range of commands, so an id means something only together with the
// family whose window sends it.

namespace mb {

// Main frame: File menu.
inline constexpr int ID_FILE_NEW = 32795;
inline constexpr int ID_FILE_NEW_PROJECT = 32798;
inline constexpr int ID_FILE_OPEN = 32796;
inline constexpr int ID_FILE_OPEN_PROJECT = 32794;
inline constexpr int ID_FILE_OPEN_CHM = 32797;
inline constexpr int ID_FILE_IMPORT_HHP = 32863;
inline constexpr int ID_FILE_EXPORT_HHP = 32865;
inline constexpr int ID_FILE_VIEW_CHM = 32990;
inline constexpr int ID_FILE_SAVE = 32800;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_MRU_FIRST = 48000; // 48000..48009: recent projects
inline constexpr int ID_APP_EXIT = 57665;

// Main frame: Edit menu and the pop-up menus of the contents and index trees.
inline constexpr int ID_EDIT_UNDO = 32845;
inline constexpr int ID_EDIT_REDO = 32846;
inline constexpr int ID_TOOLBAR_UNDO = 32847;
inline constexpr int ID_TOOLBAR_REDO = 32848;
inline constexpr int ID_ADD_FOLDER = 32772;
inline constexpr int ID_ADD_FILES = 32773;
inline constexpr int ID_ADD_HEADING = 32774;
inline constexpr int ID_NEW_PAGE = 32877;
inline constexpr int ID_LINK_LOCAL_FILE = 32775;
inline constexpr int ID_LINK_URL = 32776;
inline constexpr int ID_REMOVE_LINK = 32777;
inline constexpr int ID_DELETE = 32778;
inline constexpr int ID_CLEAR = 32779;
inline constexpr int ID_RENAME = 32780;
inline constexpr int ID_CHANGE_ICON = 32781;
inline constexpr int ID_MOVE_UP = 32782;
inline constexpr int ID_MOVE_DOWN = 32783;
inline constexpr int ID_MOVE_LEVEL_UP = 32784;
inline constexpr int ID_MOVE_LEVEL_DOWN = 32785;
inline constexpr int ID_SET_FONT = 32842;
inline constexpr int ID_SET_BACKGROUND_COLOUR = 32843;
inline constexpr int ID_REPLACE_UNWELCOME = 32978;
inline constexpr int ID_SORT_A_TO_Z = 32874;
inline constexpr int ID_SORT_Z_TO_A = 32875;
inline constexpr int ID_ADD_KEYWORD = 32786;
inline constexpr int ID_DELETE_KEYWORD = 32787;
inline constexpr int ID_RENAME_KEYWORD = 32788;
inline constexpr int ID_SET_DEFAULT_TOPIC = 32789;
inline constexpr int ID_ADD_TO_INDEX = 32876;
inline constexpr int ID_ADD_PAGE_KEYWORDS = 32974;
inline constexpr int ID_INSERT_BEFORE = 32860;
inline constexpr int ID_INSERT_FIRST_CHILD = 32861;
inline constexpr int ID_INSERT_AFTER = 32862;
inline constexpr int ID_FIND = 32980;
inline constexpr int ID_FIND_NEXT = 32981;
inline constexpr int ID_FIND_PREVIOUS = 32982;

// Main frame: View, Settings, Tools and Help menus.
inline constexpr int ID_VIEW_TOOLBAR = 32850;
inline constexpr int ID_VIEW_STATUS_BAR = 32851;
inline constexpr int ID_VIEW_CHM_EXPLORER = 32867;
inline constexpr int ID_CHM_PARAMETERS = 32793;
inline constexpr int ID_SET_HELP_TITLE = 32871;
inline constexpr int ID_DROP_FILE_FILTERS = 32866;
inline constexpr int ID_FAVORITE_EDITORS = 32857;
inline constexpr int ID_PREFERENCES = 32975;
inline constexpr int ID_COMPILE = 32790;
inline constexpr int ID_CHM_TO_HANDHELD = 32858;
inline constexpr int ID_DECOMPILE = 32791;
inline constexpr int ID_BATCH_DECOMPILE = 32855;
inline constexpr int ID_HELP_MANUAL = 32853;
inline constexpr int ID_HELP_QUICK_GUIDE = 32868;
inline constexpr int ID_HELP_QUICK_GUIDE2 = 32869;
inline constexpr int ID_WEB_PAGE = 32859;
inline constexpr int ID_CHECK_UPDATE_AUTO = 32872;
inline constexpr int ID_CHECK_UPDATE_NOW = 32873;
inline constexpr int ID_APP_ABOUT = 57664;

// Main frame: the options toolbar's window buttons of window type 0.
inline constexpr int ID_BUTTON_HIDE = 32811;
inline constexpr int ID_BUTTON_LOCATE = 32812;
inline constexpr int ID_BUTTON_BACK = 32813;
inline constexpr int ID_BUTTON_FORWARD = 32814;
inline constexpr int ID_BUTTON_STOP = 32815;
inline constexpr int ID_BUTTON_REFRESH = 32816;
inline constexpr int ID_BUTTON_HOME = 32817;
inline constexpr int ID_BUTTON_PREV = 32818;
inline constexpr int ID_BUTTON_NEXT = 32819;
inline constexpr int ID_BUTTON_FONT = 32820;
inline constexpr int ID_BUTTON_PRINT = 32821;
inline constexpr int ID_BUTTON_OPTION = 32822;
inline constexpr int ID_BUTTON_JUMP1 = 32823;
inline constexpr int ID_BUTTON_JUMP2 = 32824;
inline constexpr int ID_NAVIGATION_TAB_POSITION = 32833;

// Main frame: the options toolbar's styles of the contents window.
inline constexpr int ID_STYLE_LINES = 32825;
inline constexpr int ID_STYLE_BUTTONS = 32826;
inline constexpr int ID_STYLE_LINES_AT_ROOT = 32827;
inline constexpr int ID_STYLE_SINGLE_EXPAND = 32828;
inline constexpr int ID_STYLE_TRACK_SELECT = 32829;
inline constexpr int ID_STYLE_BORDER = 32832;
inline constexpr int ID_STYLE_RIGHT_TO_LEFT = 32834;
inline constexpr int ID_STYLE_FOLDER_ICONS = 32935;

// Folder explorer toolbar. The four view styles select the list styles
// 1, 2, 3 and 0; their ids are their own, apart from the Edit menu's.
inline constexpr int ID_RS_VIEW_LARGE_ICONS = 14505;
inline constexpr int ID_RS_VIEW_SMALL_ICONS = 14506;
inline constexpr int ID_RS_VIEW_LIST = 14507;
inline constexpr int ID_RS_VIEW_DETAILS = 14508;
inline constexpr int ID_RS_UP_ONE_FOLDER = 14501;
inline constexpr int ID_RS_REFRESH = 14502;
inline constexpr int ID_RS_OPEN_IN_FILE_MANAGER = 14503;
inline constexpr int ID_RS_GO_TO_PROJECT_FOLDER = 14504;

// CHM explorer toolbar.
inline constexpr int ID_CE_OPEN_CHM = 14101;
inline constexpr int ID_CE_EXTRACT_SELECTED = 14102;
inline constexpr int ID_CE_EXTRACT_ALL = 14103;
inline constexpr int ID_CE_BACK = 14104;
inline constexpr int ID_CE_FORWARD = 14105;

// Page preview and editor: the mode, preview and favourite-editor commands,
// and the source editing commands (36000..36200).
inline constexpr int ID_HE_PREVIEW_MODE = 35001;
inline constexpr int ID_HE_EDIT_MODE = 35002;
inline constexpr int ID_HE_SAVE = 35003;
inline constexpr int ID_HE_BACK = 35004;
inline constexpr int ID_HE_FORWARD = 35005;
inline constexpr int ID_HE_REFRESH = 35006;
inline constexpr int ID_HE_FAVORITE_EDITORS = 35007;
inline constexpr int ID_HE_FAVORITE_FIRST = 58000; // 58000 + n: favourite n, then "set up"
inline constexpr int ID_HE_CUT = 36000;
inline constexpr int ID_HE_COPY = 36001;
inline constexpr int ID_HE_PASTE = 36002;
inline constexpr int ID_HE_UNDO = 36003;
inline constexpr int ID_HE_REDO = 36004;
inline constexpr int ID_HE_SELECT_ALL = 36005;
inline constexpr int ID_HE_FIND = 36006;

} // namespace mb

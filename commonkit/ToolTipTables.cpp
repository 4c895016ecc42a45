// Command id -> string number of the status-bar prompts and tool tips, one
// table per window family.

#include "commonkit/CommandIds.h"
#include "commonkit/StringTexts.h"

using namespace mb;

namespace {

const IdStringPair kMainWindow[] = {
    {ID_FILE_NEW, 730},
    {ID_FILE_NEW_PROJECT, 730},
    {ID_FILE_OPEN, 731},
    {ID_FILE_OPEN_PROJECT, 731},
    {ID_FILE_OPEN_CHM, 732},
    {ID_FILE_IMPORT_HHP, 733},
    {ID_FILE_EXPORT_HHP, 734},
    {ID_FILE_SAVE, 735},
    {ID_FILE_SAVE_AS, 736},
    {ID_APP_EXIT, 737},
    {ID_EDIT_UNDO, 738},
    {ID_TOOLBAR_UNDO, 738},
    {ID_EDIT_REDO, 739},
    {ID_TOOLBAR_REDO, 739},
    {ID_ADD_FOLDER, 740},
    {ID_ADD_FILES, 741},
    {ID_ADD_HEADING, 742},
    {ID_NEW_PAGE, 743},
    {ID_LINK_LOCAL_FILE, 744},
    {ID_LINK_URL, 745},
    {ID_REMOVE_LINK, 746},
    {ID_DELETE, 747},
    {ID_CLEAR, 748},
    {ID_RENAME, 749},
    {ID_CHANGE_ICON, 750},
    {ID_MOVE_UP, 751},
    {ID_MOVE_DOWN, 752},
    {ID_MOVE_LEVEL_UP, 753},
    {ID_MOVE_LEVEL_DOWN, 754},
    {ID_SET_FONT, 755},
    {ID_SET_BACKGROUND_COLOUR, 756},
    {ID_REPLACE_UNWELCOME, 757},
    {ID_SORT_A_TO_Z, 758},
    {ID_SORT_Z_TO_A, 759},
    {ID_ADD_KEYWORD, 760},
    {ID_DELETE_KEYWORD, 761},
    {ID_RENAME_KEYWORD, 762},
    {ID_SET_DEFAULT_TOPIC, 763},
    {ID_ADD_TO_INDEX, 764},
    {ID_ADD_PAGE_KEYWORDS, 765},
    {ID_INSERT_BEFORE, 766},
    {ID_INSERT_FIRST_CHILD, 767},
    {ID_INSERT_AFTER, 768},
    {ID_VIEW_TOOLBAR, 769},
    {ID_VIEW_STATUS_BAR, 770},
    {ID_VIEW_CHM_EXPLORER, 771},
    {ID_CHM_PARAMETERS, 772},
    {ID_SET_HELP_TITLE, 773},
    {ID_DROP_FILE_FILTERS, 774},
    {ID_FAVORITE_EDITORS, 775},
    {ID_PREFERENCES, 776},
    {ID_COMPILE, 777},
    {ID_CHM_TO_HANDHELD, 778},
    {ID_DECOMPILE, 779},
    {ID_BATCH_DECOMPILE, 780},
    {ID_HELP_MANUAL, 781},
    {ID_HELP_QUICK_GUIDE, 782},
    {ID_HELP_QUICK_GUIDE2, 782},
    {ID_WEB_PAGE, 783},
    {ID_CHECK_UPDATE_AUTO, 784},
    {ID_CHECK_UPDATE_NOW, 785},
    {ID_APP_ABOUT, 786},
    {ID_BUTTON_HIDE, 787},
    {ID_BUTTON_LOCATE, 788},
    {ID_BUTTON_BACK, 789},
    {ID_BUTTON_FORWARD, 790},
    {ID_BUTTON_STOP, 791},
    {ID_BUTTON_REFRESH, 792},
    {ID_BUTTON_HOME, 793},
    {ID_BUTTON_PREV, 794},
    {ID_BUTTON_NEXT, 795},
    {ID_BUTTON_FONT, 796},
    {ID_BUTTON_PRINT, 797},
    {ID_BUTTON_OPTION, 798},
    {ID_BUTTON_JUMP1, 799},
    {ID_BUTTON_JUMP2, 800},
    {ID_NAVIGATION_TAB_POSITION, 801},
};

const IdStringPair kChmExplorer[] = {
    {ID_CE_OPEN_CHM, 830}, {ID_CE_EXTRACT_SELECTED, 831}, {ID_CE_EXTRACT_ALL, 832},
    {ID_CE_BACK, 833},     {ID_CE_FORWARD, 834},
};

const IdStringPair kPageEditor[] = {
    {ID_HE_PREVIEW_MODE, 850},
    {ID_HE_EDIT_MODE, 851},
    {ID_HE_SAVE, 852},
    {ID_HE_BACK, 853},
    {ID_HE_FORWARD, 854},
    {ID_HE_REFRESH, 855},
    {ID_HE_FAVORITE_EDITORS, 856},
    {ID_HE_CUT, 857},
    {ID_HE_COPY, 858},
    {ID_HE_PASTE, 859},
    {ID_HE_UNDO, 860},
    {ID_HE_REDO, 861},
    {ID_HE_SELECT_ALL, 862},
    {ID_HE_FIND, 863},
};

const IdStringPair kFolderExplorer[] = {
    {ID_RS_VIEW_LARGE_ICONS, 880},     {ID_RS_VIEW_SMALL_ICONS, 881},     {ID_RS_VIEW_LIST, 882},
    {ID_RS_VIEW_DETAILS, 883},         {ID_RS_UP_ONE_FOLDER, 884},        {ID_RS_REFRESH, 885},
    {ID_RS_OPEN_IN_FILE_MANAGER, 886}, {ID_RS_GO_TO_PROJECT_FOLDER, 887},
};

} // namespace

std::span<const IdStringPair> MainWindowToolTips() {
    return kMainWindow;
}
std::span<const IdStringPair> ChmExplorerToolTips() {
    return kChmExplorer;
}
std::span<const IdStringPair> PageEditorToolTips() {
    return kPageEditor;
}
std::span<const IdStringPair> FolderExplorerToolTips() {
    return kFolderExplorer;
}

#pragma once
// The records behind the settings of an HTML Help project: the [OPTIONS]
// values and the main window definition, with the numbering by which the
// settings accessors address their members.

#include <string>

// A window rectangle in screen coordinates.
struct HHRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const HHRect&) const = default;
};

// The window type of the HTML Help viewer: the members of its window-type
// structure that a project sets, in that structure's order, with owned
// strings in place of string pointers.
struct tagHH_WINTYPE {
    unsigned long fsWinProperties = 0; // item 9: window properties (bit set)
    std::string pszCaption;            // item 0
    unsigned long dwStyles = 0;        // item 17
    unsigned long dwExStyles = 0;      // item 18
    HHRect rcWindowPos;                // items 12 (whole), 13 to 16 (edges)
    int iNavWidth = 0;                 // item 10
    std::string pszToc;                // item 1
    std::string pszIndex;              // item 2
    std::string pszFile;               // item 3: default topic
    std::string pszHome;               // item 4
    unsigned long fsToolBarFlags = 0;  // item 11: toolbar buttons (bit set)
    int fNotExpanded = 0;              // item 20: navigation pane closed
    int curNavType = 0;                // item 21: current navigation tab
    int tabpos = 0;                    // item 22: tab position 0..2
    int idNotify = 0;                  // item 23
    std::string pszJump1;              // item 6: text of the first jump button
    std::string pszJump2;              // item 8
    std::string pszUrlJump1;           // item 5: address of the first jump button
    std::string pszUrlJump2;           // item 7
    bool operator==(const tagHH_WINTYPE&) const = default;
};

// The [OPTIONS] values, in the order of the options item numbers.
struct tagHH_HHP_OPTIONS {
    std::string title;                  // 0
    std::string defaultTopic;           // 1 (path)
    std::string defaultWindow;          // 2
    int language = 0;                   // 3 (language id)
    std::string defaultFont;            // 4
    std::string compiledFile;           // 5
    std::string errorLogFile;           // 6
    std::string contentsFile;           // 7
    std::string indexFile;              // 8
    std::string fullTextSearchStopList; // 9
    int displayCompileNotes = 0;        // 10
    int displayCompileProgress = 0;     // 11
    std::string compatibility;          // 12
    int flat = 0;                       // 13
    int enhancedDecompilation = 0;      // 14
    int fullTextSearch = 0;             // 15
    int binaryIndex = 0;                // 16
    int binaryToc = 0;                  // 17
    bool operator==(const tagHH_HHP_OPTIONS&) const = default;
};

// Option item numbers.
enum HHPOption : int {
    OPT_TITLE = 0,
    OPT_DEFAULT_TOPIC = 1,
    OPT_DEFAULT_WINDOW = 2,
    OPT_LANGUAGE = 3,
    OPT_DEFAULT_FONT = 4,
    OPT_COMPILED_FILE = 5,
    OPT_ERROR_LOG_FILE = 6,
    OPT_CONTENTS_FILE = 7,
    OPT_INDEX_FILE = 8,
    OPT_FTS_STOP_LIST_FILE = 9,
    OPT_DISPLAY_COMPILE_NOTES = 10,
    OPT_DISPLAY_COMPILE_PROGRESS = 11,
    OPT_COMPATIBILITY = 12,
    OPT_FLAT = 13,
    OPT_ENHANCED_DECOMPILATION = 14,
    OPT_FULL_TEXT_SEARCH = 15,
    OPT_BINARY_INDEX = 16,
    OPT_BINARY_TOC = 17,
    OPT_COUNT = 18,
};

// Window item numbers as the accessors take them. The numeric accessors read
// and write the right edge under item 14 and the top edge under item 15,
// while the tag table names the edges in the order left, top, right, bottom
// (items 13 to 16); the XML tags always go with the edge they name.
enum HHPWindowItem : int {
    WIN_TITLE_BAR_TEXT = 0,
    WIN_TOC_FILE = 1,
    WIN_INDEX_FILE = 2,
    WIN_DEFAULT_FILE = 3,
    WIN_HOME_URL = 4,
    WIN_JUMP1_URL = 5,
    WIN_JUMP1_TEXT = 6,
    WIN_JUMP2_URL = 7,
    WIN_JUMP2_TEXT = 8,
    WIN_NAVIGATION_PANE = 9,
    WIN_NAVIGATION_WIDTH = 10,
    WIN_BUTTON_TYPES = 11,
    WIN_POSITION = 12,
    WIN_POSITION_LEFT = 13,
    WIN_POSITION_RIGHT = 14,
    WIN_POSITION_TOP = 15,
    WIN_POSITION_BOTTOM = 16,
    WIN_STYLES = 17,
    WIN_EXTENDED_STYLES = 18,
    WIN_UNKNOWN_16 = 19,
    WIN_NAVIGATION_PANE_CLOSED = 20,
    WIN_DEFAULT_TAB = 21,
    WIN_TAB_POS = 22,
    WIN_UNKNOWN_20 = 23,
    WIN_COUNT = 24,
};

// The three-pane bit of the window properties.
inline constexpr unsigned long HHWIN_PROP_TRI_PANE = 32;

#pragma once
// The multi-language string table: every text the user sees is an entry
// number. An entry may hold two language variants, "English|Chinese".
// The table is filled on first use from the built-in texts; entry 636 then
// holds the full path of the running program.

#include <initializer_list>
#include <string>
#include <string_view>

// One row of a command-id to string-number table.
struct IdStringPair {
    int id;
    int stringNo;
};

class CStrHelper {
public:
    // Entry n, or "" when there is no such entry.
    static std::string ML_GetStringEx(int n);
    // The text before / after the first "|" of entry n; both "" when the
    // entry has no "|" after its first character or nothing after the "|".
    static std::string ML_GetEnglishStringEx(int n);
    static std::string ML_GetChineseStringEx(int n);
    // The text of a menu command through m_ID_MLID_TABLE; "" for other ids.
    static std::string ML_GetStringFromID(int id);
    // Tool-tip and status-bar text of a main-window command, written as
    // "status-bar prompt\ntool tip". True when a non-empty text was found;
    // unknown ids leave `text` unchanged.
    static bool GetMLStringByID(int id, std::string& text);
    // Entry 636: the full path of the program file.
    static std::string GetAppRunPathString();
    // Number of entries (the highest entry number plus one).
    static int GetStringCount();

    // Command id -> string number of the edit-menu commands (-1 stands for
    // the "Link" sub-menu), searched in this order.
    static const IdStringPair m_ID_MLID_TABLE[24];
};

// The same look-ups for the CHM explorer's windows.
class CCEStrHelper {
public:
    static std::string ML_GetStringEx(int n) { return CStrHelper::ML_GetStringEx(n); }
    static bool GetMLStringByID(int id, std::string& text);
};

// The same look-ups for the page preview and editor.
class CHEStrHelper {
public:
    static std::string ML_GetStringEx(int n) { return CStrHelper::ML_GetStringEx(n); }
    static bool GetMLStringByID(int id, std::string& text);
};

// The same look-ups for the folder explorer.
class CRSStrHelper {
public:
    static std::string ML_GetStringEx(int n) { return CStrHelper::ML_GetStringEx(n); }
    static bool GetMLStringByID(int id, std::string& text);
};

// Entry n with "%1" ... "%9" replaced by the values, in one pass: a value
// holding "%2" stays as it is. A placeholder without a value is kept. For
// code without Qt; windows fill entries in with QString::arg.
std::string FilledText(int n, std::initializer_list<std::string_view> values);

// Entry numbers that other code refers to by meaning.
inline constexpr int kStrProductName = 8;
inline constexpr int kStrHelpFileName = 9;
inline constexpr int kStrAppRunPath = 636;
inline constexpr int kStrHelpFileMissing = 650;

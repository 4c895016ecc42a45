#pragma once
// Static helpers shared by the whole program: wildcard matching, the folder
// common to two paths, folder creation, padding texts, date strings,
// opening the help viewer or the file browser, the coding of the project
// copy that is compiled into a help file, and the open-file dialog.

#include "baseutil/Prompt.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace mb {
class IDesktop;
}

class CBWHelper {
public:
    // Matches `name` against `pattern` ignoring (ASCII) case. "*" skips name
    // characters up to the first one that equals the next pattern character
    // (there is no backtracking: "*.htm" does not match "a.b.htm"), "?"
    // stands for one character, "^" makes the next pattern character
    // optional. A non-empty `allowed` limits the characters that "?" and a
    // final "*" may stand for.
    static bool WildMatch(const std::string& pattern, const std::string& name,
                          const std::string& allowed = {});
    // The deepest folder containing both paths, without a trailing separator
    // (a native root is "/"); empty when they share none. Windows paths are
    // compared ignoring case, native paths exactly.
    static std::string GetPublicDirectory(const std::string& first, const std::string& second);
    // Creates the folder and its missing parents; always returns 1.
    static int CreateDir(const std::string& folder);
    static std::string SPACE(int count);
    static std::string HTML_BLANK(int count);
    // Year and month run together ("200703"), local time.
    static std::string GetDateTimeString2(std::time_t when = std::time(nullptr));
    // "2007-03-05 14:07:09", local time.
    static std::string GetDateTimeString3(std::time_t when = std::time(nullptr));
    // Opens a help file in the desktop's viewer; false when nothing started.
    static bool OpenCHMInChmViewer(mb::IDesktop& desktop, const std::string& file);
    // Opens a folder in the desktop's file browser; false when nothing started.
    static bool OpenDirectoryInWindowsExplorer(mb::IDesktop& desktop, const std::string& folder);
    // Codes the project copy line by line: every character of a line is
    // written twice, and each line ends with "\n" (input lines may end in
    // "\r\n" or "\n"). False for a missing stream or a read or write error.
    static bool EncryptFileA(std::FILE* in, std::FILE* out);
    // Undoes EncryptFileA: keeps the characters at even positions of the
    // first half of each line.
    static bool DecryptFileA(std::FILE* in, std::FILE* out);
    static void SimpleEncode(std::string& text);
    static void SimpleDecode(std::string& text);
    // Asks the user, through `prompt`, for files to open. `filter` uses "|" separators (empty
    // means HTML files); `initialFolder` is where the dialog starts. Returns 1
    // when the user confirmed: `files` then holds the one full path chosen
    // or, when several files were chosen with `multiple`, their folder
    // followed by their names.
    static int GetFilesByOpenFileDialog(mb::IPrompt& prompt, std::vector<std::string>& files,
                                        const std::string& filter, bool multiple,
                                        const std::string& initialFolder);
};

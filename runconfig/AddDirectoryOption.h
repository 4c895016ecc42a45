#pragma once
// The options of adding a whole folder to the project: filled by the
// add-directory dialog and kept in the configuration between runs.

#include <string>

struct tagAddDirectoryOption {
    std::string folder;    // the folder chosen in the dialog
    int fileFormat = 0;    // 0 to 4
    int includeSubDir = 1; // walk the sub-folders too
};

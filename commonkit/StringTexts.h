#pragma once
// The built-in data behind CStrHelper: the English texts by entry number and
// the command-id to string-number tables of the tool tips, one per window
// family.

#include "commonkit/StringTable.h"

#include <span>
#include <string>
#include <utility>

struct StringText {
    int number;
    const char* text;
};

std::span<const StringText> BuiltInStringTexts();
// The texts of the windows, entries 1000 and up (commonkit/WindowTexts.h).
std::span<const StringText> WindowStringTexts();
std::span<const IdStringPair> MainWindowToolTips();
std::span<const IdStringPair> ChmExplorerToolTips();
std::span<const IdStringPair> PageEditorToolTips();
std::span<const IdStringPair> FolderExplorerToolTips();

// The English and Chinese parts of an "English|Chinese" entry, split at the
// first "|" after the first character; both empty when there is no such "|"
// or nothing follows it.
std::pair<std::string, std::string> SplitLanguageVariants(const std::string& entry);

#pragma once
// The question asked before a branch of the contents or the index is
// sorted: whether sub-branches are sorted too and whether letter case is
// ignored. The caller of a sort hands the dialog to ask: the desktop
// program's window, a test's scripted fake, or CancellingSortDialog, so
// that nothing is ever sorted unasked.

#include <string>

namespace mb {

// Texts of the dialog; the desktop program may replace them by
// translations from the string table.
inline constexpr const char* kSortTitle = "Sort";
inline constexpr const char* kSortQuestion = "Sort the branch containing this topic:";
inline constexpr const char* kSortOptionsGroup = "Sort Options";
inline constexpr const char* kSortSubBranches = "Sort all sub-branches at the same time";
inline constexpr const char* kSortIgnoreCase = "Ignore Case";

// The sort settings the dialog shows and changes.
struct SortChoice {
    int thisLevelOnly = 1; // 0: sub-branches are sorted too (the box is checked)
    int ignoreCase = 1;
};

class ISortDialog {
public:
    virtual ~ISortDialog() = default;
    // Shows the topic's name (in blue, as "name" ?) with the settings of
    // `choice`; true on OK with `choice` holding the user's settings, false
    // on Cancel.
    virtual bool Ask(const std::string& topicName, SortChoice& choice) = 0;
};

class CancellingSortDialog final : public ISortDialog {
public:
    bool Ask(const std::string&, SortChoice&) override { return false; }
};

} // namespace mb

#pragma once
// Copying and deleting files, by name or by a pattern with "*" and "?".
// Only files are copied or deleted: a source that matches nothing but
// folders is refused, and GetLastError() then gives kErrorSourceIsFolder.
// Every copy goes through a temporary file beside the target, so a failed
// copy never leaves a truncated target behind. Confirmations (replacing a
// file, creating a folder, deleting) are put to the given prompt unless the
// quiet option is given; without one they get the cautious answer, No.

#include "baseutil/Prompt.h"

#include <string>
#include <vector>

class CFileManip {
public:
    static constexpr int kErrorSourceIsFolder = 0x10000000;
    // Option of Copy: replace files and create folders without asking.
    static constexpr int kQuiet = 1;

    // 0 when nothing matches `pattern`, 1 when only folders match, 2 when at
    // least one file matches.
    static int Existence(const std::string& pattern);
    // Copies the files that `source` matches. One file goes to `target` as
    // its new name, unless `target` is an existing folder; several files go
    // into the folder `target`. Non-zero on success.
    static int Copy(const std::string& source, const std::string& target, int options = 0,
                    mb::IPrompt& prompt = mb::CautiousPrompt());
    // With `quiet`, copies each source to the target at the same index,
    // creating folders and replacing files without asking; otherwise copies
    // every source into the folder named by the first target. Non-zero when
    // every file was copied (also when there is nothing to copy).
    static int CopyFiles(const std::vector<std::string>& sources,
                         const std::vector<std::string>& targets, bool quiet,
                         mb::IPrompt& prompt = mb::CautiousPrompt());
    // Deletes the files that `path` matches; asks first unless `quiet`.
    // Non-zero when every matched file was deleted.
    static int Del(const std::string& path, bool quiet, mb::IPrompt& prompt = mb::CautiousPrompt());

    // The reason of the last failure of this thread: kErrorSourceIsFolder or
    // an errno value; 0 after a success.
    static int GetLastError();
};

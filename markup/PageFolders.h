#pragma once
// What the file-name repair needs: the replacement table of unwelcome
// character sequences, and finding the folder beside a page that the page's
// references point into (the "_files" folder of a saved web page).

#include <optional>
#include <string>
#include <string_view>

class CXML;

namespace mb::html {

// Replaces every occurrence of `from` in `text`; the number replaced.
std::size_t ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// True when the table has any items (children).
bool HasReplaceItems(const CXML* table);

// Applies the items of the table ("REPLACE_ITEM" children with "old" and
// "new") in child order, each to every occurrence; an item whose "old" or
// "new" is empty is skipped.
std::string ApplyReplaceTable(const CXML* table, std::string text);

// A name that can stand for one file or folder inside a folder: not empty,
// not "." or "..", and without '/' or NUL.
bool IsPlainName(std::string_view name);

// True for a src/href value that names a file relative to the page: not a
// rooted path ("/…", "\…", "\\server\…"), not a drive path and not an
// address with a scheme ("http:", "mailto:", …).
bool IsPageRelativeReference(std::string_view value);

struct FolderReference {
    std::string relative; // the folder's name as the page writes it, with a trailing '/'
    std::string onDisk;   // the folder's full path as it exists, with a trailing '/'
    std::string rest;     // the part of the reference behind the folder
};

// The folder directly beside the page that a src/href value points into,
// when the value is a page-relative reference to an existing file in it.
// "%20" in the value counts as a space and '\' as a separator; the file is
// also found when its name differs in letter case. `pageFolder` ends in '/'.
std::optional<FolderReference> FindReferencedFolder(const std::string& pageFolder,
                                                    std::string value);

// The folder of a path, with its trailing '/' (empty for a bare name).
std::string FolderOf(const std::string& path);

} // namespace mb::html

#pragma once
// The "FileItem" elements of a file list: what the add commands insert into
// the contents, the index or the project's files.

#include <string>

class CXML;

namespace mb {

// Item kinds ("Type").
inline constexpr int kItemFile = 0;
inline constexpr int kItemFolder = 1;
inline constexpr int kItemTopic = 2;
inline constexpr int kItemSitemap = 3;

// A file: "Name" and "Local" are both the path.
CXML* AddFileItem(CXML* parent, const std::string& path);
// A folder or heading: "Name" only; its items go inside it.
CXML* AddFolderItem(CXML* parent, const std::string& name);
// An item with a name and a link.
CXML* AddLinkItem(CXML* parent, int type, const std::string& name, const std::string& local);

// The last name of a folder path ("/home/ann/guide/" gives "guide"); the
// path itself when it has no name (the root).
std::string FolderTitle(const std::string& folder);
// `folder` without trailing separators, the root kept as "/".
std::string FolderNoSlash(const std::string& folder);

} // namespace mb

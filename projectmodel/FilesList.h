#pragma once
// The records that views, commands and the tree models exchange.
//
// Type-1 files list (what producers of new entries hand over): a root
// "FilesList" with "PublicPath", and items at any depth with "Type" (the
// item kind), "Local" and "Name" (lower-case "name" for the kinds 7 to 17);
// a folder item holds the items of the folder.
//
// Type-2 files list (what the editing operations take): a root "FilesList"
// whose "List" children carry "RelativeNodeID" and "InsertMode" (0 before,
// 1 first child of, 2 after the relative node) and hold complete nodes, one
// contiguous run each.
//
// Change record: a "ModifiedNodeInfo" element with "ModifiedType",
// "DoRelativeNodeID", "DoInsertMode", for moves and drops also
// "UndoRelativeNodeID" and "UndoInsertMode", "ModifiedNodeID" (the first
// node's ID) and copies of the nodes concerned.

#include <functional>
#include <string>

class CXML;

namespace mb {

inline constexpr int kInsertBefore = 0;
inline constexpr int kInsertFirstChild = 1;
inline constexpr int kInsertAfter = 2;

// The title given to a page whose own title cannot be found.
inline constexpr const char* kNewTopicTitle = "### New Topic ###";

// The title of a page file (kind 0) or of a page inside a compiled help
// file (kind 2); empty when it has none.
using PageTitleSource = std::function<std::string(int kind, const std::string& local)>;

// Turns a type-1 files list into the type-2 form in place: one "List" with
// the given place, holding a node for every item (nesting kept), each with a
// new ID, the title and image its kind calls for, and "HTreeItem" "EMPTY".
void ConvertType1ToType2(CXML* list, const std::string& relativeId, int mode,
                         const PageTitleSource& titles);

// Appends an empty "List" at (`relativeId`, `mode`) to a type-2 list.
CXML* AddRun(CXML* list, const std::string& relativeId, int mode);
// Gives every node below every "List" a new ID (for copies).
void GiveNewIDs(CXML* list);

// A new, empty change record.
CXML* NewChangeRecord();
// Appends deep copies of the children of `run` to `record` and sets its
// "ModifiedNodeID" to the first one's ID.
void CopyRunInto(const CXML* run, CXML* record);

} // namespace mb

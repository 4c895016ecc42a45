#pragma once
// Finding an entry of a contents or index tree by a piece of its name or of
// its link, walking the tree in document order from a given entry and going
// round at the end.

#include <string>

class CXML;

namespace mb {

struct EntryQuery {
    std::string text;          // what the name (or the link) contains
    bool matchCase = false;    // else letters match in either case
    bool inLinks = false;      // the link ("Local") may hold the text too
    std::string projectFolder; // a link inside it is looked at from below it
};

// The first entry under `root` after `from` (before it when `backward`) in
// document order that matches `query`, going round past the last (first)
// entry and ending with `from` itself; with `from` null the walk starts at
// the first (last) entry. Null when no entry matches or the text is empty.
const CXML* FindEntry(const CXML& root, const CXML* from, const EntryQuery& query, bool backward);

} // namespace mb

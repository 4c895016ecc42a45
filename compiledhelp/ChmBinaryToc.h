#pragma once
// The binary contents of a compiled help file ("#TOCIDX"): a tree of
// entries linked by offsets, whose titles and pages come from the topic
// table (or, for entries without a page, from "#STRINGS").

#include "compiledhelp/ChmTopicTable.h"

#include <string>
#include <string_view>
#include <vector>

// One contents entry; texts are as stored, in the file's code page.
struct ChmTocEntry {
    int level = 0; // 0 for the top level
    std::string name;
    std::string local; // empty for an entry without a page
};

// The entries in document order. Links that point outside the stream or
// back to an entry already read (a loop) end that branch.
std::vector<ChmTocEntry> ParseBinaryToc(std::string_view tocIndex, const ChmTopicTable& topics);

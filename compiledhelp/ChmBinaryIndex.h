#pragma once
// The binary keyword index of a compiled help file
// ("$WWKeywordLinks/BTree"): keywords in UTF-16 with their level, their
// "See Also" target or the topics they lead to (in the topic table).

#include "compiledhelp/ChmTopicTable.h"

#include <string>
#include <string_view>
#include <vector>

struct ChmKeyword {
    int level = 0;        // 0 for a keyword, 1 for a sub-keyword and so on
    std::string name;     // UTF-8; a sub-keyword without its parents' names
    std::string seeAlso;  // UTF-8; the keyword it refers to, or empty
    std::vector<ChmTopic> topics; // texts as stored, in the file's code page
};

// The keywords of the listing blocks in order. Blocks beyond the end of the
// stream, and entries that run past the end of their block, are left out.
std::vector<ChmKeyword> ParseBinaryIndex(std::string_view tree, const ChmTopicTable& topics);

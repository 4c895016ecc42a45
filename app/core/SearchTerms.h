#pragma once
// How full-text search splits text into terms, the same way for the pages it
// indexes and for the words a user types.
//
// A run of letters and digits of an alphabetic script (Latin, Greek,
// Cyrillic, and any other that is not one of the scripts below) is one
// term, in lower case. Chinese, Japanese and Korean are written without
// spaces between words, so a run of their characters gives every single
// character and every pair of neighbours as terms: a word of two or more
// characters is then found as the pairs it is made of, wherever it stands.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mb::search {

// Calls `term` with each term of `utf8` in order; `pairOfIdeographs` is true
// for a pair of neighbouring ideographic characters. Bytes that are not
// UTF-8 end a run.
void ForEachTerm(std::string_view utf8,
                 const std::function<void(std::string_view term, bool pairOfIdeographs)>& term);

// The terms a query must all match: the alphabetic words and, of each
// ideographic run, its pairs (its single character when it has only one).
// Each term once, in the order typed.
std::vector<std::string> QueryTerms(std::string_view utf8);

// The runs of a query as typed (ideographic runs whole, words in lower
// case), for showing where a page matches.
std::vector<std::string> QueryWords(std::string_view utf8);

} // namespace mb::search

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

#include <string>
#include <string_view>
#include <vector>

namespace mb::search {

namespace detail {
// One character beyond ASCII at `at` (advanced past it): appends it to
// `word` (lower case) when it belongs to a word and returns 0; returns the
// character when it is ideographic; returns 1 when it ends a word.
char32_t TakeCharacter(std::string_view utf8, size_t& at, std::string& word);
void AppendPair(std::string& pair, char32_t first, char32_t second);
void AppendOne(std::string& single, char32_t c);
} // namespace detail

// Calls `term(std::string_view term, bool pairOfIdeographs)` with each term
// of `utf8` in order; `pairOfIdeographs` is true for a pair of neighbouring
// ideographic characters. Bytes that are not UTF-8 end a run. (A template:
// it runs over every character of every page a help file holds.)
template <class Callback>
void ForEachTerm(std::string_view utf8, Callback&& term) {
    std::string word;
    std::string scratch;
    char32_t previousIdeograph = 0;
    auto endWord = [&] {
        if (!word.empty())
            term(std::string_view(word), false);
        word.clear();
    };
    for (size_t at = 0; at < utf8.size();) {
        const unsigned char byte = static_cast<unsigned char>(utf8[at]);
        if (byte < 0x80) {
            ++at;
            previousIdeograph = 0;
            if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9'))
                word += static_cast<char>(byte);
            else if (byte >= 'A' && byte <= 'Z')
                word += static_cast<char>(byte + ('a' - 'A'));
            else
                endWord();
            continue;
        }
        char32_t taken = detail::TakeCharacter(utf8, at, word);
        if (taken == 0)
            continue;
        if (taken == 1) {
            previousIdeograph = 0;
            endWord();
            continue;
        }
        endWord();
        detail::AppendOne(scratch, taken);
        term(std::string_view(scratch), false);
        if (previousIdeograph) {
            detail::AppendPair(scratch, previousIdeograph, taken);
            term(std::string_view(scratch), true);
        }
        previousIdeograph = taken;
    }
    endWord();
}

// The terms a query must all match: the alphabetic words and, of each
// ideographic run, its pairs (its single character when it has only one).
// Each term once, in the order typed.
std::vector<std::string> QueryTerms(std::string_view utf8);

// The runs of a query as typed (ideographic runs whole, words in lower
// case), for showing where a page matches.
std::vector<std::string> QueryWords(std::string_view utf8);

} // namespace mb::search

#pragma once
// Pages that give chmcmd's full-text indexer no word: neither title text
// nor text in their body (an empty page, one with an empty <body>, one
// without <body>). chmcmd crashes when no page of a project gives it a word.

#include <string>
#include <vector>

namespace mb {

// Whether the HTML page `html` gives the indexer a word: non-blank text in
// its <title>, or text anywhere inside its <body> other than tags and
// comments.
bool PageHasIndexableText(const std::string& html);

struct IndexablePages {
    int pages = 0;                        // HTML pages that could be read
    std::vector<std::string> withoutText; // those without a word, as listed
};

// The HTML pages among the [FILES] of the project text `hhpPath`, and
// which of them have no indexable text.
IndexablePages ScanIndexablePages(const std::string& hhpPath);

} // namespace mb

#pragma once
// Full-text search over the pages of a compiled help file. The index is
// built in memory when the file is opened: every page (".htm", ".html") is
// read out of the file, decoded (byte-order mark, meta charset, UTF-8, else
// the code page of the file's language), its text taken apart into terms
// (see SearchTerms.h) with scripts and style sheets left out, and each term
// noted with the pages it stands in and how often. Pages are read in their
// order inside the file by several workers, each with its own reader over
// its own part of the file, so the compressed data is decompressed once.
//
// A search finds the pages that hold every term of the query, ranked by how
// often the terms stand in a page against how common they are in the whole
// file (BM25), with a bonus for terms in the page's title.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mb {

class HelpSearchIndex {
public:
    struct Hit {
        std::string page;  // the page's path in the help file, "/folder/page.htm"
        std::string title; // its title, or its file name when it has none
        double score = 0;
    };

    // Indexes the pages of `chmPath` with `workers` threads (at least one).
    // False, with the reason in `error`, when the file cannot be opened or
    // `stop` was set meanwhile (the index is then empty); a page that cannot
    // be read is left out and counted (Unreadable).
    bool Build(const std::string& chmPath, unsigned workers, std::string& error,
               const std::atomic<bool>* stop = nullptr);

    // The pages that hold every term of `query`, best first, at most
    // `limit`; `found`, when given, receives how many pages hold them all.
    // Empty for a query without terms.
    std::vector<Hit> Search(std::string_view query, size_t limit = 500, size_t* found = nullptr) const;

    size_t PageCount() const { return m_pages.size(); }
    size_t TermCount() const { return m_body.size(); }
    size_t Unreadable() const { return m_unreadable; }

private:
    struct Page {
        std::string path;
        std::string title;
        uint32_t length = 0; // terms in the page's text
    };
    struct Posting {
        uint32_t page;
        uint32_t count;
    };
    using Postings = std::unordered_map<std::string, std::vector<Posting>>;
    struct Part;

    void IndexPage(const std::string& html, int languageId, uint32_t page, Part& part);
    void Merge(std::vector<Part>& parts);

    std::vector<Page> m_pages;
    Postings m_body;   // term -> the pages it stands in, in page order
    Postings m_titles; // the same for the words of page titles
    double m_averageLength = 0;
    size_t m_unreadable = 0;
};

} // namespace mb

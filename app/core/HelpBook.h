#pragma once
// What the help viewer shows of a compiled help file besides its pages: the
// contents tree, the keyword index and the settings of the file's window.
// The contents and index come from the sitemap files the help file carries
// (".hhc", ".hhk"), else from its binary contents and index; texts are UTF-8
// (decoded from the code page of the file's language where they are not).

#include <cstdint>
#include <string>
#include <vector>

namespace mb {

struct HelpBook {
    struct Entry {
        int level = 0; // 0 for the top level
        std::string name;
        std::string page; // see PageOfLink; empty for a heading without a page
    };
    struct Topic {
        std::string title;
        std::string page;
    };
    struct Keyword {
        int level = 0; // 0 for a keyword, 1 for a sub-keyword
        std::string name;
        std::string seeAlso; // the keyword it refers to, or empty
        std::vector<Topic> topics;
    };

    std::string caption;      // the window's caption, else the file's title
    std::string defaultTopic; // the page the file opens with
    std::string home;         // the Home button's page (the default topic when none)
    std::string jump1Text, jump1Page, jump2Text, jump2Page;
    int navigationWidth = 0;    // pixels; 0 when the file sets none
    int languageId = 1033;
    std::vector<Entry> contents; // in document order
    std::vector<Keyword> index;  // in the order of the file
};

// Reads the book of `chmPath`. False, with the reason in `error`, when the
// file cannot be opened as a help file; a missing or damaged part leaves
// that part empty.
bool ReadHelpBook(const std::string& chmPath, HelpBook& book, std::string& error);

// The page a sitemap link names, as a path inside the help file
// ("/folder/page.htm#anchor"): "page.htm", "/page.htm", "page.htm#a" and
// "MS-ITS:file.chm::/page.htm" or "mk:@MSITStore:file.chm::/page.htm" of
// the same file `chmFileName` all name a page of this file. Addresses of
// the web, and pages of other help files, are kept as written.
std::string PageOfLink(const std::string& link, const std::string& chmFileName);

} // namespace mb

#pragma once
// A help project whose compiled file carries what chmcmd keeps of a project
// besides its pages: settings, two window types, and binary contents and
// index (sub-keywords, a "See Also", a keyword with several topics, one
// listed twice, and enough keywords to fill many blocks of the index tree).

#include "compiledhelp/tests/support/ChmTestSupport.h"

#include <cstdio>
#include <string>

namespace mb::testing {

inline std::string TitledPage(const std::string& title) {
    return "<html><head><title>" + title + "</title></head><body>" + title + "</body></html>";
}

inline std::string IndexItem(const std::string& params) {
    return "<LI> <OBJECT type=\"text/sitemap\">" + params + "</OBJECT>\n";
}

inline std::string Param(const std::string& name, const std::string& value) {
    return "<param name=\"" + name + "\" value=\"" + value + "\">";
}

inline ChmProject BinaryFormsProject(const std::string& folder, int keywords) {
    ChmProject project;
    project.folder = folder;
    project.Add("a.htm", TitledPage("Page A"));
    project.Add("b.htm", TitledPage("Page B"));
    project.Add("sub/c.htm", TitledPage("Page C"));
    project.Add("img/x.gif", "GIF89a-picture");
    project.contents = "<HTML><BODY><UL>\n" +
                       IndexItem(Param("Name", "Book")) + "<UL>\n" +
                       IndexItem(Param("Name", "A topic") + Param("Local", "a.htm")) +
                       IndexItem(Param("Name", "C topic") + Param("Local", "sub/c.htm")) +
                       "</UL>\n" +
                       IndexItem(Param("Name", "Web") + Param("Local", "http://example.com/")) +
                       IndexItem(Param("Name", "B part") + Param("Local", "b.htm#part")) +
                       "</UL></BODY></HTML>\n";
    std::string index = "<HTML><BODY><UL>\n";
    for (int i = 0; i < keywords; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "keyword %05d", i);
        index += IndexItem(Param("Name", name) + Param("Local", i % 2 ? "a.htm" : "sub/c.htm"));
        if (i % 100 == 0)
            index += "<UL>\n" + IndexItem(Param("Name", "sub of " + std::string(name)) +
                                          Param("Local", "b.htm")) +
                     "</UL>\n";
    }
    index += IndexItem(Param("Name", "many") + Param("Name", "First") + Param("Local", "a.htm") +
                       Param("Name", "Second") + Param("Local", "b.htm"));
    index += IndexItem(Param("Name", "see") + Param("See Also", "keyword 00001"));
    // The same keyword listed twice, as Doxygen lists an overloaded name.
    index += IndexItem(Param("Name", "twice") + Param("Local", "a.htm"));
    index += IndexItem(Param("Name", "twice") + Param("Local", "b.htm"));
    index += "</UL></BODY></HTML>\n";
    project.index = index;
    project.options = {"Default Window=main", "Binary TOC=Yes", "Binary Index=Yes",
                       "Full-text search=Yes"};
    project.windows = {
        "main=\"Main caption\",\"toc.hhc\",\"index.hhk\",\"a.htm\",\"b.htm\",,,,,0x63520,250,"
        "0x387e,[10,20,700,500],0x30000,,,,,,0",
        "other=\"Other caption\",\"toc.hhc\",,\"sub/c.htm\",,\"http://example.com/\",\"Example\","
        ",,0x2520,200,0x3006,[1,2,3,4],,,,,,,0"};
    return project;
}

// Renames the sitemap files of a compiled file to names of the container's
// own bookkeeping, so that only the binary contents and index are left.
inline void HideSitemapFiles(const std::string& chm) {
    PatchBytes(chm, "/toc.hhc", "/#toc.hh");
    PatchBytes(chm, "/index.hhk", "/#index.hh");
}

} // namespace mb::testing

#pragma once
// The project files of a help file that carries no project copy, rebuilt
// from what the help file keeps: the .hhp from its settings, window types
// and files, and the .hhc / .hhk from its binary contents and index when it
// has no sitemap files. The texts are UTF-8 (the help file's texts decoded
// from the code page of its language), as the project readers take them.

#include "compiledhelp/ChmProjectStreams.h"

#include <string>
#include <vector>

namespace mb::decompiled {

// The names the .hhp gives the compiled file and the sitemap files.
struct ProjectNames {
    std::string compiledFile;
    std::string contentsFile; // empty for none
    std::string indexFile;    // empty for none
};

// The language of the help file, 1033 (English, United States) when it
// names none.
int LanguageOf(const ChmProjectStreams& streams);

// [OPTIONS], [WINDOWS] with every window type, and [FILES].
std::string ProjectText(const ChmProjectStreams& streams, const ProjectNames& names);
// The contents as an .hhc sitemap.
std::string ContentsText(const std::vector<ChmTocEntry>& entries, int languageId);
// The index as an .hhk sitemap, one entry per keyword (also where the
// binary index stores a keyword as several entries of the same name). The
// topics of a keyword that leads to several follow its name as pairs of
// title and page; a keyword with one topic names just the page, as a
// hand-written index does.
std::string IndexText(const std::vector<ChmKeyword>& keywords, int languageId);

} // namespace mb::decompiled

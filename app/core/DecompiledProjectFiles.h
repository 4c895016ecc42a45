#pragma once
// The project files written beside the pages of a help file that was
// decompiled without a project copy: a .hhp rebuilt from the file's
// settings, window types and files, and contents and index sitemaps rebuilt
// from its binary forms where the file has no sitemap files of its own.

#include "baseutil/MainWindow.h"
#include "compiledhelp/ChmProjectStreams.h"

#include <string>

namespace mb {

struct DecompiledProjectFiles {
    std::string project;  // path of the .hhp; empty when it could not be written
    std::string contents; // name of the contents file in the folder; empty for none
    std::string index;    // name of the index file in the folder; empty for none
    bool complete = true; // false when one of the files could not be written
};

// Writes the files into `folder`, next to what was decompiled there and
// without replacing any of it. `contents` and `index` are the names of the
// help file's own sitemap files (empty when it has none); those are kept,
// the others rebuilt when the help file has a binary form. Files that
// cannot be written are reported to `log` and left out, and the result
// is not complete.
DecompiledProjectFiles WriteDecompiledProjectFiles(const ChmProjectStreams& streams,
                                                   const std::string& folder,
                                                   const std::string& chm,
                                                   const std::string& contents,
                                                   const std::string& index, ILogSink* log);

} // namespace mb

#pragma once
// What a compiled help file keeps of the project it was compiled from,
// besides its pages and sitemap files: the settings ("#SYSTEM"), the window
// types ("#WINDOWS"), the binary contents and index, and the list of its
// own files. Read to rebuild a project from a help file that carries no
// project copy.

#include "compiledhelp/ChmBinaryIndex.h"
#include "compiledhelp/ChmBinaryToc.h"
#include "compiledhelp/ChmSystemStream.h"
#include "compiledhelp/ChmWindowsStream.h"

#include <string>
#include <vector>

class CItsFile;

struct ChmProjectStreams {
    ChmSystemInfo system;
    std::vector<ChmWindowType> windows;
    bool hasBinaryToc = false;
    std::vector<ChmTocEntry> contents;
    bool hasBinaryIndex = false;
    std::vector<ChmKeyword> index;
    // The files a project lists: every stream but the container's
    // bookkeeping, the sitemap files at the root, the project copy and the
    // compiler's own note; paths with "/" between folders, as stored.
    std::vector<std::string> files;
};

// Missing or damaged streams leave their part empty.
ChmProjectStreams ReadProjectStreams(const CItsFile& file);

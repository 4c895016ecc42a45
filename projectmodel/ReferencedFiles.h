#pragma once
// The files on disk that a project hands to the help compiler: its files
// list and every page that its contents, index, default topic, main window
// and context ids lead to. chmcmd stores only the files it is told about
// and opens them by the bytes of their names, so the compiler's files list
// names each of them itself rather than leaving chmcmd to find pages
// through the contents, whose text is in the language's code page.

#include <string>
#include <vector>

class CProjectFile;

namespace mb {

struct ReferencedFiles {
    // Absolute paths in the project folder, each once, in the order: files
    // list, default topic, window pages, context-id topics, contents,
    // index. Pages that only the contents, index or settings name are left
    // out when they do not exist (chmcmd would stop on them).
    std::vector<std::string> inProjectFolder;
    // Local files outside the project folder, each once, as the project
    // names them: existing pages that the contents, index or settings lead
    // to, and every such entry of the files list (also Windows drive paths,
    // which no file of this system answers). chmcmd can take files from
    // the project folder only. Links to pages that do not exist are left
    // out, as they are inside the folder.
    std::vector<std::string> outsideProjectFolder;
};

// What `project` refers to. Web and network addresses and pages inside
// compiled help files are no files of the project and are left out.
ReferencedFiles FilesReferencedBy(CProjectFile& project);

} // namespace mb

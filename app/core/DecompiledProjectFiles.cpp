#include "app/core/DecompiledProjectFiles.h"

#include "app/core/PathChecks.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Path.h"
#include "baseutil/SafeFile.h"
#include "compiledhelp/ElementRules.h"
#include "projectmodel/DecompiledProject.h"

#include <filesystem>

namespace mb {
namespace {

// `preferred` when it is a plain name with `ending` that nothing in the
// folder has taken yet, else the first free one of stem_2, stem_3, ...
std::string UnusedName(const std::string& folder, const std::string& preferred,
                       const std::string& fallbackStem, const std::string& ending) {
    bool usable = chm::IsSafeElementName(preferred) && EndsWithNoCase(preferred, ending);
    std::string stem = usable ? preferred.substr(0, preferred.size() - ending.size()) : fallbackStem;
    if (!chm::IsSafeElementName(stem + ending))
        stem = "project";
    std::error_code ec;
    std::string name = stem + ending;
    for (int n = 2; std::filesystem::exists(folder + "/" + name, ec); ++n)
        name = stem + "_" + std::to_string(n) + ending;
    return name;
}

// Writes one file; `what` says in `log` what it holds.
bool Write(ILogSink* log, const std::string& path, const std::string& text,
           const std::string& what) {
    std::string error;
    bool written = WriteFileSafely(path, text, &error);
    if (written)
        LogLine(log, "\r\n" + what + ": " + path + "\n");
    else
        LogProblem(log, "\r\ncannot write " + path + ": " + error + "\n");
    return written;
}

} // namespace

DecompiledProjectFiles WriteDecompiledProjectFiles(const ChmProjectStreams& streams,
                                                   const std::string& folder,
                                                   const std::string& chm,
                                                   const std::string& contents,
                                                   const std::string& index, ILogSink* log) {
    DecompiledProjectFiles files{{}, contents, index, true};
    std::string title = CPath(chm).GetFileTitle();
    int language = decompiled::LanguageOf(streams);
    if (files.contents.empty() && streams.hasBinaryToc) {
        std::string name = UnusedName(folder, streams.system.contentsFile, title, ".hhc");
        if (Write(log, folder + "/" + name, decompiled::ContentsText(streams.contents, language),
                  "contents rebuilt from the binary contents (" +
                      std::to_string(streams.contents.size()) + " entries)"))
            files.contents = name;
        else
            files.complete = false;
    }
    if (files.index.empty() && streams.hasBinaryIndex) {
        std::string name = UnusedName(folder, streams.system.indexFile, title, ".hhk");
        if (Write(log, folder + "/" + name, decompiled::IndexText(streams.index, language),
                  "index rebuilt from the binary index (" + std::to_string(streams.index.size()) +
                      " keywords)"))
            files.index = name;
        else
            files.complete = false;
    }
    std::string project = folder + "/" + UnusedName(folder, title + ".hhp", title, ".hhp");
    std::string text =
        decompiled::ProjectText(streams, {CPath(chm).GetFileName(), files.contents, files.index});
    if (Write(log, project, text, "project settings, windows and files"))
        files.project = project;
    else
        files.complete = false;
    return files;
}

} // namespace mb

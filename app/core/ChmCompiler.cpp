#include "app/core/ChmCompiler.h"

#include "app/core/CompilerProcess.h"
#include "app/core/UnindexablePages.h"
#include "baseutil/IniSection.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <strings.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kCompiler = "chmcmd";
constexpr const char* kInstallHint =
    "The HTML Help compiler \"chmcmd\" was not found on the search path (PATH). It comes with "
    "the Debian package fp-utils: sudo apt-get install fp-utils\n";

void Log(const mb::CompilerLog& log, const std::string& text) {
    if (log)
        log(text.c_str());
}

// The absolute path of an executable `program` on PATH, or "".
std::string FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string_view rest(path ? path : "");
    while (!rest.empty()) {
        size_t colon = rest.find(':');
        std::string folder(rest.substr(0, colon));
        rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
        if (folder.empty())
            continue;
        std::string candidate = folder + "/" + program;
        struct stat info;
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            std::error_code ec;
            fs::path absolute = fs::absolute(candidate, ec);
            return ec ? candidate : absolute.string();
        }
    }
    return {};
}

std::string_view Trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The help file that the project's "Compiled file" option names, or an
// empty path when it names none.
fs::path CompiledFile(const fs::path& project) {
    auto lines = mb::ReadIniSection(project.string(), "OPTIONS");
    if (!lines)
        return {};
    for (const std::string& line : *lines) {
        size_t equals = line.find('=');
        std::string_view key = Trimmed(std::string_view(line).substr(0, equals));
        if (equals == std::string::npos || key.size() != 13 ||
            strncasecmp(key.data(), "compiled file", key.size()) != 0)
            continue;
        std::string value(Trimmed(std::string_view(line).substr(equals + 1)));
        for (char& c : value)
            c = c == '\\' ? '/' : c;
        return value.empty() ? fs::path() : project.parent_path() / value;
    }
    return {};
}

// Enough of a file's state to tell whether something wrote to it.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modified = 0; // nanoseconds
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const fs::path& file) {
    FileStamp stamp;
    struct stat info;
    if (file.empty() || ::stat(file.c_str(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
    return stamp;
}

// chmcmd ends with 217 on an exception it does not handle; a signal gives
// 128 + its number. Exit code 1 is a project it refuses.
bool Crashed(const mb::CompileRun& run) {
    return run.status == 217 || run.status > 128;
}

bool FullTextSearchIsOn(const fs::path& project) {
    auto lines = mb::ReadIniSection(project.string(), "OPTIONS");
    if (!lines)
        return false;
    for (const std::string& line : *lines) {
        size_t equals = line.find('=');
        std::string_view key = Trimmed(std::string_view(line).substr(0, equals));
        if (equals != std::string::npos && key.size() == 16 &&
            strncasecmp(key.data(), "full-text search", key.size()) == 0)
            return strcasecmp(std::string(Trimmed(line.substr(equals + 1))).c_str(), "yes") == 0;
    }
    return false;
}

// A copy of a project file beside it with full-text search switched off,
// removed again when the object goes.
class ProjectWithoutFullTextSearch {
public:
    explicit ProjectWithoutFullTextSearch(const fs::path& project) {
        std::ifstream in(project, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        static const std::regex option(R"((^|\n)([ \t]*full-text search[ \t]*=)[^\r\n]*)",
                                       std::regex::icase);
        text = std::regex_replace(text, option, "$1$2No");
        std::string pattern = (project.parent_path() / ".mb-retry-XXXXXX.hhp").string();
        int fd = ::mkstemps(pattern.data(), 4);
        if (fd < 0)
            return;
        m_path = pattern;
        bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        if (::close(fd) != 0 || !written)
            m_path.clear();
    }
    ~ProjectWithoutFullTextSearch() {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    ProjectWithoutFullTextSearch(const ProjectWithoutFullTextSearch&) = delete;
    ProjectWithoutFullTextSearch& operator=(const ProjectWithoutFullTextSearch&) = delete;

    // Empty when the copy could not be written.
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// The first `shown` names, then how many more.
std::string Listed(const std::vector<std::string>& names, size_t shown = SIZE_MAX) {
    std::string text;
    for (size_t i = 0; i < names.size() && i < shown; ++i)
        text += (i == 0 ? "" : ", ") + names[i];
    if (names.size() > shown)
        text += " and " + std::to_string(names.size() - shown) + " more";
    return text;
}

// Whether chmcmd's indexer gets no word out of the pages of the scan: the
// crash that full-text search meets on such a project.
bool NoPageGivesAWord(const mb::IndexablePages& scanned) {
    return static_cast<int>(scanned.withoutText.size()) == scanned.pages;
}

// Why chmcmd could not build the full-text search of pages that give its
// indexer no word.
std::string WhyNoFullTextSearch(const mb::IndexablePages& scanned) {
    const std::vector<std::string>& pages = scanned.withoutText;
    if (pages.empty())
        return "chmcmd cannot build it for a project without HTML pages.";
    return "chmcmd cannot build it when no page has a title or any text (" + Listed(pages, 10) +
           "). Give the pages a title to have full-text search.";
}

bool StartsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The file-size limit of this process (and of the compiler it starts), or
// nothing when there is none.
std::optional<unsigned long long> FileSizeLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    return static_cast<unsigned long long>(limit.rlim_cur);
}

// Whether the file system of `folder` has no block left that the compiler
// could use.
bool NoSpaceLeft(const fs::path& folder) {
    struct statvfs space {};
    if (::statvfs(folder.c_str(), &space) != 0)
        return false;
    return (::geteuid() == 0 ? space.f_bfree : space.f_bavail) == 0;
}

// Why chmcmd could not write the help file `helpFile`, or "" when it did
// not end on a failed write. Past the file-size limit it is ended by
// SIGXFSZ, or, where that signal is ignored, its write fails (EFBIG) as on
// a full disk (ENOSPC): it names neither, so the reason is looked up.
std::string WriteFailure(const mb::CompileRun& run, const fs::path& helpFile) {
    const std::string& exception = run.output.Exception();
    const bool cannotCreate = StartsWith(exception, "EFCreateError");
    if (run.status != 128 + SIGXFSZ && !cannotCreate && !StartsWith(exception, "EWriteError"))
        return {};
    std::error_code ec;
    const auto written = fs::file_size(helpFile, ec);
    const std::optional<unsigned long long> limit = FileSizeLimit();
    if (run.status == 128 + SIGXFSZ || (!ec && limit && written >= *limit))
        return std::string(std::strerror(EFBIG)) + ": the help file grew past the file-size limit" +
               (limit ? " of " + std::to_string(*limit) + " bytes" : std::string()) +
               " (ulimit -f).";
    if (NoSpaceLeft(helpFile.parent_path()))
        return std::string(std::strerror(ENOSPC)) + " in \"" + helpFile.parent_path().string() +
               "\".";
    size_t colon = exception.find(": ");
    return (cannotCreate ? exception.substr(colon + 2) : exception) + ".";
}

// Why the compiler crashed, as far as its output tells.
std::string CrashReason(const mb::CompileRun& run) {
    std::string text = "The compiler stopped with exit code " + std::to_string(run.status);
    const mb::CompilerOutput& output = run.output;
    if (!output.MissingFiles().empty())
        return text + ": chmcmd crashed because it could not find files that the project lists: " +
               Listed(output.MissingFiles()) + ". Remove them from the project or put them back.";
    if (!output.Exception().empty())
        return text + ": chmcmd crashed (" + output.Exception() + ").";
    if (run.status > 128)
        return text + ": chmcmd was ended by signal " + std::to_string(run.status - 128) + ".";
    return text + ": chmcmd crashed.";
}

// Whether `file` is a whole compiled help file as far as its header tells:
// the signature, and every part that the header places lies in the file.
bool LooksComplete(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[0x60] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (in.gcount() < 0x58 || std::memcmp(header, "ITSF", 4) != 0)
        return false;
    auto at = [&](size_t offset) {
        unsigned long long value = 0;
        for (int i = 7; i >= 0; --i)
            value = (value << 8) | header[offset + i];
        return value;
    };
    std::error_code ec;
    unsigned long long size = fs::file_size(file, ec);
    if (ec)
        return false;
    unsigned long long end = std::max(at(0x38) + at(0x40), at(0x48) + at(0x50));
    if (in.gcount() == sizeof header)
        end = std::max(end, at(0x58));
    return end <= size;
}

} // namespace

namespace mb {

CompileOutcome CompileHelpProject(const char* hhpPath, const CompilerLog& log,
                                  const CompilerProgress& progress) {
    CallInProgress call;
    CompileOutcome outcome;
    auto fail = [&](const std::string& line) {
        outcome.failure = line;
        Log(log, line + "\n");
        return outcome;
    };
    if (!hhpPath || !*hhpPath)
        return fail("No project file was given to compile.");
    std::error_code ec;
    fs::path project = fs::absolute(hhpPath, ec);
    if (ec || !fs::is_regular_file(project, ec))
        return fail(std::string("The project file \"") + hhpPath + "\" cannot be found.");
    std::string compiler = FindOnPath(kCompiler);
    if (compiler.empty()) {
        Log(log, kInstallHint);
        outcome.failure = kInstallHint;
        outcome.failure.pop_back();
        return outcome;
    }
    const std::string cannotStart =
        "The HTML Help compiler \"" + compiler + "\" could not be started.";

    fs::path helpFile = CompiledFile(project);
    FileStamp before = StampOf(helpFile);
    auto removeBrokenHelpFile = [&](std::string& text) {
        FileStamp after = StampOf(helpFile);
        if (after.exists && !(after == before) && fs::remove(helpFile, ec))
            text += "The incomplete help file \"" + helpFile.string() + "\" was removed.\n";
    };
    auto runOn = [&](const fs::path& projectText) {
        before = StampOf(helpFile);
        return RunCompiler(compiler, project.parent_path(), projectText.filename().string(), log,
                           progress);
    };

    std::optional<CompileRun> run = runOn(project);
    if (!run)
        return fail(cannotStart);
    std::string leftOut;
    bool compiledAgain = false;
    if (Crashed(*run) && !run->stopped && WriteFailure(*run, helpFile).empty() &&
        !run->output.CrashedOnAFile()) {
        std::optional<IndexablePages> unindexable;
        if (FullTextSearchIsOn(project)) {
            IndexablePages scanned = ScanIndexablePages(project.string());
            if (NoPageGivesAWord(scanned))
                unindexable = std::move(scanned);
        }
        const bool withoutFullTextSearch = unindexable.has_value();
        std::string text = std::string(run->endsWithLineBreak ? "" : "\n") +
                           "The compiler crashed (exit code " + std::to_string(run->status) +
                           (withoutFullTextSearch ? "); compiling again without full-text search.\n"
                                                  : "); compiling once more, unchanged.\n");
        removeBrokenHelpFile(text);
        Log(log, text);
        if (withoutFullTextSearch) {
            // chmcmd's full-text indexer fails when no page gives it a word;
            // the help file can still be made without full-text search.
            ProjectWithoutFullTextSearch retry(project);
            if (retry.Path().empty())
                return fail("The project file for compiling again cannot be written beside \"" +
                            project.string() + "\".");
            run = runOn(retry.Path());
            leftOut = "Full-text search was left out: " + WhyNoFullTextSearch(*unindexable) + "\n";
        } else {
            run = runOn(project);
            compiledAgain = true;
        }
        if (!run)
            return fail(cannotStart);
    }

    std::string failure;
    if (run->stopped)
        failure = "The compile was stopped before it was complete.";
    else if (std::string unwritten = WriteFailure(*run, helpFile); !unwritten.empty())
        failure = "chmcmd could not write the help file: " + unwritten;
    else if (Crashed(*run))
        failure = CrashReason(*run) +
                  (compiledAgain ? " It crashed again when compiled once more; its last output:\n" +
                                       run->output.LastLines()
                                 : std::string());
    else if (run->status != 0)
        failure = "The compiler stopped with exit code " + std::to_string(run->status) + ".";
    else if (!helpFile.empty() && !fs::exists(helpFile, ec))
        failure = "The compiler ended without making the help file \"" + helpFile.string() + "\".";
    else if (!helpFile.empty() && !LooksComplete(helpFile))
        failure = "The compiler ended, but the help file \"" + helpFile.string() +
                  "\" is cut short or damaged.";
    const std::string lineBreak = run->endsWithLineBreak ? "" : "\n";
    if (!failure.empty()) {
        if (failure.back() == '\n')
            failure.pop_back();
        std::string text = lineBreak + failure + "\n";
        if (!leftOut.empty())
            text += "Compiling without full-text search failed as well.\n";
        removeBrokenHelpFile(text);
        Log(log, text);
        outcome.failure = failure;
        return outcome;
    }
    std::string summary;
    const int warnings = run->output.LinkWarnings();
    if (warnings > 0)
        summary += std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
                   ": links to missing anchors or pages (see the lines above); the help file "
                   "was made.\n";
    summary += leftOut;
    if (!run->output.Errors().empty()) {
        // The help file is there, but something the project asked for is not in it.
        outcome.failure = "The compiler reported errors (" + Listed(run->output.Errors(), 3) +
                          "); the help file \"" + helpFile.string() + "\" may be incomplete.";
        Log(log, lineBreak + summary + outcome.failure + "\n");
        return outcome;
    }
    if (!summary.empty())
        Log(log, lineBreak + summary);
    outcome.made = true;
    return outcome;
}

} // namespace mb

int HHA_CompileHHP(const char* hhpPath, HHA_LOG_CALLBACK log, HHA_PROGRESS_CALLBACK progress,
                   int /*reserved*/) {
    // The plain functions become the typed callbacks; a null one an empty one.
    return mb::CompileHelpProject(hhpPath, log, progress).made ? 1 : 0;
}

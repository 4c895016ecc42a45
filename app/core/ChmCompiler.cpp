#include "app/core/ChmCompiler.h"

#include "app/core/CompilerProcess.h"
#include "app/core/UnindexablePages.h"
#include "baseutil/IniSection.h"

#include <algorithm>
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
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kCompiler = "chmcmd";
constexpr const char* kInstallHint =
    "The HTML Help compiler \"chmcmd\" was not found on the search path (PATH). It comes with "
    "the Debian package fp-utils: sudo apt-get install fp-utils\n";

void Log(HHA_LOG_CALLBACK log, const std::string& text) {
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

std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : ", ") + names[i];
    return text;
}

// Why chmcmd could not build the full-text search of `project`.
std::string WhyNoFullTextSearch(const fs::path& project) {
    mb::IndexablePages scanned = mb::ScanIndexablePages(project.string());
    const std::vector<std::string>& pages = scanned.withoutText;
    if (pages.empty() || static_cast<int>(pages.size()) < scanned.pages)
        return "chmcmd crashed while building it.";
    constexpr size_t kNamed = 10;
    std::vector<std::string> named(pages.begin(), pages.begin() + std::min(pages.size(), kNamed));
    std::string more =
        pages.size() > kNamed ? " and " + std::to_string(pages.size() - kNamed) + " more" : "";
    return "chmcmd cannot build it when no page has a title or any text (" + Listed(named) + more +
           "). Give the pages a title to have full-text search.";
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

int HHA_CompileHHP(const char* hhpPath, HHA_LOG_CALLBACK log, HHA_PROGRESS_CALLBACK progress,
                   int reserved) {
    mb::CallInProgress call;
    if (!hhpPath || !*hhpPath) {
        Log(log, "No project file was given to compile.\n");
        return 0;
    }
    std::error_code ec;
    fs::path project = fs::absolute(hhpPath, ec);
    if (ec || !fs::is_regular_file(project, ec)) {
        Log(log, std::string("The project file \"") + hhpPath + "\" cannot be found.\n");
        return 0;
    }
    std::string compiler = FindOnPath(kCompiler);
    if (compiler.empty()) {
        Log(log, kInstallHint);
        return 0;
    }
    const std::string cannotStart =
        "The HTML Help compiler \"" + compiler + "\" could not be started.\n";

    fs::path helpFile = CompiledFile(project);
    FileStamp before = StampOf(helpFile);
    auto removeBrokenHelpFile = [&](std::string& text) {
        FileStamp after = StampOf(helpFile);
        if (after.exists && !(after == before) && fs::remove(helpFile, ec))
            text += "The incomplete help file \"" + helpFile.string() + "\" was removed.\n";
    };

    std::optional<mb::CompileRun> run = mb::RunCompiler(compiler, project.parent_path(),
                                                        project.filename().string(), log, progress);
    if (!run) {
        Log(log, cannotStart);
        return 0;
    }
    std::string leftOut;
    if (Crashed(*run) && !run->stopped && !run->output.CrashedOnAFile() &&
        FullTextSearchIsOn(project)) {
        // chmcmd's full-text indexer fails on pages without any word; the
        // help file can still be made without full-text search.
        std::string text = std::string(run->endsWithLineBreak ? "" : "\n") +
                           "The compiler crashed (exit code " + std::to_string(run->status) +
                           "); compiling again without full-text search.\n";
        removeBrokenHelpFile(text);
        Log(log, text);
        ProjectWithoutFullTextSearch retry(project);
        if (retry.Path().empty()) {
            Log(log, "The project file for compiling again cannot be written beside \"" +
                         project.string() + "\".\n");
            return 0;
        }
        before = StampOf(helpFile);
        run = mb::RunCompiler(compiler, project.parent_path(),
                              fs::path(retry.Path()).filename().string(), log, progress);
        if (!run) {
            Log(log, cannotStart);
            return 0;
        }
        leftOut = "Full-text search was left out: " + WhyNoFullTextSearch(project) + "\n";
    }

    std::string failure;
    if (run->stopped)
        failure = "The compile was stopped before it was complete.";
    else if (Crashed(*run))
        failure = CrashReason(*run);
    else if (run->status != 0)
        failure = "The compiler stopped with exit code " + std::to_string(run->status) + ".";
    else if (!helpFile.empty() && !fs::exists(helpFile, ec))
        failure = "The compiler ended without making the help file \"" + helpFile.string() + "\".";
    else if (!helpFile.empty() && !LooksComplete(helpFile))
        failure = "The compiler ended, but the help file \"" + helpFile.string() +
                  "\" is cut short or damaged.";
    const std::string lineBreak = run->endsWithLineBreak ? "" : "\n";
    if (!failure.empty()) {
        std::string text = lineBreak + failure + "\n";
        if (!leftOut.empty())
            text += "Compiling without full-text search failed as well.\n";
        removeBrokenHelpFile(text);
        Log(log, text);
        return 0;
    }
    std::string summary;
    const int warnings = run->output.LinkWarnings();
    if (warnings > 0)
        summary += std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
                   ": links to missing anchors or pages (see the lines above); the help file "
                   "was made.\n";
    summary += leftOut;
    if (run->output.Errors() > 0) {
        // The help file is there, but something the project asked for is not in it.
        Log(log, lineBreak + summary + "The compiler reported errors; the help file \"" +
                     helpFile.string() + "\" may be incomplete.\n");
        return 0;
    }
    if (!summary.empty())
        Log(log, lineBreak + summary);
    return 1;
}

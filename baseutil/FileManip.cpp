#include "baseutil/FileManip.h"

#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <glob.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>

namespace fs = std::filesystem;

namespace {

thread_local int t_lastError = 0;

struct Matches {
    std::vector<std::string> files;
    bool folders = false;
};

class GlobResult {
public:
    explicit GlobResult(const std::string& pattern) {
        m_status = glob(pattern.c_str(), GLOB_PERIOD, nullptr, &m_glob);
    }
    ~GlobResult() { globfree(&m_glob); }
    GlobResult(const GlobResult&) = delete;
    GlobResult& operator=(const GlobResult&) = delete;

    std::size_t Count() const { return m_status == 0 ? m_glob.gl_pathc : 0; }
    const char* At(std::size_t i) const { return m_glob.gl_pathv[i]; }

private:
    glob_t m_glob{};
    int m_status = GLOB_NOMATCH;
};

// Only "*" and "?" are wildcards, as in the file names of help projects:
// brackets and backslashes are matched as themselves.
std::string EscapeForGlob(const std::string& pattern) {
    std::string escaped;
    for (char c : pattern) {
        if (c == '[' || c == ']' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

Matches Expand(const std::string& pattern) {
    Matches matches;
    if (pattern.empty() || !CPath::IsNativeForm(pattern))
        return matches;
    GlobResult result(EscapeForGlob(pattern));
    for (std::size_t i = 0; i < result.Count(); ++i) {
        fs::path path(result.At(i));
        if (path.filename() == "." || path.filename() == "..")
            continue;
        struct stat info {};
        if (stat(path.c_str(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode))
            matches.folders = true;
        else
            matches.files.push_back(path.string());
    }
    return matches;
}

// Sets the last error for a source that matched no file.
int NoFileMatched(const Matches& matches) {
    t_lastError = matches.folders ? CFileManip::kErrorSourceIsFolder : ENOENT;
    return 0;
}

bool Confirm(mb::IPrompt& prompt, const std::string& question, const std::string& path) {
    return mb::ShowMessage(prompt, question + "\n" + path, "Marrowbook", mb::Buttons::YesNo,
                           mb::Icon::Question) == mb::Answer::Yes;
}

bool Fail(int error) {
    t_lastError = error ? error : EIO;
    return false;
}

// `asker` confirms replacing and creating folders; none: done without asking.
bool CopyOneFile(const std::string& source, const std::string& target, mb::IPrompt* asker) {
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return Fail(EISDIR);
    if (asker && fs::exists(target, ec) && !Confirm(*asker, "Replace the existing file?", target))
        return Fail(ECANCELED);
    fs::path folder = fs::path(target).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        if (asker && !Confirm(*asker, "Create the folder?", folder.string()))
            return Fail(ECANCELED);
        if (!fs::create_directories(folder, ec))
            return Fail(ec.value());
    }

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(mb::OpenRegularFile(source),
                                                       &std::fclose);
    if (!in)
        return Fail(errno);
    mb::SafeFileWriter out(target);
    if (!out.IsOpen())
        return Fail(errno);
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
        if (!out.Write(std::string_view(buffer, count)))
            return Fail(errno);
    if (std::ferror(in.get()))
        return Fail(EIO);
    if (!out.Commit())
        return Fail(errno);
    fs::permissions(target, fs::status(source, ec).permissions(), ec);
    return true;
}

} // namespace

int CFileManip::Existence(const std::string& pattern) {
    Matches matches = Expand(pattern);
    return !matches.files.empty() ? 2 : matches.folders ? 1 : 0;
}

int CFileManip::Copy(const std::string& source, const std::string& target, int options,
                     mb::IPrompt& prompt) {
    t_lastError = 0;
    Matches matches = Expand(source);
    if (matches.files.empty())
        return NoFileMatched(matches);
    if (target.empty() || !CPath::IsNativeForm(target))
        return Fail(EINVAL);
    std::error_code ec;
    bool intoFolder = matches.files.size() > 1 || fs::is_directory(target, ec);
    bool ok = true;
    for (const std::string& file : matches.files) {
        std::string to =
            intoFolder ? (fs::path(target) / fs::path(file).filename()).string() : target;
        ok = CopyOneFile(file, to, (options & kQuiet) ? nullptr : &prompt) && ok;
    }
    return ok ? 1 : 0;
}

int CFileManip::CopyFiles(const std::vector<std::string>& sources,
                          const std::vector<std::string>& targets, bool quiet,
                          mb::IPrompt& prompt) {
    t_lastError = 0;
    if (sources.empty())
        return 1;
    if (quiet ? targets.size() != sources.size() : targets.empty())
        return Fail(EINVAL);
    bool ok = true;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        std::error_code ec;
        if (fs::is_directory(sources[i], ec)) {
            t_lastError = kErrorSourceIsFolder;
            ok = false;
            continue;
        }
        std::string target =
            quiet ? targets[i] : (fs::path(targets[0]) / fs::path(sources[i]).filename()).string();
        if (!CPath::IsNativeForm(sources[i]) || !CPath::IsNativeForm(target)) {
            ok = Fail(EINVAL);
            continue;
        }
        ok = CopyOneFile(sources[i], target, quiet ? nullptr : &prompt) && ok;
    }
    return ok ? 1 : 0;
}

int CFileManip::Del(const std::string& path, bool quiet, mb::IPrompt& prompt) {
    t_lastError = 0;
    Matches matches = Expand(path);
    if (matches.files.empty())
        return NoFileMatched(matches);
    if (!quiet) {
        std::string question =
            matches.files.size() == 1
                ? std::string("Delete the file?")
                : "Delete these " + std::to_string(matches.files.size()) + " files?";
        if (!Confirm(prompt, question, matches.files.size() == 1 ? matches.files[0] : path))
            return Fail(ECANCELED);
    }
    bool ok = true;
    for (const std::string& file : matches.files) {
        std::error_code ec;
        if (!fs::remove(file, ec))
            ok = Fail(ec ? ec.value() : ENOENT);
    }
    return ok ? 1 : 0;
}

int CFileManip::GetLastError() {
    return t_lastError;
}

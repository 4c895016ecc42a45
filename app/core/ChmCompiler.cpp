#include "app/core/ChmCompiler.h"

#include "baseutil/ConsolePipe.h"
#include "baseutil/IniSection.h"

#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
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

// The compiler's output on its way from the listener thread to the thread
// of the compile call.
struct Channel {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> chunks;
    bool ended = false; // the pipe has reported its last output and is going
    int status = -1;
};

class CompilerPipe : public CConsolePipe {
public:
    explicit CompilerPipe(std::shared_ptr<Channel> channel) : m_channel(std::move(channel)) {}

    void OnReceivedOutput(const char* text) override {
        std::lock_guard<std::mutex> lock(m_channel->mutex);
        if (text)
            m_channel->chunks.emplace_back(text);
        else
            m_channel->ended = true;
        m_channel->changed.notify_all();
    }
    void OnChildExited(int status) override {
        std::lock_guard<std::mutex> lock(m_channel->mutex);
        m_channel->status = status;
    }

private:
    std::shared_ptr<Channel> m_channel;
};

void Log(HHA_LOG_CALLBACK log, const std::string& text) {
    if (log)
        log(text.c_str());
}

// `text` as one shell word, whatever it contains.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
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

// The name of the file that a line of chmcmd's output says it takes into
// the help file, if the line says so.
std::optional<std::string> FileTakenIn(std::string_view line) {
    struct Form {
        std::string_view prefix;
        bool endsWithDot;
    };
    static constexpr Form kForms[] = {
        {"Note: Scanning file ", true},
        {"Note: Not scanning file because of unknown extension ", false},
        {"Note: Scanning TOC file : ", true},
        {"Note: Scanning Index file : ", true},
    };
    for (const Form& form : kForms) {
        if (line.substr(0, form.prefix.size()) != form.prefix)
            continue;
        std::string_view name = line.substr(form.prefix.size());
        if (form.endsWithDot && !name.empty() && name.back() == '.')
            name.remove_suffix(1);
        if (name.empty())
            return std::nullopt;
        return std::string(name);
    }
    return std::nullopt;
}

bool IsProjectCopy(std::string_view name) {
    constexpr std::string_view kExtension = ".mbkmbk";
    return name.size() >= kExtension.size() &&
           strncasecmp(name.data() + name.size() - kExtension.size(), kExtension.data(),
                       kExtension.size()) == 0;
}

// Cuts the output into lines, reports the files taken in and counts the
// errors, which chmcmd reports without always failing.
class OutputReader {
public:
    explicit OutputReader(HHA_PROGRESS_CALLBACK progress) : m_progress(progress) {}

    int Errors() const { return m_errors; }

    // False when the progress callback asked to stop.
    bool Feed(std::string_view chunk) {
        m_pending += chunk;
        size_t end;
        while ((end = m_pending.find('\n')) != std::string::npos) {
            std::string line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.compare(0, 6, "Error:") == 0)
                ++m_errors;
            std::optional<std::string> name = FileTakenIn(line);
            if (name && !IsProjectCopy(*name) && m_progress && !m_progress(name->c_str()))
                return false;
        }
        return true;
    }

private:
    HHA_PROGRESS_CALLBACK m_progress;
    std::string m_pending;
    int m_errors = 0;
};

struct CompileRun {
    bool stopped = false;
    int status = -1;
    int errors = 0;                // lines of the output that report an error
    bool endsWithLineBreak = true; // of the output logged
};

// Hands the output of the started pipe to the callbacks until it ends;
// breaks the pipe when the progress callback asks for it.
CompileRun FollowOutput(CompilerPipe* pipe, Channel& channel, HHA_LOG_CALLBACK log,
                        HHA_PROGRESS_CALLBACK progress) {
    CompileRun result;
    OutputReader reader(progress);
    std::unique_lock<std::mutex> lock(channel.mutex);
    for (;;) {
        channel.changed.wait(lock, [&] { return !channel.chunks.empty() || channel.ended; });
        if (channel.chunks.empty())
            break;
        std::string chunk = std::move(channel.chunks.front());
        channel.chunks.pop_front();
        if (result.stopped || chunk.empty())
            continue;
        lock.unlock();
        Log(log, chunk);
        result.endsWithLineBreak = chunk.back() == '\n';
        bool goOn = reader.Feed(chunk);
        lock.lock();
        if (!goOn) {
            result.stopped = true;
            // Until the pipe has said that it ends, it still exists.
            if (!channel.ended)
                pipe->Break();
        }
    }
    result.status = channel.status;
    result.errors = reader.Errors();
    return result;
}

} // namespace

int HHA_CompileHHP(const char* hhpPath, HHA_LOG_CALLBACK log, HHA_PROGRESS_CALLBACK progress,
                   int reserved) {
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

    std::string name = project.filename().string();
    if (name[0] == '-')
        name = "./" + name; // not to be taken for an option
    std::string command = "cd " + ShellQuoted(project.parent_path().string()) + " && exec " +
                          ShellQuoted(compiler) + " --verbosity 5 " + ShellQuoted(name);

    fs::path helpFile = CompiledFile(project);
    FileStamp before = StampOf(helpFile);

    auto channel = std::make_shared<Channel>();
    auto* pipe = new CompilerPipe(channel);
    if (pipe->Execute(command.c_str()) != 0) {
        delete pipe;
        Log(log, "The HTML Help compiler \"" + compiler + "\" could not be started.\n");
        return 0;
    }
    CompileRun run = FollowOutput(pipe, *channel, log, progress);

    std::string failure;
    if (run.stopped)
        failure = "The compile was stopped before it was complete.";
    else if (run.status != 0)
        failure = "The compiler stopped with exit code " + std::to_string(run.status) + ".";
    else if (!helpFile.empty() && !fs::exists(helpFile, ec))
        failure = "The compiler ended without making the help file \"" + helpFile.string() + "\".";
    std::string lineBreak = run.endsWithLineBreak ? "" : "\n";
    if (failure.empty() && run.errors == 0)
        return 1;
    if (failure.empty()) {
        // The help file is there, but something the project asked for is not in it.
        Log(log, lineBreak + "The compiler reported errors; the help file \"" + helpFile.string() +
                     "\" may be incomplete.\n");
        return 0;
    }

    std::string text = lineBreak + failure + "\n";
    FileStamp after = StampOf(helpFile);
    if (after.exists && !(after == before) && fs::remove(helpFile, ec))
        text += "The incomplete help file \"" + helpFile.string() + "\" was removed.\n";
    Log(log, text);
    return 0;
}

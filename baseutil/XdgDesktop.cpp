#include "baseutil/XdgDesktop.h"

#include "baseutil/Process.h"
#include "baseutil/SafeFile.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace mb {
namespace {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

std::vector<std::string> SplitList(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

// The escapes of desktop-entry string values (\s \n \t \r \\).
std::string UnescapeValue(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        char c = value[++i];
        switch (c) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The first argument of an Exec value: a double-quoted word (with \" \` \$
// \\ escapes) or everything up to the first blank.
std::string FirstExecWord(const std::string& exec) {
    size_t i = exec.find_first_not_of(" \t");
    if (i == std::string::npos)
        return {};
    std::string word;
    if (exec[i] == '"') {
        for (++i; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size() &&
                std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos)
                ++i;
            word += exec[i];
        }
        return word;
    }
    size_t end = exec.find_first_of(" \t", i);
    return exec.substr(i, end == std::string::npos ? std::string::npos : end - i);
}

// Removes field codes (%f, %U, ...) and turns "%%" into "%".
std::string StripFieldCodes(const std::string& word) {
    std::string out;
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '%' && i + 1 < word.size()) {
            if (word[i + 1] == '%')
                out += '%';
            ++i;
            continue;
        }
        out += word[i];
    }
    return out;
}

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// Keeps a file name that starts with "-" from being read as an option.
std::string AsArgument(const std::string& file) {
    return !file.empty() && file[0] == '-' ? "./" + file : file;
}

// The .desktop file for a desktop-file id; a "-" in the id may stand for a
// sub-folder ("kde-foo.desktop" in applications/kde/foo.desktop).
std::optional<std::string> FindDesktopFile(const std::string& id) {
    if (id.empty() || id.find('/') != std::string::npos)
        return std::nullopt;
    std::vector<std::string> names{id};
    for (size_t dash = id.find('-'); dash != std::string::npos; dash = id.find('-', dash + 1))
        names.push_back(id.substr(0, dash) + "/" + id.substr(dash + 1));
    for (const std::string& dir : XdgDataDirs()) {
        for (const std::string& name : names) {
            std::string path = dir + "/applications/" + name;
            struct stat st {};
            if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
                return path;
        }
    }
    return std::nullopt;
}

// The first line of a program's output, or "" when it failed.
std::string QueryLine(const std::vector<std::string>& argv) {
    RunResult result = RunAndCapture(argv);
    if (!result.started || result.exitStatus != 0)
        return {};
    return Trim(result.output.substr(0, result.output.find('\n')));
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

// Whether a desktop entry says that the program at `path` needs a terminal.
bool NeedsTerminal(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::canonical(path, ec);
    if (ec)
        return false;
    for (const std::string& dir : XdgDataDirs()) {
        for (std::filesystem::recursive_directory_iterator it(dir + "/applications", ec), end;
             !ec && it != end; it.increment(ec)) {
            std::string text;
            if (it->path().extension() != ".desktop" || !ReadWholeFile(it->path().string(), text))
                continue;
            std::optional<DesktopEntry> entry = ParseDesktopEntry(text);
            if (!entry || !entry->inTerminal)
                continue;
            std::optional<std::string> found = FindProgramOnPath(entry->program);
            std::error_code same;
            if (found && std::filesystem::equivalent(*found, program, same))
                return true;
        }
        ec.clear();
    }
    return false;
}

} // namespace

std::optional<DesktopEntry> ParseDesktopEntry(const std::string& text) {
    bool inEntry = false;
    std::string exec;
    std::string categories;
    bool terminal = false;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        size_t eq = line.find('=');
        if (!inEntry || eq == std::string::npos)
            continue;
        std::string key = Trim(line.substr(0, eq));
        std::string value = UnescapeValue(Trim(line.substr(eq + 1)));
        if (key == "Exec")
            exec = value;
        else if (key == "Categories")
            categories = value;
        else if (key == "Terminal")
            terminal = value == "true";
    }
    DesktopEntry entry;
    entry.program = StripFieldCodes(FirstExecWord(exec));
    if (entry.program.empty())
        return std::nullopt;
    for (const std::string& category : SplitList(categories, ';'))
        entry.isWebBrowser = entry.isWebBrowser || Trim(category) == "WebBrowser";
    entry.inTerminal = terminal;
    return entry;
}

std::optional<std::string> FindProgramOnPath(const std::string& program) {
    if (program.empty())
        return std::nullopt;
    if (program.find('/') != std::string::npos)
        return IsExecutableFile(program) ? std::optional<std::string>(program) : std::nullopt;
    for (std::string dir : SplitList(EnvOr("PATH", "/usr/local/bin:/usr/bin:/bin"), ':')) {
        if (dir.empty())
            dir = ".";
        std::string candidate = dir + "/" + program;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

std::vector<std::string> XdgDataDirs() {
    std::vector<std::string> dirs;
    // Relative entries are invalid in the base-directory rules and ignored.
    auto add = [&dirs](const std::string& dir) {
        if (!dir.empty() && dir[0] == '/')
            dirs.push_back(dir);
    };
    std::string home = EnvOr("XDG_DATA_HOME", "");
    add(!home.empty() && home[0] == '/' ? home : EnvOr("HOME", "") + "/.local/share");
    for (const std::string& dir :
         SplitList(EnvOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share"), ':'))
        add(dir);
    return dirs;
}

bool XdgDesktop::Open(const std::string& pathOrUrl) {
    return !pathOrUrl.empty() && StartDetached({"xdg-open", AsArgument(pathOrUrl)});
}

std::optional<DesktopProgram> XdgDesktop::DefaultProgramFor(const std::string& file) {
    if (file.empty())
        return std::nullopt;
    std::string mimeType = QueryLine({"xdg-mime", "query", "filetype", AsArgument(file)});
    if (mimeType.empty())
        return std::nullopt;
    return DefaultProgramForType(mimeType);
}

std::optional<DesktopProgram> XdgDesktop::DefaultProgramForType(const std::string& mimeType) {
    std::string desktopId = QueryLine({"xdg-mime", "query", "default", mimeType});
    std::optional<std::string> desktopFile = FindDesktopFile(desktopId);
    std::string text;
    if (!desktopFile || !ReadWholeFile(*desktopFile, text))
        return std::nullopt;
    std::optional<DesktopEntry> entry = ParseDesktopEntry(text);
    if (!entry)
        return std::nullopt;
    std::optional<std::string> path = FindProgramOnPath(entry->program);
    if (!path)
        return std::nullopt;
    return DesktopProgram{*path, entry->isWebBrowser, entry->inTerminal};
}

bool XdgDesktop::Start(std::vector<std::string> argv, bool inTerminal) {
    if (inTerminal) {
        std::string terminal = EnvOr("TERMINAL", "x-terminal-emulator");
        std::optional<std::string> found = FindProgramOnPath(terminal);
        if (!found) {
            m_startError = argv.front() + " runs in a terminal, and there is no terminal program (" +
                           terminal + ") to run it in.";
            return false;
        }
        argv.insert(argv.begin(), {*found, "-e"});
    }
    return StartDetached(argv, &m_startError);
}

bool XdgDesktop::StartProgram(const std::string& program, const std::string& file) {
    m_startError.clear();
    if (program != kDefaultTextEditor) {
        std::optional<std::string> path = FindProgramOnPath(program);
        return Start({program, AsArgument(file)}, path && NeedsTerminal(*path));
    }
    if (std::optional<DesktopProgram> editor = DefaultProgramForType("text/plain"))
        return Start({editor->path, AsArgument(file)}, editor->inTerminal);
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        std::vector<std::string> argv = SplitWords(EnvOr(variable, ""));
        if (argv.empty())
            continue;
        argv.push_back(AsArgument(file));
        // Set for the shell, these are editors that run in a terminal.
        if (Start(argv, true))
            return true;
    }
    if (!m_startError.empty())
        return false;
    return Open(file);
}

} // namespace mb

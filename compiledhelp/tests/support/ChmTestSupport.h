#pragma once
// Help files for tests, compiled at test time with chmcmd from generated
// projects, and the reference readings of chmls on the same files.

#include "baseutil/Process.h"
#include "baseutil/UserChannels.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace mb::testing {

// Records the log lines handed to it; its channels hand it (with the
// cautious prompt) to the objects under test.
class LogRecorder final : public ILogSink {
public:
    LogRecorder() = default;
    LogRecorder(const LogRecorder&) = delete;
    LogRecorder& operator=(const LogRecorder&) = delete;
    void Log(const std::string& line, LogKind) override { lines.push_back(line); }
    std::string All() const {
        std::string all;
        for (const auto& line : lines)
            all += line;
        return all;
    }
    std::vector<std::string> lines;
    UserChannels channels{&CautiousPrompt(), this};
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A help project in `folder`: its files, written on Build, and the lines of
// its .hhp sections.
struct ChmProject {
    std::string folder;
    std::map<std::string, std::string> files; // relative path -> content
    std::vector<std::string> fileList;        // [FILES] lines, in this order
    std::string contents;                     // .hhc text (toc.hhc), empty for none
    std::string index;                        // .hhk text (index.hhk), empty for none
    std::vector<std::string> alias;           // [ALIAS] lines
    std::vector<std::string> map;             // [MAP] lines
    std::vector<std::string> options;         // more [OPTIONS] lines
    std::vector<std::string> windows;         // [WINDOWS] lines

    void Add(const std::string& path, const std::string& content) {
        files[path] = content;
        fileList.push_back(path);
    }

    // Writes the project and compiles it into folder/name; returns the path
    // of the help file, or throws with chmcmd's output.
    std::string Build(const std::string& name = "test.chm") const {
        std::string chm = folder + "/" + name;
        std::ostringstream hhp;
        hhp << "[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=" << chm << "\n";
        if (!contents.empty())
            hhp << "Contents file=toc.hhc\n";
        if (!index.empty())
            hhp << "Index file=index.hhk\n";
        hhp << "Default topic=" << (fileList.empty() ? "" : fileList.front())
            << "\nLanguage=0x409 English (United States)\nTitle=Test help\n";
        for (const auto& line : options)
            hhp << line << "\n";
        if (!windows.empty()) {
            hhp << "\n[WINDOWS]\n";
            for (const auto& line : windows)
                hhp << line << "\n";
        }
        hhp << "\n[FILES]\n";
        for (const auto& file : fileList)
            hhp << file << "\n";
        if (!alias.empty()) {
            hhp << "\n[ALIAS]\n";
            for (const auto& line : alias)
                hhp << line << "\n";
        }
        if (!map.empty()) {
            hhp << "\n[MAP]\n";
            for (const auto& line : map)
                hhp << line << "\n";
        }
        hhp << "\n[INFOTYPES]\n";
        for (const auto& [path, content] : files)
            WriteBytes(folder + "/" + path, content);
        if (!contents.empty())
            WriteBytes(folder + "/toc.hhc", contents);
        if (!index.empty())
            WriteBytes(folder + "/index.hhk", index);
        WriteBytes(folder + "/project.hhp", hhp.str());
        std::filesystem::remove(chm);
        RunResult run = RunAndCapture({"chmcmd", "--no-html-scan", folder + "/project.hhp"});
        if (!run.started || !std::filesystem::exists(chm))
            throw std::runtime_error("chmcmd failed (install fp-utils): " + run.error + run.output);
        return chm;
    }
};

// A word of letters only that page `n` of ManyTopics holds and no other
// page does ("qxab").
inline std::string UniqueWord(int n) {
    std::string word = "qx";
    do {
        word += static_cast<char>('a' + n % 26);
        n /= 26;
    } while (n > 0);
    return word;
}

// A help project of `topics` pages in folders of a hundred, with a contents
// entry and an index keyword ("Keyword n") for each page. Every page holds
// the word "topic" and its own UniqueWord; full-text search is on.
inline ChmProject ManyTopics(const std::string& folder, int topics) {
    ChmProject project;
    project.folder = folder;
    project.options = {"Full-text search=Yes"};
    std::string contents = "<HTML><BODY><UL>\n", index = contents;
    for (int n = 0; n < topics; ++n) {
        const std::string page = "part" + std::to_string(n / 100) + "/page" + std::to_string(n) + ".htm";
        const std::string title = "Topic " + std::to_string(n);
        project.Add(page, "<html><head><title>" + title + "</title></head><body><h1>" + title +
                              "</h1><p>This topic holds the word " + UniqueWord(n) +
                              ".</p></body></html>\n");
        auto entry = [&page](const std::string& name) {
            return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
                   "\"><param name=\"Local\" value=\"" + page + "\"></OBJECT>\n";
        };
        contents += entry(title);
        index += entry("Keyword " + std::to_string(n));
    }
    project.contents = contents + "</UL></BODY></HTML>\n";
    project.index = index + "</UL></BODY></HTML>\n";
    return project;
}

struct ChmlsEntry {
    std::string name; // as listed, with its leading "/"
    uint64_t size = 0;
};

// The streams chmls lists, in its order, without folder entries and the
// container's "::" internals.
inline std::vector<ChmlsEntry> ChmlsList(const std::string& chm) {
    RunResult run = RunAndCapture({"chmls", "-p", "list", chm});
    if (!run.started)
        throw std::runtime_error("chmls cannot be run: " + run.error);
    std::vector<ChmlsEntry> entries;
    std::istringstream lines(run.output);
    std::string line;
    static const std::regex row(R"(^\s*\d+\s+\d+\s+(\d+)\s\s(/.*)$)");
    while (std::getline(lines, line)) {
        std::smatch match;
        if (!std::regex_match(line, match, row))
            continue;
        std::string name = match[2];
        if (name.back() == '/')
            continue;
        entries.push_back({name, std::stoull(match[1])});
    }
    return entries;
}

inline std::string ChmlsExtract(const std::string& chm, const std::string& name,
                                const std::string& scratch) {
    std::filesystem::remove(scratch);
    RunAndCapture({"chmls", "extract", chm, name, scratch});
    return ReadBytes(scratch);
}

// Every file below `folder`, by path relative to it.
inline std::map<std::string, std::string> ReadTree(const std::string& folder) {
    std::map<std::string, std::string> tree;
    if (!std::filesystem::exists(folder))
        return tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            tree[std::filesystem::relative(entry.path(), folder).generic_string()] =
                ReadBytes(entry.path().string());
    }
    return tree;
}

// Whether a path inside a help file names one of the container's own
// elements ("#..." and "$..." at any level).
inline bool IsSystemPath(const std::string& relative) {
    std::istringstream parts(relative);
    std::string part;
    while (std::getline(parts, part, '/')) {
        if (!part.empty() && (part[0] == '$' || part[0] == '#'))
            return true;
    }
    return false;
}

// Every file `chmls extractall` writes for the help file, by path.
inline std::map<std::string, std::string> ChmlsExtractAll(const std::string& chm,
                                                          const std::string& folder) {
    RunAndCapture({"chmls", "extractall", chm, folder});
    return ReadTree(folder);
}

// Replaces the one occurrence of `from` in the file by `to` (same length).
inline void PatchBytes(const std::string& path, const std::string& from, const std::string& to) {
    if (from.size() != to.size())
        throw std::logic_error("patch must keep the length");
    std::string bytes = ReadBytes(path);
    size_t at = bytes.find(from);
    if (at == std::string::npos || bytes.find(from, at + 1) != std::string::npos)
        throw std::logic_error("patch target must occur exactly once: " + from);
    bytes.replace(at, from.size(), to);
    WriteBytes(path, bytes);
}

// Makes the directory entry of the stream `name` (with its leading "/")
// claim the largest length its stored number can hold, so that reading it
// runs past the data of the file.
inline void InflateStreamLength(const std::string& path, const std::string& name) {
    std::string bytes = ReadBytes(path);
    std::string key = std::string(1, static_cast<char>(name.size())) + name;
    size_t at = bytes.find(key);
    if (at == std::string::npos || bytes.find(key, at + 1) != std::string::npos)
        throw std::logic_error("directory entry must occur exactly once: " + name);
    size_t position = at + key.size();
    auto skipNumber = [&] {
        while (static_cast<unsigned char>(bytes[position]) & 0x80)
            ++position;
        ++position;
    };
    skipNumber(); // section
    skipNumber(); // offset
    size_t start = position;
    skipNumber(); // length
    for (size_t i = start; i + 1 < position; ++i)
        bytes[i] = static_cast<char>(0xFF);
    bytes[position - 1] = 0x7F;
    WriteBytes(path, bytes);
}

} // namespace mb::testing

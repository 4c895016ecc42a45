#pragma once
// Where the real-material tests find their material and work, and how they
// read what other programs make of a help file: the sitemap entries chmls
// gives back, the names it lists, what CHMLib extracts, and the links of
// converted pages.

#include "baseutil/Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <strings.h>
#include <vector>

namespace mb::testing {

namespace fs = std::filesystem;

// The material that prepare_material.sh made (in the build folder).
inline fs::path Material() {
    return MB_REAL_MATERIAL;
}

// An empty folder for one test, kept after a failure for a look inside.
inline fs::path WorkFolder(const std::string& name) {
    fs::path folder = fs::path(MB_REAL_WORK) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

inline std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool SameBytes(const fs::path& a, const fs::path& b) {
    return fs::is_regular_file(a) && fs::is_regular_file(b) && ReadText(a) == ReadText(b);
}

inline std::string Trimmed(const std::string& text) {
    static const std::string blanks(" \t\r\n\0", 5);
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A link with its %-escapes and "&amp;" decoded.
inline std::string Unescaped(const std::string& path) {
    std::string decoded;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '%' && i + 2 < path.size() && std::isxdigit(path[i + 1]) &&
            std::isxdigit(path[i + 2])) {
            decoded += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else if (path.compare(i, 5, "&amp;") == 0) {
            decoded += '&';
            i += 4;
        } else {
            decoded += path[i];
        }
    }
    return decoded;
}

// The help file an .hhp names in its "Compiled file" option.
inline std::string HelpFileNamed(const fs::path& hhp) {
    std::istringstream lines(ReadText(hhp));
    std::string line;
    while (std::getline(lines, line)) {
        size_t equals = line.find('=');
        if (equals != std::string::npos &&
            strcasecmp(Trimmed(line.substr(0, equals)).c_str(), "compiled file") == 0)
            return Trimmed(line.substr(equals + 1));
    }
    return {};
}

// The entries of a sitemap, one line each: the list depth and the entry's
// names, links and "See Also" targets in order. A "Keyword" is a name, and
// links are compared as the same address: "/" separators (the project files
// write "\"), %-escapes decoded.
inline std::vector<std::string> ComparableEntries(const std::string& text) {
    std::vector<std::string> entries;
    int depth = 0;
    bool inEntry = false;
    std::string entry;
    size_t position = 0;
    auto quoted = [&](size_t from, size_t end, size_t& after) -> std::string {
        size_t open = text.find('"', from);
        if (open == std::string::npos || open >= end)
            return after = std::string::npos, std::string();
        size_t close = text.find('"', open + 1);
        after = close == std::string::npos ? close : close + 1;
        return text.substr(open + 1, close - open - 1);
    };
    while ((position = text.find('<', position)) != std::string::npos) {
        size_t nameEnd = text.find_first_of(" \t\r\n>", position + 1);
        if (nameEnd == std::string::npos)
            break;
        std::string tag = text.substr(position + 1, nameEnd - position - 1);
        for (char& c : tag)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        size_t tagEnd = text.find('\n', position);
        tagEnd = tagEnd == std::string::npos ? text.size() : tagEnd;
        size_t next = position + 1;
        if (tag == "UL") {
            ++depth;
        } else if (tag == "/UL") {
            --depth;
        } else if (tag == "OBJECT") {
            size_t after = 0;
            inEntry = quoted(nameEnd, text.find('>', nameEnd), after) == "text/sitemap";
            entry = std::to_string(depth) + ":";
        } else if (tag == "/OBJECT" && inEntry) {
            entries.push_back(entry);
            inEntry = false;
        } else if (tag == "PARAM" && inEntry) {
            size_t after = 0;
            std::string name = quoted(nameEnd, tagEnd, after);
            std::string value = after == std::string::npos ? "" : quoted(after, tagEnd, after);
            if (strcasecmp(name.c_str(), "keyword") == 0)
                name = "Name";
            if (strcasecmp(name.c_str(), "local") == 0) {
                std::replace(value.begin(), value.end(), '\\', '/');
                value = Unescaped(value);
            }
            if (strcasecmp(name.c_str(), "name") == 0 || strcasecmp(name.c_str(), "local") == 0 ||
                strcasecmp(name.c_str(), "see also") == 0)
                entry += " " + name + "=" + value;
        }
        position = next;
    }
    return entries;
}

// "" when both lists are equal, else where they first differ.
inline std::string FirstDifference(const std::vector<std::string>& expected,
                                   const std::vector<std::string>& actual) {
    size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i])
        ++i;
    if (i == expected.size() && i == actual.size())
        return {};
    return "item " + std::to_string(i) + " of " + std::to_string(expected.size()) +
           " expected: \"" + (i < expected.size() ? expected[i] : "(none)") + "\", made: \"" +
           (i < actual.size() ? actual[i] : "(none)") + "\"";
}

// Runs chmls with `arguments`, its banner and messages left out. chmls now
// and then ends with Free Pascal's "unhandled exception" status (217) on a
// file it reads fine the next time, a few times running when the machine is
// busy: such a run is repeated after a pause, four times at most.
inline RunResult Chmls(std::vector<std::string> arguments, bool keepOutput = true) {
    arguments.insert(arguments.begin(),
                     {"sh", "-c",
                      keepOutput ? "exec chmls \"$@\" 2>/dev/null" : "exec chmls \"$@\" >/dev/null 2>&1",
                      "sh"});
    RunResult run;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(250 * attempt));
        run = RunAndCapture(arguments);
        if (run.exitStatus != 217)
            break;
    }
    return run;
}

// The contents ("extracttoc") or index ("extractindex") that chmls reads out
// of `chm`, written through a file in `scratch`.
inline std::string ChmlsSitemap(const fs::path& chm, const std::string& command,
                                const fs::path& scratch) {
    fs::path file = scratch / (chm.filename().string() + "." + command);
    fs::remove(file);
    Chmls({command, chm.string(), file.string()}, false);
    return ReadText(file);
}

// Every name chmls lists, "/folder/name" (storages end in "/").
inline std::vector<std::string> ChmlsNames(const fs::path& chm) {
    RunResult listed = Chmls({"-p", "-n", "list", chm.string()});
    EXPECT_EQ(listed.exitStatus, 0) << chm;
    std::vector<std::string> names;
    std::istringstream lines(listed.output);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty() && line[0] == '/')
            names.push_back(line);
    return names;
}

// The names of a list that a reader can extract as files, sorted, each once
// (chmcmd stores a file twice when the project lists it and a style sheet
// names it too): no storages, none that climb out with "..".
inline std::vector<std::string> ReadableNames(const std::vector<std::string>& names) {
    std::vector<std::string> readable;
    for (const std::string& name : names) {
        if (name.back() == '/' || name.find("/../") != std::string::npos)
            continue;
        readable.push_back(name);
    }
    std::sort(readable.begin(), readable.end());
    readable.erase(std::unique(readable.begin(), readable.end()), readable.end());
    return readable;
}

// The regular files below `folder`, relative to it.
inline std::set<std::string> FilesBelow(const fs::path& folder) {
    std::set<std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file())
            files.insert(fs::relative(it->path(), folder).generic_string());
    return files;
}

// FilesBelow without the help file's system files.
inline std::set<std::string> ContentFilesBelow(const fs::path& folder) {
    std::set<std::string> files;
    for (const std::string& file : FilesBelow(folder))
        if (file[0] != '#' && file[0] != '$')
            files.insert(file);
    return files;
}

// The files that CHMLib's extract_chmLib writes out of `chm`, as "/name",
// sorted. It works in a folder of its own below `scratch`.
inline std::vector<std::string> ExtractedByChmLib(const fs::path& chm, const fs::path& scratch) {
    fs::path output = scratch / "x" / "out";
    fs::create_directories(output);
    RunResult run = RunAndCapture({"extract_chmLib", chm.string(), output.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    std::vector<std::string> names;
    for (const std::string& file : FilesBelow(output))
        names.push_back("/" + file);
    return names;
}

struct SystemNames {
    std::string contents;
    std::string index;
    int language = 1033;
};

// The contents and index files that a help file's #SYSTEM names.
inline SystemNames ReadSystemNames(const fs::path& chm) {
    RunResult printed = Chmls({"printsystem", chm.string()});
    SystemNames names;
    std::istringstream lines(printed.output);
    std::string line;
    while (std::getline(lines, line)) {
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        if (line.find("LCID from HHP file") != std::string::npos)
            names.language = std::atoi(line.substr(colon + 1).c_str());
        else if (line.find("Contents file from") != std::string::npos)
            names.contents = Trimmed(line.substr(colon + 1));
        else if (line.find("Index file from") != std::string::npos)
            names.index = Trimmed(line.substr(colon + 1));
    }
    return names;
}

// The values of the href and src attributes of an HTML page.
inline std::vector<std::string> LinksOf(const std::string& page) {
    std::vector<std::string> links;
    std::string lower(page);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* attribute : {"href", "src"}) {
        const size_t length = std::string(attribute).size();
        for (size_t at = lower.find(attribute); at != std::string::npos;
             at = lower.find(attribute, at + length)) {
            if (at > 0 && std::isalnum(static_cast<unsigned char>(lower[at - 1])))
                continue;
            size_t i = lower.find_first_not_of(" \t\r\n", at + length);
            if (i == std::string::npos || lower[i] != '=')
                continue;
            i = lower.find_first_not_of(" \t\r\n", i + 1);
            if (i == std::string::npos)
                continue;
            char quote = page[i] == '"' || page[i] == '\'' ? page[i] : 0;
            size_t start = quote ? i + 1 : i;
            size_t end = quote ? page.find(quote, start) : page.find_first_of(" \t\r\n>", start);
            if (end != std::string::npos)
                links.push_back(page.substr(start, end - start));
        }
    }
    return links;
}

// A link within the same set of files: no scheme, no fragment-only link.
// Its path, without fragment and query, %-escapes and "&amp;" decoded.
inline std::string LocalPathOf(const std::string& link) {
    size_t scheme = link.find(':');
    if (link.empty() || link[0] == '#' || link.rfind("//", 0) == 0 ||
        (scheme != std::string::npos && link.find_first_of("/?#") > scheme))
        return {};
    return Unescaped(link.substr(0, link.find_first_of("#?")));
}


// The links of the converted pages below `output` that lead nowhere although
// the help file has what they name: a link to a missing page of the
// conversion's own, or to a copied topic that the help file holds but the
// conversion left out. Links that were broken in the help file itself, and
// names that climb out of it, are not the conversion's loss.
inline std::vector<std::string> LostHandheldLinks(const fs::path& output,
                                                  const std::vector<std::string>& chmNames) {
    std::set<std::string> held;
    for (std::string name : chmNames) {
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        held.insert(name);
    }
    const fs::path topics = output / "source";
    std::vector<std::string> lost;
    for (const std::string& file : FilesBelow(output)) {
        std::string extension = fs::path(file).extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (extension != ".htm" && extension != ".html")
            continue;
        fs::path page = output / file;
        for (const std::string& link : LinksOf(ReadText(page))) {
            std::string path = LocalPathOf(link);
            if (path.empty())
                continue;
            fs::path target = (page.parent_path() / path).lexically_normal();
            if (fs::exists(target))
                continue;
            std::string inTopics = target.lexically_relative(topics).generic_string();
            std::string name = "/" + inTopics;
            for (char& c : name)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            bool isTopic = !inTopics.empty() && (inTopics.rfind("..", 0) != 0 || held.count(name));
            if (isTopic && (name.find("/../") != std::string::npos || !held.count(name)))
                continue; // refused as unsafe, or broken in the help file itself
            std::string inOutput = target.lexically_relative(output).generic_string();
            if (!isTopic && (inOutput.empty() || inOutput.rfind("..", 0) == 0))
                continue; // leads out of the conversion, as in the help file
            lost.push_back(file + " -> " + link);
        }
    }
    return lost;
}

} // namespace mb::testing

#pragma once
// The help compiler of this system (chmcmd) and the reference reader of
// compiled files (chmls) for the tests that compile projects, with a reader
// of the sitemaps chmls gives back.

#include "baseutil/Process.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace mb::testing {

inline bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && std::filesystem::exists(folder + "/" + program))
            return true;
    }
    return false;
}

// Compiles folder/hhp in its folder, as the compile command does.
inline RunResult CompileHelp(const std::string& folder, const std::string& hhp) {
    return RunAndCapture({"sh", "-c", "cd \"$1\" && exec chmcmd \"$2\" 2>&1", "sh", folder, hhp});
}

// Runs chmls with `arguments`, its banner on standard error left out.
inline RunResult RunChmls(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"sh", "-c", "exec chmls \"$@\" 2>/dev/null", "sh"});
    return RunAndCapture(arguments);
}

// The contents ("extracttoc") or index ("extractindex") that chmls reads
// out of a compiled file, as sitemap text.
inline std::string ExtractSitemap(const std::string& chm, const std::string& command) {
    std::string scratch = chm + "." + command + ".txt";
    std::filesystem::remove(scratch);
    RunChmls({command, chm, scratch});
    std::ifstream in(scratch, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The entries of a sitemap text in order, one line each: the list depth,
// then every parameter as name=value in the order written, except those
// named in `ignored` (lower case). Site properties are left out.
inline std::vector<std::string> SitemapEntries(const std::string& text,
                                               const std::vector<std::string>& ignored = {}) {
    static const std::regex token(
        R"re(<\s*(/?)\s*(UL|OBJECT)\b([^>]*)>|<\s*param\s+name\s*=\s*"([^"]*)"\s+value\s*=\s*"([^"]*)"\s*/?>)re",
        std::regex::icase);
    std::vector<std::string> entries;
    int depth = 0;
    bool inEntry = false;
    std::string entry;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), token);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (m[4].matched) {
            std::string name = m[4].str();
            for (char& c : name)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (inEntry && std::find(ignored.begin(), ignored.end(), name) == ignored.end())
                entry += " " + m[4].str() + "=" + m[5].str();
            continue;
        }
        bool closing = m[1].length() > 0;
        std::string tag = m[2].str();
        for (char& c : tag)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (tag == "UL") {
            depth += closing ? -1 : 1;
        } else if (!closing) {
            std::string attributes = m[3].str();
            inEntry = std::regex_search(attributes, std::regex("text/sitemap", std::regex::icase));
            entry = std::to_string(depth) + ":";
        } else if (inEntry) {
            entries.push_back(entry);
            inEntry = false;
        }
    }
    return entries;
}

// The names that chmls lists for a compiled file, as "/folder/name".
inline std::vector<std::string> ListedNames(const std::string& chm) {
    RunResult listed = RunChmls({"-p", "-n", "list", chm});
    std::vector<std::string> names;
    std::stringstream lines(listed.output);
    std::string line;
    while (std::getline(lines, line)) {
        size_t slash = line.find('/');
        if (slash != std::string::npos)
            names.push_back(line.substr(slash));
    }
    return names;
}

} // namespace mb::testing

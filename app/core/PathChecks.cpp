#include "app/core/PathChecks.h"

#include "baseutil/Path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace mb {
namespace {

std::string Normal(const std::string& path) {
    std::string canonical = CPath::Canonicalize(path);
    return canonical.size() > 1 ? CPath::RemoveBackSlash(canonical) : canonical;
}

constexpr std::string_view kProjectEnding = ".mbk";

// Why an existing entry at `path` cannot be replaced by a project file;
// empty when nothing is there or it is a regular file.
std::string SpecialFileProblem(const std::string& path) {
    std::error_code ec;
    std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status))
        return {};
    if (std::filesystem::is_directory(status))
        return "\"" + path + "\" is a folder, not a project file";
    return "\"" + path + "\" is a device, pipe or other special file, not a project file";
}

} // namespace

std::string ProjectFileNameProblem(const std::string& name) {
    if (name.empty())
        return "it names no file";
    if (name == "." || name == "..")
        return "\"" + name + "\" names a folder, not a project file";
    std::string stem = name;
    if (EndsWithNoCase(stem, kProjectEnding))
        stem.resize(stem.size() - kProjectEnding.size());
    if (stem.find_first_not_of(" \t") == std::string::npos)
        return "\"" + name + "\" has no name before the ending \".mbk\"";
    if (name[0] == '.')
        return "\"" + name + "\" begins with \".\", which would make the project a hidden file";
    return {};
}

std::string NewProjectPathProblem(const std::string& path) {
    if (!path.empty() && path.back() == '/')
        return "\"" + path + "\" names a folder, not a project file";
    std::string name = std::filesystem::path(path).filename().string();
    std::string problem = ProjectFileNameProblem(name);
    if (!problem.empty())
        return problem;
    problem = SpecialFileProblem(path);
    if (problem.empty() && !EndsWithNoCase(path, kProjectEnding))
        problem = SpecialFileProblem(path + std::string(kProjectEnding));
    return problem;
}

bool SamePath(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty())
        return false;
    if (Normal(first) == Normal(second))
        return true;
    std::error_code ec;
    return std::filesystem::equivalent(first, second, ec) && !ec;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string UnusedFolder(const std::string& folder) {
    std::error_code ec;
    std::string candidate = folder;
    for (int n = 2; std::filesystem::exists(candidate, ec); ++n)
        candidate = folder + "_" + std::to_string(n);
    return candidate;
}

} // namespace mb

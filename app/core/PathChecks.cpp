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

} // namespace

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

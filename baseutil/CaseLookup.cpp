#include "baseutil/CaseLookup.h"

#include "baseutil/TextFold.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace mb {
namespace {

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// The entry of `folder` whose name equals `name` ignoring case.
std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? "." : folder, ec);
    if (ec)
        return std::nullopt;
    std::optional<std::string> found;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (CompareNoCase(entry, name) == 0 && (!found || entry < *found))
            found = entry;
    }
    if (ec)
        return std::nullopt;
    return found;
}

} // namespace

std::string FindPathIgnoringCase(const std::string& path) {
    if (path.empty() || Exists(path))
        return path;

    std::string current = path[0] == '/' ? "/" : "";
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t end = path.find('/', i);
        if (end == std::string::npos)
            end = path.size();
        std::string name = path.substr(i, end - i);
        i = end + 1;
        if (name.empty())
            continue;
        std::string candidate = current + name;
        if (name != "." && name != ".." && !Exists(candidate)) {
            std::optional<std::string> entry = FindEntry(current, name);
            if (!entry)
                return path;
            candidate = current + *entry;
        }
        current = candidate + "/";
    }
    if (path.back() != '/' && current.size() > 1)
        current.pop_back();
    return current;
}

} // namespace mb

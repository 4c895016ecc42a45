#include "commonkit/InstallLayout.h"

#include <filesystem>
#include <system_error>

namespace mb {

std::string InstalledDataFolder(const std::string& programFolder) {
    std::filesystem::path folder = std::filesystem::path(programFolder) / "../share/marrowbook";
    std::string text = folder.lexically_normal().string();
    if (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool IsInstalledTree(const std::string& programFolder) {
    std::error_code ignored; // a folder that cannot be looked at is not there
    return std::filesystem::is_directory(InstalledDataFolder(programFolder), ignored);
}

} // namespace mb

#include "runconfig/SettingsLocation.h"

#include "commonkit/InstallLayout.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace mb {
namespace {

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* user = getpwuid(getuid()); user && user->pw_dir)
            home = user->pw_dir;
    }
    return home;
}

std::string Created(const std::string& folder) {
    std::error_code ignored; // a folder that cannot be made shows up when writing
    std::filesystem::create_directories(folder, ignored);
    return WithoutTrailingSlash(folder);
}

} // namespace

std::string ProgramFolder() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return WithoutTrailingSlash(std::filesystem::current_path(error).string());
    return WithoutTrailingSlash(program.parent_path().string());
}

std::string SettingsFolderFor(const std::string& installPath) {
    if (std::string home = Environment("MARROWBOOK_HOME"); !home.empty())
        return Created(home);
    // An installed program's folder (/usr/bin, ~/.local/bin) is the
    // system's or the user's, even where this process may write into it.
    if (!installPath.empty() && access(installPath.c_str(), W_OK) == 0 &&
        !IsInstalledTree(installPath))
        return WithoutTrailingSlash(installPath);
    std::string config = Environment("XDG_CONFIG_HOME");
    // Relative values are to be ignored.
    if (config.empty() || config.front() != '/')
        config = HomeFolder() + "/.config";
    return Created(WithoutTrailingSlash(config) + "/marrowbook");
}

} // namespace mb

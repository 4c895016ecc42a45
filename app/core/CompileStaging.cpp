#include "app/core/CompileStaging.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mb {
namespace {

constexpr const char* kCompileEntryPrefix = ".mb-compile-";

std::string FileName(const std::string& path) {
    return fs::path(path).filename().string();
}

std::string Failed(const std::string& doing, const std::string& path, const std::string& reason) {
    return "The compiler's folder cannot be prepared: cannot " + doing + " \"" + path + "\" (" +
           reason + ").";
}

} // namespace

std::string MakeStagingFolder(const CompileFiles& files) {
    RemoveStagingFolder(files);
    const std::string folder = files.staging.substr(0, files.staging.size() - 1);
    if (::mkdir(folder.c_str(), 0700) != 0)
        return Failed("create", folder, std::strerror(errno));
    const std::set<std::string> ours = {FileName(files.hhp), FileName(files.hhc),
                                        FileName(files.hhk), FileName(files.chm),
                                        FileName(files.mbkmbk)};
    std::error_code ec;
    const fs::path project = fs::path(folder).parent_path();
    for (fs::directory_iterator it(project, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.rfind(kCompileEntryPrefix, 0) == 0 || ours.count(name))
            continue;
        const std::string link = files.staging + name;
        if (::symlink(("../" + name).c_str(), link.c_str()) != 0)
            return Failed("create", link, std::strerror(errno));
    }
    if (ec)
        return Failed("read", project.string(), ec.message());
    return {};
}

void RemoveStagingFolder(const CompileFiles& files) {
    std::error_code ec;
    fs::remove_all(fs::path(files.staging).parent_path(), ec);
}

} // namespace mb

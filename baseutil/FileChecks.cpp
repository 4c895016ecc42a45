#include "baseutil/FileChecks.h"

#include "baseutil/SafeFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace mb {

std::string UnreadableReason(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return std::strerror(errno);
    if (S_ISDIR(info.st_mode))
        return "it is a folder";
    if (!S_ISREG(info.st_mode))
        return "it is not a regular file (a pipe, device or socket)";
    std::FILE* file = OpenRegularFile(path);
    if (!file)
        return std::strerror(errno);
    std::fclose(file);
    return {};
}

} // namespace mb

#include "baseutil/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mb {

namespace {

// The start of the name that a temporary file carries, so that a file
// left behind by a killed program says what it was; short enough that the
// temporary name fits wherever the target's name does.
constexpr size_t kTemporaryNameStart = 40;

std::string TemporaryPattern(const std::string& target) {
    size_t slash = target.find_last_of('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, nameStart) + "." + target.substr(nameStart, kTemporaryNameStart) +
           ".XXXXXX";
}

// Renames `from` to `to` unless `to` exists (EEXIST then). File systems
// that cannot refuse in the rename itself get a check just before it.
bool RenameKeepingTarget(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    struct stat existing {};
    if (lstat(to.c_str(), &existing) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}

// The umask, read once: reading it means setting it for a moment, which
// other threads creating files at that moment would feel.
mode_t ProcessUmask() {
    static const mode_t mask = [] {
        mode_t current = umask(0);
        umask(current);
        return current;
    }();
    return mask;
}

} // namespace

SafeFileWriter::SafeFileWriter(std::string target, SyncMode sync, ExistingTarget existing)
    : m_target(std::move(target)), m_sync(sync), m_existing(existing) {
    std::string pattern = TemporaryPattern(m_target);
    int fd = mkstemp(pattern.data());
    if (fd < 0) {
        Fail("cannot create a file in the folder of " + m_target);
        return;
    }
    m_tempPath = pattern;
    // Keep the permissions of the file being replaced; new files get the
    // usual mode (subject to the umask) rather than mkstemp's 0600.
    struct stat old {};
    if (m_existing == ExistingTarget::Replace && stat(m_target.c_str(), &old) == 0)
        fchmod(fd, old.st_mode & 07777);
    else
        fchmod(fd, 0666 & ~ProcessUmask());
    m_file = fdopen(fd, "wb");
    if (!m_file) {
        close(fd);
        Fail("cannot write " + m_tempPath);
    }
}

SafeFileWriter::~SafeFileWriter() {
    if (m_file)
        std::fclose(m_file);
    if (!m_committed && !m_tempPath.empty())
        unlink(m_tempPath.c_str());
}

void SafeFileWriter::Fail(const std::string& what) {
    if (m_error.empty())
        m_error = what + ": " + std::strerror(errno);
}

bool SafeFileWriter::Write(std::string_view data) {
    if (!m_file)
        return false;
    if (data.empty())
        return true;
    if (std::fwrite(data.data(), 1, data.size(), m_file) != data.size()) {
        Fail("cannot write " + m_target);
        return false;
    }
    return true;
}

bool SafeFileWriter::Commit() {
    if (!m_file)
        return false;
    bool ok = std::fflush(m_file) == 0 && !std::ferror(m_file) &&
              (m_sync == SyncMode::Unsynced || fsync(fileno(m_file)) == 0);
    if (!ok)
        Fail("cannot write " + m_target);
    if (std::fclose(m_file) != 0 && ok) {
        ok = false;
        Fail("cannot write " + m_target);
    }
    m_file = nullptr;
    if (!ok)
        return false;
    if (m_existing == ExistingTarget::Keep) {
        if (!RenameKeepingTarget(m_tempPath, m_target)) {
            Fail("cannot create " + m_target);
            return false;
        }
    } else if (std::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        Fail("cannot replace " + m_target);
        return false;
    }
    m_committed = true;
    return true;
}

bool WriteFileSafely(const std::string& path, std::string_view data, std::string* error) {
    SafeFileWriter writer(path);
    if (writer.Write(data) && writer.Commit())
        return true;
    if (error)
        *error = writer.Error();
    return false;
}

std::FILE* OpenRegularFile(const std::string& path) {
    // Opening without blocking first: a named pipe would otherwise wait for
    // a writer that never comes.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EINVAL;
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = fdopen(fd, "rb");
    if (!file)
        close(fd);
    return file;
}

std::string NonRegularFileKind(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode))
        return {};
    if (S_ISLNK(info.st_mode))
        return "a symbolic link";
    if (S_ISFIFO(info.st_mode))
        return "a named pipe";
    if (S_ISDIR(info.st_mode))
        return "a folder";
    if (S_ISSOCK(info.st_mode))
        return "a socket";
    return "a device";
}

bool ReadWholeFile(const std::string& path, std::string& data) {
    std::FILE* file = OpenRegularFile(path);
    if (!file)
        return false;
    data.clear();
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        data.append(buffer, got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    // No write bit at all counts even for root, who may write anything:
    // the user marked the file read-only.
    return (info.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
}

} // namespace mb

#include "runconfig/RunEnv.h"

#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "commonkit/StringTable.h"
#include "runconfig/SettingsLocation.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file error as the user sees it: the file and the system's reason.
int ReportFileError(mb::IPrompt& prompt, const std::string& path, int error) {
    mb::ShowMessage(prompt, path + ": " + std::strerror(error),
                    CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok, mb::Icon::Error);
    return 0;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// Opens a regular file for writing with `flags` added; -1 for anything
// else (errno ELOOP for a link, ENXIO for a pipe without a reader, EISDIR
// for a folder, EINVAL for other kinds), which is never waited for or
// written through.
int OpenRegularForWriting(const std::string& path, int flags) {
    int fd = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | flags, 0666);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

} // namespace

CRunEnv::CRunEnv()
    : m_installPath(mb::ProgramFolder()), m_settingsFolder(mb::SettingsFolderFor(m_installPath)),
      m_logFilename(m_settingsFolder + "/bwlog.txt") {}

int CRunEnv::CleanLogFile(mb::IPrompt& prompt) {
    if (std::string kind = mb::NonRegularFileKind(m_logFilename); !kind.empty()) {
        m_logProblem = "The run log " + m_logFilename + " is " + kind +
                       ", not a regular file: it is left as it is, and this run keeps no log file.";
        return 0;
    }
    m_logProblem.clear();
    int fd = OpenRegularForWriting(m_logFilename, O_CREAT);
    if (fd < 0)
        return ReportFileError(prompt, m_logFilename, errno);
    int emptied = ftruncate(fd, 0);
    int error = errno;
    close(fd);
    if (emptied != 0)
        return ReportFileError(prompt, m_logFilename, error);
    return 1;
}

int CRunEnv::LogMessage(const std::string& text, mb::IPrompt& prompt) {
    if (!m_logProblem.empty())
        return 0;
    // No O_CREAT: a log that does not exist stays so.
    int fd = OpenRegularForWriting(m_logFilename, O_APPEND);
    if (fd < 0) {
        // Nothing there, or no regular file (see CleanLogFile).
        if (errno == ENOENT || errno == ELOOP || errno == EINVAL || errno == EISDIR ||
            errno == ENXIO)
            return 0;
        return ReportFileError(prompt, m_logFilename, errno);
    }
    bool ok = WriteAll(fd, text);
    int error = errno;
    close(fd);
    if (!ok)
        return ReportFileError(prompt, m_logFilename, error);
    return 1;
}

void CRunEnv::AddNeedCopiedFlashFile(const std::string& path) {
    m_flashFiles.push_back(path);
    m_needCopyFlash = 1;
}

std::string CRunEnv::GetNeedCopiedFlashFile(int index) const {
    if (index < 0 || index >= GetNeedCopiedFlashFileCount())
        return {};
    return m_flashFiles[index];
}

void CRunEnv::ResetNeedCopiedFlashFileInfo() {
    m_needCopyFlash = 0;
    m_flashFiles.clear();
}

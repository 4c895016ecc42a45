#include "runconfig/RunEnv.h"

#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "runconfig/SettingsLocation.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

std::unique_ptr<CRunEnv> CRunEnv::m_instance;

namespace {

// A file error as the user sees it: the file and the system's reason.
int ReportFileError(const std::string& path, int error) {
    mb::ShowMessage(path + ": " + std::strerror(error), CStrHelper::ML_GetStringEx(kStrProductName),
                    mb::Buttons::Ok, mb::Icon::Error);
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

} // namespace

CRunEnv* CRunEnv::Instance() {
    if (!m_instance)
        m_instance.reset(new CRunEnv());
    return m_instance.get();
}

void CRunEnv::DestroyInstance() {
    m_instance.reset();
}

CRunEnv::CRunEnv()
    : m_installPath(mb::ProgramFolder()), m_settingsFolder(mb::SettingsFolderFor(m_installPath)),
      m_logFilename(m_settingsFolder + "/bwlog.txt") {}

int CRunEnv::CleanLogFile() {
    int fd = open(m_logFilename.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return ReportFileError(m_logFilename, errno);
    close(fd);
    return 1;
}

int CRunEnv::LogMessage(const std::string& text) {
    // No O_CREAT: a log that does not exist stays so.
    int fd = open(m_logFilename.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return 0;
        return ReportFileError(m_logFilename, errno);
    }
    bool ok = WriteAll(fd, text);
    int error = errno;
    close(fd);
    if (!ok)
        return ReportFileError(m_logFilename, error);
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

#include "compiledhelp/OutputFile.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

void Log(const std::string& text) {
    mb::LogLine(text.c_str());
}

} // namespace

void CReplaceGuard::SetSource(const std::string& sourcePath) {
    struct stat info {};
    m_hasSource = stat(sourcePath.c_str(), &info) == 0;
    m_device = info.st_dev;
    m_inode = info.st_ino;
    m_answer.reset();
}

bool CReplaceGuard::IsSource(const std::string& path) const {
    struct stat info {};
    return m_hasSource && stat(path.c_str(), &info) == 0 && info.st_dev == m_device &&
           info.st_ino == m_inode;
}

bool CReplaceGuard::MayReplace(const std::string& path) {
    if (IsSource(path)) {
        Log("\r\nnot written: " + path + " is the help file being read\n");
        return false;
    }
    if (!m_answer) {
        mb::Answer answer = mb::ShowMessage(
            "\"" + path +
                "\" already exists.\n\nReplace it, and every other file of this run that "
                "already exists in the output folder?",
            CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::YesNo, mb::Icon::Question);
        m_answer = answer == mb::Answer::Yes;
    }
    if (!*m_answer)
        Log("\r\nkept the existing file " + path + "\n");
    return *m_answer;
}

COutputFile::COutputFile(std::string path, CReplaceGuard& guard) : m_path(std::move(path)) {
    // libmspack hands over whole decompressed frames, so the data goes to
    // the file as it comes, without a buffer of our own.
    m_fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd >= 0)
        return;
    if (errno != EEXIST) {
        Fail("cannot create " + m_path);
        return;
    }
    if (!guard.MayReplace(m_path)) {
        m_kept = !guard.IsSource(m_path);
        if (!m_kept)
            m_error = m_path + " is the help file being read";
        return;
    }
    m_replacement = std::make_unique<mb::SafeFileWriter>(m_path, mb::SyncMode::Unsynced);
    if (!m_replacement->IsOpen()) {
        m_error = m_replacement->Error();
        m_replacement.reset();
    }
}

COutputFile::~COutputFile() {
    if (m_fd >= 0) {
        close(m_fd);
        if (!m_committed)
            unlink(m_path.c_str());
    }
}

void COutputFile::Fail(const std::string& what) {
    if (m_error.empty())
        m_error = what + ": " + std::strerror(errno);
}

bool COutputFile::Write(std::string_view data) {
    if (m_replacement)
        return m_replacement->Write(data);
    if (m_fd < 0)
        return false;
    while (!data.empty()) {
        ssize_t written = write(m_fd, data.data(), data.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            Fail("cannot write " + m_path);
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool COutputFile::Commit() {
    if (m_replacement) {
        if (m_replacement->Commit())
            return true;
        m_error = m_replacement->Error();
        return false;
    }
    if (m_fd < 0)
        return false;
    bool ok = close(m_fd) == 0;
    m_fd = -1;
    if (!ok) {
        Fail("cannot write " + m_path);
        unlink(m_path.c_str());
        return false;
    }
    m_committed = true;
    return true;
}

#include "compiledhelp/OutputFile.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "compiledhelp/CallerRelay.h"

#include <sys/stat.h>

void CReplaceGuard::SetSource(const std::string& sourcePath) {
    struct stat info {};
    m_hasSource = stat(sourcePath.c_str(), &info) == 0;
    m_device = info.st_dev;
    m_inode = info.st_ino;
    m_answer.reset();
    m_uncreatable = false;
}

bool CReplaceGuard::IsSource(const std::string& path) const {
    struct stat info {};
    return m_hasSource && stat(path.c_str(), &info) == 0 && info.st_dev == m_device &&
           info.st_ino == m_inode;
}

bool CReplaceGuard::MayReplace(const std::string& path) {
    if (IsSource(path)) {
        std::string line = "\r\nnot written: " + path + " is the help file being read\n";
        CCallerRelay::Post([log = m_channels.log, line] { mb::LogProblem(log, line); });
        return false;
    }
    bool answer;
    {
        // One question for the whole run, also when several threads find
        // existing files at once: the others wait for its answer.
        std::lock_guard lock(m_mutex);
        if (!m_answer) {
            mb::Answer given = mb::Answer::No;
            CCallerRelay::Call([&] {
                given = mb::ShowMessage(
                    *m_channels.prompt,
                    "\"" + path +
                        "\" already exists.\n\nReplace it, and every other file of this run that "
                        "already exists in the output folder?",
                    CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::YesNo,
                    mb::Icon::Question);
            });
            m_answer = given == mb::Answer::Yes;
        }
        answer = *m_answer;
    }
    if (!answer) {
        std::string line = "\r\nkept the existing file " + path + "\n";
        CCallerRelay::Post([log = m_channels.log, line] { mb::LogLine(log, line); });
    }
    return answer;
}

COutputFile::COutputFile(std::string path, CReplaceGuard& guard) : m_path(std::move(path)) {
    struct stat existing {};
    bool exists = lstat(m_path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        m_error = "a folder of this name is in the way";
        return;
    }
    if (exists && !guard.MayReplace(m_path)) {
        m_kept = !guard.IsSource(m_path);
        if (!m_kept)
            m_error = m_path + " is the help file being read";
        return;
    }
    // A name that was free when the writing began is not taken over from
    // whoever made a file of that name in the meantime.
    m_writer = std::make_unique<mb::SafeFileWriter>(m_path, mb::SyncMode::Unsynced,
                                                    exists ? mb::ExistingTarget::Replace
                                                           : mb::ExistingTarget::Keep);
    if (!m_writer->IsOpen()) {
        m_error = m_writer->Error();
        m_writer.reset();
    }
}

bool COutputFile::Write(std::string_view data) {
    if (!m_writer)
        return false;
    if (m_writer->Write(data))
        return true;
    m_error = m_writer->Error();
    return false;
}

bool COutputFile::Commit() {
    if (!m_writer)
        return false;
    if (m_writer->Commit())
        return true;
    m_error = m_writer->Error();
    return false;
}

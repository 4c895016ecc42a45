// The Compile command: saving, the checks on the help file to be written,
// and the compile itself, with the compile dialog or to the end without one.

#include "app/core/ControllerDialogs.h"
#include "app/core/ProjectController.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "commonkit/StringTable.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kStrCannotCompile = 296;
constexpr int kStrTargetReadOnly = 297;
constexpr int kStrRemoveReadOnly = 298;
constexpr int kStrTargetBusy = 492;

std::string Text(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

// Whether another program holds the file. Programs on this system announce
// that they use a file only through advisory locks, so the file counts as
// held when an exclusive lock cannot be had at once: a whole-file lock
// (flock) or a write lock on any part of it (fcntl record locks, including
// those of other open files in this process), or when it cannot even be
// opened for reading.
bool IsHeldByAnotherProgram(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno != ENOENT;
    bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!held) {
        ::flock(fd, LOCK_UN);
        struct flock probe {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        held = ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    }
    ::close(fd);
    return held;
}

void Refuse(mb::IPrompt& prompt, const std::string& text, const std::string& chm) {
    mb::ShowMessage(prompt, text + "\n\n\"" + chm + "\"", Text(kStrProductName), mb::Buttons::Ok,
                    mb::Icon::Warning);
}

} // namespace

bool CProjectController::CheckCompileTarget(const std::string& chm) const {
    std::error_code ec;
    if (!std::filesystem::exists(chm, ec))
        return true;
    if (mb::IsReadOnlyFile(chm)) {
        Refuse(Prompt(),
               Text(kStrCannotCompile) + Text(kStrTargetReadOnly) + Text(kStrRemoveReadOnly), chm);
        return false;
    }
    if (IsHeldByAnotherProgram(chm)) {
        Refuse(Prompt(), Text(kStrCannotCompile) + Text(kStrTargetBusy), chm);
        return false;
    }
    return true;
}

std::optional<bool> CProjectController::PrepareCompile() {
    if (!Save())
        return std::nullopt;
    const std::string chm = m_project.GetCHMFileName();
    std::error_code ec;
    const bool existed = std::filesystem::exists(chm, ec);
    if (!CheckCompileTarget(chm))
        return std::nullopt;
    return existed;
}

int CProjectController::CompileCommand() {
    std::optional<bool> existed = PrepareCompile();
    if (!existed)
        return 0;
    m_context.controllerDialogs->ShowCompile(*this);
    if (!*existed)
        Notify(mb::Notice::FirstCompile);
    return 1;
}

int CProjectController::Compile(const mb::CompileRequest& request) {
    std::optional<bool> existed = PrepareCompile();
    if (!existed)
        return 0;
    std::string error = StartCompile(request);
    if (!error.empty()) {
        mb::ShowMessage(Prompt(), error, Text(kStrProductName), mb::Buttons::Ok, mb::Icon::Error);
        return 0;
    }
    int made = WaitForCompile();
    if (!*existed)
        Notify(mb::Notice::FirstCompile);
    return made;
}

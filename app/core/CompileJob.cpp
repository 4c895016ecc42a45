#include "app/core/CompileJob.h"

#include "app/core/ChmCompiler.h"
#include "app/core/CompileStaging.h"
#include "app/core/CompilerLimits.h"
#include "app/core/CompilerProcess.h"
#include "baseutil/BWHelper.h"
#include "commonkit/StringTable.h"
#include "compiledhelp/FirstListingChunk.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/ReferencedFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace mb {
namespace {

constexpr int kStrCannotWrite = 442;

// The compile whose compiler call is running: a stop reaches the compiler
// only then.
std::atomic<CompileJob*> g_running{nullptr};
// The job that holds the process's one compile slot, from Start to the end
// of its clean-up.
std::atomic<CompileJob*> g_slot{nullptr};

void Remove(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

// Up to ten names, then how many more.
std::string Listed(const std::vector<std::string>& names) {
    constexpr size_t kShown = 10;
    std::string text;
    for (size_t i = 0; i < names.size() && i < kShown; ++i)
        text += (i == 0 ? "" : ", ") + names[i];
    if (names.size() > kShown)
        text += " and " + std::to_string(names.size() - kShown) + " more";
    return text;
}

// chmcmd takes files from the project folder only: it puts the folder in
// front of an absolute path, and stores "../x.htm" under that very name,
// which no viewer can reach from the contents.
std::string OutsideProjectFolderMessage(CProjectFile& project,
                                        const std::vector<std::string>& files) {
    return "The project cannot be compiled: the help compiler takes pages only from the "
           "project folder \"" +
           project.GetProjectFolder2() + "\", and these files lie outside it: " + Listed(files) +
           ".\n\nCopy them into the project folder, add them to the project from there in "
           "place of the old ones, and compile again.";
}

std::string CannotWrite(const std::string& path) {
    return CStrHelper::ML_GetStringEx(kStrCannotWrite) + " " + path;
}

// Writes the enciphered copy of the project (its portable form, which names
// no folder of this machine) to `to`, through a nameless temporary file in
// the folder of `to`: where the compile has room, whatever /tmp has left.
bool EncipherProjectCopy(CProjectFile& project, const std::string& to) {
    std::string pattern = std::filesystem::path(to).parent_path().string() + "/.plain-XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return false;
    ::unlink(pattern.c_str());
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> plain(::fdopen(fd, "w+"), &std::fclose);
    if (!plain) {
        ::close(fd);
        return false;
    }
    if (!project.WritePortableCopy(plain.get()) || std::fflush(plain.get()) != 0)
        return false;
    std::rewind(plain.get());
    std::FILE* out = std::fopen(to.c_str(), "w");
    bool ok = out && CBWHelper::EncryptFileA(plain.get(), out);
    if (out)
        ok = std::fclose(out) == 0 && ok;
    if (!ok)
        Remove(to);
    return ok;
}

} // namespace

CompileJob::~CompileJob() {
    Cancel();
    Wait();
}

std::string CompileJob::Start(CProjectFile& project, const CompileRequest& request) {
    CompileJob* expected = nullptr;
    if (m_compiling || !g_slot.compare_exchange_strong(expected, this))
        return "A compile is already running. Wait until it has finished.";
    // The worker of the compile before has finished its clean-up; let it go.
    if (m_worker.joinable())
        m_worker.join();

    m_done.Reset();
    m_request = request;
    if (project.GetMBKFileName().empty() || project.GetProjectFileTitle().empty())
        return FailStart("The project must be saved before it can be compiled.");
    std::vector<std::string> outside = FilesReferencedBy(project).outsideProjectFolder;
    if (!outside.empty())
        return FailStart(OutsideProjectFolderMessage(project, outside));
    m_files = CompileFiles::Of(project);
    m_lock = std::make_unique<CompileLock>(m_files.lock);
    if (!m_lock->IsHeld()) {
        std::string reason = m_lock->Error().empty()
                                 ? "Another compile of this project is running. Wait until it "
                                   "has finished, then compile again."
                                 : "The project cannot be locked for compiling (\"" + m_files.lock +
                                       "\": " + m_lock->Error() + ").";
        m_lock.reset();
        return FailStart(reason + "\n\n" + m_files.mbk);
    }
    std::string error = WriteCompilerFiles(project);
    if (!error.empty())
        return FailStart(error);

    for (const std::string& line : UnhonouredSettings(*project.GetHHPFile()))
        Log(line + "\n");
    if (m_request.started)
        m_request.started();
    m_compiling = true;
    m_result = 0;
    m_failure.clear();
    g_running = this;
    m_worker = std::thread(&CompileJob::Run, this);
    return {};
}

std::string CompileJob::WriteCompilerFiles(CProjectFile& project) {
    // A staging folder left behind by a compile that was killed, or kept on
    // request, is ours either way, as the lock says: it is made anew.
    std::string error = MakeStagingFolder(m_files);
    if (!error.empty())
        return error;
    if (!project.HHC_WriteFile(m_files.hhc))
        return CannotWrite(m_files.hhc);
    if (!project.HHK_WriteFile(m_files.hhk))
        return CannotWrite(m_files.hhk);
    // The .hhp names the help file, the contents and the index after the
    // compile's name for them, and lists the enciphered copy when the
    // project asks for it; then the project's names, after its title (as
    // saving sets them), are put back.
    project.HHP_UpdateData(m_files.name);
    bool hhpWritten = project.HHP_WriteFile(m_files.hhp, CHHPFile::PathForm::Compiler) != 0;
    project.HHP_UpdateData(project.GetProjectFileTitle());
    if (project.GetIncludeMBKProjectInfo() && !EncipherProjectCopy(project, m_files.mbkmbk))
        return CannotWrite(m_files.mbkmbk);
    if (!hhpWritten)
        return CannotWrite(m_files.hhp);
    return {};
}

std::string CompileJob::FailStart(const std::string& message) {
    m_failure.clear();
    m_cancel = false;
    m_done.Set();
    CleanUp();
    g_slot = nullptr;
    return message;
}

void CompileJob::Run() {
    CompileOutcome outcome;
    {
        // A stop from now on holds for the compiler call, also when it
        // comes before the call has started it.
        CallInProgress call;
        if (m_cancel)
            outcome.failure = "The compile was stopped before it was complete.";
        else
            outcome = CompileHelpProject(
                m_files.hhp.c_str(), [this](const char* text) { OnLog(text); },
                [this](const char* fileName) { return OnProgress(fileName); });
    }
    g_running = nullptr;
    if (outcome.made)
        outcome.made = FinishHelpFile(outcome.failure);
    if (!outcome.made && std::filesystem::exists(m_files.target))
        Log("The help file \"" + m_files.target + "\" was left as it was.\n");
    m_failure = outcome.failure;
    m_result = outcome.made ? 1 : 0;
    CleanUp();
    m_cancel = false;
    m_compiling = false;
    g_slot = nullptr;
    m_done.Set();
    if (m_request.finished)
        m_request.finished();
}

bool CompileJob::FinishHelpFile(std::string& failure) {
    // Readers built on CHMLib trust the directory header that chmcmd gets
    // wrong; the help file handed over is read whole by every reader.
    bool mended = false;
    std::string error;
    if (!chm::MendFirstListingChunk(m_files.chm, mended, error))
        failure = "The help file cannot be finished: " + error + ".";
    else if (std::rename(m_files.chm.c_str(), m_files.target.c_str()) != 0)
        failure = "The help file cannot be put in place of \"" + m_files.target +
                  "\": " + std::strerror(errno) + ".";
    else
        return true;
    Log(failure + "\n");
    return false;
}

void CompileJob::CleanUp() {
    // Without the lock the files are another compile's.
    if (!m_lock)
        return;
    if (!m_keepIntermediateFiles) {
        RemoveStagingFolder(m_files);
    } else {
        Remove(m_files.mbkmbk);
        Remove(m_files.chm);
        if (std::filesystem::exists(m_files.hhp))
            Log("The files written for the compiler were kept: \"" + m_files.hhp + "\", \"" +
                m_files.hhc + "\" and \"" + m_files.hhk +
                "\" (the compiler's folder links to the project's files).\n");
    }
    m_lock.reset();
}

void CompileJob::Cancel() {
    m_cancel = true;
    if (g_running == this)
        StopRunningCompiler();
}

void CompileJob::Log(const std::string& text) const {
    if (m_request.log)
        m_request.log(text);
}

int CompileJob::Wait() {
    m_done.Wait();
    if (m_worker.joinable() && m_worker.get_id() != std::this_thread::get_id())
        m_worker.join();
    return m_result;
}

void CompileJob::OnLog(const char* text) const {
    if (m_request.log && text)
        m_request.log(text);
}

bool CompileJob::OnProgress(const char* fileName) const {
    if (m_cancel)
        return false;
    if (m_request.progress && fileName && !m_request.progress(fileName))
        return false;
    return !m_cancel;
}

} // namespace mb

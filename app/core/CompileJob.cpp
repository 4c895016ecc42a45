#include "app/core/CompileJob.h"

#include "app/core/ChmCompiler.h"
#include "app/core/CompilerLimits.h"
#include "baseutil/BWHelper.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectFile.h"

#include <cstdio>
#include <filesystem>

namespace mb {
namespace {

constexpr int kStrCannotWrite = 442;

// The compile whose compiler call is running; the compiler's callbacks
// carry no context of their own.
std::atomic<CompileJob*> g_running{nullptr};
// The job that holds the process's one compile slot, from Start to the end
// of its clean-up.
std::atomic<CompileJob*> g_slot{nullptr};

void Remove(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

std::string CannotWrite(const std::string& path) {
    return CStrHelper::ML_GetStringEx(kStrCannotWrite) + " " + path;
}

// Writes the enciphered copy of the project file.
bool EncipherProjectFile(const std::string& from, const std::string& to) {
    std::FILE* in = std::fopen(from.c_str(), "r");
    if (!in)
        return false;
    std::FILE* out = std::fopen(to.c_str(), "w");
    bool ok = out && CBWHelper::EncryptFileA(in, out);
    std::fclose(in);
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
    std::string error = WriteCompilerFiles(project);
    if (!error.empty())
        return FailStart(error);

    if (m_request.log) {
        for (const std::string& line : UnhonouredSettings(*project.GetHHPFile()))
            m_request.log(line + "\n");
    }
    m_notify = request.notifyWindow ? request.notifyWindow : MainWindow();
    if (m_notify)
        m_notify->Send(WM_APP_COMPILE_STARTED, 0, nullptr);
    m_compiling = true;
    m_cancel = false;
    m_result = 0;
    g_running = this;
    m_worker = std::thread(&CompileJob::Run, this);
    return {};
}

std::string CompileJob::WriteCompilerFiles(CProjectFile& project) {
    if (project.GetMBKFileName().empty() || project.GetProjectFileTitle().empty())
        return "The project must be saved before it can be compiled.";
    m_files = {project.GetHHPFileName_FullPath(), project.GetHHCFileName_FullPath(),
               project.GetHHKFileName_FullPath(), project.GetMBKFileName(),
               project.GetMBKMBKFileName()};
    for (const std::string* path : {&m_files.mbkmbk, &m_files.hhk, &m_files.hhc, &m_files.hhp})
        Remove(*path);

    if (!project.HHC_WriteFile(m_files.hhc))
        return CannotWrite(m_files.hhc);
    if (!project.HHK_WriteFile(m_files.hhk))
        return CannotWrite(m_files.hhk);
    // The .hhp names the help file, the contents and the index after the
    // project file, and lists the enciphered copy when it is wanted.
    project.HHP_UpdateData(project.GetProjectFileTitle());
    bool hhpWritten = project.HHP_WriteFile(m_files.hhp, CHHPFile::PathForm::Compiler) != 0;
    if (project.GetIncludeMBKProjectInfo() && !EncipherProjectFile(m_files.mbk, m_files.mbkmbk))
        return CannotWrite(m_files.mbkmbk);
    if (!hhpWritten)
        return CannotWrite(m_files.hhp);
    return {};
}

std::string CompileJob::FailStart(const std::string& message) {
    m_done.Set();
    CleanUp();
    g_slot = nullptr;
    return message;
}

void CompileJob::Run() {
    int result =
        HHA_CompileHHP(m_files.hhp.c_str(), &CompileJob::OnLog, &CompileJob::OnProgress, 0);
    g_running = nullptr;
    m_result = result;
    CleanUp();
    m_compiling = false;
    g_slot = nullptr;
    m_done.Set();
    if (m_notify)
        m_notify->Send(WM_APP_COMPILE_FINISHED, 0, nullptr);
}

void CompileJob::CleanUp() {
    Remove(m_files.mbkmbk);
    if (!m_keepIntermediateFiles) {
        Remove(m_files.hhp);
        Remove(m_files.hhc);
        Remove(m_files.hhk);
    }
}

int CompileJob::Wait() {
    m_done.Wait();
    if (m_worker.joinable() && m_worker.get_id() != std::this_thread::get_id())
        m_worker.join();
    return m_result;
}

bool CompileJob::OnLog(const char* text) {
    CompileJob* job = g_running;
    if (job && job->m_request.log && text)
        job->m_request.log(text);
    return true;
}

bool CompileJob::OnProgress(const char* fileName) {
    CompileJob* job = g_running;
    if (!job || job->m_cancel)
        return false;
    if (job->m_request.progress && fileName && !job->m_request.progress(fileName))
        return false;
    return !job->m_cancel;
}

} // namespace mb

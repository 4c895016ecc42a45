#pragma once
// One compile of a project into its help file: takes the project's compile
// lock, writes the files the compiler reads (.hhc, .hhk, .hhp and, when the
// project's include-project-info flag is on, the enciphered project copy
// .mbkmbk) into a staging folder of its own (see CompileFiles), runs the
// HTML Help compiler there on a worker thread, mends the finished help
// file's directory header (see FirstListingChunk), puts it in place of the
// old one, and cleans up after it. A compile that fails or is stopped
// leaves the old help file as it was.
//
// Threads. Start, Cancel and Wait are called on the user-interface thread.
// The log and progress callbacks, the clean-up and the finished callback
// run on the worker thread; a window that they reach must not block the
// worker waiting for the user-interface thread (post it on). Only one
// compile runs in the process at a time, because the compiler's callbacks
// carry no context.
//
// Order at the end of a compile: the clean-up deletes the staging folder
// (or, when the intermediate files are kept, the enciphered copy and an
// unfinished help file), lets the compile lock go, then the compiling
// flag drops, the done event is set and the finished callback is called. A
// compile started as soon as it is called therefore never has its
// fresh files deleted by the clean-up of the one before.

#include "app/core/CompileFiles.h"
#include "app/core/CompileLock.h"
#include "app/core/ManualResetEvent.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class CProjectFile;

namespace mb {

struct CompileRequest {
    // Pieces of the compiler's log, in order (not necessarily whole lines).
    std::function<void(const std::string& text)> log;
    // The name of each file as the compiler takes it in; false stops the
    // compile.
    std::function<bool(const std::string& fileName)> progress;
    // Called once the worker was started, on the thread that started it,
    // and once the compile has ended and been cleaned up, on the worker's.
    std::function<void()> started;
    std::function<void()> finished;
};

class CompileJob {
public:
    CompileJob() = default;
    // Stops a running compile and waits for it.
    ~CompileJob();
    CompileJob(const CompileJob&) = delete;
    CompileJob& operator=(const CompileJob&) = delete;

    // Writes the compiler's files for the saved project `project` and starts
    // the worker. Empty on success, else the message for the user; after a
    // failure the written files are removed again and the done event is
    // set. A project that another compile (of this process or another one)
    // is compiling is refused. Before the worker starts, the log receives
    // one line for each setting of the project that the compiler will not
    // honour.
    std::string Start(CProjectFile& project, const CompileRequest& request);
    // Stops the compiler at once, or, should it not have started yet, the
    // compile that is being prepared or started next: the stop holds until
    // a compile has ended.
    void Cancel();
    // From a successful Start to the end of its clean-up.
    bool IsCompiling() const { return m_compiling; }
    // Waits until the compile started last has ended and been cleaned up
    // (returns at once when none was started). 1 when the compiler made the
    // help file, else 0.
    int Wait();
    // Why the compile started last made no help file: the compiler's or
    // the finishing step's last word. Empty after a success and after a
    // failed start (Start returns that message).
    const std::string& FailureReason() const { return m_failure; }
    // Set when the last compile has ended or failed to start; reset by Start.
    const ManualResetEvent& DoneEvent() const { return m_done; }

    // With the flag set, the clean-up leaves the staging folder with the
    // .hhp, .hhc and .hhk behind and names them in the log.
    void SetKeepIntermediateFiles(bool keep) { m_keepIntermediateFiles = keep; }
    bool GetKeepIntermediateFiles() const { return m_keepIntermediateFiles; }

private:
    std::string WriteCompilerFiles(CProjectFile& project);
    // Mends the finished help file and renames it to its real name; false
    // (with the reason in `failure` and the log) when that fails.
    bool FinishHelpFile(std::string& failure);
    std::string FailStart(const std::string& message);
    void Run();
    void CleanUp();
    void Log(const std::string& text) const;
    void OnLog(const char* text) const;
    bool OnProgress(const char* fileName) const;

    CompileFiles m_files;
    std::unique_ptr<CompileLock> m_lock; // held from Start to the end of the clean-up
    CompileRequest m_request;
    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_compiling{false};
    std::atomic<int> m_result{0};
    std::string m_failure;         // written before the done event is set
    ManualResetEvent m_done{true}; // no compile is running
    std::atomic<bool> m_keepIntermediateFiles{false};
};

} // namespace mb

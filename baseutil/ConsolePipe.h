#pragma once
// Runs a command through the shell (/bin/sh -c) with its standard input and
// output redirected through pipes (standard error goes with the output) and
// hands the output over in chunks, as it arrives, on a listener thread.
//
// Lifecycle. Create the object with new and call Execute. When Execute
// returns 0 the object belongs to itself: its listener thread reads the
// output, closes the pipes, reaps the child, calls OnChildExited, then
// OnReceivedOutput(nullptr), and deletes the object. When Execute returns
// anything else the caller still owns the object: it deletes it or calls
// Break, which deletes an object that runs nothing.
//
// The listener is the only thread that deletes a running object, so a
// caller on another thread may use it (Break, SendChildInput,
// IsChildRunning) only while the final OnReceivedOutput(nullptr) has not
// returned. The usual way: the subclass records the end in its
// OnReceivedOutput(nullptr) under a lock of the caller, and the caller makes
// its calls under the same lock after checking that record. Calls from the
// callbacks themselves (on the listener thread) are always safe.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

class CConsolePipe {
public:
    // The status reported for a child that Break ended.
    static constexpr int kBrokenExitCode = 10;

    // `interpreter` is kept for callers that choose between command
    // interpreters; every command runs under /bin/sh. The owner window and
    // the value are kept for subclasses.
    explicit CConsolePipe(int interpreter = 1, void* ownerWindow = nullptr,
                          std::uint32_t value = 0);
    // Only for objects that run nothing; a running object deletes itself.
    virtual ~CConsolePipe();
    CConsolePipe(const CConsolePipe&) = delete;
    CConsolePipe& operator=(const CConsolePipe&) = delete;

    // 0 when the command was started; 1 when it is empty or the shell could
    // not be started; 2 when a command is already running or the pipes or
    // the listener thread could not be made.
    int Execute(const char* command);

    // Writes `text` to the child's standard input; false when there is no
    // child or it no longer reads its input. Blocks while the pipe is full.
    bool SendChildInput(const char* text);

    // True from a successful Execute until the child has ended.
    bool IsChildRunning() const;

    // Kills the child and everything it started (its process group), then
    // waits up to 300 ms for it to end; called on the listener thread it
    // does not wait. The object is gone afterwards: deleted by the listener
    // once the output has ended, or at once when nothing was running.
    void Break();

    // Each chunk of output (at most 255 bytes, NUL-terminated) on the
    // listener thread, then nullptr once when the output has ended. The base
    // does nothing.
    virtual void OnReceivedOutput(const char* text);

    // On the listener thread after the child has been reaped, just before
    // OnReceivedOutput(nullptr): its exit code, 128 + the signal number when
    // a signal ended it, kBrokenExitCode when Break did, or -1 when the
    // status could not be had. The base does nothing.
    virtual void OnChildExited(int status);

    // True when the process has a standard error to write to.
    static bool IsConsoleAttached();
    // The class keeps no process-wide resources on this system, so there is
    // nothing to free; kept for callers that release them at exit.
    static void Term() {}

protected:
    int GetInterpreter() const { return m_interpreter; }
    void* GetOwnerWindow() const { return m_ownerWindow; }
    std::uint32_t GetValue() const { return m_value; }

private:
    struct ChildState;

    void Listen();
    void CloseInput();
    void CloseAll();

    const int m_interpreter;
    void* const m_ownerWindow;
    const std::uint32_t m_value;

    std::atomic<bool> m_started{false}; // set for good by a successful Execute
    // Shared with Break, which keeps waiting on it after the object is gone.
    std::shared_ptr<ChildState> m_state;
    std::mutex m_inputMutex; // guards m_inputFd against the listener closing it
    int m_inputFd = -1;
    int m_outputFd = -1;
    int m_wakeFds[2] = {-1, -1}; // Break wakes the listener through this pipe
};

#include "app/core/CompilerProcess.h"

#include "baseutil/ConsolePipe.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string_view>
#include <strings.h>

namespace fs = std::filesystem;

namespace mb {
namespace {

// The compiler's output on its way from the listener thread to the thread
// of the compile call.
struct Channel {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> chunks;
    bool ended = false; // the pipe has reported its last output and is going
    int status = -1;
};

class CompilerPipe : public CConsolePipe {
public:
    explicit CompilerPipe(std::shared_ptr<Channel> channel) : m_channel(std::move(channel)) {}

    void OnReceivedOutput(const char* text) override {
        std::lock_guard<std::mutex> lock(m_channel->mutex);
        if (text)
            m_channel->chunks.emplace_back(text);
        else
            m_channel->ended = true;
        m_channel->changed.notify_all();
    }
    void OnChildExited(int status) override {
        std::lock_guard<std::mutex> lock(m_channel->mutex);
        m_channel->status = status;
    }

private:
    std::shared_ptr<Channel> m_channel;
};

// `text` as one shell word, whatever it contains.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool IsProjectCopy(std::string_view name) {
    constexpr std::string_view kExtension = ".mbkmbk";
    return name.size() >= kExtension.size() &&
           strncasecmp(name.data() + name.size() - kExtension.size(), kExtension.data(),
                       kExtension.size()) == 0;
}

// The run that StopRunningCompiler ends: set while a compiler process runs.
struct ActiveRun {
    std::mutex mutex;
    std::shared_ptr<Channel> channel;
    CompilerPipe* pipe = nullptr; // alive while the channel has not ended
    int calls = 0;                // calls in progress (nested scopes)
    bool stopRequested = false;   // for the call in progress
};
ActiveRun g_active;

// Breaks the pipe unless it has ended; `channel` is locked by the caller.
void BreakUnlessEnded(CompilerPipe* pipe, Channel& channel) {
    if (!channel.ended)
        pipe->Break();
}

// Hands the output of the started pipe to the callbacks until it ends;
// breaks the pipe when the progress callback asks for it.
void FollowOutput(CompilerPipe* pipe, Channel& channel, const CompilerLog& log,
                  const CompilerProgress& progress, CompileRun& run) {
    std::unique_lock<std::mutex> lock(channel.mutex);
    for (;;) {
        channel.changed.wait(lock, [&] { return !channel.chunks.empty() || channel.ended; });
        if (channel.chunks.empty())
            break;
        std::string chunk = std::move(channel.chunks.front());
        channel.chunks.pop_front();
        if (run.stopped || chunk.empty())
            continue;
        lock.unlock();
        if (log)
            log(chunk.c_str());
        run.endsWithLineBreak = chunk.back() == '\n';
        bool goOn = true;
        for (const std::string& line : run.output.Feed(chunk)) {
            std::optional<std::string> name = FileTakenIn(line);
            if (goOn && name && !IsProjectCopy(*name) && progress && !progress(name->c_str()))
                goOn = false;
        }
        lock.lock();
        if (!goOn) {
            run.stopped = true;
            BreakUnlessEnded(pipe, channel);
        }
    }
    run.status = channel.status;
}

} // namespace

std::optional<CompileRun> RunCompiler(const std::string& compiler, const fs::path& folder,
                                      std::string name, const CompilerLog& log,
                                      const CompilerProgress& progress) {
    if (name[0] == '-')
        name = "./" + name; // not to be taken for an option
    std::string command = "cd " + ShellQuoted(folder.string()) + " && exec " +
                          ShellQuoted(compiler) + " --verbosity 5 " + ShellQuoted(name);
    auto channel = std::make_shared<Channel>();
    auto* pipe = new CompilerPipe(channel);
    {
        std::lock_guard<std::mutex> active(g_active.mutex);
        if (g_active.stopRequested) {
            delete pipe;
            CompileRun stopped;
            stopped.stopped = true;
            return stopped;
        }
        if (pipe->Execute(command.c_str()) != 0) {
            delete pipe;
            return std::nullopt;
        }
        g_active.channel = channel;
        g_active.pipe = pipe;
    }
    CompileRun run;
    FollowOutput(pipe, *channel, log, progress, run);
    std::lock_guard<std::mutex> active(g_active.mutex);
    g_active.channel.reset();
    g_active.pipe = nullptr;
    run.stopped = run.stopped || g_active.stopRequested;
    return run;
}

CallInProgress::CallInProgress() {
    std::lock_guard<std::mutex> active(g_active.mutex);
    if (g_active.calls++ == 0)
        g_active.stopRequested = false;
}

CallInProgress::~CallInProgress() {
    std::lock_guard<std::mutex> active(g_active.mutex);
    if (--g_active.calls == 0)
        g_active.stopRequested = false;
}

} // namespace mb

void StopRunningCompiler() {
    using namespace mb;
    std::lock_guard<std::mutex> active(g_active.mutex);
    if (g_active.calls == 0)
        return;
    g_active.stopRequested = true;
    if (!g_active.channel)
        return;
    std::lock_guard<std::mutex> lock(g_active.channel->mutex);
    BreakUnlessEnded(g_active.pipe, *g_active.channel);
}

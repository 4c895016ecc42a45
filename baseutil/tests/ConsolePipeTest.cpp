#include "baseutil/ConsolePipe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// What a pipe reported, kept apart from the pipe, which deletes itself.
struct Record {
    std::mutex mutex;
    std::condition_variable changed;
    std::string output;
    std::vector<size_t> chunkSizes;
    int endCalls = 0;         // OnReceivedOutput(nullptr)
    int callsAfterEnd = 0;    // anything reported after the end
    int status = -999;        // OnChildExited
    bool exitedFirst = false; // OnChildExited came before the end
    bool runningAtExit = true;
    bool destroyed = false;

    // Waits (bounded, so that a fault fails the test instead of hanging it)
    // until `done` holds.
    bool WaitFor(const std::function<bool()>& done) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(60), done);
    }
    bool WaitDestroyed() {
        return WaitFor([this] { return destroyed; });
    }
    std::string Output() {
        std::lock_guard<std::mutex> lock(mutex);
        return output;
    }
};

class RecordingPipe : public CConsolePipe {
public:
    explicit RecordingPipe(std::shared_ptr<Record> record) : m_record(std::move(record)) {}
    ~RecordingPipe() override {
        std::lock_guard<std::mutex> lock(m_record->mutex);
        m_record->destroyed = true;
        m_record->changed.notify_all();
    }

    void OnReceivedOutput(const char* text) override {
        {
            std::lock_guard<std::mutex> lock(m_record->mutex);
            if (m_record->endCalls > 0)
                ++m_record->callsAfterEnd;
            if (text) {
                m_record->output += text;
                m_record->chunkSizes.push_back(std::strlen(text));
            } else {
                ++m_record->endCalls;
            }
            m_record->changed.notify_all();
        }
        if (text && onChunk)
            onChunk(this);
    }
    void OnChildExited(int status) override {
        bool running = IsChildRunning();
        std::lock_guard<std::mutex> lock(m_record->mutex);
        m_record->status = status;
        m_record->exitedFirst = m_record->endCalls == 0;
        m_record->runningAtExit = running;
    }

    std::function<void(RecordingPipe*)> onChunk; // runs on the listener thread

private:
    std::shared_ptr<Record> m_record;
};

// Starts `command`; the pipe then belongs to itself.
RecordingPipe* Start(const std::shared_ptr<Record>& record, const char* command) {
    auto* pipe = new RecordingPipe(record);
    EXPECT_EQ(pipe->Execute(command), 0) << command;
    return pipe;
}

// True while the process exists and is not a zombie.
bool IsAlive(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

bool EndsSoon(pid_t pid) {
    for (int i = 0; i < 1000 && IsAlive(pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !IsAlive(pid);
}

std::vector<pid_t> Numbers(const std::string& text) {
    std::vector<pid_t> numbers;
    std::istringstream in(text);
    long value = 0;
    while (in >> value)
        numbers.push_back(static_cast<pid_t>(value));
    return numbers;
}

std::set<int> OpenDescriptors() {
    std::set<int> fds;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != ::dirfd(dir))
                fds.insert(std::atoi(entry->d_name));
        }
        ::closedir(dir);
    }
    return fds;
}

// True when no descriptor is open that was not open in `before`.
bool NoneAdded(const std::set<int>& before) {
    std::set<int> now = OpenDescriptors();
    return std::includes(before.begin(), before.end(), now.begin(), now.end());
}

TEST(ConsolePipe, RefusedCommandsLeaveTheObjectToTheCaller) {
    auto record = std::make_shared<Record>();
    auto* pipe = new RecordingPipe(record);
    EXPECT_EQ(pipe->Execute(""), 1);
    EXPECT_EQ(pipe->Execute(nullptr), 1);
    EXPECT_FALSE(pipe->IsChildRunning());
    EXPECT_FALSE(pipe->SendChildInput("x"));
    // Break on an object that runs nothing deletes it at once.
    pipe->Break();
    EXPECT_TRUE(record->destroyed);
    EXPECT_EQ(record->endCalls, 0);
    EXPECT_TRUE(record->output.empty());
}

TEST(ConsolePipe, SilentCommandGivesOnlyTheEnd) {
    auto record = std::make_shared<Record>();
    Start(record, "true");
    ASSERT_TRUE(record->WaitDestroyed());
    EXPECT_EQ(record->endCalls, 1);
    EXPECT_TRUE(record->chunkSizes.empty());
    EXPECT_EQ(record->status, 0);
    EXPECT_TRUE(record->exitedFirst);
    EXPECT_FALSE(record->runningAtExit);
}

TEST(ConsolePipe, LongOutputArrivesCompleteAndInOrder) {
    auto record = std::make_shared<Record>();
    Start(record, "seq 1 100000");
    ASSERT_TRUE(record->WaitDestroyed());

    std::string expected;
    for (int i = 1; i <= 100000; ++i)
        expected += std::to_string(i) + "\n";
    EXPECT_EQ(record->output, expected);
    EXPECT_GT(record->chunkSizes.size(), 1u);
    for (size_t size : record->chunkSizes)
        EXPECT_LE(size, 255u);
    EXPECT_EQ(record->endCalls, 1);
    EXPECT_EQ(record->callsAfterEnd, 0);
}

TEST(ConsolePipe, ErrorOutputAndExitStatus) {
    auto record = std::make_shared<Record>();
    Start(record, "echo to-out; echo to-err >&2; exit 3");
    ASSERT_TRUE(record->WaitDestroyed());
    EXPECT_NE(record->output.find("to-out\n"), std::string::npos);
    EXPECT_NE(record->output.find("to-err\n"), std::string::npos);
    EXPECT_EQ(record->status, 3);

    auto killed = std::make_shared<Record>();
    Start(killed, "kill -TERM $$");
    ASSERT_TRUE(killed->WaitDestroyed());
    EXPECT_EQ(killed->status, 128 + SIGTERM);
}

TEST(ConsolePipe, SecondCommandWhileRunningIsRefused) {
    auto record = std::make_shared<Record>();
    RecordingPipe* pipe = Start(record, "echo ready; exec sleep 30");
    ASSERT_TRUE(record->WaitFor([&] { return record->output == "ready\n"; }));
    EXPECT_TRUE(pipe->IsChildRunning());
    EXPECT_EQ(pipe->Execute("echo second"), 2);
    pipe->Break();
    ASSERT_TRUE(record->WaitDestroyed());
    EXPECT_EQ(record->output, "ready\n");
    EXPECT_EQ(record->status, CConsolePipe::kBrokenExitCode);
}

TEST(ConsolePipe, BreakEndsTheChildAndWhatItStarted) {
    auto record = std::make_shared<Record>();
    RecordingPipe* pipe = Start(record, "echo $$; sleep 30 & echo $!; wait");
    ASSERT_TRUE(record->WaitFor(
        [&] { return std::count(record->output.begin(), record->output.end(), '\n') == 2; }));
    std::vector<pid_t> pids = Numbers(record->Output());
    ASSERT_TRUE(IsAlive(pids[0]) && IsAlive(pids[1]));

    pipe->Break();
    ASSERT_TRUE(record->WaitDestroyed());
    EXPECT_EQ(record->endCalls, 1);
    // The shell has been reaped: not even a zombie is left of it.
    EXPECT_EQ(::kill(pids[0], 0), -1);
    EXPECT_EQ(errno, ESRCH);
    EXPECT_TRUE(EndsSoon(pids[1]));
}

TEST(ConsolePipe, BreakFromTheListenerThread) {
    auto record = std::make_shared<Record>();
    auto* pipe = new RecordingPipe(record);
    pipe->onChunk = [](RecordingPipe* self) { self->Break(); };
    ASSERT_EQ(pipe->Execute("yes"), 0);
    ASSERT_TRUE(record->WaitDestroyed());
    EXPECT_EQ(record->endCalls, 1);
    EXPECT_EQ(record->callsAfterEnd, 0);
    EXPECT_EQ(record->status, CConsolePipe::kBrokenExitCode);
}

TEST(ConsolePipe, InputReachesTheChild) {
    auto record = std::make_shared<Record>();
    RecordingPipe* pipe = Start(record, "head -n 2");
    EXPECT_TRUE(pipe->SendChildInput("first line\nsecond"));
    EXPECT_TRUE(pipe->SendChildInput(" half\nnot read\n"));
    ASSERT_TRUE(record->WaitDestroyed());
    EXPECT_EQ(record->output, "first line\nsecond half\n");
    EXPECT_EQ(record->status, 0);
}

TEST(ConsolePipe, InputToAChildThatClosedItFailsQuietly) {
    auto record = std::make_shared<Record>();
    RecordingPipe* pipe = Start(record, "exec 0<&-; echo closed; exec sleep 30");
    ASSERT_TRUE(record->WaitFor([&] { return record->output == "closed\n"; }));
    // Without care this raises SIGPIPE, which ends a program that keeps the
    // default action.
    auto previous = std::signal(SIGPIPE, SIG_DFL);
    EXPECT_FALSE(pipe->SendChildInput("nobody reads this\n"));
    std::signal(SIGPIPE, previous);
    EXPECT_TRUE(pipe->IsChildRunning());
    pipe->Break();
    ASSERT_TRUE(record->WaitDestroyed());
}

TEST(ConsolePipe, DescriptorsStayWithTheirOwner) {
    // A descriptor the child must not inherit, although it is not marked
    // close-on-exec.
    int stray = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(stray, 0);
    std::set<int> before = OpenDescriptors();

    auto record = std::make_shared<Record>();
    Start(record, "ls /proc/$$/fd");
    ASSERT_TRUE(record->WaitDestroyed());
    EXPECT_EQ(record->output, "0\n1\n2\n");
    // The base part of the object closes its last descriptors just after
    // the record hears of its destruction.
    for (int i = 0; i < 1000 && !NoneAdded(before); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(NoneAdded(before));
    ::close(stray);
}

} // namespace

// Commands that make or take apart compiled help files: compiling a
// project, turning a help file into a project, decompiling and converting
// for handheld screens. They run through the project controller, so they
// behave as the desktop program's commands do.
#include "app/cli/Commands.h"
#include "app/cli/ConsoleUi.h"
#include "app/cli/FileQuestions.h"
#include "app/cli/Paths.h"
#include "app/core/InterruptWatch.h"

#include "app/core/PathChecks.h"
#include "app/core/ProjectController.h"
#include "projectmodel/ProjectFile.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mb::cli {
namespace {

// The file the compiler is taking in, on one line of a terminal.
class CurrentFileLine {
public:
    CurrentFileLine() : m_shown(isatty(STDERR_FILENO)) {}
    ~CurrentFileLine() {
        if (m_shown)
            std::fprintf(stderr, "\r%*s\r", 70, "");
    }
    void Show(const std::string& name) const {
        if (m_shown)
            std::fprintf(stderr, "\r%-70.70s", name.c_str());
    }

private:
    bool m_shown;
};

// A number of seconds as --timeout takes it: 1 upwards.
std::optional<int> Seconds(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    int seconds = std::stoi(text);
    return seconds > 0 ? std::optional<int>(seconds) : std::nullopt;
}

// Calls `onPassed` once `seconds` have passed, unless the object is gone
// first; no seconds, no deadline.
class Deadline {
public:
    Deadline(std::optional<int> seconds, std::function<void()> onPassed) {
        if (!seconds)
            return;
        m_waiter = std::thread([this, seconds, onPassed = std::move(onPassed)] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_ended.wait_for(lock, std::chrono::seconds(*seconds), [this] { return m_over; }))
                return;
            m_passed = true;
            lock.unlock();
            onPassed();
        });
    }
    ~Deadline() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_over = true;
        }
        m_ended.notify_all();
        if (m_waiter.joinable())
            m_waiter.join();
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

    bool Passed() const { return m_passed; }

private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_over = false;
    std::atomic<bool> m_passed{false};
    std::thread m_waiter;
};
// Runs `work` while Ctrl+C, SIGTERM and SIGHUP stop the controller's
// decompile or conversion instead of ending the tool at once, so that no
// file is left cut short; the signal that came, or 0.
int RunStoppable(CProjectController& controller, const std::function<void()>& work) {
    InterruptWatch watch([&controller] { controller.StopConversion(); });
    work();
    return watch.Signal();
}

} // namespace

int RunCompile(const Invocation& invocation, AppContext& context) {
    std::optional<int> timeout;
    if (auto given = invocation.Value("timeout")) {
        timeout = Seconds(*given);
        if (!timeout) {
            PrintError("--timeout takes a number of seconds from 1 upwards, such as 600 (not \"" +
                       *given + "\")");
            return kExitUsage;
        }
    }
    std::string mbk = Absolute(invocation.arguments[0]);
    CProjectController controller(context);
    if (!OpenProjectFile(controller, mbk))
        return kExitFailed;
    controller.SetKeepIntermediateFiles(invocation.Has("keep"));
    bool quiet = invocation.Has("quiet");
    CurrentFileLine current;
    CompileRequest request;
    request.log = [quiet](const std::string& text) {
        if (!quiet)
            std::fputs(text.c_str(), stdout);
    };
    std::atomic<bool> interrupted{false};
    request.progress = [&current, &interrupted](const std::string& name) {
        current.Show(name);
        return !interrupted;
    };
    int made;
    int signal;
    bool timedOut;
    {
        // Interrupted or out of time, the compile ends the compiler and
        // removes its files, as Stop does, before the tool ends.
        InterruptWatch watch([&] {
            interrupted = true;
            controller.CancelCompile();
        });
        Deadline deadline(timeout, [&] { controller.CancelCompile(); });
        made = controller.Compile(request);
        signal = watch.Signal();
        timedOut = deadline.Passed();
    }
    std::fflush(stdout);
    if (signal != 0) {
        PrintError("the compile of \"" + mbk + "\" was stopped by signal " +
                   std::to_string(signal) + "; its files were removed");
        EndBySignal(signal);
    }
    std::string chm = controller.GetProject()->GetCHMFileName();
    if (made != 1) {
        std::string reason = controller.GetCompileFailure();
        if (timedOut)
            reason = "it was stopped after " + std::to_string(*timeout) +
                     (*timeout == 1 ? " second" : " seconds") + " (--timeout)";
        PrintError("the compile of \"" + mbk + "\" failed" +
                   (reason.empty() ? std::string(" (the reason is above)") : ": " + reason) +
                   (fs::exists(chm) ? "; the old help file was kept" : ""));
        return kExitFailed;
    }
    std::printf("compiled %s\n", chm.c_str());
    return kExitOk;
}

int RunOpenChm(const Invocation& invocation, AppContext& context) {
    std::string chm = Absolute(invocation.arguments[0]);
    if (!IsReadableFile(chm))
        return kExitFailed;
    CProjectController controller(context);
    CProjectFile* project = controller.GetProject();
    bool opened = false;
    bool saved = false;
    int signal = RunStoppable(controller, [&] {
        ProgressLine progress;
        opened = controller.OpenChm(chm) == 1;
        // A project rebuilt from the contents and index has a folder but
        // no project file yet.
        saved = opened && (!project->GetMBKFileName().empty() ||
                           controller.SaveAs(project->GetProjectFolder() +
                                             fs::path(chm).stem().string() + ".mbk") == 1);
    });
    if (signal != 0 || !saved) {
        // The new folder is no project unless all of it was made; a failed
        // Open CHM has removed its folder itself.
        if (opened)
            controller.DiscardOpenedChm();
        PrintError(signal != 0 ? "Open CHM of \"" + chm + "\" was stopped by signal " +
                                     std::to_string(signal) + "; no project was made"
                               : "no project was made from \"" + chm + "\"");
        if (signal != 0)
            EndBySignal(signal);
        return kExitFailed;
    }
    std::printf("project %s\n", project->GetMBKFileName().c_str());
    return kExitOk;
}

int RunDecompile(const Invocation& invocation, AppContext& context) {
    auto output = invocation.Value("output");
    if (output && invocation.arguments.size() != 1) {
        PrintError("--output takes one help file; several go each into a folder beside it");
        return kExitUsage;
    }
    std::vector<std::string> chms;
    for (const std::string& argument : invocation.arguments) {
        chms.push_back(Absolute(argument));
        if (!IsReadableFile(chms.back()))
            return kExitFailed;
    }
    CProjectController controller(context);
    std::vector<CProjectController::DecompileOutcome> outcomes;
    int signal = RunStoppable(controller, [&] {
        if (!output) {
            outcomes = controller.BatchDecompile(chms);
            return;
        }
        std::string folder = Absolute(*output);
        outcomes.push_back(
            {chms[0], folder,
             controller.Decompile(chms[0], folder, invocation.Has("include-project")) == 1});
    });
    int status = kExitOk;
    for (const auto& outcome : outcomes) {
        if (outcome.ok) {
            std::printf("decompiled %s into %s\n", outcome.chm.c_str(), outcome.folder.c_str());
        } else if (signal == 0) {
            PrintError("\"" + outcome.chm + "\" was not decompiled completely into " +
                       outcome.folder + " (the lines above say why)");
            status = kExitFailed;
        }
    }
    if (signal != 0) {
        PrintError("the decompile was stopped by signal " + std::to_string(signal) +
                   ": the file being written was removed; the files written before it are "
                   "complete" +
                   (outcomes.empty() ? "" : " in " + outcomes.back().folder));
        EndBySignal(signal);
    }
    return status;
}

int RunHandheld(const Invocation& invocation, AppContext& context) {
    std::string chm = Absolute(invocation.arguments[0]);
    if (!IsReadableFile(chm))
        return kExitFailed;
    std::string folder = invocation.Value("output")
                             ? Absolute(*invocation.Value("output"))
                             : mb::UnusedFolder(CProjectController::GetConversionFolderName(chm));
    CProjectController controller(context);
    int converted = 0;
    int signal =
        RunStoppable(controller, [&] { converted = controller.ConvertToHandheld(chm, folder); });
    if (signal != 0) {
        PrintError("the conversion of \"" + chm + "\" was stopped by signal " +
                   std::to_string(signal) +
                   ": the file being written was removed; the pages written before it are "
                   "complete in " +
                   folder);
        EndBySignal(signal);
    }
    if (converted != 1) {
        PrintError("\"" + chm + "\" was not converted completely into " + folder +
                   " (the lines above say why)");
        return kExitFailed;
    }
    std::printf("converted %s into %s\n", chm.c_str(), folder.c_str());
    return kExitOk;
}

} // namespace mb::cli

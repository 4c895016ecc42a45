// Commands that make or take apart compiled help files: compiling a
// project, turning a help file into a project, decompiling and converting
// for handheld screens. They run through the project controller, so they
// behave as the desktop program's commands do.
#include "app/cli/Commands.h"
#include "app/cli/ConsoleUi.h"
#include "app/cli/FileQuestions.h"
#include "app/cli/InterruptWatch.h"
#include "app/cli/Paths.h"

#include "app/core/PathChecks.h"
#include "app/core/ProjectController.h"
#include "projectmodel/ProjectFile.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
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

} // namespace

int RunCompile(const Invocation& invocation) {
    std::string mbk = Absolute(invocation.arguments[0]);
    CProjectController controller;
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
    {
        // Interrupted, the compile ends the compiler and removes its files
        // before the tool ends.
        InterruptWatch watch([&] {
            interrupted = true;
            controller.CancelCompile();
        });
        made = controller.Compile(request);
        signal = watch.Signal();
    }
    std::fflush(stdout);
    if (signal != 0) {
        PrintError("the compile of \"" + mbk + "\" was stopped by signal " +
                   std::to_string(signal) + "; its files were removed");
        EndBySignal(signal);
    }
    std::string chm = controller.GetProject()->GetCHMFileName();
    if (made != 1) {
        PrintError("the compile of \"" + mbk + "\" failed (see the compiler's log above)");
        return kExitFailed;
    }
    std::printf("compiled %s\n", chm.c_str());
    return kExitOk;
}

int RunOpenChm(const Invocation& invocation) {
    std::string chm = Absolute(invocation.arguments[0]);
    if (!IsReadableFile(chm))
        return kExitFailed;
    CProjectController controller;
    ProgressLine progress;
    if (controller.OpenChm(chm) != 1) {
        PrintError("no project was made from \"" + chm + "\"");
        return kExitFailed;
    }
    CProjectFile* project = controller.GetProject();
    // A project rebuilt from the contents and index has a folder but no
    // project file yet.
    if (project->GetMBKFileName().empty()) {
        std::string mbk = project->GetProjectFolder() + fs::path(chm).stem().string() + ".mbk";
        if (controller.SaveAs(mbk) != 1) {
            PrintError("cannot write \"" + mbk + "\"");
            return kExitFailed;
        }
    }
    std::printf("project %s\n", project->GetMBKFileName().c_str());
    return kExitOk;
}

int RunDecompile(const Invocation& invocation) {
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
    CProjectController controller;
    if (output) {
        std::string folder = Absolute(*output);
        if (controller.Decompile(chms[0], folder, invocation.Has("include-project")) != 1) {
            PrintError("\"" + chms[0] + "\" was not decompiled completely (see the log)");
            return kExitFailed;
        }
        std::printf("decompiled %s into %s\n", chms[0].c_str(), folder.c_str());
        return kExitOk;
    }
    int status = kExitOk;
    for (const auto& outcome : controller.BatchDecompile(chms)) {
        if (outcome.ok) {
            std::printf("decompiled %s into %s\n", outcome.chm.c_str(), outcome.folder.c_str());
        } else {
            PrintError("\"" + outcome.chm + "\" was not decompiled completely (see the log)");
            status = kExitFailed;
        }
    }
    return status;
}

int RunHandheld(const Invocation& invocation) {
    std::string chm = Absolute(invocation.arguments[0]);
    if (!IsReadableFile(chm))
        return kExitFailed;
    std::string folder = invocation.Value("output")
                             ? Absolute(*invocation.Value("output"))
                             : mb::UnusedFolder(CProjectController::GetConversionFolderName(chm));
    CProjectController controller;
    if (controller.ConvertToHandheld(chm, folder) != 1) {
        PrintError("\"" + chm + "\" was not converted (see the log)");
        return kExitFailed;
    }
    std::printf("converted %s into %s\n", chm.c_str(), folder.c_str());
    return kExitOk;
}

} // namespace mb::cli

#pragma once
// Running chmcmd as a child process for HHA_CompileHHP: its output to the
// callbacks as it comes, read line by line, and a stop from any thread.

#include "app/core/ChmCompiler.h"
#include "app/core/CompilerOutput.h"

#include <filesystem>
#include <optional>
#include <string>

namespace mb {

struct CompileRun {
    bool stopped = false;
    int status = -1;
    bool endsWithLineBreak = true; // of the output logged
    CompilerOutput output;
};

// Runs `compiler` on the project file `name` in `folder` to its end,
// handing its output to `log` and the files it takes in to `progress`
// (never the project copy); a false from `progress` or StopRunningCompiler
// ends it. Nothing when it could not be started.
std::optional<CompileRun> RunCompiler(const std::string& compiler,
                                      const std::filesystem::path& folder, std::string name,
                                      const CompilerLog& log, const CompilerProgress& progress);

// Marks a call of HHA_CompileHHP in progress: StopRunningCompiler acts only
// then, and its stop holds until the call ends. Scopes nest: a caller that
// opens one before it decides to call keeps a stop that comes in between.
class CallInProgress {
public:
    CallInProgress();
    ~CallInProgress();
    CallInProgress(const CallInProgress&) = delete;
    CallInProgress& operator=(const CallInProgress&) = delete;
};

} // namespace mb

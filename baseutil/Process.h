#pragma once
// Running other programs without a shell: the argument vector is passed as
// it is, the program is looked up on PATH when it has no slash.

#include <string>
#include <vector>

namespace mb {

struct RunResult {
    bool started = false; // false: the program could not be started, see `error`
    int exitStatus = -1;  // exit code, or 128 + signal number when killed by a signal
    std::string output;   // everything the program wrote to its standard output
    std::string error;    // why it could not be started or waited for
};

// Runs the program, waits for it and captures its standard output. Standard
// input is /dev/null; standard error is inherited.
RunResult RunAndCapture(const std::vector<std::string>& argv);

// Starts the program in a session of its own and returns without waiting;
// the child is reaped in the background. False (with the reason in `error`,
// when given) when it could not be started.
bool StartDetached(const std::vector<std::string>& argv, std::string* error = nullptr);

} // namespace mb

#pragma once
// Running the command-line tool as a program from the tests.

#include "baseutil/Process.h"

#include <string>
#include <vector>

namespace mb::testing {

// Runs the tool; standard error is appended to the output.
inline mb::RunResult Cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"sh", "-c", "exec \"$0\" \"$@\" 2>&1", MB_CLI_PATH});
    return mb::RunAndCapture(arguments);
}

// Runs the tool; only what it writes on standard error is captured.
inline mb::RunResult CliErrors(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(),
                     {"sh", "-c", "exec \"$0\" \"$@\" 2>&1 >/dev/null", MB_CLI_PATH});
    return mb::RunAndCapture(arguments);
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace mb::testing

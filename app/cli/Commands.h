#pragma once
// The commands of the tool. Each returns the exit status: 0 on success, 1
// when the work failed (the reason is on standard error), 2 for a mistake
// on the command line.
#include "app/cli/Invocation.h"
#include "app/core/AppContext.h"

#include <string>
#include <vector>

namespace mb::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Command {
    const char* name;
    const char* usage;   // the arguments, e.g. "<file.chm>..."
    const char* summary; // one line
    const char* details; // the options, one per line
    const char* options; // the names of the options it takes, space-separated
    int minArguments;
    int maxArguments; // -1: any number
    int (*run)(const Invocation&, AppContext&);
};

const std::vector<Command>& AllCommands();
const Command* FindCommand(const std::string& name);
// Whether `command` takes the option `name`; the options for every command
// (yes, quiet, help) included.
bool TakesOption(const Command& command, const std::string& name);

// The handlers, grouped by what they work on.
int RunNew(const Invocation& invocation, AppContext& context);
int RunImportHhp(const Invocation& invocation, AppContext& context);
int RunExportHhp(const Invocation& invocation, AppContext& context);
int RunCompile(const Invocation& invocation, AppContext& context);
int RunOpenChm(const Invocation& invocation, AppContext& context);
int RunDecompile(const Invocation& invocation, AppContext& context);
int RunHandheld(const Invocation& invocation, AppContext& context);
int RunList(const Invocation& invocation, AppContext& context);
int RunContextMap(const Invocation& invocation, AppContext& context);

} // namespace mb::cli

// marrowbook-cli: the project and compiled-help operations of Marrowbook for
// scripts and build servers.
#include "app/cli/Commands.h"
#include "app/cli/ConsoleUi.h"

#include <csignal>
#include <cstdio>

using namespace mb::cli;

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "Usage: marrowbook-cli [--yes] [--quiet] <command> [arguments]\n"
                      "       marrowbook-cli --version\n\n"
                      "Commands:\n");
    for (const Command& command : AllCommands())
        std::fprintf(out, "  %-12s %-30s %s\n", command.name, command.usage, command.summary);
    std::fprintf(out, "\nOptions for every command:\n"
                      "  --yes      answer yes to every question (overwrite, copy files in)\n"
                      "  --quiet    do not print log lines\n"
                      "  --help     show help (after a command: that command's help)\n"
                      "  --version  print the version of the tool\n"
                      "\nExit status: 0 on success, 1 when the work failed, 2 for a mistake on "
                      "the command line.\n");
}

void PrintCommandHelp(const Command& command) {
    std::printf("Usage: marrowbook-cli %s %s\n\n%s\n", command.name, command.usage,
                command.summary);
    if (*command.details)
        std::printf("\nOptions:\n%s", command.details);
}

} // namespace

int main(int argc, char** argv) {
    // Beyond a file-size limit a write then fails with EFBIG and is reported
    // like any other failed write (its temporary file removed) instead of
    // the signal ending the program in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    std::string error;
    auto invocation = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!invocation) {
        PrintError(error);
        return kExitUsage;
    }
    // MB_VERSION: the project's version, set by the build.
    if (invocation->Has("version")) {
        std::printf("marrowbook-cli %s\n", MB_VERSION);
        return kExitOk;
    }
    const Command* command = FindCommand(invocation->command);
    if (invocation->command.empty() || (!command && invocation->Has("help"))) {
        PrintUsage(invocation->Has("help") ? stdout : stderr);
        return invocation->Has("help") ? kExitOk : kExitUsage;
    }
    if (!command) {
        PrintError("unknown command \"" + invocation->command + "\" (see --help)");
        return kExitUsage;
    }
    if (invocation->Has("help")) {
        PrintCommandHelp(*command);
        return kExitOk;
    }
    for (const auto& [name, value] : invocation->options) {
        if (!TakesOption(*command, name)) {
            PrintError("unknown option --" + name + " for " + command->name + " (see " +
                       command->name + " --help)");
            return kExitUsage;
        }
    }
    int count = static_cast<int>(invocation->arguments.size());
    if (count < command->minArguments ||
        (command->maxArguments >= 0 && count > command->maxArguments)) {
        PrintError(std::string("usage: marrowbook-cli ") + command->name + " " + command->usage);
        return kExitUsage;
    }
    ConsolePrompt prompt(invocation->Has("yes"));
    ConsoleProjectDialogs projectDialogs(prompt);
    ConsoleWindow window(invocation->Has("quiet"));
    ConsoleDesktop desktop;
    mb::AppContext context;
    // The tool shares the desktop program's settings (filters, language) but
    // never writes them. A missing or damaged settings file gives the
    // defaults.
    context.settings.config.ReadConfigData_XML();
    context.prompt = &prompt;
    context.log = &window;
    context.window = &window;
    context.projectDialogs = &projectDialogs;
    context.desktop = &desktop;
    return command->run(*invocation, context);
}

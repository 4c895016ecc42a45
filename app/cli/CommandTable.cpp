#include "app/cli/Commands.h"

namespace mb::cli {

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        {"new", "<project.mbk>", "create a project (not compiled)",
         "  --title TEXT        the help title (default: the project's name)\n"
         "  --language LCID     the language id, e.g. 1033 (default: the configured one)\n"
         "  --add-folder DIR    add the pages of DIR and its sub-folders to the contents\n"
         "                      (repeatable; folders outside the project are copied in\n"
         "                      only with --yes)\n"
         "  --force             replace an existing project file\n",
         1, 1, RunNew},
        {"import-hhp", "<file.hhp> [<project.mbk>]",
         "turn an HTML Help project into a project file beside it",
         "  --force             replace an existing project file\n", 1, 2, RunImportHhp},
        {"export-hhp", "<project.mbk> [<file.hhp>]",
         "write the .hhp, .hhc and .hhk of a project into its folder", "", 1, 2, RunExportHhp},
        {"list", "<file.chm>", "list the storages and streams of a compiled help file", "", 1, 1,
         RunList},
        {"context-map", "<file.chm>", "print the context ids of a compiled help file", "", 1, 1,
         RunContextMap},
    };
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : AllCommands())
        if (name == command.name)
            return &command;
    return nullptr;
}

} // namespace mb::cli

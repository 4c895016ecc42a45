#include "app/cli/Commands.h"

#include <sstream>

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
         "title language add-folder force", 1, 1, RunNew},
        {"import-hhp", "<file.hhp> [<project.mbk>]",
         "turn an HTML Help project into a project file beside it",
         "  --force             replace an existing project file\n", "force", 1, 2,
         RunImportHhp},
        {"export-hhp", "<project.mbk> [<file.hhp>]",
         "write the .hhp, .hhc and .hhk of a project into its folder", "", "", 1, 2,
         RunExportHhp},
        {"compile", "<project.mbk>", "compile a project into its .chm with chmcmd",
         "  --keep              keep the .hhp, .hhc and .hhk written for the compiler\n"
         "                      (in the hidden folder .mb-compile-*; the log names them)\n"
         "  --timeout SECONDS   stop the compile when it has run that long (the old\n"
         "                      help file is kept; exit status 1)\n",
         "keep timeout",
         1, 1, RunCompile},
        {"open-chm", "<file.chm>",
         "turn a help file into a project (a new folder beside it, with its .mbk)", "", "", 1, 1,
         RunOpenChm},
        {"decompile", "<file.chm>...",
         "copy every file out of help files (each into a new folder beside it)",
         "  --output DIR        the folder to decompile into (one help file only)\n"
         "  --include-project   also write the enciphered project copy\n",
         "output include-project", 1, -1, RunDecompile},
        {"handheld", "<file.chm>", "convert a help file into plain pages for small screens",
         "  --output DIR        the folder for the pages (default: a new one beside it)\n",
         "output", 1, 1, RunHandheld},
        {"list", "<file.chm>", "list the storages and streams of a compiled help file", "", "",
         1, 1, RunList},
        {"context-map", "<file.chm>", "print the context ids of a compiled help file", "", "", 1,
         1, RunContextMap},
    };
    return commands;
}

bool TakesOption(const Command& command, const std::string& name) {
    if (name == "yes" || name == "quiet" || name == "help")
        return true;
    std::istringstream names(command.options);
    std::string taken;
    while (names >> taken) {
        if (taken == name)
            return true;
    }
    return false;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : AllCommands())
        if (name == command.name)
            return &command;
    return nullptr;
}

} // namespace mb::cli

#pragma once
// The HTML Help compiler call. It keeps the contract of the HTML Help
// Workshop's HHA_CompileHHP and does the work with chmcmd, the compiler of
// Free Pascal (Debian package fp-utils), run through the shell in the
// folder of the project file, because chmcmd resolves the files of a
// project against its working folder and writes the help file there.
//
// Both callbacks are called on the thread that called HHA_CompileHHP, never
// concurrently, and only while the call runs.

#include <functional>
#include <string>

// Receives each piece of the compiler's output (NUL-terminated, in the
// order written, not necessarily whole lines) and the lines that this call
// adds: failures and how to install the compiler. The result is not used.
using HHA_LOG_CALLBACK = bool (*)(const char* text);

// Receives the name of each file as the compiler takes it into the help
// file, as the compiler names it (relative to the project folder, "/"
// separators); the encoded project copy (".mbkmbk") is never reported.
// Returning false stops the compiler: its process is killed and the call
// fails. chmcmd names the files while it gathers them; while it then writes
// the help file it reports nothing, so a stop takes effect only before that.
using HHA_PROGRESS_CALLBACK = bool (*)(const char* fileName);

// Compiles the HTML Help project `hhpPath` and returns when the compiler
// has ended: 1 when it made the help file without errors, 0 otherwise: it
// failed, crashed, was stopped, could not be run (chmcmd not installed, no
// such project file), or made the help file but reported errors (chmcmd
// goes on without a missing contents or index file, for one). Each of these
// is explained by a line to `log`. A help file that the compiler began to
// write and did not finish is removed; an older one that it did not touch
// is kept.
//
// Links to anchors or pages that do not exist are no errors: chmcmd makes
// a complete help file all the same, and a closing line counts them as
// warnings. When chmcmd cannot write the help file (the file-size limit of
// the process, a full disk, a folder it may not write into), the call
// fails with that reason. When it crashes on a project with full-text
// search whose pages give its indexer no word (as the page scan tells),
// the project is compiled again without full-text search, and the log says
// what was left out and why. Any other crash is met by compiling once more
// unchanged (chmcmd does not crash the same way every time); a second
// crash fails the call with chmcmd's last output.
// Either callback may be null; `reserved` is not used.
int HHA_CompileHHP(const char* hhpPath, HHA_LOG_CALLBACK log, HHA_PROGRESS_CALLBACK progress,
                   int reserved);

// Ends the compiler that HHA_CompileHHP runs in this process at once, with
// everything it started, and keeps the call from starting it again; the
// call then fails as stopped. Safe from any thread; does nothing when no
// compile runs.
void StopRunningCompiler();

namespace mb {

// The two callbacks in typed form; either may be empty. The function
// pointers of HHA_CompileHHP convert to them.
using CompilerLog = std::function<void(const char* text)>;
using CompilerProgress = std::function<bool(const char* fileName)>;

struct CompileOutcome {
    bool made = false;   // the help file is complete (HHA_CompileHHP's 1)
    std::string failure; // otherwise why not, as the log's last line says it
};

// HHA_CompileHHP with the reason of a failure.
CompileOutcome CompileHelpProject(const char* hhpPath, const CompilerLog& log,
                                  const CompilerProgress& progress);

} // namespace mb

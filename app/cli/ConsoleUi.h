#pragma once
// The command-line tool's stand-ins for the desktop program's windows:
// messages go to standard error, questions get the answer chosen on the
// command line (or the cautious one), log lines go to standard output and
// problem lines to standard error, long work shows a progress line when
// standard error is a terminal, and what the desktop program would open in
// another program is printed instead. Text that may come from a file is
// printed with its control characters escaped.
#include "baseutil/Desktop.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "projectmodel/ProjectDialogs.h"

namespace mb::cli {

class ConsolePrompt final : public IPrompt {
public:
    // `assumeYes`: questions are answered Yes (OK, Retry) instead of No
    // (Cancel). A question's default answer is named in the printed text;
    // it does not change the answer, which is chosen on the command line.
    explicit ConsolePrompt(bool assumeYes) : m_assumeYes(assumeYes) {}
    Answer Message(const MessageRequest& request) override;
    std::optional<std::vector<std::string>> PickOpenFiles(const PickRequest&) override;
    std::optional<std::string> PickFolder(const PickRequest&) override;
    std::optional<std::string> PickSavePath(const PickRequest&) override;
    void BeginBusy() override {}
    void EndBusy() override {}

private:
    bool m_assumeYes;
};

// The two questions asked while pages are added: the project folder gets
// the folder proposed; copying pages from outside it is put to the prompt
// (so Copy only with --yes).
class ConsoleProjectDialogs final : public IProjectDialogs {
public:
    explicit ConsoleProjectDialogs(IPrompt& prompt) : m_prompt(prompt) {}
    std::optional<std::string> ChooseProjectFolder(const ProjectFolderChoice& choice) override;
    bool ConfirmCopyIntoProjectFolder() override;

private:
    IPrompt& m_prompt;
};

class ConsoleWindow final : public IMainWindow {
public:
    // `quiet`: log lines are not printed; problem lines (which say why
    // something failed or was left out) always are, on standard error.
    explicit ConsoleWindow(bool quiet) : m_quiet(quiet) {}
    void Log(const std::string& line, LogKind kind) override;

private:
    bool m_quiet;
};

// Never starts a program: a folder or file that the desktop program would
// open for the user is printed on standard output as "see <path>".
class ConsoleDesktop final : public IDesktop {
public:
    bool Open(const std::string& pathOrUrl) override;
    std::optional<DesktopProgram> DefaultProgramFor(const std::string&) override {
        return std::nullopt;
    }
    bool StartProgram(const std::string&, const std::string& file) override { return Open(file); }
};

// Shows the progress that long project operations report, on standard
// error, while it lives.
class ProgressLine {
public:
    ProgressLine();
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;
};

// Prints "marrowbook-cli: <text>" on standard error.
void PrintError(const std::string& text);

} // namespace mb::cli

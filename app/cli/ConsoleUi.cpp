#include "app/cli/ConsoleUi.h"

#include "app/cli/TerminalText.h"
#include "baseutil/Xml.h"
#include "projectmodel/ProjectFile.h"

#include <cstdio>
#include <unistd.h>

namespace mb::cli {
namespace {

bool IsQuestion(Buttons buttons) {
    return buttons != Buttons::Ok;
}

Answer Agreeing(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::RetryCancel:
        return Answer::Retry;
    default:
        return Answer::Yes;
    }
}

Answer Declining(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

// Progress of the project's long operations: code 6 starts with the number
// of items, 7 reports the number done, 8 ends.
int total = 0;

int ShowProgress(int code, CXML* data) {
    if (code == 6 && data)
        total = data->GetValueInt();
    if (code == 7 && data && total > 0) {
        int done = data->GetValueInt();
        int width = 40;
        int filled = static_cast<int>(static_cast<long long>(done) * width / total);
        std::fprintf(stderr, "\r[%-*s] %d/%d", width, std::string(filled, '#').c_str(), done,
                     total);
    }
    if (code == 8)
        std::fprintf(stderr, "\r%*s\r", 60, "");
    return 1;
}

} // namespace

void PrintError(const std::string& text) {
    std::fprintf(stderr, "marrowbook-cli: %s\n", Printable(text, true).c_str());
}

Answer ConsolePrompt::Message(const MessageRequest& request) {
    Answer answer = m_assumeYes ? Agreeing(request.buttons) : Declining(request.buttons);
    std::string text = request.text;
    if (request.defaultAnswer)
        text += std::string(" (default: ") + AnswerName(*request.defaultAnswer) + ")";
    if (IsQuestion(request.buttons))
        text += m_assumeYes ? " [answered yes: --yes]" : " [answered no; --yes answers yes]";
    PrintError(text);
    return answer;
}

std::optional<std::vector<std::string>> ConsolePrompt::PickOpenFiles(const PickRequest&) {
    return std::nullopt;
}

std::optional<std::string> ConsolePrompt::PickFolder(const PickRequest&) {
    return std::nullopt;
}

std::optional<std::string> ConsolePrompt::PickSavePath(const PickRequest&) {
    return std::nullopt;
}

std::optional<std::string>
ConsoleProjectDialogs::ChooseProjectFolder(const ProjectFolderChoice& choice) {
    return choice.folder;
}

bool ConsoleProjectDialogs::ConfirmCopyIntoProjectFolder() {
    MessageRequest request;
    request.text = kCopyFilesNote;
    request.buttons = Buttons::OkCancel;
    return m_prompt.Message(request) == Answer::Ok;
}

void ConsoleWindow::Log(const std::string& line, LogKind kind) {
    const bool problem = kind == LogKind::Problem;
    if (m_quiet && !problem)
        return;
    std::FILE* out = problem ? stderr : stdout;
    // The progress line stays on standard error; each line is finished
    // before the next part of the output begins.
    std::fflush(stdout);
    std::fputs(Printable(line, true).c_str(), out);
    std::fputc('\n', out);
    std::fflush(out);
}

bool ConsoleDesktop::Open(const std::string& pathOrUrl) {
    std::printf("see %s\n", Printable(pathOrUrl).c_str());
    std::fflush(stdout);
    return true;
}

ProgressLine::ProgressLine() {
    if (isatty(STDERR_FILENO))
        PR_SetCallBackFunction(ShowProgress);
}

ProgressLine::~ProgressLine() {
    if (PR_GetCallBackFunction() == ShowProgress)
        PR_SetCallBackFunction(nullptr);
}

} // namespace mb::cli

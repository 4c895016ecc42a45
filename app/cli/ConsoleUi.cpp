#include "app/cli/ConsoleUi.h"

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
        total = data->GetAttrInt("value");
    if (code == 7 && data && total > 0) {
        int done = data->GetAttrInt("value");
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
    std::fprintf(stderr, "marrowbook-cli: %s\n", text.c_str());
}

ConsolePrompt::ConsolePrompt(bool assumeYes) : m_assumeYes(assumeYes) {
    SetPrompt(this);
}

ConsolePrompt::~ConsolePrompt() {
    SetPrompt(nullptr);
}

Answer ConsolePrompt::Message(const MessageRequest& request) {
    Answer answer = m_assumeYes ? Agreeing(request.buttons) : Declining(request.buttons);
    std::string text = request.text;
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

ConsoleProjectDialogs::ConsoleProjectDialogs() {
    SetProjectDialogs(this);
}

ConsoleProjectDialogs::~ConsoleProjectDialogs() {
    SetProjectDialogs(nullptr);
}

std::optional<std::string>
ConsoleProjectDialogs::ChooseProjectFolder(const ProjectFolderChoice& choice) {
    return choice.folder;
}

bool ConsoleProjectDialogs::ConfirmCopyIntoProjectFolder() {
    MessageRequest request;
    request.text = kCopyFilesNote;
    request.buttons = Buttons::OkCancel;
    return Prompt().Message(request) == Answer::Ok;
}

ConsoleWindow::ConsoleWindow(bool quiet) : m_quiet(quiet) {
    SetMainWindow(this);
}

ConsoleWindow::~ConsoleWindow() {
    SetMainWindow(nullptr);
}

int ConsoleWindow::Send(int message, intptr_t wParam, void*) {
    if (message == WM_APP_LOG && !m_quiet && wParam) {
        std::fputs(reinterpret_cast<const char*>(wParam), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    return 0;
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

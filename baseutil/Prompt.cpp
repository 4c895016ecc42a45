#include "baseutil/Prompt.h"

#include <cstdio>

namespace mb {
namespace {

class ConsolePrompt final : public IPrompt {
public:
    Answer Message(const MessageRequest& request) override {
        if (!request.caption.empty())
            std::fprintf(stderr, "%s: ", request.caption.c_str());
        std::fprintf(stderr, "%s\n", request.text.c_str());
        switch (request.buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::YesNo:
            return Answer::No;
        default:
            return Answer::Cancel;
        }
    }
    std::optional<std::vector<std::string>> PickOpenFiles(const PickRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> PickFolder(const PickRequest&) override { return std::nullopt; }
    std::optional<std::string> PickSavePath(const PickRequest&) override { return std::nullopt; }
    void BeginBusy() override {}
    void EndBusy() override {}
};

ConsolePrompt g_consolePrompt;
IPrompt* g_prompt = &g_consolePrompt;

} // namespace

IPrompt& Prompt() { return *g_prompt; }

void SetPrompt(IPrompt* prompt) { g_prompt = prompt ? prompt : &g_consolePrompt; }

Answer ShowMessage(const std::string& text, const std::string& caption, Buttons buttons,
                   Icon icon) {
    return Prompt().Message(MessageRequest{text, caption, buttons, icon});
}

} // namespace mb

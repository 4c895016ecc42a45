#include "baseutil/Prompt.h"

#include <cstdio>

namespace mb {
namespace {

class StandardErrorPrompt final : public IPrompt {
public:
    Answer Message(const MessageRequest& request) override {
        if (!request.caption.empty())
            std::fprintf(stderr, "%s: ", request.caption.c_str());
        std::fprintf(stderr, "%s", request.text.c_str());
        if (request.defaultAnswer)
            std::fprintf(stderr, " (default: %s)", AnswerName(*request.defaultAnswer));
        std::fprintf(stderr, "\n");
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

} // namespace

IPrompt& CautiousPrompt() {
    static StandardErrorPrompt prompt;
    return prompt;
}

Answer ShowMessage(IPrompt& prompt, const std::string& text, const std::string& caption,
                   Buttons buttons, Icon icon, std::optional<Answer> defaultAnswer) {
    return prompt.Message(MessageRequest{text, caption, buttons, icon, defaultAnswer});
}

const char* AnswerName(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return "OK";
    case Answer::Cancel:
        return "Cancel";
    case Answer::Yes:
        return "Yes";
    case Answer::No:
        return "No";
    case Answer::Retry:
        return "Retry";
    }
    return "";
}

} // namespace mb

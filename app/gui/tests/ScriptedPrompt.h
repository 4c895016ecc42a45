#pragma once
// A prompt that answers from a script and records what it was asked:
// questions in order, and the save paths and folders to pick.

#include "baseutil/Prompt.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

class ScriptedPrompt final : public mb::IPrompt {
public:
    ScriptedPrompt() = default;
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    mb::Answer Message(const mb::MessageRequest& request) override {
        asked.push_back(request.text);
        return Next(answers, mb::Answer::Cancel);
    }
    std::optional<std::vector<std::string>> PickOpenFiles(const mb::PickRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> PickFolder(const mb::PickRequest&) override {
        return Next(folders, std::optional<std::string>());
    }
    std::optional<std::string> PickSavePath(const mb::PickRequest& request) override {
        proposed.push_back(request.initialPath);
        return Next(savePaths, std::optional<std::string>());
    }
    void BeginBusy() override {}
    void EndBusy() override {}

    std::deque<mb::Answer> answers;
    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<std::string>> savePaths;
    std::vector<std::string> asked;
    std::vector<std::string> proposed;

private:
    template <typename T, typename D> static T Next(std::deque<T>& script, D fallback) {
        if (script.empty())
            return fallback;
        T next = script.front();
        script.pop_front();
        return next;
    }
};

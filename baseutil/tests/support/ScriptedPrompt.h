#pragma once
// A prompt for tests: answers from a script and records every request. Its
// channels hand it to the objects under test.

#include "baseutil/UserChannels.h"

#include <deque>

namespace mb::testing {

class ScriptedPrompt final : public IPrompt {
public:
    // This prompt as channels to hand to the objects under test (a test may
    // add a log).
    UserChannels channels{this};

    // Answers given to message boxes in order; once used up, Ok / No / Cancel.
    std::deque<Answer> answers;
    // Results of the pickers in order; once used up, the pickers cancel.
    std::deque<std::optional<std::vector<std::string>>> pickedFiles;
    std::deque<std::optional<std::string>> pickedPaths;

    std::vector<MessageRequest> messages;
    std::vector<PickRequest> picks;
    int busyDepth = 0;

    Answer Message(const MessageRequest& request) override {
        messages.push_back(request);
        if (!answers.empty()) {
            Answer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return request.buttons == Buttons::Ok      ? Answer::Ok
               : request.buttons == Buttons::YesNo ? Answer::No
                                                   : Answer::Cancel;
    }
    std::optional<std::vector<std::string>> PickOpenFiles(const PickRequest& request) override {
        picks.push_back(request);
        return Next(pickedFiles);
    }
    std::optional<std::string> PickFolder(const PickRequest& request) override {
        picks.push_back(request);
        return Next(pickedPaths);
    }
    std::optional<std::string> PickSavePath(const PickRequest& request) override {
        picks.push_back(request);
        return Next(pickedPaths);
    }
    void BeginBusy() override { ++busyDepth; }
    void EndBusy() override { --busyDepth; }

private:
    template <typename T> static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
        if (queue.empty())
            return std::nullopt;
        auto value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace mb::testing

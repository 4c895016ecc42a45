#pragma once
// Project-folder and copy dialogs for tests: answer from a script, record
// what was asked.

#include "projectmodel/ProjectDialogs.h"

#include <deque>
#include <vector>

namespace mb::testing {

class ScriptedProjectDialogs final : public IProjectDialogs {
public:
    // Folders chosen in order (nothing: Cancel); once used up, Cancel.
    std::deque<std::optional<std::string>> folderAnswers;
    // Copy (true) or Cancel in order; once used up, Cancel.
    std::deque<bool> copyAnswers;

    std::vector<ProjectFolderChoice> folderQuestions;
    int copyQuestions = 0;

    std::optional<std::string> ChooseProjectFolder(const ProjectFolderChoice& choice) override {
        folderQuestions.push_back(choice);
        if (folderAnswers.empty())
            return std::nullopt;
        std::optional<std::string> answer = folderAnswers.front();
        folderAnswers.pop_front();
        return answer;
    }
    bool ConfirmCopyIntoProjectFolder() override {
        ++copyQuestions;
        if (copyAnswers.empty())
            return false;
        bool answer = copyAnswers.front();
        copyAnswers.pop_front();
        return answer;
    }
};

} // namespace mb::testing

#include "app/cli/FileQuestions.h"

#include "app/cli/ConsoleUi.h"

#include "app/core/ProjectController.h"
#include "baseutil/FileChecks.h"
#include "baseutil/Prompt.h"

#include <filesystem>

namespace mb::cli {

bool MayReplace(const std::string& path, bool force, IPrompt& prompt) {
    std::error_code ec;
    if (force || !std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return true;
    return ShowMessage(prompt, "\"" + path + "\" already exists. Replace it?", {}, Buttons::YesNo,
                       Icon::Question) == Answer::Yes;
}

bool IsReadableFile(const std::string& path) {
    std::string reason = UnreadableReason(path);
    if (!reason.empty())
        PrintError("cannot read \"" + path + "\": " + reason);
    return reason.empty();
}

bool OpenProjectFile(CProjectController& controller, const std::string& mbk) {
    if (!IsReadableFile(mbk))
        return false;
    if (controller.OpenProject(mbk) != 1) {
        PrintError("\"" + mbk + "\" is not a project file");
        return false;
    }
    return true;
}

} // namespace mb::cli

#pragma once
// The two questions the project asks while topic files are added: which
// folder becomes the project folder (asked the first time files are added to
// a project without one), and whether files from outside the project folder
// may be copied into it. The project asks the dialogs its caller hands it:
// the desktop program's windows, the command-line tool's console answers, a
// test's scripted fake, or CancellingProjectDialogs when nobody can answer.

#include <optional>
#include <string>

namespace mb {

// Texts of the project-folder dialog. The caption is string 8 of the string
// table; the desktop program may replace the others by translations.
inline constexpr const char* kProjectFolderTitle = "Please Select a Project Folder";
inline constexpr const char* kProjectFolderText =
    "This is the first time you add topic files to the project. Select whether you want the "
    "current folder or its parent to be the \"Project Folder\".";
inline constexpr const char* kProjectFolderNote =
    "Some Marrowbook commands work relative to the \"Project Folder\", and Marrowbook project "
    "file (.mbk) should be stored at \"Project Folder\".";
inline constexpr const char* kProjectFolderHelpHint =
    "Press F1 to get help about \"Project Folder\"......";

// Text of the copy dialog, whose buttons are "Copy" and "Cancel".
inline constexpr const char* kCopyFilesNote =
    "Added files are located outside of the Project Folder. The program will try to copy these "
    "files into your Project Folder.";

// The two folders offered as project folder; the first is proposed.
struct ProjectFolderChoice {
    std::string folder;
    std::string parent;
};

class IProjectDialogs {
public:
    virtual ~IProjectDialogs() = default;
    // The folder chosen (one of the two offered), or nothing on Cancel.
    virtual std::optional<std::string> ChooseProjectFolder(const ProjectFolderChoice& choice) = 0;
    // True when the user chose Copy.
    virtual bool ConfirmCopyIntoProjectFolder() = 0;
};

// Without a user to ask, nothing is chosen and nothing is copied.
class CancellingProjectDialogs final : public IProjectDialogs {
public:
    std::optional<std::string> ChooseProjectFolder(const ProjectFolderChoice&) override {
        return std::nullopt;
    }
    bool ConfirmCopyIntoProjectFolder() override { return false; }
};

// The parent of `folder` (no trailing separator needed), keeping the root
// separator: "D:\proj" gives "D:\", "/home/ann" gives "/home", "/x" gives "/".
std::string ParentFolder(const std::string& folder);

} // namespace mb

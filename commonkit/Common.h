#pragma once
// Helper services; for now where the product's own help file is and how it
// is shown.

#include "baseutil/Desktop.h"
#include "baseutil/Prompt.h"

#include <functional>
#include <string>

class CCommon {
public:
    // Shows `topic` of a help file; true when something was shown.
    using HelpViewer = std::function<bool(const std::string& helpFile, const std::string& topic)>;

    // The product's help file (HelpFileFor the folder of the program).
    static std::string GetHelpFilePath();
    // The help file, string 9, of a program in `programFolder`: beside the
    // program when it is there or when the program does not run from an
    // installed tree (a build tree, an unpacked folder); else in the
    // installed tree's data folder.
    static std::string HelpFileFor(const std::string& programFolder);

    // Opens the help file at `topic`, a page name inside it, possibly with an
    // anchor ("prj10.htm#ROOTDIR"). With a help viewer (the main program's
    // own CHM display, which understands topics), the viewer gets the help
    // file's path and the topic. Without one (empty) `desktop` opens the
    // help file itself: desktop CHM viewers take no topic, so they start at
    // the help file's home page. A missing help file is reported through
    // `prompt`.
    static bool ShowHelp(const HelpViewer& viewer, mb::IDesktop& desktop, mb::IPrompt& prompt,
                         const std::string& topic);

    // Shows a compiled help file from its home page: in the help viewer
    // (an empty topic) when there is one, else in the desktop's program for
    // help files. False when neither can show it.
    static bool ViewHelpFile(const HelpViewer& viewer, mb::IDesktop& desktop,
                             const std::string& helpFile);
};

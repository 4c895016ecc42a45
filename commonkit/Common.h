#pragma once
// Process-wide helper services; for now the display of the product's own
// help file.

#include "baseutil/Desktop.h"

#include <functional>
#include <string>

class CCommon {
public:
    // Shows `topic` of a help file; true when something was shown.
    using HelpViewer = std::function<bool(const std::string& helpFile, const std::string& topic)>;

    // Created on first use; DeleteInstance() removes it at exit.
    static CCommon* Instance();
    static void DeleteInstance();

    // The product's help file (HelpFileFor the folder of the program).
    std::string GetHelpFilePath() const;
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
    // the help file's home page. A missing help file is reported to the user.
    bool ShowHelp(const HelpViewer& viewer, mb::IDesktop& desktop, const std::string& topic);

    // Shows a compiled help file from its home page: in the help viewer
    // (an empty topic) when there is one, else in the desktop's program for
    // help files. False when neither can show it.
    bool ViewHelpFile(const HelpViewer& viewer, mb::IDesktop& desktop, const std::string& helpFile);

private:
    CCommon() = default;
};

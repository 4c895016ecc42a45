#pragma once
// The desktop's file handlers as the freedesktop.org tools describe them:
// xdg-open opens documents, xdg-mime names the MIME type of a file and the
// .desktop file of its default program, and that file's Exec line names the
// program.

#include "baseutil/Desktop.h"

#include <optional>
#include <string>
#include <vector>

namespace mb {

// What a .desktop file says about its program.
struct DesktopEntry {
    std::string program; // first word of Exec, field codes removed
    bool isWebBrowser = false;
    bool inTerminal = false; // Terminal=true: the program needs a terminal
};

// Reads the "Desktop Entry" group of a .desktop file's text; nothing when it
// has no usable Exec line.
std::optional<DesktopEntry> ParseDesktopEntry(const std::string& text);

// The full path of `program`: itself when it holds a slash and is
// executable, else the first executable of that name on PATH.
std::optional<std::string> FindProgramOnPath(const std::string& program);

// The folders searched for applications/*.desktop: XDG_DATA_HOME, then each
// of XDG_DATA_DIRS (with the base-directory defaults when unset).
std::vector<std::string> XdgDataDirs();

class XdgDesktop final : public IDesktop {
public:
    bool Open(const std::string& pathOrUrl) override;
    std::optional<DesktopProgram> DefaultProgramFor(const std::string& file) override;
    // kDefaultTextEditor runs the default program for text/plain, else
    // $VISUAL or $EDITOR, else hands the file to xdg-open. A program that
    // needs a terminal ($VISUAL and $EDITOR, and any whose desktop entry says
    // Terminal=true) runs in a new terminal window: the program $TERMINAL
    // names, else x-terminal-emulator; without one it is not started.
    bool StartProgram(const std::string& program, const std::string& file) override;
    std::string StartError() const override { return m_startError; }

    // The default program for a MIME type, or nothing.
    std::optional<DesktopProgram> DefaultProgramForType(const std::string& mimeType);

private:
    bool Start(std::vector<std::string> argv, bool inTerminal);

    std::string m_startError;
};

} // namespace mb

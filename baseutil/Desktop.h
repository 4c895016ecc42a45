#pragma once
// The desktop's file handlers: opening a document or folder with the program
// the user chose for it, and finding out which program that is. The xdg
// implementation asks the desktop through xdg-open and xdg-mime; whoever runs
// the program hands one on to what needs it, and tests hand on a fake.

#include <optional>
#include <string>

namespace mb {

// Stands for "the desktop's default text editor" wherever a program path is
// stored; it is resolved when the editor is started.
inline constexpr const char* kDefaultTextEditor = "text-editor";

struct DesktopProgram {
    std::string path;   // full path of the program file
    bool isWebBrowser = false; // a viewer rather than an editor
    bool inTerminal = false;   // runs in a terminal
};

class IDesktop {
public:
    virtual ~IDesktop() = default;
    // Opens a file, folder or address with its associated program, without
    // waiting for it. False when nothing could be started.
    virtual bool Open(const std::string& pathOrUrl) = 0;
    // The program registered for the type of `file`, or nothing.
    virtual std::optional<DesktopProgram> DefaultProgramFor(const std::string& file) = 0;
    // Starts `program` (a path or kDefaultTextEditor) on `file`.
    virtual bool StartProgram(const std::string& program, const std::string& file) = 0;
    // Why the last StartProgram returned false, in the user's words ("" when
    // it gave no reason).
    virtual std::string StartError() const { return {}; }
};

} // namespace mb

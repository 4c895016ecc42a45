#pragma once
// A console of the program's own to write trace text into. On this system
// the console is the terminal the program runs in (its controlling terminal,
// /dev/tty); colours, clearing and the window title are written to it as
// ANSI escape sequences.

#include <string>

class CConsole {
public:
    // `device` is the terminal to write to; tests give a file of their own.
    explicit CConsole(std::string device = "/dev/tty");
    ~CConsole();
    CConsole(const CConsole&) = delete;
    CConsole& operator=(const CConsole&) = delete;

    // Opens the terminal and sets the title when one is given. False when
    // the console is already open or there is no terminal. A terminal
    // window's close button belongs to the terminal program, so
    // `disableClose` has no effect.
    bool Create(const char* title = nullptr, bool disableClose = false);

    // Formats like printf into a buffer of 256 characters (longer text is
    // cut) and writes it; no format writes a line break.
    void Output();
    void Output(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // A console text attribute: bits 0 to 2 blue, green, red, bit 3 bright,
    // bits 4 to 7 the same for the background; 0 stands for 7 (light grey
    // on black).
    void Color(int attribute);
    // Clears the screen and puts the cursor at the top left.
    void Clear();
    // Control characters are left out of the title; at most 256 are kept.
    void SetTitle(const char* title);
    const std::string& GetTitle() const { return m_title; }
    // A terminal cannot be shown, hidden or kept open by the program that
    // runs in it: these do nothing and return true.
    bool Show(bool show) { return true; }
    bool DisableClose() { return true; }
    // The file descriptor of the terminal, -1 when not open.
    int GetHandle() const { return m_fd; }
    void Close();

    // The escape sequence that selects the colours of `attribute`.
    static std::string ColorSequence(int attribute);

private:
    void Write(const std::string& text) const;

    std::string m_device;
    std::string m_title;
    int m_fd = -1;
};

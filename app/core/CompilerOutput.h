#pragma once
// Reading chmcmd's output line by line: the files it takes into the help
// file, the complaints about links that it makes without failing, its real
// errors, and what it says when it crashes.

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb {

// The name of the file that a line of chmcmd's output says it takes into
// the help file, if the line says so.
std::optional<std::string> FileTakenIn(std::string_view line);

class CompilerOutput {
public:
    // Takes the next piece of output; returns the lines it completed.
    std::vector<std::string> Feed(std::string_view chunk);

    // "Error:" lines that are no complaint about a link: a missing contents
    // or index file, for one.
    const std::vector<std::string>& Errors() const { return m_errors; }
    // Links to anchors that no page defines and to pages that do not exist.
    // chmcmd reports the first as errors, yet makes a complete help file.
    int LinkWarnings() const { return m_linkWarnings; }
    // Files the project lists that do not exist: chmcmd crashes on them.
    const std::vector<std::string>& MissingFiles() const { return m_missingFiles; }
    // The exception that ended chmcmd ("EFOpenError: Unable to open ..."),
    // or "" when it said none.
    const std::string& Exception() const { return m_exception; }
    // Whether the crash came from a file that could not be opened.
    bool CrashedOnAFile() const;
    // The last lines of the output (up to kKeptLines), one per line.
    std::string LastLines() const;
    static constexpr size_t kKeptLines = 10;

private:
    void Take(const std::string& line);

    std::string m_pending;
    std::vector<std::string> m_errors;
    int m_linkWarnings = 0;
    std::vector<std::string> m_missingFiles;
    bool m_exceptionFollows = false;
    std::string m_exception;
    std::deque<std::string> m_lastLines;
};

} // namespace mb

#pragma once
// One file of a decompile or conversion, written to a temporary name in its
// folder and renamed to its own name only when it is complete, so that a
// stream that fails midway never leaves a truncated file behind. Unlike
// mb::SafeFileWriter it does not wait for the disk before the rename: a
// decompile writes thousands of new files, and a sync for each would make
// it many times slower while protecting no earlier content.

#include <string>
#include <string_view>

namespace mb::chm {

class OutputFile {
public:
    // Creates the temporary file beside `target`. Check IsOpen().
    explicit OutputFile(std::string target);
    // Removes the temporary file unless Commit() succeeded.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    bool Write(std::string_view data);
    // Closes and renames over the target; false (target untouched) on any
    // failure, with the reason in Error().
    bool Commit();
    const std::string& Error() const { return m_error; }

private:
    void Fail(const std::string& what);

    std::string m_target;
    std::string m_tempPath;
    int m_fd = -1;
    bool m_committed = false;
    std::string m_error;
};

} // namespace mb::chm

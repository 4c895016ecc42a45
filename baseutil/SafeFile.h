#pragma once
// Writing a file in place of an existing one without ever leaving a
// half-written file behind: the data goes to a temporary file in the same
// folder, which is renamed over the target only once it is complete. A file
// is thus either complete under its name or not there, even when the
// program is killed while writing it.

#include <cstdio>
#include <string>
#include <string_view>

namespace mb {

// Whether Commit waits for the data to reach the disk before the rename.
// Replacing a user's file needs it; writing thousands of new files (a
// decompile) would be many times slower with it and protects nothing older.
enum class SyncMode { Synced, Unsynced };

// What Commit does when the target exists: replace it, or keep it and fail
// (for a file that is meant to be new).
enum class ExistingTarget { Replace, Keep };

class SafeFileWriter {
public:
    // Creates the temporary file beside `target`: a hidden name made of
    // the start of the target's name and six random characters. Check
    // IsOpen().
    explicit SafeFileWriter(std::string target, SyncMode sync = SyncMode::Synced,
                            ExistingTarget existing = ExistingTarget::Replace);
    // Removes the temporary file unless Commit() succeeded.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    // The stream to write to (null when the temporary file could not be made).
    std::FILE* File() const { return m_file; }
    bool Write(std::string_view data);
    // Flushes, syncs and renames to the target (over it only with
    // ExistingTarget::Replace). False (and the target untouched) on any
    // failure; Error() then says why.
    bool Commit();
    const std::string& Error() const { return m_error; }

private:
    void Fail(const std::string& what);

    std::string m_target;
    std::string m_tempPath;
    std::FILE* m_file = nullptr;
    bool m_committed = false;
    std::string m_error;
    SyncMode m_sync;
    ExistingTarget m_existing;
};

// Writes `data` to `path` through a SafeFileWriter; on failure returns false
// and, when `error` is given, the reason in the user's words.
bool WriteFileSafely(const std::string& path, std::string_view data, std::string* error = nullptr);

// Opens a regular file for reading; null (errno EINVAL) for anything else,
// such as a folder or a named pipe, which is refused without waiting.
std::FILE* OpenRegularFile(const std::string& path);

// What stands at `path` when it is no regular file, without following a
// link: "a symbolic link", "a named pipe", "a folder", "a device", "a
// socket". Empty when it is a regular file or nothing is there. The
// program's own files (settings, window placement, run log) are read and
// written only when this is empty: writing into a pipe would wait for a
// reader, and writing through a link would change another file.
std::string NonRegularFileKind(const std::string& path);

// Reads a whole regular file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& data);

// True when the file exists and is marked read-only (no write permission bit)
// or this process may not write it (access check, read-only mount).
bool IsReadOnlyFile(const std::string& path);

} // namespace mb

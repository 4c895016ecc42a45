#pragma once
// The files a decompile or handheld conversion writes into its output
// folder. Every file is written under a temporary name beside its own and
// takes its name only once complete, so that a file is whole under its name
// or not there, also when the program is stopped or killed while writing
// it. A file that is already there is replaced only after the user agreed;
// the help file being read is never replaced.

#include "baseutil/SafeFile.h"
#include "baseutil/UserChannels.h"

#include <sys/types.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

// Answers, once per run, whether existing files may be replaced, and keeps
// whether some output file could not be created (for its name, mostly). Any
// thread may ask and tell; the question goes to the user from the thread
// that started the run, through the run's prompt.
class CReplaceGuard {
public:
    // The prompt that asks and the log that hears of kept and refused files
    // (the quiet channels until set).
    void SetChannels(const mb::UserChannels& channels) { m_channels = channels; }
    const mb::UserChannels& Channels() const { return m_channels; }
    // `sourcePath` is the help file being read; it is never replaced.
    void SetSource(const std::string& sourcePath);
    // Whether the existing file `path` may be replaced. The first existing
    // file asks the user (No keeps it and every later one); the answer holds
    // for the rest of the run. A refusal is reported as a log line.
    bool MayReplace(const std::string& path);
    // Whether `path` is the help file being read.
    bool IsSource(const std::string& path) const;
    // An output file or folder of the run could not be created.
    void NoteUncreatable() { m_uncreatable = true; }
    bool FoundUncreatable() const { return m_uncreatable; }

private:
    bool m_hasSource = false;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    std::mutex m_mutex;
    std::optional<bool> m_answer;
    std::atomic<bool> m_uncreatable = false;
    mb::UserChannels m_channels;
};

class COutputFile {
public:
    COutputFile(std::string path, CReplaceGuard& guard);
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    bool IsOpen() const { return m_writer != nullptr; }
    // The file existed and is left as it was (not an error).
    bool Kept() const { return m_kept; }
    bool Write(std::string_view data);
    // Completes the file; false (and nothing left half-written) on failure.
    bool Commit();
    // Why opening, writing or committing failed.
    const std::string& Error() const { return m_error; }

private:
    std::string m_path;
    // Removes its temporary file unless it was committed.
    std::unique_ptr<mb::SafeFileWriter> m_writer;
    bool m_kept = false;
    std::string m_error;
};

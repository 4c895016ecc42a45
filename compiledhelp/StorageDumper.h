#pragma once
// Copies a storage of a compiled help file with its subtree into a folder.
// The walk creates the folders, leaves out the elements the filter excludes
// and refuses names that would leave the output folder; the streams are then
// written in their order inside the file, so that compressed data is
// decompressed only once. Every problem is reported as a log line, and a run
// that wrote fewer files than the storage holds fails.

#include "compiledhelp/ItsFile.h"
#include "compiledhelp/OutputFile.h"

#include <functional>
#include <string>
#include <vector>

class CStorageDumper {
public:
    struct Filter {
        bool includeSystem = false;  // "#..." and "$..." streams, "$..." storages
        bool includeProject = false; // the ".mbkmbk" project copy
        bool skipSitemaps = false;   // ".hhc" and ".hhk" streams
    };
    // Writes one stream to `path`; 0 when it was written or the user kept
    // the existing file, 1 on failure (reported).
    using Writer = std::function<int(const CItsStream& stream, const std::string& path)>;

    CStorageDumper(Filter filter, Writer writer) : m_filter(filter), m_writer(std::move(writer)) {}

    // Creates `folder` and walks `storage` into it. 0 when every element
    // was handled, 1 when something was refused or could not be created.
    int Plan(const CItsStorage& storage, const std::string& folder);
    // Writes the streams found by Plan. 0 when all were written, else 1.
    int Run();
    // Streams the walks of Plan found, written or not.
    size_t Found() const { return m_found; }
    // Plan and Run: 0 when everything was written, else 1.
    int Dump(const CItsStorage& storage, const std::string& folder);

private:
    struct Job {
        CItsStream stream;
        std::string path;
        uint64_t order;
    };

    Filter m_filter;
    Writer m_writer;
    std::vector<Job> m_jobs;
    size_t m_found = 0;
    size_t m_handled = 0;
};

// Copies a stream to `path`, the plain writer of a decompile: a new file is
// written in place, an existing one only as `guard` allows. 0 on success or
// when the existing file is kept; 1 (reported as a log line) on failure.
int SaveStreamToFile(const CItsStream& stream, const std::string& path, CReplaceGuard& guard);
// Writes `data` to `path` by the same rules.
int SaveDataToFile(std::string_view data, const std::string& path, CReplaceGuard& guard);

// Reports a file that could not be created: the log line and the run
// environment's long-file-name flag.
void ReportUncreatableFile(const std::string& path);
// Reports a stream that could not be read from the help file.
void ReportUnreadableStream(const std::string& path, uint64_t size);
// Reports a file that could not be written.
void ReportUnwritableFile(const std::string& path, const std::string& reason);

#pragma once
// Copies a storage of a compiled help file with its subtree into a folder.
// The walk creates the folders, leaves out the elements the filter excludes
// and refuses names that would leave the output folder; the streams are then
// written in their order inside the file, so that compressed data is
// decompressed only once. Every problem is reported as a log line.

#include "compiledhelp/ItsFile.h"

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
    // Writes one stream to `path`; 0 on success, 1 on failure (reported).
    using Writer = std::function<int(const CItsStream& stream, const std::string& path)>;

    CStorageDumper(Filter filter, Writer writer) : m_filter(filter), m_writer(std::move(writer)) {}

    // Creates `folder` and walks `storage` into it. 0 when every element
    // was handled, 1 when something was refused or could not be created.
    int Plan(const CItsStorage& storage, const std::string& folder);
    // Writes the streams found by Plan. 0 when all were written, else 1.
    int Run();
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
};

// Copies a stream to `path` through a temporary file: the plain writer of
// a decompile. 0 on success; 1 (reported as a log line) on failure.
int SaveStreamToFile(const CItsStream& stream, const std::string& path);

// Reports a file that could not be created: the log line and the run
// environment's long-file-name flag.
void ReportUncreatableFile(const std::string& path);
// Reports a stream that could not be read from the help file.
void ReportUnreadableStream(const std::string& path, uint64_t size);
// Reports a file that could not be written.
void ReportUnwritableFile(const std::string& path, const std::string& reason);

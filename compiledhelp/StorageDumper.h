#pragma once
// Copies a storage of a compiled help file with its subtree into a folder.
// The walk creates the folders, leaves out the elements the filter excludes,
// refuses names that would leave the output folder and finds streams whose
// files would take the place of another element's (a stream "d" beside a
// storage "d", two streams of one name); the streams are then written in
// their order inside the file, so that compressed data is decompressed only
// once. With more than one worker the streams are cut, in that order, into
// runs of about equal work that begin at reset points of the compressed
// data, where decompressing can start afresh; each worker decompresses its
// run with a decompressor of its own and writes its files. Every stream
// that is not written is named in the log and counted. A run fails when a
// stream could not be written; streams refused for their unsafe names are
// left out on purpose and do not fail it.

#include "baseutil/MainWindow.h"
#include "compiledhelp/ItsFile.h"
#include "compiledhelp/OutputFile.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class CStorageDumper {
public:
    struct Filter {
        bool includeSystem = false;  // "#..." and "$..." streams, "$..." storages
        bool includeProject = false; // the ".mbkmbk" project copy
        bool skipSitemaps = false;   // ".hhc" and ".hhk" streams
    };
    // Writes one stream to `path`; 0 when it was written or the user kept
    // the existing file, 1 on failure (reported). With more than one worker
    // it is called from as many threads at once; what it reports goes
    // through CCallerRelay.
    using Writer = std::function<int(const CItsStream& stream, const std::string& path)>;

    // What was not written is told to the log of `guard`, the run's guard
    // of its output, which also keeps whether something could not be
    // created. `stop`, when given, is watched between streams: once it is
    // set no further stream is begun. `workers` threads write the streams
    // (1: the calling thread alone).
    CStorageDumper(Filter filter, Writer writer, CReplaceGuard& guard,
                   const std::atomic<bool>* stop = nullptr, size_t workers = 1)
        : m_filter(filter), m_writer(std::move(writer)), m_guard(guard),
          m_log(guard.Channels().log), m_stop(stop), m_workers(std::max<size_t>(workers, 1)) {}

    // Copies `storage` into `folder` (created first). `inside` is the
    // storage's path in the help file ("" for the root), which names its
    // streams in the log. 0 when every stream was written or refused for
    // an unsafe name, else 1.
    int Dump(const CItsStorage& storage, const std::string& folder, const std::string& inside = "");
    // The streams written so far, or kept at the user's word.
    size_t Written() const { return m_handled; }
    // The threads that wrote them (fewer than asked for when the streams
    // could not be split further).
    size_t WorkersUsed() const { return m_workersUsed; }

private:
    struct Job {
        CItsStream stream;
        std::string path;
        uint64_t order;
    };
    // Why the streams below a storage are not written.
    struct Block {
        bool refused; // an unsafe name, not a failure
        std::string why;
    };

    // Walks `storage` into `folder`: creates the folders and queues the
    // streams to write; with `block` nothing below is written, and each
    // stream is reported with its reason.
    void Plan(const CItsStorage& storage, const std::string& folder, const std::string& inside,
              const Block* block);
    void NotWritten(const std::string& inside, const Block& block);
    // Writes the queued streams in their order inside the file.
    void Run();
    // Where each worker's run of the queued streams begins.
    std::vector<size_t> SplitForWorkers() const;
    struct Tally {
        size_t handled = 0;
        size_t leftByStop = 0;
    };
    // Writes the queued streams [begin, end), through `reader` when given.
    void Write(size_t begin, size_t end, CItsReader* reader, Tally& tally) const;
    // The log line that counts the streams not written, and why.
    void Summarize() const;

    Filter m_filter;
    Writer m_writer;
    CReplaceGuard& m_guard;
    mb::ILogSink* m_log;
    const std::atomic<bool>* m_stop;
    size_t m_workers;
    size_t m_workersUsed = 1;
    std::vector<Job> m_jobs;
    // An output path taken by an element of this run: the element's path
    // in the help file and, for a stream, its place in m_jobs.
    static constexpr size_t kNoJob = static_cast<size_t>(-1);
    struct Taken {
        std::string name;
        size_t job;
    };
    // chmcmd lists a file twice when the project names it and a style sheet
    // does too: the same name with the same bytes is one file, written once.
    bool IsSecondListing(const CItsStorage& storage, const CItsElement& element,
                         const std::string& name, const Taken& taken) const;

    std::unordered_map<std::string, Taken> m_taken;
    size_t m_found = 0;
    size_t m_handled = 0;
    size_t m_refused = 0;
    size_t m_leftByStop = 0;
};

// Copies a stream to `path`, the plain writer of a decompile: a new file is
// written under a temporary name and renamed when complete, an existing one
// is replaced only as `guard` allows. Once `stop` is set the copy breaks off
// and leaves no file. 0 on success or when the existing file is kept; 1
// (reported as a log line to the guard's log) on failure.
int SaveStreamToFile(const CItsStream& stream, const std::string& path, CReplaceGuard& guard,
                     const std::atomic<bool>* stop = nullptr);
// Writes `data` to `path` by the same rules.
int SaveDataToFile(std::string_view data, const std::string& path, CReplaceGuard& guard);

// Reports a file or folder that could not be created, with the reason when
// known: a line to the log of `guard`, which notes it. The reports of any
// thread reach the log on the thread the run works for.
void ReportUncreatableFile(CReplaceGuard& guard, const std::string& path,
                           const std::string& reason = "");
// Reports a stream that could not be read from the help file, and why.
void ReportUnreadableStream(mb::ILogSink* log, const std::string& path, uint64_t size, int result);
// Reports a file that could not be written.
void ReportUnwritableFile(mb::ILogSink* log, const std::string& path, const std::string& reason);

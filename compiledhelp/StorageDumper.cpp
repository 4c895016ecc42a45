#include "compiledhelp/StorageDumper.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Path.h"
#include "commonkit/StringTable.h"
#include "compiledhelp/CallerRelay.h"
#include "compiledhelp/ElementRules.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kStrCannotCreateFile = 616;
constexpr size_t kMaxReasonLength = 500;

// Hands the bytes of a stream to the output file as they are decompressed,
// until the run is stopped.
class OutputSink final : public ItsSink {
public:
    OutputSink(COutputFile& file, const std::atomic<bool>* stop) : m_file(file), m_stop(stop) {}
    bool Write(const void* data, size_t size) override {
        if (m_stop && *m_stop)
            return false;
        return m_file.Write(std::string_view(static_cast<const char*>(data), size));
    }

private:
    COutputFile& m_file;
    const std::atomic<bool>* m_stop;
};

std::string Join(const std::string& folder, const std::string& name) {
    return CPath::AddBackSlash(folder, true) + name;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Logs a problem line of a helper thread on the thread it works for.
void LogProblemOnCaller(mb::ILogSink* log, std::string line) {
    CCallerRelay::Post([log, line = std::move(line)] { mb::LogProblem(log, line); });
}

} // namespace

void ReportUncreatableFile(CReplaceGuard& guard, const std::string& path,
                           const std::string& reason) {
    guard.NoteUncreatable();
    std::string line = "\r\n" + CStrHelper::ML_GetStringEx(kStrCannotCreateFile) + "\n  --- " +
                       path + (reason.empty() ? "" : ": " + reason) + "\n";
    CCallerRelay::Post(
        [log = guard.Channels().log, line = std::move(line)] { mb::LogProblem(log, line); });
}

void ReportUnreadableStream(mb::ILogSink* log, const std::string& path, uint64_t size, int result) {
    LogProblemOnCaller(log, path + "(" + std::to_string(static_cast<uint32_t>(size)) +
                                " bytes) - STGTY_STREAM: cannot be read from the help file: " +
                                ItsResultText(result) + "\n");
}

void ReportUnwritableFile(mb::ILogSink* log, const std::string& path, const std::string& reason) {
    LogProblemOnCaller(log, "\r\nunable to write file " + path + "\n" +
                                reason.substr(0, kMaxReasonLength));
}

namespace {

// Writes `path` through `fill`, which hands the data to the file and gives
// kItsOk or why it stopped; `size` names the stream in a read failure.
int SaveToFile(const std::string& path, CReplaceGuard& guard, uint64_t size,
               const std::atomic<bool>* stop, const std::function<int(COutputFile&)>& fill) {
    mb::ILogSink* log = guard.Channels().log;
    COutputFile file(path, guard);
    if (file.Kept())
        return 0;
    if (!file.IsOpen()) {
        if (!guard.IsSource(path))
            ReportUncreatableFile(guard, path, file.Error());
        return 1;
    }
    int result = fill(file);
    if (stop && *stop) {
        LogProblemOnCaller(log, "\r\nstopped while writing " + path + "; it was not written\n");
        return 1;
    }
    if (result == kItsWriteFailed) {
        ReportUnwritableFile(log, path, file.Error());
        return 1;
    }
    if (result != kItsOk) {
        ReportUnreadableStream(log, path, size, result);
        return 1;
    }
    if (!file.Commit()) {
        ReportUnwritableFile(log, path, file.Error());
        return 1;
    }
    return 0;
}

} // namespace

int SaveStreamToFile(const CItsStream& stream, const std::string& path, CReplaceGuard& guard,
                     const std::atomic<bool>* stop) {
    return SaveToFile(path, guard, stream.Size(), stop, [&stream, stop](COutputFile& file) {
        OutputSink sink(file, stop);
        return stream.CopyTo(sink);
    });
}

int SaveDataToFile(std::string_view data, const std::string& path, CReplaceGuard& guard) {
    return SaveToFile(path, guard, data.size(), nullptr, [data](COutputFile& file) {
        return file.Write(data) ? kItsOk : kItsWriteFailed;
    });
}

void CStorageDumper::NotWritten(const std::string& inside, const Block& block) {
    if (block.refused)
        ++m_refused;
    mb::LogProblem(m_log,
                   "\r\n" + std::string(block.refused ? "unsafe name refused: " : "not written: ") +
                       Quoted(inside) + ": " + block.why + "\n");
}

bool CStorageDumper::IsSecondListing(const CItsStorage& storage, const CItsElement& element,
                                     const std::string& name, const Taken& taken) const {
    if (taken.job == kNoJob || taken.name != name)
        return false;
    const CItsStream& first = m_jobs[taken.job].stream;
    CItsStream second;
    if (storage.OpenStream(element, second) != kItsOk || second.Size() != first.Size())
        return false;
    std::string a, b;
    return first.ReadAll(a) == kItsOk && second.ReadAll(b) == kItsOk && a == b;
}

void CStorageDumper::Plan(const CItsStorage& storage, const std::string& folder,
                          const std::string& inside, const Block* block) {
    for (const CItsElement& element : storage.Elements()) {
        bool isStream = element.type == kItsTypeStream;
        if (!m_filter.includeSystem && (isStream ? mb::chm::IsSystemStream(element.name)
                                                 : mb::chm::IsSystemStorage(element.name)))
            continue;
        if (isStream && !m_filter.includeProject && mb::chm::IsProjectCopy(element.name))
            continue;
        if (isStream && m_filter.skipSitemaps && mb::chm::IsSitemap(element.name))
            continue;
        m_found += isStream ? 1 : 0;
        std::string name = inside + "/" + element.name;
        std::string path = block ? std::string() : Join(folder, element.name);
        std::optional<Block> own;
        if (block) {
            // The storage above is not written: neither is anything in it.
        } else if (!mb::chm::IsSafeElementName(element.name)) {
            own = Block{true, Quoted(element.name) + " would lead outside the output folder"};
        } else if (auto taken = m_taken.find(path); taken != m_taken.end()) {
            if (isStream && IsSecondListing(storage, element, name, taken->second)) {
                --m_found; // one file, counted once
                continue;
            }
            own = Block{false, path + " is taken by " + Quoted(taken->second.name) +
                                   ", another element of the help file of that name"};
        } else {
            m_taken.emplace(path, Taken{name, isStream ? m_jobs.size() : kNoJob});
        }
        const Block* blocked = block ? block : own ? &*own : nullptr;
        if (isStream) {
            if (blocked) {
                NotWritten(name, *blocked);
                continue;
            }
            CItsStream stream;
            storage.OpenStream(element, stream);
            m_jobs.push_back({stream, path, stream.StorageOrder()});
            continue;
        }
        std::string reason;
        if (!blocked && !CPath::CreateDir(path, &reason)) {
            ReportUncreatableFile(m_guard, path, reason);
            own = Block{false, "its folder " + path + " could not be created"};
            blocked = &*own;
        }
        CItsStorage child;
        storage.OpenStorage(element, child);
        Plan(child, path, name, blocked);
    }
}

std::vector<size_t> CStorageDumper::SplitForWorkers() const {
    // The work of a file, beside decompressing its bytes, in bytes of
    // decompressed data: creating, writing and naming it.
    constexpr uint64_t kFileWork = 16384;
    std::vector<size_t> starts{0};
    if (m_workers < 2 || m_jobs.size() < 2)
        return starts;
    std::vector<uint64_t> workBefore(m_jobs.size() + 1, 0);
    for (size_t i = 0; i < m_jobs.size(); ++i)
        workBefore[i + 1] = workBefore[i] + m_jobs[i].stream.Size() + kFileWork;
    size_t next = 1;
    for (size_t worker = 1; worker < m_workers; ++worker) {
        uint64_t share = workBefore.back() / m_workers * worker;
        // A run begins with a stream that starts after the reset point of
        // the stream before it: from there on its data depends on nothing
        // the run before decompresses.
        while (next < m_jobs.size() &&
               (workBefore[next] < share ||
                m_jobs[next].stream.RestartOrder() <= m_jobs[next - 1].stream.RestartOrder()))
            ++next;
        if (next >= m_jobs.size())
            break;
        starts.push_back(next++);
    }
    return starts;
}

void CStorageDumper::Write(size_t begin, size_t end, CItsReader* reader, Tally& tally) const {
    for (size_t i = begin; i < end; ++i) {
        if (m_stop && *m_stop) {
            tally.leftByStop += end - i;
            return;
        }
        const Job& job = m_jobs[i];
        int result = reader ? m_writer(job.stream.Through(*reader), job.path)
                            : m_writer(job.stream, job.path);
        if (result == 0)
            ++tally.handled;
        else if (m_stop && *m_stop)
            ++tally.leftByStop; // broken off by the stop, not by a fault
    }
}

void CStorageDumper::Run() {
    std::stable_sort(m_jobs.begin(), m_jobs.end(),
                     [](const Job& a, const Job& b) { return a.order < b.order; });
    std::vector<size_t> starts = SplitForWorkers();
    std::vector<std::unique_ptr<CItsReader>> readers(starts.size());
    bool parallel = starts.size() > 1;
    for (std::unique_ptr<CItsReader>& reader : readers) {
        // Without a decompressor for each, the calling thread does all.
        if (parallel && m_jobs.front().stream.OpenReader(reader) != kItsOk)
            parallel = false;
    }
    std::vector<Tally> tallies(starts.size());
    m_workersUsed = parallel ? starts.size() : 1;
    if (parallel) {
        CCallerRelay relay;
        relay.RunHelpers(starts.size(), [&](size_t worker) {
            size_t end = worker + 1 < starts.size() ? starts[worker + 1] : m_jobs.size();
            Write(starts[worker], end, readers[worker].get(), tallies[worker]);
        });
    } else {
        Write(0, m_jobs.size(), nullptr, tallies.front());
    }
    for (const Tally& tally : tallies) {
        m_handled += tally.handled;
        m_leftByStop += tally.leftByStop;
    }
    m_jobs.clear();
}

void CStorageDumper::Summarize() const {
    size_t notWritten = m_found - m_handled;
    if (notWritten == 0)
        return;
    size_t lost = notWritten - m_refused - m_leftByStop;
    std::string line = "\r\n" + std::to_string(notWritten) + " of " + std::to_string(m_found) +
                       " files of the help file were not written:";
    std::string separator = " ";
    if (m_refused > 0) {
        line += separator + std::to_string(m_refused) + " refused for unsafe names";
        separator = ", ";
    }
    if (lost > 0) {
        line += separator + std::to_string(lost) + " could not be written";
        separator = ", ";
    }
    if (m_leftByStop > 0)
        line += separator + std::to_string(m_leftByStop) + " left out when the run was stopped";
    mb::LogProblem(m_log, line + "\n");
}

int CStorageDumper::Dump(const CItsStorage& storage, const std::string& folder,
                         const std::string& inside) {
    std::string reason;
    std::optional<Block> block;
    if (!CPath::CreateDir(folder, &reason)) {
        ReportUncreatableFile(m_guard, folder, reason);
        block = Block{false, "the output folder " + folder + " could not be created"};
    }
    Plan(storage, folder, inside, block ? &*block : nullptr);
    Run();
    Summarize();
    return m_handled + m_refused == m_found ? 0 : 1;
}

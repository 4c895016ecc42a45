#include "compiledhelp/StorageDumper.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Path.h"
#include "commonkit/StringTable.h"
#include "compiledhelp/ElementRules.h"
#include "runconfig/RunEnv.h"

#include <algorithm>

namespace {

constexpr int kStrCannotCreateFile = 616;
constexpr size_t kMaxReasonLength = 500;

// Hands the bytes of a stream to the output file as they are decompressed.
class OutputSink final : public ItsSink {
public:
    explicit OutputSink(COutputFile& file) : m_file(file) {}
    bool Write(const void* data, size_t size) override {
        return m_file.Write(std::string_view(static_cast<const char*>(data), size));
    }

private:
    COutputFile& m_file;
};

std::string Join(const std::string& folder, const std::string& name) {
    return CPath::AddBackSlash(folder, true) + name;
}

} // namespace

void ReportUncreatableFile(const std::string& path) {
    std::string line =
        "\r\n" + CStrHelper::ML_GetStringEx(kStrCannotCreateFile) + "\n  --- " + path + "\n";
    mb::LogLine(line.c_str());
    CRunEnv::Instance()->SetFoundLongFilename(1);
}

void ReportUnreadableStream(const std::string& path, uint64_t size) {
    std::string line =
        path + "(" + std::to_string(static_cast<uint32_t>(size)) + " bytes) - STGTY_STREAM\n";
    mb::LogLine(line.c_str());
}

void ReportUnwritableFile(const std::string& path, const std::string& reason) {
    std::string line =
        "\r\nunable to write file " + path + "\n" + reason.substr(0, kMaxReasonLength);
    mb::LogLine(line.c_str());
}

int SaveStreamToFile(const CItsStream& stream, const std::string& path, CReplaceGuard& guard) {
    COutputFile file(path, guard);
    if (file.Kept())
        return 0;
    if (!file.IsOpen()) {
        if (!guard.IsSource(path))
            ReportUncreatableFile(path);
        return 1;
    }
    OutputSink sink(file);
    int result = stream.CopyTo(sink);
    if (result == kItsWriteFailed) {
        ReportUnwritableFile(path, file.Error());
        return 1;
    }
    if (result != kItsOk) {
        ReportUnreadableStream(path, stream.Size());
        return 1;
    }
    if (!file.Commit()) {
        ReportUnwritableFile(path, file.Error());
        return 1;
    }
    return 0;
}

int SaveDataToFile(std::string_view data, const std::string& path, CReplaceGuard& guard) {
    COutputFile file(path, guard);
    if (file.Kept())
        return 0;
    if (!file.IsOpen()) {
        if (!guard.IsSource(path))
            ReportUncreatableFile(path);
        return 1;
    }
    if (!file.Write(data) || !file.Commit()) {
        ReportUnwritableFile(path, file.Error());
        return 1;
    }
    return 0;
}

int CStorageDumper::Plan(const CItsStorage& storage, const std::string& folder) {
    if (!CPath::CreateDir(folder)) {
        ReportUncreatableFile(folder);
        return 1;
    }
    int result = 0;
    for (const CItsElement& element : storage.Elements()) {
        bool isStream = element.type == kItsTypeStream;
        if (!m_filter.includeSystem && (isStream ? mb::chm::IsSystemStream(element.name)
                                                 : mb::chm::IsSystemStorage(element.name)))
            continue;
        if (isStream && !m_filter.includeProject && mb::chm::IsProjectCopy(element.name))
            continue;
        if (isStream && m_filter.skipSitemaps && mb::chm::IsSitemap(element.name))
            continue;
        if (!mb::chm::IsSafeElementName(element.name)) {
            m_found += isStream ? 1 : 0;
            std::string line = "\r\nunsafe name refused: \"" + element.name + "\" in " + folder +
                               " (it would be written outside the output folder)\n";
            mb::LogLine(line.c_str());
            result = 1;
            continue;
        }
        std::string path = Join(folder, element.name);
        if (isStream) {
            ++m_found;
            CItsStream stream;
            storage.OpenStream(element, stream);
            m_jobs.push_back({stream, path, stream.StorageOrder()});
            continue;
        }
        CItsStorage child;
        storage.OpenStorage(element, child);
        if (Plan(child, path) != 0)
            result = 1;
    }
    return result;
}

int CStorageDumper::Run() {
    std::stable_sort(m_jobs.begin(), m_jobs.end(),
                     [](const Job& a, const Job& b) { return a.order < b.order; });
    int result = 0;
    for (const Job& job : m_jobs) {
        if (m_writer(job.stream, job.path) != 0)
            result = 1;
        else
            ++m_handled;
    }
    m_jobs.clear();
    if (m_handled < m_found) {
        std::string line = "\r\n" + std::to_string(m_found - m_handled) + " of " +
                           std::to_string(m_found) + " files of the help file were not written\n";
        mb::LogLine(line.c_str());
        result = 1;
    }
    return result;
}

int CStorageDumper::Dump(const CItsStorage& storage, const std::string& folder) {
    int planned = Plan(storage, folder);
    int written = Run();
    return planned != 0 || written != 0 ? 1 : 0;
}

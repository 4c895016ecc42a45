#include "compiledhelp/ChmProjectStreams.h"

#include "compiledhelp/ElementRules.h"
#include "compiledhelp/ItsFile.h"

namespace {

// The note chmcmd writes at the root of every file it compiles.
constexpr const char* kCompilerNote = "_#_README_#_";

bool ReadNested(const CItsFile& file, const char* storageName, const char* streamName,
                std::string& data) {
    CItsStorage storage;
    CItsStream stream;
    return file.OpenStorage(storageName, storage) == kItsOk &&
           storage.OpenStream(streamName, stream) == kItsOk && stream.ReadAll(data) == kItsOk;
}

bool IsProjectFile(const CItsElement& element, bool atRoot) {
    using namespace mb::chm;
    if (element.type == kItsTypeStorage)
        return !IsSystemStorage(element.name) && IsSafeElementName(element.name);
    if (IsSystemStream(element.name) || IsProjectCopy(element.name) ||
        !IsSafeElementName(element.name))
        return false;
    return !atRoot || (!IsSitemap(element.name) && element.name != kCompilerNote);
}

std::vector<std::string> ListFiles(const CItsStorage& root) {
    std::vector<std::string> files;
    struct Folder {
        CItsStorage storage;
        std::string path; // with a trailing "/", or empty for the root
    };
    std::vector<Folder> pending{{root, ""}};
    while (!pending.empty()) {
        Folder folder = std::move(pending.back());
        pending.pop_back();
        std::vector<Folder> children;
        for (const CItsElement& element : folder.storage.Elements()) {
            if (!IsProjectFile(element, folder.path.empty()))
                continue;
            if (element.type == kItsTypeStream) {
                files.push_back(folder.path + element.name);
                continue;
            }
            CItsStorage child;
            if (folder.storage.OpenStorage(element, child) == kItsOk)
                children.push_back({child, folder.path + element.name + "/"});
        }
        // The files of a folder come before those of its sub-folders, which
        // follow in directory order.
        pending.insert(pending.end(), std::make_move_iterator(children.rbegin()),
                       std::make_move_iterator(children.rend()));
    }
    return files;
}

} // namespace

ChmProjectStreams ReadProjectStreams(const CItsFile& file) {
    ChmProjectStreams streams;
    std::string data;
    if (file.ReadStream("#SYSTEM", data) == kItsOk)
        streams.system = ParseSystemStream(data);
    ChmTopicTable topics = ChmTopicTable::Read(file);
    if (file.ReadStream("#WINDOWS", data) == kItsOk)
        streams.windows = ParseWindowsStream(data, topics.Strings());
    if (file.ReadStream("#TOCIDX", data) == kItsOk && !data.empty()) {
        streams.hasBinaryToc = true;
        streams.contents = ParseBinaryToc(data, topics);
    }
    if (ReadNested(file, "$WWKeywordLinks", "BTree", data) && !data.empty()) {
        streams.hasBinaryIndex = true;
        streams.index = ParseBinaryIndex(data, topics);
    }
    streams.files = ListFiles(file.pStorage());
    return streams;
}

// Finding and reading the streams and storages of the open help file.

#include "compiledhelp/CHMFileRW.h"

#include "compiledhelp/ElementRules.h"

using mb::chm::EndsWithNoCase;
using mb::chm::LowerAscii;
using mb::chm::UpperAscii;

namespace {

// The wanted path in the form it is compared in: "\" separators, no
// leading separator, lower case.
std::string ComparablePath(const std::string& path) {
    std::string out = LowerAscii(path);
    for (char& c : out) {
        if (c == '/')
            c = '\\';
    }
    size_t start = out.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : out.substr(start);
}

struct SearchResult {
    CItsStorage storage;
    CItsStream stream;
};

// Depth-first search in enumeration order for the first element of `type`
// whose compared name equals `wanted`. `current` is the lower-cased full
// path of `storage`.
bool Search(const CItsStorage& storage, const std::string& current, const std::string& wanted,
            bool fullPath, int type, SearchResult& found) {
    for (const CItsElement& element : storage.Elements()) {
        std::string name = LowerAscii(element.name);
        std::string path = current.empty() ? name : current + "\\" + name;
        if (element.type == type && (fullPath ? path : name) == wanted) {
            if (type == kItsTypeStream)
                storage.OpenStream(element, found.stream);
            else
                storage.OpenStorage(element, found.storage);
            return true;
        }
        if (element.type != kItsTypeStorage)
            continue;
        // With full paths only storages on the way to the wanted path can
        // hold it.
        if (fullPath && wanted.compare(0, path.size() + 1, path + "\\") != 0)
            continue;
        CItsStorage child;
        if (storage.OpenStorage(element, child) == kItsOk &&
            Search(child, path, wanted, fullPath, type, found))
            return true;
    }
    return false;
}

bool FindRootStream(const CItsFile& file, const char* ending, std::string& name) {
    size_t length = std::char_traits<char>::length(ending);
    for (const CItsElement& element : file.pStorage().Elements()) {
        if (element.type == kItsTypeStream && element.name.size() > length &&
            EndsWithNoCase(element.name, ending)) {
            name = element.name;
            return true;
        }
    }
    return false;
}

bool HasRootStream(const CItsFile& file, const std::string& name) {
    for (const CItsElement& element : file.pStorage().Elements()) {
        if (element.type == kItsTypeStream && element.name == name)
            return true;
    }
    return false;
}

} // namespace

bool CCHMFileRW::CHM_SetCHMFile(const std::string& path) {
    m_lastResult = m_file.OpenITS(path);
    m_replaceGuard.SetSource(path);
    return m_lastResult == kItsOk;
}

void CCHMFileRW::CHM_CloseCHMFile() {
    m_file.CloseStorage();
}

int64_t CCHMFileRW::CHM_GetStream(const std::string& path, std::string& data, bool fullPath) {
    data.clear();
    SearchResult found;
    if (!m_file.IsOpen() ||
        !Search(m_file.pStorage(), "", ComparablePath(path), fullPath, kItsTypeStream, found))
        return -1;
    if (found.stream.ReadAll(data) != kItsOk)
        return -1;
    return static_cast<int64_t>(data.size());
}

int64_t CCHMFileRW::CHM_GetStreamSize(const std::string& path, bool fullPath) {
    SearchResult found;
    if (!m_file.IsOpen() ||
        !Search(m_file.pStorage(), "", ComparablePath(path), fullPath, kItsTypeStream, found))
        return -1;
    return static_cast<int64_t>(found.stream.Size());
}

CItsStorage CCHMFileRW::GetStorage(const CItsStorage& start, const std::string& currentPath,
                                   const std::string& wantedPath, bool fullPath) const {
    SearchResult found;
    if (start)
        Search(start, ComparablePath(currentPath), ComparablePath(wantedPath), fullPath,
               kItsTypeStorage, found);
    return found.storage;
}

bool CCHMFileRW::FindAtRoot(const char* ending, std::string& name) const {
    return m_file.IsOpen() && FindRootStream(m_file, ending, name);
}

bool CCHMFileRW::CHM_FindFileAtRoot(const std::string& name) {
    return m_file.IsOpen() && HasRootStream(m_file, name);
}

bool CCHMFileRW::FindFileAtRoot(const std::string& chmPath, const std::string& name) {
    CItsFile file;
    return file.OpenITS(chmPath) == kItsOk && HasRootStream(file, name);
}

bool CCHMFileRW::CHM_FindHHCAtRoot(std::string& name) {
    return FindAtRoot(".hhc", name);
}

bool CCHMFileRW::CHM_FindHHKAtRoot(std::string& name) {
    return FindAtRoot(".hhk", name);
}

bool CCHMFileRW::FindMBKAtRoot(const std::string& chmPath, std::string& name) {
    CItsFile file;
    return file.OpenITS(chmPath) == kItsOk && FindRootStream(file, ".mbkmbk", name);
}

bool CCHMFileRW::CHM_FindMBKAtRoot(std::string& name) {
    if (!FindAtRoot(".mbkmbk", name))
        return false;
    name = UpperAscii(name);
    return true;
}

std::string CCHMFileRW::GetErr(int code) {
    return ItsResultText(code);
}

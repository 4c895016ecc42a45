// Copying the open help file into folders, its context-id table, and the
// description of its tree as XML.

#include "compiledhelp/CHMFileRW.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Path.h"
#include "baseutil/SafeFile.h"
#include "baseutil/Xml.h"
#include "compiledhelp/ElementRules.h"
#include "compiledhelp/StorageDumper.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <thread>

using mb::chm::EndsWithNoCase;

namespace {

uint32_t Word(const std::string& data, size_t index) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data()) + index * 4;
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// #IVB is a list of little-endian 32-bit words: a length word, then pairs
// of context id and offset of the topic text in #STRINGS.
int ReadContextMap(const CItsFile& file, CHMContextMap& map) {
    map.clear();
    std::string ivb;
    int result = file.ReadStream("#IVB", ivb);
    if (result == kItsNotFound)
        return kItsOk;
    if (result != kItsOk)
        return result;
    std::string strings;
    result = file.ReadStream("#STRINGS", strings);
    if (result != kItsOk && result != kItsNotFound)
        return result;
    size_t words = ivb.size() / 4;
    for (size_t i = 1; i + 1 < words; i += 2) {
        uint32_t id = Word(ivb, i);
        uint32_t offset = Word(ivb, i + 1);
        if (offset >= strings.size())
            continue; // points outside the string table: no text to give
        const char* text = strings.data() + offset;
        map[id] = std::string(text, strnlen(text, strings.size() - offset));
    }
    return kItsOk;
}

int TypeCode(const CItsElement& element) {
    if (element.type == kItsTypeStorage)
        return 0;
    static const struct {
        const char* extension;
        int code;
    } kCodes[] = {{"HHP", 1},  {"HHC", 2},  {"HHK", 2},  {"HTM", 3},  {"HTML", 3}, {"CSS", 4},
                  {"JS", 5},   {"BMP", 6},  {"JPG", 7},  {"JPEG", 7}, {"GIF", 8},  {"PNG", 9},
                  {"XML", 10}, {"XSL", 10}, {"XSD", 10}, {"XSLT", 10}};
    size_t dot = element.name.rfind('.');
    if (dot == std::string::npos)
        return 11;
    std::string_view extension = std::string_view(element.name).substr(dot + 1);
    for (const auto& entry : kCodes) {
        if (mb::chm::EqualsNoCase(extension, entry.extension))
            return entry.code;
    }
    return 11;
}

} // namespace

int CCHMFileRW::DumpAll(const CItsStorage& storage, const std::string& folder,
                        const std::string& inside, bool includeSystem) {
    CStorageDumper dumper(
        {includeSystem, m_includeProject, false},
        [this](const CItsStream& stream, const std::string& path) {
            return SaveStreamToFile(stream, path, m_replaceGuard, m_stop);
        },
        m_replaceGuard, m_stop, Workers());
    int result = dumper.Dump(storage, folder, inside);
    m_filesWritten += dumper.Written();
    m_workersUsed = dumper.WorkersUsed();
    return result;
}

size_t CCHMFileRW::Workers() const {
    return m_workers > 0 ? m_workers : std::max(1u, std::thread::hardware_concurrency());
}

int CCHMFileRW::CHM_Decompile(const std::string& folder, bool includeProject) {
    m_includeProject = includeProject;
    m_filesWritten = 0;
    if (!m_file.IsOpen())
        return 1;
    int result = DumpAll(m_file.pStorage(), folder, "", false);
    return ReportDamage() ? 1 : result;
}

bool CCHMFileRW::ReportDamage() const {
    if (m_file.Damage() == 0)
        return false;
    mb::LogProblem(m_channels.log,
                   "\r\nthe help file is damaged: some of its files are missing or incomplete\n");
    return true;
}

bool CCHMFileRW::CHM_DumpStorage(const std::string& subFolder, const std::string& storagePath,
                                 const std::string& folder, bool includeSystem) {
    if (!CPath::CreateDir(folder))
        return false;
    if (!mb::chm::IsSafeElementName(subFolder)) {
        mb::LogProblem(m_channels.log, "\r\nunsafe name refused: \"" + subFolder + "\" in " +
                                           folder +
                                           " (it would be written outside the output folder)\n");
        return false;
    }
    CItsStorage storage = GetStorage(m_file.pStorage(), "", storagePath, true);
    if (!storage)
        return true;
    std::string inside = "/" + storagePath;
    std::replace(inside.begin(), inside.end(), '\\', '/');
    return DumpAll(storage, CPath::AddBackSlash(folder, true) + subFolder, inside, includeSystem) ==
           0;
}

bool CCHMFileRW::CHM_DumpStream(const std::string&, const std::string& streamPath,
                                const std::string& file, bool) {
    std::string data;
    if (CHM_GetStream(streamPath, data, true) < 0)
        return false;
    std::string error;
    if (!mb::WriteFileSafely(file, data, &error)) {
        ReportUnwritableFile(m_channels.log, file, error);
        return false;
    }
    return true;
}

int CCHMFileRW::CHM_Dump(const std::string& folder, const std::string& mapFile) {
    if (!m_file.IsOpen())
        return 1;
    int result = DumpAll(m_file.pStorage(), folder, "", true);
    if (ReportDamage())
        result = 1;
    CHMContextMap map;
    int mapResult = ReadContextMap(m_file, map);
    if (mapResult != kItsOk)
        return mapResult;
    std::string text;
    for (const auto& [id, topic] : map)
        text += std::to_string(id) + "=" + topic + "\n";
    std::string path = CPath::AddBackSlash(folder, true) + mapFile;
    std::string error;
    if (!mb::WriteFileSafely(path, text, &error)) {
        ReportUnwritableFile(m_channels.log, path, error);
        return 1;
    }
    return result;
}

int CCHMFileRW::Dump(const std::string& chmPath, const std::string& folder,
                     const std::string& mapFile) {
    CCHMFileRW reader;
    reader.m_includeProject = m_includeProject;
    if (!reader.CHM_SetCHMFile(chmPath))
        return reader.GetLastResult();
    return reader.CHM_Dump(folder, mapFile);
}

int CCHMFileRW::GetContextMap(const std::string& chmPath, CHMContextMap& map) {
    map.clear();
    CItsFile file;
    int result = file.OpenITS(chmPath);
    return result == kItsOk ? ReadContextMap(file, map) : result;
}

bool CCHMFileRW::CHM_ReadAllStorageInfoToXML(CXML* root) {
    return root && m_file.IsOpen() && CHM_ReadStorageInfoToXML(m_file.pStorage(), root, false) == 0;
}

int CCHMFileRW::CHM_ReadStorageInfoToXML(const CItsStorage& storage, CXML* element,
                                         bool includeSystem) {
    std::string local = element->GetAttr("Local");
    int result = kItsOk;
    for (CItsElement& item : storage.Elements()) {
        bool isStream = item.type == kItsTypeStream;
        if (!includeSystem &&
            (isStream ? mb::chm::IsSystemStream(item.name) : mb::chm::IsSystemStorage(item.name)))
            continue;
        if (isStream && !m_includeProject && mb::chm::IsProjectCopy(item.name))
            continue;
        const int type = TypeCode(item);
        std::string itemLocal = local + "/" + item.name;
        CXML* node = element->AddChild("Node");
        node->SetAttr("Name", std::move(item.name));
        node->SetAttr("Type", type);
        node->SetAttr("Local", std::move(itemLocal));
        if (isStream) {
            node->SetAttr("Size", std::to_string(item.size));
            continue;
        }
        CItsStorage child;
        result = storage.OpenStorage(item, child);
        if (result == kItsOk)
            result = CHM_ReadStorageInfoToXML(child, node, includeSystem);
    }
    return result;
}

#include "compiledhelp/ItsAddress.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

std::vector<std::string> SplitNames(std::string_view path) {
    std::vector<std::string> names;
    std::string name;
    auto finish = [&] {
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        name.clear();
    };
    for (char c : path) {
        if (c == '/' || c == '\\')
            finish();
        else
            name += c;
    }
    finish();
    return names;
}

} // namespace

bool ParseItsAddress(std::string_view address, ItsAddress& out) {
    static constexpr std::string_view kPrefixes[] = {"ms-its:", "mk:@MSITStore:"};
    auto prefix = std::find_if(std::begin(kPrefixes), std::end(kPrefixes),
                               [&](std::string_view p) { return StartsWithNoCase(address, p); });
    if (prefix == std::end(kPrefixes))
        return false;
    address.remove_prefix(prefix->size());
    size_t separator = address.find("::");
    if (separator == 0 || separator == std::string_view::npos)
        return false;
    out.chmPath = std::string(address.substr(0, separator));
    out.streamPath = NormalizeStreamPath(address.substr(separator + 2));
    return true;
}

std::string NormalizeStreamPath(std::string_view path) {
    std::string joined;
    for (const std::string& name : SplitNames(path)) {
        if (!joined.empty())
            joined += '/';
        joined += name;
    }
    return joined;
}

std::string MakeItsAddress(const std::string& chmPath, const std::string& streamPath) {
    return "ms-its:" + chmPath + "::/" + streamPath;
}

int CItsStreamReader::Open(const std::string& chmPath) {
    struct stat info {};
    bool known = stat(chmPath.c_str(), &info) == 0;
    if (known && m_file.IsOpen() && chmPath == m_path && info.st_mtime == m_modified &&
        info.st_size == m_size)
        return kItsOk;
    m_file.CloseStorage();
    m_path.clear();
    int result = m_file.OpenITS(chmPath); // refuses anything but a regular file
    if (result != kItsOk)
        return result;
    m_path = chmPath;
    m_modified = known ? info.st_mtime : 0;
    m_size = known ? info.st_size : 0;
    return kItsOk;
}

int CItsStreamReader::Find(const ItsAddress& address, CItsStream& stream) {
    int result = Open(address.chmPath);
    if (result != kItsOk)
        return result;
    std::vector<std::string> names = SplitNames(address.streamPath);
    if (names.empty())
        return kItsWrongType; // the root itself
    CItsStorage storage = m_file.pStorage();
    for (size_t i = 0; i < names.size(); ++i) {
        const bool last = i + 1 == names.size();
        std::vector<CItsElement> elements = storage.Elements();
        auto match = std::find_if(elements.begin(), elements.end(), [&](const CItsElement& e) {
            return EqualsNoCase(e.name, names[i]) && (last || e.type == kItsTypeStorage);
        });
        if (match == elements.end())
            return kItsNotFound;
        if (last)
            return match->type == kItsTypeStream ? storage.OpenStream(*match, stream)
                                                 : kItsWrongType;
        CItsStorage child;
        if ((result = storage.OpenStorage(*match, child)) != kItsOk)
            return result;
        storage = child;
    }
    return kItsNotFound;
}

int CItsStreamReader::Read(const ItsAddress& address, std::string& data) {
    CItsStream stream;
    int result = Find(address, stream);
    return result == kItsOk ? stream.ReadAll(data) : result;
}

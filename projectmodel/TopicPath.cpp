#include "projectmodel/TopicPath.h"

#include "baseutil/CaseLookup.h"
#include "baseutil/Path.h"

#include <cctype>

namespace mb {
namespace {

bool HasScheme(const std::string& value) {
    size_t colon = value.find(':');
    // "x.chm::/a.htm" is a file name followed by the inside of a help file.
    if (colon == std::string::npos || colon < 2 || value.compare(colon, 2, "::") == 0 ||
        !std::isalpha(static_cast<unsigned char>(value[0])))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        char c = value[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-')
            return false;
    }
    return true;
}

} // namespace

size_t FilePartEnd(const std::string& location) {
    size_t inner = location.find("::");
    if (inner != std::string::npos)
        return inner;
    size_t anchor = location.find('#');
    return anchor == std::string::npos ? location.size() : anchor;
}

bool IsFixedLocation(const std::string& value) {
    if (!value.empty() && value[0] == '/')
        return true; // native absolute, whatever characters its names hold
    CPath path(value);
    return path.IsLocalPath() || path.IsNetworkPath() || HasScheme(value);
}

ResolvedPath ResolveAgainstFolder(const std::string& folder, const std::string& value) {
    std::string rest = value;
    if (!rest.empty() && rest[0] == '\\')
        rest.erase(0, 1);
    size_t end = FilePartEnd(rest);
    std::string file = rest.substr(0, end);
    std::string tail = rest.substr(end);

    bool native = CPath::IsNativeForm(folder);
    if (native) {
        for (char& c : file) {
            if (c == '\\')
                c = '/';
        }
    }
    std::string joined = CPath::Canonicalize(CPath::AddBackSlash(folder, native) + file);
    ResolvedPath result;
    result.asWritten = joined + tail;
    result.path = (native ? FindPathIgnoringCase(joined) : joined) + tail;
    return result;
}

} // namespace mb

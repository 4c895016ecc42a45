#include "projectmodel/ProjectCopyName.h"

#include "baseutil/HexDigit.h"
#include "projectmodel/LegacyText.h"

#include <cctype>
#include <cstdio>

namespace mb {
namespace {

constexpr const char* kExtension = ".mbkmbk";
constexpr size_t kExtensionSize = 7;

bool IsKept(unsigned char c) {
    return std::isalnum(c) ||
           (c != '%' && c >= 0x20 && c < 0x7F &&
            std::string_view(" -_.,()+=!@#$&'~[]{}").find(c) != std::string_view::npos);
}

} // namespace

std::string ProjectCopyName(const std::string& projectTitle) {
    std::string name;
    for (unsigned char c : projectTitle) {
        if (IsKept(c)) {
            name += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            name += escaped;
        }
    }
    return name + kExtension;
}

std::string ProjectTitleOfCopy(const std::string& copyName) {
    std::string name = copyName;
    if (name.size() >= kExtensionSize)
        name.erase(name.size() - kExtensionSize);
    std::string title;
    for (size_t i = 0; i < name.size(); ++i) {
        int high = name[i] == '%' && i + 2 < name.size() ? HexDigitValue(name[i + 1]) : -1;
        int low = high >= 0 ? HexDigitValue(name[i + 2]) : -1;
        if (low >= 0) {
            title += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            title += name[i];
        }
    }
    // A name that merely looks encoded is taken as it stands.
    if (!IsValidUtf8(title))
        title = name;
    if (title.empty() || title == "." || title == ".." ||
        title.find_first_of(std::string("/\\\0", 3)) != std::string::npos)
        return {};
    return title;
}

} // namespace mb

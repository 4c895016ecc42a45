#include "compiledhelp/ElementRules.h"

#include <algorithm>

namespace mb::chm {

namespace {
char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), Upper);
    return out;
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), Lower);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool IsSystemStream(std::string_view name) {
    return !name.empty() && (name[0] == '#' || name[0] == '$');
}

bool IsSystemStorage(std::string_view name) {
    return !name.empty() && name[0] == '$';
}

bool IsProjectCopy(std::string_view name) {
    return EndsWithNoCase(name, ".mbkmbk");
}

bool IsSitemap(std::string_view name) {
    return EndsWithNoCase(name, ".hhc") || EndsWithNoCase(name, ".hhk");
}

bool IsSafeElementName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos)
        return false;
    bool driveLetter = name.size() >= 2 && name[1] == ':' &&
                       ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    return !driveLetter;
}

bool IsInternetLink(std::string_view text) {
    return StartsWithNoCase(text, "http://") || StartsWithNoCase(text, "https://") ||
           StartsWithNoCase(text, "mailto:");
}

} // namespace mb::chm

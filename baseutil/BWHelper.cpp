#include "baseutil/BWHelper.h"

#include "baseutil/Desktop.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"

#include <cctype>

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string LowerAscii(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        c = Lower(c);
    return lower;
}

// Reads one line without its "\n" and a "\r" before it. False at the end of
// the stream (or on a read error) when nothing was read.
bool ReadLine(std::FILE* in, std::string& line) {
    line.clear();
    int c;
    while ((c = std::getc(in)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (c == EOF && line.empty())
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

template <typename Transform> bool CodeLines(std::FILE* in, std::FILE* out, Transform transform) {
    if (!in || !out)
        return false;
    std::string line;
    while (ReadLine(in, line)) {
        transform(line);
        line += '\n';
        if (std::fwrite(line.data(), 1, line.size(), out) != line.size())
            return false;
    }
    return !std::ferror(in) && std::fflush(out) == 0;
}

std::string FormatTime(const char* format, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char buffer[64];
    std::size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, length);
}

} // namespace

bool CBWHelper::WildMatch(const std::string& pattern, const std::string& name,
                          const std::string& allowed) {
    const std::string p = LowerAscii(pattern);
    const std::string n = LowerAscii(name);
    auto isAllowed = [&](char c) {
        return allowed.empty() || allowed.find(c) != std::string::npos;
    };

    std::size_t i = 0; // pattern position
    std::size_t j = 0; // name position
    bool skipping = false;
    bool optional = false;
    while (j < n.size()) {
        if (i >= p.size())
            return false;
        char c = p[i];
        if (c == '*') {
            if (i + 1 == p.size()) {
                for (; j < n.size(); ++j)
                    if (!isAllowed(n[j]))
                        return false;
                return true;
            }
            skipping = true;
            optional = false;
            ++i;
        } else if (c == '^') {
            optional = true;
            ++i;
        } else if (c == n[j]) {
            ++i;
            ++j;
            skipping = false;
            optional = false;
        } else if (c == '?' && isAllowed(n[j])) {
            ++i;
            ++j;
            optional = false;
        } else if (optional && (!skipping || !isAllowed(n[j]))) {
            ++i;
            optional = false;
        } else if (skipping) {
            ++j;
        } else {
            return false;
        }
    }
    // The name is used up: only stars and optional characters may remain.
    if (optional && i < p.size())
        ++i;
    while (i < p.size()) {
        if (p[i] == '*')
            ++i;
        else if (p[i] == '^' && i + 1 < p.size())
            i += 2;
        else
            return false;
    }
    return true;
}

std::string CBWHelper::GetPublicDirectory(const std::string& first, const std::string& second) {
    bool native = CPath::IsNativeForm(first);
    if (first.empty() || second.empty() || native != CPath::IsNativeForm(second))
        return {};
    char sep = native ? '/' : '\\';
    auto prepare = [&](std::string path) {
        for (char& c : path)
            if (c == '\\' || c == '/')
                c = sep;
        return CPath::AddBackSlash(path, native);
    };
    auto same = [&](char a, char b) { return native ? a == b : Lower(a) == Lower(b); };
    const std::string a = prepare(first);
    const std::string b = prepare(second);

    std::size_t lastSep = std::string::npos;
    std::size_t i = 0;
    for (; i < a.size() && i < b.size() && same(a[i], b[i]); ++i)
        if (a[i] == sep)
            lastSep = i;
    if (i == a.size() && i == b.size())
        lastSep = a.size() - 1; // equal paths: the first one without its separator
    if (lastSep == std::string::npos)
        return {};
    std::string common = a.substr(0, lastSep);
    if (common.find_first_not_of(sep) == std::string::npos)
        return native && a[0] == '/' ? "/" : "";
    return common;
}

int CBWHelper::CreateDir(const std::string& folder) {
    CPath::CreateDir(folder);
    return 1;
}

std::string CBWHelper::SPACE(int count) {
    return std::string(count > 0 ? count : 0, ' ');
}

std::string CBWHelper::HTML_BLANK(int count) {
    std::string text;
    for (int k = 0; k < count; ++k)
        text += "&nbsp;";
    return text;
}

std::string CBWHelper::GetDateTimeString2(std::time_t when) {
    return FormatTime("%Y%m", when);
}

std::string CBWHelper::GetDateTimeString3(std::time_t when) {
    return FormatTime("%Y-%m-%d %H:%M:%S", when);
}

bool CBWHelper::OpenCHMInChmViewer(mb::IDesktop& desktop, const std::string& file) {
    return !file.empty() && desktop.Open(file);
}

bool CBWHelper::OpenDirectoryInWindowsExplorer(mb::IDesktop& desktop, const std::string& folder) {
    return !folder.empty() && desktop.Open(folder);
}

bool CBWHelper::EncryptFileA(std::FILE* in, std::FILE* out) {
    return CodeLines(in, out, SimpleEncode);
}

bool CBWHelper::DecryptFileA(std::FILE* in, std::FILE* out) {
    return CodeLines(in, out, SimpleDecode);
}

void CBWHelper::SimpleEncode(std::string& text) {
    std::string coded;
    coded.reserve(text.size() * 2);
    for (char c : text) {
        coded += c;
        coded += c;
    }
    text = std::move(coded);
}

void CBWHelper::SimpleDecode(std::string& text) {
    std::size_t half = text.size() / 2;
    for (std::size_t k = 0; k < half; ++k)
        text[k] = text[2 * k];
    text.resize(half);
}

int CBWHelper::GetFilesByOpenFileDialog(mb::IPrompt& prompt, std::vector<std::string>& files,
                                        const std::string& filter, bool multiple,
                                        const std::string& initialFolder) {
    files.clear();
    mb::PickRequest request;
    request.filter = filter.empty() ? "HTML Files (*.htm*)|*.htm*" : filter;
    request.initialPath = initialFolder;
    request.multiple = multiple;
    std::optional<std::vector<std::string>> picked = prompt.PickOpenFiles(request);
    if (!picked || picked->empty())
        return 0;
    if (!multiple || picked->size() == 1) {
        files.push_back(picked->front());
        return 1;
    }
    // Several files: their folder first, then the names below it.
    std::string folder = CPath(picked->front()).GetLocation();
    for (const std::string& path : *picked)
        folder = GetPublicDirectory(folder, path);
    if (folder.empty())
        return 0;
    std::string prefix = CPath::AddBackSlash(folder, CPath::IsNativeForm(folder));
    files.push_back(folder);
    for (const std::string& path : *picked)
        files.push_back(path.substr(prefix.size()));
    return 1;
}

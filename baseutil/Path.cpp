#include "baseutil/Path.h"

#include "baseutil/TextFold.h"

#include <cctype>
#include <climits>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxPath = PATH_MAX;

bool IsSep(char c) {
    return c == '\\' || c == '/';
}

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::string Trim(std::string_view text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string Unquote(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// Position of the first blank outside double quotes, or npos.
std::size_t FirstBlankOutsideQuotes(std::string_view text) {
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if ((text[i] == ' ' || text[i] == '\t') && !quoted)
            return i;
    }
    return std::string_view::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           mb::CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

// A path cut into its root and names. The root tokens "/" (one leading
// separator) and "//" (a network share) cannot be names; a drive ("C:") is
// the first name.
struct Components {
    std::vector<std::string> parts;
    bool trailingSep = false;
};

Components Split(std::string_view path) {
    Components result;
    std::size_t i = 0;
    if (path.size() >= 2 && IsSep(path[0]) && IsSep(path[1])) {
        result.parts.push_back("//");
        i = 2;
    } else if (!path.empty() && IsSep(path[0])) {
        result.parts.push_back("/");
        i = 1;
    }
    while (i < path.size()) {
        std::size_t end = i;
        while (end < path.size() && !IsSep(path[end]))
            ++end;
        if (end > i)
            result.parts.emplace_back(path.substr(i, end - i));
        i = end + 1;
    }
    result.trailingSep = !path.empty() && IsSep(path.back());
    return result;
}

// How many leading parts form the root that ".." cannot leave.
std::size_t RootSize(const std::vector<std::string>& parts, bool native) {
    if (parts.empty())
        return 0;
    if (parts[0] == "//")
        return std::min<std::size_t>(3, parts.size()); // "\\server\share"
    if (parts[0] == "/" || (!native && HasDrive(parts[0]) && parts[0].size() == 2))
        return 1;
    return 0;
}

std::string Join(const std::vector<std::string>& parts, bool trailingSep, char sep) {
    std::string result;
    std::size_t i = 0;
    if (!parts.empty() && (parts[0] == "/" || parts[0] == "//")) {
        result.assign(parts[0].size(), sep);
        i = 1;
    }
    for (std::size_t first = i; i < parts.size(); ++i) {
        if (i > first)
            result += sep;
        result += parts[i];
    }
    if (trailingSep && !result.empty() && result.back() != sep)
        result += sep;
    return result;
}

std::string CanonicalizeAs(std::string_view path, bool native) {
    Components split = Split(path);
    std::size_t root = RootSize(split.parts, native);
    std::vector<std::string> parts(split.parts.begin(), split.parts.begin() + root);
    for (std::size_t i = root; i < split.parts.size(); ++i) {
        const std::string& part = split.parts[i];
        if (part == ".")
            continue;
        if (part == "..") {
            if (parts.size() > root && parts.back() != "..")
                parts.pop_back();
            else if (root == 0)
                parts.push_back(part); // a relative path may lead upwards
            continue;
        }
        parts.push_back(part);
    }
    if (parts.empty())
        return path.empty() ? std::string() : std::string(".");
    // A lone drive stands for its root folder when the path had one ("C:\a\.." is "C:\").
    bool driveRoot =
        parts.size() == 1 && root == 1 && parts[0] != "/" && path.size() > 2 && IsSep(path[2]);
    return Join(parts, split.trailingSep || driveRoot, native ? '/' : '\\');
}

bool SamePart(const std::string& a, const std::string& b, bool native) {
    return native ? a == b : mb::CompareNoCase(a, b) == 0;
}

} // namespace

int CPath::SetPath(const std::string& path, bool isFolder, bool hasArguments) {
    *this = CPath();
    m_original = path;

    std::string text = Trim(path);
    std::string args;
    if (hasArguments) {
        std::size_t blank = FirstBlankOutsideQuotes(text);
        if (blank != std::string::npos) {
            args = Trim(std::string_view(text).substr(blank));
            text.resize(blank);
        }
    }
    text = Unquote(text);
    if (text.empty())
        return 2;
    if (text.size() >= kMaxPath)
        return 1;

    bool native = IsNativeForm(text);
    char sep = native ? '/' : '\\';
    std::string drive;
    std::string rest = text;
    if (!native && HasDrive(text)) {
        drive = text.substr(0, 2);
        rest = text.substr(2);
    }
    for (char& c : rest)
        if (IsSep(c))
            c = sep;

    std::size_t cut = rest.rfind(sep);
    std::string dir = cut == std::string::npos ? std::string() : rest.substr(0, cut + 1);
    std::string name = cut == std::string::npos ? rest : rest.substr(cut + 1);
    if (isFolder && !name.empty()) {
        dir += name + sep;
        name.clear();
    }
    if (dir.size() >= kMaxPath)
        return 1;

    std::size_t dot = name.rfind('.');
    m_title = name.substr(0, dot);
    m_ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    m_drive = drive;
    m_dir = dir;
    m_args = args;
    m_clean = text;
    m_relative = text[0] == '\\' && (text.size() < 2 || !IsSep(text[1]));
    m_native = native;
    m_parsed = true;
    return 0;
}

bool CPath::IsLocalPath() const {
    if (!m_parsed || m_relative)
        return false;
    return m_native ? m_clean[0] == '/' : !m_drive.empty();
}

bool CPath::IsNetworkPath() const {
    for (std::string_view prefix : {"http:", "https:", "ftp:", "mailto:", "\\\\"})
        if (StartsWithNoCase(m_clean, prefix))
            return true;
    return false;
}

bool CPath::ExistFile() const {
    if (!IsNativePath() || GetFileName().empty())
        return false;
    std::error_code ec;
    return fs::is_regular_file(GetPath(), ec);
}

bool CPath::ExistLocation() const {
    if (!IsNativePath() || GetLocation().empty())
        return false;
    std::error_code ec;
    return fs::is_directory(GetLocation(), ec);
}

std::string CPath::GetFileName() const {
    return m_ext.empty() ? m_title : m_title + "." + m_ext;
}

std::string CPath::GetRealExtName() const {
    if (StartsWithNoCase(m_ext, "htm#"))
        return m_ext.substr(0, 3);
    if (StartsWithNoCase(m_ext, "html#"))
        return m_ext.substr(0, 4);
    return m_ext;
}

std::string CPath::GetRealExtension() const {
    std::string ext = GetRealExtName();
    return ext.empty() ? ext : "." + ext;
}

std::string CPath::GetRealFileName() const {
    return m_title + GetRealExtension();
}

std::string CPath::GetPath(bool withArguments) const {
    std::string path = GetLocation() + GetFileName();
    if (withArguments && !m_args.empty())
        path += " " + m_args;
    return path;
}

std::vector<std::string> CPath::GetDirectoryNames() const {
    std::vector<std::string> names;
    for (std::string& part : Split(m_dir).parts)
        if (part != "/" && part != "//")
            names.push_back(std::move(part));
    return names;
}

std::vector<std::string> CPath::GetArgumentList() const {
    std::vector<std::string> list;
    std::string_view rest = m_args;
    while (!rest.empty()) {
        std::size_t blank = FirstBlankOutsideQuotes(rest);
        std::string arg = Unquote(Trim(rest.substr(0, blank)));
        if (!arg.empty())
            list.push_back(arg);
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    }
    return list;
}

std::string CPath::GetRelativePath(const std::string& folder) const {
    if (!m_parsed || m_relative || folder.empty())
        return {};
    std::string target = GetPath();
    Components from = Split(CanonicalizeAs(folder, m_native));
    Components to = Split(CanonicalizeAs(target, m_native));

    std::size_t common = 0;
    while (common < from.parts.size() && common < to.parts.size() &&
           SamePart(from.parts[common], to.parts[common], m_native))
        ++common;
    if (common == 0)
        return {};

    std::vector<std::string> steps(from.parts.size() - common, "..");
    steps.insert(steps.end(), to.parts.begin() + common, to.parts.end());
    if (steps.empty())
        return ".";
    return Join(steps, to.trailingSep, m_native ? '/' : '\\');
}

std::string CPath::GetAbsolutePath(const std::string& base) const {
    if (!m_relative || base.empty())
        return {};
    bool native = IsNativeForm(base);
    return CanonicalizeAs(AddBackSlash(base, native) + GetPath().substr(1), native);
}

bool CPath::IsNativeForm(std::string_view path) {
    return !HasDrive(path) && path.find('\\') == std::string_view::npos;
}

std::string CPath::Canonicalize(const std::string& path) {
    return CanonicalizeAs(path, IsNativeForm(path));
}

int CPath::CreateDir(const std::string& folder, std::string* reason) {
    if (folder.empty() || !IsNativeForm(folder)) {
        if (reason)
            *reason = "not a full path";
        return 0;
    }
    std::error_code created;
    fs::create_directories(folder, created);
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return 1;
    if (reason)
        *reason = created ? created.message() : "a file of this name is in the way";
    return 0;
}

std::string CPath::AddBackSlash(const std::string& text, bool slash) {
    if (text.empty() || IsSep(text.back()))
        return text;
    return text + (slash ? '/' : '\\');
}

std::string CPath::RemoveBackSlash(const std::string& text) {
    if (text.empty() || !IsSep(text.back()))
        return text;
    return text.substr(0, text.size() - 1);
}

#pragma once
// One parsed file path and the questions asked about it.
//
// Two forms of path are handled. A Windows path has a drive letter
// ("C:\help\a.htm"), names a network share ("\\server\share\a.htm"), is
// project-relative (exactly one leading backslash, "\images\a.gif", resolved
// against the project folder) or uses backslash separators; its directory is
// kept with "\" separators. Every other path is native ("/home/ann/a.htm",
// "img/a.gif") and keeps "/" separators. A native absolute path counts as a
// local ("drive") path.

#include <string>
#include <string_view>
#include <vector>

class CPath {
public:
    CPath() = default;
    explicit CPath(const std::string& path, bool isFolder = false, bool hasArguments = false) {
        SetPath(path, isFolder, hasArguments);
    }

    // Parses `path`. With `hasArguments` the arguments are split off first at
    // the first blank outside quotes; enclosing quotes are then removed. With
    // `isFolder` the whole path names a folder. Returns 0 on success, 1 when
    // the path or its directory is too long for the platform, 2 when nothing
    // is left after removing arguments and quotes. On failure only the path as
    // passed in is kept.
    int SetPath(const std::string& path, bool isFolder = false, bool hasArguments = false);

    // True for a path in the native form (see above).
    bool IsNativePath() const { return m_parsed && m_native; }
    // A drive path or native absolute path that is not project-relative.
    bool IsLocalPath() const;
    // Exactly one leading backslash: below the root of a project.
    bool IsRelativePath() const { return m_relative; }
    bool IsFilePath() const { return !m_title.empty(); }
    // Web, mail or ftp address, or a network share.
    bool IsNetworkPath() const;
    bool ExistFile() const;
    bool ExistLocation() const;

    const std::string& GetOriginalPath() const { return m_original; }
    const std::string& GetDrive() const { return m_drive; }
    const std::string& GetDirectory() const { return m_dir; }
    std::string GetLocation() const { return m_drive + m_dir; }
    std::string GetLocationNoSlash() const { return RemoveBackSlash(GetLocation()); }
    const std::string& GetFileTitle() const { return m_title; }
    std::string GetFileName() const;
    const std::string& GetExtName() const { return m_ext; }
    std::string GetExtension() const { return m_ext.empty() ? std::string() : "." + m_ext; }
    // The extension with an anchor behind "htm" or "html" dropped.
    std::string GetRealExtName() const;
    std::string GetRealExtension() const;
    std::string GetRealFileName() const;
    // The file behind the address of a page with an anchor.
    std::string GetEditablePath() const { return GetLocation() + GetRealFileName(); }
    std::string GetPath(bool withArguments = false) const;
    const std::string& GetArguments() const { return m_args; }
    // The folder names of the directory, from the root down.
    std::vector<std::string> GetDirectoryNames() const;
    // The arguments one by one (split at blanks outside quotes, unquoted).
    std::vector<std::string> GetArgumentList() const;

    // This path relative to `folder`, with ".." steps where needed; empty for
    // a project-relative path or when the two share no root.
    std::string GetRelativePath(const std::string& folder) const;
    // A project-relative path resolved against `base` (taking the form of
    // the base) and canonicalised; empty for every other path or empty base.
    std::string GetAbsolutePath(const std::string& base) const;

    // True for a path text that is in the native form.
    static bool IsNativeForm(std::string_view path);
    // Resolves "." and ".." steps and doubled separators without touching the
    // file system; ".." never climbs above the root of an absolute path.
    static std::string Canonicalize(const std::string& path);
    // Creates `folder` and every missing parent. 1 when the folder exists
    // afterwards, 0 otherwise (always 0 for a Windows path), with the
    // reason in `reason` when given.
    static int CreateDir(const std::string& folder, std::string* reason = nullptr);
    // Appends "\" (or "/" with `slash`) unless `text` already ends in a
    // separator; empty text stays empty.
    static std::string AddBackSlash(const std::string& text, bool slash = false);
    // Removes one trailing "\" or "/".
    static std::string RemoveBackSlash(const std::string& text);

private:
    std::string m_original;
    std::string m_clean; // after arguments and quotes were removed
    std::string m_drive;
    std::string m_dir;
    std::string m_title;
    std::string m_ext;
    std::string m_args;
    bool m_relative = false;
    bool m_native = false;
    bool m_parsed = false;
};

// Listing a folder into a file list (CAppHelper::EnumDirectory).

#include "appglue/AppHelper.h"

#include "appglue/FileItems.h"
#include "baseutil/Path.h"
#include "baseutil/Xml.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names ignoring case first, then byte by byte, so the order is stable.
bool NameBefore(const std::string& a, const std::string& b) {
    size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        unsigned char x = static_cast<unsigned char>(Lower(a[i]));
        unsigned char y = static_cast<unsigned char>(Lower(b[i]));
        if (x != y)
            return x < y;
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// Where the symbolic link `link` leads when that lies inside `root` (a real
// path, ending in "/"): the target's real path relative to the root, "" for
// the root itself. Nothing when the link leads out or nowhere.
std::optional<std::string> TargetInside(const fs::path& link, const std::string& root) {
    std::error_code ec;
    std::string target = fs::canonical(link, ec).string();
    if (ec)
        return std::nullopt;
    if (target + "/" == root)
        return std::string();
    if (target.compare(0, root.size(), root) != 0)
        return std::nullopt;
    return target.substr(root.size());
}

std::string WithSlash(const std::string& folder) {
    return folder.empty() || folder.back() != '/' ? folder + "/" : folder;
}

} // namespace

int CAppHelper::EnumDirectory(const std::string& folder, int recurse, CXML* parent, int wrapFlash) {
    if (!parent || folder.empty() || !CPath::IsNativeForm(folder))
        return 0;
    std::error_code ec;
    FolderWalk walk;
    walk.root = WithSlash(fs::canonical(folder, ec).string());
    if (ec)
        return 0;
    return ListFolder(CPath::AddBackSlash(folder, true), recurse != 0, parent, wrapFlash, walk);
}

bool CAppHelper::WalkReaches(const std::string& inside, bool recurse) const {
    if (!recurse)
        return false;
    for (const fs::path& part : fs::path(inside)) {
        if (!AdmitsFolder(part.string()))
            return false;
    }
    return true;
}

// Every real folder is listed once, however many links lead to it, so that
// links cannot make the list grow without bound. Links that lead out of the
// listed folder are passed over: adding a folder adds what lies in it, never
// what a link elsewhere points at. A link to a folder that the walk lists
// under its own name anyway is passed over too; the folders of virtual file
// systems (/proc, /sys ...) are not entered.
int CAppHelper::ListFolder(const std::string& folder, bool recurse, CXML* parent, int wrapFlash,
                           FolderWalk& walk) {
    if (walk.stopped)
        return 0;
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || walk.virtualFolders.Contains(folder, info.st_dev))
        return 0;
    if (!walk.listed.insert({info.st_dev, info.st_ino}).second)
        return 0;

    std::vector<std::string> folders;
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        fs::file_status status = it->status(typeError); // follows symbolic links
        if (it->is_symlink(typeError)) {
            std::optional<std::string> inside = TargetInside(it->path(), walk.root);
            if (!inside || (fs::is_directory(status) && WalkReaches(*inside, recurse)))
                continue;
        }
        std::string name = it->path().filename().string();
        if (fs::is_directory(status))
            folders.push_back(std::move(name));
        else if (fs::is_regular_file(status))
            files.push_back(std::move(name));
    }
    walk.folders += 1;
    walk.files += files.size();
    if (m_walkProgress && !m_walkProgress(walk.folders, walk.files))
        walk.stopped = true;
    std::sort(folders.begin(), folders.end(), NameBefore);
    std::sort(files.begin(), files.end(), NameBefore);

    if (!recurse)
        folders.clear();
    int added = 0;
    for (const std::string& name : folders) {
        if (!AdmitsFolder(name))
            continue;
        CXML* item = mb::AddFolderItem(parent, name);
        ListFolder(folder + name + "/", true, item, wrapFlash, walk);
        if (item->GetChildCount() == 0) {
            parent->RemoveChild(item);
            delete item;
            continue;
        }
        ++added;
    }

    for (const std::string& name : files) {
        if (!AdmitsFile(name))
            continue;
        mb::AddFileItem(parent, ListedPath(folder + name, wrapFlash));
        ++added;
    }
    return added;
}

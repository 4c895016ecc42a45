// Listing a folder into a file list (CAppHelper::EnumDirectory).

#include "appglue/AppHelper.h"

#include "appglue/FileItems.h"
#include "baseutil/Path.h"
#include "baseutil/Xml.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

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

// Whether the symbolic link `link` leads to something inside `root` (a
// real path).
bool LeadsInto(const fs::path& link, const std::string& root) {
    std::error_code ec;
    std::string target = fs::canonical(link, ec).string();
    if (ec)
        return false;
    std::string inside = root.back() == '/' ? root : root + "/";
    return target.compare(0, inside.size(), inside) == 0;
}

} // namespace

int CAppHelper::EnumDirectory(const std::string& folder, int recurse, CXML* parent, int wrapFlash) {
    if (!parent || folder.empty() || !CPath::IsNativeForm(folder))
        return 0;
    std::error_code ec;
    FolderWalk walk{fs::canonical(folder, ec).string(), {}};
    if (ec)
        return 0;
    return ListFolder(CPath::AddBackSlash(folder, true), recurse != 0, parent, wrapFlash, walk);
}

// The walk's chain holds the folders being listed above this one: a
// sub-folder that leads back to one of them (through a symbolic link) is
// not entered again. Links that lead out of the listed folder are passed
// over: adding a folder adds what lies in it, never what a link elsewhere
// points at.
int CAppHelper::ListFolder(const std::string& folder, bool recurse, CXML* parent, int wrapFlash,
                           FolderWalk& walk) {
    std::vector<FolderId>& chain = walk.chain;
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0)
        return 0;
    FolderId id{static_cast<unsigned long long>(info.st_dev),
                static_cast<unsigned long long>(info.st_ino)};
    if (std::find(chain.begin(), chain.end(), id) != chain.end())
        return 0;

    std::vector<std::string> folders;
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_symlink(typeError) && !LeadsInto(it->path(), walk.root))
            continue;
        fs::file_status status = it->status(typeError); // follows symbolic links
        std::string name = it->path().filename().string();
        if (fs::is_directory(status))
            folders.push_back(std::move(name));
        else if (fs::is_regular_file(status))
            files.push_back(std::move(name));
    }
    std::sort(folders.begin(), folders.end(), NameBefore);
    std::sort(files.begin(), files.end(), NameBefore);

    if (!recurse)
        folders.clear();
    int added = 0;
    chain.push_back(id);
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
    chain.pop_back();

    for (const std::string& name : files) {
        if (!AdmitsFile(name))
            continue;
        mb::AddFileItem(parent, ListedPath(folder + name, wrapFlash));
        ++added;
    }
    return added;
}

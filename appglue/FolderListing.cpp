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

} // namespace

int CAppHelper::EnumDirectory(const std::string& folder, int recurse, CXML* parent, int wrapFlash) {
    if (!parent || folder.empty() || !CPath::IsNativeForm(folder))
        return 0;
    std::vector<FolderId> chain;
    return ListFolder(CPath::AddBackSlash(folder, true), recurse != 0, parent, wrapFlash, chain);
}

// `chain` holds the folders being listed above this one: a sub-folder that
// leads back to one of them (through a symbolic link) is not entered again.
int CAppHelper::ListFolder(const std::string& folder, bool recurse, CXML* parent, int wrapFlash,
                           std::vector<FolderId>& chain) {
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
        ListFolder(folder + name + "/", true, item, wrapFlash, chain);
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

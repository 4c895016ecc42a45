#pragma once
// The application helper: turns picked folders and files and dropped data
// into file lists for the add commands, writes wrapper pages for Flash
// movies, and reports the user, computer and address names.
//
// A file list is an element (the caller's, usually "FilesList") that gets
// "FileItem" children: "Name", "Type" (0 file, 1 folder or heading with its
// items inside, 2 topic with a link, 3 sitemap of the CHM explorer) and
// "Local" (path or link; absent for folders), and the attribute "PublicPath":
// the folder common to everything listed. Paths are native; the entries of a
// folder are listed sub-folders first, each group sorted by name.

#include "appglue/AddDirectoryDialog.h"
#include "appglue/DragDropHelper.h"
#include "appglue/VirtualFolders.h"
#include "runconfig/AddDirectoryOption.h"

#include <sys/types.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class CConfigData;
class CDropFileFilterSet;
class CRunEnv;
class CXML;

class CAppHelper {
public:
    // Folders to add are asked in `dialog`, files to add with the pickers
    // and the busy cursor of `prompt`; Flash movies wrapped in pages are
    // listed in `env` for copying along (none owned).
    CAppHelper(mb::IAddDirectoryDialog& dialog, mb::IPrompt& prompt, CRunEnv& env)
        : m_dialog(dialog), m_prompt(prompt), m_env(env) {}
    virtual ~CAppHelper() = default;
    CAppHelper(const CAppHelper&) = delete;
    CAppHelper& operator=(const CAppHelper&) = delete;

    // The add-directory options and the drop-file filter set (not owned;
    // both live in the configuration). Without options set, the helper uses
    // its own; without a filter set, nothing is filtered.
    void SetAddDirectoryOption(tagAddDirectoryOption* options);
    void SetDropFileFilterSet(CDropFileFilterSet* filters) { m_filters = filters; }
    // Takes both from `config`, as the program does at start-up: the
    // options the add-directory dialog last stored and the filter set the
    // user edits.
    void UseConfiguration(CConfigData& config);
    tagAddDirectoryOption* GetAddDirectoryOption() const { return m_options; }
    CDropFileFilterSet* GetDropFileFilterSet() const { return m_filters; }
    CDragDropHelper* GetDragDropHelper() { return &m_dragDrop; }
    mb::IAddDirectoryDialog& AddDirectoryDialog() const { return m_dialog; }
    mb::IPrompt& Prompt() const { return m_prompt; }

    // Files chosen in a multi-select open dialog that starts in `startFolder`
    // with the picker filter `filter` ("" for HTML files); Flash movies are
    // wrapped when `wrapFlash` is set. 0 when the user cancelled.
    int GetFilesList1(CXML* list, const std::string& startFolder, const std::string& filter,
                      int wrapFlash);
    // One folder chosen in the add-directory dialog, with its contents (its
    // sub-folders when the dialog says so), Flash movies wrapped. 0 when
    // cancelled, when the folder does not exist or when the filter skips it.
    int GetFilesList3(CXML* list);
    // Merge files (compiled help files) chosen in an open dialog that
    // starts in `startFolder`. 0 when cancelled.
    int GetFilesList4(CXML* list, const std::string& startFolder);
    // Lists the files of `folder` into `parent`, and with `recurse` its
    // sub-folders as folder items (left out when nothing is listed inside).
    // The filter in use decides which sub-folders and files are taken; each
    // real folder is listed once, and virtual file systems (/proc, /sys ...)
    // are not entered. Returns the number of items added to `parent`.
    int EnumDirectory(const std::string& folder, int recurse, CXML* parent, int wrapFlash);
    // Told, after each folder a walk has read, how many folders and files
    // it has seen; answering false ends the walk where it stands (for an
    // interrupted command). Empty: no one is told.
    using WalkProgress = std::function<bool(size_t folders, size_t files)>;
    void SetWalkProgress(WalkProgress progress) { m_walkProgress = std::move(progress); }
    // Writes the page that shows the movie `movie` (D/T.swf) beside it as
    // D/T_swf.htm; `page` receives its path. 0 (and `page` empty) when the
    // page cannot be written.
    int Swf2Html(const std::string& movie, std::string& page);

    int DropHelper(const mb::IDropData& data, int fromSelf) {
        return m_dragDrop.DropHelper(data, fromSelf);
    }
    int GetFilesListFromFolderView(CXML* list, int wrapFlash) {
        return m_dragDrop.GetFilesListFromFolderView(list, wrapFlash);
    }
    int GetFilesListFromArchiveView_Content(CXML* list) {
        return m_dragDrop.GetFilesListFromArchiveView_Content(list);
    }
    int GetFilesListFromArchiveView_Index(CXML* list) {
        return m_dragDrop.GetFilesListFromArchiveView_Index(list);
    }
    std::string GetDroppedString() const { return m_dragDrop.GetDroppedString(); }
    std::string GetDroppedTopicFileName() const { return m_dragDrop.GetDroppedTopicFileName(); }

    // The login name of the user and the computer's name; "unknown" when
    // the system cannot tell.
    std::string GetCurrentUserName() const;
    std::string GetCurrentComputerName() const;
    // The first IPv4 address of the computer's name, dotted; language text
    // 257 when the name or the look-up fails.
    std::string GetHostIPAddress() const;

    // The decisions of the filter in use on a bare folder or file name.
    bool AdmitsFolder(const std::string& folderName) const;
    bool AdmitsFile(const std::string& fileName) const;
    // The path to list for the file `path`: with `wrapFlash` and a ".swf"
    // movie, its wrapper page (written here, the movie registered with the
    // run environment to be copied along); otherwise the path itself.
    std::string ListedPath(const std::string& path, int wrapFlash);

private:
    // The folder being listed (its real path, ending in "/"), the real
    // folders listed so far (device and inode), and the counts told to the
    // progress.
    struct FolderWalk {
        std::string root;
        std::set<std::pair<dev_t, ino_t>> listed;
        mb::VirtualFolders virtualFolders;
        size_t folders = 0;
        size_t files = 0;
        bool stopped = false;
    };
    int ListFolder(const std::string& folder, bool recurse, CXML* parent, int wrapFlash,
                   FolderWalk& walk);
    // Whether a walk lists the folder at `inside` (relative to the walk's
    // root) under its own name: each folder on the way is let through.
    bool WalkReaches(const std::string& inside, bool recurse) const;
    int AddPickedFiles(CXML* list, const std::vector<std::string>& picked, int wrapFlash);

    mb::IAddDirectoryDialog& m_dialog;
    mb::IPrompt& m_prompt;
    CRunEnv& m_env;
    tagAddDirectoryOption m_ownOptions;
    tagAddDirectoryOption* m_options = &m_ownOptions;
    CDropFileFilterSet* m_filters = nullptr;
    WalkProgress m_walkProgress;
    CDragDropHelper m_dragDrop{this};
};

#pragma once
// The project as a whole: its settings (CHHPFile), contents (CHHCFile) and
// index (CHHKFile), the project folder against which every topic path is
// resolved, and the project file (.mbk), an XML document:
//
//   <?xml version="1.0" encoding="utf-8" ?>
//   <PROJECT_FT>
//     <ProjectParameters><ProjectFileVersion>2.0</ProjectFileVersion></ProjectParameters>
//     <HHP>...</HHP> <HHC ft="ft">...</HHC> <HHK ft="ft">...</HHK>
//   </PROJECT_FT>
//
// Topic paths inside the file are relative to the project folder, with "\"
// separators, where they lie inside it, and absolute otherwise; in memory
// they are absolute native paths.
//
// Notifications: 0 modified flag set or cleared, 1 file name changed, 4
// about to load, 2 loaded anew, 5 loading finished.

#include "baseutil/Subject.h"
#include "baseutil/UserChannels.h"
#include "baseutil/Xml.h"
#include "projectmodel/ChangesSinceSave.h"
#include "projectmodel/HHCFile.h"
#include "projectmodel/HHKFile.h"
#include "projectmodel/HHPFile.h"
#include "projectmodel/ProjectCopyName.h"
#include "projectmodel/ProjectDialogs.h"
#include "projectmodel/TopicPath.h"
#include "runconfig/RunSettings.h"

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The progress callback of long operations on the project: a code and a
// "PDATA" element (start: value = number of items; step: after each item,
// value = number done; end: no element).
inline constexpr int PR_PROGRESS_START = 6;
inline constexpr int PR_PROGRESS_STEP = 7;
inline constexpr int PR_PROGRESS_END = 8;
using PR_CALLBACK = int (*)(int code, CXML* data);
// Where a project that has a progress sink of its own reports: the code and
// the value (the number of items at the start, the number done after each
// step, 0 at the end).
using ProgressSink = std::function<void(int code, int value)>;
// Stores the progress callback of projects without a sink of their own, for
// callers that want a plain function, and returns it.
PR_CALLBACK PR_SetCallBackFunction(PR_CALLBACK callback);
// The progress callback stored, or null.
PR_CALLBACK PR_GetCallBackFunction();

class CProjectFile : public CSubject {
public:
    CProjectFile();
    ~CProjectFile() override;
    CProjectFile(const CProjectFile&) = delete;
    CProjectFile& operator=(const CProjectFile&) = delete;

    // Back to an empty, unmodified project with default settings.
    void InitProject();
    // The progress of long work on this project (loading, repairing file
    // names) goes to `sink`; without one, to the callback that
    // PR_SetCallBackFunction stored.
    void SetProgressSink(ProgressSink sink) { m_progressSink = std::move(sink); }
    // Where the questions and log lines of work on this project go (not
    // owned; the owner keeps them alive while the project uses them). Null:
    // the cautious prompt and no log.
    void SetChannels(const mb::UserChannels* channels) {
        m_channels = channels ? channels : &mb::QuietChannels();
    }
    const mb::UserChannels& Channels() const { return *m_channels; }
    mb::IPrompt& Prompt() const { return *m_channels->prompt; }
    // The settings and run facts that work on this project reads and
    // changes (not owned; the owner keeps them alive while the project uses
    // them). Null: defaults of the project's own.
    void SetSettings(mb::RunSettings* settings) {
        m_settings = settings ? settings : m_ownSettings.get();
    }
    mb::RunSettings& Settings() const { return *m_settings; }
    void ReportProgress(int code, int value = 0) const;
    // 1 when the project file was loaded; 0 (after telling the user) when the
    // file is not a project file. The models are reset before loading.
    int OpenProjectFile(const std::string& path);
    // 1 when written or when there was nothing to write; 0 on failure, which
    // leaves any existing file as it was and the project modified.
    int WriteProjectFile(const std::string& path);
    // Writes the project file's text to `out` as the copy that travels inside
    // the help file: paths of this machine outside the project folder in
    // relative form too ("..\shared\x.htm"), so that the copy names no
    // folder of the author's machine. The modified flag stays as it is.
    bool WritePortableCopy(std::FILE* out);
    // Brings the settings' file names up to date and writes to the stored path.
    int SaveProject();
    int SaveProjectAs(const std::string& path);

    void SetMBKFileName(const std::string& path);
    const std::string& GetMBKFileName() const { return m_path; }
    const std::string& GetProjectFileTitle() const { return m_title; }
    // "2.0", or "1.0" after opening an older project file.
    const std::string& GetFileVersion() const { return m_version; }

    // 1: a change that no undo takes back; 0: the project is as saved.
    void SetModified(int flag);
    int GetModified() const { return m_modified; }
    bool IsModified() const { return m_modified != 0; }
    // A change of the contents or the index (see mb::ChangesSinceSave).
    void NoteTreeChange();
    mb::ChangesSinceSave& GetChangesSinceSave() { return m_changes; }
    // The undo histories stand (or do not stand) where they stood when the
    // project was last saved: without other changes since, the project is
    // modified exactly when they do not.
    void FollowUndoHistories(bool atSavedPoint);

    CHHPFile* GetHHPFile() { return &m_hhp; }
    CHHCFile* GetHHCFile() { return &m_hhc; }
    CHHKFile* GetHHKFile() { return &m_hhk; }
    CXML* GetModifiedInfo() { return m_modifiedInfo.get(); }

    // Whether the .hhp lists the enciphered copy of the project file, and so
    // whether a compile puts it into the help file. On for each project as
    // it is made or opened (InitProject); exporting the project for other
    // compilers turns it off for as long as the project stays open.
    int GetIncludeMBKProjectInfo() const { return m_includeProjectInfo; }
    void SetIncludeMBKProjectInfo(int flag) { m_includeProjectInfo = flag; }
    int GetIncludeSubEntries() const { return m_includeSubEntries; }
    void SetIncludeSubEntries(int flag) { m_includeSubEntries = flag; }

    // Folder + title + extension.
    std::string GetCHMFileName() const { return DerivedName(".chm"); }
    std::string GetHHPFileName_FullPath() const { return DerivedName(".hhp"); }
    std::string GetHHCFileName_FullPath() const { return DerivedName(".hhc"); }
    std::string GetHHKFileName_FullPath() const { return DerivedName(".hhk"); }
    // Folder + the name of the enciphered copy (see ProjectCopyName).
    std::string GetMBKMBKFileName() const { return m_folder + mb::ProjectCopyName(m_title); }

    // The project folder, kept with a trailing separator ("/" for a native
    // folder, "\" for a Windows one). Setting it marks the project modified.
    void SetProjectFolder(const std::string& folder);
    const std::string& GetProjectFolder() const { return m_folder; }
    std::string GetProjectFolder2() const;
    // Takes the folder of `path` as the project folder; the modified flag
    // stays as it is.
    void GetProjectFolderByHHPFile(const std::string& path);

    // Turns an absolute path into the form the project files store: relative
    // to the project folder with "\" separators when it lies inside it (1),
    // else unchanged (0). Only the file part of a compiled-help address
    // ("x.chm::/page.htm") or of a page with an anchor is converted.
    int AbsolutePathToRelativePath(std::string& path) const;
    // A path with exactly one leading "\" becomes the path below the project
    // folder (native, as named on disk); every other path stays as it is.
    void RelativePathToAbsolutePath(std::string& path);
    // Resolves `value` against `folder` (see ResolveAgainstFolder) and
    // remembers how the file spelled it, so that the project file is written
    // back with the same spelling.
    std::string ResolvePath(const std::string& folder, const std::string& value);

    // Paths in memory -> the same path as a file spelled it, where the two
    // differ in letter case.
    using Spellings = std::map<std::string, std::string>;
    // A page as the project file stores it ("page.htm" or "\page.htm" for a
    // page below the project folder) as the path in memory, resolved below
    // the project folder; other values stay as they are.
    std::string PageFromProjectForm(const std::string& value);
    // The same for a project file read before the project takes it:
    // resolved below `folder` (as FolderForm gives it), the spellings going
    // to `spellings` until KeepSpellings.
    static std::string PageFromProjectForm(const std::string& folder, const std::string& value,
                                           Spellings& spellings);
    void KeepSpellings(const Spellings& spellings);
    // A folder as the project keeps it: with a trailing separator.
    static std::string FolderForm(const std::string& folder);

    // The run environment's last-open folder.
    std::string GetLastOpenDir() const;
    void SetLastOpenDir(const std::string& folder);
    // Stores the folder of a file path, without a trailing separator.
    void SetLastOpenDir2(const std::string& path);

    // The warning for a read-only target: string 293, the path and string 481.
    static void ShowReadOnlyWarning(mb::IPrompt& prompt, const std::string& path);

    // Forwarding to the settings.
    int HHP_WriteFile(const std::string& path,
                      CHHPFile::PathForm form = CHHPFile::PathForm::Interchange) {
        return m_hhp.WriteHHPFile(path, form);
    }
    void HHP_UpdateData(const std::string& title) { m_hhp.UpdateData(title); }
    int HHP_GetOptionsData(int index, std::string& value) const {
        return m_hhp.GetOptionsData(index, value);
    }
    int HHP_GetOptionsData(int index, int& value) const {
        return m_hhp.GetOptionsData(index, value);
    }
    int HHP_GetOptionsData(int index, tagHH_HHP_OPTIONS& record) const {
        return m_hhp.GetOptionsData(index, record);
    }
    void HHP_SetOptionsData(int index, const std::string& value) {
        m_hhp.SetOptionsData(index, value);
    }
    void HHP_SetOptionsData(int index, int value) { m_hhp.SetOptionsData(index, value); }
    void HHP_SetOptionsData(int index, const tagHH_HHP_OPTIONS& record) {
        m_hhp.SetOptionsData(index, record);
    }
    template <typename T> int HHP_GetWindowsData(int index, T& value) const {
        return m_hhp.GetWindowsData(index, value);
    }
    template <typename T> void HHP_SetWindowsData(int index, const T& value) {
        m_hhp.SetWindowsData(index, value);
    }
    int HHP_GetWindowProperty(unsigned long bits) const { return m_hhp.GetWindowProperty(bits); }
    void HHP_SetWindowProperty(unsigned long bits, int on) { m_hhp.SetWindowProperty(bits, on); }
    int HHP_GetButton(unsigned long bits) const { return m_hhp.GetButton(bits); }
    void HHP_SetButton(unsigned long bits, int on) { m_hhp.SetButton(bits, on); }
    int HHP_GetExtendedStyle(unsigned long bits) const { return m_hhp.GetExtendedStyle(bits); }
    void HHP_SetExtendedStyle(unsigned long bits, int on) { m_hhp.SetExtendedStyle(bits, on); }
    int HHP_GetTabPos() const { return m_hhp.GetTabPos(); }
    void HHP_SetTabPos(int position) { m_hhp.SetTabPos(position); }
    int HHP_GetIncludeIndexPage() const { return m_hhp.GetIncludeIndexPage(); }
    void HHP_SetIncludeIndexPage(int flag) { m_hhp.SetIncludeIndexPage(flag); }
    void HHP_AddIDMap(CXML* mapFile) { m_hhp.AddIDMap(mapFile); }
    void HHP_DelAMapFileNode(CXML* mapFile) { m_hhp.DelAMapFileNode(mapFile); }
    void HHP_DeleteFile(const std::string& path) { m_hhp.DeleteFile(path); }
    void HHP_DeleteMergeFile(const std::string& name) { m_hhp.DeleteMergeFile(name); }
    void HHP_DeleteAllFiles() { m_hhp.DeleteAllFiles(); }

    // Forwarding to the contents.
    CXML* HHC_GetTreeRoot() const { return m_hhc.GetTreeRoot(); }
    CXML* HHC_GetNodeByID(const std::string& id) const { return m_hhc.GetNodeByID(id); }
    CXML* HHC_GetSelectedNode() const { return m_hhc.GetSelectedNode(); }
    std::string HHC_GetSelectedNodeURL() const { return m_hhc.GetSelectedNodeURL(); }
    std::string HHC_GetNodeURL(const CXML* node) const { return m_hhc.GetNodeURL(node); }
    int HHC_GetSelectedNodeType() const { return m_hhc.GetSelectedNodeType(); }
    void HHC_GetNodeNameAndURL(std::vector<std::string>& names,
                               std::vector<std::string>& urls) const {
        m_hhc.GetNodeNameAndURL(names, urls);
    }
    void HHC_GetTopicNameByURL(const std::string& url, std::string& name) const {
        m_hhc.GetTopicNameByURL(url, name);
    }
    uint32_t HHC_GetWindowStyles() const { return m_hhc.GetWindowStyles(); }
    uint32_t HHC_GetBackgroundColor() const { return m_hhc.GetBackgroundColor(); }
    void HHC_SetBackgroundColor(uint32_t color) { m_hhc.SetBackgroundColor(color); }
    int Content_GetCount() const { return m_hhc.GetCount(); }
    void Content_GetFont(std::string& face, long& size, unsigned char& charset) const {
        m_hhc.GetFont(face, size, charset);
    }
    void Content_SetFont(const std::string& face, long size, unsigned char charset) {
        m_hhc.SetFont(face, size, charset);
    }
    uint32_t Content_GetContentWindowStyle() const { return m_hhc.GetWindowStyles(); }
    void Content_SetContentWindowStyle(int index, int on) {
        m_hhc.SetContentWindowStyle(index, on);
    }
    void Content_SetContentWindowStyle(uint32_t styles) { m_hhc.SetContentWindowStyle(styles); }
    const std::string& Content_GetImageType() const { return m_hhc.GetImageType(); }
    void Content_SetImageType(const std::string& type) { m_hhc.SetImageType(type); }

    // Forwarding to the index.
    CXML* HHK_GetTreeRoot() const { return m_hhk.GetTreeRoot(); }
    CXML* HHK_GetNodeByID(const std::string& id) const { return m_hhk.GetNodeByID(id); }
    CXML* HHK_GetSelectedNode() const { return m_hhk.GetSelectedNode(); }
    std::string HHK_GetSelectedNodeURL() const { return m_hhk.GetSelectedNodeURL(); }
    std::string HHK_GetNodeURL(const CXML* node) const { return m_hhk.GetNodeURL(node); }
    int HHK_GetNodeType(const CXML* node) const { return m_hhk.GetNodeType(node); }
    CXML* HHK_GetParentNode(const CXML* node) const { return m_hhk.GetParentNode(node); }
    CXML* HHK_GetParentNode(const std::string& id) const { return m_hhk.GetParentNode(id); }
    int Index_GetCount() const { return m_hhk.GetCount(); }

    // ---- Sitemap files and tree editing (ProjectFileEditing.cpp). Files
    // lists and records are described in FilesList.h; lists stay the
    // caller's. "(M)" marks the project modified afterwards.
    using Move = CSitemapFile::Move;

    int HHC_WriteFile(const std::string& path) { return m_hhc.WriteHHCFile(path); }
    int HHC_ReadHHCFileToXML(const std::string& path, CXML* element) {
        return m_hhc.ReadHHCFileToXML(path, element);
    }
    int HHK_WriteFile(const std::string& path) { return m_hhk.WriteHHKFile(path); }
    void HHC_ModifyNode(const std::string& id, int what, const CXML* values); // (M)
    void HHK_ModifyNode(const std::string& id, int what, const CXML* values); // (M)
    CXML* HHC_GetDroppedNode() const { return m_hhc.GetDroppedNode(); }
    CXML* HHK_GetDroppedNode() const { return m_hhk.GetDroppedNode(); }
    void Content_GetFont(LOGFONTA& font) const { m_hhc.GetFont(font); }
    void Content_SetFont(const LOGFONTA& font) { m_hhc.SetFont(font); }
    void Content_DeleteAll() { m_hhc.DelAll(); }
    void Index_DeleteAll() { m_hhk.DelAll(); }
    int Content_ReplaceUCInFilename(const CXML* list) { return m_hhc.ReplaceUCInFilename(list); }

    void Content_AddFilesList(CXML* list) { m_hhc.AddFilesList(list); }
    void Index_AddFilesList(CXML* list) { m_hhk.AddFilesList(list); }
    void Content_AddFilesList2(const CXML* list) { m_hhc.AddFilesList2(list); }
    void Index_AddFilesList2(const CXML* list) { m_hhk.AddFilesList2(list); }
    void Content_DeleteFilesList2(const CXML* list) { m_hhc.DelFilesList2(list); }
    void Index_DeleteFilesList2(const CXML* list) { m_hhk.DelFilesList2(list); }
    // Plans (records only) for moving the runs of a type-2 list, for
    // dropping them on the dropped node, and for sorting the branch holding
    // `node` (0 when the user cancelled).
    void Content_MoveUpFilesList2(const CXML* list) { m_hhc.PlanMove(list, Move::Up); }
    void Content_MoveDownFilesList2(const CXML* list) { m_hhc.PlanMove(list, Move::Down); }
    void Content_MoveLeftFilesList2(const CXML* list) { m_hhc.PlanMove(list, Move::Left); }
    void Content_MoveRightFilesList2(const CXML* list) { m_hhc.PlanMove(list, Move::Right); }
    void Index_MoveUpFilesList2(const CXML* list) { m_hhk.PlanMove(list, Move::Up); }
    void Index_MoveDownFilesList2(const CXML* list) { m_hhk.PlanMove(list, Move::Down); }
    void Index_MoveLeftFilesList2(const CXML* list) { m_hhk.PlanMove(list, Move::Left); }
    void Index_MoveRightFilesList2(const CXML* list) { m_hhk.PlanMove(list, Move::Right); }
    void Content_DragDropFilesList2(const CXML* list) { m_hhc.PlanDragDrop(list); }
    void Index_DragDropFilesList2(const CXML* list) { m_hhk.PlanDragDrop(list); }
    int Content_SortAZ(const CXML* node, mb::ISortDialog& dialog) {
        return m_hhc.PlanSort(node, 0, dialog);
    }
    int Content_SortZA(const CXML* node, mb::ISortDialog& dialog) {
        return m_hhc.PlanSort(node, 1, dialog);
    }
    int Index_SortAZ(const CXML* node, mb::ISortDialog& dialog) {
        return m_hhk.PlanSort(node, 0, dialog);
    }
    int Index_SortZA(const CXML* node, mb::ISortDialog& dialog) {
        return m_hhk.PlanSort(node, 1, dialog);
    }
    void Content_GetType2FilesListFromIDs(const CXML* selected, CXML* list) const {
        m_hhc.GetType2FilesListFromIDs(selected, list);
    }
    void Index_GetType2FilesListFromIDs(const CXML* selected, CXML* list) const {
        m_hhk.GetType2FilesListFromIDs(selected, list);
    }
    void Content_GetRelativeNodeInfo(const CXML* node, std::string& id, int& mode) const {
        m_hhc.GetRelativeNodeInfo(node, id, mode);
    }
    void Index_GetRelativeNodeInfo(const CXML* node, std::string& id, int& mode) const {
        m_hhk.GetRelativeNodeInfo(node, id, mode);
    }
    // Gives every node of a type-2 list a new ID (for copies).
    void UseNewID(CXML* list);
    // Turns a type-1 list into a type-2 list with one "List" at the given
    // place, the entries named after their pages.
    void ChangeFilesListFromType1ToType2(CXML* list, const std::string& relativeId, int mode);
    // Adds the pages of a type-1 list to the project's files, without
    // entries in either tree.
    void HiddenFiles_AddFilesList(CXML* list) { m_hhp.AddFiles(list); }
    void ResetModifiedInfo() { m_modifiedInfo->DelAllChild(); }
    // A new, detached change record; the caller appends it to the
    // modified info, which then owns it.
    static CXML* NewAModifiedNodeInfo();

    // ---- Import, export and the checks before topic files are added
    // (ProjectFileImport.cpp, ProjectFileChecks.cpp, ProjectFileTopics.cpp).

    // Reads an HTML Help project (.hhp) with its contents and index files
    // into this freshly initialised project, whose folder becomes the
    // folder of the .hhp. 1 when read. 0, after telling the user why, when
    // the file is not an HTML Help project or a file it names (contents,
    // index, header or alias file) is missing, unreadable or of the wrong
    // kind; the project is then initialised again.
    int ImportHHPFile(const std::string& path);
    // After the settings of an imported project text `hhp` (the "HHP"
    // element it was read into) were loaded: when it gave its main window
    // no caption (no [WINDOWS], or none for the main window), the window
    // shows the project's title rather than the window record's default.
    void TakeTitleAsCaptionUnlessRead(const CXML& hhp);
    // The files ExportHHPFile(path) writes, in order: `path` (.hhp) and,
    // beside the project file (or beside `path` for a project never saved),
    // the .hhc and the .hhk for the compiler.
    std::vector<std::string> ExportHHPTargets(const std::string& path) const;
    // Writes them; 1 when all three were written, a failure stops the
    // chain. Exported projects no longer list the enciphered project copy.
    // Replacing existing files is the caller's question.
    int ExportHHPFile(const std::string& path);
    // Tells the views that the trees were filled from a compiled help file.
    int ImportCHM_X();

    // Results of the checks.
    static constexpr int kCheckGoOn = 0;          // files in place, or copied
    static constexpr int kCheckCancelled = 5;     // the user declined the files
    static constexpr int kCheckOutsideFolder = 6; // ValDirectory: outside the project folder
    static constexpr int kFolderInProject = 2;    // CheckDirectory
    static constexpr int kFolderOutsideProject = 3;

    // Before a single topic file is added: pages inside compiled files and
    // web addresses pass; a project without a folder asks for one; a file
    // outside the project folder asks whether to go on (nothing is copied).
    // The questions are put to `dialogs`.
    int CheckFile(const std::string& path, mb::IProjectDialogs& dialogs);
    // Before a dropped list of files and folders (a type-1 files list with
    // "PublicPath") is added: asks for a project folder when there is none;
    // files from outside the project folder are copied into it when the
    // user agrees, and their entries' "Local" then name the copies. A
    // failed copy empties the list. 0 to go on, 5 when the user declined.
    int CheckFileList(CXML* list, mb::IProjectDialogs& dialogs);
    // 0 for an empty folder or one inside the project folder, 6 otherwise.
    int ValDirectory(const std::string& folder, int action = 0);
    // 2 when `folder` is the project folder or lies inside it, else 3.
    int CheckDirectory(const std::string& folder, std::string* unused = nullptr) const;

    // The name for a new entry of the page `path`: its title or file name,
    // as the configuration's HTML_TOPIC and HTML_OTHER_TYPES_TOPIC choose.
    // Always true.
    bool GetNodeNameFromFile(const std::string& path, std::string& name) const;
    // The same for a page inside a compiled help file ("x.chm::/a.htm"):
    // its title, or its file name when it has none. Always true.
    bool GetNodeNameFromFileInCHM(const std::string& address, std::string& name) const;
    // A folder path "auto_YYYYMMDD_HHMMSS" (with a trailing separator)
    // inside the project folder that does not exist yet; empty without a
    // project folder. The folder is not created.
    void GenerateNewDirInRoot(std::string& path) const;
    // Debugging aids: write the contents or index tree as XML into the
    // system's temporary folder; the path written, or empty on failure.
    std::string DumpContent() const;
    std::string DumpIndex() const;

private:
    std::string DerivedName(const std::string& extension) const {
        return m_folder + m_title + extension;
    }
    // The project file's document under `root`.
    void BuildProjectDocument(CXML& root);
    // Sets the folder (with its trailing separator) without marking.
    void StoreProjectFolder(const std::string& folder);
    void InitModels();
    // Asks for the project folder, proposing `folder` and its parent;
    // false when the user cancelled.
    bool AskForProjectFolder(const std::string& folder, mb::IProjectDialogs& dialogs);
    // Copies the files of a dropped list from outside into the project
    // folder, keeping their places below the dropped folder, and points the
    // entries at the copies; empties the list when a copy fails.
    void CopyIntoProjectFolder(CXML* list, const std::string& publicPath);
    // The language id of the project, for the code page of its texts.
    int LanguageId() const;

    std::string m_version = "2.0";
    int m_modified = 0;
    mb::ChangesSinceSave m_changes;
    std::string m_path;
    std::string m_title;
    int m_includeProjectInfo = 1;
    std::string m_folder;
    CHHPFile m_hhp;
    CHHCFile m_hhc;
    CHHKFile m_hhk;
    std::unique_ptr<CXML> m_modifiedInfo;
    int m_includeSubEntries = 0;
    ProgressSink m_progressSink;
    const mb::UserChannels* m_channels = &mb::QuietChannels();
    std::unique_ptr<mb::RunSettings> m_ownSettings = std::make_unique<mb::RunSettings>();
    mb::RunSettings* m_settings = m_ownSettings.get();
    // Used while the project file is written.
    Spellings m_writtenSpellings;
    bool m_writingProjectFile = false;
    bool m_writingPortableCopy = false;
};

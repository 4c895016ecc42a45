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
#include "baseutil/Xml.h"
#include "projectmodel/HHCFile.h"
#include "projectmodel/HHKFile.h"
#include "projectmodel/HHPFile.h"
#include "projectmodel/TopicPath.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// The progress callback of long operations on the project: a code and a
// "PDATA" element (6 start, value = number of items; 7 after each item,
// value = number done; 8 end, no element).
using PR_CALLBACK = int (*)(int code, CXML* data);
// Stores the process-wide progress callback and returns it.
PR_CALLBACK PR_SetCallBackFunction(PR_CALLBACK callback);

class CProjectFile : public CSubject {
public:
    CProjectFile();
    ~CProjectFile() override;
    CProjectFile(const CProjectFile&) = delete;
    CProjectFile& operator=(const CProjectFile&) = delete;

    // Back to an empty, unmodified project with default settings.
    void InitProject();
    // 1 when the project file was loaded; 0 (after telling the user) when the
    // file is not a project file. The models are reset before loading.
    int OpenProjectFile(const std::string& path);
    // 1 when written or when there was nothing to write; 0 on failure, which
    // leaves any existing file as it was and the project modified.
    int WriteProjectFile(const std::string& path);
    // Brings the settings' file names up to date and writes to the stored path.
    int SaveProject();
    int SaveProjectAs(const std::string& path);

    void SetMBKFileName(const std::string& path);
    const std::string& GetMBKFileName() const { return m_path; }
    const std::string& GetProjectFileTitle() const { return m_title; }
    // "2.0", or "1.0" after opening an older project file.
    const std::string& GetFileVersion() const { return m_version; }

    void SetModified(int flag);
    int GetModified() const { return m_modified; }
    bool IsModified() const { return m_modified != 0; }

    CHHPFile* GetHHPFile() { return &m_hhp; }
    CHHCFile* GetHHCFile() { return &m_hhc; }
    CHHKFile* GetHHKFile() { return &m_hhk; }
    CXML* GetModifiedInfo() { return m_modifiedInfo.get(); }

    // Whether the .hhp lists the enciphered copy of the project file.
    int GetIncludeMBKProjectInfo() const { return m_includeProjectInfo; }
    void SetIncludeMBKProjectInfo(int flag) { m_includeProjectInfo = flag; }
    int GetIncludeSubEntries() const { return m_includeSubEntries; }
    void SetIncludeSubEntries(int flag) { m_includeSubEntries = flag; }

    // Folder + title + extension.
    std::string GetCHMFileName() const { return DerivedName(".chm"); }
    std::string GetHHPFileName_FullPath() const { return DerivedName(".hhp"); }
    std::string GetHHCFileName_FullPath() const { return DerivedName(".hhc"); }
    std::string GetHHKFileName_FullPath() const { return DerivedName(".hhk"); }
    std::string GetMBKMBKFileName() const { return DerivedName(".mbkmbk"); }

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

    // The run environment's last-open folder.
    std::string GetLastOpenDir() const;
    void SetLastOpenDir(const std::string& folder);
    // Stores the folder of a file path, without a trailing separator.
    void SetLastOpenDir2(const std::string& path);

    // The warning for a read-only target: string 293, the path and string 481.
    static void ShowReadOnlyWarning(const std::string& path);

    // Forwarding to the settings.
    int HHP_WriteFile(const std::string& path) { return m_hhp.WriteHHPFile(path); }
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

private:
    std::string DerivedName(const std::string& extension) const {
        return m_folder + m_title + extension;
    }
    // Sets the folder (with its trailing separator) without marking.
    void StoreProjectFolder(const std::string& folder);
    void InitModels();

    std::string m_version = "2.0";
    int m_modified = 0;
    std::string m_path;
    std::string m_title;
    int m_includeProjectInfo = 1;
    std::string m_folder;
    CHHPFile m_hhp;
    CHHCFile m_hhc;
    CHHKFile m_hhk;
    std::unique_ptr<CXML> m_modifiedInfo;
    int m_includeSubEntries = 0;
    // Paths in memory -> the same path as a file spelled it, where the two
    // differ in letter case; used while the project file is written.
    std::map<std::string, std::string> m_writtenSpellings;
    bool m_writingProjectFile = false;
};

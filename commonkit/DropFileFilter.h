#pragma once
// One drop-file filter: a named set of three lists that decide which
// sub-folders and files of a folder added to the project are taken. Its data
// is a "FILTER" element with the sections "SKIP_FOLDERS", "SKIP_FILES" and
// "ONLY_INCLUDE_FILES", each with an "enable" switch and items whose "name" is
// a pattern and whose "used" says whether the pattern takes part.
//
// The filter keeps two copies of that element: the persistent copy (what is
// stored) and the dynamic copy (what the filter dialog edits and what
// matching uses). Copying one onto the other commits or discards the edits.

#include "baseutil/Xml.h"

#include <memory>
#include <string>

class CDropFileFilter {
public:
    CDropFileFilter() = default;
    virtual ~CDropFileFilter() = default;
    CDropFileFilter(const CDropFileFilter&) = delete;
    CDropFileFilter& operator=(const CDropFileFilter&) = delete;

    // Makes the persistent copy a deep copy of `filter` (empty for null) and
    // the dynamic copy a deep copy of that.
    void Load(const CXML* filter);
    // Discards the edits: dynamic = persistent.
    void CopyPersistentToDynamic();
    // Commits the edits: persistent = dynamic.
    void CopyDynamicToPersistent();

    // The elements themselves, owned by the filter; null when empty or when
    // the filter data lacks that section.
    CXML* GetFilterData_Persistent() const { return m_persistent.get(); }
    CXML* GetFilterData_Dynamic() const { return m_dynamic.get(); }
    CXML* GetSkipFoldersData_Dynamic() const { return m_skipFolders; }
    CXML* GetSkipFilesData_Dynamic() const { return m_skipFiles; }
    CXML* GetOnlyIncludeFilesData_Dynamic() const { return m_onlyInclude; }

    std::string GetName_Dynamic() const;
    void SetName_Dynamic(const std::string& name);

    // The "enable" switch of each section (0 for a missing section).
    int GetEnableSkipFolders_Dynamic() const { return GetEnable(m_skipFolders); }
    void SetEnableSkipFolders_Dynamic(int flag) { SetEnable(m_skipFolders, flag); }
    int GetEnableSkipFiles_Dynamic() const { return GetEnable(m_skipFiles); }
    void SetEnableSkipFiles_Dynamic(int flag) { SetEnable(m_skipFiles, flag); }
    int GetEnableOnlyIncludeFiles_Dynamic() const { return GetEnable(m_onlyInclude); }
    void SetEnableOnlyIncludeFiles_Dynamic(int flag) { SetEnable(m_onlyInclude, flag); }

    // Items by position. A position with no item reads as name "" and used
    // 1; writes to it are ignored.
    void GetSkipFolderName_Dynamic(int index, std::string& name) const;
    void SetSkipFolderName_Dynamic(int index, const std::string& name);
    void GetSkipFolderState_Dynamic(int index, int& used) const;
    void SetSkipFolderState_Dynamic(int index, int used);
    void AddASkipFolder_Dynamic(const std::string& name);
    void DelASkipFolder_Dynamic(int index);
    void DelAllSkipFolder_Dynamic();

    void GetSkipFileName_Dynamic(int index, std::string& name) const;
    void SetSkipFileName_Dynamic(int index, const std::string& name);
    void GetSkipFileState_Dynamic(int index, int& used) const;
    void SetSkipFileState_Dynamic(int index, int used);
    void AddASkipFile_Dynamic(const std::string& name);
    void DelASkipFile_Dynamic(int index);
    void DelAllSkipFile_Dynamic();

    void GetOnlyIncludeFileName_Dynamic(int index, std::string& name) const;
    void SetOnlyIncludeFileName_Dynamic(int index, const std::string& name);
    void GetOnlyIncludeFileState_Dynamic(int index, int& used) const;
    void SetOnlyIncludeFileState_Dynamic(int index, int used);
    void AddAOnlyIncludeFile_Dynamic(const std::string& name);
    void DelAOnlyIncludeFile_Dynamic(int index);
    void DelAllOnlyIncludeFile_Dynamic();

    // Matching of a bare folder or file name (no path) against the used
    // items of a section; 1 or 0. The "enable" switch is not looked at.
    int BelongToSkipFolders_Dynamic(const std::string& name) const;
    int BelongToSkipFiles_Dynamic(const std::string& name) const;
    // 1 also when the section has no used item at all: nothing restricts.
    int BelongToOnlyIncludeFiles_Dynamic(const std::string& name) const;

    // The folder-walk decisions, switches included: whether a sub-folder of
    // this name is walked, and whether a file of this name is taken.
    bool AdmitsFolder(const std::string& folderName) const;
    bool AdmitsFile(const std::string& fileName) const;

    // "NONE" when the section is disabled or has no used item; otherwise the
    // names of the used items joined by ",".
    void SkipFolders2String(std::string& text) const { text = Summary(m_skipFolders); }
    void SkipFiles2String(std::string& text) const { text = Summary(m_skipFiles); }
    void OnlyIncludeFiles2String(std::string& text) const { text = Summary(m_onlyInclude); }

private:
    void FindDynamicSections();

    static int GetEnable(const CXML* section);
    static void SetEnable(CXML* section, int flag);
    static void GetItemName(const CXML* section, int index, std::string& name);
    static void SetItemName(CXML* section, int index, const std::string& name);
    static void GetItemState(const CXML* section, int index, int& used);
    static void SetItemState(CXML* section, int index, int used);
    static void AddItem(CXML* section, const char* tag, const std::string& name);
    static void DelItem(CXML* section, int index);
    static void DelAllItems(CXML* section);
    // 1 at the first used item whose pattern matches; plain patterns compare
    // with the whole name (folders) or the name's real extension (files).
    static int MatchesUsedItem(const CXML* section, const std::string& name, bool byExtension);
    static bool HasUsedItem(const CXML* section);
    static std::string Summary(const CXML* section);

    std::unique_ptr<CXML> m_persistent;
    std::unique_ptr<CXML> m_dynamic;
    // The sections of the persistent copy are not kept: every edit and every
    // match goes to the dynamic copy.
    CXML* m_skipFolders = nullptr;
    CXML* m_skipFiles = nullptr;
    CXML* m_onlyInclude = nullptr;
};

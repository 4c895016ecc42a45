#pragma once
// The user's settings, kept as the XML file "mbconfig.xml" in the settings
// folder. The program reads it once at start-up and writes it once at exit;
// in between the modules it is handed to read and change the values in
// memory.

#include "baseutil/Desktop.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "commonkit/DropFileFilterSet.h"
#include "commonkit/FavoriteEditorManager.h"
#include "runconfig/AddDirectoryOption.h"

#include <memory>
#include <string>
#include <vector>

class CConfigData {
public:
    // The defaults, to be kept in `settingsFolder`.
    explicit CConfigData(std::string settingsFolder);
    virtual ~CConfigData();
    CConfigData(const CConfigData&) = delete;
    CConfigData& operator=(const CConfigData&) = delete;

    // The full path of the configuration file.
    std::string GetConfigFilename() const;

    // Replaces the values by those of the file. A missing, unreadable or
    // foreign file gives the defaults (silently) and returns 0; 1 when the
    // file was used. Anything but a regular file at the file's place (a
    // link, a named pipe, ...) is neither read nor, later, replaced: the
    // defaults, 0, and GetFileProblem says so.
    int ReadConfigData_XML();
    // Why the configuration file is neither read nor written, or "".
    const std::string& GetFileProblem() const { return m_fileProblem; }
    // Writes every value to the file, replacing it only once the new file is
    // complete. A read-only file is left alone with a warning to the user, a
    // write error is shown with its reason; both return 0. So is anything
    // but a regular file, with a warning unless GetFileProblem told of it.
    // Favourite editors not yet looked up are looked up on `desktop`.
    int WriteConfigData_XML(mb::IDesktop& desktop, mb::IPrompt& prompt);

    int GetInsertMode() const { return m_nInsertMode; }
    void SetInsertMode(int mode) { m_nInsertMode = mode; }
    int GetLCID() const { return m_nLCID; }
    void SetLCID(int lcid) { m_nLCID = lcid; }
    int GetViewStyle() const { return m_nViewStyle; }
    void SetViewStyle(int style) { m_nViewStyle = style; }
    int GetSelectedConfigPage() const { return m_nLastConfigPage; }
    // The "REPLACE_TABLE" element: children "REPLACE_ITEM" with "old" and
    // "new". Null before the first read.
    CXML* GetReplacedTable() const { return m_replaceTable.get(); }
    // The favourite editors. Defaults are looked up on `desktop` (one
    // question per file type, which takes seconds) only when the editors
    // are first used, not when the settings are read.
    CFavoriteEditorManager* GetFavoriteEditorManager(mb::IDesktop& desktop) const;
    CDropFileFilterSet* GetDropFileFilterSet() const { return m_filterSet.get(); }

    // Values the program reads and writes directly.
    tagAddDirectoryOption m_addDirectoryOption;
    int m_nLastConfigPage = 0;
    std::string m_strLastProjectPath;
    // Recently used projects, most recent first; up to ten are stored.
    std::vector<std::string> m_recentProjects;
    int m_bShowChmPath = 0;
    int m_bIdMapperViewOn = 0;
    int m_bArchiveViewOn = 0;
    int m_bAutoCheckUpdate = 0;
    std::string m_strLastCheckDate;
    int m_nHtmlTopic = 0;
    int m_nHtmlOtherTypesTopic = 0;

    static constexpr int kMaxRecentProjects = 10;

private:
    void UseDefaults();
    void ReadValues(CXML& configData);
    void ReadRecentProjects(const CXML* mru);
    void ReadEditors(const CXML* editors);
    void ReadReplaceTable(CXML& configData);
    void BuildDocument(CXML& root, mb::IDesktop& desktop) const;

    std::string m_settingsFolder;
    int m_nInsertMode = 2;
    int m_nLCID = 1033;
    int m_nViewStyle = 0;
    std::unique_ptr<CXML> m_replaceTable;
    std::unique_ptr<CFavoriteEditorManager> m_favoriteEditors;
    // The editors are to be rebuilt from the desktop's defaults on first use.
    mutable bool m_editorsPending = false;
    std::unique_ptr<CDropFileFilterSet> m_filterSet;
    std::string m_fileProblem;
};

#pragma once
// The facts of the current run, shared by the modules it is handed to: where
// the program is installed, where its settings and run log live, the last
// folder opened, whether a file could not be created because of its name,
// and the Flash movies that must be copied along with the pages that show
// them.

#include "baseutil/Prompt.h"
#include "baseutil/Subject.h"

#include <string>
#include <vector>

class CRunEnv : public CSubject {
public:
    // The facts of this process: its program folder and the settings folder
    // for it.
    CRunEnv();
    ~CRunEnv() override = default;
    CRunEnv(const CRunEnv&) = delete;
    CRunEnv& operator=(const CRunEnv&) = delete;

    // The folder of the program, without a trailing separator.
    const std::string& GetInstallPath() const { return m_installPath; }
    // The folder of the configuration file and the run log.
    const std::string& GetSettingsFolder() const { return m_settingsFolder; }
    const std::string& GetLogfilename() const { return m_logFilename; }

    const std::string& GetLastOpenFolder() const { return m_lastOpenFolder; }
    void SetLastOpenFolder(const std::string& path) { m_lastOpenFolder = path; }

    // Creates the run log, or empties it. 1 on success. Anything but a
    // regular file at the log's place (a link, a named pipe, a folder, ...)
    // is left alone and the run keeps no log: 0, and GetLogProblem says
    // so. Other failures are shown to the user through `prompt` and give 0.
    int CleanLogFile(mb::IPrompt& prompt);
    // Why the run keeps no log file, or "".
    const std::string& GetLogProblem() const { return m_logProblem; }
    // Appends `text` exactly as given. Nothing happens while the log does not
    // exist (only CleanLogFile creates it) or is no regular file. 1 when the
    // text was written; a failure is shown through `prompt`.
    int LogMessage(const std::string& text, mb::IPrompt& prompt);

    // Set when an output file could not be created because of its name.
    int GetFoundLongFilename() const { return m_foundLongFilename; }
    void SetFoundLongFilename(int flag) { m_foundLongFilename = flag; }

    int GetNeedCopyFlashFlag() const { return m_needCopyFlash; }
    void SetNeedCopyFlashFlag(int flag) { m_needCopyFlash = flag; }
    // Appends the movie and sets the need-copy flag.
    void AddNeedCopiedFlashFile(const std::string& path);
    int GetNeedCopiedFlashFileCount() const { return static_cast<int>(m_flashFiles.size()); }
    // The movie at `index`, or "" when there is none.
    std::string GetNeedCopiedFlashFile(int index) const;
    // Clears the flag and the list.
    void ResetNeedCopiedFlashFileInfo();

private:
    std::string m_installPath;
    std::string m_settingsFolder;
    std::string m_logFilename;
    std::string m_logProblem;
    std::string m_lastOpenFolder;
    int m_foundLongFilename = 0;
    int m_needCopyFlash = 0;
    std::vector<std::string> m_flashFiles;
};

#pragma once
// The project controller: owns the one open project and carries out New,
// Open, Open CHM, Import and Export HHP, Save and Save As, the question
// whether to save changes, the main window's title, the recent-project
// list, and the compile, decompile and conversion commands.
//
// Every question and message goes through the prompt of the application
// context it is handed, as do dialogs that are more than a message box and
// messages for the main window; the open project asks and logs through the
// same context. Every operation that replaces
// the project offers to save a modified one first, and Cancel or a failed
// save leave everything as it was. Results: 1 done, 0 not done.

#include "app/core/AppContext.h"
#include "app/core/CompileJob.h"
#include "baseutil/MainWindow.h"
#include "projectmodel/ProjectFile.h"

#include <atomic>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

class CCommandManager;

class CProjectController {
public:
    // SaveIfModified results.
    static constexpr int kGoOn = 0;
    static constexpr int kSaveFailed = 1;
    static constexpr int kCancelled = 2;

    // `context` (not owned) holds the main window and the dialogs;
    // `commands` (not owned, may be null) keeps the undo histories that a
    // reset clears.
    // Destroying the controller stops a running compile and waits for it.
    explicit CProjectController(mb::AppContext& context, CCommandManager* commands = nullptr);
    CProjectController(const CProjectController&) = delete;
    CProjectController& operator=(const CProjectController&) = delete;

    mb::AppContext& Context() const { return m_context; }
    CProjectFile* GetProject() { return &m_project; }
    const CProjectFile* GetProject() const { return &m_project; }
    void SetCommandManager(CCommandManager* commands) { m_commands = commands; }

    // ---- Lifecycle (ProjectController.cpp) ----------------------------

    // An empty project in the configured language, not modified.
    void InitProject();
    // Clears both undo histories, then InitProject.
    void ResetProject();
    // Asks whether to save a modified project: kGoOn (saved, not wanted or
    // not modified), kSaveFailed or kCancelled.
    int SaveIfModified();
    // Save: the save dialog when the project has no file yet.
    int Save();
    // Save As with the save dialog, or into `path` (same checks).
    int SaveAs();
    int SaveAs(const std::string& path);
    // The main window's title.
    std::string GetWindowTitle() const;
    // Stores a changed, non-empty help title as the window caption and the
    // "Title" option; false when nothing changed.
    bool SetHelpTitle(const std::string& title);

    // ---- Opening (ProjectControllerOpen.cpp) --------------------------

    // The new-project dialog; 1 when a new project was set up. The new
    // project is written when it is first saved; Cancel leaves the open
    // project as it was.
    int NewProject();
    // Open with the file dialog (after offering to save).
    int OpenProject();
    // Opens `path` as the project. The caller has offered to save. 0 when
    // it is the file already open (nothing happens) or when it cannot be
    // opened (the user was told; an empty project is left).
    int OpenProject(const std::string& path);
    // A recent-list entry: offers to save, then opens it; a file that no
    // longer exists is removed from the list with a message.
    int OpenRecentProject(const std::string& path);
    // Open CHM with the file dialog (after offering to save).
    int OpenChm();
    // Open CHM on `chm`: its embedded project copy, else its contents and
    // index, each in a new folder beside it; without a contents file only a
    // plain decompile is offered. The caller has offered to save. 1 when a
    // project was opened. A failure (or a stop) removes the folder and
    // says why.
    int OpenChm(const std::string& chm);
    // Takes back an Open CHM whose project is not to be kept: removes the
    // new folder it made beside the help file and leaves an empty project.
    void DiscardOpenedChm();
    // Import HHP with the file dialog (after offering to save), or `path`.
    int ImportHHP();
    int ImportHHP(const std::string& path);
    // Export HHP with the save dialog, or into `path`; refused (with the
    // project-folder warning) outside the project folder, and refused when
    // one of the files written would be the project file itself or another
    // of them. Existing files are replaced only when the user says Yes.
    int ExportHHP();
    int ExportHHP(const std::string& path);

    // ---- Recent projects (ProjectController.cpp) ----------------------

    // Puts `path` at the top of the list (exact comparison); an entry
    // further down moves up.
    void AddRecentProject(const std::string& path);
    void RemoveRecentProject(const std::string& path);

    // ---- Compile (ProjectControllerCompile.cpp) -----------------------

    // The Compile command: saves, checks the target help file and shows the
    // compile dialog. 0 when stopped before the dialog. The project copy
    // goes into the help file as the project's include-project-info flag
    // says.
    int CompileCommand();
    // The same without a dialog: compiles to the end with `request`'s
    // callbacks. 1 when the compiler made the help file.
    int Compile(const mb::CompileRequest& request);
    // Starts compiling the saved project as it is (see CompileJob::Start).
    std::string StartCompile(const mb::CompileRequest& request) {
        return m_compile.Start(m_project, request);
    }
    void CancelCompile() { m_compile.Cancel(); }
    bool IsCompiling() const { return m_compile.IsCompiling(); }
    // Waits for the compile started last; 1 when it made the help file.
    int WaitForCompile() { return m_compile.Wait(); }
    // Why the compile started last made no help file (see CompileJob).
    const std::string& GetCompileFailure() const { return m_compile.FailureReason(); }
    const mb::ManualResetEvent& GetCompileDoneEvent() const { return m_compile.DoneEvent(); }
    void SetKeepIntermediateFiles(bool keep) { m_compile.SetKeepIntermediateFiles(keep); }
    // Whether the help file `chm` can be compiled into; tells the user why
    // not (read-only, or held by another program).
    bool CheckCompileTarget(const std::string& chm) const;

    // ---- Decompile and convert (ConvertCommands.cpp) ------------------

    struct DecompileOutcome {
        std::string chm;
        std::string folder;
        bool ok = false;
        size_t files = 0; // the files taken out of the help file
    };

    // Copies `chm` into `folder` (created when missing), the embedded
    // project copy only with `includeProject`. 1 when every file was
    // written. `files`, when given, receives the number of files taken out.
    int Decompile(const std::string& chm, const std::string& folder, bool includeProject,
                  size_t* files = nullptr);
    // Each file into its decompile folder (a new one beside it); after a
    // stop the files not begun are left out.
    std::vector<DecompileOutcome> BatchDecompile(const std::vector<std::string>& chms);
    // Handheld pages of `chm` in `folder`; 1 when the file had contents.
    // `files`, when given, receives the number of files taken out of it.
    int ConvertToHandheld(const std::string& chm, const std::string& folder,
                          size_t* files = nullptr);
    // Stops the decompiles, conversions and Open CHM of this controller
    // (callable from any thread, such as a signal watcher's): the file
    // being written is left out and no further one is begun, so that every
    // file written is complete. It holds for the controller's lifetime.
    void StopConversion() { m_stopConversion = true; }
    // The commands with their dialogs, log lines and warnings.
    void DecompileCommand();
    void BatchDecompileCommand();
    void ChmToHandheldCommand();

    // folder/title_ext_decompile_YYYYMMDD_HHMMSS beside `chm` (local time).
    static std::string GetDecompileFolderName(const std::string& chm,
                                              std::time_t when = std::time(nullptr));
    // folder/title_xxx_YYYYMMDD_HHMMSS, xxx the last three characters of the
    // extension.
    static std::string GetConversionFolderName(const std::string& chm,
                                               std::time_t when = std::time(nullptr));

private:
    bool IsOpenProject(const std::string& path) const;
    // `hhpConfirmed`: the save dialog has asked about replacing the .hhp.
    int ExportHHP(const std::string& path, bool hhpConfirmed);
    // The folder the file dialogs start in, and remembering one.
    std::string LastFolder() const;
    void RememberFolder(const std::string& folder);
    // Asks for a .mbk path to save to; checks the folder and a read-only
    // file. Nothing when cancelled or refused.
    std::optional<std::string> AskSavePath();
    // True when `file` may be written for the project (it lies in the
    // project folder, or the project has none); else shows the warning.
    bool IsInProjectFolder(const std::string& file) const;
    // A failure's message names the `problems` logged on the way.
    int OpenEmbeddedProject(const std::string& chm, const std::string& name,
                            const mb::ProblemLines& problems);
    int ImportChmSitemaps(const std::string& chm, const mb::ProblemLines& problems);
    // Save, target checks and the project copy turned on; whether the help
    // file existed before, or nothing when the compile must not go on.
    std::optional<bool> PrepareCompile();
    // Tells the main window why files may have appeared.
    void Notify(mb::Notice notice) const;

    CProjectFile m_project;
    mb::IPrompt& Prompt() const { return *m_context.prompt; }

    mb::AppContext& m_context;
    CCommandManager* m_commands;
    mb::CompileJob m_compile;
    std::atomic<bool> m_stopConversion{false};
};

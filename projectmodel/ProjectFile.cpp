#include "projectmodel/ProjectFile.h"

#include "baseutil/FileChecks.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProgressReport.h"
#include "projectmodel/ProjectFileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace {

constexpr const char* kRootTag = "PROJECT_FT";
constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";
constexpr int kStrNotProjectFile = 237;
constexpr int kStrCannotSave = 293;
constexpr int kStrReadOnly = 481;
constexpr size_t kMaxErrorText = 254;

PR_CALLBACK g_progressCallback = nullptr;

// Sets a flag for the lifetime of the object.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

// Reports the reading of a project as percent done through the progress
// callback: reading the file takes most of the time, the contents and the
// index trees the rest. The end is reported however the reading ends.
class LoadProgress {
public:
    static constexpr int kFileRead = 70;
    static constexpr int kContentsRead = 85;
    static constexpr int kDone = 100;

    LoadProgress(const CProjectFile& project, std::FILE* file)
        : m_project(project), m_size(SizeOf(file)) {
        m_project.ReportProgress(PR_PROGRESS_START, kDone);
    }
    ~LoadProgress() { m_project.ReportProgress(PR_PROGRESS_END); }
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;

    void BytesRead(long long bytes) {
        Reached(static_cast<int>(std::min(bytes, m_size) * kFileRead / m_size));
    }
    void Reached(int percent) {
        if (percent == m_percent)
            return;
        m_percent = percent;
        m_project.ReportProgress(PR_PROGRESS_STEP, percent);
    }

private:
    static long long SizeOf(std::FILE* file) {
        struct stat st {};
        return ::fstat(fileno(file), &st) == 0 && st.st_size > 0 ? st.st_size : 1;
    }

    const CProjectFile& m_project;
    long long m_size;
    int m_percent = 0;
};

std::string FolderOf(const std::string& path) {
    return CPath(path).GetLocation();
}

std::string ResolveRecordingSpelling(const std::string& folder, const std::string& value,
                                     CProjectFile::Spellings& spellings) {
    mb::ResolvedPath resolved = mb::ResolveAgainstFolder(folder, value);
    if (resolved.asWritten != resolved.path)
        spellings[resolved.path] = resolved.asWritten;
    return resolved.path;
}

// A path with exactly one leading "\" becomes the path below `folder`.
void ResolveBelowFolder(const std::string& folder, std::string& path,
                        CProjectFile::Spellings& spellings) {
    if (path.empty() || path[0] != '\\' || (path.size() > 1 && path[1] == '\\'))
        return;
    path = ResolveRecordingSpelling(folder, path, spellings);
}

} // namespace

PR_CALLBACK PR_SetCallBackFunction(PR_CALLBACK callback) {
    g_progressCallback = callback;
    return g_progressCallback;
}

PR_CALLBACK PR_GetCallBackFunction() {
    return g_progressCallback;
}

void PR_ReportProgress(int code, int value) {
    if (!g_progressCallback)
        return;
    if (code == 8) {
        g_progressCallback(code, nullptr);
        return;
    }
    CXML data("PDATA");
    data.SetValue(value);
    g_progressCallback(code, &data);
}

void CProjectFile::ReportProgress(int code, int value) const {
    if (m_progressSink)
        m_progressSink(code, value);
    else
        PR_ReportProgress(code, value);
}

CProjectFile::CProjectFile() : m_modifiedInfo(std::make_unique<CXML>("ModifiedInfo")) {
    m_hhp.AttachProjectFile(this);
    m_hhc.AttachProjectFile(this);
    m_hhk.AttachProjectFile(this);
    InitModels();
    m_modified = 0; // a new project starts unmodified; nobody observes it yet
}

CProjectFile::~CProjectFile() = default;

void CProjectFile::InitModels() {
    m_hhp.InitHHP();
    m_hhc.InitHHC();
    m_hhk.InitHHK();
    m_writtenSpellings.clear();
}

void CProjectFile::InitProject() {
    m_path.clear();
    m_title.clear();
    m_folder.clear();
    m_includeProjectInfo = 1;
    InitModels();
    ResetModifiedInfo();
    // The windows that show the old project show the empty one now.
    Notify(NC_RELOADED);
    m_hhc.Notify(NC_RELOADED);
    m_hhk.Notify(NC_RELOADED);
    SetModified(0);
}

int CProjectFile::OpenProjectFile(const std::string& path) {
    mb::BusyCursor busy(Prompt());
    std::FILE* file = mb::OpenRegularFile(path);
    if (!file) {
        mb::ShowMessage(
            Prompt(), "This file cannot be read:\n\n" + path + "\n\n" + mb::UnreadableReason(path),
            CStrHelper::ML_GetStringEx(kStrProductName));
        return 0;
    }
    auto progress = std::make_unique<LoadProgress>(*this, file);
    mb::ProjectFileReader reader(FolderForm(FolderOf(path)));
    reader.Read(file, [&progress](long long bytes) { progress->BytesRead(bytes); });
    std::fclose(file);
    CXML& root = reader.Document();
    if (root.GetTagName() != kRootTag) {
        progress.reset();
        mb::ShowMessage(Prompt(), CStrHelper::ML_GetStringEx(kStrNotProjectFile),
                        CStrHelper::ML_GetStringEx(kStrProductName));
        return 0;
    }
    Notify(NC_LOAD_STARTING);
    CXML* hhp = root.GetChildByTagName("HHP");

    InitModels();
    StoreProjectFolder(FolderOf(path));
    SetLastOpenDir(m_folder);

    m_version = "1.0";
    if (CXML* parameters = root.GetChildByTagName("ProjectParameters")) {
        if (CXML* version = parameters->GetChildByTagName("ProjectFileVersion"))
            m_version = version->Value() == "2.0" ? "2.0" : "1.0";
    }
    bool version2 = m_version == "2.0";
    if (hhp) {
        if (version2)
            m_hhp.ReadXMLTree_Ver2(hhp);
        else
            m_hhp.ReadXMLTree_Ver1(hhp);
    }
    // The reader made the entries of each tree; the document holds the
    // tree's properties. The records of loading a tree go as soon as it is
    // read, so that a large project never holds them all at once; they
    // describe no change to undo.
    const CXML* hhc = root.GetChildByTagName("HHC");
    if (version2)
        m_hhc.ReadXMLTree_Ver2(hhc);
    else
        m_hhc.ReadXMLTree_Ver1(hhc);
    KeepSpellings(reader.ContentsSpellings());
    m_hhc.AddLoadedEntries(reader.Contents(), version2);
    ResetModifiedInfo();
    progress->Reached(LoadProgress::kContentsRead);
    const CXML* hhk = root.GetChildByTagName("HHK");
    if (version2)
        m_hhk.ReadXMLTree_Ver2(hhk);
    else
        m_hhk.ReadXMLTree_Ver1(hhk);
    KeepSpellings(reader.IndexSpellings());
    m_hhk.AddLoadedEntries(reader.Index());
    ResetModifiedInfo();
    progress->Reached(LoadProgress::kDone);

    SetMBKFileName(path);
    Notify(NC_RELOADED);
    m_hhk.Notify(NC_RELOADED);
    Notify(NC_LOAD_FINISHED);
    m_hhc.Notify(NC_RELOADED);
    SetModified(0);
    return 1;
}

int CProjectFile::WriteProjectFile(const std::string& path) {
    if (!m_modified)
        return 1;
    if (path.empty())
        return 0;
    if (mb::IsReadOnlyFile(path)) {
        ShowReadOnlyWarning(Prompt(), path);
        return 0;
    }

    CXML root(kRootTag);
    BuildProjectDocument(root);
    mb::SafeFileWriter writer(path);
    if (!writer.Write(kDeclaration) || !root.XMLWrite(writer.File()) || !writer.Commit()) {
        std::string error = writer.Error().empty()
                                ? "cannot write " + path + ": " + std::strerror(errno)
                                : writer.Error();
        mb::ShowMessage(Prompt(), error.substr(0, kMaxErrorText),
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Error);
        return 0;
    }
    SetModified(0);
    return 1;
}

void CProjectFile::BuildProjectDocument(CXML& root) {
    CXML* parameters = root.AddChild("ProjectParameters");
    parameters->AddChild("ProjectFileVersion", "2.0");
    FlagScope writing(m_writingProjectFile);
    m_hhp.WriteXMLTree_Ver2(root.AddChild("HHP"));
    CXML* hhc = root.AddChild("HHC");
    hhc->SetAttr("ft", "ft");
    m_hhc.WriteXMLTree_Ver2(hhc);
    CXML* hhk = root.AddChild("HHK");
    hhk->SetAttr("ft", "ft");
    m_hhk.WriteXMLTree_Ver2(hhk);
}

bool CProjectFile::WritePortableCopy(std::FILE* out) {
    CXML root(kRootTag);
    {
        FlagScope portable(m_writingPortableCopy);
        BuildProjectDocument(root);
    }
    return std::fputs(kDeclaration, out) >= 0 && root.XMLWrite(out) && std::fflush(out) == 0;
}

int CProjectFile::SaveProject() {
    m_hhp.UpdateData(m_title);
    return WriteProjectFile(m_path);
}

int CProjectFile::SaveProjectAs(const std::string& path) {
    SetMBKFileName(path);
    SetModified(1);
    return SaveProject();
}

void CProjectFile::SetMBKFileName(const std::string& path) {
    m_path = path;
    CPath parsed(path);
    m_title = parsed.GetFileTitle();
    StoreProjectFolder(parsed.GetLocation());
    Notify(NC_PROJECT_FILENAME_CHANGED);
}

void CProjectFile::SetModified(int flag) {
    if (flag)
        m_changes.OtherChanged();
    else
        m_changes.Saved();
    m_modified = flag;
    Notify(NC_MODIFIED_CHANGED);
}

void CProjectFile::NoteTreeChange() {
    m_changes.TreeChanged();
    m_modified = 1;
    Notify(NC_MODIFIED_CHANGED);
}

void CProjectFile::FollowUndoHistories(bool atSavedPoint) {
    int modified = atSavedPoint && !m_changes.HasOtherChanges() ? 0 : 1;
    if (modified == m_modified)
        return;
    m_modified = modified;
    Notify(NC_MODIFIED_CHANGED);
}

void CProjectFile::StoreProjectFolder(const std::string& folder) {
    m_folder = FolderForm(folder);
}

void CProjectFile::SetProjectFolder(const std::string& folder) {
    StoreProjectFolder(folder);
    SetModified(1);
}

std::string CProjectFile::GetProjectFolder2() const {
    return CPath::RemoveBackSlash(m_folder);
}

void CProjectFile::GetProjectFolderByHHPFile(const std::string& path) {
    StoreProjectFolder(FolderOf(path));
}

int CProjectFile::AbsolutePathToRelativePath(std::string& path) const {
    std::string spelled = path;
    if (m_writingProjectFile) {
        auto found = m_writtenSpellings.find(path);
        if (found != m_writtenSpellings.end())
            spelled = found->second;
    }
    // Only the file part is converted: "help.chm" of "help.chm::/page.htm",
    // "page.htm" of "page.htm#part".
    size_t end = mb::FilePartEnd(spelled);
    std::string head = spelled.substr(0, end);
    std::string tail = spelled.substr(end);

    std::string relative;
    if (CPath::IsNativeForm(m_folder) && !head.empty() && head[0] == '/') {
        // Native paths in memory are canonical: a path lies inside the
        // folder exactly when the folder is its beginning.
        if (head.size() > m_folder.size() && head.compare(0, m_folder.size(), m_folder) == 0)
            relative = head.substr(m_folder.size());
        else if (m_writingPortableCopy)
            relative = std::filesystem::path(head).lexically_relative(m_folder).string();
        for (char& c : relative) {
            if (c == '/')
                c = '\\';
        }
    } else {
        relative = CPath(head).GetRelativePath(m_folder);
        bool upwards = relative == ".." || relative.rfind("..\\", 0) == 0;
        if (relative == "." || upwards)
            relative.clear();
    }
    if (relative.empty())
        return 0;
    path = relative + tail;
    return 1;
}

void CProjectFile::RelativePathToAbsolutePath(std::string& path) {
    ResolveBelowFolder(m_folder, path, m_writtenSpellings);
}

std::string CProjectFile::ResolvePath(const std::string& folder, const std::string& value) {
    return ResolveRecordingSpelling(folder, value, m_writtenSpellings);
}

std::string CProjectFile::PageFromProjectForm(const std::string& value) {
    return PageFromProjectForm(m_folder, value, m_writtenSpellings);
}

std::string CProjectFile::PageFromProjectForm(const std::string& folder, const std::string& value,
                                              Spellings& spellings) {
    if (value.empty())
        return value;
    std::string path = value;
    if (!mb::IsFixedLocation(path) && path[0] != '\\')
        path.insert(0, 1, '\\');
    ResolveBelowFolder(folder, path, spellings);
    return path;
}

void CProjectFile::KeepSpellings(const Spellings& spellings) {
    for (const auto& [path, asWritten] : spellings)
        m_writtenSpellings[path] = asWritten;
}

std::string CProjectFile::FolderForm(const std::string& folder) {
    return CPath::AddBackSlash(folder, CPath::IsNativeForm(folder));
}

std::string CProjectFile::GetLastOpenDir() const {
    return m_settings->env.GetLastOpenFolder();
}

void CProjectFile::SetLastOpenDir(const std::string& folder) {
    m_settings->env.SetLastOpenFolder(folder);
}

void CProjectFile::SetLastOpenDir2(const std::string& path) {
    SetLastOpenDir(CPath(path).GetLocationNoSlash());
}

void CProjectFile::ShowReadOnlyWarning(mb::IPrompt& prompt, const std::string& path) {
    std::string text = CStrHelper::ML_GetStringEx(kStrCannotSave) + "\n\n" + path + "\n\n" +
                       CStrHelper::ML_GetStringEx(kStrReadOnly);
    mb::ShowMessage(prompt, text, CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                    mb::Icon::Warning);
}

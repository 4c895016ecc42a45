// Connecting a project to the HTML Help Workshop formats: importing a .hhp
// project with its contents and index files, exporting one for the
// compiler, and taking over trees filled from a compiled help file.

#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectFile.h"

#include <filesystem>

namespace {

// The contents or index file the settings name: the option, else the main
// window's item; resolved against the project folder unless it is a fixed
// location. Empty when neither names one.
std::string NamedSitemapFile(const CHHPFile& hhp, int option, int windowItem,
                             const std::string& folder) {
    std::string name;
    hhp.GetOptionsData(option, name);
    if (name.empty())
        hhp.GetWindowsData(windowItem, name);
    if (name.empty() || mb::IsFixedLocation(name))
        return name;
    return mb::ResolveAgainstFolder(folder, name).path;
}

void TellImportFailed(mb::IPrompt& prompt, const std::string& headline,
                      const std::vector<std::string>& problems) {
    std::string text = headline + "\n";
    for (const std::string& problem : problems)
        text += "\n" + problem;
    text += "\n\nNothing was imported.";
    mb::ShowMessage(prompt, text, CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                    mb::Icon::Error);
}

// A project that names files it does not come with (header files, pages,
// even its contents or index) is still imported, as the compiler still
// compiles it; the user is told which files were left out and why.
void TellFilesLeftOut(mb::IPrompt& prompt, const std::string& path,
                      const std::vector<std::string>& problems) {
    std::string text = "The HTML Help project \"" + path +
                       "\" names files that cannot be read; it was imported without them:\n";
    for (const std::string& problem : problems)
        text += "\n" + problem;
    mb::ShowMessage(prompt, text, CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                    mb::Icon::Warning);
}

std::string DumpTree(const CXML* root, const char* fileName) {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        return {};
    std::string path = (folder / fileName).string();
    return root->DumpXML(path) ? path : std::string();
}

} // namespace

int CProjectFile::ImportHHPFile(const std::string& path) {
    GetProjectFolderByHHPFile(path);
    CXML hhp("HHP");
    if (!m_hhp.ReadHHPFileToXML(path, &hhp)) {
        TellImportFailed(Prompt(), "This file cannot be imported as an HTML Help project (.hhp):",
                         m_hhp.GetReadProblems());
        InitProject();
        return 0;
    }
    std::vector<std::string> problems = m_hhp.GetReadProblems();
    m_hhp.ReadXMLTree_Ver2(&hhp);
    TakeTitleAsCaptionUnlessRead(hhp);

    // A contents or index file that cannot be read leaves its tree empty.
    std::string contents = NamedSitemapFile(m_hhp, OPT_CONTENTS_FILE, WIN_TOC_FILE, m_folder);
    if (!contents.empty()) {
        CXML hhc("HHC");
        hhc.SetAttr("ft", "ft");
        m_hhc.ReadHHCFileToXML(contents, &hhc);
        if (m_hhc.GetReadProblem().empty())
            m_hhc.ReadXMLTree_Ver2(&hhc);
        else
            problems.push_back(contents + ": " + m_hhc.GetReadProblem());
    }
    std::string index = NamedSitemapFile(m_hhp, OPT_INDEX_FILE, WIN_INDEX_FILE, m_folder);
    if (!index.empty()) {
        CXML hhk("HHK");
        hhk.SetAttr("ft", "ft");
        m_hhk.ReadHHKFileToXML(index, &hhk);
        if (m_hhk.GetReadProblem().empty())
            m_hhk.ReadXMLTree_Ver2(&hhk);
        else
            problems.push_back(index + ": " + m_hhk.GetReadProblem());
    }
    if (!problems.empty())
        TellFilesLeftOut(Prompt(), path, problems);

    Notify(NC_RELOADED);
    m_hhc.Notify(NC_RELOADED);
    m_hhk.Notify(NC_RELOADED);
    return 1;
}

void CProjectFile::TakeTitleAsCaptionUnlessRead(const CXML& hhp) {
    const CXML* windows = hhp.GetChildByTagName("WINDOWS");
    if (windows && windows->GetChildByTagName(CHHPFile::m_strWindowsItemXMLTag[WIN_TITLE_BAR_TEXT]))
        return;
    std::string title;
    m_hhp.GetOptionsData(OPT_TITLE, title);
    if (!title.empty())
        m_hhp.SetWindowsData(WIN_TITLE_BAR_TEXT, title);
}

std::vector<std::string> CProjectFile::ExportHHPTargets(const std::string& path) const {
    std::string folder = m_folder;
    std::string title = m_title;
    if (title.empty()) {
        CPath target(path);
        folder = target.GetLocation();
        title = target.GetFileTitle();
    }
    return {path, folder + title + ".hhc", folder + title + ".hhk"};
}

int CProjectFile::ExportHHPFile(const std::string& path) {
    std::string title = m_title.empty() ? CPath(path).GetFileTitle() : m_title;
    std::vector<std::string> targets = ExportHHPTargets(path);
    // The .hhp must name the files written here, also when the project file
    // was renamed since the names were last brought up to date.
    m_hhp.UpdateData(title);
    SetIncludeMBKProjectInfo(0);

    int result = m_hhp.WriteHHPFile(targets[0]);
    if (result)
        result = m_hhc.WriteHHCFile(targets[1]);
    if (result)
        result = m_hhk.WriteHHKFile(targets[2]);
    return result;
}

int CProjectFile::ImportCHM_X() {
    Notify(NC_RELOADED);
    m_hhc.Notify(NC_RELOADED);
    m_hhk.Notify(NC_RELOADED);
    return 1;
}

std::string CProjectFile::DumpContent() const {
    return DumpTree(m_hhc.GetTreeRoot(), "hhcdump.xml");
}

std::string CProjectFile::DumpIndex() const {
    return DumpTree(m_hhk.GetTreeRoot(), "hhkdump.xml");
}

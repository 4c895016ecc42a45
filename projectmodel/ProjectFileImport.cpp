// Connecting a project to the HTML Help Workshop formats: importing a .hhp
// project with its contents and index files, exporting one for the
// compiler, and taking over trees filled from a compiled help file.

#include "baseutil/Path.h"
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
    int result = m_hhp.ReadHHPFileToXML(path, &hhp);
    m_hhp.ReadXMLTree_Ver2(&hhp);

    std::string contents = NamedSitemapFile(m_hhp, OPT_CONTENTS_FILE, WIN_TOC_FILE, m_folder);
    if (!contents.empty()) {
        CXML hhc("HHC");
        hhc.SetAttr("ft", "ft");
        m_hhc.ReadHHCFileToXML(contents, &hhc);
        m_hhc.ReadXMLTree_Ver2(&hhc);
    }
    std::string index = NamedSitemapFile(m_hhp, OPT_INDEX_FILE, WIN_INDEX_FILE, m_folder);
    if (!index.empty()) {
        CXML hhk("HHK");
        hhk.SetAttr("ft", "ft");
        m_hhk.ReadHHKFileToXML(index, &hhk);
        m_hhk.ReadXMLTree_Ver2(&hhk);
    }

    Notify(NC_RELOADED);
    m_hhc.Notify(NC_RELOADED);
    m_hhk.Notify(NC_RELOADED);
    return result;
}

int CProjectFile::ExportHHPFile(const std::string& path) {
    std::string folder = m_folder;
    std::string title = m_title;
    if (title.empty()) {
        CPath target(path);
        folder = target.GetLocation();
        title = target.GetFileTitle();
    }
    // The .hhp must name the files written here, also when the project file
    // was renamed since the names were last brought up to date.
    m_hhp.UpdateData(title);
    SetIncludeMBKProjectInfo(0);

    int result = m_hhp.WriteHHPFile(path);
    if (result)
        result = m_hhc.WriteHHCFile(folder + title + ".hhc");
    if (result)
        result = m_hhk.WriteHHKFile(folder + title + ".hhk");
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

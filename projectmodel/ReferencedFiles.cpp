#include "projectmodel/ReferencedFiles.h"

#include "baseutil/Path.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/TopicPath.h"

#include <cctype>
#include <filesystem>
#include <unordered_set>

namespace mb {
namespace {

bool IsWindowsDrivePath(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

class Collector {
public:
    explicit Collector(const std::string& projectFolder) : m_folder(projectFolder) {}

    // `location` as a topic path in memory; `mustExist` leaves out a page
    // in the project folder that is not on disk.
    void Add(const std::string& location, bool mustExist) {
        // "help.chm::/a.htm" lives in another help file; "a.htm#part" is a.htm.
        if (location.empty() || location.find("::") != std::string::npos)
            return;
        std::string path = location.substr(0, FilePartEnd(location));
        // A link to a page that is not there stays a broken link, as it
        // was; only the files list makes chmcmd open every name.
        std::error_code ec;
        bool missing = !std::filesystem::is_regular_file(path, ec);
        if (IsWindowsDrivePath(path)) {
            if (!mustExist)
                AddOnce(m_found.outsideProjectFolder, path);
            return;
        }
        if (path.empty() || path[0] != '/')
            return; // web, network and other addresses
        if (mustExist && missing)
            return;
        bool inside = !m_folder.empty() && path.size() > m_folder.size() &&
                      path.compare(0, m_folder.size(), m_folder) == 0;
        AddOnce(inside ? m_found.inProjectFolder : m_found.outsideProjectFolder, path);
    }

    void AddTree(const CXML* parent) {
        for (int i = 0; i < parent->GetChildCount(); ++i) {
            const CXML* node = parent->GetChildAt(i);
            Add(node->GetAttr("Local"), true);
            AddTree(node);
        }
    }

    ReferencedFiles Result() && { return std::move(m_found); }

private:
    // Help files name the same pages thousands of times.
    void AddOnce(std::vector<std::string>& list, const std::string& path) {
        if (m_seen.insert(path).second)
            list.push_back(path);
    }

    std::string m_folder;
    std::unordered_set<std::string> m_seen;
    ReferencedFiles m_found;
};

} // namespace

ReferencedFiles FilesReferencedBy(CProjectFile& project) {
    Collector collector(CPath::IsNativeForm(project.GetProjectFolder())
                            ? CPath::AddBackSlash(project.GetProjectFolder(), true)
                            : std::string());
    const CHHPFile& hhp = *project.GetHHPFile();
    const CXML* files = hhp.GetFilesData();
    for (int i = 0; i < files->GetChildCount(); ++i)
        collector.Add(files->GetChildAt(i)->GetAttr("Name"), false);

    std::string page;
    if (hhp.GetOptionsData(OPT_DEFAULT_TOPIC, page))
        collector.Add(page, true);
    tagHH_WINTYPE window;
    if (hhp.GetWindowsData(-1, window)) {
        for (const std::string* location :
             {&window.pszFile, &window.pszHome, &window.pszUrlJump1, &window.pszUrlJump2})
            collector.Add(*location, true);
    }
    const CXML* map = hhp.GetMapData();
    for (int i = 0; i < map->GetChildCount(); ++i) {
        const CXML* header = map->GetChildAt(i);
        for (int k = 0; k < header->GetChildCount(); ++k)
            collector.Add(header->GetChildAt(k)->GetAttr("FILE"), true);
    }
    collector.AddTree(project.HHC_GetTreeRoot());
    collector.AddTree(project.HHK_GetTreeRoot());
    return std::move(collector).Result();
}

} // namespace mb

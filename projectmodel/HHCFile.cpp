#include "projectmodel/HHCFile.h"

#include "baseutil/FileManip.h"
#include "baseutil/Prompt.h"
#include "markup/HTMLHelper.h"
#include "baseutil/Guid.h"
#include "projectmodel/ProgressReport.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"

#include <filesystem>

namespace {

// Progress goes to the project the contents belong to, if any.
void Report(const CProjectFile* project, int code, int value = 0) {
    if (project)
        project->ReportProgress(code, value);
    else
        PR_ReportProgress(code, value);
}

// Visits the entries below `parent` in tree order until `visit` returns
// false; returns false when it was stopped.
template <typename Visit> bool ForEachEntry(const CXML* parent, Visit&& visit) {
    for (int i = 0; i < parent->GetChildCount(); ++i) {
        const CXML* node = parent->GetChildAt(i);
        if (!visit(node) || !ForEachEntry(node, visit))
            return false;
    }
    return true;
}

// Queues a copy of every file below `from` to the same place below `to`.
void QueueFolderCopy(const std::string& from, const std::string& to,
                     std::vector<std::string>& sources, std::vector<std::string>& targets) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        sources.push_back(it->path().string());
        targets.push_back((fs::path(to) / fs::relative(it->path(), from, ec)).string());
    }
}

} // namespace

const uint32_t CHHCFile::m_nHHCStyleMask[24] = {
    1u << 0,  1u << 1,  1u << 2,  1u << 3,  1u << 4,  1u << 5,  1u << 6,  1u << 7,
    1u << 8,  1u << 9,  1u << 10, 1u << 11, 1u << 12, 1u << 13, 1u << 14, 1u << 15,
    1u << 16, 1u << 17, 1u << 18, 1u << 19, 1u << 20, 1u << 21, 1u << 22, 1u << 23};

CHHCFile::CHHCFile()
    : CSitemapFile("hhcTreeRoot",
                   {NC_CONTENT_SELECTED, NC_CONTENT_ACTIVATED, NC_CONTENT_DEACTIVATED,
                    NC_CONTENT_FONT_CHANGED, NC_CONTENT_ADDED, NC_CONTENT_REMOVED,
                    NC_CONTENT_DELETED, NC_CONTENT_DELETED_EMPTY, 0, 1}) {}

void CHHCFile::InitHHC() {
    for (int i = 0; i < 24; ++i)
        SetContentWindowStyle(i, (kDefaultWindowStyles & m_nHHCStyleMask[i]) ? 1 : 0);
    m_foreground = kDefaultForeground;
    SetBackgroundColor(kDefaultBackground);
    InitFont();
    DelAll();
    m_windowName.clear();
    m_frameName = "right";
    m_imageType = "Folder";
}

void CHHCFile::SetContentWindowStyle(int index, int on) {
    if (index < 0 || index >= 24)
        return;
    if (on == 1)
        m_windowStyles |= m_nHHCStyleMask[index];
    else
        m_windowStyles &= ~m_nHHCStyleMask[index];
    CXML change("WindowStyle");
    change.SetAttr("index", index);
    change.SetAttr("value", on == 1 ? 1 : 0);
    Notify(NC_CONTENT_WINDOWSTYLE_CHANGED, &change);
    SetModified();
}

void CHHCFile::SetContentWindowStyle(uint32_t styles) {
    m_windowStyles = styles;
    CXML change("WindowStyle");
    change.SetAttr("index", -1);
    change.SetAttr("value", std::to_string(styles));
    Notify(NC_CONTENT_WINDOWSTYLE_CHANGED, &change);
    SetModified();
}

void CHHCFile::SetImageType(const std::string& type) {
    m_imageType = type;
    SetModified();
}

int CHHCFile::GetWindowStyles(int index) const {
    if (index < 0 || index >= 24)
        return 0;
    return (m_windowStyles & m_nHHCStyleMask[index]) ? 1 : 0;
}

void CHHCFile::SetBackgroundColor(uint32_t color) {
    m_background = color;
    CXML change("color");
    change.SetAttr("value", std::to_string(color));
    Notify(NC_CONTENT_BKCOLOR_CHANGED, &change);
    SetModified();
}

CXML* CHHCFile::CreateNode(const std::string& name, const std::string& local,
                           const std::string& id) {
    auto* node = new CXML("node");
    node->ReserveAttrs(4);
    node->SetAttr("Name", name);
    node->SetAttr("Local", local);
    node->SetAttr("ImageNumber", local.empty() ? 0 : 10);
    node->SetAttr("ID", id.empty() ? mb::NewGuidString() : id);
    return node;
}

int CHHCFile::GetSelectedNodeType() const {
    const CXML* node = GetSelectedNode();
    return node ? node->GetAttrInt("Type") : 0;
}

void CHHCFile::GetNodeNameAndURL(std::vector<std::string>& names,
                                 std::vector<std::string>& urls) const {
    ForEachEntry(GetTreeRoot(), [&](const CXML* node) {
        std::string local = node->GetAttr("Local");
        if (!local.empty()) {
            names.push_back(node->GetAttr("Name"));
            urls.push_back(local);
        }
        return true;
    });
}

void CHHCFile::GetTopicNameByURL(const std::string& url, std::string& name) const {
    name.clear();
    ForEachEntry(GetTreeRoot(), [&](const CXML* node) {
        std::string local = node->GetAttr("Local");
        if (local.empty() || local != url)
            return true;
        name = node->GetAttr("Name");
        return false;
    });
}

bool CHHCFile::RefusesRun(const CXML* relative, int mode) const {
    return mode == 1 && relative->GetAttrInt("Type") == kMergeType;
}

void CHHCFile::ModifyNode(CXML* node, int what, const CXML* values) {
    if (!node || !values)
        return;
    switch (what) {
    case 1:
        node->SetAttr("Name", values->GetAttr("Name"));
        Notify(NC_CONTENT_RENAMED, node);
        break;
    case 2: {
        bool had = !node->GetAttr("Local").empty();
        std::string local = values->GetAttr("Local");
        node->SetAttr("Local", local);
        int code = NC_CONTENT_LOCAL_CHANGED;
        if (!had && !local.empty())
            code = NC_CONTENT_LOCAL_ADDED;
        else if (had && local.empty())
            code = NC_CONTENT_LOCAL_CLEARED;
        Notify(code, node);
        break;
    }
    case 7:
        node->SetAttr("ImageNumber", values->GetAttrInt("ImageNumber"));
        Notify(NC_CONTENT_IMAGE_CHANGED, node);
        break;
    default:
        break;
    }
}

int CHHCFile::ReplaceUCInFilename(const CXML* list) {
    CXML* table = Config().GetReplacedTable();
    if (!table || !list)
        return 0;
    CHTMLHelper helper(table);

    int total = list->GetChildCount();
    Report(m_project, PR_PROGRESS_START, total);
    std::vector<std::string> sources;
    std::vector<std::string> targets;
    int renamed = 0;
    for (int i = 0; i < total; ++i) {
        CXML* node = GetNodeByID(list->GetChildAt(i)->Value());
        if (node && node != GetTreeRoot()) {
            std::string newFile, oldFolder, newFolder;
            helper.ReplaceUnwelcomeCharsInFilename(node->GetAttr("Local"), newFile, oldFolder,
                                                   newFolder);
            if (!newFile.empty()) {
                CXML values("NewValue");
                values.SetAttr("Local", newFile);
                ModifyNode(node, 2, &values);
                SetModified();
                if (!newFolder.empty())
                    QueueFolderCopy(oldFolder, newFolder, sources, targets);
                ++renamed;
            }
        }
        Report(m_project, PR_PROGRESS_STEP, i + 1);
    }
    if (!sources.empty()) {
        mb::BusyCursor busy(*Channels().prompt);
        CFileManip::CopyFiles(sources, targets, true);
    }
    Report(m_project, PR_PROGRESS_END);
    return renamed;
}

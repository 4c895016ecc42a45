#include "appglue/DragDropHelper.h"

#include "appglue/AddDirectoryDialog.h"
#include "appglue/AppHelper.h"
#include "appglue/FileItems.h"
#include "appglue/UriList.h"
#include "baseutil/BWHelper.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUriList = "text/uri-list";
constexpr const char* kText = "text/plain";

// The text before the first line end (LF, CR LF or a lone CR).
std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

// A view entry's text, which may come with a terminating zero.
std::string UpToZero(const std::string& data) {
    return data.substr(0, data.find('\0'));
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool IsFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

void CDragDropHelper::ForgetDrop() {
    m_files.clear();
    m_node = nullptr;
    m_text.clear();
    m_topicFile.clear();
}

int CDragDropHelper::DropHelper(const mb::IDropData& data, int fromSelf) {
    ForgetDrop();
    if (fromSelf)
        return DDOT_SELF;
    if (data.HasFormat(GetCF_ArchiveView())) {
        m_node = data.ArchiveNode();
        if (m_node)
            return DDOT_ARCHIVE_NODE;
    }
    const std::pair<const char*, int> views[] = {{GetCF_View_Content(), DDOT_VIEW_CONTENT},
                                                 {GetCF_View_Index(), DDOT_VIEW_INDEX},
                                                 {GetCF_View_Files(), DDOT_VIEW_FILES}};
    for (const auto& [format, kind] : views) {
        if (data.HasFormat(format)) {
            m_topicFile = UpToZero(data.Data(format));
            return kind;
        }
    }
    if (data.HasFormat(kUriList)) {
        m_files = mb::LocalFilesFromUriList(data.Data(kUriList), m_app->GetCurrentComputerName());
        if (!m_files.empty())
            return DDOT_FILES;
    }
    if (data.HasFormat(kText)) {
        m_text = FirstLine(data.Data(kText));
        return DDOT_TEXT;
    }
    return DDOT_NONE;
}

int CDragDropHelper::GetFilesListFromFolderView(CXML* list, int wrapFlash) {
    if (!list || m_files.empty())
        return 0;
    tagAddDirectoryOption& options = *m_app->GetAddDirectoryOption();
    if (std::any_of(m_files.begin(), m_files.end(), IsFolder) &&
        !m_app->AddDirectoryDialog().ConfirmDroppedFolders(options, m_app->GetDropFileFilterSet()))
        return 0;

    mb::BusyCursor busy(m_app->Prompt());
    std::string publicPath;
    bool listed = false;
    for (const std::string& name : m_files) {
        std::string itemFolder;
        if (IsFolder(name)) {
            std::string title = mb::FolderTitle(name);
            if (!m_app->AdmitsFolder(title))
                continue;
            CXML* item = mb::AddFolderItem(list, title);
            m_app->EnumDirectory(name, options.includeSubDir, item, wrapFlash);
            itemFolder = mb::FolderNoSlash(name);
        } else if (IsFile(name)) {
            mb::AddFileItem(list, m_app->ListedPath(name, wrapFlash));
            itemFolder = fs::path(name).parent_path().string();
        } else {
            continue; // gone since the drop
        }
        publicPath = listed ? CBWHelper::GetPublicDirectory(publicPath, itemFolder) : itemFolder;
        listed = true;
    }
    if (!listed)
        return 0;
    list->SetAttr("PublicPath", publicPath);
    return 1;
}

int CDragDropHelper::GetFilesListFromArchiveView_Content(CXML* list) {
    return ListArchiveNode(list);
}

int CDragDropHelper::GetFilesListFromArchiveView_Index(CXML* list) {
    return ListArchiveNode(list);
}

// A storage becomes a heading with a topic for each entry directly inside it
// that is not a storage itself; a sitemap becomes a sitemap item; anything
// else a topic.
int CDragDropHelper::ListArchiveNode(CXML* list) const {
    if (!list || !m_node)
        return 0;
    const std::string name = m_node->GetAttr("Name");
    const int type = m_node->GetAttrInt("Type");
    if (type == 0) {
        CXML* heading = mb::AddFolderItem(list, name);
        for (int i = 0; i < m_node->GetChildCount(); ++i) {
            const CXML* child = m_node->GetChildAt(i);
            if (child->GetAttrInt("Type") != 0)
                mb::AddLinkItem(heading, mb::kItemTopic, child->GetAttr("Name"),
                                child->GetAttr("Local"));
        }
    } else {
        mb::AddLinkItem(list, type == 2 ? mb::kItemSitemap : mb::kItemTopic, name,
                        m_node->GetAttr("Local"));
    }
    return 1;
}

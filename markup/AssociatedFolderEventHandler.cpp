#include "markup/AssociatedFolderEventHandler.h"

#include "baseutil/Path.h"
#include "markup/HtmlChars.h"
#include "markup/PageFolders.h"

using namespace mb::html;

void CAssociatedFolderEventHandler::SetParsedFile(const std::string& path) {
    m_parsedFile = path;
    m_folder = FolderOf(CPath::Canonicalize(path));
}

void CAssociatedFolderEventHandler::BeginParse(std::uint32_t, bool&) {
    m_oldFolder.clear();
    m_newFolder.clear();
    m_oldFolderWithPath.clear();
    m_newFolderWithPath.clear();
    m_containsUnwelcome = 0;
}

void CAssociatedFolderEventHandler::StartTag(const CLiteHTMLTag* tag, std::uint32_t, bool& abort) {
    if (!m_table)
        return;
    for (int i = 0; i < tag->getAttributeCount() && m_oldFolder.empty(); ++i) {
        CLiteHTMLElemAttr attr = tag->getAttribute(i);
        if (!EqualsNoCase(attr.getName(), "src") && !EqualsNoCase(attr.getName(), "href"))
            continue;
        std::optional<FolderReference> folder = FindReferencedFolder(m_folder, attr.getValue());
        if (!folder)
            continue;
        m_oldFolder = folder->relative;
        m_oldFolderWithPath = folder->onDisk;
        if (!HasReplaceItems(m_table))
            continue;
        // The folder's name gets the replacements; a result that is no
        // plain name (a '/' brought in, say) leaves the folder as it is.
        const std::string oldName = m_oldFolder.substr(0, m_oldFolder.size() - 1);
        std::string newName = ApplyReplaceTable(m_table, oldName);
        if (!IsPlainName(newName))
            newName = oldName;
        m_newFolder = newName + "/";
        m_newFolderWithPath = m_folder + m_newFolder;
        m_containsUnwelcome = m_newFolder != m_oldFolder ? 1 : 0;
        abort = true;
    }
}

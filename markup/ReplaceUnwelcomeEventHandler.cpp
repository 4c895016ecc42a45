#include "markup/ReplaceUnwelcomeEventHandler.h"

#include "baseutil/Path.h"
#include "markup/HTMLHelper.h"
#include "markup/HtmlChars.h"
#include "markup/PageFolders.h"

using namespace mb::html;

void CReplaceUnwelcomeEventHandler::SetParsedFile(const std::string& path) {
    m_parsedFile = path;
    m_folder = FolderOf(CPath::Canonicalize(path));
}

std::string CReplaceUnwelcomeEventHandler::GetOldAssociatedFolderName() const {
    return m_oldFolder.empty() ? std::string() : m_folder + m_oldFolder;
}

std::string CReplaceUnwelcomeEventHandler::GetNewAssociatedFolderName() const {
    return m_newFolder.empty() ? std::string() : m_folder + m_newFolder;
}

void CReplaceUnwelcomeEventHandler::BeginParse(std::uint32_t, bool&) {
    m_output.clear();
    m_oldFolder.clear();
    m_newFolder.clear();
}

std::string CReplaceUnwelcomeEventHandler::RewriteReference(const std::string& value) {
    std::optional<FolderReference> folder = FindReferencedFolder(m_folder, value);
    if (!folder)
        return value;
    if (m_oldFolder.empty()) {
        m_oldFolder = folder->relative;
        m_newFolder = m_oldFolder;
        std::string newName =
            ApplyReplaceTable(m_table, m_oldFolder.substr(0, m_oldFolder.size() - 1));
        if (IsPlainName(newName))
            m_newFolder = newName + "/";
    }
    if (folder->relative != m_oldFolder || m_newFolder == m_oldFolder)
        return value;
    return m_newFolder + folder->rest;
}

void CReplaceUnwelcomeEventHandler::StartTag(const CLiteHTMLTag* tag, std::uint32_t, bool&) {
    m_output += '<';
    m_output += tag->getTagName();
    for (int i = 0; i < tag->getAttributeCount(); ++i) {
        CLiteHTMLElemAttr attr = tag->getAttribute(i);
        std::string value = attr.getValue();
        if (EqualsNoCase(attr.getName(), "src") || EqualsNoCase(attr.getName(), "href"))
            value = RewriteReference(value);
        m_output += ' ';
        m_output += attr.getName();
        m_output += "=\"";
        // The value was decoded when it was read; encoded again it keeps its
        // meaning and cannot end the quotes early.
        m_output += CHTMLHelper::HTMLEncode(value);
        m_output += "\" ";
    }
    m_output += '>';
}

void CReplaceUnwelcomeEventHandler::EndTag(const CLiteHTMLTag* tag, std::uint32_t, bool&) {
    m_output += "</";
    m_output += tag->getTagName();
    m_output += '>';
}

void CReplaceUnwelcomeEventHandler::Characters(const std::string& text, std::uint32_t, bool&) {
    m_output += text;
}

void CReplaceUnwelcomeEventHandler::Comment(const std::string& text, std::uint32_t, bool&) {
    m_output += "<!--";
    m_output += text;
    m_output += "-->";
}

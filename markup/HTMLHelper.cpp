#include "markup/HTMLHelper.h"

#include "baseutil/CaseLookup.h"
#include "baseutil/Path.h"
#include "baseutil/SafeFile.h"
#include "markup/AssociatedFolderEventHandler.h"
#include "markup/PageFolders.h"

#include <filesystem>
#include <system_error>

using mb::html::ReplaceAll;

namespace {

// The middle dot, in UTF-8.
constexpr const char* kMiddleDot = "\xC2\xB7";

std::string WithoutTrailingSlash(std::string path) {
    if (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

} // namespace

std::string CHTMLHelper::HTMLEncode(std::string text) {
    ReplaceAll(text, "&", "&amp;");
    ReplaceAll(text, "<", "&lt;");
    ReplaceAll(text, ">", "&gt;");
    ReplaceAll(text, "\"", "&quot;");
    return text;
}

std::string CHTMLHelper::HTMLEncodeParamName(std::string text) {
    return HTMLEncode(std::move(text));
}

std::string CHTMLHelper::HTMLEncodeParamLocal(std::string text) {
    ReplaceAll(text, "&", "&amp;");
    return text;
}

std::string CHTMLHelper::HTMLDecode(std::string text) {
    ReplaceAll(text, "&nbsp;", " ");
    ReplaceAll(text, "&lt;", "<");
    ReplaceAll(text, "&gt;", ">");
    ReplaceAll(text, "&quot;", "\"");
    ReplaceAll(text, "&middot;", kMiddleDot);
    ReplaceAll(text, "%20", " ");
    ReplaceAll(text, "&amp;", "&");
    return text;
}

std::string CHTMLHelper::HTMLDecode2(std::string text) {
    ReplaceAll(text, "%20", " ");
    ReplaceAll(text, "&lt;", "<");
    ReplaceAll(text, "&gt;", ">");
    ReplaceAll(text, "&quot;", "\"");
    ReplaceAll(text, "&middot;", kMiddleDot);
    ReplaceAll(text, "&nbsp;", " ");
    ReplaceAll(text, "&amp;", "&");
    return text;
}

std::string CHTMLHelper::HTMLDecodeParamName(std::string text) {
    ReplaceAll(text, "&lt;", "<");
    ReplaceAll(text, "&gt;", ">");
    ReplaceAll(text, "&quot;", "\"");
    ReplaceAll(text, "&amp;", "&");
    return text;
}

std::string CHTMLHelper::HTMLDecodeParamLocal(std::string text) {
    ReplaceAll(text, "&amp;", "&");
    ReplaceAll(text, "%20", " ");
    return text;
}

void CHTMLHelper::ReplaceUnwelcomeCharsInFilename(std::string file, std::string& newFile,
                                                  std::string& oldFolder,
                                                  std::string& newFolder) const {
    newFile.clear();
    oldFolder.clear();
    newFolder.clear();
    if (!mb::html::HasReplaceItems(m_table))
        return;
    file = mb::FindPathIgnoringCase(CPath::Canonicalize(file));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return;

    const std::string folder = mb::html::FolderOf(file);
    const std::string name = file.substr(folder.size());
    const std::string newName = mb::html::ApplyReplaceTable(m_table, name);
    if (newName == name || !mb::html::IsPlainName(newName))
        return;
    // Never write over another file that has the new name already.
    const std::string target = folder + newName;
    if (Exists(target))
        return;

    std::string page;
    if (!mb::ReadWholeFile(file, page))
        return;
    CAssociatedFolderEventHandler handler;
    handler.SetParsedFile(file);
    handler.SetReplaceTable(m_table);
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    reader.Read(page);

    const bool renameFolder = handler.IsContainUnwelcomeChars() != 0;
    if (renameFolder) {
        // References are written HTML-encoded in attributes, or plain, or
        // with "%20" for spaces; each form is pointed at the new folder.
        const std::string& from = handler.GetOldAssociatedFolder();
        const std::string& to = handler.GetNewAssociatedFolder();
        if (ReplaceAll(page, HTMLEncode(from), HTMLEncode(to)) == 0)
            ReplaceAll(page, from, to);
        std::string percentFrom = from;
        std::string percentTo = to;
        if (ReplaceAll(percentFrom, " ", "%20") > 0) {
            ReplaceAll(percentTo, " ", "%20");
            ReplaceAll(page, percentFrom, percentTo);
        }
    }
    if (!mb::WriteFileSafely(target, page))
        return;

    newFile = target;
    if (renameFolder) {
        oldFolder = WithoutTrailingSlash(handler.GetOldAssociatedFolderWithPath());
        newFolder = WithoutTrailingSlash(handler.GetNewAssociatedFolderWithPath());
    }
}

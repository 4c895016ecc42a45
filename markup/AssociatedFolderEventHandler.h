#pragma once
// Finds the folder of files that belongs to a saved web page (images and
// style sheets in "<page>_files" beside it) by following the page's src and
// href references, and works out its name after the unwelcome character
// sequences of the replacement table were replaced.

#include "markup/EventHandler.h"

#include <string>

class CXML;

class CAssociatedFolderEventHandler : public CEventHandler {
public:
    void BeginParse(std::uint32_t appData, bool& abort) override;
    void StartTag(const CLiteHTMLTag* tag, std::uint32_t appData, bool& abort) override;

    // The page being parsed (a native absolute path); also sets its folder.
    void SetParsedFile(const std::string& path);
    // The replacement table (not owned). Without one nothing is looked for.
    void SetReplaceTable(const CXML* table) { m_table = table; }

    // The folder relative to the page's folder, with a trailing '/'.
    const std::string& GetOldAssociatedFolder() const { return m_oldFolder; }
    const std::string& GetNewAssociatedFolder() const { return m_newFolder; }
    // The same with the page's folder in front.
    const std::string& GetOldAssociatedFolderWithPath() const { return m_oldFolderWithPath; }
    const std::string& GetNewAssociatedFolderWithPath() const { return m_newFolderWithPath; }
    // Non-zero when the replacements change the folder's name.
    int IsContainUnwelcomeChars() const { return m_containsUnwelcome; }

private:
    std::string m_parsedFile;
    std::string m_folder; // with a trailing '/'
    const CXML* m_table = nullptr;
    std::string m_oldFolder;
    std::string m_newFolder;
    std::string m_oldFolderWithPath;
    std::string m_newFolderWithPath;
    int m_containsUnwelcome = 0;
};

#pragma once
// Writes a page back out tag by tag, pointing its references into the
// page's associated folder (see CAssociatedFolderEventHandler) at the
// folder's new name. Attribute values are written in double quotes, each
// followed by a space.

#include "markup/EventHandler.h"

#include <string>

class CXML;

class CReplaceUnwelcomeEventHandler : public CEventHandler {
public:
    void BeginParse(std::uint32_t appData, bool& abort) override;
    void StartTag(const CLiteHTMLTag* tag, std::uint32_t appData, bool& abort) override;
    void EndTag(const CLiteHTMLTag* tag, std::uint32_t appData, bool& abort) override;
    void Characters(const std::string& text, std::uint32_t appData, bool& abort) override;
    void Comment(const std::string& text, std::uint32_t appData, bool& abort) override;

    void SetParsedFile(const std::string& path);
    void SetReplaceTable(const CXML* table) { m_table = table; }

    const std::string& GetNewHTMLText() const { return m_output; }
    // The page's folder followed by the old or new folder name ('/' at the end);
    // empty when the page has no associated folder.
    std::string GetOldAssociatedFolderName() const;
    std::string GetNewAssociatedFolderName() const;

private:
    // The value to write for a src/href reference.
    std::string RewriteReference(const std::string& value);

    std::string m_output;
    std::string m_parsedFile;
    std::string m_folder; // with a trailing '/'
    const CXML* m_table = nullptr;
    std::string m_oldFolder;
    std::string m_newFolder;
};

#pragma once
// The new-page dialog: creates a minimal HTML topic page from a fixed
// template and hands its title and full path back. The file name follows the
// title until the user types a name of their own; the folder defaults to the
// project folder and must lie inside it. A project that has no folder yet
// takes any local folder the user enters.
#include <optional>
#include <string>

class CProjectFile;
namespace mb {
class IDialogHost;
}

class CDlgNewPage {
public:
    // `title` and `path` receive the result on OK.
    CDlgNewPage(CProjectFile* project, std::string* title, std::string* path);
    // Shows the dialog through `host`: kIdOk or kIdCancel.
    int DoModal(mb::IDialogHost& host);
    // Caption: string 472.
    std::string GetCaption() const;

    // The three fields, as the dialog shows them.
    const std::string& GetTitleText() const { return m_titleText; }
    const std::string& GetFileNameText() const { return m_fileName; }
    const std::string& GetFolderText() const { return m_folder; }
    // The user typed in the title field: with the automatic flag set the
    // file name becomes the title without \ / : * ? " < > |.
    void OnTitleChanged(const std::string& title);
    // The user typed in the file-name field.
    void SetFileNameText(const std::string& name) { m_fileName = name; }
    void SetFolderText(const std::string& folder) { m_folder = folder; }
    // The file-name field lost the focus: empty turns the automatic flag on
    // again; a name other than the last automatic one turns it off.
    void OnFileNameKillFocus();
    bool IsAutomaticFileName() const { return m_automatic; }

    // OK pressed: checks the fields in order (each failure shows its warning
    // and returns false, leaving the dialog open and nothing written), asks
    // before replacing an existing page (No is the default), then writes the
    // page and fills the result strings.
    bool OnOK();
    // After an OK that replaced an existing page: the bytes it had, so that
    // the caller can put it back. Nothing when the page was new.
    const std::optional<std::string>& GetReplacedText() const { return m_replacedText; }

    // The page text for a title, as written by OnOK.
    static std::string PageText(const std::string& title);

private:
    CProjectFile* m_project;
    std::string* m_resultTitle;
    std::string* m_resultPath;
    std::string m_titleText;
    std::string m_fileName;
    std::string m_folder;
    std::string m_lastAutomaticName;
    bool m_automatic = true;
    std::optional<std::string> m_replacedText;
};

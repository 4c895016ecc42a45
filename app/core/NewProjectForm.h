#pragma once
// The new-project dialog as its fields and rules: the help title, the
// project name (the characters a file name cannot hold are dropped while it
// is typed), the project folder and the language. OK checks the fields in
// order, each failure showing its warning and keeping the dialog open, and
// on success gives the project's title, folder, file path and language.
// The dialog writes nothing but a project folder the user agreed to create.

#include "baseutil/Prompt.h"

#include <optional>
#include <string>

namespace mb {
class AppContext;
}

class CDlgNewProject {
public:
    struct Result {
        std::string title;
        std::string folder; // as typed, "/" separators kept
        std::string path;   // folder/name.mbk
        std::optional<int> language;
    };

    // `lastFolder`: the folder the last file dialog used; `language`: the
    // configured language id, selected at first; `prompt` asks the folder
    // picker and the questions of the checks.
    CDlgNewProject(const std::string& lastFolder, int language, mb::IPrompt& prompt);

    const std::string& GetTitleText() const { return m_title; }
    const std::string& GetNameText() const { return m_name; }
    const std::string& GetFolderText() const { return m_folder; }
    std::optional<int> GetSelectedLanguage() const { return m_language; }
    void SetTitleText(const std::string& title) { m_title = title; }
    // Keeps `name` without \ / : * ? " < > |.
    void SetNameText(const std::string& name);
    void SetFolderText(const std::string& folder) { m_folder = folder; }
    // A language id from the language list, or nothing selected.
    void SetSelectedLanguage(std::optional<int> language) { m_language = language; }

    // Browse: the folder picker, titled "Please select your project folder:",
    // starting at the folder field; a chosen folder fills the field.
    void OnBrowse();
    // Help: the help topic of the dialog.
    void OnHelp(mb::AppContext& context) const;

    // OK pressed: true when every check passed; the result is then ready.
    bool OnOK();
    const Result& GetResult() const { return m_result; }

private:
    bool CheckFolder();

    std::string m_title = "** Help title **";
    std::string m_name = "NewProject";
    std::string m_folder;
    std::optional<int> m_language;
    Result m_result;
    mb::IPrompt& m_prompt;
};

#pragma once
// The small dialogs of the contents and index commands: the URL of an entry,
// the choice of a page's keywords, adding contents entries to the index, and
// the one-line text editor of the filter pages.
#include "baseutil/Prompt.h"

#include <string>
#include <vector>

class CProjectFile;
namespace mb {
class IDialogHost;
}

// Edits a link. The text is written back only on OK, which refuses an empty
// field (string 235).
class CDlgGetURL {
public:
    // `prompt` tells that an address is needed.
    CDlgGetURL(std::string* text, mb::IPrompt& prompt) : m_text(text), m_prompt(prompt) {}
    // Shows the dialog through `host`: kIdOk or kIdCancel.
    int DoModal(mb::IDialogHost& host);
    // Caption: string 53.
    std::string GetCaption() const;
    // The text the field starts with.
    const std::string& GetInitialText() const { return *m_text; }
    // OK pressed with `entered` in the field: false (after the message) when
    // it is empty, so the dialog stays open; otherwise stores it.
    bool OnOK(const std::string& entered);

private:
    std::string* m_text;
    mb::IPrompt& m_prompt;
};

// Lists the keywords of a page, each with a check box, all checked at
// first. OK keeps the checked ones in list order; Cancel empties the list.
class CDlgKeywordsSelect {
public:
    explicit CDlgKeywordsSelect(std::vector<std::string>* keywords) : m_keywords(keywords) {}
    // Shows the dialog through `host`: kIdOk or kIdCancel.
    int DoModal(mb::IDialogHost& host);
    // Caption: string 489.
    std::string GetCaption() const;
    const std::vector<std::string>& GetKeywords() const { return *m_keywords; }
    // `checked` holds one flag per keyword; missing flags count as checked.
    void OnOK(const std::vector<bool>& checked);
    void OnCancel() { m_keywords->clear(); }

private:
    std::vector<std::string>* m_keywords;
};

// Asks whether the sub-entries of the selected contents entries go into the
// index too; the answer is the project's include-sub-entries setting.
class CDlgAddSelectedCEToIndex {
public:
    explicit CDlgAddSelectedCEToIndex(CProjectFile* project) : m_project(project) {}
    // Shows the dialog through `host`: kIdOk or kIdCancel.
    int DoModal(mb::IDialogHost& host);
    // Whether the check box starts checked.
    bool GetInitialCheck() const;
    // Stores the check box (1 checked, 0 not) in the project.
    void OnOK(bool checked);

private:
    CProjectFile* m_project;
};

// One line of text with a prompt (caption: string 550). OK keeps the text,
// also when it is empty; callers ignore an empty text.
class CDlgEnterEditItem {
public:
    CDlgEnterEditItem(std::string prompt, std::string initial)
        : m_prompt(std::move(prompt)), m_text(std::move(initial)) {}
    // Shows the dialog through `host`: kIdOk or kIdCancel.
    int DoModal(mb::IDialogHost& host);
    std::string GetCaption() const;
    const std::string& GetPrompt() const { return m_prompt; }
    const std::string& GetItemText() const { return m_text; }
    void OnOK(const std::string& entered) { m_text = entered; }

private:
    std::string m_prompt;
    std::string m_text;
};

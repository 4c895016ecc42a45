#pragma once
// The decompile dialog and the handheld-conversion dialog as their fields
// and rules: the compiled help file to read and the folder to write into.
// Browsing for the file proposes an output folder beside it; OK refuses an
// empty field with a warning and keeps the dialog open.

#include "baseutil/Prompt.h"

#include <string>

class CDlgChmOutput {
public:
    enum class Kind { Decompile, Handheld };

    // `lastFolder`: where the file picker starts.
    // `prompt` asks the pickers and tells what is missing.
    CDlgChmOutput(Kind kind, const std::string& lastFolder, mb::IPrompt& prompt);

    Kind GetKind() const { return m_kind; }
    const std::string& GetChmText() const { return m_chm; }
    const std::string& GetOutputText() const { return m_output; }
    void SetChmText(const std::string& chm) { m_chm = chm; }
    void SetOutputText(const std::string& output) { m_output = output; }

    // The first Browse button: picks a .chm and fills the output field with
    // the folder proposed for it.
    void OnBrowseChm();
    // The second Browse button: the folder picker, titled "Select an output
    // directory".
    void OnBrowseOutput();
    // The output folder proposed for `chm`: its folder, then title_ext and
    // "_decompile" or "_marrow" ("/docs/help.chm" gives
    // "/docs/help_chm_decompile").
    static std::string ProposedOutput(const std::string& chm, Kind kind);

    bool OnOK();

private:
    Kind m_kind;
    std::string m_lastFolder;
    std::string m_chm;
    std::string m_output;
    mb::IPrompt& m_prompt;
};

// Writing the HTML Help project text (.hhp) for the compiler.

#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "commonkit/StringTable.h"
#include "projectmodel/CompilerText.h"
#include "projectmodel/HHPFile.h"
#include "projectmodel/ProjectCopyName.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/ReferencedFiles.h"
#include "projectmodel/TextValues.h"

#include <algorithm>
#include <cstdio>

namespace {

// "0x407" for 1031.
std::string LanguageHex(int language) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(language));
    return text;
}

constexpr const char* kCrLf = "\r\n";
constexpr size_t kMaxErrorText = 254;

bool IsFlag(int option) {
    return option == OPT_DISPLAY_COMPILE_NOTES || option == OPT_DISPLAY_COMPILE_PROGRESS ||
           (option >= OPT_FLAT && option <= OPT_BINARY_TOC);
}

// A flag as the project text gives it: "YES" when on; when off nothing,
// except for the binary index, which compilers make unless told "NO".
std::string FlagText(int option, int value) {
    if (value == 1)
        return "YES";
    return option == OPT_BINARY_INDEX ? "NO" : "";
}

std::string Hex(unsigned long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

std::string Quoted(const std::string& text) {
    return text.empty() ? std::string() : "\"" + mb::OneLine(text) + "\"";
}

// The first page of the contents in tree order.
std::string FirstContentsPage(const CXML* parent) {
    for (int i = 0; i < parent->GetChildCount(); ++i) {
        const CXML* node = parent->GetChildAt(i);
        std::string local = node->GetAttr("Local");
        if (!local.empty())
            return local;
        local = FirstContentsPage(node);
        if (!local.empty())
            return local;
    }
    return {};
}

} // namespace

std::string CHHPFile::BuildHHPText(PathForm form) const {
    // Relative to the project, "\" separators, without a leading "\".
    auto relative = [this, form](const std::string& path) {
        std::string text = mb::OneLine(ToProjectForm(path));
        if (!text.empty() && text[0] == '\\')
            text.erase(0, 1);
        if (form == PathForm::Compiler)
            std::replace(text.begin(), text.end(), '\\', '/');
        return text;
    };

    std::string out = "[OPTIONS]";
    out += kCrLf;
    for (int i = 0; i < OPT_COUNT; ++i) {
        std::string text;
        int number = 0;
        if (i == OPT_DEFAULT_TOPIC) {
            text = m_options.defaultTopic;
            if (text.empty() && m_project)
                text = FirstContentsPage(m_project->GetHHCFile()->GetTreeRoot());
            text = relative(text);
        } else if (GetOptionsData(i, text)) {
            text = mb::OneLine(text);
        } else if (i == OPT_LANGUAGE && GetOptionsData(i, number)) {
            // Compilers read the language as a hexadecimal id; a decimal
            // one leaves chmcmd marking every help file as US English.
            if (number > 0)
                text = LanguageHex(number);
        } else if (GetOptionsData(i, number)) {
            text = IsFlag(i) ? FlagText(i, number) : std::to_string(number);
        }
        if (!text.empty())
            out += m_strOptionsItemKey[i] + text + kCrLf;
    }

    out += kCrLf;
    out += "[WINDOWS]";
    out += kCrLf;
    std::vector<std::string> windowLines;
    if (!m_options.defaultWindow.empty()) {
        const tagHH_WINTYPE& w = m_window;
        const HHRect& r = w.rcWindowPos;
        std::string line = mb::OneLine(m_options.defaultWindow) + "=";
        for (const std::string& item :
             {Quoted(w.pszCaption),
              Quoted(w.pszToc),
              Quoted(w.pszIndex),
              Quoted(relative(w.pszFile)),
              Quoted(relative(w.pszHome)),
              Quoted(relative(w.pszUrlJump1)),
              Quoted(w.pszJump1),
              Quoted(relative(w.pszUrlJump2)),
              Quoted(w.pszJump2),
              Hex(w.fsWinProperties),
              std::to_string(w.iNavWidth),
              Hex(w.fsToolBarFlags),
              "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                  std::to_string(r.right) + "," + std::to_string(r.bottom) + "]",
              Hex(w.dwStyles),
              Hex(w.dwExStyles),
              std::string(),
              std::string(),
              std::string(),
              std::to_string(w.tabpos),
              std::to_string(w.idNotify)})
            line += item + ",";
        windowLines.push_back(line);
    }
    for (const std::string& other : m_otherWindows)
        windowLines.push_back(mb::OneLine(other));
    for (size_t i = 0; i < windowLines.size(); ++i)
        out += (i ? kCrLf : "") + windowLines[i];

    out += kCrLf;
    out += kCrLf;
    out += "[MAP]";
    out += kCrLf;
    for (int i = 0; i < m_map->GetChildCount(); ++i)
        out += "#include " + relative(m_map->GetChildAt(i)->Value()) + kCrLf;

    out += kCrLf;
    out += kCrLf;
    out += "[ALIAS]";
    out += kCrLf;
    for (int i = 0; i < m_map->GetChildCount(); ++i) {
        const CXML* entry = m_map->GetChildAt(i);
        for (int k = 0; k < entry->GetChildCount(); ++k) {
            const CXML* symbol = entry->GetChildAt(k);
            std::string file = symbol->GetAttr("FILE");
            if (!symbol->GetTagName().empty() && !file.empty())
                out += symbol->GetTagName() + "=" + relative(file) + kCrLf;
        }
    }

    out += kCrLf;
    out += kCrLf;
    out += "[FILES]";
    out += kCrLf;
    if (form == PathForm::Compiler && m_project) {
        // chmcmd stores only the files listed here, and a file listed twice
        // twice: every page the project leads to, once.
        mb::ReferencedFiles files = mb::FilesReferencedBy(*m_project);
        for (const auto* list : {&files.inProjectFolder, &files.outsideProjectFolder}) {
            for (const std::string& path : *list)
                out += relative(path) + kCrLf;
        }
    } else {
        for (int i = 0; i < m_files->GetChildCount(); ++i)
            out += relative(m_files->GetChildAt(i)->GetAttr("Name")) + kCrLf;
    }
    if (m_project && m_project->GetIncludeMBKProjectInfo() &&
        !m_project->GetProjectFileTitle().empty())
        out += mb::ProjectCopyName(m_project->GetProjectFileTitle()) + kCrLf;

    out += kCrLf;
    out += kCrLf;
    out += "[MERGE FILES]";
    out += kCrLf;
    for (int i = 0; i < m_mergeFiles->GetChildCount(); ++i)
        out += mb::OneLine(m_mergeFiles->GetChildAt(i)->GetAttr("Name")) + kCrLf;
    return out;
}

int CHHPFile::WriteHHPFile(const std::string& path, PathForm form) {
    if (mb::IsReadOnlyFile(path)) {
        CProjectFile::ShowReadOnlyWarning(*Channels().prompt, path);
        return 0;
    }
    mb::BusyCursor busy(*Channels().prompt);
    std::string error;
    // The project text is in the code page of its language; the compiler's
    // copy names the files it opens in the bytes of their names on disk.
    mb::EncodedText text =
        form == PathForm::Compiler
            ? mb::EncodeCompilerProjectText(BuildHHPText(form), m_options.language)
            : mb::EncodeForLanguage(BuildHHPText(form), m_options.language);
    if (!mb::WriteEncodedTextFile(path, text, m_options.language, Channels().log, &error)) {
        mb::ShowMessage(*Channels().prompt, error.substr(0, kMaxErrorText),
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Error);
        return 0;
    }
    return 1;
}

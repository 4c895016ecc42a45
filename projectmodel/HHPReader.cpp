// Reading the HTML Help project text (.hhp) with its header (#define) and
// alias files into the form of the project file's "HHP" element.

#include "baseutil/FileChecks.h"
#include "baseutil/IniSection.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "projectmodel/HHPFile.h"
#include "projectmodel/LegacyText.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/TextValues.h"
#include "projectmodel/TopicPath.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

// The lines of a text, without their line ends.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::string_view line : mb::TextLines(text))
        lines.emplace_back(line);
    return lines;
}

// The trimmed, non-empty lines of a section that are not comments.
std::vector<std::string> SectionLines(const std::string& text, const std::string& section) {
    std::vector<std::string> lines;
    for (const std::string& raw : mb::IniSectionLines(text, section)) {
        std::string line = mb::TrimBlanks(raw);
        if (!line.empty() && line[0] != ';')
            lines.push_back(std::move(line));
    }
    return lines;
}

// The name behind an include directive ("#include name"), or nothing.
bool IncludedName(const std::string& line, std::string& name) {
    if (!mb::StartsWithNoCase(line, "#include") || line.size() < 9 ||
        (line[8] != ' ' && line[8] != '\t'))
        return false;
    name = mb::TrimBlanks(std::string_view(line).substr(9));
    if (name.size() >= 2 && ((name.front() == '"' && name.back() == '"') ||
                             (name.front() == '<' && name.back() == '>')))
        name = name.substr(1, name.size() - 2);
    return !name.empty();
}

std::string Unquote(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// Cuts the main window's definition at its commas; a comma inside double
// quotes belongs to its text (a caption such as "My, Guide").
std::vector<std::string> SplitWindowValue(const std::string& value) {
    std::vector<std::string> pieces(1);
    bool quoted = false;
    for (char c : value) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    for (std::string& piece : pieces)
        piece = mb::TrimBlanks(piece);
    return pieces;
}

// A C identifier, the only kind of name a #define gives.
bool IsIdentifier(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

// Project texts, headers and alias files are small text files. Anything else
// that a project names (a device, a pipe, a huge file) is not read: it could
// block or exhaust memory.
constexpr std::uintmax_t kMaxTextFileSize = 64u << 20;

// Reads a text file the project names; on failure returns why.
std::string ReadTextFile(const std::string& path, std::string& text) {
    std::string reason = mb::UnreadableReason(path);
    if (!reason.empty())
        return reason;
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) > kMaxTextFileSize)
        return "it is too large for a project text";
    if (!mb::ReadWholeFile(path, text))
        return std::strerror(errno);
    return {};
}

// Why a text is not an HTML Help project; empty when it is one: it names at
// least one of the sections of a project and holds no binary data.
std::string NotAProjectText(const std::string& text) {
    static const char* const kSections[] = {"OPTIONS",  "WINDOWS",   "FILES",
                                            "MAP",      "ALIAS",     "MERGE FILES",
                                            "INFOTYPES", "SUBSETS", "TEXT POPUPS"};
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        return "it is empty";
    if (text.find('\0') != std::string::npos)
        return "it holds binary data, not text";
    for (const std::string& name : mb::IniSectionNames(text)) {
        for (const char* section : kSections) {
            if (mb::EqualsNoCase(name, section))
                return {};
        }
    }
    return "it has none of the sections ([OPTIONS], [FILES] ...) of a project";
}

// The language id of a project text, 1033 when it names none; it tells the
// code page of a text saved in a legacy encoding.
int LanguageOfProjectText(const std::string& text) {
    for (const std::string& line : SectionLines(text, "OPTIONS")) {
        size_t equals = line.find('=');
        if (equals != std::string::npos &&
            mb::EqualsNoCase(mb::TrimBlanks(line.substr(0, equals)), "Language")) {
            int language = mb::ParseNumber(line.substr(equals + 1));
            return language > 0 ? language : 1033;
        }
    }
    return 1033;
}

// Why a header or alias file was not read.
std::string WhyNotRead(const std::string& path) {
    std::string reason = mb::UnreadableReason(path);
    return reason.empty() ? "it is too large or cannot be read" : reason;
}

std::string FolderOfFile(const std::string& path) {
    std::string absolute = path;
    if (CPath::IsNativeForm(path) && !path.empty() && path[0] != '/') {
        std::error_code ec;
        std::filesystem::path made = std::filesystem::absolute(path, ec);
        if (!ec)
            absolute = made.string();
    }
    return CPath(absolute).GetLocation();
}

} // namespace

std::string CHHPFile::ResolveHHPPath(const std::string& value) const {
    if (value.empty() || mb::IsFixedLocation(value))
        return value;
    if (m_project)
        return m_project->ResolvePath(m_hhpFolder, value);
    return mb::ResolveAgainstFolder(m_hhpFolder, value).path;
}

std::string CHHPFile::DecodeText(const std::string& bytes) const {
    return mb::ToUtf8FromLanguage(bytes, m_hhpLanguage);
}

int CHHPFile::ReadHHPFileToXML(const std::string& path, CXML* element) {
    mb::BusyCursor busy(*Channels().prompt);
    m_readProblems.clear();
    m_hhpFolder = FolderOfFile(path);
    std::string bytes;
    std::string reason = ReadTextFile(path, bytes);
    // The language line is plain ASCII in every encoding a project text
    // comes in, so it can be found before the code page is known.
    m_hhpLanguage = LanguageOfProjectText(mb::ToUtf8FromLanguage(bytes, 1033));
    std::string text = DecodeText(bytes);
    if (reason.empty())
        reason = NotAProjectText(text);
    if (!reason.empty()) {
        m_readProblems.push_back(path + ": " + reason);
        return 0;
    }

    std::string mainWindow = ReadOptionsSection(text, element->AddChild("OPTION"));
    ReadWindowsSection(text, mainWindow, element->AddChild("WINDOWS"));

    CXML* map = element->AddChild("MAP");
    for (const std::string& line : SectionLines(text, "MAP")) {
        std::string name;
        if (!IncludedName(line, name))
            continue;
        std::string header = ResolveHHPPath(name);
        if (!ReadMapFileToXML(header, map->AddChild("MAP_FILE", header)))
            m_readProblems.push_back(header + ": " + WhyNotRead(header));
    }

    for (const std::string& line : SectionLines(text, "ALIAS")) {
        std::string name;
        if (!IncludedName(line, name)) {
            ReadAliasLine(line, map);
            continue;
        }
        std::string aliases = ResolveHHPPath(name);
        if (!ReadAliasFile(aliases, map))
            m_readProblems.push_back(aliases + ": " + WhyNotRead(aliases));
    }

    CXML* files = element->AddChild("FILES");
    // A page that is not there is left out, as the compiler stops at it.
    for (const std::string& line : SectionLines(text, "FILES")) {
        std::string page = ResolveHHPPath(line);
        std::string reason;
        if (CPath::IsNativeForm(page) && !page.empty() && page[0] == '/')
            reason = mb::UnreadableReason(page);
        if (reason.empty())
            files->AddChild("FILE_LIST")->SetAttr("Name", page);
        else
            m_readProblems.push_back(page + ": " + reason);
    }

    CXML* mergeFiles = element->AddChild("MERGE_FILES");
    for (const std::string& line : SectionLines(text, "MERGE FILES"))
        mergeFiles->AddChild("FILE_LIST")->SetAttr("Name", line);
    return 1;
}

std::string CHHPFile::ReadOptionsSection(const std::string& text, CXML* options) const {
    std::string mainWindow;
    for (const std::string& line : SectionLines(text, "OPTIONS")) {
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string key = mb::TrimBlanks(line.substr(0, equals)) + "=";
        std::string value = mb::TrimBlanks(line.substr(equals + 1));
        if (value.empty())
            continue;
        for (int i = 0; i < OPT_COUNT; ++i) {
            if (!mb::EqualsNoCase(key, m_strOptionsItemKey[i]))
                continue;
            if (i == OPT_LANGUAGE)
                value = std::to_string(mb::ParseNumber(value));
            else if (i == OPT_DEFAULT_TOPIC)
                value = ResolveHHPPath(value);
            else if (i == OPT_DEFAULT_WINDOW && mainWindow.empty())
                mainWindow = value;
            options->AddChild(m_strOptionsItemXMLTag[i], value);
            break;
        }
    }
    return mainWindow;
}

void CHHPFile::ReadWindowsSection(const std::string& text, const std::string& mainWindow,
                                  CXML* windows) const {
    std::vector<std::string> otherLines;
    for (const std::string& line : SectionLines(text, "WINDOWS")) {
        size_t equals = line.find('=');
        std::string name = mb::TrimBlanks(line.substr(0, equals));
        if (mainWindow.empty() || equals == std::string::npos ||
            !mb::EqualsNoCase(name, mainWindow)) {
            otherLines.push_back(line);
            continue;
        }
        // Piece k is item k, and item k + 1 from 12 on: the rectangle written
        // as [left,top,right,bottom] lands on items 13 to 16.
        std::vector<std::string> pieces = SplitWindowValue(line.substr(equals + 1));
        for (size_t k = 0; k < pieces.size(); ++k) {
            int item = static_cast<int>(k < 12 ? k : k + 1);
            if (item >= WIN_COUNT)
                break;
            std::string value = pieces[k].empty() ? std::string() : WindowItemText(item, pieces[k]);
            if (!value.empty())
                windows->AddChild(m_strWindowsItemXMLTag[item], value);
        }
    }
    CXML* others = windows->AddChild("OTHER_WINDOWS");
    for (const std::string& line : otherLines)
        others->AddChild("WIN", line);
}

std::string CHHPFile::WindowItemText(int item, const std::string& piece) const {
    switch (item) {
    case WIN_DEFAULT_FILE:
    case WIN_HOME_URL:
    case WIN_JUMP1_URL:
    case WIN_JUMP2_URL:
        return ResolveHHPPath(Unquote(piece));
    case WIN_NAVIGATION_PANE:
    case WIN_BUTTON_TYPES:
    case WIN_STYLES:
    case WIN_EXTENDED_STYLES:
        return std::to_string(mb::ParseHex(piece));
    case 13: // the left edge, behind "["
        return mb::TrimBlanks(piece[0] == '[' ? piece.substr(1) : piece);
    case 16: // the bottom edge, before "]"
        return mb::TrimBlanks(piece.back() == ']' ? piece.substr(0, piece.size() - 1) : piece);
    case WIN_NAVIGATION_WIDTH:
    case 14:
    case 15:
    case WIN_NAVIGATION_PANE_CLOSED:
    case WIN_DEFAULT_TAB:
    case WIN_TAB_POS:
    case WIN_UNKNOWN_20:
        return piece;
    case WIN_POSITION:
    case WIN_UNKNOWN_16:
        return {};
    default:
        return Unquote(piece);
    }
}

int CHHPFile::ReadMapFileToXML(const std::string& path, CXML* mapFile) {
    std::string bytes;
    if (!ReadTextFile(path, bytes).empty())
        return 0;
    for (std::string line : SplitLines(DecodeText(bytes))) {
        for (char& c : line) {
            if (c == '\t')
                c = ' ';
        }
        line = mb::TrimBlanks(line);
        if (!mb::StartsWithNoCase(line, "#define "))
            continue;
        std::string rest = mb::TrimBlanks(line.substr(8));
        size_t space = rest.find(' ');
        if (space == std::string::npos)
            continue;
        std::string symbol = rest.substr(0, space);
        std::string value = mb::TrimBlanks(rest.substr(space + 1));
        if (value.empty() || !IsIdentifier(symbol))
            continue;
        mapFile->AddChild(symbol)->SetAttr("ID", mb::ParseNumber(value));
    }
    return 1;
}

void CHHPFile::ReadAliasLine(const std::string& line, CXML* map) const {
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return;
    std::string symbol = mb::TrimBlanks(line.substr(0, equals));
    std::string file = line.substr(equals + 1);
    file = mb::TrimBlanks(file.substr(0, file.find(';')));
    if (symbol.empty() || file.empty())
        return;
    for (int i = 0; i < map->GetChildCount(); ++i) {
        if (CXML* target = map->GetChildAt(i)->GetChildByTagName(symbol)) {
            target->SetAttr("FILE", ResolveHHPPath(file));
            return;
        }
    }
}

bool CHHPFile::ReadAliasFile(const std::string& path, CXML* map) const {
    std::string bytes;
    if (!ReadTextFile(path, bytes).empty())
        return false;
    for (const std::string& line : SplitLines(DecodeText(bytes))) {
        std::string trimmed = mb::TrimBlanks(line);
        if (!trimmed.empty() && trimmed[0] != ';')
            ReadAliasLine(trimmed, map);
    }
    return true;
}

#include "projectmodel/HHPFile.h"

#include "baseutil/Prompt.h"
#include "baseutil/TextFold.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/TextValues.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kStrNoMergeFile = 517;

using Options = tagHH_HHP_OPTIONS;
using Window = tagHH_WINTYPE;

std::string Options::*OptionString(int index) {
    switch (index) {
    case OPT_TITLE:
        return &Options::title;
    case OPT_DEFAULT_TOPIC:
        return &Options::defaultTopic;
    case OPT_DEFAULT_WINDOW:
        return &Options::defaultWindow;
    case OPT_DEFAULT_FONT:
        return &Options::defaultFont;
    case OPT_COMPILED_FILE:
        return &Options::compiledFile;
    case OPT_ERROR_LOG_FILE:
        return &Options::errorLogFile;
    case OPT_CONTENTS_FILE:
        return &Options::contentsFile;
    case OPT_INDEX_FILE:
        return &Options::indexFile;
    case OPT_FTS_STOP_LIST_FILE:
        return &Options::fullTextSearchStopList;
    case OPT_COMPATIBILITY:
        return &Options::compatibility;
    default:
        return nullptr;
    }
}

int Options::*OptionInt(int index) {
    switch (index) {
    case OPT_LANGUAGE:
        return &Options::language;
    case OPT_DISPLAY_COMPILE_NOTES:
        return &Options::displayCompileNotes;
    case OPT_DISPLAY_COMPILE_PROGRESS:
        return &Options::displayCompileProgress;
    case OPT_FLAT:
        return &Options::flat;
    case OPT_ENHANCED_DECOMPILATION:
        return &Options::enhancedDecompilation;
    case OPT_FULL_TEXT_SEARCH:
        return &Options::fullTextSearch;
    case OPT_BINARY_INDEX:
        return &Options::binaryIndex;
    case OPT_BINARY_TOC:
        return &Options::binaryToc;
    default:
        return nullptr;
    }
}

std::string Window::*WindowString(int index) {
    switch (index) {
    case WIN_TITLE_BAR_TEXT:
        return &Window::pszCaption;
    case WIN_TOC_FILE:
        return &Window::pszToc;
    case WIN_INDEX_FILE:
        return &Window::pszIndex;
    case WIN_DEFAULT_FILE:
        return &Window::pszFile;
    case WIN_HOME_URL:
        return &Window::pszHome;
    case WIN_JUMP1_URL:
        return &Window::pszUrlJump1;
    case WIN_JUMP1_TEXT:
        return &Window::pszJump1;
    case WIN_JUMP2_URL:
        return &Window::pszUrlJump2;
    case WIN_JUMP2_TEXT:
        return &Window::pszJump2;
    default:
        return nullptr;
    }
}

int Window::*WindowInt(int index) {
    switch (index) {
    case WIN_NAVIGATION_WIDTH:
        return &Window::iNavWidth;
    case WIN_NAVIGATION_PANE_CLOSED:
        return &Window::fNotExpanded;
    case WIN_DEFAULT_TAB:
        return &Window::curNavType;
    case WIN_TAB_POS:
        return &Window::tabpos;
    case WIN_UNKNOWN_20:
        return &Window::idNotify;
    default:
        return nullptr;
    }
}

// The rectangle edge of a numeric window item (note 14 right, 15 top).
int HHRect::*WindowEdge(int index) {
    switch (index) {
    case WIN_POSITION_LEFT:
        return &HHRect::left;
    case WIN_POSITION_RIGHT:
        return &HHRect::right;
    case WIN_POSITION_TOP:
        return &HHRect::top;
    case WIN_POSITION_BOTTOM:
        return &HHRect::bottom;
    default:
        return nullptr;
    }
}

unsigned long Window::*WindowULong(int index) {
    switch (index) {
    case WIN_NAVIGATION_PANE:
        return &Window::fsWinProperties;
    case WIN_BUTTON_TYPES:
        return &Window::fsToolBarFlags;
    case WIN_STYLES:
        return &Window::dwStyles;
    case WIN_EXTENDED_STYLES:
        return &Window::dwExStyles;
    default:
        return nullptr;
    }
}

// Copies the member named by `index` (every member for -1) from one record
// to the other.
void CopyOptions(int index, const Options& from, Options& to) {
    if (index == -1) {
        to = from;
    } else if (auto text = OptionString(index)) {
        to.*text = from.*text;
    } else if (auto number = OptionInt(index)) {
        to.*number = from.*number;
    }
}

void CopyWindow(int index, const Window& from, Window& to) {
    if (index == -1) {
        to = from;
    } else if (auto text = WindowString(index)) {
        to.*text = from.*text;
    } else if (auto number = WindowInt(index)) {
        to.*number = from.*number;
    } else if (auto bits = WindowULong(index)) {
        to.*bits = from.*bits;
    } else if (auto edge = WindowEdge(index)) {
        to.rcWindowPos.*edge = from.rcWindowPos.*edge;
    } else if (index == WIN_POSITION) {
        to.rcWindowPos = from.rcWindowPos;
    }
}

// The file name of a path in either form.
std::string FileNameOf(const std::string& path) {
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace

const char* const CHHPFile::m_strOptionsItemXMLTag[OPT_COUNT] = {
    "OPTIONS_TITLE",
    "OPTIONS_DEFAULT_TOPIC",
    "OPTIONS_DEFAULT_WINDOW",
    "OPTIONS_LANGUAGE",
    "OPTIONS_DEFAULT_FONT",
    "OPTIONS_COMPILED_FILE",
    "OPTIONS_ERROR_LOG_FILE",
    "OPTIONS_CONTENTS_FILE",
    "OPTIONS_INDEX_FILE",
    "OPTIONS_FULL_TEXT_SEARCH_STOP_LIST_FILE",
    "OPTIONS_DISPLAY_COMPILE_NOTES",
    "OPTIONS_DISPLAY_COMPILE_PROGRESS",
    "OPTIONS_COMPATIBILITY",
    "OPTIONS_FLAT",
    "OPTIONS_ENHANCED_DECOMPILATION",
    "OPTIONS_FULL_TEXT_SEARCH",
    "OPTIONS_BINARY_INDEX",
    "OPTIONS_BINARY_TOC",
};

const char* const CHHPFile::m_strOptionsItemKey[OPT_COUNT] = {
    "Title=",
    "Default topic=",
    "Default Window=",
    "Language=",
    "Default Font=",
    "compiled file=",
    "Error log file=",
    "Contents file=",
    "Index file=",
    "Full text search stop list file=",
    "Display compile notes=",
    "Display compile progress=",
    "Compatibility=",
    "Flat=",
    "Enhanced decompilation=",
    "Full-text search=",
    "Binary Index=",
    "Binary TOC=",
};

const char* const CHHPFile::m_strWindowsItemXMLTag[WIN_COUNT] = {
    "WINDOWS_TITLE_BAR_TEXT",  "WINDOWS_TOC_FILE",         "WINDOWS_INDEX_FILE",
    "WINDOWS_DEFAULT_FILE",    "WINDOWS_HOME_URL",         "WINDOWS_JUMP1_URL",
    "WINDOWS_JUMP1_TEXT",      "WINDOWS_JUMP2_URL",        "WINDOWS_JUMP2_TEXT",
    "WINDOWS_NAVIGATION_PANE", "WINDOWS_NAVIGATION_WIDTH", "WINDOWS_BUTTON_TYPES",
    "WINDOWS_POSITION",        "WINDOWS_POSITION_LEFT",    "WINDOWS_POSITION_TOP",
    "WINDOWS_POSITION_RIGHT",  "WINDOWS_POSITION_BOTTOM",  "WINDOWS_STYLES",
    "WINDOWS_EXTENDED_STYLES", "WINDOWS_UNKNOWN_16",       "WINDOWS_NAVIGATION_PANE_CLOSED",
    "WINDOWS_DEFAULT_TAB",     "WINDOWS_TAB_POS",          "WINDOWS_UNKNOWN_20",
};

CHHPFile::CHHPFile()
    : m_files(std::make_unique<CXML>("Files")), m_mergeFiles(std::make_unique<CXML>("MergeFiles")),
      m_map(std::make_unique<CXML>("Map")), m_filesBatch(std::make_unique<CXML>("FilesList")),
      m_mergeFilesBatch(std::make_unique<CXML>("MergeFilesList")) {}

void CHHPFile::SetModified() const {
    if (m_project)
        m_project->SetModified(1);
}

void CHHPFile::InitHHP() {
    InitOptionsData();
    InitWindowsData();
    InitFilesData();
    InitMergeFilesData();
    InitMapData();
}

void CHHPFile::InitOptionsData() {
    m_options = Options();
    m_options.title = "Marrowbook";
    m_options.defaultWindow = "win";
    m_options.language = 1033;
    m_options.errorLogFile = "compilelog.txt";
    m_options.compatibility = "1.1 or later";
    m_options.fullTextSearch = 1;
    m_options.binaryIndex = 1;
}

void CHHPFile::InitWindowsData() {
    m_window = Window();
    m_window.pszCaption = "Marrowbook";
    m_window.fsWinProperties = 0x71500;
    m_window.iNavWidth = 200;
    m_window.fsToolBarFlags = 0x300E;
    m_window.rcWindowPos = {50, 50, 500, 400};
    m_window.dwStyles = 0x10000000;
    m_window.fNotExpanded = 1;
    SetWindowProperty(HHWIN_PROP_TRI_PANE, 1);
    m_includeIndexPage = 1;
    m_otherWindows.clear();
}

void CHHPFile::InitFilesData() {
    m_files->DelAllChild();
    m_filesBatch->DelAllChild();
    Notify(NC_FILES_EMPTIED);
}

void CHHPFile::InitMergeFilesData() {
    m_mergeFiles->DelAllChild();
    m_mergeFilesBatch->DelAllChild();
    Notify(NC_MERGE_FILES_EMPTIED);
}

void CHHPFile::InitMapData() {
    m_map->DelAllChild();
    Notify(NC_MAP_EMPTIED);
}

int CHHPFile::GetOptionsData(int index, std::string& value) const {
    auto member = OptionString(index);
    value = member ? m_options.*member : std::string();
    return member ? 1 : 0;
}

int CHHPFile::GetOptionsData(int index, int& value) const {
    auto member = OptionInt(index);
    if (!member)
        return 0;
    value = m_options.*member;
    return 1;
}

int CHHPFile::GetOptionsData(int index, tagHH_HHP_OPTIONS& record) const {
    if (index != -1 && !OptionString(index) && !OptionInt(index))
        return 0;
    CopyOptions(index, m_options, record);
    return 1;
}

void CHHPFile::SetOptionsData(int index, const std::string& value) {
    if (auto member = OptionString(index))
        m_options.*member = value;
    SetModified();
}

void CHHPFile::SetOptionsData(int index, int value) {
    if (auto member = OptionInt(index))
        m_options.*member = value;
    SetModified();
}

void CHHPFile::SetOptionsData(int index, const tagHH_HHP_OPTIONS& record) {
    CopyOptions(index, record, m_options);
    SetModified();
}

int CHHPFile::GetWindowsData(int index, std::string& value) const {
    auto member = WindowString(index);
    value = member ? m_window.*member : std::string();
    return member ? 1 : 0;
}

int CHHPFile::GetWindowsData(int index, int& value) const {
    if (auto member = WindowInt(index)) {
        value = m_window.*member;
        return 1;
    }
    if (auto edge = WindowEdge(index)) {
        value = m_window.rcWindowPos.*edge;
        return 1;
    }
    return 0;
}

int CHHPFile::GetWindowsData(int index, unsigned long& value) const {
    auto member = WindowULong(index);
    if (!member)
        return 0;
    value = m_window.*member;
    return 1;
}

int CHHPFile::GetWindowsData(int index, HHRect& value) const {
    if (index != WIN_POSITION)
        return 0;
    value = m_window.rcWindowPos;
    return 1;
}

int CHHPFile::GetWindowsData(int index, tagHH_WINTYPE& record) const {
    bool known = index == -1 || index == WIN_POSITION || WindowString(index) || WindowInt(index) ||
                 WindowULong(index) || WindowEdge(index);
    if (!known)
        return 0;
    CopyWindow(index, m_window, record);
    return 1;
}

void CHHPFile::SetWindowsData(int index, const std::string& value) {
    if (auto member = WindowString(index))
        m_window.*member = value;
    SetModified();
}

void CHHPFile::SetWindowsData(int index, int value) {
    if (auto member = WindowInt(index))
        m_window.*member = value;
    else if (auto edge = WindowEdge(index))
        m_window.rcWindowPos.*edge = value;
    SetModified();
}

void CHHPFile::SetWindowsData(int index, unsigned long value) {
    if (auto member = WindowULong(index))
        m_window.*member = value;
    SetModified();
}

void CHHPFile::SetWindowsData(int index, const HHRect& value) {
    if (index == WIN_POSITION)
        m_window.rcWindowPos = value;
    SetModified();
}

void CHHPFile::SetWindowsData(int index, const tagHH_WINTYPE& record) {
    CopyWindow(index, record, m_window);
    SetModified();
}

unsigned long* CHHPFile::BitSet(int index) {
    return &(m_window.*WindowULong(index));
}

int CHHPFile::GetWindowProperty(unsigned long bits) const {
    return (m_window.fsWinProperties & bits) ? 1 : 0;
}

void CHHPFile::SetWindowProperty(unsigned long bits, int on) {
    unsigned long* set = BitSet(WIN_NAVIGATION_PANE);
    *set = on ? (*set | bits) : (*set & ~bits);
    if (bits == HHWIN_PROP_TRI_PANE)
        Notify(NC_THREE_PANE_CHANGED);
    SetModified();
}

int CHHPFile::GetButton(unsigned long bits) const {
    return (m_window.fsToolBarFlags & bits) ? 1 : 0;
}

void CHHPFile::SetButton(unsigned long bits, int on) {
    unsigned long* set = BitSet(WIN_BUTTON_TYPES);
    *set = on ? (*set | bits) : (*set & ~bits);
    SetModified();
}

int CHHPFile::GetWindowStyle(unsigned long bits) const {
    return (m_window.dwStyles & bits) ? 1 : 0;
}

void CHHPFile::SetWindowStyle(unsigned long bits, int on) {
    unsigned long* set = BitSet(WIN_STYLES);
    *set = on ? (*set | bits) : (*set & ~bits);
    SetModified();
}

int CHHPFile::GetExtendedStyle(unsigned long bits) const {
    return (m_window.dwExStyles & bits) ? 1 : 0;
}

void CHHPFile::SetExtendedStyle(unsigned long bits, int on) {
    unsigned long* set = BitSet(WIN_EXTENDED_STYLES);
    *set = on ? (*set | bits) : (*set & ~bits);
    SetModified();
}

void CHHPFile::SetTabPos(int position) {
    m_window.tabpos = std::clamp(position, 0, 2);
    Notify(NC_NAVTAB_POSITION_CHANGED);
    SetModified();
}

int CHHPFile::GetTabPos() const {
    return std::clamp(m_window.tabpos, 0, 2);
}

void CHHPFile::SetIncludeIndexPage(int flag) {
    m_includeIndexPage = flag;
    Notify(NC_INDEX_PAGE_SETTING_CHANGED);
    SetModified();
}

CXML* CHHPFile::AddFile(const std::string& path) {
    CXML* item = m_files->AddChild("FileItem");
    item->SetAttr("Name", path);
    m_filesBatch->AddChild(item->Copy());
    SetModified();
    return item;
}

CXML* CHHPFile::AddFiles(CXML* list) {
    m_filesBatch->DelAllChild();
    if (list) {
        list->TransferToArrayStruct();
        for (int i = 1; i <= list->GetDescendantsCount(); ++i) {
            const CXML* node = list->GetDescendantsAt(i);
            std::string local = node->GetAttr("Local");
            if (node->GetAttrInt("Type") == 0 && !local.empty())
                AddFile(local);
        }
    }
    Notify(NC_FILES_CHANGED, m_filesBatch.get());
    return m_filesBatch.get();
}

int CHHPFile::IsExistentInFiles(const std::string& path) const {
    for (int i = 0; i < m_files->GetChildCount(); ++i) {
        if (m_files->GetChildAt(i)->GetAttr("Name") == path)
            return 1;
    }
    return 0;
}

void CHHPFile::DeleteFile(const std::string& path) {
    for (int i = 0; i < m_files->GetChildCount(); ++i) {
        if (m_files->GetChildAt(i)->GetAttr("Name") == path) {
            delete m_files->RemoveAt(i);
            SetModified();
            return;
        }
    }
}

void CHHPFile::DeleteAllFiles() {
    m_files->DelAllChild();
    SetModified();
    Notify(NC_FILES_EMPTIED);
}

CXML* CHHPFile::AddMergeFile(const std::string& name) {
    CXML* item = m_mergeFiles->AddChild("FileItem");
    item->SetAttr("Name", name);
    m_mergeFilesBatch->AddChild(item->Copy());
    SetModified();
    return item;
}

const mb::UserChannels& CHHPFile::Channels() const {
    return m_project ? m_project->Channels() : mb::QuietChannels();
}

CXML* CHHPFile::AddMergeFiles(CXML* list) {
    m_mergeFilesBatch->DelAllChild();
    if (list) {
        list->TransferToArrayStruct();
        for (int i = 1; i <= list->GetDescendantsCount(); ++i) {
            std::string name = FileNameOf(list->GetDescendantsAt(i)->GetAttr("Local"));
            if (name.size() >= 4 && mb::EqualsNoCase(name.substr(name.size() - 4), ".chm"))
                AddMergeFile(name);
        }
    }
    if (m_mergeFilesBatch->GetChildCount() > 0)
        Notify(NC_MERGE_FILES_CHANGED, m_mergeFilesBatch.get());
    else
        mb::ShowMessage(*Channels().prompt, CStrHelper::ML_GetStringEx(kStrNoMergeFile),
                        CStrHelper::ML_GetStringEx(kStrProductName));
    return m_mergeFilesBatch.get();
}

void CHHPFile::DeleteMergeFile(const std::string& name) {
    for (int i = 0; i < m_mergeFiles->GetChildCount(); ++i) {
        if (m_mergeFiles->GetChildAt(i)->GetAttr("Name") == name) {
            delete m_mergeFiles->RemoveAt(i);
            SetModified();
            return;
        }
    }
}

void CHHPFile::DeleteAllMergeFiles() {
    m_mergeFiles->DelAllChild();
    SetModified();
    Notify(NC_MERGE_FILES_EMPTIED);
}

void CHHPFile::AddIDMap(CXML* mapFile) {
    if (mapFile)
        m_map->AddChild(mapFile);
    SetModified();
}

void CHHPFile::DelAMapFileNode(CXML* mapFile) {
    if (mapFile && m_map->RemoveChild(mapFile))
        delete mapFile;
    SetModified();
}

int CHHPFile::GetMapFileExistentState(const std::string& path) const {
    for (int i = 0; i < m_map->GetChildCount(); ++i) {
        if (mb::CompareNoCase(m_map->GetChildAt(i)->Value(), path) == 0)
            return 1;
    }
    return 0;
}

void CHHPFile::UpdateMapFileData(const std::string& path) {
    CXML* entry = nullptr;
    for (int i = 0; i < m_map->GetChildCount() && !entry; ++i) {
        if (mb::CompareNoCase(m_map->GetChildAt(i)->Value(), path) == 0)
            entry = m_map->GetChildAt(i);
    }
    std::vector<std::pair<std::string, std::string>> assigned;
    if (entry) {
        for (int i = 0; i < entry->GetChildCount(); ++i) {
            const CXML* symbol = entry->GetChildAt(i);
            std::string file = symbol->GetAttr("FILE");
            if (!file.empty())
                assigned.emplace_back(symbol->GetTagName(), file);
        }
        entry->DelAllChild();
    } else {
        entry = m_map->AddChild("MAP_FILE");
    }
    entry->SetValue(path);
    m_hhpLanguage = m_options.language;
    ReadMapFileToXML(path, entry);
    for (const auto& [symbol, file] : assigned) {
        if (CXML* child = entry->GetChildByTagName(symbol))
            child->SetAttr("FILE", file);
    }
    SetModified();
    Notify(NC_MAP_CHANGED, m_map.get());
}

void CHHPFile::UpdateData(const std::string& title) {
    int modified = m_project ? m_project->GetModified() : 0;
    m_options.compiledFile = title + ".chm";
    m_options.contentsFile = title + ".hhc";
    m_window.pszToc = title + ".hhc";
    m_options.indexFile = title + ".hhk";
    m_window.pszIndex = m_includeIndexPage ? title + ".hhk" : std::string();
    if (m_project)
        m_project->SetModified(modified);
}

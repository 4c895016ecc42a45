// The settings' part of the project file: the "HHP" element.

#include "projectmodel/HHPFile.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/TextValues.h"
#include "projectmodel/TopicPath.h"

namespace {

// Window items written and read as text; items 3, 4, 5 and 7 are paths.
constexpr int kWindowStrings[] = {WIN_TITLE_BAR_TEXT, WIN_TOC_FILE,  WIN_INDEX_FILE,
                                  WIN_DEFAULT_FILE,   WIN_HOME_URL,  WIN_JUMP1_URL,
                                  WIN_JUMP1_TEXT,     WIN_JUMP2_URL, WIN_JUMP2_TEXT};
constexpr int kWindowBitSets[] = {WIN_NAVIGATION_PANE, WIN_BUTTON_TYPES, WIN_STYLES,
                                  WIN_EXTENDED_STYLES};
constexpr int kWindowInts[] = {WIN_NAVIGATION_WIDTH, WIN_NAVIGATION_PANE_CLOSED, WIN_DEFAULT_TAB,
                               WIN_TAB_POS, WIN_UNKNOWN_20};

bool IsPathItem(int index) {
    return index == WIN_DEFAULT_FILE || index == WIN_HOME_URL || index == WIN_JUMP1_URL ||
           index == WIN_JUMP2_URL;
}

const char* Tag(int windowItem) {
    return CHHPFile::m_strWindowsItemXMLTag[windowItem];
}

// The value of a child, or null when there is no such child.
const std::string* ChildValue(const CXML* parent, const char* tag) {
    const CXML* child = parent ? parent->GetChildByTagName(tag) : nullptr;
    return child ? &child->Value() : nullptr;
}

} // namespace

std::string CHHPFile::ToProjectForm(const std::string& path) const {
    std::string converted = path;
    if (m_project)
        m_project->AbsolutePathToRelativePath(converted);
    return converted;
}

std::string CHHPFile::FromProjectForm(const std::string& value) const {
    if (value.empty() || !m_project || mb::IsFixedLocation(value))
        return value;
    std::string path = value[0] == '\\' ? value : "\\" + value;
    m_project->RelativePathToAbsolutePath(path);
    return path;
}

void CHHPFile::WriteXMLTree_Ver2(CXML* element) const {
    CXML* options = element->AddChild("OPTION");
    for (int i = 0; i < OPT_COUNT; ++i) {
        std::string text;
        int number = 0;
        if (GetOptionsData(i, text)) {
            if (i == OPT_DEFAULT_TOPIC)
                text = ToProjectForm(text);
            if (!text.empty())
                options->AddChild(m_strOptionsItemXMLTag[i], text);
        } else if (GetOptionsData(i, number)) {
            options->AddChild(m_strOptionsItemXMLTag[i], std::to_string(number));
        }
    }

    CXML* windows = element->AddChild("WINDOWS");
    for (int i = 0; i <= WIN_BUTTON_TYPES; ++i) {
        std::string text;
        unsigned long bits = 0;
        int number = 0;
        if (GetWindowsData(i, text)) {
            if (IsPathItem(i))
                text = ToProjectForm(text);
            if (!text.empty())
                windows->AddChild(Tag(i), text);
        } else if (GetWindowsData(i, bits)) {
            windows->AddChild(Tag(i), std::to_string(bits));
        } else if (GetWindowsData(i, number)) {
            windows->AddChild(Tag(i), std::to_string(number));
        }
    }
    const HHRect& rect = m_window.rcWindowPos;
    windows->AddChild("WINDOWS_POSITION_LEFT", std::to_string(rect.left));
    windows->AddChild("WINDOWS_POSITION_TOP", std::to_string(rect.top));
    windows->AddChild("WINDOWS_POSITION_RIGHT", std::to_string(rect.right));
    windows->AddChild("WINDOWS_POSITION_BOTTOM", std::to_string(rect.bottom));
    windows->AddChild(Tag(WIN_STYLES), std::to_string(m_window.dwStyles));
    windows->AddChild(Tag(WIN_EXTENDED_STYLES), std::to_string(m_window.dwExStyles));
    for (int i = WIN_NAVIGATION_PANE_CLOSED; i <= WIN_UNKNOWN_20; ++i) {
        int number = 0;
        GetWindowsData(i, number);
        windows->AddChild(Tag(i), std::to_string(number));
    }
    if (!m_otherWindows.empty()) {
        CXML* others = windows->AddChild("OTHER_WINDOWS");
        for (const std::string& line : m_otherWindows) {
            if (!line.empty())
                others->AddChild("WIN", line);
        }
    }

    CXML* files = element->AddChild("FILES");
    for (int i = 0; i < m_files->GetChildCount(); ++i)
        files->AddChild("FILE_LIST")
            ->SetAttr("Name", ToProjectForm(m_files->GetChildAt(i)->GetAttr("Name")));

    CXML* map = element->AddChild("MAP");
    for (int i = 0; i < m_map->GetChildCount(); ++i) {
        const CXML* entry = m_map->GetChildAt(i);
        CXML* written = map->AddChild(entry->GetTagName(), ToProjectForm(entry->Value()));
        for (int k = 0; k < entry->GetChildCount(); ++k) {
            const CXML* symbol = entry->GetChildAt(k);
            CXML* copy = written->AddChild(symbol->GetTagName());
            copy->SetAttr("ID", symbol->GetAttr("ID"));
            std::string file = symbol->GetAttr("FILE");
            if (!file.empty())
                copy->SetAttr("FILE", ToProjectForm(file));
        }
    }

    element->AddChild("ALIAS");

    CXML* mergeFiles = element->AddChild("MERGE_FILES");
    for (int i = 0; i < m_mergeFiles->GetChildCount(); ++i)
        mergeFiles->AddChild("FILE_LIST")
            ->SetAttr("Name", m_mergeFiles->GetChildAt(i)->GetAttr("Name"));
}

void CHHPFile::ReadXMLTree_Ver2(CXML* element) {
    ReadXMLTree(element, true);
}

void CHHPFile::ReadXMLTree_Ver1(CXML* element) {
    ReadXMLTree(element, false);
}

void CHHPFile::ReadXMLTree(CXML* element, bool withMapAndMergeFiles) {
    CXML* options = element->GetChildByTagName("OPTION");
    for (int i = 0; i < OPT_COUNT; ++i) {
        const std::string* value = ChildValue(options, m_strOptionsItemXMLTag[i]);
        if (!value)
            continue;
        std::string unused;
        if (GetOptionsData(i, unused))
            SetOptionsData(i, i == OPT_DEFAULT_TOPIC ? FromProjectForm(*value) : *value);
        else
            SetOptionsData(i, mb::ParseFlagOrNumber(*value));
    }

    ReadWindowElement(element->GetChildByTagName("WINDOWS"));

    if (CXML* files = element->GetChildByTagName("FILES")) {
        m_filesBatch->DelAllChild();
        for (int i = 0; i < files->GetChildCount(); ++i) {
            const CXML* item = files->GetChildAt(i);
            std::string name = item->GetAttr("Name");
            if (item->GetTagName() == "FILE_LIST" && !name.empty())
                AddFile(FromProjectForm(name));
        }
        Notify(NC_FILES_CHANGED, m_filesBatch.get());
    }

    if (withMapAndMergeFiles) {
        if (CXML* mergeFiles = element->GetChildByTagName("MERGE_FILES")) {
            m_mergeFilesBatch->DelAllChild();
            for (int i = 0; i < mergeFiles->GetChildCount(); ++i) {
                const CXML* item = mergeFiles->GetChildAt(i);
                std::string name = item->GetAttr("Name");
                if (item->GetTagName() == "FILE_LIST" && !name.empty())
                    AddMergeFile(name);
            }
            Notify(NC_MERGE_FILES_CHANGED, m_mergeFilesBatch.get());
        }
        if (CXML* map = element->GetChildByTagName("MAP")) {
            for (int i = 0; i < map->GetChildCount(); ++i) {
                const CXML* entry = map->GetChildAt(i);
                CXML* added = m_map->AddChild(entry->GetTagName(), FromProjectForm(entry->Value()));
                for (int k = 0; k < entry->GetChildCount(); ++k) {
                    const CXML* symbol = entry->GetChildAt(k);
                    CXML* copy = added->AddChild(symbol->GetTagName());
                    copy->SetAttr("ID", mb::ParseNumber(symbol->GetAttr("ID")));
                    std::string file = symbol->GetAttr("FILE");
                    if (!file.empty())
                        copy->SetAttr("FILE", FromProjectForm(file));
                }
            }
            SetModified();
            Notify(NC_MAP_CHANGED, m_map.get());
        }
    }
    Notify(NC_THREE_PANE_CHANGED);
}

void CHHPFile::ReadWindowElement(CXML* windows) {
    if (const std::string* caption = ChildValue(windows, Tag(WIN_TITLE_BAR_TEXT))) {
        SetWindowsData(WIN_TITLE_BAR_TEXT, *caption);
        if (m_options.title.empty() || m_options.title == "Marrowbook")
            SetOptionsData(OPT_TITLE, *caption);
    }
    for (int i : kWindowStrings) {
        const std::string* value = ChildValue(windows, Tag(i));
        if (value && i != WIN_TITLE_BAR_TEXT)
            SetWindowsData(i, IsPathItem(i) ? FromProjectForm(*value) : *value);
    }
    for (int i : kWindowBitSets) {
        if (const std::string* value = ChildValue(windows, Tag(i)))
            SetWindowsData(i, mb::ParseUnsigned(*value));
    }
    for (int i : kWindowInts) {
        if (const std::string* value = ChildValue(windows, Tag(i)))
            SetWindowsData(i, mb::ParseNumber(*value));
    }
    auto edge = [&](const char* tag, int fallback) {
        const std::string* value = ChildValue(windows, tag);
        return value ? mb::ParseNumber(*value) : fallback;
    };
    SetWindowsData(WIN_POSITION,
                   HHRect{edge("WINDOWS_POSITION_LEFT", 50), edge("WINDOWS_POSITION_TOP", 50),
                          edge("WINDOWS_POSITION_RIGHT", 500),
                          edge("WINDOWS_POSITION_BOTTOM", 400)});
    SetIncludeIndexPage(m_window.pszIndex.empty() ? 0 : 1);
    if (CXML* others = windows ? windows->GetChildByTagName("OTHER_WINDOWS") : nullptr) {
        for (int i = 0; i < others->GetChildCount(); ++i) {
            const CXML* line = others->GetChildAt(i);
            if (line->GetTagName() == "WIN" && !line->Value().empty())
                m_otherWindows.push_back(line->Value());
        }
    }
}

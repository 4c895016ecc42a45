#include "runconfig/ConfigData.h"

#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "commonkit/StringTable.h"
#include "commonkit/WindowTexts.h"
#include "runconfig/SystemLocale.h"

namespace {

const char* const kRootTag = "MARROWBOOK_CONFIG";
const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";
const char* const kEmptyRecent = "EMPTY";
const char* const kDefaultEditorTypes = "htm,html,asp,css,php,xml,js,txt,jpg,bmp,gif";
constexpr size_t kMaxErrorLength = 255;

int IntValue(const CXML* parent, const char* tag, int fallback) {
    const CXML* node = parent ? parent->GetChildByTagName(tag) : nullptr;
    return node ? node->GetValueInt() : fallback;
}

std::string TextValue(const CXML* parent, const char* tag, const std::string& fallback) {
    const CXML* node = parent ? parent->GetChildByTagName(tag) : nullptr;
    return node ? node->Value() : fallback;
}

int InRange(int value, int low, int high, int fallback) {
    return value >= low && value <= high ? value : fallback;
}

CXML* NewReplaceTable() {
    auto* table = new CXML("REPLACE_TABLE");
    const std::pair<const char*, const char*> items[] = {{"&", "and"}, {"#", "_sharp"}};
    for (const auto& [from, to] : items) {
        CXML* item = table->AddChild("REPLACE_ITEM");
        item->SetAttr("old", from);
        item->SetAttr("new", to);
    }
    return table;
}

// At most `limit` bytes, cut before a UTF-8 sequence rather than inside it.
std::string Shortened(const std::string& text, size_t limit) {
    if (text.size() <= limit)
        return text;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

CConfigData::CConfigData(std::string settingsFolder)
    : m_settingsFolder(std::move(settingsFolder)),
      m_favoriteEditors(std::make_unique<CFavoriteEditorManager>()),
      m_filterSet(std::make_unique<CDropFileFilterSet>()) {}

CConfigData::~CConfigData() = default;

std::string CConfigData::GetConfigFilename() const {
    return m_settingsFolder + "/mbconfig.xml";
}

void CConfigData::UseDefaults() {
    m_addDirectoryOption.fileFormat = 0;
    m_addDirectoryOption.includeSubDir = 1;
    m_nLastConfigPage = 0;
    m_strLastProjectPath.clear();
    m_nLCID = mb::SystemDefaultLocaleId();
    m_nViewStyle = 0;
    m_nHtmlTopic = 0;
    m_nHtmlOtherTypesTopic = 0;
    m_bAutoCheckUpdate = 0;
    m_recentProjects.clear();
    m_editorsPending = true;
    m_replaceTable.reset(NewReplaceTable());
    m_filterSet->UseDefaultData();
}

CFavoriteEditorManager* CConfigData::GetFavoriteEditorManager(mb::IDesktop& desktop) const {
    if (m_editorsPending) {
        m_editorsPending = false;
        m_favoriteEditors->CheckDefaultEditor(desktop, kDefaultEditorTypes);
    }
    return m_favoriteEditors.get();
}

int CConfigData::ReadConfigData_XML() {
    const std::string path = GetConfigFilename();
    m_fileProblem.clear();
    if (std::string kind = mb::NonRegularFileKind(path); !kind.empty()) {
        m_fileProblem = "The settings file " + path + " is " + kind +
                        ", not a regular file: it is left as it is, and this run starts with the "
                        "default settings and does not save them.";
        UseDefaults();
        return 0;
    }
    std::string text;
    CXML document;
    if (!mb::ReadWholeFile(path, text) || !document.XMLReadString(text) ||
        document.GetTagName() != kRootTag) {
        UseDefaults();
        return 0;
    }
    CXML* configData = document.GetChildByTagName("CONFIG_DATA");
    if (!configData) {
        UseDefaults();
        return 0;
    }
    ReadValues(*configData);
    return 1;
}

void CConfigData::ReadValues(CXML& configData) {
    const CXML* addDirectory = configData.GetChildByTagName("ADD_DIRECTORY");
    m_addDirectoryOption.fileFormat = InRange(IntValue(addDirectory, "FILE_FORMAT", 0), 0, 4, 0);
    m_addDirectoryOption.includeSubDir = IntValue(addDirectory, "INCULDE_SUB_DIR", 1);

    const CXML* other = configData.GetChildByTagName("OTHER");
    m_nLastConfigPage = IntValue(other, "LAST_CONFIG_PAGE", 0);
    m_strLastProjectPath = TextValue(other, "LAST_PROJECT_PATH", "");
    m_nLCID = IntValue(other, "LCID", mb::SystemDefaultLocaleId());
    m_nViewStyle = IntValue(other, "VIEW_STYLE", 0);

    ReadRecentProjects(configData.GetChildByTagName("MRU"));
    ReadEditors(configData.GetChildByTagName("EDITORS"));

    m_bShowChmPath = IntValue(&configData, "SHOW_CHM_PATH", 0);
    m_bIdMapperViewOn = IntValue(&configData, "ID_MAPPER_VIEW_ON", 0);
    m_bArchiveViewOn = IntValue(&configData, "ARCHIVEVIEW_VIEW_ON", 0);
    m_nInsertMode = InRange(IntValue(&configData, "INSERT_MODE", 2), 0, 2, 2);

    if (const CXML* filterSet = configData.GetChildByTagName("FILTER_SET"))
        m_filterSet->Load(filterSet);
    else
        m_filterSet->UseDefaultData();

    m_bAutoCheckUpdate = IntValue(&configData, "AUTO_CHECK_UPDATE", 0);
    m_strLastCheckDate = TextValue(&configData, "LAST_CHECK_DATE", "000000");
    m_nHtmlTopic = IntValue(&configData, "HTML_TOPIC", 0);
    m_nHtmlOtherTypesTopic = IntValue(&configData, "HTML_OTHER_TYPES_TOPIC", 0);
    ReadReplaceTable(configData);
}

void CConfigData::ReadRecentProjects(const CXML* mru) {
    m_recentProjects.clear();
    if (!mru)
        return;
    // Taken by position; the children's names do not matter.
    for (int i = 0; i < mru->GetChildCount() && i < kMaxRecentProjects; ++i) {
        const std::string& path = mru->GetChildAt(i)->Value();
        if (!path.empty() && path != kEmptyRecent)
            m_recentProjects.push_back(path);
    }
}

void CConfigData::ReadEditors(const CXML* editors) {
    m_editorsPending = editors == nullptr;
    if (editors)
        m_favoriteEditors->SetData(*editors);
}

void CConfigData::ReadReplaceTable(CXML& configData) {
    CXML* table = configData.GetChildByTagName("REPLACE_TABLE");
    if (!table)
        table = configData.AddChild(NewReplaceTable());
    m_replaceTable.reset(table->Copy());
}

int CConfigData::WriteConfigData_XML(mb::IDesktop& desktop, mb::IPrompt& prompt) {
    const std::string path = GetConfigFilename();
    if (std::string kind = mb::NonRegularFileKind(path); !kind.empty()) {
        if (m_fileProblem.empty())
            mb::ShowMessage(prompt,
                            CStrHelper::ML_GetStringEx(293) + "\n\n" + path + "\n\n" +
                                FilledText(kStrNotARegularFile, {kind}),
                            CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                            mb::Icon::Warning);
        return 0;
    }
    if (mb::IsReadOnlyFile(path)) {
        mb::ShowMessage(prompt,
                        CStrHelper::ML_GetStringEx(293) + "\n\n" + path + "\n\n" +
                            CStrHelper::ML_GetStringEx(294),
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Warning);
        return 0;
    }
    CXML root(kRootTag);
    BuildDocument(root, desktop);
    std::string text = kDeclaration;
    root.XMLWriteString(text);
    std::string error;
    if (!mb::WriteFileSafely(path, text, &error)) {
        mb::ShowMessage(prompt, Shortened(error, kMaxErrorLength),
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Error);
        return 0;
    }
    return 1;
}

void CConfigData::BuildDocument(CXML& root, mb::IDesktop& desktop) const {
    root.AddChild("FORMAT_VERSION");
    root.AddChild("FILE_VERSION");
    CXML* configData = root.AddChild("CONFIG_DATA");

    CXML* addDirectory = configData->AddChild("ADD_DIRECTORY");
    addDirectory->AddChild("FILE_FORMAT")->SetValue(m_addDirectoryOption.fileFormat);
    addDirectory->AddChild("INCULDE_SUB_DIR")->SetValue(m_addDirectoryOption.includeSubDir);

    CXML* other = configData->AddChild("OTHER");
    other->AddChild("LAST_CONFIG_PAGE")->SetValue(m_nLastConfigPage);
    other->AddChild("LAST_PROJECT_PATH", m_strLastProjectPath);
    other->AddChild("LCID")->SetValue(m_nLCID);
    other->AddChild("VIEW_STYLE")->SetValue(m_nViewStyle);

    CXML* mru = configData->AddChild("MRU");
    for (int i = 0; i < kMaxRecentProjects; ++i) {
        const bool used = i < static_cast<int>(m_recentProjects.size());
        mru->AddChild("MRU" + std::to_string(i), used ? m_recentProjects[i] : kEmptyRecent);
    }

    CXML* editors = configData->AddChild("EDITORS");
    const CXML* list = GetFavoriteEditorManager(desktop)->GetData();
    for (int i = 0; i < list->GetChildCount(); ++i) {
        // A file type without editors is not worth keeping.
        if (list->GetChildAt(i)->GetChildCount() > 0)
            editors->AddChild(list->GetChildAt(i)->Copy());
    }

    configData->AddChild("SHOW_CHM_PATH")->SetValue(m_bShowChmPath);
    configData->AddChild("ID_MAPPER_VIEW_ON")->SetValue(m_bIdMapperViewOn);
    configData->AddChild("ARCHIVEVIEW_VIEW_ON")->SetValue(m_bArchiveViewOn);
    configData->AddChild("INSERT_MODE")->SetValue(GetInsertMode());

    CXML* filterSet = configData->AddChild("FILTER_SET");
    filterSet->SetAttr("using", m_filterSet->GetUsingFilterIndex());
    for (int i = 0; i < m_filterSet->GetFilterCount(); ++i) {
        if (const CXML* filter = m_filterSet->GetFilterAt(i)->GetFilterData_Persistent())
            filterSet->AddChild(filter->Copy());
    }

    configData->AddChild("AUTO_CHECK_UPDATE")->SetValue(m_bAutoCheckUpdate);
    configData->AddChild("LAST_CHECK_DATE", m_strLastCheckDate);
    configData->AddChild("HTML_TOPIC")->SetValue(m_nHtmlTopic);
    configData->AddChild("HTML_OTHER_TYPES_TOPIC")->SetValue(m_nHtmlOtherTypesTopic);

    CXML* replaceTable = configData->AddChild("REPLACE_TABLE");
    if (m_replaceTable)
        m_replaceTable->CloneChildTo(replaceTable);
}

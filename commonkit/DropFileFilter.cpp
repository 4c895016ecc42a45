#include "commonkit/DropFileFilter.h"

#include "baseutil/BWHelper.h"
#include "baseutil/Path.h"

#include <strings.h>

namespace {

const char* const kSkipFolders = "SKIP_FOLDERS";
const char* const kSkipFiles = "SKIP_FILES";
const char* const kOnlyInclude = "ONLY_INCLUDE_FILES";

std::unique_ptr<CXML> DeepCopy(const CXML* source) {
    return source ? std::unique_ptr<CXML>(source->Copy()) : nullptr;
}

CXML* Section(const CXML* filter, const char* tag) {
    return filter ? filter->GetChildByTagName(tag) : nullptr;
}

CXML* ItemAt(const CXML* section, int index) {
    if (!section || index < 0 || index >= section->GetChildCount())
        return nullptr;
    return section->GetChildAt(index);
}

bool IsWildPattern(const std::string& pattern) {
    return pattern.find_first_of("*?^") != std::string::npos;
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

} // namespace

void CDropFileFilter::Load(const CXML* filter) {
    m_persistent = DeepCopy(filter);
    CopyPersistentToDynamic();
}

void CDropFileFilter::CopyPersistentToDynamic() {
    m_dynamic = DeepCopy(m_persistent.get());
    FindDynamicSections();
}

void CDropFileFilter::CopyDynamicToPersistent() {
    m_persistent = DeepCopy(m_dynamic.get());
}

void CDropFileFilter::FindDynamicSections() {
    m_skipFolders = Section(m_dynamic.get(), kSkipFolders);
    m_skipFiles = Section(m_dynamic.get(), kSkipFiles);
    m_onlyInclude = Section(m_dynamic.get(), kOnlyInclude);
}

std::string CDropFileFilter::GetName_Dynamic() const {
    return m_dynamic ? m_dynamic->GetAttr("name") : std::string();
}

void CDropFileFilter::SetName_Dynamic(const std::string& name) {
    if (m_dynamic)
        m_dynamic->SetAttr("name", name);
}

int CDropFileFilter::GetEnable(const CXML* section) {
    return section ? section->GetAttrInt("enable") : 0;
}

void CDropFileFilter::SetEnable(CXML* section, int flag) {
    if (section)
        section->SetAttr("enable", flag);
}

void CDropFileFilter::GetItemName(const CXML* section, int index, std::string& name) {
    const CXML* item = ItemAt(section, index);
    name = item ? item->GetAttr("name") : std::string();
}

void CDropFileFilter::SetItemName(CXML* section, int index, const std::string& name) {
    if (CXML* item = ItemAt(section, index))
        item->SetAttr("name", name);
}

void CDropFileFilter::GetItemState(const CXML* section, int index, int& used) {
    const CXML* item = ItemAt(section, index);
    used = item ? item->GetAttrInt("used") : 1;
}

void CDropFileFilter::SetItemState(CXML* section, int index, int used) {
    if (CXML* item = ItemAt(section, index))
        item->SetAttr("used", used);
}

void CDropFileFilter::AddItem(CXML* section, const char* tag, const std::string& name) {
    if (!section)
        return;
    CXML* item = section->AddChild(tag);
    item->SetAttr("name", name);
    item->SetAttr("used", 1);
}

void CDropFileFilter::DelItem(CXML* section, int index) {
    if (ItemAt(section, index))
        delete section->RemoveAt(index);
}

void CDropFileFilter::DelAllItems(CXML* section) {
    if (section)
        section->DelAllChild();
}

void CDropFileFilter::GetSkipFolderName_Dynamic(int index, std::string& name) const {
    GetItemName(m_skipFolders, index, name);
}
void CDropFileFilter::SetSkipFolderName_Dynamic(int index, const std::string& name) {
    SetItemName(m_skipFolders, index, name);
}
void CDropFileFilter::GetSkipFolderState_Dynamic(int index, int& used) const {
    GetItemState(m_skipFolders, index, used);
}
void CDropFileFilter::SetSkipFolderState_Dynamic(int index, int used) {
    SetItemState(m_skipFolders, index, used);
}
void CDropFileFilter::AddASkipFolder_Dynamic(const std::string& name) {
    AddItem(m_skipFolders, "FOLDER", name);
}
void CDropFileFilter::DelASkipFolder_Dynamic(int index) {
    DelItem(m_skipFolders, index);
}
void CDropFileFilter::DelAllSkipFolder_Dynamic() {
    DelAllItems(m_skipFolders);
}

void CDropFileFilter::GetSkipFileName_Dynamic(int index, std::string& name) const {
    GetItemName(m_skipFiles, index, name);
}
void CDropFileFilter::SetSkipFileName_Dynamic(int index, const std::string& name) {
    SetItemName(m_skipFiles, index, name);
}
void CDropFileFilter::GetSkipFileState_Dynamic(int index, int& used) const {
    GetItemState(m_skipFiles, index, used);
}
void CDropFileFilter::SetSkipFileState_Dynamic(int index, int used) {
    SetItemState(m_skipFiles, index, used);
}
void CDropFileFilter::AddASkipFile_Dynamic(const std::string& name) {
    AddItem(m_skipFiles, "FILE", name);
}
void CDropFileFilter::DelASkipFile_Dynamic(int index) {
    DelItem(m_skipFiles, index);
}
void CDropFileFilter::DelAllSkipFile_Dynamic() {
    DelAllItems(m_skipFiles);
}

void CDropFileFilter::GetOnlyIncludeFileName_Dynamic(int index, std::string& name) const {
    GetItemName(m_onlyInclude, index, name);
}
void CDropFileFilter::SetOnlyIncludeFileName_Dynamic(int index, const std::string& name) {
    SetItemName(m_onlyInclude, index, name);
}
void CDropFileFilter::GetOnlyIncludeFileState_Dynamic(int index, int& used) const {
    GetItemState(m_onlyInclude, index, used);
}
void CDropFileFilter::SetOnlyIncludeFileState_Dynamic(int index, int used) {
    SetItemState(m_onlyInclude, index, used);
}
void CDropFileFilter::AddAOnlyIncludeFile_Dynamic(const std::string& name) {
    AddItem(m_onlyInclude, "FILE", name);
}
void CDropFileFilter::DelAOnlyIncludeFile_Dynamic(int index) {
    DelItem(m_onlyInclude, index);
}
void CDropFileFilter::DelAllOnlyIncludeFile_Dynamic() {
    DelAllItems(m_onlyInclude);
}

int CDropFileFilter::MatchesUsedItem(const CXML* section, const std::string& name,
                                     bool byExtension) {
    if (!section)
        return 0;
    const std::string subject = byExtension ? CPath(name).GetRealExtension() : name;
    for (int i = 0; i < section->GetChildCount(); ++i) {
        const CXML* item = section->GetChildAt(i);
        if (item->GetAttrInt("used") == 0)
            continue;
        const std::string pattern = item->GetAttr("name");
        bool match = IsWildPattern(pattern) ? CBWHelper::WildMatch(pattern, name, "")
                                            : EqualsIgnoreCase(pattern, subject);
        if (match)
            return 1;
    }
    return 0;
}

bool CDropFileFilter::HasUsedItem(const CXML* section) {
    if (!section)
        return false;
    for (int i = 0; i < section->GetChildCount(); ++i) {
        if (section->GetChildAt(i)->GetAttrInt("used") != 0)
            return true;
    }
    return false;
}

int CDropFileFilter::BelongToSkipFolders_Dynamic(const std::string& name) const {
    return MatchesUsedItem(m_skipFolders, name, false);
}

int CDropFileFilter::BelongToSkipFiles_Dynamic(const std::string& name) const {
    return MatchesUsedItem(m_skipFiles, name, true);
}

int CDropFileFilter::BelongToOnlyIncludeFiles_Dynamic(const std::string& name) const {
    if (!HasUsedItem(m_onlyInclude))
        return 1;
    return MatchesUsedItem(m_onlyInclude, name, true);
}

bool CDropFileFilter::AdmitsFolder(const std::string& folderName) const {
    return !(GetEnableSkipFolders_Dynamic() && BelongToSkipFolders_Dynamic(folderName));
}

bool CDropFileFilter::AdmitsFile(const std::string& fileName) const {
    if (GetEnableSkipFiles_Dynamic() && BelongToSkipFiles_Dynamic(fileName))
        return false;
    return !(GetEnableOnlyIncludeFiles_Dynamic() && !BelongToOnlyIncludeFiles_Dynamic(fileName));
}

std::string CDropFileFilter::Summary(const CXML* section) {
    if (!GetEnable(section) || !HasUsedItem(section))
        return "NONE";
    std::string text;
    bool first = true;
    for (int i = 0; i < section->GetChildCount(); ++i) {
        const CXML* item = section->GetChildAt(i);
        if (item->GetAttrInt("used") == 0)
            continue;
        if (!first)
            text += ",";
        text += item->GetAttr("name");
        first = false;
    }
    return text;
}

#include "commonkit/DropFileFilterSet.h"

#include "commonkit/StringTable.h"

#include <initializer_list>
#include <utility>

namespace {

// One pattern of a section: its name and whether it is used.
using Item = std::pair<const char*, int>;

const std::initializer_list<Item> kDefaultSkipFolders = {{"*.files", 1}, {"*_files", 1}};
const std::initializer_list<Item> kSkipFilePatterns = {{".bak", 0}, {".chm", 0}, {".com", 0},
                                                       {".dll", 0}, {".exe", 0}, {".hhc", 0},
                                                       {".hhk", 0}, {".hhp", 0}};
const std::initializer_list<Item> kWebPagesOnly = {
    {".htm", 1}, {".html", 1}, {".jpg", 0}, {".gif", 0}, {".bmp", 0}, {".swf", 0}, {".txt", 0}};
const std::initializer_list<Item> kNewSkipFolders = {{"temp", 0}, {"css", 0}};
const std::initializer_list<Item> kNewOnlyInclude = {
    {".htm", 0}, {".html", 0}, {".jpg", 0}, {".gif", 0}, {".bmp", 0}, {".swf", 0}, {".txt", 0}};

void AddSection(CXML* filter, const char* tag, int enable, const char* itemTag,
                std::initializer_list<Item> items) {
    CXML* section = filter->AddChild(tag);
    section->SetAttr("enable", enable);
    for (const Item& item : items) {
        CXML* child = section->AddChild(itemTag);
        child->SetAttr("name", item.first);
        child->SetAttr("used", item.second);
    }
}

// A "FILTER" element with its three sections in the stored order.
CXML* MakeFilter(const std::string& name, int enableSkipFolders,
                 std::initializer_list<Item> skipFolders, std::initializer_list<Item> skipFiles,
                 int enableOnlyInclude, std::initializer_list<Item> onlyInclude) {
    auto* filter = new CXML("FILTER");
    filter->SetAttr("name", name);
    AddSection(filter, "SKIP_FOLDERS", enableSkipFolders, "FOLDER", skipFolders);
    AddSection(filter, "SKIP_FILES", 0, "FILE", skipFiles);
    AddSection(filter, "ONLY_INCLUDE_FILES", enableOnlyInclude, "FILE", onlyInclude);
    return filter;
}

} // namespace

void CDropFileFilterSet::Load(const CXML* filterSet) {
    m_filters.clear();
    m_using = filterSet ? filterSet->GetAttrInt("using") : 0;
    if (!filterSet)
        return;
    for (int i = 0; i < filterSet->GetChildCount(); ++i) {
        auto filter = std::make_unique<CDropFileFilter>();
        filter->Load(filterSet->GetChildAt(i));
        m_filters.push_back(std::move(filter));
    }
}

void CDropFileFilterSet::UseDefaultData() {
    CXML filterSet("FILTER_SET");
    filterSet.SetAttr("using", 0);
    filterSet.AddChild(
        MakeFilter(CStrHelper::ML_GetStringEx(625), 1, kDefaultSkipFolders, {}, 0, {}));
    filterSet.AddChild(MakeFilter(CStrHelper::ML_GetStringEx(626), 1, kDefaultSkipFolders,
                                  kSkipFilePatterns, 1, kWebPagesOnly));
    Load(&filterSet);
}

CDropFileFilter* CDropFileFilterSet::GetFilterAt(int index) const {
    if (index < 0 || index >= GetFilterCount())
        return nullptr;
    return m_filters[index].get();
}

int CDropFileFilterSet::AddAFilter(const std::string& name) {
    std::unique_ptr<CXML> data(
        MakeFilter(name, 0, kNewSkipFolders, kSkipFilePatterns, 0, kNewOnlyInclude));
    auto filter = std::make_unique<CDropFileFilter>();
    filter->Load(data.get());
    m_filters.push_back(std::move(filter));
    return 1;
}

int CDropFileFilterSet::DelAFilter(int index) {
    if (!GetFilterAt(index))
        return 0;
    m_filters.erase(m_filters.begin() + index);
    return 1;
}

void CDropFileFilterSet::GetCurSkipFolders(std::string& text) const {
    if (const CDropFileFilter* filter = GetUsingFilter())
        filter->SkipFolders2String(text);
    else
        text = "NONE";
}

void CDropFileFilterSet::GetCurSkipFiles(std::string& text) const {
    if (const CDropFileFilter* filter = GetUsingFilter())
        filter->SkipFiles2String(text);
    else
        text = "NONE";
}

void CDropFileFilterSet::GetCurOnlyIncludeFiles(std::string& text) const {
    if (const CDropFileFilter* filter = GetUsingFilter())
        filter->OnlyIncludeFiles2String(text);
    else
        text = "NONE";
}

void CDropFileFilterSet::CommitEdits() {
    for (auto& filter : m_filters)
        filter->CopyDynamicToPersistent();
}

void CDropFileFilterSet::CancelEdits(int rememberedUsingIndex) {
    for (auto& filter : m_filters)
        filter->CopyPersistentToDynamic();
    m_using = rememberedUsingIndex;
}

#include "dialogkit/DropFileFilterDialog.h"

#include "baseutil/Xml.h"
#include "commonkit/DropFileFilterSet.h"

namespace {

// The operations of CDropFileFilter on one section's working copy.
struct SectionOperations {
    CXML* (CDropFileFilter::*element)() const;
    int (CDropFileFilter::*getEnable)() const;
    void (CDropFileFilter::*setEnable)(int);
    void (CDropFileFilter::*getName)(int, std::string&) const;
    void (CDropFileFilter::*setName)(int, const std::string&);
    void (CDropFileFilter::*getState)(int, int&) const;
    void (CDropFileFilter::*setState)(int, int);
    void (CDropFileFilter::*add)(const std::string&);
    void (CDropFileFilter::*remove)(int);
    void (CDropFileFilter::*removeAll)();
};

using F = CDropFileFilter;
constexpr SectionOperations kSections[] = {
    {&F::GetSkipFoldersData_Dynamic, &F::GetEnableSkipFolders_Dynamic,
     &F::SetEnableSkipFolders_Dynamic, &F::GetSkipFolderName_Dynamic, &F::SetSkipFolderName_Dynamic,
     &F::GetSkipFolderState_Dynamic, &F::SetSkipFolderState_Dynamic, &F::AddASkipFolder_Dynamic,
     &F::DelASkipFolder_Dynamic, &F::DelAllSkipFolder_Dynamic},
    {&F::GetSkipFilesData_Dynamic, &F::GetEnableSkipFiles_Dynamic, &F::SetEnableSkipFiles_Dynamic,
     &F::GetSkipFileName_Dynamic, &F::SetSkipFileName_Dynamic, &F::GetSkipFileState_Dynamic,
     &F::SetSkipFileState_Dynamic, &F::AddASkipFile_Dynamic, &F::DelASkipFile_Dynamic,
     &F::DelAllSkipFile_Dynamic},
    {&F::GetOnlyIncludeFilesData_Dynamic, &F::GetEnableOnlyIncludeFiles_Dynamic,
     &F::SetEnableOnlyIncludeFiles_Dynamic, &F::GetOnlyIncludeFileName_Dynamic,
     &F::SetOnlyIncludeFileName_Dynamic, &F::GetOnlyIncludeFileState_Dynamic,
     &F::SetOnlyIncludeFileState_Dynamic, &F::AddAOnlyIncludeFile_Dynamic,
     &F::DelAOnlyIncludeFile_Dynamic, &F::DelAllOnlyIncludeFile_Dynamic},
};

const SectionOperations& Operations(FilterSection section) {
    return kSections[static_cast<int>(section)];
}

} // namespace

FilterSectionEdit::FilterSectionEdit(CDropFileFilter* filter, FilterSection section)
    : m_filter(filter), m_section(section) {}

bool FilterSectionEdit::IsEnabled() const {
    return m_filter && (m_filter->*Operations(m_section).getEnable)() != 0;
}

void FilterSectionEdit::SetEnabled(bool on) {
    if (m_filter)
        (m_filter->*Operations(m_section).setEnable)(on ? 1 : 0);
}

int FilterSectionEdit::Count() const {
    const CXML* element = m_filter ? (m_filter->*Operations(m_section).element)() : nullptr;
    return element ? element->GetChildCount() : 0;
}

std::string FilterSectionEdit::Name(int index) const {
    std::string name;
    if (m_filter)
        (m_filter->*Operations(m_section).getName)(index, name);
    return name;
}

bool FilterSectionEdit::IsUsed(int index) const {
    int used = 0;
    if (m_filter)
        (m_filter->*Operations(m_section).getState)(index, used);
    return used != 0;
}

void FilterSectionEdit::SetUsed(int index, bool used) {
    if (m_filter)
        (m_filter->*Operations(m_section).setState)(index, used ? 1 : 0);
}

bool FilterSectionEdit::Add(const std::string& name) {
    if (!m_filter || name.empty())
        return false;
    (m_filter->*Operations(m_section).add)(name);
    return true;
}

bool FilterSectionEdit::Rename(int index, const std::string& name) {
    if (!m_filter || name.empty() || index < 0 || index >= Count() || name == Name(index))
        return false;
    (m_filter->*Operations(m_section).setName)(index, name);
    return true;
}

void FilterSectionEdit::Delete(int index) {
    if (m_filter)
        (m_filter->*Operations(m_section).remove)(index);
}

void FilterSectionEdit::DeleteAll() {
    if (m_filter)
        (m_filter->*Operations(m_section).removeAll)();
}

CDlgSetDropFileFilter::CDlgSetDropFileFilter(CDropFileFilterSet& filters, FilterSection firstPage)
    : m_filters(filters), m_firstPage(firstPage), m_startFilter(filters.GetUsingFilter()) {}

std::vector<std::string> CDlgSetDropFileFilter::FilterNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < m_filters.GetFilterCount(); ++i)
        names.push_back(m_filters.GetFilterAt(i)->GetName_Dynamic());
    return names;
}

int CDlgSetDropFileFilter::GetCurrentIndex() const {
    return m_filters.GetUsingFilter() ? m_filters.GetUsingFilterIndex() : -1;
}

void CDlgSetDropFileFilter::SelectFilter(int index) {
    if (m_filters.GetFilterAt(index))
        m_filters.SetUsingFilterIndex(index);
}

bool CDlgSetDropFileFilter::AddFilter(const std::string& name) {
    if (name.empty())
        return false;
    m_filters.AddAFilter(name);
    return true;
}

bool CDlgSetDropFileFilter::DeleteFilter(int index) {
    if (!m_filters.DelAFilter(index))
        return false;
    m_filters.SetUsingFilterIndex(0);
    return true;
}

FilterSectionEdit CDlgSetDropFileFilter::Section(FilterSection section) const {
    return FilterSectionEdit(m_filters.GetUsingFilter(), section);
}

void CDlgSetDropFileFilter::OnOK() {
    m_filters.CommitEdits();
}

void CDlgSetDropFileFilter::OnCancel() {
    int restored = m_filters.GetUsingFilter() ? m_filters.GetUsingFilterIndex() : 0;
    for (int i = 0; i < m_filters.GetFilterCount(); ++i)
        if (m_filters.GetFilterAt(i) == m_startFilter)
            restored = i;
    m_filters.CancelEdits(restored);
}

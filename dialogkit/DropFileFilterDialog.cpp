#include "dialogkit/DropFileFilterDialog.h"

#include "baseutil/Xml.h"
#include "commonkit/DropFileFilterSet.h"

FilterSectionEdit::FilterSectionEdit(CDropFileFilter* filter, FilterSection section)
    : m_filter(filter), m_section(section) {}

const CXML* FilterSectionEdit::Element() const {
    if (!m_filter)
        return nullptr;
    switch (m_section) {
    case FilterSection::SkipFolders:
        return m_filter->GetSkipFoldersData_Dynamic();
    case FilterSection::SkipFiles:
        return m_filter->GetSkipFilesData_Dynamic();
    case FilterSection::OnlyIncludeFiles:
        return m_filter->GetOnlyIncludeFilesData_Dynamic();
    }
    return nullptr;
}

bool FilterSectionEdit::IsEnabled() const {
    if (!m_filter)
        return false;
    switch (m_section) {
    case FilterSection::SkipFolders:
        return m_filter->GetEnableSkipFolders_Dynamic() != 0;
    case FilterSection::SkipFiles:
        return m_filter->GetEnableSkipFiles_Dynamic() != 0;
    case FilterSection::OnlyIncludeFiles:
        return m_filter->GetEnableOnlyIncludeFiles_Dynamic() != 0;
    }
    return false;
}

void FilterSectionEdit::SetEnabled(bool on) {
    if (!m_filter)
        return;
    switch (m_section) {
    case FilterSection::SkipFolders:
        return m_filter->SetEnableSkipFolders_Dynamic(on ? 1 : 0);
    case FilterSection::SkipFiles:
        return m_filter->SetEnableSkipFiles_Dynamic(on ? 1 : 0);
    case FilterSection::OnlyIncludeFiles:
        return m_filter->SetEnableOnlyIncludeFiles_Dynamic(on ? 1 : 0);
    }
}

int FilterSectionEdit::Count() const {
    const CXML* element = Element();
    return element ? element->GetChildCount() : 0;
}

std::string FilterSectionEdit::Name(int index) const {
    std::string name;
    if (!m_filter)
        return name;
    switch (m_section) {
    case FilterSection::SkipFolders:
        m_filter->GetSkipFolderName_Dynamic(index, name);
        break;
    case FilterSection::SkipFiles:
        m_filter->GetSkipFileName_Dynamic(index, name);
        break;
    case FilterSection::OnlyIncludeFiles:
        m_filter->GetOnlyIncludeFileName_Dynamic(index, name);
        break;
    }
    return name;
}

bool FilterSectionEdit::IsUsed(int index) const {
    int used = 0;
    if (!m_filter)
        return false;
    switch (m_section) {
    case FilterSection::SkipFolders:
        m_filter->GetSkipFolderState_Dynamic(index, used);
        break;
    case FilterSection::SkipFiles:
        m_filter->GetSkipFileState_Dynamic(index, used);
        break;
    case FilterSection::OnlyIncludeFiles:
        m_filter->GetOnlyIncludeFileState_Dynamic(index, used);
        break;
    }
    return used != 0;
}

void FilterSectionEdit::SetUsed(int index, bool used) {
    if (!m_filter)
        return;
    switch (m_section) {
    case FilterSection::SkipFolders:
        return m_filter->SetSkipFolderState_Dynamic(index, used ? 1 : 0);
    case FilterSection::SkipFiles:
        return m_filter->SetSkipFileState_Dynamic(index, used ? 1 : 0);
    case FilterSection::OnlyIncludeFiles:
        return m_filter->SetOnlyIncludeFileState_Dynamic(index, used ? 1 : 0);
    }
}

bool FilterSectionEdit::Add(const std::string& name) {
    if (!m_filter || name.empty())
        return false;
    switch (m_section) {
    case FilterSection::SkipFolders:
        m_filter->AddASkipFolder_Dynamic(name);
        break;
    case FilterSection::SkipFiles:
        m_filter->AddASkipFile_Dynamic(name);
        break;
    case FilterSection::OnlyIncludeFiles:
        m_filter->AddAOnlyIncludeFile_Dynamic(name);
        break;
    }
    return true;
}

bool FilterSectionEdit::Rename(int index, const std::string& name) {
    if (!m_filter || name.empty() || index < 0 || index >= Count() || name == Name(index))
        return false;
    switch (m_section) {
    case FilterSection::SkipFolders:
        m_filter->SetSkipFolderName_Dynamic(index, name);
        break;
    case FilterSection::SkipFiles:
        m_filter->SetSkipFileName_Dynamic(index, name);
        break;
    case FilterSection::OnlyIncludeFiles:
        m_filter->SetOnlyIncludeFileName_Dynamic(index, name);
        break;
    }
    return true;
}

void FilterSectionEdit::Delete(int index) {
    if (!m_filter)
        return;
    switch (m_section) {
    case FilterSection::SkipFolders:
        return m_filter->DelASkipFolder_Dynamic(index);
    case FilterSection::SkipFiles:
        return m_filter->DelASkipFile_Dynamic(index);
    case FilterSection::OnlyIncludeFiles:
        return m_filter->DelAOnlyIncludeFile_Dynamic(index);
    }
}

void FilterSectionEdit::DeleteAll() {
    if (!m_filter)
        return;
    switch (m_section) {
    case FilterSection::SkipFolders:
        return m_filter->DelAllSkipFolder_Dynamic();
    case FilterSection::SkipFiles:
        return m_filter->DelAllSkipFile_Dynamic();
    case FilterSection::OnlyIncludeFiles:
        return m_filter->DelAllOnlyIncludeFile_Dynamic();
    }
}

CDlgSetDropFileFilter::CDlgSetDropFileFilter(CDropFileFilterSet& filters,
                                             FilterSection firstPage)
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

#pragma once
// The file filter settings as data: the filters of the set by name, the one
// in use, and the three sections (skip folders, skip files, only include
// files) of the filter shown, each a switch and a list of checked patterns.
// Every edit goes to the filters' working copies; OK keeps them all,
// Cancel discards them and puts the filter in use back. Filters added or
// deleted stay added or deleted.
#include <string>
#include <vector>

class CDropFileFilter;
class CDropFileFilterSet;

enum class FilterSection { SkipFolders = 0, SkipFiles = 1, OnlyIncludeFiles = 2 };

// One section of one filter's working copy.
class FilterSectionEdit {
public:
    FilterSectionEdit(CDropFileFilter* filter, FilterSection section);

    bool IsEnabled() const;
    void SetEnabled(bool on);
    int Count() const;
    std::string Name(int index) const;
    bool IsUsed(int index) const;
    void SetUsed(int index, bool used);
    // Appends a used pattern; an empty one is not added (false).
    bool Add(const std::string& name);
    // Renames item `index`; an empty or unchanged name changes nothing (false).
    bool Rename(int index, const std::string& name);
    void Delete(int index);
    void DeleteAll();

private:
    CDropFileFilter* m_filter;
    FilterSection m_section;
};

class CDlgSetDropFileFilter {
public:
    // Begins an editing session on `filters`, showing `firstPage` first.
    CDlgSetDropFileFilter(CDropFileFilterSet& filters, FilterSection firstPage);

    FilterSection GetFirstPage() const { return m_firstPage; }
    std::vector<std::string> FilterNames() const;
    // The filter in use (shown on every page), or -1 when none is.
    int GetCurrentIndex() const;
    // Makes filter `index` the one in use.
    void SelectFilter(int index);
    // Appends a new filter; nothing for an empty name (false).
    bool AddFilter(const std::string& name);
    // Deletes filter `index`; the first remaining one is then in use.
    bool DeleteFilter(int index);
    // The section `section` of the filter in use (edits nothing when none is).
    FilterSectionEdit Section(FilterSection section) const;

    void OnOK();
    // Discards the edits and puts back the filter that was in use when the
    // session began; when that one was deleted, the filter in use now stays.
    void OnCancel();

private:
    CDropFileFilterSet& m_filters;
    FilterSection m_firstPage;
    const CDropFileFilter* m_startFilter;
};

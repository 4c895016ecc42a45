#pragma once
// All drop-file filters of the program and the index of the one in use. The
// set is stored as a "FILTER_SET" element with the attribute "using" and one
// "FILTER" child per filter, in order.

#include "commonkit/DropFileFilter.h"

#include <memory>
#include <string>
#include <vector>

class CDropFileFilterSet {
public:
    CDropFileFilterSet() = default;
    virtual ~CDropFileFilterSet() = default;
    CDropFileFilterSet(const CDropFileFilterSet&) = delete;
    CDropFileFilterSet& operator=(const CDropFileFilterSet&) = delete;

    // Replaces every filter by one per child of `filterSet` (none for null)
    // and takes the in-use index from its "using".
    void Load(const CXML* filterSet);
    // Loads the built-in set: two filters, the first in use.
    void UseDefaultData();

    int GetFilterCount() const { return static_cast<int>(m_filters.size()); }
    // Null outside 0 .. count - 1.
    CDropFileFilter* GetFilterAt(int index) const;
    int GetUsingFilterIndex() const { return m_using; }
    // Stored as given; an index that names no filter means no filter is in use.
    void SetUsingFilterIndex(int index) { m_using = index; }
    CDropFileFilter* GetUsingFilter() const { return GetFilterAt(m_using); }

    // Appends a filter of that name with every section disabled and the
    // usual patterns listed but not used. Returns 1.
    int AddAFilter(const std::string& name);
    // Deletes the filter at `index`; 0 when there is none. The in-use index
    // is left as it is.
    int DelAFilter(int index);

    // The summaries of the filter in use, "NONE" when no filter is in use.
    void GetCurSkipFolders(std::string& text) const;
    void GetCurSkipFiles(std::string& text) const;
    void GetCurOnlyIncludeFiles(std::string& text) const;

    // The ends of an editing session on the dynamic copies: commit makes
    // every filter's edits persistent; cancel discards them and puts back
    // the in-use index remembered when the session began. Filters added or
    // deleted in between stay added or deleted.
    void CommitEdits();
    void CancelEdits(int rememberedUsingIndex);

private:
    std::vector<std::unique_ptr<CDropFileFilter>> m_filters;
    int m_using = 0;
};

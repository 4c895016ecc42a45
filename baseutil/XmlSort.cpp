#include "baseutil/TextFold.h"
#include "baseutil/Xml.h"

#include <algorithm>

namespace {
// a: unused; b: ignore case; c: this level only.
int g_sortA = 0;
int g_sortB = 1;
int g_sortC = 1;
} // namespace

void CXML::GetSortOption(int& a, int& b, int& c) {
    a = g_sortA;
    b = g_sortB;
    c = g_sortC;
}

void CXML::SetSortOption(int a, int b, int c) {
    g_sortA = a;
    g_sortB = b;
    g_sortC = c;
}

void CXML::SortByNameEx(int thisLevelOnly, int direction, int ignoreCase) {
    std::vector<std::pair<std::string, std::unique_ptr<CXML>>> keyed;
    keyed.reserve(m_children.size());
    for (auto& child : m_children) {
        std::string key = child->GetAttr("Name");
        keyed.emplace_back(ignoreCase ? mb::FoldCase(key) : std::move(key), std::move(child));
    }
    if (direction == 1) {
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& x, const auto& y) { return y.first < x.first; });
    } else {
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& x, const auto& y) { return x.first < y.first; });
    }
    for (size_t i = 0; i < keyed.size(); ++i)
        m_children[i] = std::move(keyed[i].second);
    Renumber(0);
    m_cursor = 0;
    if (thisLevelOnly == 0) {
        for (auto& child : m_children)
            child->SortByNameEx(0, direction, ignoreCase);
    }
}

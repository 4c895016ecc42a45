#include "projectmodel/NodeIndex.h"

#include "baseutil/Xml.h"

#include <functional>
#include <vector>

namespace mb {
namespace {

size_t HashOf(const std::string& id) {
    return std::hash<std::string>{}(id);
}

// Calls `visit` on `node` and every node below it, without recursion.
template <typename Node, typename Visit> void ForSubtree(Node* node, Visit&& visit) {
    std::vector<Node*> pending{node};
    while (!pending.empty()) {
        Node* current = pending.back();
        pending.pop_back();
        visit(current);
        for (int i = 0; i < current->GetChildCount(); ++i)
            pending.push_back(current->GetChildAt(i));
    }
}

} // namespace

void NodeIndex::AddSubtree(CXML* node) {
    if (node)
        ForSubtree(node, [this](CXML* n) { Add(n); });
}

void NodeIndex::RemoveSubtree(const CXML* node) {
    if (node)
        ForSubtree(node, [this](const CXML* n) { Remove(n); });
}

CXML* NodeIndex::Find(const std::string& id) const {
    auto [first, last] = m_byHash.equal_range(HashOf(id));
    for (auto it = first; it != last; ++it) {
        const std::string* candidate = it->second->FindAttr("ID");
        if (candidate && *candidate == id)
            return it->second;
    }
    return nullptr;
}

void NodeIndex::Pending::Add(CXML* node) {
    const std::string* id = node->FindAttr("ID");
    if (id && !id->empty())
        m_nodes.emplace_back(HashOf(*id), node);
}

void NodeIndex::Add(const Pending& pending) {
    m_byHash.reserve(m_byHash.size() + pending.m_nodes.size());
    for (const auto& [hash, node] : pending.m_nodes)
        m_byHash.emplace(hash, node);
}

void NodeIndex::Add(CXML* node) {
    const std::string* id = node->FindAttr("ID");
    if (id && !id->empty())
        m_byHash.emplace(HashOf(*id), node);
}

void NodeIndex::Remove(const CXML* node) {
    const std::string* id = node->FindAttr("ID");
    if (!id || id->empty())
        return;
    auto [first, last] = m_byHash.equal_range(HashOf(*id));
    for (auto it = first; it != last; ++it) {
        if (it->second == node) {
            m_byHash.erase(it);
            return;
        }
    }
}

} // namespace mb

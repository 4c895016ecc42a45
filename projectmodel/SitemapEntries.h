#pragma once
// The entries of a sitemap's intermediate form: each "Topic" made into a
// node, one at a time, with its page resolved, nested by its level
// ("XPosition") and indexed by its ID, until they are added to a tree. A
// project file's reader makes them while the file is still being read, so
// that each entry is handled whole while it is at hand.

#include "baseutil/Xml.h"
#include "projectmodel/NodeIndex.h"
#include "projectmodel/SitemapText.h"

#include <functional>
#include <string>
#include <vector>

namespace mb::sitemap {

class SitemapEntries {
public:
    // Makes the node of a "Topic", given its page as resolved.
    using MakeNode = CXML* (*)(const CXML& topic, const std::string& local);
    // A page ("Local") as the form writes it, as a path in memory.
    using Resolve = std::function<std::string(const std::string& value)>;
    // Fits a node to its place once it is nested (see CHHKFile::FitLoadedNode).
    using FitNode = void (*)(CXML* node, bool topLevel);

    SitemapEntries(MakeNode makeNode, Resolve resolve, FitNode fitNode = nullptr)
        : m_makeNode(makeNode), m_resolve(std::move(resolve)), m_fitNode(fitNode) {}
    SitemapEntries(const SitemapEntries&) = delete;
    SitemapEntries& operator=(const SitemapEntries&) = delete;

    void Add(const CXML& topic);
    // Adds every "Topic" child of the first "SiteMap" of `element` (none
    // for no element).
    void AddAll(const CXML* element);

    // The nodes nested under a "List" element, which owns them.
    CXML& List() { return m_list; }
    // The nodes in document order, while the list owns them.
    const std::vector<CXML*>& Nodes() const { return m_nodes; }
    // The nodes, to be indexed by ID.
    const NodeIndex::Pending& Ids() const { return m_ids; }

private:
    MakeNode m_makeNode;
    Resolve m_resolve;
    FitNode m_fitNode;
    ResolvedPaths m_pages;
    CXML m_list{"List"};
    LevelNester m_nester{&m_list};
    std::vector<CXML*> m_nodes;
    NodeIndex::Pending m_ids;
};

} // namespace mb::sitemap

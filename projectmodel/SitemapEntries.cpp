#include "projectmodel/SitemapEntries.h"

namespace mb::sitemap {

void SitemapEntries::Add(const CXML& topic) {
    // Entries name the same pages again and again: each is resolved once.
    CXML* node = m_makeNode(topic, m_pages.Get(AttrOf(&topic, "Local"), m_resolve));
    m_nester.Add(node, topic.GetAttrInt("XPosition"));
    if (m_fitNode)
        m_fitNode(node, node->GetParent() == &m_list);
    m_nodes.push_back(node);
    m_ids.Add(node);
}

void SitemapEntries::AddAll(const CXML* element) {
    const CXML* siteMap = element ? element->GetChildByTagName("SiteMap") : nullptr;
    if (!siteMap)
        return;
    for (int i = 0; i < siteMap->GetChildCount(); ++i) {
        const CXML* topic = siteMap->GetChildAt(i);
        if (topic->GetTagName() == "Topic")
            Add(*topic);
    }
}

} // namespace mb::sitemap

#include "projectmodel/ProjectFileReader.h"

#include <cstring>
#include <utility>

namespace mb {

ProjectFileReader::ProjectFileReader(std::string projectFolder)
    : m_folder(std::move(projectFolder)),
      m_contents(&CHHCFile::NodeOfTopic,
                 [this](const std::string& value) {
                     return CProjectFile::PageFromProjectForm(m_folder, value, m_contentsSpellings);
                 }),
      m_index(
          &CHHKFile::NodeOfTopic,
          [this](const std::string& value) {
              return CProjectFile::PageFromProjectForm(m_folder, value, m_indexSpellings);
          },
          &CHHKFile::FitLoadedNode) {}

bool ProjectFileReader::Read(std::FILE* file,
                             const std::function<void(long long bytesRead)>& progress) {
    return XMLReadWithProgress(m_document, file, progress, this);
}

bool ProjectFileReader::Wants(const CXML& parent, const char* tag) {
    return std::strcmp(tag, "Topic") == 0 && EntriesOf(parent);
}

void ProjectFileReader::Take(const CXML& parent, CXML& element) {
    EntriesOf(parent)->Add(element);
}

sitemap::SitemapEntries* ProjectFileReader::EntriesOf(const CXML& siteMap) {
    // Topics come one after the other under the same element, whose
    // standing does not change once it is read.
    if (&siteMap != m_lastParent) {
        m_lastParent = &siteMap;
        m_lastEntries = FindEntriesOf(siteMap);
    }
    return m_lastEntries;
}

sitemap::SitemapEntries* ProjectFileReader::FindEntriesOf(const CXML& siteMap) {
    const CXML* section = siteMap.GetParent();
    if (siteMap.GetTagName() != "SiteMap" || !section || section->GetParent() != &m_document ||
        section->GetChildByTagName("SiteMap") != &siteMap)
        return nullptr;
    const std::string& tag = section->GetTagName();
    if (tag == "HHC" && m_document.GetChildByTagName("HHC") == section)
        return &m_contents;
    if (tag == "HHK" && m_document.GetChildByTagName("HHK") == section)
        return &m_index;
    return nullptr;
}

} // namespace mb

#pragma once
// Reads a project file. The entries of its contents and its index (the
// "Topic"s of the first "SiteMap" of the first "HHC" and of the first "HHK")
// become nodes as they are read, so that a large project is never held as
// a document as well; the rest of the file is read as a document, in which
// those "SiteMap"s stay empty. Nothing of the project changes: the entries'
// pages are resolved below the folder the project will have, and the
// spellings that resolving finds are kept here until the project takes them.

#include "baseutil/Xml.h"
#include "baseutil/XmlProgress.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/SitemapEntries.h"

#include <cstdio>
#include <functional>
#include <string>

namespace mb {

class ProjectFileReader : public CXmlElementSink {
public:
    // `projectFolder` as CProjectFile::FolderForm gives it.
    explicit ProjectFileReader(std::string projectFolder);

    // Reads the rest of `file`, telling `progress` the bytes read so far.
    // False when it is not well-formed XML: the document is then empty and
    // the entries are to be dropped with the reader.
    bool Read(std::FILE* file, const std::function<void(long long bytesRead)>& progress);

    CXML& Document() { return m_document; }
    sitemap::SitemapEntries& Contents() { return m_contents; }
    sitemap::SitemapEntries& Index() { return m_index; }
    const CProjectFile::Spellings& ContentsSpellings() const { return m_contentsSpellings; }
    const CProjectFile::Spellings& IndexSpellings() const { return m_indexSpellings; }

    bool Wants(const CXML& parent, const char* tag) override;
    void Take(const CXML& parent, CXML& element) override;

private:
    // The entries that the "Topic"s under `siteMap` belong to, or null.
    sitemap::SitemapEntries* EntriesOf(const CXML& siteMap);
    sitemap::SitemapEntries* FindEntriesOf(const CXML& siteMap);

    std::string m_folder;
    CXML m_document;
    CProjectFile::Spellings m_contentsSpellings;
    CProjectFile::Spellings m_indexSpellings;
    sitemap::SitemapEntries m_contents;
    sitemap::SitemapEntries m_index;
    const CXML* m_lastParent = nullptr;
    sitemap::SitemapEntries* m_lastEntries = nullptr;
};

} // namespace mb

#pragma once
// The keyword index of a project: a tree of "node" elements under the root
// element "hhkTreeRoot". "Type" 0 is a keyword with one topic in its own
// "Local", 4 a keyword with several topics, which are its children of type
// 5 ("Name" the topic's title, "Local" its page); a keyword's other
// children are its sub-keywords. "SeeAlso", when set, names the keyword a
// keyword refers to.
//
// Notifications: 21 renamed, 22 selection (node), 23 page changed, 24 type
// changed (node), 25 / 26 activation, 27 entries removed and the index
// empty, 28 / 29 run added / removed (node: its record), 30 font (font: the
// LOGFONTA).

#include "projectmodel/SitemapFile.h"

#include <string>

class CHHKFile : public CSitemapFile {
public:
    CHHKFile();

    static constexpr int kKeywordWithTopics = 4;
    static constexpr int kTopicOfKeyword = 5;

    // Back to the defaults, with an empty index.
    void InitHHK();

    // A new entry (owned by the caller) with "Name", "Local", "Type" and "ID"
    // (a new GUID when `id` is empty).
    static CXML* CreateNode(const std::string& name, const std::string& local, int type,
                            const std::string& id = {});
    // The node's "Type".
    int GetNodeType(const CXML* node) const { return node ? node->GetAttrInt("Type") : 0; }

    // what 1 "Name" (21), 2 "Local" (23), 8 "Type" (24).
    void ModifyNode(CXML* node, int what, const CXML* values) override;
    using CSitemapFile::ModifyNode;

    // ---- Sitemap forms (HHKText.cpp)

    // Reads an .hhk file into the intermediate form ("SiteProperties" and
    // "SiteMap" children of `element`). A file that cannot be read gives an
    // empty form. Returns 1.
    int ReadHHKFileToXML(const std::string& path, CXML* element);
    // Writes the index as an .hhk for the compiler, in the code page of the
    // project's language. 0 when the target is read-only (after the
    // warning) or cannot be written.
    int WriteHHKFile(const std::string& path);
    // The .hhk text that WriteHHKFile writes, in UTF-8.
    std::string BuildHHKText() const;
    // The intermediate form in the project file ("HHK" element); versions 1
    // and 2 are the same, and only version 2 is written.
    void WriteXMLTree_Ver2(CXML* element) const;
    void ReadXMLTree_Ver2(const CXML* element);
    void ReadXMLTree_Ver1(const CXML* element) { ReadXMLTree_Ver2(element); }
    // The entry of an intermediate form's "Topic" with its page resolved.
    static CXML* NodeOfTopic(const CXML& topic, const std::string& local);
    // Fits the "Type" of an entry just nested among loaded ones, after its
    // parent, as FitInsertedNode does when they are appended to the index.
    static void FitLoadedNode(CXML* node, bool topLevel);

protected:
    void FitInsertedNode(CXML* node, bool appendedToRoot) override;

private:
    // Types out of range become 0, a keyword's topic outside a keyword with
    // topics too, and so does any type but a keyword with topics at the top
    // of a run appended to the top level.
    static void FitType(CXML* node, bool underKeyword, bool atTopOfAppendedRun);
};

// The index in its text forms: the .hhk sitemap for the compiler, and the
// intermediate form ("SiteProperties" and "SiteMap") that sits between the
// sitemap and the tree and is the index's form in the project file.

#include "baseutil/Prompt.h"
#include "projectmodel/HHKFile.h"
#include "projectmodel/SitemapEntries.h"
#include "projectmodel/SitemapText.h"
#include "projectmodel/TextValues.h"

#include <functional>
#include <vector>

using namespace mb::sitemap;

namespace {

const char* const kPropertyNames[] = {"FrameName", "WindowName", "Font"};
// The keyword a keyword refers to instead of (or besides) its topics: an
// attribute of the node and of its "Topic" in the project file.
const char* const kSeeAlso = "SeeAlso";

// Whether the one topic of a keyword is just the keyword's page: it has no
// title of its own (none, or the keyword's name) and the keyword has no
// page of its own.
bool IsPageOfKeyword(const CXML& keyword, const CXML& topic) {
    const std::string& title = AttrOf(&topic, "Name");
    return AttrOf(&keyword, "Local").empty() &&
           (title.empty() || title == AttrOf(&keyword, "Name"));
}

// Reads the keywords of a scanned .hhk into "Topic" elements.
class HHKReader {
public:
    HHKReader(CXML* siteMap, std::function<std::string(const std::string&)> resolve)
        : m_siteMap(siteMap), m_resolve(std::move(resolve)) {}

    void Walk(const CXML* element, int level) {
        const std::string& tag = element->GetTagName();
        if (tag == "OBJECT")
            return;
        if (tag == "UL")
            ++level;
        else if (tag == "LI")
            Item(element, level);
        for (int i = 0; i < element->GetChildCount(); ++i)
            Walk(element->GetChildAt(i), level);
    }

private:
    void Item(const CXML* item, int level) {
        const CXML* object = nullptr;
        for (int i = 0; i < item->GetChildCount() && !object; ++i) {
            const CXML* child = item->GetChildAt(i);
            if (child->GetTagName() == "OBJECT" && child->GetChildCount() > 0)
                object = child;
        }
        if (!object)
            return;
        // Parameters name a keyword, then its topics as "Name" (and "Local")
        // pairs. Most files put each "Local" after its "Name"; some
        // generators put it before, and then it belongs to the next "Name".
        bool localFirst = false;
        for (int i = 0; i < object->GetChildCount(); ++i) {
            std::string name = object->GetChildAt(i)->GetAttr("name");
            if (IsName(name) || mb::EqualsNoCase(name, "keyword")) {
                break;
            }
            if (mb::EqualsNoCase(name, "local")) {
                localFirst = true;
                break;
            }
        }
        CXML* keyword = nullptr;
        CXML* current = nullptr;
        std::vector<CXML*> topics;
        std::string pending;
        std::string seeAlso;
        for (int i = 0; i < object->GetChildCount(); ++i) {
            const CXML* param = object->GetChildAt(i);
            if (param->GetTagName() != "PARAM")
                continue;
            std::string name = param->GetAttr("name");
            std::string value = param->GetAttr("value");
            if (IsName(name) || (!keyword && mb::EqualsNoCase(name, "keyword"))) {
                if (!keyword) {
                    keyword = current = NewTopic(DecodeText(value), level);
                } else {
                    current = NewTopic(DecodeText(value), level + 1);
                    current->SetAttr("Type", CHHKFile::kTopicOfKeyword);
                    keyword->SetAttr("Type", CHHKFile::kKeywordWithTopics);
                    topics.push_back(current);
                }
                if (!pending.empty())
                    current->SetAttr("Local", m_resolve(DecodeLocal(pending)));
                pending.clear();
            } else if (mb::EqualsNoCase(name, "local") && !value.empty()) {
                if (localFirst)
                    pending = value;
                else if (current)
                    current->SetAttr("Local", m_resolve(DecodeLocal(value)));
            } else if (mb::EqualsNoCase(name, "see also") && !value.empty()) {
                // Doxygen writes it before the keyword's name.
                seeAlso = DecodeText(value);
            }
        }
        if (keyword && !seeAlso.empty())
            keyword->SetAttr(kSeeAlso, seeAlso);
        if (topics.size() == 1 && IsPageOfKeyword(*keyword, *topics[0]))
            TakePage(keyword, topics[0]);
    }

    // A keyword's one topic without a title of its own is the keyword's page
    // (the index is written back that way).
    void TakePage(CXML* keyword, CXML* topic) {
        keyword->RemoveAttr("Type");
        const std::string& local = AttrOf(topic, "Local");
        if (!local.empty())
            keyword->SetAttr("Local", local);
        delete m_siteMap->RemoveAt(topic->GetIndexInParent());
    }

    static bool IsName(const std::string& name) { return mb::EqualsNoCase(name, "name"); }

    CXML* NewTopic(const std::string& name, int level) {
        CXML* topic = m_siteMap->AddChild("Topic");
        topic->SetAttr("Name", name);
        topic->SetAttr("XPosition", level);
        return topic;
    }

    CXML* m_siteMap;
    std::function<std::string(const std::string&)> m_resolve;
};

} // namespace

int CHHKFile::ReadHHKFileToXML(const std::string& path, CXML* element) {
    if (!element)
        return 1;
    mb::BusyCursor busy(*Channels().prompt);
    CXML scanned;
    SitemapSource source;
    if (!OpenSitemapSource(path, element, "HHKRoot", kPropertyNames, scanned, source))
        return 1;
    HHKReader reader(source.siteMap, source.resolve);
    CXML* start = source.start;
    CXML* list = start->GetChildByTagName("UL");
    if (list && list->GetChildCount() > 0) {
        reader.Walk(list, -1);
        return 1;
    }
    if (list)
        delete start->RemoveAt(list->GetIndexInParent());
    reader.Walk(start, 0);
    return 1;
}

void CHHKFile::WriteXMLTree_Ver2(CXML* element) const {
    if (!element)
        return;
    CXML* properties = element->AddChild("SiteProperties");
    AddParam(properties, "FrameName", m_frameName);
    AddParam(properties, "WindowName", m_windowName);
    std::string face;
    long size = 0;
    unsigned char charset = 0;
    GetFont(face, size, charset);
    AddParam(properties, "Font", FontText(face, size, charset));

    CXML* siteMap = element->AddChild("SiteMap");
    for (const LeveledEntry& entry : EntriesInOrder(GetTreeRoot())) {
        CXML* topic = siteMap->AddChild("Topic");
        topic->SetAttr("Name", entry.node->GetAttr("Name"));
        topic->SetAttr("XPosition", entry.level);
        std::string local = entry.node->GetAttr("Local");
        if (!local.empty())
            topic->SetAttr("Local", ToProjectForm(local));
        topic->SetAttr("Type", entry.node->GetAttrInt("Type"));
        const std::string& seeAlso = AttrOf(entry.node, kSeeAlso);
        if (!seeAlso.empty())
            topic->SetAttr(kSeeAlso, seeAlso);
    }
}

void CHHKFile::ReadXMLTree_Ver2(const CXML* element) {
    ReadSiteProperties(element, [](const std::string&, const std::string&) {});
    mb::sitemap::SitemapEntries entries(
        &NodeOfTopic, [this](const std::string& value) { return FromProjectForm(value); },
        &FitLoadedNode);
    entries.AddAll(element);
    AddLoadedEntries(entries);
}

CXML* CHHKFile::NodeOfTopic(const CXML& topic, const std::string& local) {
    CXML* node = CreateNode(AttrOf(&topic, "Name"), local, topic.GetAttrInt("Type"));
    const std::string& seeAlso = AttrOf(&topic, kSeeAlso);
    if (!seeAlso.empty())
        node->SetAttr(kSeeAlso, seeAlso);
    return node;
}

std::string CHHKFile::BuildHHKText() const {
    std::string text = "<HTML>\r\n<HEAD>\r\n</HEAD>\r\n<BODY>\r\n";
    AppendLine(text, 0, "<OBJECT type=\"text/site properties\">");
    FillParamString(text, 0, "FrameName", EncodeText(m_frameName));
    FillParamString(text, 0, "WindowName", EncodeText(m_windowName));
    std::string face;
    long size = 0;
    unsigned char charset = 0;
    GetFont(face, size, charset);
    FillParamString(text, 0, "Font", EncodeText(FontText(face, size, charset)));
    AppendLine(text, 0, "</OBJECT>");

    // A keyword's topics are written inside the keyword's object. A topic
    // that has entries below it (the tree allows moving entries there) is
    // written as a keyword of its own, so that they stay below it.
    auto isTopicOfKeyword = [this](const CXML* node) {
        const CXML* parent = node->GetParent();
        return GetNodeType(node) == kTopicOfKeyword && node->GetChildCount() == 0 &&
               parent != GetTreeRoot() && GetNodeType(parent) == kKeywordWithTopics;
    };
    ListWriter lists(text);
    for (const LeveledEntry& entry : EntriesInOrder(GetTreeRoot())) {
        const CXML* node = entry.node;
        if (isTopicOfKeyword(node))
            continue;
        int depth = lists.MoveTo(entry.level);
        AppendLine(text, depth, "<LI> <OBJECT type=\"text/sitemap\">");
        FillParamString(text, depth + 1, "Name", EncodeText(node->GetAttr("Name")));
        const std::string& seeAlso = AttrOf(node, kSeeAlso);
        if (!seeAlso.empty())
            FillParamString(text, depth + 1, "See Also", EncodeText(seeAlso));
        std::vector<const CXML*> topics;
        if (GetNodeType(node) == kKeywordWithTopics) {
            for (int i = 0; i < node->GetChildCount(); ++i) {
                if (isTopicOfKeyword(node->GetChildAt(i)))
                    topics.push_back(node->GetChildAt(i));
            }
        }
        // The keyword's own page, then its topics as pairs of title and
        // page. One topic without a title of its own is written as the page
        // of the keyword: a second "Name" would only repeat the keyword, and
        // chmcmd passes it through a code-page conversion of its own that
        // garbles titles outside ASCII.
        bool topicIsPage = topics.size() == 1 && IsPageOfKeyword(*node, *topics[0]);
        std::string page = topicIsPage ? topics[0]->GetAttr("Local") : node->GetAttr("Local");
        if (!page.empty())
            FillParamString(text, depth + 1, "Local", EncodeLocal(ToSitemapForm(page)));
        for (size_t i = 0; i < topics.size() && !topicIsPage; ++i) {
            FillParamString(text, depth + 1, "Name", EncodeText(topics[i]->GetAttr("Name")));
            std::string local = topics[i]->GetAttr("Local");
            if (!local.empty())
                FillParamString(text, depth + 1, "Local", EncodeLocal(ToSitemapForm(local)));
        }
        AppendLine(text, depth + 1, "</OBJECT>");
    }
    lists.Finish();
    text += "</BODY>\r\n</HTML>\r\n";
    return text;
}

int CHHKFile::WriteHHKFile(const std::string& path) {
    return WriteCompilerFile(path, BuildHHKText());
}

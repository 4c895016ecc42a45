// The contents in its text forms: the .hhc sitemap for the compiler, and
// the intermediate form ("SiteProperties" and "SiteMap") that sits between
// the sitemap and the tree and is the contents' form in the project file.

#include "baseutil/Prompt.h"
#include "baseutil/TextFold.h"
#include "projectmodel/HHCFile.h"
#include "projectmodel/SitemapEntries.h"
#include "projectmodel/SitemapText.h"
#include "projectmodel/TextValues.h"

#include <cstdint>
#include <functional>

using namespace mb::sitemap;

namespace {

const char* const kPropertyNames[] = {"FrameName",  "WindowName", "ImageType", "Window Styles",
                                      "Foreground", "Background", "Font"};

// Reads the entries of a scanned .hhc into "Topic" elements.
class HHCReader {
public:
    HHCReader(CXML* siteMap, std::function<std::string(const std::string&)> resolve)
        : m_siteMap(siteMap), m_resolve(std::move(resolve)) {}

    void Start(const CXML* start) {
        for (int i = 0; i < start->GetChildCount(); ++i) {
            const CXML* child = start->GetChildAt(i);
            const std::string& tag = child->GetTagName();
            if (tag == "UL")
                List(child, 0);
            else if (tag == "LI")
                Item(child, 0);
            else if (tag == "OBJECT" && mb::EqualsNoCase(child->GetAttr("type"), "text/sitemap"))
                Entry(child, 0);
        }
    }

private:
    void List(const CXML* list, int level) {
        for (int i = 0; i < list->GetChildCount(); ++i) {
            if (list->GetChildAt(i)->GetTagName() == "LI")
                Item(list->GetChildAt(i), level);
        }
    }

    void Item(const CXML* item, int level) {
        if (item->GetChildCount() == 0 || item->GetChildAt(0)->GetTagName() != "OBJECT")
            return;
        if (CXML* topic = Entry(item->GetChildAt(0), level)) {
            if (topic->GetAttrInt("ImageNumber") == -1)
                topic->SetAttr("ImageNumber", item->GetChildByTagName("UL") ? 0 : 10);
        }
        for (int i = 1; i < item->GetChildCount(); ++i) {
            const CXML* child = item->GetChildAt(i);
            if (child->GetChildCount() == 0)
                continue;
            if (child->GetTagName() == "UL")
                List(child, level + 1);
            else if (child->GetTagName() == "OBJECT")
                Entry(child, level + 1);
        }
    }

    CXML* Entry(const CXML* object, int level) {
        if (object->GetChildCount() == 0)
            return nullptr;
        std::string name, local, merge, frame, window, comment, isNew;
        bool hasImage = false;
        int image = 0;
        for (int i = 0; i < object->GetChildCount(); ++i) {
            const CXML* param = object->GetChildAt(i);
            if (param->GetTagName() != "PARAM")
                continue;
            std::string key = mb::FoldCase(param->GetAttr("name"));
            std::string value = param->GetAttr("value");
            if (key == "name")
                name = value;
            else if (key == "local")
                local = value;
            else if (key == "merge")
                merge = value;
            else if (key == "imagenumber")
                hasImage = true, image = CMabString(value).GetInt();
            else if (key == "framename")
                frame = value;
            else if (key == "windowname")
                window = value;
            else if (key == "comment")
                comment = value;
            else if (key == "new")
                isNew = value;
        }
        if (!hasImage)
            image = -1;
        else if (image > 0)
            --image;

        CXML* topic = m_siteMap->AddChild("Topic");
        if (!merge.empty()) {
            topic->SetAttr("Name", DecodeText(merge));
            topic->SetAttr("XPosition", level);
            topic->SetAttr("ImageNumber", 44);
            topic->SetAttr("Local", m_resolve(DecodeLocal(merge)));
            topic->SetAttr("Type", CHHCFile::kMergeType);
            return topic;
        }
        topic->SetAttr("Name", DecodeText(name));
        topic->SetAttr("XPosition", level);
        topic->SetAttr("ImageNumber", image);
        if (!local.empty())
            topic->SetAttr("Local", m_resolve(DecodeLocal(local)));
        if (!frame.empty())
            topic->SetAttr("FrameName", DecodeText(frame));
        if (!window.empty())
            topic->SetAttr("WindowName", DecodeText(window));
        if (!comment.empty())
            topic->SetAttr("Comment", DecodeText(comment));
        if (isNew == "1")
            topic->SetAttr("New", "1");
        return topic;
    }

    CXML* m_siteMap;
    std::function<std::string(const std::string&)> m_resolve;
};

} // namespace

int CHHCFile::ReadHHCFileToXML(const std::string& path, CXML* element) {
    if (!element)
        return 1;
    mb::BusyCursor busy(*Channels().prompt);
    CXML scanned;
    SitemapSource source;
    if (!OpenSitemapSource(path, element, "HHCRoot", kPropertyNames, scanned, source))
        return 1;
    HHCReader reader(source.siteMap, source.resolve);
    reader.Start(source.start);
    return 1;
}

void CHHCFile::WriteXMLTree_Ver2(CXML* element) const {
    if (!element)
        return;
    CXML* properties = element->AddChild("SiteProperties");
    if (!m_frameName.empty())
        AddParam(properties, "FrameName", m_frameName);
    if (!m_windowName.empty())
        AddParam(properties, "WindowName", m_windowName);
    AddParam(properties, "ImageType", m_imageType);
    AddParam(properties, "Window Styles", HexText(m_windowStyles));
    AddParam(properties, "Foreground", HexText(m_foreground));
    AddParam(properties, "Background", HexText(m_background));
    std::string face;
    long size = 0;
    unsigned char charset = 0;
    GetFont(face, size, charset);
    AddParam(properties, "Font", FontText(face, size, charset));

    CXML* siteMap = element->AddChild("SiteMap");
    for (const LeveledEntry& entry : EntriesInOrder(GetTreeRoot())) {
        const CXML* node = entry.node;
        CXML* topic = siteMap->AddChild("Topic");
        topic->SetAttr("Name", node->GetAttr("Name"));
        topic->SetAttr("XPosition", entry.level);
        std::string image = node->GetAttr("ImageNumber");
        if (!image.empty() && CMabString(image).GetInt() >= 0)
            topic->SetAttr("ImageNumber", CMabString(image).GetInt());
        std::string local = node->GetAttr("Local");
        if (!local.empty())
            topic->SetAttr("Local", ToProjectForm(local));
        for (const char* name : {"FrameName", "WindowName", "Comment"}) {
            std::string value = node->GetAttr(name);
            if (!value.empty())
                topic->SetAttr(name, value);
        }
        if (node->GetAttr("New") == "1")
            topic->SetAttr("New", "1");
        if (node->GetAttrInt("Type") == kMergeType)
            topic->SetAttr("Type", kMergeType);
    }
}

void CHHCFile::ReadXMLTree_Ver2(const CXML* element) {
    ReadXMLTree(element, true);
}

void CHHCFile::ReadXMLTree_Ver1(const CXML* element) {
    ReadXMLTree(element, false);
}

void CHHCFile::ReadXMLTree(const CXML* element, bool withTypes) {
    ReadSiteProperties(element, [this](const std::string& name, const std::string& value) {
        if (name == "ImageType")
            m_imageType = value;
        else if (name == "Window Styles")
            SetContentWindowStyle(static_cast<uint32_t>(mb::ParseHex(value)));
        else if (name == "Foreground")
            m_foreground = static_cast<uint32_t>(mb::ParseHex(value));
        else if (name == "Background")
            SetBackgroundColor(static_cast<uint32_t>(mb::ParseHex(value)));
    });
    mb::sitemap::SitemapEntries entries(
        &NodeOfTopic, [this](const std::string& value) { return FromProjectForm(value); });
    entries.AddAll(element);
    AddLoadedEntries(entries, withTypes);
}

CXML* CHHCFile::NodeOfTopic(const CXML& topic, const std::string& local) {
    CXML* node = CreateNode(AttrOf(&topic, "Name"), local);
    const std::string* image = topic.FindAttr("ImageNumber");
    node->SetAttr("ImageNumber", image ? CMabString(*image).GetInt() : -1);
    if (topic.GetAttrInt("Type") == kMergeType)
        node->SetAttr("Type", kMergeType);
    for (const char* name : {"FrameName", "WindowName", "Comment"}) {
        const std::string& value = AttrOf(&topic, name);
        if (!value.empty())
            node->SetAttr(name, value);
    }
    if (AttrOf(&topic, "New") == "1")
        node->SetAttr("New", "1");
    return node;
}

void CHHCFile::AddLoadedEntries(mb::sitemap::SitemapEntries& entries, bool withMergeEntries) {
    if (!withMergeEntries) {
        for (CXML* node : entries.Nodes())
            node->RemoveAttr("Type");
    }
    CSitemapFile::AddLoadedEntries(entries);
}

std::string CHHCFile::BuildHHCText() const {
    std::string text = "<HTML>\r\n<HEAD>\r\n</HEAD>\r\n<BODY>\r\n";
    AppendLine(text, 0, "<OBJECT type=\"text/site properties\">");
    if (!m_frameName.empty())
        FillParamString(text, 0, "FrameName", EncodeText(m_frameName));
    if (!m_windowName.empty())
        FillParamString(text, 0, "WindowName", EncodeText(m_windowName));
    FillParamString(text, 0, "ImageType", EncodeText(m_imageType));
    FillParamString(text, 0, "Window Styles", HexText(m_windowStyles));
    FillParamString(text, 0, "Foreground", HexText(m_foreground));
    FillParamString(text, 0, "Background", HexText(m_background));
    std::string face;
    long size = 0;
    unsigned char charset = 0;
    GetFont(face, size, charset);
    FillParamString(text, 0, "Font", EncodeText(FontText(face, size, charset)));
    AppendLine(text, 0, "</OBJECT>");

    // A merge entry is an object without a list item, standing right behind
    // the object of the entry it belongs to; `inner` is the depth of its
    // lines after the first. One that has entries below it (which only a
    // hand-made file can give it) is written as a list item, so that they
    // stay below it.
    auto isLoneMerge = [](const CXML* node) {
        return node->GetAttrInt("Type") == kMergeType && node->GetChildCount() == 0;
    };
    auto mergeParam = [&](const CXML* node, int depth) {
        std::string local = node->GetAttr("Local");
        if (!local.empty())
            FillParamString(text, depth, "Merge", EncodeLocal(ToSitemapForm(local)));
    };

    std::vector<LeveledEntry> entries = EntriesInOrder(GetTreeRoot());
    size_t next = 0;
    // Merge entries ahead of every other entry stand before the list.
    for (; next < entries.size() && isLoneMerge(entries[next].node); ++next) {
        AppendLine(text, 0, "<OBJECT type=\"text/sitemap\">");
        mergeParam(entries[next].node, 0);
        AppendLine(text, 0, "</OBJECT>");
    }
    ListWriter lists(text);
    for (; next < entries.size(); ++next) {
        const CXML* node = entries[next].node;
        if (isLoneMerge(node)) {
            // Read back, a merge object behind its parent's object becomes
            // that entry's child: it is written one level up.
            int depth = lists.MoveTo(entries[next].level - 1);
            AppendLine(text, depth, "<OBJECT type=\"text/sitemap\">");
            mergeParam(node, depth + 1);
            AppendLine(text, depth + 1, "</OBJECT>");
            continue;
        }
        int depth = lists.MoveTo(entries[next].level);
        AppendLine(text, depth, "<LI> <OBJECT type=\"text/sitemap\">");
        if (node->GetAttrInt("Type") == kMergeType) {
            mergeParam(node, depth + 1);
            AppendLine(text, depth + 1, "</OBJECT>");
            continue;
        }
        FillParamString(text, depth + 1, "Name", EncodeText(node->GetAttr("Name")));
        std::string local = node->GetAttr("Local");
        if (!local.empty())
            FillParamString(text, depth + 1, "Local", EncodeLocal(ToSitemapForm(local)));
        for (const char* name : {"FrameName", "WindowName", "Comment"}) {
            std::string value = node->GetAttr(name);
            if (!value.empty())
                FillParamString(text, depth + 1, name, EncodeText(value));
        }
        if (node->GetAttr("New") == "1")
            FillParamString(text, depth + 1, "New", "1");
        std::string image = node->GetAttr("ImageNumber");
        if (!image.empty() && CMabString(image).GetInt() >= 0)
            FillParamString(text, depth + 1, "ImageNumber",
                            std::to_string(CMabString(image).GetInt() + 1));
        AppendLine(text, depth + 1, "</OBJECT>");
    }
    lists.Finish();
    text += "</BODY>\r\n</HTML>\r\n";
    return text;
}

int CHHCFile::WriteHHCFile(const std::string& path) {
    return WriteCompilerFile(path, BuildHHCText());
}

#include "projectmodel/DecompiledProject.h"

#include "projectmodel/LegacyText.h"
#include "projectmodel/SitemapText.h"
#include "projectmodel/TextValues.h"

#include <algorithm>
#include <cstdio>

namespace mb::decompiled {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kDefaultLanguage = 1033;

class Decoder {
public:
    explicit Decoder(int languageId) : m_languageId(languageId) {}
    std::string operator()(const std::string& stored) const {
        return OneLine(ToUtf8FromLanguage(stored, m_languageId));
    }

private:
    int m_languageId;
};

std::string HexNumber(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
    return text;
}

// One line of [WINDOWS]: name="caption","toc","index","default","home",
// "jump 1 address","jump 1 text","jump 2 address","jump 2 text",properties,
// width,buttons,[left,top,right,bottom],styles,extended styles,show state,
// closed,tab,tab position,notification id. Numbers the file does not set
// stay empty, so that a reader keeps its defaults for them.
std::string WindowLine(const ChmWindowType& w, const Decoder& decode) {
    auto quoted = [&](const std::string& text) {
        std::string value = decode(text);
        std::replace(value.begin(), value.end(), '"', '\'');
        return value.empty() ? value : "\"" + value + "\"";
    };
    auto valid = [&](uint32_t bit, const std::string& text) {
        return (w.validMembers & bit) ? text : std::string();
    };
    using T = ChmWindowType;
    std::string rect = "[" + std::to_string(w.left) + "," + std::to_string(w.top) + "," +
                       std::to_string(w.right) + "," + std::to_string(w.bottom) + "]";
    std::string line = decode(w.name) + "=";
    const std::string items[] = {
        quoted(w.caption),
        quoted(w.toc),
        quoted(w.index),
        quoted(w.defaultFile),
        quoted(w.home),
        quoted(w.jump1Url),
        quoted(w.jump1Text),
        quoted(w.jump2Url),
        quoted(w.jump2Text),
        valid(T::kValidProperties, HexNumber(w.properties)),
        valid(T::kValidNavWidth, std::to_string(w.navWidth)),
        valid(T::kValidToolbar, HexNumber(w.toolbarFlags)),
        valid(T::kValidRect, rect),
        valid(T::kValidStyles, HexNumber(w.styles)),
        valid(T::kValidExStyles, HexNumber(w.exStyles)),
        valid(T::kValidShowState, std::to_string(w.showState)),
        valid(T::kValidExpansion, std::to_string(w.notExpanded)),
        valid(T::kValidCurrentTab, std::to_string(w.currentTab)),
        valid(T::kValidTabPos, std::to_string(w.tabPos)),
        std::to_string(w.notifyId),
    };
    for (size_t i = 0; i < std::size(items); ++i)
        line += (i ? "," : "") + items[i];
    return line;
}

void AddOption(std::string& out, const char* key, const std::string& value) {
    if (!value.empty())
        out += std::string(key) + value + kCrLf;
}

std::string SitemapHead() {
    return "<HTML>\r\n<HEAD>\r\n</HEAD>\r\n<BODY>\r\n";
}

// A keyword of the index as the .hhk gives it: one entry with all its
// topics.
struct IndexKeyword {
    int level = 0;
    std::string name;
    std::string seeAlso;
    std::vector<ChmTopic> topics;
};

// The keywords of a binary index, one per keyword. A compiler may store a
// keyword that leads to several topics as several entries of the same name
// (chmcmd does, for the same keyword listed several times): an entry named
// like the keyword before it at its level, under the same parent, adds its
// topics to that one. Topics without a page lead nowhere and are left out;
// a level deeper than one below the entry before is taken as one below.
std::vector<IndexKeyword> MergedKeywords(const std::vector<ChmKeyword>& entries) {
    std::vector<IndexKeyword> keywords;
    std::vector<size_t> lastAtLevel; // the keyword last placed at each level
    for (const ChmKeyword& entry : entries) {
        size_t level = std::min<size_t>(entry.level, lastAtLevel.size());
        std::string name = OneLine(entry.name);
        IndexKeyword* keyword = nullptr;
        if (level < lastAtLevel.size() && keywords[lastAtLevel[level]].name == name) {
            keyword = &keywords[lastAtLevel[level]];
        } else {
            lastAtLevel.resize(level);
            lastAtLevel.push_back(keywords.size());
            keyword = &keywords.emplace_back();
            keyword->level = static_cast<int>(level);
            keyword->name = name;
        }
        if (keyword->seeAlso.empty())
            keyword->seeAlso = entry.seeAlso;
        for (const ChmTopic& topic : entry.topics) {
            if (!topic.local.empty())
                keyword->topics.push_back(topic);
        }
    }
    return keywords;
}

} // namespace

int LanguageOf(const ChmProjectStreams& streams) {
    uint32_t id = streams.system.languageId;
    return id > 0 && id <= 0xFFFF ? static_cast<int>(id) : kDefaultLanguage;
}

std::string ProjectText(const ChmProjectStreams& streams, const ProjectNames& names) {
    const ChmSystemInfo& system = streams.system;
    Decoder decode(LanguageOf(streams));
    std::string out = "[OPTIONS]";
    out += kCrLf;
    AddOption(out, "Compatibility=", "1.1 or later");
    AddOption(out, "Compiled file=", names.compiledFile);
    AddOption(out, "Contents file=", names.contentsFile);
    AddOption(out, "Index file=", names.indexFile);
    AddOption(out, "Default topic=", decode(system.defaultTopic));
    AddOption(out, "Default Window=", decode(system.defaultWindow));
    AddOption(out, "Default Font=", decode(system.defaultFont));
    // Written either way, so that a project's defaults do not stand in for
    // what the help file says.
    AddOption(out, "Full-text search=", system.fullTextSearch ? "Yes" : "No");
    AddOption(out, "Binary TOC=", streams.hasBinaryToc ? "Yes" : "No");
    AddOption(out, "Binary Index=", streams.hasBinaryIndex ? "Yes" : "No");
    AddOption(out, "Language=", system.languageId ? HexNumber(LanguageOf(streams)) : "");
    AddOption(out, "Title=", decode(system.title));

    out += kCrLf;
    out += "[WINDOWS]";
    out += kCrLf;
    for (const ChmWindowType& window : streams.windows) {
        if (!window.name.empty())
            out += WindowLine(window, decode) + kCrLf;
    }

    out += kCrLf;
    out += "[FILES]";
    out += kCrLf;
    for (std::string file : streams.files) {
        std::replace(file.begin(), file.end(), '/', '\\');
        out += OneLine(file) + kCrLf;
    }
    return out;
}

std::string ContentsText(const std::vector<ChmTocEntry>& entries, int languageId) {
    using namespace mb::sitemap;
    Decoder decode(languageId);
    std::string text = SitemapHead();
    ListWriter lists(text);
    for (const ChmTocEntry& entry : entries) {
        int depth = lists.MoveTo(entry.level);
        AppendLine(text, depth, "<LI> <OBJECT type=\"text/sitemap\">");
        FillParamString(text, depth + 1, "Name", EncodeText(decode(entry.name)));
        if (!entry.local.empty())
            FillParamString(text, depth + 1, "Local", EncodeLocal(decode(entry.local)));
        AppendLine(text, depth + 1, "</OBJECT>");
    }
    lists.Finish();
    text += "</BODY>\r\n</HTML>\r\n";
    return text;
}

std::string IndexText(const std::vector<ChmKeyword>& keywords, int languageId) {
    using namespace mb::sitemap;
    Decoder decode(languageId);
    std::string text = SitemapHead();
    ListWriter lists(text);
    for (const IndexKeyword& keyword : MergedKeywords(keywords)) {
        int depth = lists.MoveTo(keyword.level);
        AppendLine(text, depth, "<LI> <OBJECT type=\"text/sitemap\">");
        FillParamString(text, depth + 1, "Name", EncodeText(keyword.name));
        if (!keyword.seeAlso.empty())
            FillParamString(text, depth + 1, "See Also", EncodeText(OneLine(keyword.seeAlso)));
        for (const ChmTopic& topic : keyword.topics) {
            // A keyword with one topic opens it at once: the topic's title
            // is never shown, and a hand-written index names just the page.
            if (keyword.topics.size() > 1) {
                std::string title = decode(topic.title);
                FillParamString(text, depth + 1, "Name",
                                EncodeText(title.empty() ? keyword.name : title));
            }
            FillParamString(text, depth + 1, "Local", EncodeLocal(decode(topic.local)));
        }
        AppendLine(text, depth + 1, "</OBJECT>");
    }
    lists.Finish();
    text += "</BODY>\r\n</HTML>\r\n";
    return text;
}

} // namespace mb::decompiled

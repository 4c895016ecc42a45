#include "app/core/HelpBook.h"

#include "baseutil/Xml.h"
#include "compiledhelp/CHMFileRW.h"
#include "compiledhelp/ChmProjectStreams.h"
#include "compiledhelp/SitemapScanner.h"
#include "markup/HtmlEntities.h"
#include "projectmodel/LegacyText.h"

#include <cstring>
#include <filesystem>
#include <strings.h>

namespace mb {
namespace {

bool StartsWithNoCase(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && strncasecmp(text.c_str(), start.c_str(), start.size()) == 0;
}

// The parameters of a sitemap object, in order, values decoded.
std::vector<std::pair<std::string, std::string>> ParamsOf(const CXML& object) {
    std::vector<std::pair<std::string, std::string>> params;
    for (int i = 0; i < object.GetChildCount(); ++i) {
        const CXML* param = object.GetChildAt(i);
        if (param->GetTagName() == "PARAM")
            params.emplace_back(param->GetAttr("name"),
                                html::DecodeReferences(std::string(param->GetAttr("value"))));
    }
    return params;
}

// Calls `item` with each sitemap object of the list tree below `node` and
// the depth of lists it stands in (1 for the top list).
template <class Item>
void ForEachObject(const CXML& node, int lists, Item&& item) {
    for (int i = 0; i < node.GetChildCount(); ++i) {
        const CXML& child = *node.GetChildAt(i);
        const std::string& tag = child.GetTagName();
        if (tag == "OBJECT") {
            if (strcasecmp(std::string(child.GetAttr("type")).c_str(), "text/sitemap") == 0)
                item(child, lists);
            continue;
        }
        ForEachObject(child, tag == "UL" ? lists + 1 : lists, item);
    }
}

// The sitemap stream `name` of the open file, in UTF-8, scanned; false
// when the file has no such stream.
bool ReadSitemap(CCHMFileRW& reader, const std::string& name, int languageId,
                 const std::string& chmFileName, CXML& root) {
    std::string text;
    if (name.empty() || reader.CHM_GetStream(name, text, true) <= 0)
        return false;
    ScanSitemap(ToUtf8FromLanguage(text, languageId), root, "Sitemap", chmFileName);
    return true;
}

void ContentsFromSitemap(const CXML& root, const std::string& chmFileName, HelpBook& book) {
    ForEachObject(root, 0, [&](const CXML& object, int lists) {
        HelpBook::Entry entry;
        entry.level = std::max(0, lists - 1);
        for (const auto& [name, value] : ParamsOf(object)) {
            if (strcasecmp(name.c_str(), "name") == 0 && entry.name.empty())
                entry.name = value;
            else if (strcasecmp(name.c_str(), "local") == 0 && entry.page.empty())
                entry.page = PageOfLink(value, chmFileName);
        }
        book.contents.push_back(std::move(entry));
    });
}

void IndexFromSitemap(const CXML& root, const std::string& chmFileName, HelpBook& book) {
    ForEachObject(root, 0, [&](const CXML& object, int lists) {
        HelpBook::Keyword keyword;
        keyword.level = std::max(0, lists - 1);
        bool named = false;
        for (const auto& [name, value] : ParamsOf(object)) {
            bool isName = strcasecmp(name.c_str(), "name") == 0 ||
                          strcasecmp(name.c_str(), "keyword") == 0;
            if (isName && !named) {
                keyword.name = value;
                named = true;
            } else if (isName) {
                keyword.topics.push_back({value, {}}); // a titled topic; its page follows
            } else if (strcasecmp(name.c_str(), "local") == 0 && !value.empty()) {
                if (keyword.topics.empty() || !keyword.topics.back().page.empty())
                    keyword.topics.push_back({{}, {}});
                keyword.topics.back().page = PageOfLink(value, chmFileName);
            } else if (strcasecmp(name.c_str(), "see also") == 0) {
                keyword.seeAlso = value;
            }
        }
        if (named)
            book.index.push_back(std::move(keyword));
    });
}

} // namespace

std::string PageOfLink(const std::string& link, const std::string& chmFileName) {
    std::string page = link;
    for (const char* scheme : {"ms-its:", "mk:@msitstore:", "its:"}) {
        if (!StartsWithNoCase(page, scheme))
            continue;
        size_t separator = page.find("::");
        if (separator == std::string::npos)
            return link;
        std::string file = page.substr(std::strlen(scheme), separator - std::strlen(scheme));
        std::string name = file.substr(file.find_last_of("/\\") + 1); // Windows paths too
        if (strcasecmp(name.c_str(), chmFileName.c_str()) != 0)
            return link; // a page of another help file
        page = page.substr(separator + 2);
        break;
    }
    size_t colon = page.find(':');
    if (colon != std::string::npos && page.find_first_of("/#?") > colon)
        return link; // an address with a scheme of its own (http:, mailto:)
    for (char& c : page)
        c = c == '\\' ? '/' : c;
    return page.empty() || page[0] == '/' ? page : "/" + page;
}

bool ReadHelpBook(const std::string& chmPath, HelpBook& book, std::string& error) {
    book = HelpBook();
    CCHMFileRW reader;
    if (!reader.CHM_SetCHMFile(chmPath)) {
        error = ItsResultText(reader.GetLastResult());
        return false;
    }
    CItsFile file;
    file.OpenITS(chmPath);
    ChmProjectStreams streams = ReadProjectStreams(file);
    const ChmSystemInfo& system = streams.system;
    book.languageId = system.languageId ? static_cast<int>(system.languageId) : 1033;
    auto text = [&book](const std::string& stored) {
        return ToUtf8FromLanguage(stored, book.languageId);
    };
    const std::string chmFileName = std::filesystem::path(chmPath).filename().string();

    const ChmWindowType* window = nullptr;
    for (const ChmWindowType& type : streams.windows)
        if (!window || strcasecmp(type.name.c_str(), system.defaultWindow.c_str()) == 0)
            window = &type;
    book.caption = text(window && !window->caption.empty() ? window->caption : system.title);
    std::string defaultTopic = window && !window->defaultFile.empty() ? window->defaultFile
                                                                       : system.defaultTopic;
    book.defaultTopic = PageOfLink(text(defaultTopic), chmFileName);
    if (window) {
        book.home = PageOfLink(text(window->home), chmFileName);
        book.jump1Text = text(window->jump1Text);
        book.jump1Page = PageOfLink(text(window->jump1Url), chmFileName);
        book.jump2Text = text(window->jump2Text);
        book.jump2Page = PageOfLink(text(window->jump2Url), chmFileName);
        if (window->validMembers & ChmWindowType::kValidNavWidth)
            book.navigationWidth = window->navWidth;
    }
    if (book.home.empty())
        book.home = book.defaultTopic;

    auto sitemapName = [&](const std::string& named, const std::string& ofWindow, bool contents) {
        std::string name = !named.empty() ? named : ofWindow;
        if (name.empty())
            (contents ? reader.CHM_FindHHCAtRoot(name) : reader.CHM_FindHHKAtRoot(name));
        return name;
    };
    CXML root("Sitemap");
    if (ReadSitemap(reader, sitemapName(system.contentsFile, window ? window->toc : "", true),
                    book.languageId, chmFileName, root)) {
        ContentsFromSitemap(root, chmFileName, book);
    } else {
        for (const ChmTocEntry& entry : streams.contents)
            book.contents.push_back(
                {entry.level, text(entry.name), PageOfLink(text(entry.local), chmFileName)});
    }
    if (ReadSitemap(reader, sitemapName(system.indexFile, window ? window->index : "", false),
                    book.languageId, chmFileName, root)) {
        IndexFromSitemap(root, chmFileName, book);
    } else {
        for (const ChmKeyword& keyword : streams.index) {
            HelpBook::Keyword entry{keyword.level, keyword.name, keyword.seeAlso, {}};
            for (const ChmTopic& topic : keyword.topics)
                entry.topics.push_back({text(topic.title), PageOfLink(text(topic.local), chmFileName)});
            book.index.push_back(std::move(entry));
        }
    }
    return true;
}

} // namespace mb

// Converting a help file into pages for handheld screens: the index pages
// made from the contents sitemap and the icons they show.

#include "compiledhelp/CHMFileRW.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Path.h"
#include "baseutil/Xml.h"
#include "compiledhelp/ChmIcons.h"
#include "compiledhelp/ElementRules.h"
#include "compiledhelp/StorageDumper.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char* const kIndexTitle = "Online help";
const char* const kTableColor = "#85A4C2";
const char* const kCurrentPageColor = "#1F4C7C";
const char* const kCurrentPageTextColor = "#ffffff";
const char* const kPageListColor = "#ffffff";

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

struct Entry {
    std::string title;
    std::string topic;
    int image = 0;
    bool hasImage = false;
};

Entry ReadEntry(CXML* item, CXML* object) {
    Entry entry;
    for (int i = 0; i < object->GetChildCount(); ++i) {
        CXML* param = object->GetChildAt(i);
        if (param->GetTagName() != "PARAM")
            continue;
        std::string name = mb::chm::LowerAscii(param->GetAttr("name"));
        if (name == "name") {
            entry.title = param->GetAttr("value");
        } else if (name == "local") {
            entry.topic = param->GetAttr("value");
        } else if (name == "imagenumber") {
            entry.image = std::atoi(param->GetAttr("value").c_str());
            entry.hasImage = true;
        }
    }
    if (!entry.hasImage)
        entry.image = item->GetChildByTagName("UL") ? 2 : 9;
    return entry;
}

} // namespace

bool CCHMFileRW::CHM2PDA(const std::string& chmPath, const std::string& outputFolder,
                         const std::string& indexFileName) {
    m_usedImages.clear();
    m_filesWritten = 0;
    m_pages.clear();
    m_topics.clear();
    m_topicIndex.clear();
    m_chmFileName = FileNameOf(chmPath);
    if (outputFolder.empty()) {
        std::string title = m_chmFileName.substr(0, m_chmFileName.find_last_of('.'));
        m_root = FolderOf(chmPath) + title + "_marrow/";
    } else {
        m_root = CPath::AddBackSlash(outputFolder, true);
    }
    m_sourceFolder = m_root + "source";
    m_indexFileName = indexFileName;
    m_indexPath = m_root + indexFileName;

    if (!CHM_SetCHMFile(chmPath)) {
        mb::LogProblem(m_channels.log,
                       "\r\ncannot open " + chmPath + ": " + ItsResultText(m_lastResult) + "\n");
        return false;
    }
    CXML sitemap;
    std::vector<std::string> topicFiles;
    bool hasContents = CHM_GetHHCInfo(&sitemap, topicFiles);
    if (!hasContents)
        mb::LogProblem(m_channels.log,
                       "\r\n" + chmPath +
                           " has no contents file (.hhc) at its root: no index pages were made\n");

    std::string reason;
    if (!CPath::CreateDir(m_root, &reason) || !CPath::CreateDir(m_sourceFolder, &reason)) {
        ReportUncreatableFile(m_replaceGuard, m_root, reason);
        return false;
    }
    bool indexed = !hasContents || CHM2PDA_CreateIndexPage(&sitemap, m_indexPath);
    std::string images = m_root + "images";
    bool pictured = CPath::CreateDir(images, &reason) && CHM2PDA_CreateImages(images);
    if (!pictured && !reason.empty())
        ReportUncreatableFile(m_replaceGuard, images, reason);
    bool copied = CHM2PDA_Decompile(m_sourceFolder) == 0;
    bool damaged = ReportDamage();
    return hasContents && indexed && pictured && copied && !damaged;
}

bool CCHMFileRW::CHM2PDA_CreateIndexPage(CXML* sitemap, const std::string& indexPath) {
    m_pages.clear();
    m_topics.clear();
    m_currentPage.clear();
    m_entryCount = 0;
    CHM2PDA_SplitHHC(sitemap, 0, kEntriesPerPage);
    if (!m_currentPage.empty())
        m_pages.push_back(std::move(m_currentPage));
    m_currentPage.clear();
    IndexTopicList();

    std::string folder = FolderOf(indexPath);
    // Every index page links to all others: the links are made once.
    std::vector<std::string> links;
    links.reserve(m_pages.size());
    for (int page = 0; page < static_cast<int>(m_pages.size()); ++page)
        links.push_back("          <a href=\"" + CHM_GetIndexPageFilename(page) + "\">" +
                        std::to_string(page + 1) + "</a>\r\n");
    bool written = true;
    for (int page = 0; page < static_cast<int>(m_pages.size()); ++page) {
        std::string text = "<HTML>\r\n  <HEAD>\r\n    <TITLE>";
        text += kIndexTitle;
        text += "</TITLE>\r\n  </HEAD>\r\n  <BODY bgcolor=\"" + m_backColor + "\">\r\n";
        CHM2PDA_CreateNavigateTableForIndexPage(page, links, text);
        text += m_pages[page];
        CHM2PDA_OutputIndexPageTail(text, page, links);
        std::string path = page == 0 ? indexPath : folder + CHM_GetIndexPageFilename(page);
        written = SaveDataToFile(text, path, m_replaceGuard) == 0 && written;
    }
    return written;
}

void CCHMFileRW::CHM2PDA_SplitHHC(CXML* element, int indent, int perPage) {
    const std::string& tag = element->GetTagName();
    if (tag == "UL")
        indent += 10;
    else if (tag == "OBJECT")
        return;
    CXML* object = tag == "LI" ? element->GetChildByTagName("OBJECT") : nullptr;
    if (object) {
        Entry entry = ReadEntry(element, object);
        if (mb::chm::IsInternetLink(entry.topic))
            return;
        CHM2PDA_AddUsedImage(entry.image);
        std::string& page = m_currentPage;
        page += "    <table><tr>\r\n      <td width=\"" + std::to_string(indent) +
                "\" valign=\"top\" align=\"right\" nowrap>\t\t\t\t<img src=\"images/" +
                std::to_string(entry.image) + ".gif\" width=\"16\" height=\"16\"></td>\r\n";
        if (!entry.topic.empty()) {
            page += "      <td align=left><a href=\"source/" + entry.topic + "\">" + entry.title +
                    "</a>\t\t\t\t\t</td>\r\n";
            std::string topic = entry.topic;
            std::replace(topic.begin(), topic.end(), '\\', '/');
            m_topics.push_back(m_sourceFolder + "/" + topic);
        } else {
            page += "      <td align=left>" + entry.title + "</td>\r\n";
        }
        page += "    </tr></table>\r\n\r\n";
        if (++m_entryCount % perPage == 0) {
            m_pages.push_back(std::move(m_currentPage));
            m_currentPage.clear();
        }
    }
    for (int i = 0; i < element->GetChildCount(); ++i)
        CHM2PDA_SplitHHC(element->GetChildAt(i), indent, perPage);
}

std::string CCHMFileRW::CHM_GetIndexPageFilename(int page) const {
    return page == 0 ? m_indexFileName : "page" + std::to_string(page + 1) + ".html";
}

void CCHMFileRW::CHM_GetPrevNextURL(int page, std::string& previous, std::string& next) const {
    previous = page > 0 ? CHM_GetIndexPageFilename(page - 1) : std::string();
    next = page + 1 < static_cast<int>(m_pages.size()) ? CHM_GetIndexPageFilename(page + 1)
                                                       : std::string();
}

void CCHMFileRW::CHM2PDA_CreateNavigateTableForIndexPage(int page,
                                                         const std::vector<std::string>& links,
                                                         std::string& text) const {
    text += std::string("    <table bgcolor=\"") + kTableColor + "\" border=\"1\" bordercolor=\"" +
            kTableColor + "\" cellspacing=\"1\" cellpadding=\"2\" width=\"100%\">\r\n";
    text += "      <tr>\r\n";
    text += std::string("        <td bgcolor=\"") + kCurrentPageColor + "\">\r\n";
    text += std::string("          <font color=\"") + kCurrentPageTextColor + "\"><b>&nbsp;" +
            std::to_string(page + 1) + "&nbsp;</b></font>\r\n";
    text += "        <td>\r\n";
    text += std::string("        <td bgcolor=\"") + kPageListColor + "\" width=\"100%\">\r\n";
    for (int j = 0; j < static_cast<int>(links.size()); ++j) {
        if (j == page)
            text += "          " + std::to_string(j + 1) + "\r\n";
        else
            text += links[j];
    }
    text += "        </td>\r\n";
    text += "        <td align=\"right\" nowrap>\r\n";
    std::string previous;
    std::string next;
    CHM_GetPrevNextURL(page, previous, next);
    const std::string back = "<font color=\"#FFFFFF\"><b>&lt;</b></font>";
    const std::string forward = "<font color=\"#FFFFFF\"><b>&gt;</b></font>";
    text +=
        "          " + (previous.empty() ? back : "<a href=\"" + previous + "\">" + back + "</a>");
    text +=
        "          " + (next.empty() ? forward : "<a href=\"" + next + "\">" + forward + "</a>");
    text += "        </td>\r\n";
    text += "      </tr>\r\n";
    text += "    </table>\r\n\r\n";
}

void CCHMFileRW::CHM2PDA_OutputIndexPageTail(std::string& text, int page,
                                             const std::vector<std::string>& links) const {
    CHM2PDA_CreateNavigateTableForIndexPage(page, links, text);
    text += "  </BODY>\r\n</HTML>";
}

void CCHMFileRW::CHM2PDA_AddUsedImage(int number) {
    auto image = static_cast<uint16_t>(number);
    if (std::find(m_usedImages.begin(), m_usedImages.end(), image) == m_usedImages.end())
        m_usedImages.push_back(image);
}

bool CCHMFileRW::CHM2PDA_CreateImages(const std::string& folder) {
    bool written = true;
    for (uint16_t number : m_usedImages) {
        std::string_view gif = ChmIconGif(number);
        if (gif.empty())
            continue;
        std::string path = folder + "/" + std::to_string(number) + ".gif";
        written = SaveDataToFile(gif, path, m_replaceGuard) == 0 && written;
    }
    return written;
}

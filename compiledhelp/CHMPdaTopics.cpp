// Copying the topics of a help file for the handheld pages: every page gets
// a navigation bar (index, previous and next topic in contents order) at the
// top and the bottom of its body, and loses its scripts.

#include "compiledhelp/CHMFileRW.h"

#include "commonkit/StringTable.h"
#include "compiledhelp/ElementRules.h"
#include "compiledhelp/StorageDumper.h"
#include "markup/HTMLHelper.h"

#include <climits>
#include <cstring>
#include <filesystem>

namespace {

const char* const kBarColor = "#396DA5";
const char* const kBarFont =
    "<font style=\"font-family:Verdana;font-size:10.0pt;\" color=\"#FFFFFF\">";
const char* const kBarLinkStyle = "\" style=\"text-decoration:underline;\">";

bool IsHtmlTopic(const std::string& path) {
    return mb::chm::EndsWithNoCase(path, ".htm") || mb::chm::EndsWithNoCase(path, ".html");
}

// `target` as a link from a page in `folder`: relative, "/" separators.
std::string RelativeLink(const std::string& target, const std::string& folder) {
    std::string link = std::filesystem::path(target)
                           .lexically_relative(std::filesystem::path(folder))
                           .generic_string();
    return link.empty() ? target : link;
}

std::string BarCell() {
    return std::string("    <td style=\"border-style:none;background:") + kBarColor +
           ";height:25;vertical-align:middle;\">\r\n";
}

std::string BarLink(const std::string& href, const char* label) {
    std::string mark = std::string(kBarFont) + "<b>" + label + "</b></font>";
    return href.empty() ? mark : "<a href=\"" + href + kBarLinkStyle + mark + "</a>";
}

// Removes [from, to) from the text and from its upper-cased copy.
void Erase(std::string& text, std::string& upper, size_t from, size_t to) {
    text.erase(from, to - from);
    upper.erase(from, to - from);
}

} // namespace

int CCHMFileRW::CHM2PDA_Decompile(const std::string& folder) {
    CStorageDumper dumper(
        {false, false, true},
        [this](const CItsStream& stream, const std::string& path) {
            return CHM2PDA_SaveSub(stream, path);
        },
        m_replaceGuard, m_stop, Workers());
    int result = dumper.Dump(m_file.pStorage(), folder);
    m_filesWritten = dumper.Written();
    m_workersUsed = dumper.WorkersUsed();
    return result;
}

int CCHMFileRW::CHM2Web_Decompile(const std::string& folder) {
    if (!m_file.IsOpen())
        return 1;
    CStorageDumper dumper(
        {false, false, true},
        [this](const CItsStream& stream, const std::string& path) {
            return SaveStreamToFile(stream, path, m_replaceGuard, m_stop);
        },
        m_replaceGuard, m_stop, Workers());
    return dumper.Dump(m_file.pStorage(), folder);
}

int CCHMFileRW::CHM2PDA_SaveSub(const CItsStream& stream, const std::string& path) {
    if (!IsHtmlTopic(path))
        return SaveStreamToFile(stream, path, m_replaceGuard, m_stop);
    std::string text;
    if (int result = stream.ReadAll(text); result != kItsOk) {
        ReportUnreadableStream(m_channels.log, path, stream.Size(), result);
        return 1;
    }
    text.resize(strnlen(text.data(), text.size()));
    text = CHM2PDA_RemoveSomething(std::move(text), path);
    return SaveDataToFile(text, path, m_replaceGuard);
}

std::string CCHMFileRW::CHM2PDA_RemoveSomething(std::string text, const std::string& path) const {
    std::string upper = mb::chm::UpperAscii(text);
    size_t html = upper.find("<HTML");
    if (html != std::string::npos)
        Erase(text, upper, 0, html);

    const std::string open = "<SCRIPT";
    const std::string close = "</SCRIPT>";
    for (size_t from = 0;;) {
        size_t start = upper.find(open, from);
        if (start == std::string::npos)
            break;
        size_t end = upper.find(close, start);
        if (end == std::string::npos)
            break;
        Erase(text, upper, start, end + close.size());
        // The text joined at `start` may form a new marker that begins
        // a little before it.
        from = start - std::min(start, open.size() - 1);
    }

    std::string bar = CHM2PDA_CreateNavigateTableForHtmlPage(path);
    size_t body = upper.find("<BODY");
    size_t bodyEnd = body == std::string::npos ? body : upper.find('>', body);
    if (bodyEnd != std::string::npos) {
        std::string replacement = "<BODY bgcolor=\"white\">\r\n" + bar;
        text.replace(body, bodyEnd + 1 - body, replacement);
        upper.replace(body, bodyEnd + 1 - body, mb::chm::UpperAscii(replacement));
    }
    size_t bodyClose = upper.find("</BODY>");
    if (bodyClose != std::string::npos)
        text.insert(bodyClose, bar);
    return text;
}

std::string CCHMFileRW::CHM2PDA_CreateNavigateTableForHtmlPage(const std::string& path) const {
    std::string folder = path.substr(0, path.find_last_of('/') + 1);
    PrevNext links = CHM2PDA_GetPrevNextFile(path);
    std::string index = m_pages.empty() ? std::string() : RelativeLink(m_indexPath, folder);
    std::string previous =
        links.previous.empty() ? links.previous : RelativeLink(links.previous, folder);
    std::string next = links.next.empty() ? links.next : RelativeLink(links.next, folder);

    std::string bar = "\r\n\r\n<!-- below section was added by " +
                      CStrHelper::ML_GetStringEx(kStrProductName) + " -->\r\n";
    bar += std::string("<table bgcolor=\"") + kBarColor +
           "\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\" "
           "style=\"border-style:none;width:100%;height:25;\">\r\n";
    bar += "  <tr>\r\n";
    bar += BarCell() + "      " + BarLink(index, "Index") + "\r\n" + "    </td>\r\n";
    bar += std::string("    <td width=100% style=\"border-style:none;background:") + kBarColor +
           ";height:25;vertical-align:middle;\">\r\n    </td>\r\n";
    bar += BarCell() + BarLink(previous, "&lt;") + "    </td>\r\n";
    bar += BarCell() + BarLink(next, "&gt;") + "    </td>\r\n";
    bar += "  </tr>\r\n</table>\r\n<!-- end -->\r\n\r\n";
    return bar;
}

void CCHMFileRW::IndexTopicList() {
    m_topicFiles.clear();
    m_topicIndex.clear();
    for (size_t k = 0; k < m_topics.size(); ++k) {
        std::string file = CHTMLHelper::HTMLDecode2(m_topics[k]);
        m_topicFiles.push_back(file.size() < PATH_MAX ? file : std::string());
        // Contents entries may point at an anchor inside their page.
        std::string key = mb::chm::LowerAscii(file.substr(0, file.find('#')));
        m_topicIndex.emplace(key, k);
    }
}

CCHMFileRW::PrevNext CCHMFileRW::CHM2PDA_GetPrevNextFile(const std::string& path) const {
    PrevNext links;
    auto found = m_topicIndex.find(mb::chm::LowerAscii(path));
    if (found == m_topicIndex.end())
        return links;
    size_t k = found->second;
    if (k > 0)
        links.previous = m_topicFiles[k - 1];
    if (k + 1 < m_topicFiles.size())
        links.next = m_topicFiles[k + 1];
    return links;
}

#include "archiveview/ArchivePages.h"

#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "commonkit/WindowTexts.h"
#include "compiledhelp/ItsAddress.h"
#include "compiledhelp/SitemapScanner.h"
#include "markup/HTMLHelper.h"

#include <algorithm>

namespace mb::archive {

namespace {

std::string Text(const std::string& text) {
    return CHTMLHelper::HTMLEncode(text);
}

std::string Framed(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + Text(title) +
           "</title>\n<style>body{font-family:sans-serif;margin:1em}"
           "pre{white-space:pre-wrap;font-family:monospace}</style></head>\n<body>\n" +
           body + "\n</body></html>\n";
}

bool IsLinkToPage(const std::string& local) {
    return !local.empty() && local.find(':') == std::string::npos;
}

std::string ParamOf(const CXML* object, const char* name) {
    for (int i = 0; i < object->GetChildCount(); ++i) {
        const CXML* param = object->GetChildAt(i);
        if (param->GetTagName() == "PARAM" && param->GetAttr("name") == std::string(name))
            return param->GetAttr("value");
    }
    return {};
}

void ListEntries(const CXML* element, const std::string& chmPath, std::string& out) {
    for (int i = 0; i < element->GetChildCount(); ++i) {
        const CXML* child = element->GetChildAt(i);
        const std::string& tag = child->GetTagName();
        if (tag == "OBJECT")
            continue;
        if (tag == "UL") {
            out += "<ul>\n";
            ListEntries(child, chmPath, out);
            out += "</ul>\n";
        } else if (tag == "LI") {
            out += "<li>";
            if (const CXML* object = child->GetChildByTagName("OBJECT")) {
                std::string name = CHTMLHelper::HTMLDecodeParamName(ParamOf(object, "Name"));
                std::string local = CHTMLHelper::HTMLDecodeParamLocal(ParamOf(object, "Local"));
                if (IsLinkToPage(local))
                    out += "<a href=\"" +
                           Text(MakeItsAddress(chmPath, NormalizeStreamPath(local))) + "\">" +
                           Text(name) + "</a>";
                else
                    out += Text(name);
            }
            out += "\n";
            ListEntries(child, chmPath, out);
            out += "</li>\n";
        } else {
            ListEntries(child, chmPath, out);
        }
    }
}

} // namespace

std::string WelcomePage(const std::string& chmPath) {
    return Framed(chmPath, "<h2>" + Text(chmPath) + "</h2>");
}

std::string FailurePage(const std::string& chmPath, const std::string& reason) {
    return Framed(chmPath, "<h2>" + Text(chmPath) + "</h2>\n<p>" +
                               Text(CStrHelper::ML_GetStringEx(kStrFileNotReadable)) + "</p>\n<p>" +
                               Text(reason) + "</p>");
}

std::string StoragePage(const std::string& local) {
    return Framed(local, "<h3>" + Text(local) + "</h3>");
}

std::string PlainTextPage(const std::string& name, const std::string& text) {
    return Framed(name, "<pre>" + Text(text) + "</pre>");
}

std::string BinaryPage(const std::string& name, size_t size) {
    return Framed(name, "<h3>" + Text(name) + "</h3>\n<p>" +
                            Text(FilledText(kStrBinaryFileSize, {std::to_string(size)})) + "</p>");
}

bool LooksLikeText(const std::string& data) {
    return data.find('\0') >= std::min<size_t>(data.size(), 8192);
}

std::string SitemapPage(const std::string& name, const std::string& sitemapText,
                        const std::string& chmPath) {
    CXML root;
    ScanSitemap(sitemapText, root, "SITEMAP", "");
    std::string list;
    ListEntries(&root, chmPath, list);
    return Framed(name, "<h3>" + Text(name) + "</h3>\n" + list);
}

} // namespace mb::archive

// Tokenizes a generated HTML page of about 20 MB (nested tags with quoted
// and unquoted attributes, character references, comments and text) with
// CLiteHTMLReader, all events on, and with libxml2's HTML SAX parser on the
// same bytes, and prints both throughputs. Target: at least 2x libxml2.

#include "markup/LiteHTMLReader.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

std::string MakePage(std::size_t targetBytes) {
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                       "<meta name=\"keywords\" content=\"alpha, beta, gamma\">"
                       "<title>Generated page</title></head>\n<body bgcolor=white>\n";
    static const char* const kTags[] = {"div", "p", "span", "b", "em", "li"};
    char buffer[768];
    int open = 0;
    const char* stack[16];
    for (unsigned i = 0; page.size() < targetBytes; ++i) {
        const char* tag = kTags[i % 6];
        std::snprintf(buffer, sizeof buffer,
                      "<%s class=\"c%u item\" id=n%u title='Topic %u &amp; notes'>"
                      "Section %u: the &quot;widget&quot; panel &lt;settings&gt; &#169; text "
                      "that runs on for a while, caf&eacute; na&#xEF;ve ",
                      tag, i % 17, i, i, i);
        page += buffer;
        stack[open++] = tag;
        if (i % 7 == 3) {
            std::snprintf(buffer, sizeof buffer,
                          "<a href=\"topics/chapter%03u/page_%u.htm#anchor\" target=_blank>"
                          "link %u</a><img src=\"My%%20Page_files/image%u.gif\" width=32 "
                          "height=\"32\" alt=\"\"/><br/>\n",
                          i % 101, i, i, i % 13);
            page += buffer;
        }
        if (i % 11 == 5)
            page += "<!-- generated comment with <b>markup</b> inside -->\n";
        // Keep between 1 and 12 elements open, closing some on the way.
        if (open < 12 && i % 3 != 2)
            continue;
        for (int close = 0; close < 1 + static_cast<int>(i % 4 == 0) && open > 0; ++close) {
            page += "</";
            page += stack[--open];
            page += ">\n";
        }
    }
    while (open > 0) {
        page += "</";
        page += stack[--open];
        page += ">";
    }
    page += "\n</body></html>\n";
    return page;
}

double BestOf(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// Counts what it is told, as a real handler would look at each event.
struct Counts {
    std::size_t tags = 0;
    std::size_t attributes = 0;
    std::size_t textBytes = 0;
    std::size_t comments = 0;
};

class CountingHandler : public ILiteHTMLReaderEvents {
public:
    Counts counts;
    void BeginParse(std::uint32_t, bool&) override {}
    void StartTag(const CLiteHTMLTag* tag, std::uint32_t, bool&) override {
        ++counts.tags;
        counts.attributes += static_cast<std::size_t>(tag->getAttributeCount());
    }
    void EndTag(const CLiteHTMLTag*, std::uint32_t, bool&) override {}
    void Characters(const std::string& text, std::uint32_t, bool&) override {
        counts.textBytes += text.size();
    }
    void Comment(const std::string&, std::uint32_t, bool&) override { ++counts.comments; }
    void EndParse(std::uint32_t, bool) override {}
};

void XmlStart(void* data, const xmlChar*, const xmlChar** attrs) {
    Counts& counts = *static_cast<Counts*>(data);
    ++counts.tags;
    for (; attrs && attrs[0]; attrs += 2)
        ++counts.attributes;
}
void XmlCharacters(void* data, const xmlChar*, int length) {
    static_cast<Counts*>(data)->textBytes += static_cast<std::size_t>(length);
}
void XmlComment(void* data, const xmlChar*) {
    ++static_cast<Counts*>(data)->comments;
}

Counts ParseWithLibxml2(const std::string& page) {
    Counts counts;
    htmlSAXHandler sax = {};
    sax.startElement = XmlStart;
    sax.characters = XmlCharacters;
    sax.ignorableWhitespace = XmlCharacters;
    sax.comment = XmlComment;
    htmlParserCtxtPtr context =
        htmlCreateMemoryParserCtxt(page.data(), static_cast<int>(page.size()));
    if (!context)
        return counts;
    htmlCtxtUseOptions(context, HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    xmlSwitchEncoding(context, XML_CHAR_ENCODING_UTF8);
    htmlSAXHandler* own = reinterpret_cast<htmlSAXHandler*>(context->sax);
    context->sax = reinterpret_cast<xmlSAXHandler*>(&sax);
    context->userData = &counts;
    htmlParseDocument(context);
    context->sax = reinterpret_cast<xmlSAXHandler*>(own);
    context->userData = nullptr;
    htmlFreeParserCtxt(context);
    return counts;
}

} // namespace

int main() {
    const std::string page = MakePage(20u << 20);
    const double megabytes = static_cast<double>(page.size()) / (1 << 20);
    std::printf("page: %.1f MB\n", megabytes);

    Counts ours;
    double oursTime = BestOf(5, [&] {
        CountingHandler handler;
        CLiteHTMLReader reader;
        reader.setEventHandler(&handler);
        reader.Read(page);
        ours = handler.counts;
    });

    xmlInitParser();
    Counts theirs;
    double theirsTime = BestOf(5, [&] { theirs = ParseWithLibxml2(page); });
    xmlCleanupParser();

    std::printf("CLiteHTMLReader:      %8.1f ms  %7.1f MB/s  (%zu tags, %zu attributes, "
                "%zu comments)\n",
                oursTime * 1e3, megabytes / oursTime, ours.tags, ours.attributes, ours.comments);
    std::printf("libxml2 HTML SAX:     %8.1f ms  %7.1f MB/s  (%zu tags, %zu attributes, "
                "%zu comments)\n",
                theirsTime * 1e3, megabytes / theirsTime, theirs.tags, theirs.attributes,
                theirs.comments);
    const double ratio = theirsTime / oursTime;
    std::printf("throughput ratio:     %.2fx libxml2 (target >= 2x)\n", ratio);
    if (ours.tags == 0 || theirs.tags == 0) {
        std::printf("a parser reported no tags\n");
        return 1;
    }
    return ratio >= 2.0 ? 0 : 1;
}

// Reads and writes a project-shaped XML document of about 50 MB (200,000
// "node" elements with five attributes each, nested like a contents tree)
// and prints the times next to a bare expat parse of the same bytes.
// Targets: full read within 2.5x of the bare parse; write within 2x of the read.

#include "baseutil/Xml.h"

#include <expat.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

std::string MakeDocument(int nodes) {
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<MARROWBOOK version=\"2.0\">"
                       "<HHC>";
    int open = 0;
    char buffer[512];
    for (int i = 0; i < nodes; ++i) {
        std::snprintf(buffer, sizeof buffer,
                      "<node Name=\"Topic %d: configuring the &quot;widget&quot; panel settings\" "
                      "Local=\"\\chapter%03d\\section%02d\\topic_%06d.htm\" "
                      "ID=\"{%08X-1A2B-4C3D-8E9F-%012X}\" ImageNumber=\"%d\" "
                      "Keywords=\"widget;panel;setting %d;option;preferences\">",
                      i, i % 997, i % 61, i, i * 2654435761u, i, i % 42, i);
        text += buffer;
        // Keep the depth between 1 and 8 open elements, like a contents tree.
        ++open;
        if (open < 8 && i % 3 != 2)
            continue;
        text += "</node>";
        --open;
        for (int up = 0; up < 2 && open > 0 && i % 5 == 0; ++up) {
            text += "</node>";
            --open;
        }
    }
    for (; open > 0; --open)
        text += "</node>";
    text += "</HHC></MARROWBOOK>";
    return text;
}

double BestOf(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, seconds);
    }
    return best;
}

} // namespace

int main() {
    const std::string text = MakeDocument(200000);
    std::printf("document: %.1f MB, 200000 node elements\n", text.size() / 1e6);

    double bare = BestOf(5, [&] {
        XML_Parser parser = XML_ParserCreate("UTF-8");
        if (XML_Parse(parser, text.data(), static_cast<int>(text.size()), XML_TRUE) !=
            XML_STATUS_OK)
            std::printf("bare parse failed\n");
        XML_ParserFree(parser);
    });

    CXML tree;
    double read = BestOf(5, [&] {
        std::string error;
        if (!tree.XMLReadString(text, &error))
            std::printf("read failed: %s\n", error.c_str());
    });

    std::string out;
    double write = BestOf(5, [&] {
        out.clear();
        tree.XMLWriteString(out);
    });

    std::printf("bare expat parse: %8.1f ms\n", bare * 1e3);
    std::printf("CXML read:        %8.1f ms  (%.2fx the bare parse; target <= 2.5x)\n",
                read * 1e3, read / bare);
    std::printf("CXML write:       %8.1f ms  (%.2fx the read; target <= 2x)\n", write * 1e3,
                write / read);
    return read / bare <= 2.5 && write / read <= 2.0 ? 0 : 1;
}

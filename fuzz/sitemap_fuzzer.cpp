// Scans arbitrary bytes as a contents or index sitemap. The tree must be
// well formed: only the known element names, children linked to their
// parents, no children under "PARAM", and no deeper than the depth limit.

#include "baseutil/Xml.h"
#include "compiledhelp/SitemapScanner.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace {

void Check(const CXML& element, int depth) {
    static const std::set<std::string> kNames = {"HTML", "HEAD",   "BODY", "UL",
                                                 "LI",   "OBJECT", "PARAM"};
    if (depth > 1001)
        std::abort();
    for (int i = 0; i < element.GetChildCount(); ++i) {
        const CXML& child = *element.GetChildAt(i);
        if (!kNames.count(child.GetTagName()) || child.GetParent() != &element)
            std::abort();
        if (child.GetTagName() == "PARAM" && child.GetChildCount() != 0)
            std::abort();
        Check(child, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CXML root;
    ScanSitemap(text, root, "HHCRoot", "guide.chm");
    if (root.GetTagName() != "HHCRoot")
        std::abort();
    Check(root, 0);
    std::string written;
    root.XMLWriteString(written);
    return 0;
}

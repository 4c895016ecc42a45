// Takes arbitrary bytes apart as a compiled-help address, the way pages of
// any help file name their pictures and links. The stream path must never
// climb out of the archive: no "." or ".." names, no empty names, no "\",
// no leading "/".

#include "compiledhelp/ItsAddress.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void CheckInside(const std::string& path) {
    if (path.empty())
        return;
    if (path.front() == '/' || path.find('\\') != std::string::npos)
        std::abort();
    size_t start = 0;
    while (true) {
        size_t end = path.find('/', start);
        std::string_view name(path.data() + start,
                              (end == std::string::npos ? path.size() : end) - start);
        if (name.empty() || name == "." || name == "..")
            std::abort();
        if (end == std::string::npos)
            return;
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    ItsAddress address;
    if (ParseItsAddress(text, address)) {
        CheckInside(address.streamPath);
        ItsAddress again;
        // The address made from the parts names the same stream.
        if (!ParseItsAddress(MakeItsAddress(address.chmPath, address.streamPath), again) ||
            again.chmPath != address.chmPath || again.streamPath != address.streamPath)
            std::abort();
    }
    CheckInside(NormalizeStreamPath(text));
    return 0;
}

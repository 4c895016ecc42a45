// Reads arbitrary bytes as the streams a compiled help file keeps of its
// project (#SYSTEM, #WINDOWS, #STRINGS, #TOPICS, #URLTBL, #URLSTR, #TOCIDX
// and the keyword tree), and writes the project files rebuilt from them.
// The input holds the streams in that order, separated by "|~|~".

#include "compiledhelp/ChmProjectStreams.h"
#include "projectmodel/DecompiledProject.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kSeparator = "|~|~";

std::array<std::string, 8> Split(std::string_view input) {
    std::array<std::string, 8> parts;
    for (size_t i = 0; i < parts.size(); ++i) {
        size_t end = i + 1 < parts.size() ? input.find(kSeparator) : std::string_view::npos;
        parts[i] = std::string(input.substr(0, end));
        if (end == std::string_view::npos)
            break;
        input.remove_prefix(end + kSeparator.size());
    }
    return parts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto parts = Split(std::string_view(reinterpret_cast<const char*>(data), size));
    ChmProjectStreams streams;
    streams.system = ParseSystemStream(parts[0]);
    ChmTopicTable topics(parts[3], parts[4], parts[5], parts[2]);
    streams.windows = ParseWindowsStream(parts[1], parts[2]);
    streams.hasBinaryToc = streams.hasBinaryIndex = true;
    streams.contents = ParseBinaryToc(parts[6], topics);
    streams.index = ParseBinaryIndex(parts[7], topics);
    streams.files = {"a.htm", "sub/b.htm"};
    int language = mb::decompiled::LanguageOf(streams);
    mb::decompiled::ProjectText(streams, {"x.chm", "x.hhc", "x.hhk"});
    mb::decompiled::ContentsText(streams.contents, language);
    mb::decompiled::IndexText(streams.index, language);
    return 0;
}

// Tokenizes arbitrary bytes with every event on. The reader must consume the
// text up to its first NUL byte, report begin and end exactly once, and give
// every tag a name made of name characters; the attribute readings are
// exercised on whatever the tags carry.

#include "markup/LiteHTMLReader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

class CheckingHandler : public ILiteHTMLReaderEvents {
public:
    int begins = 0;
    int ends = 0;

    void BeginParse(std::uint32_t, bool&) override { ++begins; }
    void StartTag(const CLiteHTMLTag* tag, std::uint32_t, bool&) override { Check(*tag); }
    void EndTag(const CLiteHTMLTag* tag, std::uint32_t, bool&) override { Check(*tag); }
    void Characters(const std::string& text, std::uint32_t, bool&) override {
        if (text.empty())
            std::abort();
    }
    void Comment(const std::string& text, std::uint32_t, bool&) override {
        if (text.empty())
            std::abort();
    }
    void EndParse(std::uint32_t, bool aborted) override {
        if (aborted)
            std::abort();
        ++ends;
    }

private:
    static void Check(const CLiteHTMLTag& tag) {
        for (int i = 0; i < tag.getAttributeCount(); ++i) {
            CLiteHTMLElemAttr attr = tag.getAttribute(i);
            if (attr.getName().empty())
                std::abort();
            CLiteHTMLElemAttr::LengthUnitsEnum unit = CLiteHTMLElemAttr::px;
            volatile std::uint32_t sink = attr.getColorValue() + attr.getPercentValue() +
                                          static_cast<std::uint32_t>(attr.getLengthValue(unit)) +
                                          static_cast<bool>(attr);
            (void)sink;
            attr.getColorHexValue();
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckingHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    std::size_t reached = reader.Read(text);
    std::size_t expected = std::min(text.find('\0'), text.size());
    if (reached != expected)
        std::abort();
    int parses = expected == 0 ? 0 : 1;
    if (handler.begins != parses || handler.ends != parses)
        std::abort();
    return 0;
}

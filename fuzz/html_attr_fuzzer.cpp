// Parses one attribute from arbitrary bytes. The count used never exceeds
// the input; a parsed attribute has a name, and parsing the same bytes again
// gives the same attribute.

#include "markup/LiteHTMLElemAttr.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CLiteHTMLElemAttr attr;
    std::size_t used = attr.parseFromStr(text);
    if (used > size)
        std::abort();
    if (used == 0)
        return 0;
    if (attr.getName().empty())
        std::abort();
    CLiteHTMLElemAttr again;
    if (again.parseFromStr(text.substr(0, used)) != used || again.getName() != attr.getName() ||
        again.getValue() != attr.getValue())
        std::abort();
    CLiteHTMLElemAttr::LengthUnitsEnum unit = CLiteHTMLElemAttr::px;
    volatile std::uint32_t sink = attr.getColorValue() + attr.getPercentValue() +
                                  static_cast<std::uint32_t>(attr.getLengthValue(unit)) +
                                  static_cast<unsigned char>(attr) + static_cast<bool>(attr) +
                                  attr.isSysColorValue() +
                                  static_cast<std::uint32_t>(static_cast<double>(attr) != 0);
    (void)sink;
    attr.getColorHexValue();
    return 0;
}

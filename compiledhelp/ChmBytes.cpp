#include "compiledhelp/ChmBytes.h"

#include "markup/HtmlEntities.h"

namespace mb::chm {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

bool ByteView::U16(size_t offset, uint16_t& value) const {
    if (!Has(offset, 2))
        return false;
    const auto* b = reinterpret_cast<const unsigned char*>(m_data.data()) + offset;
    value = static_cast<uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool ByteView::U32(size_t offset, uint32_t& value) const {
    if (!Has(offset, 4))
        return false;
    const auto* b = reinterpret_cast<const unsigned char*>(m_data.data()) + offset;
    value = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return true;
}

uint32_t ByteView::U32Or(size_t offset, uint32_t fallback) const {
    uint32_t value = fallback;
    U32(offset, value);
    return value;
}

std::string ByteView::CString(size_t offset) const {
    if (offset >= m_data.size())
        return {};
    std::string_view rest = m_data.substr(offset);
    return std::string(rest.substr(0, rest.find('\0')));
}

std::u16string ByteView::WideString(size_t offset, size_t& end) const {
    std::u16string text;
    uint16_t unit = 0;
    size_t at = offset;
    while (U16(at, unit)) {
        at += 2;
        if (unit == 0) {
            end = at;
            return text;
        }
        text += static_cast<char16_t>(unit);
    }
    end = m_data.size();
    return text;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        char32_t c = unit;
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            c = kReplacement;
        }
        html::AppendUtf8(out, c);
    }
    return out;
}

} // namespace mb::chm

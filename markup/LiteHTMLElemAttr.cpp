#include "markup/LiteHTMLElemAttr.h"

#include "baseutil/MabString.h"
#include "markup/HtmlChars.h"
#include "markup/HtmlEntities.h"

using namespace mb::html;

namespace {

bool NeedsNormalizing(std::string_view value) {
    if (value.empty())
        return false;
    if (IsWhiteSpace(value.front()) || IsWhiteSpace(value.back()))
        return true;
    for (char c : value)
        if (c == '&' || c == '\n' || c == '\r' || c == '\t')
            return true;
    return false;
}

} // namespace

CLiteHTMLElemAttr::operator bool() const {
    if (EqualsNoCase(m_value, "true"))
        return true;
    if (EqualsNoCase(m_value, "false"))
        return false;
    return static_cast<short>(*this) != 0;
}

CLiteHTMLElemAttr::operator unsigned char() const {
    return m_value.empty() ? 0 : static_cast<unsigned char>(m_value[0]);
}

CLiteHTMLElemAttr::operator double() const {
    return CMabString(m_value).GetFloat();
}

CLiteHTMLElemAttr::operator short() const {
    return static_cast<short>(CMabString(m_value).GetInt());
}

std::size_t CLiteHTMLElemAttr::parseFromStr(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = SkipWhiteSpace(text, 0);
    if (i >= n || !IsLetter(text[i]))
        return 0;
    const std::size_t nameStart = i;
    while (i < n && IsNameChar(text[i]))
        ++i;
    const std::string_view name = text.substr(nameStart, i - nameStart);
    if (i < n && !IsWhiteSpace(text[i]) && text[i] != '/' && text[i] != '=' && text[i] != '>')
        return 0;

    // Blanks may stand around the '='; without one the attribute ends
    // behind its name.
    const std::size_t equals = SkipWhiteSpace(text, i);
    if (equals >= n || text[equals] != '=') {
        m_name.assign(name);
        m_value.clear();
        return i;
    }
    i = SkipWhiteSpace(text, equals + 1);
    std::string_view raw;
    if (i < n && (text[i] == '"' || text[i] == '\'')) {
        const std::size_t start = i + 1;
        std::size_t close = text.find(text[i], start);
        if (close == std::string_view::npos) {
            raw = text.substr(start);
            i = n;
        } else {
            raw = text.substr(start, close - start);
            i = close + 1;
        }
    } else {
        // An unquoted value always takes its first character, then runs to
        // white space, '>' or "/>".
        const std::size_t start = i;
        if (i < n)
            ++i;
        while (i < n && !IsWhiteSpace(text[i]) && text[i] != '>' &&
               !(text[i] == '/' && i + 1 < n && text[i + 1] == '>'))
            ++i;
        raw = text.substr(start, i - start);
    }
    m_name.assign(name);
    putValue(raw);
    return i;
}

void CLiteHTMLElemAttr::putValue(std::string_view raw) {
    if (!NeedsNormalizing(raw)) {
        m_value.assign(raw);
        return;
    }
    std::string folded;
    folded.reserve(raw.size());
    for (char c : Trim(raw)) {
        if (c == '\n')
            continue;
        folded += c == '\r' || c == '\t' ? ' ' : c;
    }
    m_value = folded.find('&') == std::string::npos ? std::move(folded) : DecodeReferences(folded);
}

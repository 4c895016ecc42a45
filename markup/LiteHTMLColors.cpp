// Colour, percentage and length readings of attribute values.

#include "markup/HtmlChars.h"
#include "markup/LiteHTMLElemAttr.h"

#include "baseutil/HexDigit.h"
#include "baseutil/MabString.h"

#include <array>
#include <cstdio>

using namespace mb::html;

namespace {

using Color = CLiteHTMLElemAttr::Color;

constexpr Color kSysColorBase = 0x80000000;
constexpr Color kSysColorLast = 0x80000018;

// Colours are kept as 0x00BBGGRR; the table below is written as RGB.
constexpr Color FromRgb(std::uint32_t rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

struct NamedColor {
    const char* name;
    Color value;
};

// Keywords of the desktop's element colours, by palette index.
constexpr NamedColor kSystemColors[] = {
    {"activeborder", 10},   {"activecaption", 2},    {"appworkspace", 12},
    {"background", 1},      {"buttonface", 15},      {"buttonhighlight", 20},
    {"buttonshadow", 16},   {"buttontext", 18},      {"captiontext", 9},
    {"graytext", 17},       {"highlight", 13},       {"highlighttext", 14},
    {"inactiveborder", 11}, {"inactivecaption", 3},  {"inactivecaptiontext", 19},
    {"infobackground", 24}, {"infotext", 23},        {"menu", 4},
    {"menutext", 7},        {"scrollbar", 0},        {"threeddarkshadow", 21},
    {"threedface", 15},     {"threedhighlight", 20}, {"threedlightshadow", 22},
    {"threedshadow", 16},   {"window", 5},           {"windowframe", 6},
    {"windowtext", 8},
};

// The classic desktop palette (RGB) stands in for the current system
// colours, which have no single source on this platform.
constexpr std::array<std::uint32_t, 25> kDesktopPalette = {
    0xD4D0C8, 0x3A6EA5, 0x0A246A, 0x808080, 0xD4D0C8, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xD4D0C8, 0xD4D0C8, 0x808080, 0x0A246A, 0xFFFFFF, 0xD4D0C8, 0x808080, 0x808080,
    0x000000, 0xD4D0C8, 0xFFFFFF, 0x404040, 0xD4D0C8, 0x000000, 0xFFFFE1,
};

// Colour keywords with their sRGB values.
constexpr NamedColor kColorKeywords[] = {
    {"black", 0x000000},
    {"gray", 0x808080},
    {"silver", 0xC0C0C0},
    {"white", 0xFFFFFF},
    {"yellow", 0xFFFF00},
    {"olive", 0x808000},
    {"red", 0xFF0000},
    {"maroon", 0x800000},
    {"fuchsia", 0xFF00FF},
    {"purple", 0x800080},
    {"blue", 0x0000FF},
    {"navy", 0x000080},
    {"aqua", 0x00FFFF},
    {"teal", 0x008080},
    {"lime", 0x00FF00},
    {"green", 0x008000},
    {"darkolivegreen", 0x556B2F},
    {"olivedrab", 0x6B8E23},
    {"yellowgreen", 0x9ACD32},
    {"lawngreen", 0x7CFC00},
    {"chartreuse", 0x7FFF00},
    {"greenyellow", 0xADFF2F},
    {"palegreen", 0x98FB98},
    {"lightgreen", 0x90EE90},
    {"darkgreen", 0x006400},
    {"forestgreen", 0x228B22},
    {"seagreen", 0x2E8B57},
    {"mediumseagreen", 0x3CB371},
    {"limegreen", 0x32CD32},
    {"darkseagreen", 0x8FBC8F},
    {"springgreen", 0x00FF7F},
    {"mediumspringgreen", 0x00FA9A},
    {"darkslategray", 0x2F4F4F},
    {"darkcyan", 0x008B8B},
    {"cadetblue", 0x5F9EA0},
    {"lightseagreen", 0x20B2AA},
    {"mediumaquamarine", 0x66CDAA},
    {"turquoise", 0x40E0D0},
    {"aquamarine", 0x7FFFD4},
    {"paleturquoise", 0xAFEEEE},
    {"slategray", 0x708090},
    {"lightslategray", 0x778899},
    {"steelblue", 0x4682B4},
    {"deepskyblue", 0x00BFFF},
    {"darkturquoise", 0x00CED1},
    {"mediumturquoise", 0x48D1CC},
    {"powderblue", 0xB0E0E6},
    {"lightcyan", 0xE0FFFF},
    {"darkblue", 0x00008B},
    {"mediumblue", 0x0000CD},
    {"royalblue", 0x4169E1},
    {"dodgerblue", 0x1E90FF},
    {"cornflowerblue", 0x6495ED},
    {"skyblue", 0x87CEEB},
    {"lightskyblue", 0x87CEFA},
    {"lightblue", 0xADD8E6},
    {"midnightblue", 0x191970},
    {"darkslateblue", 0x483D8B},
    {"blueviolet", 0x8A2BE2},
    {"slateblue", 0x6A5ACD},
    {"mediumslateblue", 0x7B68EE},
    {"mediumpurple", 0x9370DB},
    {"lightsteelblue", 0xB0C4DE},
    {"lavender", 0xE6E6FA},
    {"indigo", 0x4B0082},
    {"darkviolet", 0x9400D3},
    {"darkorchid", 0x9932CC},
    {"mediumorchid", 0xBA55D3},
    {"orchid", 0xDA70D6},
    {"violet", 0xEE82EE},
    {"plum", 0xDDA0DD},
    {"thistle", 0xD8BFD8},
    {"darkmagenta", 0x8B008B},
    {"mediumvioletred", 0xC71585},
    {"deeppink", 0xFF1493},
    {"palevioletred", 0xDB7093},
    {"hotpink", 0xFF69B4},
    {"lightpink", 0xFFB6C1},
    {"pink", 0xFFC0CB},
    {"mistyrose", 0xFFE4E1},
    {"brown", 0xA52A2A},
    {"indianred", 0xCD5C5C},
    {"rosybrown", 0xBC8F8F},
    {"salmon", 0xFA8072},
    {"lightcoral", 0xF08080},
    {"darksalmon", 0xE9967A},
    {"lightsalmon", 0xFFA07A},
    {"peachpuff", 0xFFDAB9},
    {"darkred", 0x8B0000},
    {"firebrick", 0xB22222},
    {"crimson", 0xDC143C},
    {"orangered", 0xFF4500},
    {"tomato", 0xFF6347},
    {"coral", 0xFF7F50},
    {"wheat", 0xF5DEB3},
    {"papayawhip", 0xFFEFD5},
    {"sienna", 0xA0522D},
    {"chocolate", 0xD2691E},
    {"darkorange", 0xFF8C00},
    {"sandybrown", 0xF4A460},
    {"orange", 0xFFA500},
    {"navajowhite", 0xFFDEAD},
    {"moccasin", 0xFFE4B5},
    {"saddlebrown", 0x8B4513},
    {"peru", 0xCD853F},
    {"burlywood", 0xDEB887},
    {"tan", 0xD2B48C},
    {"bisque", 0xFFE4C4},
    {"blanchedalmond", 0xFFEBCD},
    {"antiquewhite", 0xFAEBD7},
    {"darkgoldenrod", 0xB8860B},
    {"goldenrod", 0xDAA520},
    {"darkkhaki", 0xBDB76B},
    {"gold", 0xFFD700},
    {"khaki", 0xF0E68C},
    {"palegoldenrod", 0xEEE8AA},
    {"lemonchiffon", 0xFFFACD},
    {"beige", 0xF5F5DC},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightyellow", 0xFFFFE0},
    {"ivory", 0xFFFFF0},
    {"cornsilk", 0xFFF8DC},
    {"oldlace", 0xFDF5E6},
    {"floralwhite", 0xFFFAF0},
    {"honeydew", 0xF0FFF0},
    {"mintcream", 0xF5FFFA},
    {"azure", 0xF0FFFF},
    {"ghostwhite", 0xF8F8FF},
    {"linen", 0xFAF0E6},
    {"seashell", 0xFFF5EE},
    {"snow", 0xFFFAFA},
    {"dimgray", 0x696969},
    {"darkgray", 0xA9A9A9},
    {"lightgray", 0xD3D3D3},
    {"gainsboro", 0xDCDCDC},
    {"whitesmoke", 0xF5F5F5},
    {"aliceblue", 0xF0F8FF},
};

constexpr std::array<const char*, 9> kUnitNames = {"em", "ex", "px", "%", "in",
                                                   "cm", "mm", "pt", "pc"};

std::string Lowered(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        c = ToLower(c);
    return out;
}

} // namespace

const CLiteHTMLElemAttr::NamedColorMap& CLiteHTMLElemAttr::_namedColors() {
    static const NamedColorMap colors = [] {
        NamedColorMap map;
        for (const NamedColor& entry : kSystemColors)
            map.emplace(entry.name, kSysColorBase + entry.value);
        for (const NamedColor& entry : kColorKeywords)
            map.emplace(entry.name, FromRgb(entry.value));
        return map;
    }();
    return colors;
}

const CLiteHTMLElemAttr::Color* CLiteHTMLElemAttr::findNamedColor() const {
    if (m_value.empty() || !IsLetter(m_value[0]))
        return nullptr;
    const NamedColorMap& colors = _namedColors();
    auto it = colors.find(Lowered(m_value));
    return it == colors.end() ? nullptr : &it->second;
}

bool CLiteHTMLElemAttr::isNamedColorValue() const {
    return findNamedColor() != nullptr;
}

bool CLiteHTMLElemAttr::isSysColorValue() const {
    const Color* color = findNamedColor();
    return color && *color >= kSysColorBase && *color <= kSysColorLast;
}

bool CLiteHTMLElemAttr::isHexColorValue() const {
    if (m_value.size() < 2 || m_value[0] != '#')
        return false;
    for (std::size_t i = 1; i < m_value.size(); ++i)
        if (mb::HexDigitValue(m_value[i]) < 0)
            return false;
    return true;
}

CLiteHTMLElemAttr::Color CLiteHTMLElemAttr::getColorValue() const {
    if (const Color* color = findNamedColor()) {
        if (*color >= kSysColorBase && *color <= kSysColorLast)
            return FromRgb(kDesktopPalette[*color - kSysColorBase]);
        return *color;
    }
    if (isHexColorValue()) {
        // More than eight digits keep their last eight, as a 32-bit value.
        Color value = 0;
        for (std::size_t i = 1; i < m_value.size(); ++i)
            value = value * 16 + static_cast<Color>(mb::HexDigitValue(m_value[i]));
        return value;
    }
    return _clrInvalid;
}

std::string CLiteHTMLElemAttr::getColorHexValue() const {
    if (isHexColorValue())
        return m_value.substr(1);
    Color color = getColorValue();
    if (color == _clrInvalid)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(color));
    return text;
}

bool CLiteHTMLElemAttr::isPercentValue() const {
    return !m_value.empty() && m_value.back() == '%';
}

unsigned short CLiteHTMLElemAttr::getPercentValue(unsigned short max) const {
    if (!isPercentValue())
        return 0;
    int value = CMabString(m_value).GetInt();
    if (value <= 0)
        return 0;
    return value > max ? max : static_cast<unsigned short>(value);
}

short CLiteHTMLElemAttr::getLengthValue(LengthUnitsEnum& unit) const {
    if (m_value.empty())
        return 0;
    for (std::size_t i = 0; i < kUnitNames.size(); ++i) {
        if (EndsWithNoCase(m_value, kUnitNames[i])) {
            unit = static_cast<LengthUnitsEnum>(i);
            return static_cast<short>(CMabString(m_value).GetInt());
        }
    }
    return 0;
}

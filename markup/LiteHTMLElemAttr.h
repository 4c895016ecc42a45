#pragma once
// One attribute of an HTML tag: its name as the document writes it and its
// value after normalisation (white space folded, references decoded), with
// readings of the value as a number, a colour, a length or a percentage.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class CLiteHTMLElemAttr {
public:
    // Colours are 0x00BBGGRR; a system colour is 0x80000000 plus the index
    // of the colour in the desktop palette.
    using Color = std::uint32_t;
    using NamedColorMap = std::unordered_map<std::string, Color>;

    static constexpr Color _clrInvalid = 0xFFFFFFFF;
    static constexpr unsigned short _percentMax = 65535;

    // Units in the order in which a value's ending is matched.
    enum LengthUnitsEnum { em = 0, ex, px, per, in, cm, mm, pt, pc };

    // The 28 system colour keywords and 137 colour keywords, by lower-case
    // name; built once on first use.
    static const NamedColorMap& _namedColors();

    // The name and value are taken as given (no normalisation).
    explicit CLiteHTMLElemAttr(std::string name = {}, std::string value = {})
        : m_name(std::move(name)), m_value(std::move(value)) {}

    const std::string& getName() const { return m_name; }
    const std::string& getValue() const { return m_value; }

    // "true" and "false" in any case, otherwise a non-zero 16-bit number.
    explicit operator bool() const;
    // The first byte of the value, 0 when it is empty.
    explicit operator unsigned char() const;
    explicit operator double() const;
    explicit operator short() const;
    explicit operator std::string() const { return m_value; }

    // Reads one attribute (name, optionally '=' and a quoted or unquoted
    // value) from the start of `text`, skipping white space before it.
    // Returns the number of bytes used, never more than text.size(); 0 when
    // no attribute starts there, leaving this attribute unchanged.
    std::size_t parseFromStr(std::string_view text);

    bool isNamedColorValue() const;
    bool isSysColorValue() const;
    bool isHexColorValue() const;
    bool isColorValue() const { return isNamedColorValue() || isHexColorValue(); }
    // A keyword's colour (system colours resolved through the desktop
    // palette), the number behind '#' as written, or _clrInvalid.
    Color getColorValue() const;
    // The digits behind '#' of a hexadecimal value; otherwise "#" and six
    // hex digits of getColorValue(); empty for a value that is no colour.
    std::string getColorHexValue() const;

    bool isPercentValue() const;
    // The number of a percentage, at most `max`; 0 for other values.
    unsigned short getPercentValue(unsigned short max = _percentMax) const;
    // The number of a length such as "12px"; sets `unit` only when the
    // value ends with one of the units. 0 without a unit.
    short getLengthValue(LengthUnitsEnum& unit) const;

private:
    // Stores a raw value: trimmed, line feeds dropped, carriage returns and
    // tabs made spaces, character references decoded.
    void putValue(std::string_view raw);
    // The value as a keyword of the colour map, or null.
    const Color* findNamedColor() const;

    std::string m_name;
    std::string m_value;
};

// Reading one attribute: its extent, the value's normalisation and
// character references, and the typed readings of the value.

#include "markup/LiteHTMLElemAttr.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Parsed {
    std::size_t used;
    std::string name;
    std::string value;
};

Parsed Parse(std::string_view text) {
    CLiteHTMLElemAttr attr("unset", "unset");
    std::size_t used = attr.parseFromStr(text);
    return {used, attr.getName(), attr.getValue()};
}

std::string Value(std::string_view text) {
    return Parse(text).value;
}

CLiteHTMLElemAttr Attr(std::string value) {
    return CLiteHTMLElemAttr("a", std::move(value));
}

TEST(AttributeParse, ExtentOfNameAndValue) {
    struct Case {
        std::string_view text;
        std::size_t used;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"  checked  x", 9, "checked", ""}, // no '=': following blanks are not used
        {"a=\"b c\" d", 7, "a", "b c"},     // double quotes
        {"a = 'b\"c' d", 9, "a", "b\"c"},   // blanks around '=', single quotes
        {"a  b=c", 1, "a", ""},             // no '=' behind the blanks
        {"a=b c", 3, "a", "b"},             // unquoted, to white space
        {"a=b>c", 3, "a", "b"},             // unquoted, to '>'
        {"src=x.gif/>", 9, "src", "x.gif"}, // unquoted, to "/>"
        {"href=a/b/>", 8, "href", "a/b"},   // a slash not before '>' belongs to it
        {"a=>", 3, "a", ">"},               // the first character is always taken
        {"a=\"unclosed value", 17, "a", "unclosed value"},
        {"a=", 2, "a", ""}, // nothing behind '=' at the end
        {"a=\"\"", 4, "a", ""},
        {"data-x:y_z.w=1", 14, "data-x:y_z.w", "1"},
        {"A/>", 1, "A", ""},
    };
    for (const Case& c : cases) {
        Parsed p = Parse(c.text);
        EXPECT_EQ(p.used, c.used) << c.text;
        EXPECT_EQ(p.name, c.name) << c.text;
        EXPECT_EQ(p.value, c.value) << c.text;
    }
}

TEST(AttributeParse, RejectedStartsLeaveTheAttributeUnchanged) {
    for (std::string_view text : {"", "   ", "=x", "1a=b", "-a", "a\"=b", "a<b", "/>"}) {
        Parsed p = Parse(text);
        EXPECT_EQ(p.used, 0u) << text;
        EXPECT_EQ(p.name, "unset") << text;
        EXPECT_EQ(p.value, "unset") << text;
    }
}

TEST(AttributeParse, NonAsciiNamesAndValuesSurviveIntact) {
    Parsed p = Parse("título=\"Ångström — 東京\" x");
    EXPECT_EQ(p.name, "título");
    EXPECT_EQ(p.value, "Ångström — 東京");
    p = Parse("ключ=значение>");
    EXPECT_EQ(p.name, "ключ");
    EXPECT_EQ(p.value, "значение");
}

TEST(AttributeValue, WhiteSpaceIsFolded) {
    EXPECT_EQ(Value("a=\"  one\r\ntwo\tthree\n  \""), "one two three");
    EXPECT_EQ(Value("a=\"x\n\ny\""), "xy");
    EXPECT_EQ(Value("a=\"\t \""), "");
}

TEST(AttributeValue, CharacterReferencesAreDecoded) {
    EXPECT_EQ(Value("a=\"a&amp;&#65;&#x42;b\""), "a&ABb");
    EXPECT_EQ(Value("a=\"&#X43;&#0067;\""), "CC");
    EXPECT_EQ(Value("a=\"&lt;&gt;&quot;&apos;\""), "<>\"'");
    EXPECT_EQ(Value("a='&nbsp;'"), "\u00A0");
    EXPECT_EQ(Value("a='&curren;&yuml;&divide;&times;&szlig;&iexcl;'"), "¤ÿ÷×ß¡");
}

TEST(AttributeValue, EntityNamesInAnyCase) {
    EXPECT_EQ(Value("a='&AGRAVE;'"), "À");
    EXPECT_EQ(Value("a='&agrave;&aGRAVE;'"), "àà");
    EXPECT_EQ(Value("a='&Uuml;&uUML;&Ccedil;&Aring;&Ntilde;&Ocirc;'"), "ÜüÇÅÑÔ");
    EXPECT_EQ(Value("a='&ETH;&Eth;&eTH;&THORN;&thorn;'"), "ÐÐðÞþ");
    EXPECT_EQ(Value("a='&Oslash;&oslash;&OSLASH;'"), "ØøØ");
    EXPECT_EQ(Value("a='&AElig;&aelig;&AELIG;'"), "ÆæÆ");
    EXPECT_EQ(Value("a='&AMP;&Copy;&NBSP;'"), "&©\u00A0");
}

TEST(AttributeValue, WhatIsNoReferenceStaysAsWritten) {
    EXPECT_EQ(Value("a='&bogus; &a; &; & x'"), "&bogus; &a; &; & x");
    EXPECT_EQ(Value("a='&amp'"), "&amp");
    EXPECT_EQ(Value("a='&amp x;&lt;'"), "&amp x;<");
    EXPECT_EQ(Value("a='&#xD800;&#1114112;&#99999999999999999999;'"),
              "&#xD800;&#1114112;&#99999999999999999999;");
    // A reference to character 0 is removed.
    EXPECT_EQ(Value("a='x&#0;y&#x0;z'"), "xyz");
}

TEST(AttributeValue, DecodedTextIsNotDecodedAgain) {
    EXPECT_EQ(Value("a='&amp;lt; &amp;lt;'"), "&lt; &lt;");
    EXPECT_EQ(Value("a='&amp;amp;'"), "&amp;");
    EXPECT_EQ(Value("a='&#38;#65;'"), "&#65;");
}

TEST(AttributeValue, ReferencesBeyondLatin1BecomeUtf8) {
    EXPECT_EQ(Value("a='&#8364;&#x1F600;&#233;'"), "€😀é");
}

TEST(AttributeConversions, Bool) {
    EXPECT_TRUE(static_cast<bool>(Attr("TRUE")));
    EXPECT_FALSE(static_cast<bool>(Attr("False")));
    EXPECT_TRUE(static_cast<bool>(Attr("7")));
    EXPECT_FALSE(static_cast<bool>(Attr("0")));
    EXPECT_FALSE(static_cast<bool>(Attr("yes")));
    EXPECT_FALSE(static_cast<bool>(Attr("65536"))); // narrowed to 16 bits
}

TEST(AttributeConversions, Numbers) {
    EXPECT_EQ(static_cast<unsigned char>(Attr("ábc")), 0xC3);
    EXPECT_EQ(static_cast<unsigned char>(Attr("")), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(Attr("2.5em")), 2.5);
    EXPECT_EQ(static_cast<short>(Attr("-12px")), -12);
    EXPECT_EQ(static_cast<short>(Attr("x")), 0);
    EXPECT_EQ(static_cast<std::string>(Attr("v")), "v");
}

TEST(AttributeColors, NamedColors) {
    EXPECT_EQ(CLiteHTMLElemAttr::_namedColors().size(), 165u);
    for (const char* red : {"red", "Red", "RED"}) {
        EXPECT_EQ(Attr(red).getColorValue(), 0x000000FFu) << red;
        EXPECT_TRUE(Attr(red).isNamedColorValue());
        EXPECT_FALSE(Attr(red).isSysColorValue());
    }
    // Stored as 0x00BBGGRR.
    EXPECT_EQ(Attr("navy").getColorValue(), 0x00800000u);
    EXPECT_EQ(Attr("olivedrab").getColorValue(), 0x00238E6Bu);
    EXPECT_EQ(Attr("aliceblue").getColorValue(), 0x00FFF8F0u);
    for (const char* missing : {"cyan", "magenta", "lavenderblush", "grey", "dimgrey"})
        EXPECT_FALSE(Attr(missing).isColorValue()) << missing;
}

TEST(AttributeColors, SystemColors) {
    EXPECT_TRUE(Attr("ButtonFace").isSysColorValue());
    EXPECT_TRUE(Attr("scrollbar").isSysColorValue());
    EXPECT_EQ(CLiteHTMLElemAttr::_namedColors().at("infobackground"), 0x80000018u);
    EXPECT_EQ(CLiteHTMLElemAttr::_namedColors().at("threedface"),
              CLiteHTMLElemAttr::_namedColors().at("buttonface"));
    // Resolved through the desktop palette.
    EXPECT_EQ(Attr("window").getColorValue(), 0x00FFFFFFu);
    EXPECT_EQ(Attr("windowtext").getColorValue(), 0x00000000u);
    EXPECT_NE(Attr("highlight").getColorValue(), CLiteHTMLElemAttr::_clrInvalid);
}

TEST(AttributeColors, HexAndInvalid) {
    EXPECT_EQ(Attr("#ff0000").getColorValue(), 0x00FF0000u);
    EXPECT_TRUE(Attr("#ABCdef").isHexColorValue());
    EXPECT_FALSE(Attr("#").isHexColorValue());
    EXPECT_FALSE(Attr("#12g4").isHexColorValue());
    EXPECT_FALSE(Attr("ff0000").isColorValue());
    EXPECT_EQ(Attr("ff0000").getColorValue(), CLiteHTMLElemAttr::_clrInvalid);
    EXPECT_EQ(Attr("1red").getColorValue(), CLiteHTMLElemAttr::_clrInvalid);
    EXPECT_EQ(Attr("").getColorValue(), CLiteHTMLElemAttr::_clrInvalid);
}

TEST(AttributeColors, HexText) {
    EXPECT_EQ(Attr("navy").getColorHexValue(), "#800000");
    EXPECT_EQ(Attr("white").getColorHexValue(), "#ffffff");
    EXPECT_EQ(Attr("#AbC").getColorHexValue(), "AbC");
    EXPECT_EQ(Attr("nocolor").getColorHexValue(), "");
}

TEST(AttributeUnits, Percentages) {
    EXPECT_TRUE(Attr("50%").isPercentValue());
    EXPECT_EQ(Attr("50%").getPercentValue(), 50);
    EXPECT_EQ(Attr("150%").getPercentValue(100), 100);
    EXPECT_EQ(Attr("99999%").getPercentValue(), 65535);
    EXPECT_EQ(Attr("-5%").getPercentValue(), 0);
    EXPECT_FALSE(Attr("50").isPercentValue());
    EXPECT_EQ(Attr("50").getPercentValue(), 0);
}

TEST(AttributeUnits, Lengths) {
    const struct {
        const char* value;
        short number;
        CLiteHTMLElemAttr::LengthUnitsEnum unit;
    } cases[] = {
        {"12px", 12, CLiteHTMLElemAttr::px}, {"3EM", 3, CLiteHTMLElemAttr::em},
        {"2ex", 2, CLiteHTMLElemAttr::ex},   {"40%", 40, CLiteHTMLElemAttr::per},
        {"1in", 1, CLiteHTMLElemAttr::in},   {"5cm", 5, CLiteHTMLElemAttr::cm},
        {"7mm", 7, CLiteHTMLElemAttr::mm},   {"10pt", 10, CLiteHTMLElemAttr::pt},
        {"2pc", 2, CLiteHTMLElemAttr::pc},
    };
    for (const auto& c : cases) {
        auto unit = static_cast<CLiteHTMLElemAttr::LengthUnitsEnum>(-1);
        EXPECT_EQ(Attr(c.value).getLengthValue(unit), c.number) << c.value;
        EXPECT_EQ(unit, c.unit) << c.value;
    }
    auto unit = CLiteHTMLElemAttr::pt;
    EXPECT_EQ(Attr("12").getLengthValue(unit), 0);
    EXPECT_EQ(Attr("").getLengthValue(unit), 0);
    EXPECT_EQ(unit, CLiteHTMLElemAttr::pt); // left unset
}

} // namespace

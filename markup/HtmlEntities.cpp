#include "markup/HtmlEntities.h"

#include "baseutil/HexDigit.h"
#include "markup/HtmlChars.h"

#include <array>
#include <string_view>
#include <unordered_map>

namespace mb::html {
namespace {

// Names of the characters 160 to 255, in code order.
constexpr std::array<std::string_view, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

const std::unordered_map<std::string_view, char32_t>& EntityTable() {
    static const std::unordered_map<std::string_view, char32_t> table = [] {
        std::unordered_map<std::string_view, char32_t> entries = {
            {"quot", U'"'}, {"amp", U'&'}, {"apos", U'\''}, {"lt", U'<'}, {"gt", U'>'}};
        for (std::size_t i = 0; i < kLatin1Names.size(); ++i)
            entries.emplace(kLatin1Names[i], static_cast<char32_t>(160 + i));
        return entries;
    }();
    return table;
}

std::string Lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = ToLower(c);
    return out;
}

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// Documents write entity names in any case; the table knows one spelling.
// Letter case only matters where it tells two characters apart (Agrave and
// agrave, ETH and eth): the first letter decides there, everything else is
// lowered.
std::string NormalizeEntityName(std::string_view name) {
    std::string lower = Lowered(name);
    bool upperFirst = IsUpper(name[0]);
    if (lower == "eth" || lower == "thorn") {
        if (upperFirst)
            for (char& c : lower)
                c = static_cast<char>(c - 32);
        return lower;
    }
    if (lower == "aelig")
        return upperFirst ? "AElig" : "aelig";
    static constexpr std::array<std::string_view, 8> kAccents = {"grave", "acute", "circ", "uml",
                                                                 "tilde", "cedil", "ring", "slash"};
    for (std::string_view accent : kAccents) {
        if (lower.size() == accent.size() + 1 && lower.compare(1, std::string::npos, accent) == 0) {
            lower[0] = name[0];
            return lower;
        }
    }
    return lower;
}

// The number at the start of `digits`, stopping at the first character that
// is not a digit of `base`; saturates just past the last code point.
char32_t ReadNumber(std::string_view digits, int base) {
    char32_t value = 0;
    for (char c : digits) {
        int digit = HexDigitValue(c);
        if (digit < 0 || digit >= base)
            break;
        value = value * base + digit;
        if (value > 0x10FFFF)
            return 0x110000;
    }
    return value;
}

// Appends the character that the reference body (between '&' and ';')
// stands for; false when it stands for none.
bool AppendReference(std::string& out, std::string_view body) {
    char32_t code;
    if (body[0] == '#' && IsDigit(body[1])) {
        code = ReadNumber(body.substr(1), 10);
    } else if (body[0] == '#' && (body[1] == 'x' || body[1] == 'X')) {
        code = ReadNumber(body.substr(2), 16);
    } else {
        code = LookupEntity(NormalizeEntityName(body));
        if (code == 0)
            return false;
    }
    return code == 0 || AppendUtf8(out, code);
}

} // namespace

bool AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        if (code >= 0xD800 && code <= 0xDFFF)
            return false;
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code <= 0x10FFFF) {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        return false;
    }
    return true;
}

char32_t LookupEntity(std::string_view name) {
    const auto& table = EntityTable();
    auto it = table.find(name);
    return it == table.end() ? 0 : it->second;
}

std::string DecodeReferences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t amp = text.find('&', i);
        if (amp == std::string_view::npos)
            break;
        out.append(text, i, amp - i);
        std::size_t semi = text.find(';', amp + 1);
        if (semi == std::string_view::npos) {
            // No later '&' can have a ';' behind it either.
            i = amp;
            break;
        }
        std::string_view body = text.substr(amp + 1, semi - amp - 1);
        if (body.size() > 1 && AppendReference(out, body)) {
            i = semi + 1;
        } else {
            out += '&';
            i = amp + 1;
        }
    }
    out.append(text, i, std::string_view::npos);
    return out;
}

} // namespace mb::html

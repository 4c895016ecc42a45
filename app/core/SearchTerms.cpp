#include "app/core/SearchTerms.h"

#include "markup/HtmlEntities.h"

#include <algorithm>

namespace mb::search {
namespace {

constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

// The next code point of `text` at `at` (advanced past it), or kNotUtf8
// for a byte that does not begin a well-formed sequence (`at` moves by one).
char32_t NextCodePoint(std::string_view text, size_t& at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size()) {
        ++at;
        return kNotUtf8;
    }
    char32_t code = lead & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return kNotUtf8;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return code;
}

bool IsIdeographic(char32_t c) {
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0x1100 && c <= 0x11FF) ||
           (c >= 0xFF66 && c <= 0xFF9F) || (c >= 0x20000 && c <= 0x2FFFF);
}

// Letters and digits of the alphabetic scripts: ASCII letters and digits,
// and every character beyond ASCII outside the blocks of punctuation,
// symbols, spaces and private use.
bool IsWordCharacter(char32_t c) {
    if (c < 0x80)
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (c < 0xC0)
        return c == 0xAA || c == 0xB5 || c == 0xBA;
    if (c == 0xD7 || c == 0xF7)
        return false;
    return !(c >= 0x2000 && c <= 0x2BFF) && !(c >= 0x3000 && c <= 0x303F) &&
           !(c >= 0xE000 && c <= 0xF8FF) && !(c >= 0xFE30 && c <= 0xFE4F) &&
           !(c >= 0xFF00 && c <= 0xFF65) && !(c >= 0xFFF0 && c <= 0xFFFF) && c != kNotUtf8;
}

// Fullwidth forms of ASCII letters and digits, as Japanese text often
// writes them, are the ASCII ones.
char32_t Narrowed(char32_t c) {
    bool fullwidthAlphanumeric = (c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) ||
                                 (c >= 0xFF41 && c <= 0xFF5A);
    return fullwidthAlphanumeric ? c - 0xFF00 + 0x20 : c;
}

// Lower case for the letters of Latin, Greek and Cyrillic.
char32_t Lowered(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE)
        return c + 0x20; // À..Þ (× is no word character)
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x4FF))
        return c | 1; // pairs of capital (even) and small (odd) letters
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

} // namespace

namespace detail {

char32_t TakeCharacter(std::string_view utf8, size_t& at, std::string& word) {
    char32_t c = Narrowed(NextCodePoint(utf8, at));
    if (IsIdeographic(c))
        return c;
    if (!IsWordCharacter(c))
        return 1;
    mb::html::AppendUtf8(word, Lowered(c));
    return 0;
}

void AppendOne(std::string& single, char32_t c) {
    single.clear();
    mb::html::AppendUtf8(single, c);
}

void AppendPair(std::string& pair, char32_t first, char32_t second) {
    pair.clear();
    mb::html::AppendUtf8(pair, first);
    mb::html::AppendUtf8(pair, second);
}

} // namespace detail

std::vector<std::string> QueryWords(std::string_view utf8) {
    std::vector<std::string> words;
    std::string run;
    bool ideographic = false;
    auto endRun = [&] {
        if (!run.empty() && std::find(words.begin(), words.end(), run) == words.end())
            words.push_back(run);
        run.clear();
    };
    for (size_t at = 0; at < utf8.size();) {
        char32_t c = Narrowed(NextCodePoint(utf8, at));
        bool isIdeograph = IsIdeographic(c);
        if (!isIdeograph && !IsWordCharacter(c)) {
            endRun();
            continue;
        }
        if (isIdeograph != ideographic)
            endRun();
        ideographic = isIdeograph;
        mb::html::AppendUtf8(run, isIdeograph ? c : Lowered(c));
    }
    endRun();
    return words;
}

std::vector<std::string> QueryTerms(std::string_view utf8) {
    std::vector<std::string> terms;
    auto add = [&terms](std::string_view term) {
        if (std::find(terms.begin(), terms.end(), term) == terms.end())
            terms.emplace_back(term);
    };
    for (const std::string& word : QueryWords(utf8)) {
        std::vector<std::string> singles, pairs;
        ForEachTerm(word, [&](std::string_view term, bool isPair) {
            (isPair ? pairs : singles).emplace_back(term);
        });
        // An ideographic run of two or more characters is found by its
        // pairs; a word or a single character by itself.
        for (const std::string& term : pairs.empty() ? singles : pairs)
            add(term);
    }
    return terms;
}

} // namespace mb::search

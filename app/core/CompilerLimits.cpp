#include "app/core/CompilerLimits.h"

#include "baseutil/IniSection.h"
#include "projectmodel/HHPFile.h"
#include "projectmodel/LegacyText.h"

#include <cstdio>
#include <map>
#include <string_view>
#include <strings.h>
#include <utility>

namespace {

constexpr const char* kDefaultErrorLog = "compilelog.txt";
constexpr const char* kDefaultCompatibility = "1.1 or later";

using Entry = std::pair<std::string, std::string>;

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The "key=value" lines of a section of the project text.
std::vector<Entry> Entries(const std::string& text, const char* section) {
    std::vector<Entry> entries;
    for (const std::string& line : mb::IniSectionLines(text, section)) {
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            entries.emplace_back(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
    }
    return entries;
}

std::string OptionValue(const std::vector<Entry>& options, const std::string& key) {
    for (const Entry& entry : options) {
        if (SameText(entry.first, key))
            return entry.second;
    }
    return {};
}

std::string Hex(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
    return text;
}

std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

void AddLanguageLines(const CHHPFile& hhp, std::vector<std::string>& lines) {
    int language = 0;
    hhp.GetOptionsData(OPT_LANGUAGE, language);
    if (language <= 0)
        return;
    std::string codePage = mb::CodePageOfLanguage(language);
    if (codePage != "CP1252")
        lines.push_back("Language " + Hex(language) +
                        ": chmcmd builds the keyword index and the full-text search for the "
                        "Western European code page (Windows-1252) instead of this language's "
                        "code page (" +
                        codePage + "), so searching and keyword look-up may fail.");
}

void AddOptionLines(const CHHPFile& hhp, const std::vector<Entry>& options,
                    std::vector<std::string>& lines) {
    tagHH_HHP_OPTIONS o;
    hhp.GetOptionsData(-1, o);
    if (!o.errorLogFile.empty() && !SameText(o.errorLogFile, kDefaultErrorLog))
        lines.push_back("Error log file \"" + o.errorLogFile +
                        "\": chmcmd writes no log file; its messages appear in the compile "
                        "window only.");
    if (o.fullTextSearch && !o.fullTextSearchStopList.empty())
        lines.push_back("Full-text search stop list \"" + o.fullTextSearchStopList +
                        "\": chmcmd uses no stop list; every word of the pages is searchable.");
    if (!o.compatibility.empty() && !SameText(o.compatibility, kDefaultCompatibility))
        lines.push_back("Compatibility \"" + o.compatibility +
                        "\": chmcmd always makes a help file for HTML Help 1.1 or later.");
    if (o.flat)
        lines.push_back(
            "Flat: chmcmd keeps the topic files in their folders inside the help file.");
    if (o.enhancedDecompilation)
        lines.push_back("Enhanced decompilation: chmcmd stores no extra information for "
                        "decompiling the help file.");
    if (!o.binaryIndex && !SameText(OptionValue(options, "Binary Index"), "NO"))
        lines.push_back("Binary index switched off: chmcmd builds a binary index all the same.");
}

void AddMapLines(const CHHPFile& hhp, const std::string& text, std::vector<std::string>& lines) {
    std::vector<std::string> withoutTopic;
    const CXML* map = hhp.GetMapData();
    for (int i = 0; i < map->GetChildCount(); ++i) {
        const CXML* header = map->GetChildAt(i);
        for (int k = 0; k < header->GetChildCount(); ++k) {
            const CXML* symbol = header->GetChildAt(k);
            if (symbol->GetAttr("FILE").empty())
                withoutTopic.push_back(symbol->GetTagName());
        }
    }
    if (!withoutTopic.empty())
        lines.push_back("Context ids without a topic (" + Listed(withoutTopic) +
                        "): chmcmd refuses to compile a project with such ids.");

    std::map<std::string, std::vector<std::string>> idsOfTopic;
    for (const auto& [id, topic] : Entries(text, "ALIAS"))
        idsOfTopic[topic].push_back(id);
    for (const auto& [topic, ids] : idsOfTopic) {
        if (ids.size() > 1)
            lines.push_back("Context ids " + Listed(ids) + " lead to the same topic \"" + topic +
                            "\": chmcmd refuses to compile a project in which ids share a topic.");
    }
}

} // namespace

namespace mb {

std::vector<std::string> UnhonouredSettings(const CHHPFile& hhp) {
    std::string text = hhp.BuildHHPText(CHHPFile::PathForm::Compiler);
    std::vector<Entry> options = Entries(text, "OPTIONS");
    std::vector<std::string> lines;
    AddLanguageLines(hhp, lines);
    AddOptionLines(hhp, options, lines);
    AddMapLines(hhp, text, lines);
    return lines;
}

} // namespace mb

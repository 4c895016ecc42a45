#pragma once
// Pieces shared by the contents (.hhc) and index (.hhk) readers and writers:
// the sitemap text itself, parameter lines and their values, the font
// property, and the nesting of entries that come as a flat list with levels.

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class CXML;

namespace mb::sitemap {

// The sitemap file as UTF-8 text: bytes that are not valid UTF-8 are decoded
// with the code page of `languageId`. False when the file cannot be read.
bool ReadSitemapText(const std::string& path, int languageId, std::string& text);

// An attribute's text without copying it; empty when it is not set.
const std::string& AttrOf(const CXML* element, const char* name);

// Where the entries of a scanned sitemap start: the "BODY" of its "HTML"
// (or of the root), else the "HTML", else the root itself.
CXML* StartElement(CXML* scanned);

// Appends a "param" child with the attributes "name" and "value".
void AddParam(CXML* properties, const std::string& name, const std::string& value);

// The child of `element` with this tag, made when there is none.
CXML* ChildOrNew(CXML* element, const std::string& tag);

// Copies the parameters of the "text/site properties" object below `start`
// whose names are among `names` (compared ignoring case) into `properties`,
// under the name as listed and with the value decoded; others are dropped.
void CopySiteProperties(const CXML* start, CXML* properties, std::span<const char* const> names);

// The first "OBJECT" child of `element` whose "type" is `type` (any case).
CXML* FindObject(const CXML* element, const std::string& type);

// Appends one parameter line: `depth` TABs, then
// <param name="NAME" value="VALUE"> and CR LF.
void FillParamString(std::string& out, int depth, const std::string& name,
                     const std::string& value);
// Appends `depth` TABs, the text and CR LF.
void AppendLine(std::string& out, int depth, const std::string& text);

// Values of parameters. Names (and the other texts of an entry) are written
// with &, <, > and " as entities. Pages are written as they are, since the
// compiler takes them literally to find the files; only a double quote,
// which would end the value, becomes an entity. Reading decodes every
// character reference, numeric ones included (the writer puts characters
// the compiler's code page lacks as "&#NNNN;"), and "%20" in pages.
std::string EncodeText(const std::string& text);
std::string EncodeLocal(const std::string& local);
std::string DecodeText(const std::string& raw);
std::string DecodeLocal(const std::string& raw);

// "0x%x".
std::string HexText(uint32_t value);
// The font property "face,size,charset".
std::string FontText(const std::string& face, long size, int charset);
// Splits a font property at its commas: face (even when empty), size (9
// when missing), character set (0 when missing).
void ParseFontText(const std::string& text, std::string& face, long& size, int& charset);

// One entry of a tree with its level (0 for the top level).
struct LeveledEntry {
    const CXML* node;
    int level;
};
// The entries below `root` in document order.
std::vector<LeveledEntry> EntriesInOrder(const CXML* root);

// Writes the nested lists of a sitemap: the outer "<UL>" on construction,
// then one "<UL>" when an entry goes one level deeper (one also when it goes
// several) and a "</UL>" for each list it leaves; lines are indented by the
// number of open lists.
class ListWriter {
public:
    explicit ListWriter(std::string& out);
    // Opens or closes lists for an entry on `level`; returns the depth at
    // which the entry's lines are written.
    int MoveTo(int level);
    // Closes every list still open.
    void Finish();

private:
    std::string& m_out;
    std::vector<int> m_opened; // per open list, the level it was opened from
    int m_previous = 0;
};

// The paths resolved while one file is read: entries name the same pages
// again and again, and resolving a page may look at the disk.
class ResolvedPaths {
public:
    template <typename Resolve>
    const std::string& Get(const std::string& value, Resolve&& resolve) {
        auto [slot, added] = m_paths.try_emplace(value);
        if (added)
            slot->second = resolve(value);
        return slot->second;
    }

private:
    std::unordered_map<std::string, std::string> m_paths;
};

// Nests nodes that arrive in document order with their levels (0 for the
// top level) under a list element: a node one level deeper than the
// previous one becomes its child, one on the same level its sibling, one
// higher up the sibling of the ancestor on that level. A level that jumps
// by more than one counts as one deeper, and nesting stops at kMaxLevel, so
// that no file can build a tree too deep to handle.
class LevelNester {
public:
    static constexpr int kMaxLevel = 200;
    explicit LevelNester(CXML* list) : m_list(list) {}
    // Takes ownership of `node`.
    void Add(CXML* node, int level);

private:
    CXML* m_list;
    std::vector<CXML*> m_path; // the last node on each level
};

} // namespace mb::sitemap

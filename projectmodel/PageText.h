#pragma once
// The text of a page file and its encoding. A page is decoded by its
// byte-order mark, else by the charset its meta tag names, else as UTF-8
// when it is valid UTF-8, else in the code page of the project's language;
// it is saved in the same encoding, so an edit changes only what was edited.

#include <string>
#include <vector>

namespace mb::page {

struct PageEncoding {
    std::string name = "UTF-8"; // iconv name
    std::string bom;            // the byte-order mark the file began with
};

// The charset a meta tag near the top of the page names ("" for none).
std::string MetaCharset(const std::string& bytes);

// Decodes page bytes to UTF-8 and says how they were encoded.
std::string DecodePage(const std::string& bytes, int languageId, PageEncoding& encoding);

// Joins the source editor's lines into page text with line ends taken from
// `original`, the text the editor was loaded with: the unchanged lines at
// the start and the end keep their own line ends, so that an edit changes
// only what was edited; lines in between get the line end the original
// uses most (LF when it has none), also in place of a line separator
// (U+2028) typed there. The editor breaks lines where `original` has CR LF,
// LF, CR, U+2029 or Qt's frame marks U+FDD0 and U+FDD1.
std::string JoinLines(const std::vector<std::string>& lines, const std::string& original);

// Encodes UTF-8 text for saving; characters the encoding cannot hold are
// written as decimal character references ("&#8364;"). False when the
// encoding is not known to the system.
bool EncodePage(const std::string& utf8, const PageEncoding& encoding, std::string& bytes);

} // namespace mb::page

#pragma once
// The text of a page file and its encoding. A page is decoded by its
// byte-order mark, else by the charset its meta tag names, else as UTF-8
// when it is valid UTF-8, else in the code page of the project's language;
// it is saved in the same encoding, so an edit changes only what was edited.

#include <string>

namespace mb::page {

struct PageEncoding {
    std::string name = "UTF-8"; // iconv name
    std::string bom;            // the byte-order mark the file began with
};

// The charset a meta tag near the top of the page names ("" for none).
std::string MetaCharset(const std::string& bytes);

// Decodes page bytes to UTF-8 and says how they were encoded.
std::string DecodePage(const std::string& bytes, int languageId, PageEncoding& encoding);

// Encodes UTF-8 text for saving; characters the encoding cannot hold are
// written as decimal character references ("&#8364;"). False when the
// encoding is not known to the system.
bool EncodePage(const std::string& utf8, const PageEncoding& encoding, std::string& bytes);

} // namespace mb::page

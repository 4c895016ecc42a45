#pragma once
// The settings a compiled help file keeps in its "#SYSTEM" stream: the
// names of its contents and index files, its default topic, title, language,
// default window and font, and which binary forms it carries.

#include <cstdint>
#include <string>
#include <string_view>

// Texts are as stored: in the code page of the file's language.
struct ChmSystemInfo {
    std::string contentsFile;
    std::string indexFile;
    std::string defaultTopic;
    std::string title;
    std::string defaultWindow;
    std::string defaultFont;
    uint32_t languageId = 0; // 0 when the stream names none
    bool fullTextSearch = false;
    bool binaryIndex = false;
    bool binaryToc = false;
};

// A version number, then records of a 16-bit code, a 16-bit length and that
// many bytes. Unknown codes are skipped; a record that runs past the end of
// the stream ends the reading with what was read before it.
ChmSystemInfo ParseSystemStream(std::string_view bytes);

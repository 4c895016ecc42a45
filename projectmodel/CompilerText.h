#pragma once
// The text files handed to the HTML Help compiler (.hhp, .hhc, .hhk) are read
// by it in the Windows code page of the help file's language, not in UTF-8.
// These helpers turn the UTF-8 text built in memory into that code page.
// A character the code page cannot hold is written as a decimal character
// reference ("&#8364;"): the help viewer's contents control understands the
// decimal form only, never the hexadecimal one.

#include "baseutil/MainWindow.h"

#include <string>

namespace mb {

struct EncodedText {
    std::string bytes;       // the text in the code page of the language
    int unrepresentable = 0; // characters written as "&#NNNN;"
};

// `utf8` in the code page of `languageId` (see CodePageOfLanguage). Bytes
// that are not UTF-8 at all are taken as U+FFFD and counted as well.
EncodedText EncodeForLanguage(const std::string& utf8, int languageId);

// The compiler's own project text (.hhp) for `languageId`. chmcmd opens the
// files named in [MAP], [ALIAS] and [FILES] by the bytes written there, and
// file names on this system are UTF-8: those sections stay UTF-8. The rest
// (titles, default topic, window texts) goes into the help file for the
// viewer, which reads it in the language's code page, and is encoded.
EncodedText EncodeCompilerProjectText(const std::string& utf8, int languageId);

// Writes `text`, encoded for `languageId`, to `path` through a temporary
// file that replaces the target only when complete. When characters had to
// be written as references, one log line to `log` says how many. False on
// failure, with the reason in `error` when given.
bool WriteEncodedTextFile(const std::string& path, const EncodedText& text, int languageId,
                          ILogSink* log, std::string* error);

// Encodes `utf8` for `languageId` and writes it to `path` through a
// temporary file that replaces the target only when complete. When
// characters had to be written as references, one log line to `log` says
// how many. False on failure, with the reason in `error` when given.
bool WriteCompilerTextFile(const std::string& path, const std::string& utf8, int languageId,
                           ILogSink* log, std::string* error);

} // namespace mb

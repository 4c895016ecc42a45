#pragma once
// Text from files (stream names inside a help file, log lines that quote
// them) made safe to print: control characters would otherwise reach the
// terminal as commands that set colours, move the cursor or change the
// window title.
#include <string>
#include <string_view>

namespace mb::cli {

// `text` with every control character written as "\xNN" (C0 and DEL as
// bytes; C1 characters as "\u0080" to "\u009f") and every byte that is not
// part of a UTF-8 character as "\xNN". Line ends ("\n", "\r") and tabs are
// kept as they are only with `keepLineBreaks`.
std::string Printable(std::string_view text, bool keepLineBreaks = false);

} // namespace mb::cli

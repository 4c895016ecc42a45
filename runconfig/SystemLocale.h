#pragma once
// The user's locale as a Windows language id (LCID), the form in which
// language ids are stored in projects and in the configuration.

#include <string>

namespace mb {

// The language id of a POSIX locale name such as "de_DE.UTF-8" or
// "pt_BR@euro". A known language with an unknown territory gets that
// language's main id; anything else (including "C" and "POSIX") gets 1033,
// English (United States).
int LocaleIdFromName(const std::string& locale);

// The language id of the user's message locale: the first non-empty one of
// LC_ALL, LC_MESSAGES and LANG.
int SystemDefaultLocaleId();

} // namespace mb

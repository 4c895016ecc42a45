#pragma once
#include <string>

namespace mb {
// A new GUID in registry form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
// upper-case hex, from 128 random bits of the system's random source
// (version 4 layout).
std::string NewGuidString();
} // namespace mb

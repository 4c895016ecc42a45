#pragma once
// IDs for new entries of the contents and the index: GUIDs in registry form,
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with upper-case hex, from the
// system's random source. Loading a project makes one for every entry, so
// the random bytes are fetched in large blocks rather than per ID.

#include <string>

namespace mb {

std::string NewNodeID();

} // namespace mb

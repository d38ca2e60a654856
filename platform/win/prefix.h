// The prefix: the one folder in which the platform and the host stand-in keep
// their settings, the drive map, the ledger, drive_c/ and windows/.
//
// It is chosen by the environment variable UCHIWAKE_PREFIX, by default
// $XDG_DATA_HOME/uchiwake, else $HOME/.local/share/uchiwake. The variable is
// read on every call, so a test may point it at a fresh folder at any time.
// The program itself never calls these functions.
#pragma once

#include <string>

namespace uw {

// The prefix folder as a POSIX path without a trailing slash. Never empty:
// without HOME it is "./.uchiwake".
std::string GetPrefixFolder();

// `relative` placed inside the prefix ("platform.ini" -> "<prefix>/platform.ini").
std::string GetPrefixPath(const std::string& relative);

}  // namespace uw

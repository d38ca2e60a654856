// The host's message texts: the statement program's name in place of the
// placeholder ES_APRPACKAGENAME.
#pragma once

#include <cstddef>
#include <string>

namespace talhost {

// The name shown when [host] package is unset (UTF-8).
constexpr const char* kDefaultPackageName = "申告書作成プログラム";

// Longest text a host message shows, in bytes; a longer result is cut on a
// character boundary.
constexpr std::size_t kMaxMessageBytes = 16384;

// The statement program's name: [host] package, or kDefaultPackageName, in
// CP932.
std::string PackageNameCp932();

// `text` (CP932) with every "ES_APRPACKAGENAME" that starts a character
// replaced by `package` (CP932), in one pass (a package name holding the
// placeholder is not expanded again). A placeholder-like run that begins on
// the trail byte of a double-byte character is left alone. The result is
// at most kMaxMessageBytes long.
std::string ReplacePackageName(const std::string& text, const std::string& package);

}  // namespace talhost

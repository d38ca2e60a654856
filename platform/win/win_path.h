// Parsing of Windows path texts: the one place that knows how a CP932 path
// splits into its root (a drive letter or a \\server\share) and its folder
// and file names.
//
// Every scan here steps over double-byte characters whole, so the trail
// byte 0x5C of a character such as "ソ" (83 5C) is never taken for a
// backslash. Both '\' and '/' separate names, as they do for the Windows
// file calls (the shell's path functions treat '/' differently; see
// shlwapi.h). Nothing here touches the file system or the drive map: the
// current folder is passed in, so the rules can be tested on their own.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace uw {

// Number of bytes of the character that starts at text[i]: 2 for a lead byte
// followed by a trail byte, else 1. REQUIRES: text[i] is not the NUL.
std::size_t CharLenAt(const char* text, std::size_t i);

// True when text[i] is '\' or '/' and starts a character (the caller steps
// through the text character by character).
inline bool IsWinSeparator(char c) { return c == '\\' || c == '/'; }

// A Windows path resolved to its absolute form.
struct WinPathParts {
  enum Kind { kDrive, kShare };
  Kind kind = kDrive;
  char letter = 0;                      // kDrive: the drive letter, upper case
  std::string server;                   // kShare: server name, CP932
  std::string share;                    // kShare: share name, CP932
  std::vector<std::string> components;  // folder and file names, CP932
  bool trailingSeparator = false;       // the text ended in a separator
};

// Resolves `path` the way the Windows file calls do:
//   "C:\A\B", "c:/A/B"       absolute on drive C: (the letter in any case)
//   "\\server\share\A"       absolute on a share ('/' works as well)
//   "\A"                     on the root of the current folder's drive/share
//   "C:A"                    relative to drive C:'s current folder
//   "A\B", ".\A"             relative to the current folder
// Empty names and "." are dropped; ".." removes the name before it and stops
// at the root. `currentFolder` is the current folder's absolute Windows path
// (may be null or empty when there is none).
// "C:A" is taken relative to the current folder when that is on drive C:,
// else relative to the root of C: (the process keeps one current folder, not
// one per drive).
// Returns false for a null or empty path, "\\server" without a share, and a
// relative path ("A", "\A") when the current folder is unknown.
// NOTES: trailing dots and blanks of names are kept (Windows drops them).
bool ParseWinPath(const char* path, const char* currentFolder, WinPathParts* parts);

// The root of `parts`: "C:\" or "\\server\share\".
std::string FormatWinRoot(const WinPathParts& parts);

// The absolute path of `parts`: "C:\A\B", "C:\" for the root, "\\s\sh\A",
// "\\s\sh\" for a share root. With `trailingBackslash` a path that is not a
// root ends in '\' too.
std::string FormatWinPath(const WinPathParts& parts, bool trailingBackslash);

// True when `a` and `b` are equal ignoring the case of ASCII letters outside
// double-byte characters (the way Windows compares names).
bool EqualNoCaseCp932(const std::string& a, const std::string& b);

}  // namespace uw

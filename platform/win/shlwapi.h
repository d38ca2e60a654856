// The shell's path functions the program calls: the root of a path, the part
// after it, and whether a path is an existing folder or file.
//
// The root functions work on the text alone (no drive map, no file system).
// For them only '\' separates names ('/' is an ordinary byte), and a
// double-byte character is one character: the trail byte 0x5C of "ソ" is no
// separator. The existence tests map the path through the drive map
// (drive_map.h).
#pragma once

#include "platform/win/windef.h"

constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;

// Cuts `path` (a writable buffer) down to its root:
//   "C:\A\B\", "C:\"                 -> "C:\", TRUE
//   "C:", "C:file.xml"               -> "C:", FALSE
//   "\\server\share\dir\f.xml",
//   "\\server\share\"                -> "\\server\share", TRUE
//   "\\server\share", "\\server"     -> unchanged, TRUE
//   "\dir\f"                         -> "\", TRUE
//   "dir\f", ""                      -> "", FALSE
// FALSE for a null path. Only ever shortens the text.
BOOL PathStripToRootA(LPSTR path);

// Pointer to the first byte after the root of `path` (into the argument):
//   "C:\A\B" -> "A\B" (offset 3); "C:\" -> "" (offset 3);
//   "\\server\share\dir\f.xml" -> "dir\f.xml" (offset 15);
//   "\\server\share\" -> "" (offset 15).
// Null when the path has no such root: "C:", "C:file.xml", "\\server\share",
// "\\server", "\dir\f", "dir\f", "" and a null path.
LPCSTR PathSkipRootA(LPCSTR path);

// FILE_ATTRIBUTE_DIRECTORY (0x10, not 1) when `path` is an existing folder,
// else FALSE (a file, nothing there, an unmapped drive, a null path).
BOOL PathIsDirectoryA(LPCSTR path);

// TRUE when a file or folder `path` exists, else FALSE.
BOOL PathFileExistsA(LPCSTR path);

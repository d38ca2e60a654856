// Path operations of the output destination: the checks the conditions
// dialog runs on the path the user typed, the parts of a path it shows in
// the file dialog, and the creation of a missing folder with every level
// below the deepest existing one.
//
// Paths are CP932 byte strings as the user typed them (drive letter or
// \\server\share, backslashes). Every search for a backslash or a colon
// steps over double-byte characters, so the trail byte 0x5C of a character
// such as "ソ" (83 5C) is never taken for a backslash. Path buffers hold
// kPathBufferSize bytes (260 and the NUL); a path longer than that is
// refused by the operations that copy it, never cut.
#pragma once

#include "platform/win/afxstr.h"
#include "platform/win/windef.h"

// Bytes of a path buffer: 260 bytes of path and the NUL.
constexpr int kPathBufferSize = MAX_PATH + 1;

// TRUE when `path` fits a path buffer (at most 260 bytes); FALSE for a
// longer or null path. The dialog refuses such a path before any other
// check, since every later step copies it into a path buffer.
BOOL FitsPathBuffer(const char* path);

// TRUE when `path` has no doubled backslash and no forbidden character
// ('/', ':', ',', ';', '*', '?', '"', '>', '<', '|'). A network path keeps
// its leading pair (a pair starting at byte 3 or later is refused); a
// local path's first colon (after the drive letter) is allowed, any other
// is not. A trail byte equal to '|' or '\' belongs to its character.
BOOL CheckPathChars(const char* path);

// TRUE when the drive or network share of `path` is usable. A local path
// (refused when it holds a doubled backslash) is judged by IsDriveUsable of
// its first byte, whether or not a colon follows. A network path is judged
// by the read and write access test of its share root \\server\share; a
// path without a backslash after the server and after the share is refused.
BOOL CheckDrive(const char* path);

// TRUE when drive `letter` (A-Z, a-z; anything else is refused) may be
// written: by the type of its root "X:\", unknown (0), CD-ROM (5) and RAM
// disk (6) are refused, "no root directory" (1) and types above 6 are
// accepted, and removable (2), fixed (3) and remote (4) drives are accepted
// when the root passes the access test with `mode` (6: read and write).
BOOL IsDriveUsable(int letter, int mode);

// The text up to and including the last backslash; "" when there is none.
CString GetFolderPart(const char* path);
// The text after the last backslash; the whole text when there is none.
CString GetFileNamePart(const char* path);
// The text up to and including the last colon; "" when there is none.
CString GetDrivePart(const char* path);
// The text after the last colon; the whole text when there is none.
CString GetAfterDrivePart(const char* path);

// Makes `path` (a buffer of `size` bytes, the NUL counted) end in a
// backslash. Returns 1 when it ends in one afterwards; 0 when it is empty or
// has no room for one more byte (left unchanged).
int AddBackslash(char* path, int size);

// Replaces `path` by its drive and folder ("C:\A\f.xml" -> "C:\A\"). When
// these do not end in a backslash and are shorter than the path, one is
// appended ("C:f.xml" -> "C:\"). Returns 1; 0, leaving `path` unchanged,
// when drive and folder are empty or the path does not split.
// REQUIRES: `path` is a writable NUL-terminated buffer; the result is never
// longer than the path, so any buffer holding it holds the result.
int ToFolderPath(char* path);

// TRUE when the folder part of `path` (by ToFolderPath; the whole path when
// that fails) is an existing folder. FALSE for an empty path or one that
// does not fit a path buffer.
BOOL FolderExists(const char* path);

// TRUE when byte `pos` of `text` is the lead or the trail byte of a
// double-byte character (by a scan from the start); FALSE otherwise, also
// for a position outside the text.
BOOL IsDbcsAt(const char* text, int pos);

// Creates every missing level of the folder part of `folder` ("C:\A\B\"
// creates C:\A\ and then C:\A\B\ as needed). Returns 1 when every level
// exists afterwards; 0 when the folder is empty, has no root (a drive
// letter with ":\" or a \\server\share\), does not fit a path buffer, or a
// level cannot be created; in the last case the levels this call created
// are removed again (RemoveCreatedFolders) and those that existed stay.
// NOTES: a text not ending in a backslash names a file: "C:\A\B" creates
// only C:\A\.
int CreateFolderTree(const char* folder);

// Removes, deepest first, the existing levels of the folder of `target`
// that lie below the folder of `keep` (compared without regard to the case
// of single-byte letters). Nothing is removed when the two lie on different
// roots or `keep` is not above `target`; the removal stops at the first
// level that cannot be removed (one that is not empty, for instance).
void RemoveCreatedFolders(const char* target, const char* keep);

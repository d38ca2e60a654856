// Profile (INI) file reading: the Windows calls the program uses for its
// level definition file, and the same parser for our own UTF-8 settings
// files (platform.ini, host.ini).
//
// The format, as the Windows calls read it:
//   [Section]        a section header; blanks around the name are trimmed
//   key = value      blanks around key and value are trimmed
//   ; comment        a line whose first non-blank is ';'
// Lines may be indented and end in LF or CR LF; the last line needs no line
// end. Section and key names match without regard to ASCII case; in CP932
// files a double-byte character is compared whole, so two kanji whose trail
// bytes are an upper- and a lower-case letter stay different. A value in
// matching double or single quotes loses them (the blanks inside stay); an
// unmatched quote stays. There are no inline comments: "1 ;x" is a value.
// The first section of a name is the only one read, and the first key of a
// name in it wins. A line in a section without '=' is no key. Lines before
// the first section belong to no section.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/win/windef.h"

// Copies the value of `key` in `section` of the profile file `fileName`
// (a Windows path, CP932) into `buffer` of `size` bytes, NUL-terminated.
// Returns the number of bytes copied without the NUL.
// A key that is present with an empty or blank value gives "" (and 0), not
// the default. A missing key, section or file gives `def` (null reads as
// ""), its trailing blanks trimmed. A value or default longer than size - 1
// bytes is cut to fit.
// NOTES: our choice: a cut never ends in a lead byte; the result may then be
// size - 2 (the real call can leave a stray lead byte). A file name without
// a folder (no '\', '/' or ':') is looked up in the Windows folder
// C:\windows\, as the real call does, not in the current folder. Listing
// sections or keys (a null `section` or `key`) is not supported: the buffer
// becomes "" and the result is 0. Returns 0 without writing when `buffer`
// is null or `size` is 0.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                               LPCSTR fileName);

// The value of `key` in `section` of `fileName` as a number: `def` when the
// key is missing (as above), else the value read as win::atol reads it
// (leading number, 0 for an empty or non-numeric value).
// NOTES: a negative value is returned as its 32-bit two's complement.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int def, LPCSTR fileName);

namespace uw {

// Reads `key` of `section` from the UTF-8 profile file `posixPath` (a leading
// UTF-8 byte-order mark is skipped). Returns true and sets *value (trimmed,
// unquoted, possibly "") when the key is present; false, leaving *value
// unchanged, when the file cannot be read or has no such key.
bool ReadProfileString(const std::string& posixPath, const std::string& section,
                       const std::string& key, std::string* value);

// Every key of the first `section` of the UTF-8 profile file `posixPath`
// with its value, in file order, each key name once (its first line).
// Empty when the file cannot be read or has no such section.
std::vector<std::pair<std::string, std::string>> ReadProfileSection(const std::string& posixPath,
                                                                    const std::string& section);

}  // namespace uw

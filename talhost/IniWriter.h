// Writing single keys of the host's settings files (host.ini), keeping every
// other line, comment and section as it was.
//
// The host reads these files with the platform's profile reader, which
// matches sections and keys without regard to case and lets the first
// section of a name and the first key in it win. The writer follows the same
// rules, so the line it changes is the one the reader sees.
#pragma once

#include <string>

namespace talhost {

// Sets `key` in `section` of the INI file at the POSIX `path` to `value`:
// replaces the key's first line in the first section of that name, or adds
// the key at the end of that section, or adds the section at the end of the
// file; a missing file is created. The file is replaced atomically.
// Returns true on success; on failure `error` (when given) says why.
// REQUIRES nothing; refuses a section, key or value holding a line break, a
// key holding '=' and an empty section or key.
bool SetIniValue(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value, std::string* error);

// Writes `content` to `path` through a temporary file and a rename. Returns
// true on success; on failure `error` (when given) says why.
bool WriteFileAtomically(const std::string& path, const std::string& content, std::string* error);

}  // namespace talhost

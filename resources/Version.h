// The version of every deliverable: file and product version 19.0.0.0.
//
// A Windows program carries this in its version resource, readable from the
// file without running it. The Linux equivalent kept here is an ELF note,
// section ".note.uchiwake.version", owner "Uchiwake", type 1 (NT_VERSION),
// whose description holds two NUL-terminated texts:
//   "FileVersion=19.0.0.0" "ProductVersion=19.0.0.0"
// `readelf -n TalGrn19ToUG13_U` shows it. The note is defined in Version.cpp,
// which the resources object library links into each deliverable; the shared
// libraries the deliverables load carry the same number as their VERSION
// property (libuw_win.so.19.0.0.0 and so on).
//
// The program has no options, so it never prints its version; code that wants
// the numbers reads g_versionInfo.
#pragma once

#include "platform/win/windef.h"

struct StVersionInfo {
  WORD fileVersion[4];     // 19, 0, 0, 0
  WORD productVersion[4];  // 19, 0, 0, 0
};

// The version of the program this object was linked into.
extern const StVersionInfo g_versionInfo;

// Name, owner and type of the ELF note that carries the version in the file.
constexpr const char kVersionNoteSection[] = ".note.uchiwake.version";
constexpr const char kVersionNoteOwner[] = "Uchiwake";
constexpr DWORD kVersionNoteType = 1;

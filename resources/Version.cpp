// The version block of the deliverables (see Version.h for its form).
#include "resources/Version.h"

#include <cstdint>

const StVersionInfo g_versionInfo = {{19, 0, 0, 0}, {19, 0, 0, 0}};

namespace {

// Layout of an ELF note: three 32-bit words, then the owner name and the
// description, each padded to a multiple of four bytes.
constexpr char kVersionTexts[] = "FileVersion=19.0.0.0\0ProductVersion=19.0.0.0";

struct StVersionNote {
  std::uint32_t nameSize;
  std::uint32_t descSize;
  std::uint32_t type;
  char name[(sizeof(kVersionNoteOwner) + 3) / 4 * 4];
  char desc[(sizeof(kVersionTexts) + 3) / 4 * 4];
};

// "used" keeps the note although nothing refers to it; a section whose name
// starts with ".note" is emitted with the note type, so tools list it.
[[gnu::used, gnu::section(".note.uchiwake.version"),
  gnu::aligned(4)]] const StVersionNote kVersionNote = {
    sizeof(kVersionNoteOwner),
    sizeof(kVersionTexts),
    kVersionNoteType,
    "Uchiwake",
    "FileVersion=19.0.0.0\0ProductVersion=19.0.0.0",
};

}  // namespace

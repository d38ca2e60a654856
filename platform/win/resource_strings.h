// String resources: the program's string table, registered once at start.
//
// The program (resources/) registers its table from a static initialiser;
// CString::LoadString and LoadStringA look ids up in it.
#pragma once

#include <cstddef>

#include "platform/win/windef.h"

struct StringResource {
  UINT id;
  const char* text;  // CP932
};

namespace uw {
// Registers `count` entries; later registrations of the same id win.
// `table` must outlive the process (a static array).
void RegisterStringResources(const StringResource* table, std::size_t count);
// The text of `id`, or null.
const char* FindStringResource(UINT id);
}  // namespace uw

// Copies the string `id` into `buffer` (at most size - 1 bytes, NUL
// terminated, never ending inside a double-byte character). Returns the
// number of bytes copied, 0 when there is no such string.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size);

// Scalar types shared by the host library declarations.
//
// The host libraries were built for a 32-bit Windows ABI, where `long` is 32
// bits wide. These declarations spell the widths out so that the records and
// the calls keep the same meaning on an LP64 system. A window handle is an
// integer (see platform/win/windef.h, which declares the same type).
#pragma once

#include <cstdint>

typedef std::intptr_t HWND;

// `long` and `unsigned long` of the host's own interface.
typedef std::int32_t TLONG;
typedef std::uint32_t TULONG;

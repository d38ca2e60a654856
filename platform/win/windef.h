// Base Windows types and constants that the program and the platform share.
//
// Widths follow the 32-bit Windows ABI the program was written for: LONG and
// DWORD are 32 bits. A window handle is an integer (see host/HostTypes.h);
// the platform's own windows get handles from its window table, and any
// other handle names a foreign window reached through its endpoint.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/HostTypes.h"

typedef int BOOL;
typedef unsigned int UINT;
typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef std::int16_t SHORT;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef DWORD LCID;
typedef void* HGLOBAL;
typedef void* HINSTANCE;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr int MAX_PATH = 260;

// Window messages the program and the platform exchange.
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_USER = 0x0400;

inline WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline LPARAM MAKELPARAM(WORD lo, WORD hi) {
  return static_cast<LPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}

// Formatting calls of the Windows API and C runtime: wsprintfA, wnsprintfA,
// _i64toa and _i64toa_s.
//
// The program formats attributes, counts and amounts with these calls into
// fixed buffers. Every one of them here is bounded: wsprintfA never writes
// more than the 1024 bytes its documentation allows, the others never more
// than the size they are given, and a text cut to fit never ends inside a
// double-byte character.
//
// The format language is that of the Windows user32 formatter, not printf:
//   %[-][#][0][width][.precision][size]type
//   flags     '-' left-justify, '#' "0x"/"0X" before a non-zero hex value,
//             '0' pad numbers with zeros (ignored with '-')
//   size      'h' 16 bits, 'l' 32 bits (a Windows long), "I64" 64 bits
//   type      d i (signed), u (unsigned), x X (hex), c (byte), s (text),
//             '%' itself
// A width or precision of '*' is not part of the language. An unknown type
// character is written as itself ("%q" gives "q"). A null text pointer for
// %s is written as "(null)"; a %c of 0 ends the text there. Floating point
// is not supported, as in the original. Because 'l' means 32 bits here,
// these functions carry no printf format attribute: the compiler's printf
// checks would call "%ld" with a 32-bit LONG wrong when it is right.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win/windef.h"

// The most bytes wsprintfA writes, the NUL included.
constexpr int WSPRINTF_LIMIT = 1024;

// Formats into `buffer` and NUL-terminates it. Returns the number of bytes
// stored, without the NUL; 0 when `buffer` or `format` is null (then
// nothing, or only the NUL, is written).
// NOTES: as documented for the real call, at most 1024 bytes are written
// including the NUL: a longer result is cut to 1023 bytes (fewer when the
// cut would split a double-byte character). The caller's buffer must hold
// what it formats; the program's attribute buffers are 256 bytes and its
// values are limited to fit them.
int wsprintfA(LPSTR buffer, LPCSTR format, ...);

// Formats into `buffer` of `size` bytes: at most size - 1 bytes and a NUL,
// never ending inside a double-byte character. Returns the number of bytes
// stored without the NUL, also when the result was cut. Returns -1 and
// writes nothing when `buffer` is null or `size` is 0 or less; with a null
// `format` the buffer becomes "" and the result is 0.
// NOTES: our choice for a cut result is the count actually written (the
// real call's result for a cut is not one callers can rely on).
int wnsprintfA(LPSTR buffer, int size, LPCSTR format, ...);

// Writes `value` in `radix` (2 to 36, digits above 9 in lower case) into
// `buffer` and returns `buffer`. A negative value gets a '-' in radix 10
// only; in any other radix its 64-bit two's complement is written.
// REQUIRES: `buffer` holds at least 66 bytes (64 binary digits, sign, NUL);
// use _i64toa_s where that is not certain. An invalid radix writes "".
// Returns null for a null buffer.
char* _i64toa(std::int64_t value, char* buffer, int radix);

// The bounded _i64toa. Returns 0 on success; EINVAL when `buffer` is null,
// `size` is 0 or `radix` is outside 2 to 36; ERANGE when the digits, sign
// and NUL do not fit `size` bytes. On failure with a usable buffer it
// becomes "".
int _i64toa_s(std::int64_t value, char* buffer, std::size_t size, int radix);

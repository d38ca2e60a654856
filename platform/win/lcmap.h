// Full-width mapping of CP932 text under the system's default locale, as the
// program uses it to write the company name into the report.
//
// The system locale of this platform is Japanese (LCID 0x0411, code page
// 932). LCMapStringA supports the one mapping the program asks for,
// LCMAP_FULLWIDTH, and reproduces the byte results of the real call:
//   - ASCII 0x20-0x7E become their full-width double-byte forms (space
//     81 40, "A" 82 60, "~" 81 60, '"' FA 57, "'" FA 56, ...), except the
//     backslash 0x5C, which stays one byte.
//   - Half-width katakana 0xA1-0xDD become full-width katakana and
//     punctuation; a kana followed by the voiced mark 0xDE or the
//     semi-voiced mark 0xDF becomes the one precomposed kana where CP932
//     has it (ｶﾞ -> ガ 83 4B, ﾊﾟ -> パ 83 70, ｳﾞ -> ヴ 83 94).
//   - Double-byte characters, control bytes, 0x7F, 0x80, 0xA0 and
//     0xFD-0xFF pass unchanged.
// A full-width result can hold the trail byte 0x5C (ｿ gives 83 5C), so
// whatever scans or cuts it must stay double-byte aware.
#pragma once

#include "platform/win/windef.h"

constexpr DWORD LCMAP_FULLWIDTH = 0x00800000;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

// The system's default locale: 0x0411 (Japanese, Japan).
LCID GetSystemDefaultLCID();

// Maps `srcLen` bytes of `src` (or, with -1, the text up to and including
// its NUL) with `flags` into `dst` of `dstLen` bytes.
// Returns the number of bytes of the result (counting the NUL when srcLen
// is -1); with dstLen 0 the size needed, `dst` untouched. Returns 0 when
// the result does not fit `dstLen` (then nothing is written), when `src`
// is null, srcLen is 0 or below -1, dstLen is negative, `dst` is null with
// dstLen above 0, or `flags` is anything but LCMAP_FULLWIDTH.
// NOTES: every locale maps as the Japanese one; this system has no other.
// An explicit srcLen maps exactly that many bytes and adds no NUL. Our
// choice: a voiced or semi-voiced mark that cannot join the kana before it
// (ｱﾞ, or a mark on its own) becomes its full-width spacing form, ﾞ 81 4A
// and ﾟ 81 4B; the real call writes the kana and '?' there. The real call
// may fill part of a too-small `dst`; this one leaves it untouched.
int LCMapStringA(LCID locale, DWORD flags, LPCSTR src, int srcLen, LPSTR dst, int dstLen);

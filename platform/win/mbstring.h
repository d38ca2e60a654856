// Multibyte character classes of code page 932, as the C runtime gives them
// to a process running under the Japanese system locale.
//
// Text inside the program is CP932: a byte is either a single-byte character
// (ASCII or half-width katakana) or one byte of a double-byte character
// (a lead byte followed by a trail byte). Trail bytes overlap ASCII
// (0x40-0x7E holds '@', the letters, '\\', '[', ']' and '~'), so any scan for
// a separator must know where the characters start. These calls answer that,
// and uw::CutToCharBoundary is the one helper every bounded copy uses so that
// a cut never splits a character.
//
// Byte classes:
//   lead   0x81-0x9F, 0xE0-0xFC
//   trail  0x40-0x7E, 0x80-0xFC
//   kana   0xA1-0xDF (half-width katakana, single byte)
// A lead byte starts a double-byte character only when a trail byte follows
// it; a lead byte followed by anything else (a NUL included) is a stray byte.
#pragma once

#include <cstddef>

constexpr int _MBC_SINGLE = 0;
constexpr int _MBC_LEAD = 1;
constexpr int _MBC_TRAIL = 2;
constexpr int _MBC_ILLEGAL = -1;

// Returns 1 when `c` (its low byte) is a CP932 lead byte, else 0.
int _ismbblead(unsigned int c);

// Returns 1 when `c` (its low byte) may be a CP932 trail byte, else 0.
// NOTES: a class test on one byte; whether a given byte of a text is a trail
// byte depends on what precedes it (see _ismbstrail).
int _ismbbtrail(unsigned int c);

// Returns 1 when `c` (its low byte) is a half-width katakana byte, else 0.
int _ismbbkana(unsigned int c);

// Type of the byte at str[count], found by scanning from the start of `str`:
// _MBC_SINGLE, _MBC_LEAD, _MBC_TRAIL, or _MBC_ILLEGAL.
// _MBC_ILLEGAL when `str` is null, when a NUL lies before or at the position,
// when a lead byte is followed by a byte that cannot be a trail byte (at the
// byte that follows), and for the bytes that are no character of CP932
// (0x80, 0xA0, 0xFD-0xFF).
// NOTES: a lead byte is judged by itself, without looking ahead: the last
// byte of "x\x81" at count 1 is _MBC_LEAD. After an illegal byte the scan
// starts afresh with the next byte.
int _mbsbtype(const unsigned char* str, std::size_t count);

// Returns -1 when `pos` is the lead byte of a double-byte character of `str`
// (scanning from `str`), else 0. 0 as well when `pos` lies before `str` or
// past a NUL, or either pointer is null.
// NOTES: the true value is -1, not 1; callers compare with -1.
int _ismbslead(const unsigned char* str, const unsigned char* pos);

// Returns -1 when `pos` is the trail byte of a double-byte character of `str`
// (scanning from `str`), else 0, under the same conditions as _ismbslead.
// NOTES: this is how a path ending in the trail byte 0x5C of "ソ" (83 5C) is
// told apart from a path ending in a backslash.
int _ismbstrail(const unsigned char* str, const unsigned char* pos);

namespace uw {

// The largest length n <= maxBytes and n <= strlen(text) such that cutting
// `text` after n bytes does not separate a lead byte from its trail byte.
// When text is longer than maxBytes and the byte before the cut is a lead
// byte (by the scan from the start), that byte is dropped too, so a cut text
// never ends in a lead byte. A text that fits is never shortened. Reads at
// most maxBytes + 1 bytes of `text`. Returns 0 for a null text.
std::size_t CutToCharBoundary(const char* text, std::size_t maxBytes);

}  // namespace uw

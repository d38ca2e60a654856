// Number parsing of the old C runtime, as the program relies on it.
//
// The program reads numbers from its command line, dialog fields and files
// with atol and atoi and depends on how the Windows runtime treats text that
// is not a clean number. The C library of this system behaves differently
// at the edges (overflow is undefined there), so these stand-ins live in
// namespace win, apart from the C library's names.
#pragma once

#include "platform/win/windef.h"

namespace win {

// Value of the decimal number at the start of `s`: leading blanks (space,
// tab, line feed, vertical tab, form feed, carriage return) are skipped, an
// optional '+' or '-' is taken, then digits up to the first non-digit.
// Returns 0 for a null pointer or text without a leading number.
// NOTES: overflow wraps modulo 2^32 at any length, as the old runtime does:
// "2147483648" gives -2147483648, "99999999999" gives 1215752191. errno is
// never set. A sign not followed by a digit gives 0.
LONG atol(const char* s);

// atol, as an int (32 bits on both platforms).
int atoi(const char* s);

}  // namespace win

// Conversion between the program's CP932 text and UTF-8, the one place where
// text changes encoding.
//
// The program, the host records and every file the program reads or writes
// keep CP932 bytes. UTF-8 appears only at the edges: POSIX file names, the
// UI backends, the SQLite ledger and our own settings files. Both directions
// use iconv's "CP932" table, which agrees with the Windows table on the
// characters that differ between Shift_JIS variants (0x5C is U+005C, 0x7E is
// U+007E, 0x8160 is U+FF5E, U+FF3C is 0x815F).
//
// Neither direction fails: what cannot be converted is replaced, so a bad
// byte never stops a dialog or a report. The replacement differs by
// direction on purpose:
//   CP932 -> UTF-8: an invalid byte, or a well-formed pair that the table
//     does not assign, becomes U+FFFD (one per pair), so the damage stays
//     visible and is never mistaken for a real '?'.
//   UTF-8 -> CP932: a character that CP932 cannot hold becomes '?', as the
//     Windows conversion does (the result must stay CP932); a byte that is
//     not valid UTF-8 becomes '?' as well.
// Embedded NUL bytes are converted like any other character.
#pragma once

#include <string>
#include <string_view>

namespace uw {

// UTF-8 form of the CP932 text `cp932`. Never fails (see above).
std::string Cp932ToUtf8(std::string_view cp932);

// CP932 form of the UTF-8 text `utf8`. Never fails (see above).
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace uw

// Text of the host records: the ledger keeps UTF-8, the records carry CP932
// in fixed fields.
#pragma once

#include <cstddef>
#include <string>

namespace talhost {

// Fills `field` (`size` bytes) with the CP932 form of `utf8`, cut on a
// character boundary to at most size - 1 bytes, NUL-terminated, every byte
// after the text zero. REQUIRES: size > 0.
void CopyToField(const std::string& utf8, char* field, std::size_t size);

// The CP932 form of `utf8` (characters CP932 cannot hold become '?').
std::string ToCp932(const std::string& utf8);

// The UTF-8 form of the CP932 text `cp932`.
std::string ToUtf8(const std::string& cp932);

}  // namespace talhost

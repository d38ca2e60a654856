#include "platform/win/mbstring.h"

#include <cstdint>
#include <cstring>

namespace {

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
// Bytes that are neither a single-byte character nor a lead byte in CP932.
bool IsUnassignedSingle(unsigned char b) { return b == 0x80 || b == 0xA0 || b >= 0xFD; }

// Type of `b` given the type of the byte before it.
int NextType(int previous, unsigned char b) {
  if (previous == _MBC_LEAD) return IsTrail(b) ? _MBC_TRAIL : _MBC_ILLEGAL;
  if (IsLead(b)) return _MBC_LEAD;
  return IsUnassignedSingle(b) ? _MBC_ILLEGAL : _MBC_SINGLE;
}

}  // namespace

int _ismbblead(unsigned int c) { return IsLead(static_cast<unsigned char>(c)) ? 1 : 0; }

int _ismbbtrail(unsigned int c) { return IsTrail(static_cast<unsigned char>(c)) ? 1 : 0; }

int _ismbbkana(unsigned int c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return (b >= 0xA1 && b <= 0xDF) ? 1 : 0;
}

int _mbsbtype(const unsigned char* str, std::size_t count) {
  if (str == nullptr) return _MBC_ILLEGAL;
  int type = _MBC_ILLEGAL;
  for (std::size_t i = 0; i <= count; ++i) {
    if (str[i] == '\0') return _MBC_ILLEGAL;
    type = NextType(type, str[i]);
  }
  return type;
}

int _ismbslead(const unsigned char* str, const unsigned char* pos) {
  if (str == nullptr || pos == nullptr || pos < str) return 0;
  if (_mbsbtype(str, static_cast<std::size_t>(pos - str)) != _MBC_LEAD) return 0;
  // Only a lead byte that a trail byte follows starts a character; the scan
  // stopped at a non-NUL byte, so pos[1] is readable.
  return IsTrail(pos[1]) ? -1 : 0;
}

int _ismbstrail(const unsigned char* str, const unsigned char* pos) {
  if (str == nullptr || pos == nullptr || pos < str) return 0;
  return _mbsbtype(str, static_cast<std::size_t>(pos - str)) == _MBC_TRAIL ? -1 : 0;
}

namespace uw {

std::size_t CutToCharBoundary(const char* text, std::size_t maxBytes) {
  if (text == nullptr) return 0;
  const std::size_t length = maxBytes == SIZE_MAX ? std::strlen(text) : strnlen(text, maxBytes + 1);
  if (length <= maxBytes) return length;
  if (maxBytes == 0) return 0;
  // The text goes on past the cut: find out whether the last byte kept
  // starts a character as a lead byte.
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  int type = _MBC_ILLEGAL;
  for (std::size_t i = 0; i < maxBytes; ++i) type = NextType(type, bytes[i]);
  return type == _MBC_LEAD ? maxBytes - 1 : maxBytes;
}

}  // namespace uw

#include "platform/win/crt.h"

#include <cstdint>

namespace win {

LONG atol(const char* s) {
  if (s == nullptr) return 0;
  while (*s == ' ' || (*s >= '\t' && *s <= '\r')) ++s;
  bool negative = false;
  if (*s == '+' || *s == '-') {
    negative = *s == '-';
    ++s;
  }
  // Unsigned arithmetic wraps where the runtime's did; the sign is applied
  // the same way, modulo 2^32.
  std::uint32_t value = 0;
  for (; *s >= '0' && *s <= '9'; ++s) value = value * 10u + static_cast<std::uint32_t>(*s - '0');
  if (negative) value = 0u - value;
  return static_cast<LONG>(value);
}

int atoi(const char* s) { return static_cast<int>(atol(s)); }

}  // namespace win

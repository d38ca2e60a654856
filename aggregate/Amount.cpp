#include "aggregate/Amount.h"

#include <limits>

namespace {

// Wide enough for any sum or difference of two values whose fields hold up
// to 2^63 whole units, so no intermediate step can overflow.
__extension__ typedef __int128 Wide;

constexpr Wide kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr Wide kInt64Max = std::numeric_limits<std::int64_t>::max();

Wide RawOf(const ClAmount& a) {
  const Wide magnitude = static_cast<Wide>(a.whole) * AMOUNT_SCALE + a.frac;
  return a.sign < 0 ? -magnitude : magnitude;
}

// Stores `raw` into `a` in normal form. REQUIRES: raw fits int64, so its
// magnitude (at most 2^63) fits 64 unsigned bits and divides cheaply.
void Normalise(ClAmount& a, Wide raw) {
  a.sign = 1;
  if (raw < 0) {
    a.sign = -1;
    raw = -raw;
  }
  const std::uint64_t magnitude = static_cast<std::uint64_t>(raw);
  a.whole = static_cast<std::int64_t>(magnitude / AMOUNT_SCALE);
  a.frac = static_cast<std::uint32_t>(magnitude % AMOUNT_SCALE);
}

// The unchecked operations keep their results only inside the int64 range;
// past it a wrapped value would carry the wrong sign, so it is an overflow.
void RequireInt64(Wide raw) {
  if (raw < kInt64Min || raw > kInt64Max) {
    throw AMOUNT_OVERFLOW_ERROR;
  }
}

}  // namespace

ClAmount::ClAmount() : whole(0), frac(0), sign(1) {}

ClAmount::ClAmount(std::int64_t raw) : whole(0), frac(0), sign(1) { Normalise(*this, raw); }

ClAmount::ClAmount(const ClAmount& other)
    : whole(other.whole), frac(other.frac), sign(other.sign) {}

ClAmount::~ClAmount() {}

ClAmount& ClAmount::operator=(const ClAmount& other) {
  whole = other.whole;
  frac = other.frac;
  sign = other.sign;
  return *this;
}

ClAmount& ClAmount::operator+=(const ClAmount& other) {
  const Wide sum = RawOf(other) + RawOf(*this);
  RequireInt64(sum);
  Normalise(*this, sum);
  return *this;
}

std::int64_t ClAmount::GetRaw() const {
  const Wide raw = RawOf(*this);
  RequireInt64(raw);
  return static_cast<std::int64_t>(raw);
}

ClAmount operator+(const ClAmount& a, const ClAmount& b) {
  const Wide sum = RawOf(a) + RawOf(b);
  if (sum >= AMOUNT_LIMIT || sum <= -static_cast<Wide>(AMOUNT_LIMIT)) {
    throw AMOUNT_OVERFLOW_ERROR;
  }
  ClAmount result;
  Normalise(result, sum);
  return result;
}

ClAmount operator-(const ClAmount& a, const ClAmount& b) {
  const Wide difference = RawOf(a) - RawOf(b);
  RequireInt64(difference);
  ClAmount result;
  Normalise(result, difference);
  return result;
}

// ClAmount: a signed fixed-point amount with four decimal places.
//
// The host hands every amount over in raw form, a signed 64-bit count of
// ten-thousandths of a currency unit. ClAmount keeps such a value as sign and
// magnitude, the magnitude split into whole units and ten-thousandths, and
// adds and subtracts them. It is a plain value type: locals and temporaries,
// copied by value, owning nothing.
//
// Every operation that yields a value normalises it: `whole` is never
// negative, `frac` lies in 0..9999, and `sign` is -1 only for a value below
// zero (zero always carries sign 1).
//
// Errors: the checked addition raises the amount overflow error, an exception
// whose object is the built-in int -1, when the magnitude of the sum reaches
// AMOUNT_LIMIT (10^18 ten-thousandths, that is 10^14 whole units). ClAmount
// never catches it.
//
// Beyond the signed 64-bit range: the subtraction and the add-assign apply no
// limit, so their results may pass 10^18. They compute exactly in 128 bits;
// a result that no longer fits a signed 64-bit raw value raises the same
// amount overflow error instead of wrapping around to a wrong value of the
// opposite sign. Within the 64-bit range they never raise.
#pragma once

#include <cstdint>

// Magnitude (in ten-thousandths) at which the checked addition fails.
constexpr std::int64_t AMOUNT_LIMIT = 1000000000000000000LL;
// Ten-thousandths per whole unit.
constexpr std::int64_t AMOUNT_SCALE = 10000;
// Object thrown as the amount overflow error.
constexpr int AMOUNT_OVERFLOW_ERROR = -1;

class ClAmount {
 public:
  // The value zero.
  ClAmount();
  // The raw amount `raw` (ten-thousandths), normalised. Every int64 value is
  // accepted, INT64_MIN included.
  explicit ClAmount(std::int64_t raw);
  ClAmount(const ClAmount& other);
  virtual ~ClAmount();

  // Copies whole, frac and sign; returns *this.
  ClAmount& operator=(const ClAmount& other);
  // *this becomes raw(other) + raw(*this), normalised. Not checked against
  // AMOUNT_LIMIT; raises the overflow error (int -1) only when the result
  // leaves the signed 64-bit range. Returns *this.
  ClAmount& operator+=(const ClAmount& other);

  // The value as a signed count of ten-thousandths. Raises the overflow error
  // (int -1) only if the fields were set by hand to a value outside the
  // signed 64-bit range; a value made by the operations always fits.
  std::int64_t GetRaw() const;

  // Fields in this order; write them only through the operations above.
  std::int64_t whole;  // whole units of the magnitude
  std::uint32_t frac;  // ten-thousandths of the magnitude, 0..9999
  std::int16_t sign;   // 1 for zero and above, -1 below zero
};

// a + b, checked: raises the overflow error (throw int -1) when the magnitude
// of the sum is AMOUNT_LIMIT or more; nothing is produced then.
ClAmount operator+(const ClAmount& a, const ClAmount& b);
// a - b, not checked against AMOUNT_LIMIT; raises the overflow error only
// when the result leaves the signed 64-bit range.
ClAmount operator-(const ClAmount& a, const ClAmount& b);

#include "aggregate/Amount.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <type_traits>

namespace {

constexpr std::int64_t kLimit = 1000000000000000000LL;
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// Runs `op` and returns the int it threw; fails the test when it threw
// nothing (or something else).
template <typename Op>
int ThrownInt(Op op) {
  try {
    op();
  } catch (int e) {
    return e;
  }
  ADD_FAILURE() << "no int was thrown";
  return 0;
}

TEST(AmountTest, RawValuesAreNormalisedAndComeBack) {
  static const struct {
    std::int64_t raw;
    std::int16_t sign;
    std::int64_t whole;
    std::uint32_t frac;
  } cases[] = {
      {0, 1, 0, 0},
      {1, 1, 0, 1},
      {-1, -1, 0, 1},
      {9999, 1, 0, 9999},
      {10000, 1, 1, 0},
      {-10000, -1, 1, 0},
      {-123456789, -1, 12345, 6789},
      {kLimit - 1, 1, 99999999999999LL, 9999},
      {-(kLimit - 1), -1, 99999999999999LL, 9999},
      {kMax, 1, 922337203685477LL, 5807},
      {kMin, -1, 922337203685477LL, 5808},
  };
  for (const auto& c : cases) {
    const ClAmount a(c.raw);
    EXPECT_EQ(a.sign, c.sign) << c.raw;
    EXPECT_EQ(a.whole, c.whole) << c.raw;
    EXPECT_EQ(a.frac, c.frac) << c.raw;
    EXPECT_EQ(a.GetRaw(), c.raw) << c.raw;
  }
  const ClAmount zero;
  EXPECT_EQ(zero.sign, 1);
  EXPECT_EQ(zero.GetRaw(), 0);
}

TEST(AmountTest, RoundTripAroundPowersOfTen) {
  for (std::int64_t p = 1;; p *= 10) {
    for (std::int64_t r : {p - 1, p, p + 1, -p + 1, -p, -p - 1}) {
      EXPECT_EQ(ClAmount(r).GetRaw(), r) << r;
    }
    if (p == kLimit) {
      break;
    }
  }
}

TEST(AmountTest, AdditionIsCheckedAtTheLimitInBothSigns) {
  static const struct {
    std::int64_t a, b;
    bool overflows;
  } cases[] = {
      {kLimit - 2, 1, false},      // 10^18 - 1 is the largest sum
      {kLimit - 1, 1, true},       // exactly 10^18
      {-(kLimit - 2), -1, false},  // -(10^18 - 1)
      {-(kLimit - 1), -1, true},   // exactly -10^18
      {kLimit - 1, -(kLimit - 1), false},
      {kMax, kMax, true},  // past the 64-bit range: still the same error
      {kMin, kMin, true},
      {kMax, kMin, false},  // large operands, small sum
  };
  for (const auto& c : cases) {
    const ClAmount a(c.a);
    const ClAmount b(c.b);
    if (c.overflows) {
      EXPECT_EQ(ThrownInt([&] { (void)(a + b); }), -1) << c.a << " + " << c.b;
    } else {
      EXPECT_EQ((a + b).GetRaw(), c.a + c.b) << c.a << " + " << c.b;
    }
  }
}

TEST(AmountTest, ZeroResultsCarrySignOne) {
  const ClAmount minusFive(-5);
  const ClAmount five(5);
  EXPECT_EQ((minusFive + five).sign, 1);
  EXPECT_EQ((minusFive - minusFive).sign, 1);
  ClAmount sum(-5);
  sum += five;
  EXPECT_EQ(sum.sign, 1);
  EXPECT_EQ(sum.GetRaw(), 0);
}

TEST(AmountTest, SubtractionAndAddAssignPassTheLimitUnchecked) {
  const ClAmount justBelow(kLimit - 1);
  const ClAmount one(1);
  const ClAmount minusOne(-1);

  EXPECT_EQ((justBelow - minusOne).GetRaw(), kLimit);
  EXPECT_EQ((ClAmount(-kLimit) - ClAmount(kLimit)).GetRaw(), -2 * kLimit);
  ClAmount accumulated(justBelow);
  accumulated += one;
  EXPECT_EQ(accumulated.GetRaw(), kLimit);
  accumulated += ClAmount(8 * kLimit);
  EXPECT_EQ(accumulated.GetRaw(), 9 * kLimit);
  EXPECT_EQ((ClAmount(kMin) - ClAmount(0)).GetRaw(), kMin);
  EXPECT_EQ((ClAmount(kMax) - ClAmount(kMax)).GetRaw(), 0);
}

TEST(AmountTest, UncheckedOperationsRaiseOnlyPastThe64BitRange) {
  ClAmount top(kMax);
  EXPECT_EQ(ThrownInt([&] { top += ClAmount(1); }), -1);
  EXPECT_EQ(top.GetRaw(), kMax) << "a failed add-assign leaves the target unchanged";

  ClAmount bottom(kMin);
  EXPECT_EQ(ThrownInt([&] { bottom += ClAmount(-1); }), -1);
  EXPECT_EQ(ThrownInt([&] { (void)(ClAmount(kMin) - ClAmount(1)); }), -1);
  EXPECT_EQ(ThrownInt([&] { (void)(ClAmount(kMax) - ClAmount(-1)); }), -1);
}

TEST(AmountTest, AssignmentCopiesAndReturnsTheTarget) {
  const ClAmount source(-123456789);
  ClAmount target(42);
  ClAmount& result = (target = source);
  EXPECT_EQ(&result, &target);
  EXPECT_EQ(target.sign, -1);
  EXPECT_EQ(target.whole, 12345);
  EXPECT_EQ(target.frac, 6789u);
  ClAmount& added = (target += source);
  EXPECT_EQ(&added, &target);
  EXPECT_EQ(target.GetRaw(), -246913578);
}

TEST(AmountTest, ShapeIsAPlainValueWithAVirtualDestructor) {
  static_assert(std::has_virtual_destructor_v<ClAmount>);
  static_assert(std::is_same_v<decltype(ClAmount::whole), std::int64_t>);
  static_assert(std::is_same_v<decltype(ClAmount::frac), std::uint32_t>);
  static_assert(std::is_same_v<decltype(ClAmount::sign), std::int16_t>);
  const ClAmount a;
  const char* whole = reinterpret_cast<const char*>(&a.whole);
  const char* frac = reinterpret_cast<const char*>(&a.frac);
  const char* sign = reinterpret_cast<const char*>(&a.sign);
  EXPECT_LT(whole, frac);
  EXPECT_LT(frac, sign);
}

}  // namespace

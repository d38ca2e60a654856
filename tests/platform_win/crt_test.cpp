#include "platform/win/crt.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(CrtTest, AtolReadsTheLeadingNumberAndWraps) {
  static const struct {
    const char* input;
    LONG expected;
  } kCases[] = {
      // Plain numbers and signs.
      {"0", 0},
      {"12345", 12345},
      {"-1", -1},
      {"+7", 7},
      {"007", 7},
      // Blanks before, text after.
      {"  \t\n\r\v\f42", 42},
      {"12abc", 12},
      {"3,1", 3},
      {"1 2", 1},
      {"- 5", 0},
      {"+-5", 0},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"\xE3\x81\x82"
       "1",
       0},  // a non-ASCII byte is no blank
      // Limits and overflow, modulo 2^32.
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", -2147483647 - 1},
      {"4294967295", -1},
      {"4294967296", 0},
      {"4294967297", 1},
      {"-2147483649", 2147483647},
      {"99999999999", 1215752191},
      {"-99999999999", -1215752191},
      {"18446744073709551617", 1},  // 2^64 + 1: longer than any native type
  };
  for (const auto& c : kCases) {
    errno = 0;
    EXPECT_EQ(c.expected, win::atol(c.input)) << c.input;
    EXPECT_EQ(c.expected, win::atoi(c.input)) << c.input;
    EXPECT_EQ(0, errno) << c.input;
  }
}

TEST(CrtTest, NullReadsAsZero) {
  EXPECT_EQ(0, win::atol(nullptr));
  EXPECT_EQ(0, win::atoi(nullptr));
}

}  // namespace

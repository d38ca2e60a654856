#include "platform/win/format.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

constexpr char kSentinel = '#';

TEST(FormatTest, WidthFourAsTheReportCountsUseIt) {
  static const struct {
    int input;
    const char* expected;
  } kCases[] = {
      {1, "   1"}, {10, "  10"}, {100, " 100"}, {1000, "1000"}, {10000, "10000"}, {-1, "  -1"},
  };
  for (const auto& c : kCases) {
    char buffer[32];
    EXPECT_EQ(static_cast<int>(std::strlen(c.expected)), wsprintfA(buffer, "%4d", c.input))
        << c.input;
    EXPECT_STREQ(c.expected, buffer) << c.input;
  }
}

TEST(FormatTest, IntegerConversions) {
  static const struct {
    const char* format;
    int input;
    const char* expected;
  } kCases[] = {
      {"%d", 0, "0"},
      {"%d", -2147483647 - 1, "-2147483648"},
      {"%i", 12, "12"},
      {"%u", -1, "4294967295"},
      {"%x", 255, "ff"},
      {"%X", 255, "FF"},
      {"%#x", 255, "0xff"},
      {"%#X", 255, "0XFF"},
      {"%#x", 0, "0"},
      {"%08x", 0xBEEF, "0000beef"},
      {"%04d", -7, "-007"},
      {"%-4d|", 7, "7   |"},
      {"%-04d|", 7, "7   |"},  // '-' wins over '0'
      {"%.3d", 7, "007"},
      {"%5.3d", -7, " -007"},
      {"%05.3d", 7, "  007"},  // a precision turns '0' off
      {"%.0d", 0, ""},
      {"%hd", 65535, "-1"},
      {"%hu", 65537, "1"},
      {"%c", 'A', "A"},
      {"%3c|", 'A', "  A|"},
      {"%-3c|", 'A', "A  |"},
      // No argument consumed.
      {"100%%", 0, "100%"},
      {"%q", 0, "q"},
      {"tail %", 0, "tail "},
  };
  for (const auto& c : kCases) {
    char buffer[64];
    std::memset(buffer, kSentinel, sizeof buffer);
    EXPECT_EQ(static_cast<int>(std::strlen(c.expected)), wsprintfA(buffer, c.format, c.input))
        << c.format << " " << c.input;
    EXPECT_STREQ(c.expected, buffer) << c.format << " " << c.input;
  }
}

TEST(FormatTest, LongIsThirtyTwoBits) {
  // The program passes its 32-bit LONG with "%ld" and "%lu", as on Windows.
  const LONG negative = -1500005;
  const DWORD big = 4000000000u;
  char buffer[64];
  EXPECT_EQ(8, wsprintfA(buffer, "%ld", negative));
  EXPECT_STREQ("-1500005", buffer);
  wsprintfA(buffer, "%lu/%lx", big, big);
  EXPECT_STREQ("4000000000/ee6b2800", buffer);
  const std::int64_t amount = -9223372036854775807LL - 1;
  wsprintfA(buffer, "%I64d|%I64u", amount, static_cast<std::uint64_t>(amount));
  EXPECT_STREQ("-9223372036854775808|9223372036854775808", buffer);
}

TEST(FormatTest, TextConversions) {
  static const struct {
    const char* format;
    const char* input;
    const char* expected;
  } kCases[] = {
      {"%s", "abc", "abc"},
      {"%5s|", "abc", "  abc|"},
      {"%-5s|", "abc", "abc  |"},
      {"%2s", "abc", "abc"},
      {"%.2s", "abc", "ab"},
      {"%.1s|", "\x83\x5C", "|"},  // a precision never splits ソ
      {"%.3s", "\x83\x5C\x83\x5C", "\x83\x5C"},
      {"%s", nullptr, "(null)"},
      {"%s", "", ""},
  };
  for (const auto& c : kCases) {
    char buffer[64];
    EXPECT_EQ(static_cast<int>(std::strlen(c.expected)), wsprintfA(buffer, c.format, c.input))
        << c.format << " " << (c.input ? c.input : "(null)");
    EXPECT_STREQ(c.expected, buffer) << c.format << " " << (c.input ? c.input : "(null)");
  }
}

TEST(FormatTest, SeveralArgumentsInOrder) {
  char buffer[256];
  EXPECT_EQ(25, wsprintfA(buffer, "%s %s=%s%s%s", "KANJYOKAMOKU", "Count", "\"", "   1", "\""));
  EXPECT_STREQ("KANJYOKAMOKU Count=\"   1\"", buffer);
  wsprintfA(buffer, "%s/%d/%d:", "u1", 3, 1);
  EXPECT_STREQ("u1/3/1:", buffer);
}

TEST(FormatTest, WsprintfNeverWritesMoreThan1024Bytes) {
  const std::string longText(2000, 'x');
  std::string kanaAtCut(1022, 'y');
  kanaAtCut +=
      "\x83\x5C"
      "zz";  // ソ would straddle the limit
  static const struct {
    const std::string* input;
    int expected;
  } kCases[] = {{&longText, 1023}, {&kanaAtCut, 1022}};
  for (const auto& c : kCases) {
    char buffer[2048];
    std::memset(buffer, kSentinel, sizeof buffer);
    EXPECT_EQ(c.expected, wsprintfA(buffer, "%s", c.input->c_str())) << c.input->size();
    EXPECT_EQ(static_cast<std::size_t>(c.expected), std::strlen(buffer)) << c.input->size();
    for (std::size_t i = WSPRINTF_LIMIT; i < sizeof buffer; ++i) {
      ASSERT_EQ(kSentinel, buffer[i]) << "overrun at " << i;
    }
  }
  char buffer[2048];
  std::memset(buffer, kSentinel, sizeof buffer);
  EXPECT_EQ(1023, wsprintfA(buffer, "%100000d", 5));  // padding is bounded too
  EXPECT_EQ(kSentinel, buffer[WSPRINTF_LIMIT]);
}

TEST(FormatTest, WnsprintfIsBoundedAndCutsWholeCharacters) {
  static const struct {
    const char* input;
    int size;
    const char* expected;
  } kCases[] = {
      {"abcdef", 7, "abcdef"},  // exactly fitting
      {"abcdef", 6, "abcde"},   // one too small
      {"abcdef", 1, ""},       {"a\x83\x5C", 4, "a\x83\x5C"},
      {"a\x83\x5C", 3, "a"},    // never ends in a lead byte
      {"\xB1\xB2", 2, "\xB1"},  // half-width kana are whole characters
  };
  for (const auto& c : kCases) {
    char buffer[16];
    std::memset(buffer, kSentinel, sizeof buffer);
    EXPECT_EQ(static_cast<int>(std::strlen(c.expected)), wnsprintfA(buffer, c.size, "%s", c.input))
        << c.input << " size " << c.size;
    EXPECT_STREQ(c.expected, buffer) << c.input << " size " << c.size;
    for (int i = c.size; i < static_cast<int>(sizeof buffer); ++i) {
      ASSERT_EQ(kSentinel, buffer[i]) << "overrun at " << i << " for " << c.input;
    }
  }
  char buffer[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
  EXPECT_EQ(-1, wnsprintfA(buffer, 0, "%s", "x"));
  EXPECT_EQ(-1, wnsprintfA(buffer, -5, "%s", "x"));
  EXPECT_EQ(kSentinel, buffer[0]);
  EXPECT_EQ(-1, wnsprintfA(nullptr, 4, "%s", "x"));
  EXPECT_EQ(0, wnsprintfA(buffer, 4, nullptr));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(0, wsprintfA(nullptr, "%d", 1));
}

TEST(FormatTest, I64toaWritesEveryRadix) {
  const std::int64_t kMin = -9223372036854775807LL - 1;
  static const struct {
    std::int64_t value;
    int radix;
    const char* expected;
  } kCases[] = {
      {0, 10, "0"},
      {12345678000, 10, "12345678000"},
      {-1500005000, 10, "-1500005000"},
      {9223372036854775807LL, 10, "9223372036854775807"},
      {kMin, 10, "-9223372036854775808"},
      {255, 16, "ff"},
      {-1, 16, "ffffffffffffffff"},  // only radix 10 has a sign
      {35, 36, "z"},
      {5, 2, "101"},
      {kMin, 2, "1000000000000000000000000000000000000000000000000000000000000000"},
      {5, 1, ""},
      {5, 37, ""},
  };
  for (const auto& c : kCases) {
    char buffer[80];
    std::memset(buffer, kSentinel, sizeof buffer);
    EXPECT_EQ(buffer, _i64toa(c.value, buffer, c.radix)) << c.value << " radix " << c.radix;
    EXPECT_STREQ(c.expected, buffer) << c.value << " radix " << c.radix;
    EXPECT_EQ(kSentinel, buffer[std::strlen(c.expected) + 1]) << c.value << " radix " << c.radix;
  }
  EXPECT_EQ(nullptr, _i64toa(1, nullptr, 10));
}

TEST(FormatTest, I64toaSecureChecksItsBuffer) {
  static const struct {
    std::int64_t value;
    int radix;
    std::size_t size;
    int result;
    const char* expected;
  } kCases[] = {
      {-123, 10, 5, 0, "-123"},   // exactly fitting
      {-123, 10, 4, ERANGE, ""},  // one too small
      {123, 10, 1, ERANGE, ""},  {123, 1, 8, EINVAL, ""}, {123, 37, 8, EINVAL, ""},
  };
  for (const auto& c : kCases) {
    char buffer[16];
    std::memset(buffer, kSentinel, sizeof buffer);
    EXPECT_EQ(c.result, _i64toa_s(c.value, buffer, c.size, c.radix))
        << c.value << " size " << c.size << " radix " << c.radix;
    EXPECT_STREQ(c.expected, buffer) << c.value << " size " << c.size;
    for (std::size_t i = c.size; i < sizeof buffer; ++i) {
      ASSERT_EQ(kSentinel, buffer[i]) << "overrun at " << i << " for " << c.value;
    }
  }
  char buffer[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
  EXPECT_EQ(EINVAL, _i64toa_s(1, nullptr, 4, 10));
  EXPECT_EQ(EINVAL, _i64toa_s(1, buffer, 0, 10));
  EXPECT_EQ(kSentinel, buffer[0]);
}

}  // namespace

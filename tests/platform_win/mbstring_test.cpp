#include "platform/win/mbstring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }

TEST(MbStringTest, ByteClassesAtEveryBoundary) {
  static const struct {
    unsigned int input;
    int lead, trail, kana;
  } kCases[] = {
      {0x00, 0, 0, 0},
      {0x3F, 0, 0, 0},
      {0x40, 0, 1, 0},
      {0x5C, 0, 1, 0},
      {0x7E, 0, 1, 0},
      {0x7F, 0, 0, 0},
      {0x80, 0, 1, 0},
      {0x81, 1, 1, 0},
      {0x9F, 1, 1, 0},
      {0xA0, 0, 1, 0},
      {0xA1, 0, 1, 1},
      {0xDF, 0, 1, 1},
      {0xE0, 1, 1, 0},
      {0xFC, 1, 1, 0},
      {0xFD, 0, 0, 0},
      {0xFF, 0, 0, 0},
      // Only the low byte counts.
      {0x181, 1, 1, 0},
      {0x120, 0, 0, 0},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.lead, _ismbblead(c.input)) << std::hex << c.input;
    EXPECT_EQ(c.trail, _ismbbtrail(c.input)) << std::hex << c.input;
    EXPECT_EQ(c.kana, _ismbbkana(c.input)) << std::hex << c.input;
  }
}

TEST(MbStringTest, ByteTypeScansFromTheStart) {
  static const struct {
    const char* input;
    std::vector<int> types;  // _mbsbtype at 0, 1, 2, ...
  } kCases[] = {
      {"C:\\\x83\x5C", {0, 0, 0, 1, 2}},           // C:\ソ
      {"\x83\x5C\x83\x5C", {1, 2, 1, 2}},          // ソソ: the trail 5C is no char
      {"\xB1\x83\x41", {0, 1, 2}},                 // half-width kana is single
      {"\x81 a", {1, -1, 0}},                      // lead without trail; fresh after
      {"a\x80\xA0\xFD\xFF", {0, -1, -1, -1, -1}},  // no character of CP932
      {"\x81", {1, -1}},                           // the NUL itself is illegal
      {"a\0b", {0, -1, -1}},                       // a NUL before the position
      {"\x81\x81\x81\x40", {1, 2, 1, 2}},          // a lead byte as trail byte
  };
  for (const auto& c : kCases) {
    for (std::size_t i = 0; i < c.types.size(); ++i) {
      EXPECT_EQ(c.types[i], _mbsbtype(U(c.input), i)) << "position " << i << " of " << c.input;
    }
  }
  EXPECT_EQ(_MBC_ILLEGAL, _mbsbtype(nullptr, 0));
}

TEST(MbStringTest, LeadAndTrailOfAStringAreMinusOne) {
  // "A\ソ" then a lead byte followed by a non-trail byte.
  const char* text = "A\\\x83\x5C\x81 ";
  const unsigned char* s = U(text);
  static const struct {
    int offset, lead, trail;
  } kCases[] = {
      {0, 0, 0}, {1, 0, 0}, {2, -1, 0}, {3, 0, -1}, {4, 0, 0}, {5, 0, 0}, {6, 0, 0},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.lead, _ismbslead(s, s + c.offset)) << "offset " << c.offset;
    EXPECT_EQ(c.trail, _ismbstrail(s, s + c.offset)) << "offset " << c.offset;
  }
  EXPECT_EQ(0, _ismbstrail(s + 1, s));
  EXPECT_EQ(0, _ismbstrail(nullptr, s));
  EXPECT_EQ(0, _ismbslead(s, nullptr));
}

TEST(MbStringTest, PathEndingInTrailByteIsToldFromBackslash) {
  const char* kanaEnd = "C:\\\x83\x5C";  // C:\ソ
  const char* slashEnd = "C:\\A\\";
  EXPECT_EQ(-1, _ismbstrail(U(kanaEnd), U(kanaEnd) + 4));
  EXPECT_EQ(0, _ismbstrail(U(slashEnd), U(slashEnd) + 4));
}

TEST(MbStringTest, CutToCharBoundary) {
  static const struct {
    const char* input;
    std::size_t maxBytes;
    std::size_t expected;
  } kCases[] = {
      {"abcdef", 3, 3},
      {"abc", 3, 3},   // exactly fitting
      {"abc", 10, 3},  // never longer than the text
      {"", 5, 0},
      {"abc", 0, 0},
      {"a\x83\x5C"
       "b",
       2, 1},  // would split ソ: the lead byte goes
      {"a\x83\x5C"
       "b",
       3, 3},  // whole character kept
      {"\x83\x5C\x83\x5C", 3, 2},
      {"\x83\x5C\x83\x5C", 1, 0},
      {"\x83\x83\x83\x41", 2, 2},  // 83 83 is one character (ャ)
      {"\x83\x83\x83\x41", 3, 2},
      {"\xB1\xB2\xB3", 2, 2},  // half-width kana are single bytes
      {"a\x81", 5, 2},         // a text that fits is never shortened
      {"a\x81 b", 2, 1},       // a cut never ends in a lead byte
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.expected, uw::CutToCharBoundary(c.input, c.maxBytes))
        << c.input << " max " << c.maxBytes;
  }
  EXPECT_EQ(0u, uw::CutToCharBoundary(nullptr, 4));
  EXPECT_EQ(3u, uw::CutToCharBoundary("abc", static_cast<std::size_t>(-1)));
}

TEST(MbStringTest, CutReadsNoFurtherThanOneBytePastTheLimit) {
  // An unterminated buffer: the cut must not look for its end.
  const char buffer[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(2u, uw::CutToCharBoundary(buffer, 2));
  EXPECT_EQ(3u, uw::CutToCharBoundary(buffer, 3));
}

}  // namespace

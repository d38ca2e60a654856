#include "platform/win/text_convert.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using std::string_literals::operator""s;

TEST(TextConvertTest, RoundTripsTheCharactersThatDifferBetweenTables) {
  static const struct {
    std::string cp932;
    std::string utf8;
  } kCases[] = {
      {"", ""},
      {"C:\\A\\b.xml", "C:\\A\\b.xml"},
      {"\x5C\x7E", "\\~"},           // backslash and tilde, not yen and overline
      {"\x81\x60", "\xEF\xBD\x9E"},  // U+FF5E, the wave dash of this table
      {"\xFA\x57\xFA\x56", "\xEF\xBC\x82\xEF\xBC\x87"},  // U+FF02, U+FF07
      {"\x81\x5F", "\xEF\xBC\xBC"},                      // U+FF3C
      {"\x89\xC8\x96\xDA\x93\xE0\x96\xF3\x8F\x91", "科目内訳書"},
      {"\x83\x5C\x83\x74\x83\x67", "ソフト"},                    // trail bytes 0x5C and 0x74
      {"\xB6\xDE\xB1", "\xEF\xBD\xB6\xEF\xBE\x9E\xEF\xBD\xB1"},  // half-width ｶﾞｱ
      {"a\0b"s, "a\0b"s},  // NUL is a character like any other
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.utf8, uw::Cp932ToUtf8(c.cp932)) << c.cp932;
    EXPECT_EQ(c.cp932, uw::Utf8ToCp932(c.utf8)) << c.utf8;
  }
}

TEST(TextConvertTest, InvalidCp932BecomesReplacementCharacter) {
  static const struct {
    std::string input;
    std::string expected;
  } kCases[] = {
      {"a\x80z", "a\xEF\xBF\xBDz"},
      {"\xA0\xFD\xFE\xFF", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\x81 x", "\xEF\xBF\xBD x"},    // stray lead byte: what follows survives
      {"ab\x81", "ab\xEF\xBF\xBD"},    // cut off at the end
      {"\x85\x40z", "\xEF\xBF\xBDz"},  // unassigned pair: one replacement
  };
  for (const auto& c : kCases) EXPECT_EQ(c.expected, uw::Cp932ToUtf8(c.input)) << c.input;
}

TEST(TextConvertTest, WhatCp932CannotHoldBecomesQuestionMark) {
  static const struct {
    std::string input;
    std::string expected;
  } kCases[] = {
      {"a€b", "a?b"},          // U+20AC is not in the table
      {"é😀ソ", "??\x83\x5C"},  // one '?' per character, 4-byte ones included
      {"x\xC3", "x?"},         // cut-off sequence
      {"\xC0\xAF/",
       "?"
       "?/"},                   // overlong form: each bad byte replaced
      {"\xED\xA0\x80", "???"},  // a surrogate is not UTF-8
      {"\xFF"
       "a",
       "?a"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.expected, uw::Utf8ToCp932(c.input)) << c.input;
}

TEST(TextConvertTest, LongTextConvertsWhole) {
  std::string cp932, utf8;
  for (int i = 0; i < 5000; ++i) {
    cp932 +=
        "\x83\x5C"
        "a";
    utf8 += "ソa";
  }
  EXPECT_EQ(utf8, uw::Cp932ToUtf8(cp932));
  EXPECT_EQ(cp932, uw::Utf8ToCp932(utf8));
}

}  // namespace

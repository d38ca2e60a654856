#include "platform/win/win_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Resolve(const char* path, const char* current, bool* ok) {
  uw::WinPathParts parts;
  *ok = uw::ParseWinPath(path, current, &parts);
  return *ok ? uw::FormatWinPath(parts, parts.trailingSeparator) : "";
}

TEST(WinPathTest, ResolvesAsTheFileCallsDo) {
  static const struct {
    const char* path;
    const char* current;
    const char* expected;
  } kCases[] = {
      // Absolute on a drive; letter case, '/' and dots.
      {"C:\\A\\B", nullptr, "C:\\A\\B"},
      {"c:/A/B/", nullptr, "C:\\A\\B\\"},
      {"C:\\A\\..\\..\\B", nullptr, "C:\\B"},
      {"C:\\A\\.\\\\B\\.", nullptr, "C:\\A\\B"},
      {"C:\\", nullptr, "C:\\"},
      // Shares.
      {"\\\\srv\\sh\\d\\f.xml", nullptr, "\\\\srv\\sh\\d\\f.xml"},
      {"//srv/sh", nullptr, "\\\\srv\\sh\\"},
      {"\\\\srv\\sh\\..\\..", nullptr, "\\\\srv\\sh\\"},
      // Relative to the current folder and its root.
      {"\\A", "D:\\X\\Y", "D:\\A"},
      {"\\A", "\\\\s\\sh\\X", "\\\\s\\sh\\A"},
      {"A\\B", "D:\\X", "D:\\X\\A\\B"},
      {"..\\B", "D:\\X", "D:\\B"},
      {".", "D:\\X", "D:\\X"},
      // "C:name": the current folder when it is on C:, else C:'s root.
      {"C:A", "C:\\X", "C:\\X\\A"},
      {"c:A", "D:\\X", "C:\\A"},
      {"C:", "C:\\X", "C:\\X"},
      // A trail byte 0x5C is part of its character, never a separator.
      {"C:\\\x83\x5C", nullptr, "C:\\\x83\x5C"},
      {"C:\\\x95\x5C\\f", nullptr, "C:\\\x95\x5C\\f"},
      {"C:\\\x83\x5C\\..\\x", nullptr, "C:\\x"},
      {"C:\\a\x81", nullptr, "C:\\a\x81"},  // a stray lead byte stays
  };
  for (const auto& c : kCases) {
    bool ok = false;
    EXPECT_EQ(Resolve(c.path, c.current, &ok), c.expected) << c.path << " in " << c.current;
    EXPECT_TRUE(ok) << c.path;
  }
}

TEST(WinPathTest, RefusesWhatNamesNoFolder) {
  static const struct {
    const char* path;
    const char* current;
  } kCases[] = {
      {nullptr, "C:\\"}, {"", "C:\\"},     {"\\\\srv", nullptr}, {"\\\\srv\\", nullptr},
      {"A", nullptr},    {"\\A", nullptr}, {"A", "relative"},  // a current folder that is not
                                                               // absolute
  };
  for (const auto& c : kCases) {
    bool ok = true;
    Resolve(c.path, c.current, &ok);
    EXPECT_FALSE(ok) << (c.path ? c.path : "(null)");
  }
}

TEST(WinPathTest, ComponentsKeepTrailBytes) {
  uw::WinPathParts parts;
  ASSERT_TRUE(uw::ParseWinPath("C:\\\x83\x5C\x95\x5C\\f.xml", nullptr, &parts));
  ASSERT_EQ(parts.components.size(), 2u);
  EXPECT_EQ(parts.components[0], "\x83\x5C\x95\x5C");
  EXPECT_FALSE(parts.trailingSeparator);
}

TEST(WinPathTest, EqualNoCaseFoldsOnlySingleByteLetters) {
  EXPECT_TRUE(uw::EqualNoCaseCp932("Abc\\x", "aBC\\X"));
  EXPECT_FALSE(uw::EqualNoCaseCp932("abc", "abd"));
  EXPECT_FALSE(uw::EqualNoCaseCp932("abc", "abcd"));
  // ア (83 41) and ャ (83 61) differ only in a trail byte that looks like a
  // letter; they are different characters.
  EXPECT_FALSE(uw::EqualNoCaseCp932("\x83\x41", "\x83\x61"));
  EXPECT_TRUE(uw::EqualNoCaseCp932("\x83\x41x", "\x83\x41X"));
}

}  // namespace

#include "platform/win/shlwapi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "tests/platform_win/path_test_util.h"
#include "tests/support/TempPrefix.h"

namespace {

constexpr char kSentinel = '\xCC';

struct RootCase {
  const char* path;
  BOOL stripResult;
  const char* stripped;
  int skipOffset;  // -1: null
};

const RootCase kRootCases[] = {
    // Drive roots.
    {"C:\\A\\B\\C\\", TRUE, "C:\\", 3},
    {"C:\\", TRUE, "C:\\", 3},
    {"c:\\x.xml", TRUE, "c:\\", 3},
    {"C:", FALSE, "C:", -1},
    {"C:file.xml", FALSE, "C:", -1},
    // Shares.
    {"\\\\server\\share\\dir\\f.xml", TRUE, "\\\\server\\share", 15},
    {"\\\\server\\share\\", TRUE, "\\\\server\\share", 15},
    {"\\\\server\\share", TRUE, "\\\\server\\share", -1},
    {"\\\\server", TRUE, "\\\\server", -1},
    // No drive.
    {"\\dir\\f", TRUE, "\\", -1},
    {"dir\\f", FALSE, "", -1},
    {"", FALSE, "", -1},
    // '/' is no separator for these calls.
    {"C:/A", FALSE, "C:", -1},
    {"\\\\srv/sh\\d", TRUE, "\\\\srv/sh\\d", -1},
    // A trail byte 0x5C belongs to its character: ソ (83 5C), 表 (95 5C).
    {"\\\\\x83\x5C\\\x95\x5C\\d", TRUE, "\\\\\x83\x5C\\\x95\x5C", 8},
    {"\\\\\x83\x5C\\\x95\x5C", TRUE, "\\\\\x83\x5C\\\x95\x5C", -1},
    {"\\\\srv\\\x83\x5C", TRUE, "\\\\srv\\\x83\x5C", -1},
    {"C:\\\x83\x5C\\x", TRUE, "C:\\", 3},
};

TEST(ShlwapiTest, StripToRootKeepsOnlyTheRoot) {
  for (const auto& c : kRootCases) {
    char buffer[64];
    std::memset(buffer, kSentinel, sizeof(buffer));
    const std::size_t length = std::strlen(c.path);
    std::memcpy(buffer, c.path, length + 1);
    EXPECT_EQ(PathStripToRootA(buffer), c.stripResult) << c.path;
    EXPECT_STREQ(buffer, c.stripped) << c.path;
    EXPECT_EQ(buffer[length + 1], kSentinel) << c.path;  // never grows
  }
  EXPECT_FALSE(PathStripToRootA(nullptr));
}

TEST(ShlwapiTest, SkipRootPointsIntoTheArgument) {
  for (const auto& c : kRootCases) {
    const char* rest = PathSkipRootA(c.path);
    if (c.skipOffset < 0) {
      EXPECT_EQ(rest, nullptr) << c.path;
    } else {
      EXPECT_EQ(rest, c.path + c.skipOffset) << c.path;
    }
  }
  EXPECT_EQ(PathSkipRootA(nullptr), nullptr);
}

TEST(ShlwapiTest, ExistenceTestsGoThroughTheDriveMap) {
  uwtest::TempPrefix prefix;
  std::filesystem::create_directories(prefix.DriveC() + "/A/ソ");
  uwtest::MakeFile(prefix.DriveC() + "/A/f.xml");
  prefix.WriteFile("platform.ini", "[drives]\nC=drive_c\n\\\\srv\\sh=drive_c/A,remote\n");
  static const struct {
    const char* path;
    BOOL isDirectory;
    BOOL exists;
  } kCases[] = {
      {"C:\\A", 0x10, TRUE},
      {"c:\\A\\", 0x10, TRUE},
      {"C:\\A\\\x83\x5C", 0x10, TRUE},
      {"\\\\srv\\sh", 0x10, TRUE},
      {"\\\\srv\\sh\\\x83\x5C", 0x10, TRUE},
      {"C:\\A\\f.xml", FALSE, TRUE},
      {"\\\\srv\\sh\\f.xml", FALSE, TRUE},
      {"C:\\A\\missing", FALSE, FALSE},
      {"K:\\", FALSE, FALSE},
      {"\\\\srv\\other", FALSE, FALSE},
      {"", FALSE, FALSE},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(PathIsDirectoryA(c.path), c.isDirectory) << c.path;
    EXPECT_EQ(PathFileExistsA(c.path), c.exists) << c.path;
  }
  EXPECT_FALSE(PathIsDirectoryA(nullptr));
  EXPECT_FALSE(PathFileExistsA(nullptr));
}

}  // namespace

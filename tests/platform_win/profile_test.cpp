#include "platform/win/profile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/TempPrefix.h"

namespace {

// A level file as the program reads it (CP932), with every quirk the
// parser has to get right. Lines end in LF or CR LF, the last in nothing.
const char kLevelFile[] =
    "; comment\n"
    "top=outside\n"
    "  [ ProgramLevel ]  \r\n"
    "UG13_U = 2 \r\n"
    "\tSpaced =  a b  \n"
    "Dq=\"  q  \"\n"
    "Sq='s'\n"
    "Unmatched=\"abc\n"
    "Mixed=\"abc'\n"
    "Inline=1 ;x\n"
    "Empty=\n"
    "Blank=   \n"
    "DUP=first\n"
    "dup=second\n"
    "NoEquals\n"
    "Kana=\x83\x5C\x83\x5C\n"  // ソソ
    "[Other]\n"
    "Key=other\n"
    "[programlevel]\n"
    "UG13_U=9\n"
    "Only=in repeat\n"
    "[\x83\x5D]\n"  // ゾ: its trail byte is ']'
    "k=zo\n"
    "[\x89\x41]\n"  // a kanji whose trail byte is 'A'
    "k=upper\n"
    "[Last]\n"
    "k=no line end";

class ProfileTest : public testing::Test {
 protected:
  void SetUp() override { m_prefix.WriteFile("drive_c/lv/Level.ini", kLevelFile); }
  uwtest::TempPrefix m_prefix;
};

TEST_F(ProfileTest, GetPrivateProfileStringReadsAsWindowsDoes) {
  static const struct {
    const char* section;
    const char* key;
    const char* def;
    const char* expected;
  } kCases[] = {
      // Matching, trimming and case.
      {"ProgramLevel", "UG13_U", "1", "2"},
      {"PROGRAMLEVEL", "ug13_u", "1", "2"},
      {"ProgramLevel", "Spaced", "d", "a b"},
      // Quotes, and no inline comments.
      {"ProgramLevel", "Dq", "d", "  q  "},
      {"ProgramLevel", "Sq", "d", "s"},
      {"ProgramLevel", "Unmatched", "d", "\"abc"},
      {"ProgramLevel", "Mixed", "d", "\"abc'"},
      {"ProgramLevel", "Inline", "d", "1 ;x"},
      // Present but empty is not missing.
      {"ProgramLevel", "Empty", "d", ""},
      {"ProgramLevel", "Blank", "d", ""},
      // First key and first section win.
      {"ProgramLevel", "dup", "d", "first"},
      {"ProgramLevel", "Only", "d", "d"},
      // Not keys: a line without '=', a key outside any section.
      {"ProgramLevel", "NoEquals", "d", "d"},
      {"ProgramLevel", "top", "d", "d"},
      {"Other", "Key", "d", "other"},
      {"ProgramLevel", "Kana", "d", "\x83\x5C\x83\x5C"},
      // Double-byte names: the trail byte ']' is no bracket, and a trail
      // byte 'A' is not the same as 'a'.
      {"\x83\x5D", "k", "d", "zo"},
      {"\x89\x41", "k", "d", "upper"},
      {"\x89\x61", "k", "d", "d"},
      {"Last", "k", "d", "no line end"},
      // Missing: the default, trailing blanks trimmed, leading kept.
      {"ProgramLevel", "Missing", "1", "1"},
      {"Missing", "UG13_U", "dflt  \t", "dflt"},
      {"Missing", "UG13_U", "  lead", "  lead"},
      {"Missing", "UG13_U", nullptr, ""},
  };
  for (const auto& c : kCases) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    const DWORD result =
        GetPrivateProfileStringA(c.section, c.key, c.def, buffer, 16, "C:\\lv\\Level.ini");
    EXPECT_STREQ(c.expected, buffer) << c.section << "/" << c.key;
    EXPECT_EQ(std::strlen(c.expected), result) << c.section << "/" << c.key;
    EXPECT_EQ('#', buffer[16]) << c.section << "/" << c.key;
  }
}

TEST_F(ProfileTest, LongValuesAreCutOnACharacterBoundary) {
  static const struct {
    const char* key;
    const char* def;
    DWORD size;
    const char* expected;
  } kCases[] = {
      {"Spaced", "", 4, "a b"},  // exactly fitting
      {"Spaced", "", 3, "a "},   // one too small
      {"Spaced", "", 1, ""},
      {"Kana", "", 5, "\x83\x5C\x83\x5C"},
      {"Kana", "", 4, "\x83\x5C"},                     // never ends in a lead byte
      {"Missing", "\x83\x5C\x83\x5C", 4, "\x83\x5C"},  // the default likewise
  };
  for (const auto& c : kCases) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    const DWORD result =
        GetPrivateProfileStringA("ProgramLevel", c.key, c.def, buffer, c.size, "C:\\lv\\Level.ini");
    EXPECT_STREQ(c.expected, buffer) << c.key << " size " << c.size;
    EXPECT_EQ(std::strlen(c.expected), result) << c.key << " size " << c.size;
    for (std::size_t i = c.size; i < sizeof buffer; ++i) {
      ASSERT_EQ('#', buffer[i]) << "overrun at " << i << " for " << c.key << " size " << c.size;
    }
  }
  char untouched = '#';
  EXPECT_EQ(0u, GetPrivateProfileStringA("ProgramLevel", "UG13_U", "1", &untouched, 0,
                                         "C:\\lv\\Level.ini"));
  EXPECT_EQ('#', untouched);
}

TEST_F(ProfileTest, FilesThatCannotBeReadGiveTheDefault) {
  m_prefix.WriteFile("drive_c/windows/Plain.ini", "[S]\nk=windows folder\n");
  static const struct {
    const char* file;
    const char* expected;
  } kCases[] = {
      {"C:\\lv\\Missing.ini", "d"},
      {"C:\\nofolder\\Level.ini", "d"},
      {"C:\\lv", "d"},             // a folder
      {"Q:\\lv\\Level.ini", "d"},  // an unmapped drive
      {"", "d"},
      {nullptr, "d"},
      {"Plain.ini", "windows folder"},  // no folder: the Windows folder
  };
  for (const auto& c : kCases) {
    char buffer[32];
    GetPrivateProfileStringA("S", "k", "d", buffer, sizeof buffer, c.file);
    EXPECT_STREQ(c.expected, buffer) << (c.file ? c.file : "(null)");
  }
}

TEST_F(ProfileTest, ListingIsNotSupported) {
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(0u, GetPrivateProfileStringA(nullptr, "k", "d", buffer, 16, "C:\\lv\\Level.ini"));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(0u, GetPrivateProfileStringA("Other", nullptr, "d", buffer, 16, "C:\\lv\\Level.ini"));
  EXPECT_STREQ("", buffer);
}

TEST_F(ProfileTest, GetPrivateProfileIntReadsTheLeadingNumber) {
  m_prefix.WriteFile("drive_c/n.ini", "[N]\ntwo=2\nempty=\ntext=abc\nminus=-1\ntail=12x\n");
  static const struct {
    const char* key;
    UINT expected;
  } kCases[] = {
      {"two", 2}, {"empty", 0}, {"text", 0}, {"minus", 0xFFFFFFFFu}, {"tail", 12}, {"none", 77},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.expected, GetPrivateProfileIntA("N", c.key, 77, "C:\\n.ini")) << c.key;
  }
  EXPECT_EQ(5u, GetPrivateProfileIntA("N", "two", 5, "C:\\missing.ini"));
}

TEST(ProfileUtf8Test, ReadsOurSettingsFiles) {
  uwtest::TempPrefix prefix;
  prefix.WriteFile("host.ini",
                   "\xEF\xBB\xBF[host]\r\n"
                   "Ledger = ledger.db\r\n"
                   "folder0=C:\\ホスト\\\r\n"
                   "empty=\r\n"
                   "[drives]\n"
                   "C=drive_c,fixed\n"
                   "z=/,fixed\n"
                   "Z=/ignored\n"
                   "R = \"/media/usb stick\" \n"
                   "[drives]\n"
                   "Q=/later\n");
  const std::string file = prefix.path() + "/host.ini";
  std::string value = "unchanged";
  EXPECT_TRUE(uw::ReadProfileString(file, "HOST", "ledger", &value));
  EXPECT_EQ("ledger.db", value);
  EXPECT_TRUE(uw::ReadProfileString(file, "host", "folder0", &value));
  EXPECT_EQ("C:\\ホスト\\", value);
  EXPECT_TRUE(uw::ReadProfileString(file, "host", "empty", &value));
  EXPECT_EQ("", value);
  value = "unchanged";
  EXPECT_FALSE(uw::ReadProfileString(file, "host", "user", &value));
  EXPECT_FALSE(uw::ReadProfileString(prefix.path() + "/none.ini", "host", "ledger", &value));
  EXPECT_EQ("unchanged", value);

  using Entries = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ((Entries{{"C", "drive_c,fixed"}, {"z", "/,fixed"}, {"R", "/media/usb stick"}}),
            uw::ReadProfileSection(file, "Drives"));
  EXPECT_TRUE(uw::ReadProfileSection(file, "faults").empty());
  EXPECT_TRUE(uw::ReadProfileSection(prefix.path() + "/none.ini", "drives").empty());
}

}  // namespace

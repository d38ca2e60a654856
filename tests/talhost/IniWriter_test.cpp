// Writing one key of a settings file: the line the profile reader sees
// changes, every other line stays.
#include "talhost/IniWriter.h"

#include <gtest/gtest.h>

#include "platform/win/profile.h"
#include "tests/support/TempPrefix.h"

namespace {

TEST(IniWriterTest, SetsTheKeyTheReaderSeesAndKeepsEverythingElse) {
  struct Case {
    const char* name;
    const char* before;  // null: no file
    const char* section;
    const char* key;
    const char* after;
  } cases[] = {
      {"new file", nullptr, "host", "user", "[host]\nuser=v\n"},
      {"replaced, other case, blanks",
       "; settings\n[Host]\n  User = old \nledger=l.db\n[faults]\nuser=x\n", "host", "USER",
       "; settings\n[Host]\nUSER=v\nledger=l.db\n[faults]\nuser=x\n"},
      {"added at the end of its section", "[host]\nledger=l.db\n\n[faults]\nrule_new=1\n", "host",
       "user", "[host]\nledger=l.db\nuser=v\n\n[faults]\nrule_new=1\n"},
      {"new section", "[host]\nuser=u", "faults", "rule_new",
       "[host]\nuser=u\n\n[faults]\nrule_new=v\n"},
      {"first of two sections", "[host]\na=1\n[host]\nuser=x\n", "host", "user",
       "[host]\na=1\nuser=v\n[host]\nuser=x\n"},
      {"comment is no key", "[host]\n;user=c\n", "host", "user", "[host]\n;user=c\nuser=v\n"},
      {"CR LF kept", "[host]\r\nuser=x\r\n", "host", "user", "[host]\r\nuser=v\r\n"},
  };
  for (const Case& c : cases) {
    uwtest::TempPrefix prefix;
    const std::string path = prefix.path() + "/test.ini";
    if (c.before != nullptr) prefix.WriteFile("test.ini", c.before);
    std::string error;
    ASSERT_TRUE(talhost::SetIniValue(path, c.section, c.key, "v", &error)) << c.name << error;
    EXPECT_EQ(c.after, prefix.ReadFile("test.ini")) << c.name;
    std::string value;
    ASSERT_TRUE(uw::ReadProfileString(path, c.section, c.key, &value)) << c.name;
    EXPECT_EQ("v", value) << c.name;
  }
}

TEST(IniWriterTest, RefusesWhatTheFileCannotHold) {
  uwtest::TempPrefix prefix;
  const std::string path = prefix.path() + "/test.ini";
  prefix.WriteFile("test.ini", "[host]\nuser=u\n");
  const char* const bad[][3] = {
      {"host", "user", "a\nb"}, {"host", "a=b", "v"}, {"host", "", "v"},
      {"", "user", "v"},        {"ho]st", "k", "v"},  {"host", "k\r", "v"},
  };
  for (const auto& b : bad) {
    std::string error;
    EXPECT_FALSE(talhost::SetIniValue(path, b[0], b[1], b[2], &error)) << b[0] << " " << b[1];
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ("[host]\nuser=u\n", prefix.ReadFile("test.ini"));
  // A folder in the way of the file.
  std::string error;
  EXPECT_FALSE(talhost::SetIniValue(prefix.path(), "host", "user", "v", &error));
}

}  // namespace

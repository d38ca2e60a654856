// talhost init: a usable prefix, made without losing what is there.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TempPrefix.h"
#include "tests/talhost/CommandTesting.h"

namespace talhost_test {
namespace {

namespace fs = std::filesystem;

TEST(CommandInitTest, MakesWhatIsMissingAndKeepsWhatExists) {
  uwtest::TempPrefix outer;
  const std::string prefix = outer.path() + "/new";
  setenv("UCHIWAKE_PREFIX", prefix.c_str(), 1);

  auto result = Talhost({"init"});
  ASSERT_EQ(0, result.exitStatus) << result.output;
  for (const char* path :
       {"platform.ini", "host.ini", "ledger.db", "windows", "drive_c/Tal/Out", "drive_c/Tal/Env"}) {
    EXPECT_TRUE(fs::exists(prefix + "/" + path)) << path;
  }
  const std::string hostIni = outer.ReadFile("new/host.ini");
  EXPECT_NE(std::string::npos, hostIni.find("folder0=C:\\Tal\\Out\\\n")) << hostIni;
  EXPECT_NE(std::string::npos, hostIni.find("folder1=C:\\Tal\\Env\\\n")) << hostIni;
  EXPECT_EQ("[drives]\nC=drive_c,fixed\nZ=/,fixed\n\n[ui]\nbackend=auto\n",
            outer.ReadFile("new/platform.ini"));
  // An empty ledger: nothing to list.
  result = Talhost({"list"});
  EXPECT_EQ(0, result.exitStatus) << result.output;

  // Again, after changes: they stay.
  outer.WriteFile("new/host.ini", "[host]\nuser=mine\n");
  outer.WriteFile("new/platform.ini", "[drives]\nC=/tmp,fixed\n");
  result = Talhost({"init"});
  ASSERT_EQ(0, result.exitStatus) << result.output;
  EXPECT_EQ("[host]\nuser=mine\n", outer.ReadFile("new/host.ini"));
  EXPECT_EQ("[drives]\nC=/tmp,fixed\n", outer.ReadFile("new/platform.ini"));

  // --demo replaces host.ini and the ledger.
  outer.WriteFile("new/platform.ini", "[drives]\nC=drive_c,fixed\n");
  result = Talhost({"init", "--demo"});
  ASSERT_EQ(0, result.exitStatus) << result.output;
  EXPECT_NE(std::string::npos, outer.ReadFile("new/host.ini").find("user=demo\n"));
  result = Talhost({"list"});
  EXPECT_NE(std::string::npos, result.output.find("* 1       D2017A")) << result.output;
}

TEST(CommandInitTest, RefusesWhatItCannotDo) {
  uwtest::TempPrefix prefix;
  EXPECT_EQ(64, Talhost({"init", "--bogus"}).exitStatus);
  // A file where the prefix should be.
  prefix.WriteFile("file", "x");
  setenv("UCHIWAKE_PREFIX", (prefix.path() + "/file").c_str(), 1);
  const auto result = Talhost({"init"});
  EXPECT_EQ(1, result.exitStatus);
  EXPECT_NE(std::string::npos, result.output.find("talhost: ")) << result.output;
}

}  // namespace
}  // namespace talhost_test

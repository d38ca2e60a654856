// talhost select, list and set on a demo prefix.
#include <gtest/gtest.h>

#include "tests/support/TempPrefix.h"
#include "tests/talhost/CommandTesting.h"

namespace talhost_test {
namespace {

TEST(CommandSelectTest, SelectionsShowInTheList) {
  uwtest::TempPrefix prefix;
  ASSERT_EQ(0, Talhost({"init", "--demo"}).exitStatus);

  auto result = Talhost({"select", "2"});
  EXPECT_EQ(0, result.exitStatus) << result.output;
  EXPECT_NE(std::string::npos, result.output.find("demo selects 2 合同会社みなと企画"));
  result = Talhost({"list"});
  EXPECT_NE(std::string::npos, result.output.find("  1       D2017A")) << result.output;
  EXPECT_NE(std::string::npos, result.output.find("* 2       D2017B")) << result.output;

  // Another user, new to the ledger; the current user keeps her choice.
  EXPECT_EQ(0, Talhost({"select", "3", "--user", "suzuki"}).exitStatus);
  EXPECT_NE(std::string::npos, Talhost({"list"}).output.find("* 2       D2017B"));
  EXPECT_EQ(0, Talhost({"set", "host.user", "suzuki"}).exitStatus);
  EXPECT_NE(std::string::npos, Talhost({"list"}).output.find("* 3       D2016A"));

  struct Case {
    std::vector<std::string> args;
    int status;
  } refused[] = {
      {{"select", "9"}, 1},        {{"select"}, 64},
      {{"select", "x"}, 64},       {{"select", "1", "--user"}, 64},
      {{"set", "user", "x"}, 64},  {{"set", "host.user"}, 64},
      {{"set", ".user", "x"}, 64}, {{"list", "x"}, 64},
  };
  for (const Case& c : refused) {
    result = Talhost(c.args);
    EXPECT_EQ(c.status, result.exitStatus) << c.args[0] << " " << c.args.size();
    EXPECT_NE(std::string::npos, result.output.find("talhost: ")) << result.output;
  }
}

TEST(CommandSelectTest, WithoutALedgerNothingIsListedOrSelected) {
  uwtest::TempPrefix prefix;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"list"}, std::vector<std::string>{"select", "1", "--user", "u"}}) {
    const auto result = Talhost(args);
    EXPECT_EQ(1, result.exitStatus) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("no ledger")) << result.output;
  }
  prefix.WriteFile("ledger.db", "not a database at all, but long enough to be read as one....");
  EXPECT_EQ(1, Talhost({"list"}).exitStatus);
}

}  // namespace
}  // namespace talhost_test

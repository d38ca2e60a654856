// talhost run with a tiny child in place of a deliverable: the handshake it
// passes, the lines it prints for what arrives at the host window, and its
// exit status.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <sstream>

#include "tests/support/Process.h"
#include "tests/support/TempPrefix.h"

namespace {

namespace fs = std::filesystem;

std::string Child() { return uwtest::BuildDir() + "/tests/talhost_test_child"; }

uwtest::ProcessResult RunTalhost(const std::string& actions,
                                 std::vector<std::string> options = {}) {
  std::vector<std::string> argv = {uwtest::BinPath("talhost"), "run", Child()};
  argv.insert(argv.end(), options.begin(), options.end());
  return uwtest::RunProcess(argv, {{"TALHOST_TEST_CHILD", actions}}, 30);
}

// The lines talhost itself printed (the child's "argc=..." lines and the
// like left out).
std::vector<std::string> HostLines(const std::string& output) {
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    for (const char* start : {"enabled ", "posted ", "received ", "exit ", "timeout"}) {
      if (line.rfind(start, 0) == 0) lines.push_back(line);
    }
  }
  return lines;
}

TEST(CommandRunTest, ReportsWhatTheProgramSendsAndExitsWithThePostedResult) {
  uwtest::TempPrefix prefix;
  for (int lParam : {0, 1, 2}) {
    const auto result = RunTalhost("post:" + std::to_string(lParam), {"--func", "7"});
    const std::vector<std::string> expected = {
        "enabled 0", "enabled 1", "posted msg=1025 wparam=7 lparam=" + std::to_string(lParam),
        "enabled 1", "exit 0"};
    EXPECT_EQ(expected, HostLines(result.output)) << result.output;
    EXPECT_EQ(lParam, result.exitStatus) << result.output;
  }
  // Another message number; a function id that the program posts sign-extended.
  const auto result = RunTalhost("post:2", {"--msg", "33000", "--func", "-25536"});
  EXPECT_EQ("posted msg=33000 wparam=-25536 lparam=2", HostLines(result.output).at(2));
  // The endpoint is gone afterwards.
  EXPECT_TRUE(fs::is_empty(prefix.path() + "/windows"));
}

TEST(CommandRunTest, NothingPostedExitsWith3WhateverTheChildDid) {
  uwtest::TempPrefix prefix;
  struct Case {
    const char* actions;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {"exit 0"}},
      {"exit:5", {"exit 5"}},
      {"signal", {"exit signal 15"}},
      {"junk", {"received hello? world", "exit 0"}},
  };
  for (const Case& c : cases) {
    const auto result = RunTalhost(c.actions);
    EXPECT_EQ(c.lines, HostLines(result.output)) << c.actions << "\n" << result.output;
    EXPECT_EQ(3, result.exitStatus) << c.actions;
  }
}

TEST(CommandRunTest, WhatIsSentJustBeforeTheEndIsNotLost) {
  uwtest::TempPrefix prefix;
  const auto result = RunTalhost("burst:8");
  std::vector<std::string> expected;
  for (int i = 0; i < 8; ++i)
    expected.push_back("posted msg=1025 wparam=0 lparam=" + std::to_string(i));
  expected.push_back("exit 0");
  EXPECT_EQ(expected, HostLines(result.output)) << result.output;
  EXPECT_EQ(7, result.exitStatus);
}

TEST(CommandRunTest, PassesTheHandshakeAsOneArgument) {
  uwtest::TempPrefix prefix;
  struct Case {
    std::vector<std::string> options;
    std::string argLines;  // regex over the child's argument lines
  } cases[] = {
      {{}, "argc=2\narg1=[0-9]+,1025,1,\n"},
      {{"--func", "7", "--path", "C:\\out\\a b,c.xml"},
       "argc=2\narg1=[0-9]+,1025,7,C:\\\\out\\\\a b,c\\.xml\n"},
      {{"--no-handshake"}, "argc=1\n"},
      {{"--tail", "123,1025,7"}, "argc=2\narg1=123,1025,7\n"},
      {{"--tail", ""}, "argc=2\narg1=\n"},
  };
  for (const Case& c : cases) {
    const auto result = RunTalhost("args", c.options);
    EXPECT_TRUE(std::regex_search(result.output, std::regex(c.argLines))) << result.output;
    EXPECT_EQ(3, result.exitStatus);
  }
  // The handle is the one whose endpoint talhost opened: the child can post,
  // also through a tail that names it.
  auto result = RunTalhost("args,post:1");
  EXPECT_EQ(1, result.exitStatus) << result.output;
  result = RunTalhost("post:2", {"--tail", "{window},77,-1,{window}"});
  EXPECT_TRUE(std::regex_search(result.output, std::regex("posted msg=77 wparam=-1 lparam=2\n")))
      << result.output;
  EXPECT_EQ(2, result.exitStatus) << result.output;
}

TEST(CommandRunTest, AScriptRunsTheProgramHeadless) {
  uwtest::TempPrefix prefix;
  prefix.WriteFile("demo.script", "answer ok\n");
  const fs::path old = fs::current_path();
  fs::current_path(prefix.path());
  const auto result = RunTalhost("args", {"--script", "demo.script"});
  fs::current_path(old);
  EXPECT_NE(std::string::npos, result.output.find("UCHIWAKE_UI=headless\n")) << result.output;
  EXPECT_NE(std::string::npos,
            result.output.find("UCHIWAKE_UI_SCRIPT=" + prefix.path() + "/demo.script\n"))
      << result.output;
}

TEST(CommandRunTest, ATimeoutEndsAProgramThatNeverEnds) {
  uwtest::TempPrefix prefix;
  const auto start = std::chrono::steady_clock::now();
  const auto result = RunTalhost("post:1,sleep", {"--timeout", "0.5"});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  const std::vector<std::string> expected = {
      "enabled 0", "enabled 1", "posted msg=1025 wparam=1 lparam=1",
      "enabled 1", "timeout",   "exit signal 9"};
  EXPECT_EQ(expected, HostLines(result.output)) << result.output;
  EXPECT_EQ(1, result.exitStatus);
}

TEST(CommandRunTest, RefusesWhatItCannotRun) {
  uwtest::TempPrefix prefix;
  struct Case {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{"run"}, 64},
      {{"run", "NoSuchDeliverable"}, 4},
      {{"run", "/nonexistent/program"}, 4},
      {{"run", Child(), "--func"}, 64},
      {{"run", Child(), "--func", "seven"}, 64},
      {{"run", Child(), "--timeout", "0"}, 64},
      {{"run", Child(), "--bogus"}, 64},
      {{"run", Child(), "--tail", "1,2,3,", "--no-handshake"}, 64},
      {{"run", Child(), "--script", "/nonexistent/script"}, 4},
      {{"frobnicate"}, 64},
  };
  for (const Case& c : cases) {
    std::vector<std::string> argv = {uwtest::BinPath("talhost")};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const auto result = uwtest::RunProcess(argv, {}, 30);
    EXPECT_EQ(c.status, result.exitStatus) << c.args.back() << "\n" << result.output;
    EXPECT_NE(std::string::npos, result.output.find("talhost: ")) << result.output;
  }
}

TEST(CommandRunTest, WithoutAPrefixTheProgramStillRunsAndNothingArrives) {
  uwtest::TempPrefix prefix;
  const std::string gone = prefix.path() + "/gone";
  std::vector<std::string> argv = {uwtest::BinPath("talhost"), "run", Child()};
  const auto result =
      uwtest::RunProcess(argv, {{"TALHOST_TEST_CHILD", "post:0"}, {"UCHIWAKE_PREFIX", gone}}, 30);
  EXPECT_EQ(std::vector<std::string>{"exit 0"}, HostLines(result.output)) << result.output;
  EXPECT_EQ(3, result.exitStatus);
  EXPECT_FALSE(fs::exists(gone));
}

}  // namespace

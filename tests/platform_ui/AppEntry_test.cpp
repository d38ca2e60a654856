// The process entry: the command-line tail, the hooks, the exit status, and
// a program that starts and ends cleanly with no display and no script.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/Process.h"
#include "tests/support/TempPrefix.h"

namespace {

std::string Fixture() { return uwtest::BuildDir() + "/tests/uw_ui_fixture"; }

// No display, no script, no forced backend.
const std::map<std::string, std::string> kNoDisplay = {
    {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"UCHIWAKE_UI", ""}, {"UCHIWAKE_UI_SCRIPT", ""}};

TEST(AppEntryTest, TheTailIsTheArgumentsJoinedInShiftJisAndExitInstanceAlwaysRuns) {
  uwtest::TempPrefix prefix;
  // "ソ" is 83 5C in Shift_JIS.
  const uwtest::ProcessResult run =
      uwtest::RunProcess({Fixture(), "tail", "123,1025,7,C:\\ソ", "b.xml"}, kNoDisplay, 30);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitStatus, 5) << run.output;
  // "tail 123,1025,7,C:\ソ b.xml"
  const std::string expected = "7461696C203132332C313032352C372C433A5C835C20622E786D6C";
  EXPECT_NE(run.output.find("fixture: tail " + expected + "\n"), std::string::npos) << run.output;
  // InitInstance failed and ExitInstance ran all the same.
  EXPECT_NE(run.output.find("fixture: exit instance\n"), std::string::npos) << run.output;
}

TEST(AppEntryTest, WithoutDisplayOrScriptAProgramRunsHeadlessAndEnds) {
  uwtest::TempPrefix prefix;
  const uwtest::ProcessResult run = uwtest::RunProcess({Fixture(), "message"}, kNoDisplay, 30);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitStatus, 1) << run.output;  // IDOK, as by the close box
  EXPECT_NE(run.output.find("message box: uw_ui_fixture [information; OK]\n"
                            "  | 情報です。\n"
                            "  |\n"
                            "  | アプリケーションを終了します。\n"
                            "! script ran dry: the message box is closed as by its close box\n"
                            "  -> OK\n"),
            std::string::npos)
      << run.output;
}

TEST(AppEntryTest, RealWindowsThatCannotOpenFallBackToHeadless) {
  uwtest::TempPrefix prefix;
  std::map<std::string, std::string> env = kNoDisplay;
  env["UCHIWAKE_UI"] = "wx";
  env["DISPLAY"] = ":999";  // no such server
  const uwtest::ProcessResult run = uwtest::RunProcess({Fixture(), "message"}, env, 30);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitStatus, 1) << run.output;
  EXPECT_NE(run.output.find("no real windows can be opened (DISPLAY=:999); running headless"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("message box: uw_ui_fixture [information; OK]\n"), std::string::npos)
      << run.output;
}

TEST(AppEntryTest, AScriptFileDrivesTheProgramAndLeftoverLinesAreCounted) {
  uwtest::TempPrefix prefix;
  prefix.WriteFile("script.txt", "answer ok\nkey F12\n");
  std::map<std::string, std::string> env = kNoDisplay;
  env["UCHIWAKE_UI_SCRIPT"] = prefix.path() + "/script.txt";
  const uwtest::ProcessResult run = uwtest::RunProcess({Fixture(), "progress"}, env, 30);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitStatus, 1) << run.output;
  EXPECT_NE(run.output.find("title 131: 集計中 100％\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("> answer ok\n  -> OK\ndialog 131 ended: 1\ndialog 131 hidden\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("! 1 script line(s) not used, from line 2\n"), std::string::npos)
      << run.output;

  // A script that cannot be read is said so, and the program runs dry.
  env["UCHIWAKE_UI_SCRIPT"] = prefix.path() + "/missing.txt";
  const uwtest::ProcessResult dry = uwtest::RunProcess({Fixture(), "keys"}, env, 30);
  EXPECT_EQ(dry.exitStatus, 2) << dry.output;
  EXPECT_NE(dry.output.find("cannot be read"), std::string::npos) << dry.output;
}

}  // namespace

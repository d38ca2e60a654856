// A deliverable with real windows under Xvfb, started by talhost: the
// conditions dialog in fixed-path mode, then a report that cannot be
// written, so that the failure box stands over the progress dialog, which
// stays painted at the point the run reached. Screenshots are kept in
// <build>/tests/gui-artifacts.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/gui/GuiSession.h"
#include "tests/support/Process.h"
#include "tests/support/TempPrefix.h"

namespace {

constexpr char kClass[] = "TalGrn19ToUG13_U";

TEST(WxDeliverableTest, FailureBoxStandsOverThePaintedProgressDialog) {
  uwtest::XvfbSession xvfb;
  if (!xvfb.Installed()) GTEST_SKIP() << "Xvfb is not installed";
  ASSERT_TRUE(xvfb.Running()) << xvfb.Error();
  uwtest::TempPrefix prefix;
  const std::string talhost = uwtest::BinPath("talhost");
  const uwtest::ProcessResult init = uwtest::RunProcess({talhost, "init", "--demo"});
  ASSERT_EQ(init.exitStatus, 0) << init.output;
  // The host fixes the output file, and a folder stands where it would go:
  // every check passes (no overwrite question in fixed-path mode), and
  // writing fails.
  std::filesystem::create_directories(prefix.DriveC() + "/Tal/Out/busy.xml");

  std::map<std::string, std::string> env = {{"DISPLAY", xvfb.Display()}, {"UCHIWAKE_UI", "wx"}};
  if (std::getenv("LSAN_OPTIONS") == nullptr) {
    env["LSAN_OPTIONS"] = "suppressions=" + uwtest::SourceDir() + "/tests/lsan.supp";
  }
  uwtest::GuiProcess run(
      {talhost, "run", kClass, "--func", "7", "--path", "C:\\Tal\\Out\\busy.xml"}, env,
      prefix.path() + "/run.out");

  std::vector<std::string> windows = uwtest::WaitForWindows(xvfb.Display(), kClass, 1, 30);
  ASSERT_EQ(windows.size(), 1u) << run.Output();
  EXPECT_EQ(uwtest::WindowTitle(xvfb.Display(), windows[0]), "科目内訳書 - 集計条件");
  EXPECT_FALSE(uwtest::Screenshot(xvfb.Display(), "deliverable-conditions-fixed-path").empty());
  uwtest::RunOnDisplay(xvfb.Display(), {"xdotool", "windowfocus", "--sync", windows[0]});
  uwtest::RunOnDisplay(xvfb.Display(), {"xdotool", "key", "F12"});

  windows = uwtest::WaitForWindows(xvfb.Display(), kClass, 2, 30);
  ASSERT_EQ(windows.size(), 2u) << run.Output();
  std::string box;
  std::string progressTitle;
  for (const std::string& window : windows) {
    const std::string title = uwtest::WindowTitle(xvfb.Display(), window);
    if (title == "科目内訳書") {
      box = window;
    } else {
      progressTitle = title;
    }
  }
  ASSERT_FALSE(box.empty());
  // The aggregation reached 500 per mille before the report failed.
  EXPECT_EQ(progressTitle, "集計中 50％");
  // Moved aside, as a user might, so that the screenshot shows both.
  uwtest::RunOnDisplay(xvfb.Display(), {"xdotool", "windowmove", "--sync", box, "300", "450"});
  EXPECT_FALSE(uwtest::Screenshot(xvfb.Display(), "deliverable-progress-and-failure").empty());
  uwtest::RunOnDisplay(xvfb.Display(), {"xdotool", "windowfocus", "--sync", box});
  uwtest::RunOnDisplay(xvfb.Display(), {"xdotool", "key", "Return"});

  EXPECT_EQ(run.Wait(30), 2) << run.Output();
  EXPECT_NE(run.Output().find("posted msg=1025 wparam=7 lparam=2\n"), std::string::npos)
      << run.Output();
}

}  // namespace

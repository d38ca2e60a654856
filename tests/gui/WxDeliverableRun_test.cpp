// A whole successful run with real windows under Xvfb, driven from the
// keyboard as a user would: talhost starts the deliverable, xdotool sets the
// end month, names the file, presses F12 and answers the questions. The
// ledger is large enough for the progress dialog to be seen. Screenshots of
// the conditions dialog, the question, the progress dialog and the final
// message are kept in <build>/tests/gui-artifacts.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "talhost/LedgerBuilder.h"
#include "tests/gui/GuiSession.h"
#include "tests/support/Process.h"
#include "tests/support/TempPrefix.h"

namespace {

constexpr char kClass[] = "TalGrn19ToUG13_U";

// A company of about `accounts` accounts, each with an opening balance and
// a movement in every month, made in SQL so that it costs a second.
void BuildLargeLedger(int accounts) {
  talhost::LedgerBuilder ledger;
  ledger.AddCompany(
      {.dataNo = 1, .name = "ABC商事", .periodStart = 20170401, .periodEnd = 20180331});
  ledger.SelectCompany("gui", 1, 1);
  ledger.SetHost("user", "gui");
  ledger.SetHost("folder0", "C:\\Tal\\Out\\");
  ledger.SetHost("folder1", "C:\\Tal\\Env\\");
  const std::string n = std::to_string(accounts);
  ledger.Exec("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < " + n +
              ") INSERT INTO account (data_no, code, name, kind, balance_side) "
              "SELECT 1, (1000 + i) * 10000, '科目' || i, 0, 1 FROM k");
  ledger.Exec(
      "WITH RECURSIVE m(month) AS (SELECT 0 UNION ALL SELECT month + 1 FROM m WHERE month < 12) "
      "INSERT INTO amount (data_no, code, month_code, side, excl, incl) "
      "SELECT 1, code, month, 1, 10000 * (month + 1), 11000 * (month + 1) FROM account, m "
      "WHERE data_no = 1");
}

// Waits for a window of `kClass` whose title is `title` (or starts with it,
// when `prefixOnly`), other than `except`.
std::string WaitForTitle(const std::string& display, const std::string& title, double seconds,
                         bool prefixOnly = false, const std::string& except = "") {
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(static_cast<int>(seconds * 1000));
  while (std::chrono::steady_clock::now() < deadline) {
    for (const std::string& window : uwtest::WaitForWindows(display, kClass, 1, 0.2)) {
      const std::string found = uwtest::WindowTitle(display, window);
      const bool matches = prefixOnly ? found.rfind(title, 0) == 0 : found == title;
      if (matches && window != except) return window;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return "";
}

void Keys(const std::string& display, const std::string& window,
          const std::vector<std::string>& keys) {
  uwtest::RunOnDisplay(display, {"xdotool", "windowfocus", "--sync", window});
  std::vector<std::string> argv{"xdotool", "key", "--delay", "50"};
  argv.insert(argv.end(), keys.begin(), keys.end());
  uwtest::RunOnDisplay(display, argv);
}

TEST(WxDeliverableRunTest, KeyboardRunWritesTheReportAndPostsSuccess) {
  uwtest::XvfbSession xvfb;
  if (!xvfb.Installed()) GTEST_SKIP() << "Xvfb is not installed";
  ASSERT_TRUE(xvfb.Running()) << xvfb.Error();
  uwtest::TempPrefix prefix;
  BuildLargeLedger(60000);
  // An older report of the same name: the overwrite question comes up.
  prefix.WriteFile("drive_c/Tal/Out/gui.xml", "old");

  std::map<std::string, std::string> env = {{"DISPLAY", xvfb.Display()}, {"UCHIWAKE_UI", "wx"}};
  if (std::getenv("LSAN_OPTIONS") == nullptr) {
    env["LSAN_OPTIONS"] = "suppressions=" + uwtest::SourceDir() + "/tests/lsan.supp";
  }
  uwtest::GuiProcess run({uwtest::BinPath("talhost"), "run", kClass, "--func", "7"}, env,
                         prefix.path() + "/run.out");

  const std::string conditions = WaitForTitle(xvfb.Display(), "科目内訳書 - 集計条件", 20);
  ASSERT_FALSE(conditions.empty()) << run.Output();
  // The end month has the focus: replace it with 9. Enter moves on to the
  // check box, Enter again to the path with its text selected.
  Keys(xvfb.Display(), conditions, {"ctrl+a", "9", "Return", "Return"});
  uwtest::RunOnDisplay(xvfb.Display(),
                       {"xdotool", "type", "--delay", "20", "C:\\Tal\\Out\\gui.xml"});
  EXPECT_FALSE(uwtest::Screenshot(xvfb.Display(), "run-conditions").empty());
  Keys(xvfb.Display(), conditions, {"F12"});

  const std::string question = WaitForTitle(xvfb.Display(), "科目内訳書", 20);
  ASSERT_FALSE(question.empty()) << run.Output();
  EXPECT_FALSE(uwtest::Screenshot(xvfb.Display(), "run-overwrite-question").empty());
  Keys(xvfb.Display(), question, {"Return"});  // Yes, the default button

  // 40 per mille is reached once the rows are counted; the long row loop
  // follows, with the activity bar running.
  const std::string progress = WaitForTitle(xvfb.Display(), "集計中 40％", 20);
  EXPECT_FALSE(progress.empty()) << run.Output();
  EXPECT_FALSE(uwtest::Screenshot(xvfb.Display(), "run-progress").empty());

  const std::string done = WaitForTitle(xvfb.Display(), "科目内訳書", 60, false, question);
  ASSERT_FALSE(done.empty()) << run.Output();
  EXPECT_FALSE(uwtest::Screenshot(xvfb.Display(), "run-done").empty());
  Keys(xvfb.Display(), done, {"Return"});

  EXPECT_EQ(run.Wait(30), 0) << run.Output();
  EXPECT_NE(run.Output().find("posted msg=1025 wparam=7 lparam=0\n"), std::string::npos)
      << run.Output();
  const std::string report = prefix.DriveC() + "/Tal/Out/gui.xml";
  const uwtest::ProcessResult lint = uwtest::RunProcess({"/usr/bin/xmllint", "--noout", report});
  EXPECT_EQ(lint.exitStatus, 0) << lint.output;
  EXPECT_GT(std::filesystem::file_size(report), 60000u * 100) << "every account is written";
  // Saved for the next run: the end month the user typed, no path (started
  // from the host).
  EXPECT_EQ(prefix.ReadFile("drive_c/Tal/Env/TalGrn19ToUg13_U.env"), "gui/1/1:0/9/\n");
}

}  // namespace

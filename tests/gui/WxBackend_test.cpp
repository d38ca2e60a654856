// Real windows under Xvfb: the dialogs of a program on the framework laid
// out from their templates with Japanese text, the progress dialog with a
// message box in front of it, and keys pressed with xdotool reaching
// PreTranslateMessage with the focused control. Screenshots are kept in
// <build>/tests/gui-artifacts.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/gui/GuiSession.h"
#include "tests/support/TempPrefix.h"

namespace {

constexpr char kClass[] = "uw_ui_fixture";

class WxBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!m_xvfb.Installed()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(m_xvfb.Running()) << m_xvfb.Error();
  }

  // Starts the fixture program in `mode` with real windows on the server.
  std::unique_ptr<uwtest::GuiProcess> Start(const std::string& mode) {
    std::map<std::string, std::string> env = {
        {"DISPLAY", m_xvfb.Display()}, {"UCHIWAKE_UI", "wx"}, {"UCHIWAKE_PREFIX", m_prefix.path()}};
    // Leaks inside GTK and fontconfig are theirs (sanitizer builds).
    if (std::getenv("LSAN_OPTIONS") == nullptr) {
      env["LSAN_OPTIONS"] = "suppressions=" + uwtest::SourceDir() + "/tests/lsan.supp";
    }
    return std::make_unique<uwtest::GuiProcess>(
        std::vector<std::string>{uwtest::BuildDir() + "/tests/uw_ui_fixture", mode}, env,
        m_prefix.path() + "/" + mode + ".out");
  }

  // Gives `window` the keyboard focus (no window manager does it here).
  void Focus(const std::string& window) {
    uwtest::RunOnDisplay(m_xvfb.Display(), {"xdotool", "windowfocus", "--sync", window});
  }
  void Keys(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
      uwtest::RunOnDisplay(m_xvfb.Display(), {"xdotool", "key", "--clearmodifiers", key});
    }
  }

  uwtest::TempPrefix m_prefix;
  uwtest::XvfbSession m_xvfb;
};

TEST_F(WxBackendTest, ConditionsTemplateIsLaidOutInDialogUnitsOfTheDialogFont) {
  auto program = Start("conditions");
  const std::vector<std::string> windows = uwtest::WaitForWindows(m_xvfb.Display(), kClass, 1, 30);
  ASSERT_EQ(windows.size(), 1u) << program->Output();
  EXPECT_EQ(uwtest::WindowTitle(m_xvfb.Display(), windows[0]), "科目内訳書 - 集計条件");
  // 255 x 157 dialog units at 1.75 x 1.625 pixels (IPAPGothic, 9 points).
  const std::string geometry =
      uwtest::RunOnDisplay(m_xvfb.Display(), {"xdotool", "getwindowgeometry", windows[0]});
  EXPECT_NE(geometry.find("Geometry: 446x255"), std::string::npos) << geometry;
  // The application icon, in the sizes a frame shows.
  const std::string icon =
      uwtest::RunOnDisplay(m_xvfb.Display(), {"xprop", "-id", windows[0], "_NET_WM_ICON"});
  for (const char* size : {"16 x 16", "24 x 24", "32 x 32", "48 x 48", "128 x 128"}) {
    EXPECT_NE(icon.find(std::string("Icon (") + size + "):"), std::string::npos) << size;
  }
  EXPECT_FALSE(uwtest::Screenshot(m_xvfb.Display(), "conditions-template").empty());
  Focus(windows[0]);
  Keys({"Escape"});
  EXPECT_EQ(program->Wait(15), 2) << program->Output();  // IDCANCEL
}

TEST_F(WxBackendTest, ProgressDialogStaysPaintedAndAMessageBoxShowsOverIt) {
  auto program = Start("progress");
  ASSERT_TRUE(program->WaitForOutput("fixture: progress done", 30)) << program->Output();
  const std::vector<std::string> windows = uwtest::WaitForWindows(m_xvfb.Display(), kClass, 2, 30);
  ASSERT_EQ(windows.size(), 2u) << program->Output();
  std::vector<std::string> titles;
  for (const std::string& window : windows) {
    titles.push_back(uwtest::WindowTitle(m_xvfb.Display(), window));
  }
  EXPECT_NE(std::find(titles.begin(), titles.end(), "集計中 100％"), titles.end());
  EXPECT_NE(std::find(titles.begin(), titles.end(), "科目内訳書"), titles.end());
  const std::string box = titles[0] == "科目内訳書" ? windows[0] : windows[1];
  // Moved aside, as a user might, so that the screenshot shows both.
  uwtest::RunOnDisplay(m_xvfb.Display(), {"xdotool", "windowmove", "--sync", box, "300", "450"});
  EXPECT_FALSE(uwtest::Screenshot(m_xvfb.Display(), "progress-and-message-box").empty());

  // Enter answers the box; the dialog is ended and the program exits with
  // the answer (IDOK).
  Focus(box);
  Keys({"Return"});
  EXPECT_EQ(program->Wait(15), 1) << program->Output();
}

TEST_F(WxBackendTest, KeysPressedDuringARunWaitUntilALoopTakesInput) {
  auto program = Start("slowprogress");
  const std::vector<std::string> windows = uwtest::WaitForWindows(m_xvfb.Display(), kClass, 1, 30);
  ASSERT_EQ(windows.size(), 1u) << program->Output();
  Focus(windows[0]);
  // Esc would cancel the dialog if it were handled now; the repaints of the
  // run handle paint events only.
  Keys({"Escape", "Return", "space"});
  ASSERT_TRUE(program->WaitForOutput("fixture: progress done", 30)) << program->Output();
  EXPECT_NE(program->Output().find("fixture: shown at the end\n"), std::string::npos)
      << program->Output();
  // The queued keys reach the box's loop afterwards (typed ahead); answer
  // the box if they did not.
  const std::vector<std::string> boxes = uwtest::WaitForWindows(m_xvfb.Display(), kClass, 2, 2);
  for (const std::string& window : boxes) {
    if (uwtest::WindowTitle(m_xvfb.Display(), window) == "科目内訳書") {
      Focus(window);
      Keys({"Return"});
    }
  }
  EXPECT_EQ(program->Wait(15), 1) << program->Output();
}

TEST_F(WxBackendTest, TypingReplacesTheTextTheProgramSelected) {
  auto program = Start("select");
  const std::vector<std::string> windows = uwtest::WaitForWindows(m_xvfb.Display(), kClass, 1, 30);
  ASSERT_EQ(windows.size(), 1u) << program->Output();
  Focus(windows[0]);
  uwtest::RunOnDisplay(m_xvfb.Display(), {"xdotool", "type", "--delay", "20", "D:\\new.xml"});
  Keys({"Escape"});
  EXPECT_EQ(program->Wait(15), 2) << program->Output();
  EXPECT_NE(program->Output().find("fixture: path D:\\new.xml\n"), std::string::npos)
      << program->Output();
}

TEST_F(WxBackendTest, KeysReachPreTranslateMessageWithTheFocusedControl) {
  auto program = Start("keys");
  const std::vector<std::string> windows = uwtest::WaitForWindows(m_xvfb.Display(), kClass, 1, 30);
  ASSERT_EQ(windows.size(), 1u) << program->Output();
  Focus(windows[0]);
  // F12, Enter and Shift+Esc are taken by the dialog; Tab is not, so it
  // moves the focus from the number edit (11) to the check box (12); Esc
  // goes on to the standard handling and cancels.
  Keys({"F12", "shift+F12", "Return", "shift+Return", "Tab", "F12", "shift+Escape", "Escape"});
  EXPECT_EQ(program->Wait(15), 2) << program->Output();
  const std::string expected =
      "fixture: key 123 at 11\n"
      "fixture: key 123 at 11 shift\n"
      "fixture: key 13 at 11\n"
      "fixture: key 13 at 11 shift\n"
      "fixture: key 9 at 11\n"
      "fixture: key 123 at 12\n"
      "fixture: key 27 at 12 shift\n"
      "fixture: key 27 at 12\n"
      "fixture: cancel\n"
      "fixture: result 2\n";
  EXPECT_NE(program->Output().find(expected), std::string::npos) << program->Output();
}

}  // namespace

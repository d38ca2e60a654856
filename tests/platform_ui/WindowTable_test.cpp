// The window table: progress bar messages, handles, text bounds, foreign
// handles.

#include "platform/ui/WindowTable.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/ui/afxwin.h"
#include "platform/ui/headless/HeadlessTesting.h"
#include "tests/platform_ui/TestDialogs.h"
#include "tests/support/TempPrefix.h"

namespace {

class WindowTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uwtest::RegisterTestTemplate();
    uw::headless::Start();
  }
  uwtest::TempPrefix m_prefix;
};

// Template 131 is not linked here: a bar made by hand from a one-control
// template.
const uw::DialogControlTemplate kBarControls[] = {
    {1, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 100, 10}};
const uw::DialogTemplateData kBarTemplate = {901, "bar", WS_POPUP,     0, 0, 0, 110, 20,
                                             "",  9,     kBarControls, 1};

TEST_F(WindowTableTest, ProgressBarKeepsItsPositionInsideTheRange) {
  uw::RegisterDialogTemplate(&kBarTemplate);
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(901, nullptr));
  const HWND bar = GetDlgItem(dlg.m_hWnd, 1);
  ASSERT_NE(bar, 0);
  struct Step {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    int position;  // afterwards
  };
  const Step steps[] = {
      {PBM_GETPOS, 0, 0, 0, 0},   // a new bar: 0-100 at 0, step 10
      {PBM_STEPIT, 0, 0, 0, 10},  // returns the old position
      {PBM_SETRANGE, 0, MAKELPARAM(0, 1000), MAKELPARAM(0, 100), 10},
      {PBM_SETRANGE, 0, MAKELPARAM(5, 4), 0, 10},         // maximum below minimum: refused
      {PBM_SETPOS, 2000, 0, 10, 1000},                    // kept at the maximum
      {PBM_STEPIT, 0, 0, 1000, 1000},                     // a full bar stays full
      {PBM_SETPOS, static_cast<WPARAM>(-5), 0, 1000, 0},  // kept at the minimum
      {PBM_SETSTEP, 1, 0, 10, 0},                         // returns the old step
      {PBM_STEPIT, 0, 0, 0, 1},
      {PBM_SETRANGE, 0, MAKELPARAM(20, 30), MAKELPARAM(0, 1000), 20},  // moved into the range
      {PBM_SETSTEP, static_cast<WPARAM>(-3), 0, 1, 20},
      {PBM_STEPIT, 0, 0, 20, 20},  // a negative step stops at the minimum
  };
  int row = 0;
  for (const Step& s : steps) {
    EXPECT_EQ(SendMessageA(bar, s.message, s.wParam, s.lParam), s.result) << "row " << row;
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), s.position) << "row " << row;
    ++row;
  }
}

TEST_F(WindowTableTest, HandlesAreNeverReusedAndStaleOnesAreDead) {
  HWND first = 0;
  HWND firstEdit = 0;
  {
    uwtest::CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(uwtest::kTestDialogId, nullptr));
    first = dlg.m_hWnd;
    firstEdit = GetDlgItem(first, uwtest::kIdPath);
    EXPECT_TRUE(IsWindowEnabled(firstEdit));
  }
  uwtest::CTestDlg again;
  ASSERT_TRUE(again.Create(uwtest::kTestDialogId, nullptr));
  EXPECT_NE(again.m_hWnd, first);
  EXPECT_NE(GetDlgItem(again.m_hWnd, uwtest::kIdPath), firstEdit);
  // A stale handle is no local window any more: calls on it do nothing.
  EXPECT_FALSE(IsWindowEnabled(firstEdit));
  EXPECT_EQ(SendMessageA(firstEdit, WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_FALSE(SetWindowTextA(firstEdit, "x"));
  EXPECT_EQ(GetDlgCtrlID(firstEdit), 0);
}

TEST_F(WindowTableTest, GetWindowTextIsBoundedAndNeverSplitsACharacter) {
  uwtest::CTestDlg dlg;
  ASSERT_TRUE(dlg.Create(uwtest::kTestDialogId, nullptr));
  const HWND edit = GetDlgItem(dlg.m_hWnd, uwtest::kIdPath);
  const char text[] =
      "\x83\x5C\x83\x5C"
      "a";  // "ソソa" in CP932
  ASSERT_TRUE(SetWindowTextA(edit, text));
  EXPECT_EQ(GetWindowTextLengthA(edit), 5);
  struct Case {
    int size;
    const char* expected;
  };
  const Case cases[] = {
      {6, text}, {5, "\x83\x5C\x83\x5C"}, {4, "\x83\x5C"}, {3, "\x83\x5C"}, {2, ""}, {1, ""}};
  for (const Case& c : cases) {
    char buffer[8];
    std::memset(buffer, '#', sizeof(buffer));
    const int copied = GetWindowTextA(edit, buffer, c.size);
    EXPECT_STREQ(buffer, c.expected) << c.size;
    EXPECT_EQ(copied, static_cast<int>(std::strlen(c.expected))) << c.size;
    EXPECT_EQ(buffer[c.size], '#') << c.size;  // nothing written past the size
  }
  EXPECT_EQ(GetWindowTextA(edit, nullptr, 4), 0);
}

TEST_F(WindowTableTest, AForeignHandleKeepsOneWrapperAndIsNoLocalWindow) {
  const HWND foreign = 123;
  CWnd* wrapper = CWnd::FromHandle(foreign);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->m_hWnd, foreign);
  EXPECT_EQ(CWnd::FromHandle(foreign), wrapper);
  EXPECT_EQ(CWnd::FromHandle(0), nullptr);
  EXPECT_FALSE(uw::ui::WindowTable::Get().Owns(foreign));
  // No endpoint exists in the fresh prefix: posting fails as to a dead window.
  EXPECT_FALSE(wrapper->PostMessage(WM_USER, 1, 2));
  EXPECT_EQ(wrapper->GetDlgCtrlID(), 0);
}

}  // namespace

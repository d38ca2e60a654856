// Dialogs: modal and modeless life, the message map, keys through
// PreTranslateMessage and the standard dialog handling, the close box.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/afxwin.h"
#include "platform/ui/headless/HeadlessTesting.h"
#include "tests/platform_ui/TestDialogs.h"
#include "tests/support/TempPrefix.h"

namespace {

using uwtest::CTestDlg;
using Log = std::vector<std::string>;

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { uwtest::RegisterTestTemplate(); }
  uwtest::TempPrefix m_prefix;
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(DialogTest, ModalDialogInitialisesBeforeItShowsAndFocusesTheFirstTabStop) {
  uw::headless::Start("click 13\nkey Esc\n");
  CTestDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.log, (Log{"init", "go", "key 27 at 13", "cancel", "destroy"}));
  EXPECT_EQ(dlg.m_hWnd, 0);
  EXPECT_EQ(dlg.m_edtNumber.m_hWnd, 0);  // detached with the window
  EXPECT_EQ(uw::headless::TakeTranscript(),
            "dialog 900 shown: テスト\n"
            "  static 10 \"&Number\"\n"
            "  edit 11 \"\" focus\n"
            "  check 12 \"&Tax\"\n"
            "  button 13 \"&Go\"\n"
            "  button 14 \"Off\" disabled\n"
            "  edit 15 \"\" hidden\n"
            "  group 16 \"&Out\"\n"
            "  edit 17 \"\"\n"
            "  button 18 \"Cancel\"\n"
            "> click 13\n"
            "focus 13\n"
            "> key Esc\n"
            "dialog 900 ended: 2\n");
}

TEST_F(DialogTest, EndingInOnInitDialogNeverShowsTheDialog) {
  uw::headless::Start("click 13\n");
  CTestDlg dlg;
  dlg.endInInit = true;
  EXPECT_EQ(dlg.DoModal(), 77);
  EXPECT_EQ(dlg.log, (Log{"init", "destroy"}));
  const std::string transcript = uw::headless::TakeTranscript();
  EXPECT_FALSE(Contains(transcript, "shown")) << transcript;
  EXPECT_EQ(uw::headless::RemainingActions(), 1u);
}

TEST_F(DialogTest, KeysReachPreTranslateMessageThenTheStandardHandling) {
  struct Case {
    const char* script;
    INT_PTR result;
    Log log;  // after "init", before "destroy"
  };
  const Case cases[] = {
      // F12 is taken by the dialog; the dry script then closes it.
      {"key F12", IDCANCEL, {"key 123 at 11", "F12", "cancel"}},
      {"key shift+F12", IDCANCEL, {"key 123 at 11 shift", "F12", "cancel"}},
      {"key ctrl+shift+F12", IDCANCEL, {"key 123 at 11 shift ctrl", "F12", "cancel"}},
      // Enter outside a push button is the default command, IDOK.
      {"key Enter", IDOK, {"key 13 at 11", "ok"}},
      {"key shift+Enter", IDOK, {"key 13 at 11 shift", "ok"}},
      {"key alt+Enter", IDOK, {"syskey 13 at 11 alt", "ok"}},
      // Enter on a push button presses it.
      {"focus 13\nkey Enter", IDCANCEL, {"key 13 at 13", "go", "cancel"}},
      {"focus 18\nkey Enter", IDCANCEL, {"key 13 at 18", "cancel"}},
      {"focus 12\nkey Enter", IDOK, {"key 13 at 12", "ok"}},
      // Esc cancels, with Shift too; Alt+Esc is no dialog key.
      {"key shift+Esc", IDCANCEL, {"key 27 at 11 shift", "cancel"}},
      {"key alt+Esc\nkey Esc", IDCANCEL, {"syskey 27 at 11 alt", "key 27 at 11", "cancel"}},
      // The close box is the cancel command.
      {"close", IDCANCEL, {"cancel"}},
  };
  for (const Case& c : cases) {
    uw::headless::Start(c.script);
    CTestDlg dlg;
    EXPECT_EQ(dlg.DoModal(), c.result) << c.script;
    Log expected{"init"};
    expected.insert(expected.end(), c.log.begin(), c.log.end());
    expected.push_back("destroy");
    EXPECT_EQ(dlg.log, expected) << c.script;
  }
}

TEST_F(DialogTest, KeyStateOutsideKeyHandlingReadsUp) {
  uw::headless::Start();
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
  EXPECT_GE(GetKeyState(VK_MENU), 0);
}

TEST_F(DialogTest, ADryScriptClosesTheDialogAndNeverHangs) {
  uw::headless::Start();
  CTestDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(Contains(uw::headless::TakeTranscript(),
                       "! script ran dry: dialog 900 is closed as by its close box\n"
                       "dialog 900 ended: 2\n"));

  // A dialog that refuses to close is left, and the modal call returns -1.
  uw::headless::Start();
  CTestDlg stubborn;
  stubborn.refuseCancel = true;
  EXPECT_EQ(stubborn.DoModal(), -1);
  const std::string transcript = uw::headless::TakeTranscript();
  EXPECT_TRUE(Contains(transcript, "! dialog 900 stayed open; it is cancelled\n")) << transcript;
  EXPECT_TRUE(Contains(transcript, "! dialog 900 is left\n")) << transcript;
  EXPECT_EQ(stubborn.log, (Log{"init", "cancel", "cancel", "destroy"}));
}

TEST_F(DialogTest, ALocalOwnerIsDisabledWhileTheModalDialogRuns) {
  uw::headless::Start("click 13\nkey Esc\n");
  CTestDlg owner;
  ASSERT_TRUE(owner.Create(uwtest::kTestDialogId, nullptr));
  owner.ShowWindow(SW_SHOW);
  {
    CTestDlg child(&owner);
    EXPECT_EQ(child.DoModal(), IDCANCEL);
    EXPECT_EQ(child.log[1], "go (owner disabled)");
  }
  EXPECT_TRUE(owner.IsWindowEnabled());
}

// A derived class's entry wins over its base class's for the same command.
class CDerivedDlg : public CTestDlg {
 public:
  void OnGoAgain() { log.push_back("go again"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedDlg, CTestDlg)
ON_BN_CLICKED(uwtest::kIdGo, &CDerivedDlg::OnGoAgain)
END_MESSAGE_MAP()

TEST_F(DialogTest, MessageMapsRouteToTheMostDerivedHandler) {
  uw::headless::Start("click 13\ncheck 12 1\nclick 14\nkey Esc\n");
  CDerivedDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  // The disabled button 14 cannot be clicked; the check box routes to the
  // base class's handler.
  EXPECT_EQ(dlg.log, (Log{"init", "go again", "tax 1", "key 27 at 12", "cancel", "destroy"}));
}

TEST_F(DialogTest, ModelessDialogIsHiddenByEndDialogAndGoesWithItsObject) {
  uw::headless::Start();
  HWND hwnd = 0;
  {
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(uwtest::kTestDialogId, nullptr));
    hwnd = dlg.m_hWnd;
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_EQ(CWnd::FromHandle(hwnd), &dlg);
    EXPECT_EQ(dlg.GetDlgItem(uwtest::kIdNumber), &dlg.m_edtNumber);
    EXPECT_EQ(dlg.GetDlgItem(999), nullptr);
    EXPECT_FALSE(dlg.Create(uwtest::kTestDialogId, nullptr));  // one window per object
    dlg.ShowWindow(SW_SHOW);
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.EndDialog(5);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_NE(dlg.m_hWnd, 0);
  }
  EXPECT_EQ(GetDlgItem(hwnd, uwtest::kIdNumber), 0);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(uw::headless::TakeTranscript().find("dialog 900 closed"), std::string::npos);
}

TEST_F(DialogTest, AMissingTemplateFailsCleanly) {
  uw::headless::Start();
  CDialog dlg(12345, nullptr);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_FALSE(dlg.Create(12345, nullptr));
  EXPECT_EQ(dlg.m_hWnd, 0);
}

}  // namespace

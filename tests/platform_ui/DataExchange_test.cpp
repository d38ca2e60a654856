// Data exchange: texts both ways, binding, and the length check.

#include <gtest/gtest.h>

#include "platform/ui/afxwin.h"
#include "platform/ui/headless/HeadlessTesting.h"
#include "tests/platform_ui/TestDialogs.h"
#include "tests/support/TempPrefix.h"

namespace {

class DataExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uwtest::RegisterTestTemplate();
    uw::headless::Start();
    ASSERT_TRUE(m_dlg.Create(uwtest::kTestDialogId, nullptr));
    m_dlg.ShowWindow(SW_SHOW);
    uw::headless::TakeTranscript();
  }
  uwtest::TempPrefix m_prefix;
  uwtest::CTestDlg m_dlg;
};

TEST_F(DataExchangeTest, MembersGoToTheControlsAndBack) {
  m_dlg.m_strNumber = "12";
  m_dlg.m_strPath = "C:\\\x83\x5C\\a.xml";  // C:\ソ\a.xml
  ASSERT_TRUE(m_dlg.UpdateData(FALSE));
  EXPECT_EQ(uw::headless::TakeTranscript(),
            "text 11: \"12\"\n"
            "text 17: \"C:\\ソ\\a.xml\"\n");
  // Loading also limits the number edit to the checked length.
  EXPECT_EQ(m_dlg.m_edtNumber.GetLimitText(), 2u);

  SetWindowTextA(GetDlgItem(m_dlg.m_hWnd, uwtest::kIdPath), "D:\\b.xml");
  m_dlg.m_strPath.Empty();
  ASSERT_TRUE(m_dlg.UpdateData(TRUE));
  EXPECT_EQ(m_dlg.m_strPath, "D:\\b.xml");
  EXPECT_EQ(m_dlg.m_strNumber, "12");
  // Controls are bound once and stay bound.
  EXPECT_EQ(m_dlg.GetDlgItem(uwtest::kIdNumber), &m_dlg.m_edtNumber);
  EXPECT_EQ(m_dlg.GetDlgItem(uwtest::kIdTax), &m_dlg.m_chkTax);
}

TEST_F(DataExchangeTest, AValueOverTheLimitIsRefusedWithTheFocusOnItsControl) {
  // The program may set a longer text; reading it back is what is checked.
  m_dlg.m_edtNumber.SetWindowText("123");
  m_dlg.GetDlgItem(uwtest::kIdPath)->SetFocus();
  uw::headless::TakeTranscript();
  uw::headless::SetScript("answer ok\n");
  EXPECT_FALSE(m_dlg.UpdateData(TRUE));
  const std::string transcript = uw::headless::TakeTranscript();
  EXPECT_NE(transcript.find("[exclamation; OK]\n  | 2 文字以内で入力してください。\n"),
            std::string::npos)
      << transcript;
  EXPECT_NE(transcript.find("focus 11\nselect 11: all\n"), std::string::npos) << transcript;

  // Exactly the limit passes.
  m_dlg.m_edtNumber.SetWindowText("99");
  EXPECT_TRUE(m_dlg.UpdateData(TRUE));
  EXPECT_EQ(m_dlg.m_strNumber, "99");
}

TEST_F(DataExchangeTest, TheLimitCountsBytesOfShiftJisText) {
  m_dlg.numberLimit = 3;
  m_dlg.m_edtNumber.SetWindowText("\x82\x50\x82\x51");  // two full-width digits: 4 bytes
  uw::headless::SetScript("answer ok\n");
  EXPECT_FALSE(m_dlg.UpdateData(TRUE));
  m_dlg.numberLimit = 4;
  EXPECT_TRUE(m_dlg.UpdateData(TRUE));
}

}  // namespace

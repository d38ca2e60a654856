// The headless backend: typing within an edit's rules, keyboard navigation,
// message box answers, and what a script line does when nothing fits it.

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

class HeadlessBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { uwtest::RegisterTestTemplate(); }

  // Runs the test dialog with `script`; returns its transcript from the
  // first script line on.
  std::string Run(const std::string& script, CTestDlg& dlg) {
    uw::headless::Start(script);
    dlg.DoModal();
    const std::string transcript = uw::headless::TakeTranscript();
    const std::size_t first = transcript.find("\n> ");
    return first == std::string::npos ? transcript : transcript.substr(first + 1);
  }

  uwtest::TempPrefix m_prefix;
};

TEST_F(HeadlessBackendTest, TypingKeepsToTheEditsRules) {
  CTestDlg dlg;
  // The number edit takes digits only, at most 2 bytes (its DDV limit); the
  // path edit is limited to 5 bytes, so the third double-byte character
  // does not fit.
  const std::string transcript =
      Run("type 11 1a23\n"
          "type 17 あいう\n"
          "key Enter\n",
          dlg);
  EXPECT_EQ(dlg.m_strNumber, "12");
  EXPECT_EQ(transcript.substr(0, transcript.find("> key Enter")),
            "> type 11 1a23\n"
            "  (the edit took \"12\" of \"1a23\")\n"
            "text 11: \"12\"\n"
            "> type 17 あいう\n"
            "focus 17\n"
            "text 17: \"あいう\"\n");
}

TEST_F(HeadlessBackendTest, TypingIntoALimitedEditCutsBetweenCharacters) {
  // The path edit limited to 5 bytes takes "あい" (4 bytes) of "あいう".
  class CLimitedDlg : public CTestDlg {
   protected:
    BOOL OnInitDialog() override {
      CTestDlg::OnInitDialog();
      CEdit* path = static_cast<CEdit*>(GetDlgItem(uwtest::kIdPath));
      path->SetLimitText(5);
      return TRUE;
    }
  } dlg;
  const std::string transcript = Run("type 17 あいう\nkey Esc\n", dlg);
  EXPECT_NE(transcript.find("  (the edit took \"あい\" of \"あいう\")\ntext 17: \"あい\"\n"),
            std::string::npos)
      << transcript;
}

TEST_F(HeadlessBackendTest, KeysNobodyTookMoveAsOnTheScreen) {
  struct Case {
    const char* script;
    const char* seen;  // a part of the transcript
    Log log;           // after "init", before "cancel", "destroy"
  };
  const Case cases[] = {
      // Tab goes through enabled, visible tab stops and wraps.
      {"key Tab\nkey Tab\nkey Tab\nkey Tab\nkey Tab",
       "focus 12\n> key Tab\nfocus 13\n> key Tab\n"
       "focus 17\n> key Tab\nfocus 18\n> key Tab\n"
       "focus 11\n",
       {"key 9 at 11", "key 9 at 12", "key 9 at 13", "key 9 at 17", "key 9 at 18"}},
      {"key shift+Tab", "focus 18\n", {"key 9 at 11 shift"}},
      // Space presses the focused check box or button.
      {"focus 12\nkey Space", "checked 12\n", {"key 32 at 12", "tax 1"}},
      // Mnemonics: a button or check box is pressed, a label or group box
      // passes the focus on.
      {"key alt+G", "focus 13\n", {"syskey 71 at 11 alt", "go"}},
      {"key alt+N\n", "", {"syskey 78 at 11 alt"}},
      {"key alt+O", "focus 17\n", {"syskey 79 at 11 alt"}},
      {"focus 13\nkey t", "checked 12\n", {"key 84 at 13", "tax 1"}},
      // Without Alt a letter typed in an edit is no mnemonic.
      {"key g", "", {"key 71 at 11"}},
  };
  for (const Case& c : cases) {
    CTestDlg dlg;
    const std::string transcript = Run(std::string(c.script) + "\nkey Esc\n", dlg);
    EXPECT_NE(transcript.find(c.seen), std::string::npos) << c.script << "\n" << transcript;
    Log expected{"init"};
    expected.insert(expected.end(), c.log.begin(), c.log.end());
    ASSERT_GE(dlg.log.size(), 3u) << c.script;
    Log got(dlg.log.begin(), dlg.log.end() - 3);  // without Esc's key, cancel, destroy
    EXPECT_EQ(got, expected) << c.script;
  }
}

TEST_F(HeadlessBackendTest, MessageBoxesTakeTheirAnswerOrCloseAsByTheCloseBox) {
  struct Case {
    UINT type;
    const char* script;
    int answer;
    const char* seen;
    std::size_t left;  // script lines not used
  };
  const Case cases[] = {
      {MB_OK | MB_ICONEXCLAMATION, "answer ok", IDOK, "[exclamation; OK]", 0},
      {MB_YESNO | MB_ICONQUESTION, "answer yes", IDYES, "[question; Yes, No]", 0},
      {MB_YESNO | MB_ICONQUESTION, "answer no", IDNO, "  -> No\n", 0},
      {MB_OKCANCEL | MB_ICONINFORMATION, "answer cancel", IDCANCEL, "[information; OK, Cancel]", 0},
      {MB_YESNOCANCEL, "answer cancel", IDCANCEL, "[no icon; Yes, No, Cancel]", 0},
      {MB_ICONERROR, "answer ok", IDOK, "[error; OK]", 0},
      // Dry: the close box; a Yes/No box has none and answers No.
      {MB_OK, "", IDOK, "! script ran dry: the message box is closed as by its close box\n", 0},
      {MB_YESNO, "", IDNO, "  -> No\n", 0},
      {MB_OKCANCEL, "", IDCANCEL, "  -> Cancel\n", 0},
      // A button the box lacks: closed as by its close box.
      {MB_OK, "answer yes", IDOK, "the message box has no such button", 0},
      // Another kind of line waits for what comes next.
      {MB_YESNO, "click 1002", IDNO, "! script line 1 is no answer", 1},
  };
  for (const Case& c : cases) {
    uw::headless::Start(c.script);
    EXPECT_EQ(MessageBoxA(0, "line one\n\nline three", "見出し", c.type), c.answer) << c.script;
    const std::string transcript = uw::headless::TakeTranscript();
    EXPECT_NE(transcript.find(c.seen), std::string::npos) << c.script << "\n" << transcript;
    EXPECT_EQ(transcript.find("  | line one\n  |\n  | line three\n"),
              transcript.find("  | line one"));
    EXPECT_EQ(uw::headless::RemainingActions(), c.left) << c.script;
  }
  // A null caption reads "Error"; AfxMessageBox takes the program's title.
  uw::headless::Start("answer ok\nanswer ok\n");
  MessageBoxA(0, "x", nullptr, MB_OK);
  AfxMessageBox("y");
  const std::string transcript = uw::headless::TakeTranscript();
  EXPECT_NE(transcript.find("message box: Error [no icon; OK]\n"), std::string::npos);
  EXPECT_NE(transcript.find("message box: platform_ui_tests [no icon; OK]\n"), std::string::npos);
}

TEST_F(HeadlessBackendTest, LinesThatFitNothingAreNotedAndSkipped) {
  CTestDlg dlg;
  const std::string transcript =
      Run("click 14\n"
          "type 15 x\n"
          "click 99\n"
          "answer ok\n"
          "frobnicate\n"
          "type 12 x\n"
          "key Esc\n",
          dlg);
  EXPECT_EQ(transcript,
            "> click 14\n"
            "! script line 1: control 14 is disabled; nothing happens\n"
            "> type 15 x\n"
            "! script line 2: control 15 is hidden; nothing happens\n"
            "> click 99\n"
            "! script line 3: dialog 900 has no control 99\n"
            "> answer ok\n"
            "! script line 4: no message box or file dialog is open; the line is skipped\n"
            "> frobnicate\n"
            "! script line 5: unknown command; the line is skipped\n"
            "> type 12 x\n"
            "! script line 6: control 12 is no edit; nothing is typed\n"
            "> key Esc\n"
            "dialog 900 ended: 2\n");
  EXPECT_EQ(dlg.log, (Log{"init", "key 27 at 11", "cancel", "destroy"}));
}

TEST_F(HeadlessBackendTest, WaitCursorIsToldOnlyWhenItChanges) {
  class CApp : public CWinApp {
  } app;
  uw::headless::Start();
  app.BeginWaitCursor();
  app.BeginWaitCursor();
  app.RestoreWaitCursor();
  app.EndWaitCursor();
  app.EndWaitCursor();
  app.EndWaitCursor();  // one too many: nothing
  EXPECT_EQ(uw::headless::TakeTranscript(), "wait cursor on\nwait cursor off\n");
}

}  // namespace

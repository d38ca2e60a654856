// The progress dialog driven through the headless backend: the titles it
// shows and the exact messages its bars receive.

#include "progress/SumProgressDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/headless/HeadlessTesting.h"
#include "platform/win/text_convert.h"
#include "tests/support/TempPrefix.h"

namespace {

using uw::ui::RecordedCall;

constexpr int kOverall = 1016;
constexpr int kActivity = 1017;

// The title lines of a transcript, in UTF-8 without the "title 131: " part.
std::vector<std::string> Titles(const std::string& transcript) {
  std::vector<std::string> titles;
  const std::string prefix = "title 131: ";
  std::size_t start = 0;
  while (start < transcript.size()) {
    std::size_t end = transcript.find('\n', start);
    if (end == std::string::npos) end = transcript.size();
    const std::string line = transcript.substr(start, end - start);
    if (line.rfind(prefix, 0) == 0) titles.push_back(line.substr(prefix.size()));
    start = end + 1;
  }
  return titles;
}

// "集計中 n％" in UTF-8, as the transcript shows the CP932 title.
std::string Title(int percent) {
  return uw::Cp932ToUtf8("集計中 " + std::to_string(percent) + "％");
}

int Count(const std::vector<RecordedCall>& calls, int control, UINT message) {
  int n = 0;
  for (const RecordedCall& call : calls) n += call.control == control && call.message == message;
  return n;
}

class SumProgressDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uw::headless::Start();
    ASSERT_TRUE(m_dlg.Create(CSumProgressDlg::IDD, nullptr));
    m_dlg.ShowWindow(SW_SHOW);
    m_dlg.InitBar();
    uw::headless::TakeTranscript();
    uw::headless::RecordCalls(true);
  }
  void TearDown() override { uw::headless::RecordCalls(false); }

  int OverallPos() { return m_dlg.m_ctlOverall.GetPos(); }

  uwtest::TempPrefix m_prefix;
  CSumProgressDlg m_dlg;
};

TEST_F(SumProgressDlgTest, InitBarSendsRangeStepAndPositionToTheOverallBar) {
  CSumProgressDlg dlg;
  ASSERT_TRUE(dlg.Create(CSumProgressDlg::IDD, nullptr));
  uw::headless::TakeCalls();
  dlg.InitBar();
  const std::vector<RecordedCall> calls = uw::headless::TakeCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].control, kOverall);
  EXPECT_EQ(calls[0].message, PBM_SETRANGE);
  EXPECT_EQ(calls[0].wParam, 0u);
  EXPECT_EQ(calls[0].lParam, 0x03E80000);
  EXPECT_EQ(calls[1].message, PBM_SETSTEP);
  EXPECT_EQ(calls[1].wParam, 1u);
  EXPECT_EQ(calls[2].message, PBM_SETPOS);
  EXPECT_EQ(calls[2].wParam, 0u);
  EXPECT_EQ(dlg.m_ctlOverall.GetPos(), 0);
}

TEST_F(SumProgressDlgTest, PulseRestartsTheActivityBarAndStepsItSixTimes) {
  m_dlg.Pulse();
  const std::vector<RecordedCall> calls = uw::headless::TakeCalls();
  // Range, step and position first, then six rounds of step, raise,
  // foreground and repaint.
  ASSERT_EQ(calls.size(), 3u + 6u * 4u);
  EXPECT_EQ(calls[0].control, kActivity);
  EXPECT_EQ(calls[0].message, PBM_SETRANGE);
  EXPECT_EQ(calls[0].lParam, 0x00050000);
  EXPECT_EQ(calls[1].message, PBM_SETSTEP);
  EXPECT_EQ(calls[1].wParam, 1u);
  EXPECT_EQ(calls[2].message, PBM_SETPOS);
  EXPECT_EQ(calls[2].wParam, 0u);
  for (int round = 0; round < 6; ++round) {
    const RecordedCall* c = &calls[3 + round * 4];
    EXPECT_EQ(c[0].control, kActivity) << round;
    EXPECT_EQ(c[0].message, PBM_STEPIT) << round;
    EXPECT_EQ(c[0].wParam, 1u) << round;
    EXPECT_EQ(c[1].control, 0) << round;
    EXPECT_EQ(c[1].message, uw::ui::kCallBringWindowToTop) << round;
    EXPECT_EQ(c[2].message, uw::ui::kCallSetForegroundWindow) << round;
    EXPECT_EQ(c[3].message, uw::ui::kCallUpdateWindow) << round;
  }
  // Six steps on a range of 0-5 leave the bar full; the next Pulse starts
  // it again from 0 with the very same calls.
  EXPECT_EQ(m_dlg.m_ctlActivity.GetPos(), 5);
  uw::headless::TakeCalls();
  m_dlg.Pulse();
  const std::vector<RecordedCall> again = uw::headless::TakeCalls();
  ASSERT_EQ(again.size(), calls.size());
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(again[i].message, calls[i].message) << i;
    EXPECT_EQ(again[i].wParam, calls[i].wParam) << i;
  }
}

TEST_F(SumProgressDlgTest, AdvanceStepsEveryValueAndTitlesEachTenth) {
  struct Case {
    short from, to;
    int steps;
    std::vector<int> titles;  // percentages shown, in order
  };
  const Case cases[] = {
      {0, 100, 101, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {700, 1000, 301, {}},  // checked below: 70 ... 100
      {5, 5, 1, {}},
      {300, 100, 0, {}},
      {9, 11, 3, {1}},
      {-10, 0, 11, {-1, 0}},
  };
  for (const Case& c : cases) {
    m_dlg.InitBar();
    m_dlg.SetWindowText("集計中");
    uw::headless::TakeCalls();
    uw::headless::TakeTranscript();
    m_dlg.Advance(c.from, c.to);
    const std::vector<RecordedCall> calls = uw::headless::TakeCalls();
    const std::vector<std::string> titles = Titles(uw::headless::TakeTranscript());
    EXPECT_EQ(Count(calls, kOverall, PBM_STEPIT), c.steps) << c.from << "-" << c.to;
    // One Pulse (six activity steps) and one extra repaint per step.
    EXPECT_EQ(Count(calls, kActivity, PBM_STEPIT), 6 * c.steps) << c.from << "-" << c.to;
    EXPECT_EQ(Count(calls, 0, uw::ui::kCallUpdateWindow), 7 * c.steps) << c.from << "-" << c.to;
    if (c.from == 700) {
      ASSERT_EQ(titles.size(), 31u);
      EXPECT_EQ(titles.front(), Title(70));
      EXPECT_EQ(titles.back(), Title(100));
      continue;
    }
    std::vector<std::string> expected;
    for (int percent : c.titles) expected.push_back(Title(percent));
    EXPECT_EQ(titles, expected) << c.from << "-" << c.to;
  }
}

TEST_F(SumProgressDlgTest, AWholeRunEndsWithAFullBarAndTheHundredPercentTitle) {
  const short ranges[][2] = {{0, 100},   {100, 300}, {300, 400}, {400, 500},
                             {500, 600}, {600, 700}, {700, 1000}};
  for (const auto& range : ranges) m_dlg.Advance(range[0], range[1]);
  const std::vector<RecordedCall> calls = uw::headless::TakeCalls();
  EXPECT_EQ(Count(calls, kOverall, PBM_STEPIT), 1007);
  EXPECT_EQ(OverallPos(), 1000);
  const std::vector<std::string> titles = Titles(uw::headless::TakeTranscript());
  ASSERT_FALSE(titles.empty());
  EXPECT_EQ(titles.back(), Title(100));
  CString title;
  m_dlg.GetWindowText(title);
  EXPECT_EQ(title, "集計中 100％");
}

TEST_F(SumProgressDlgTest, FinishHidesTheDialogAndTheObjectTakesTheWindow) {
  m_dlg.Finish();
  EXPECT_FALSE(m_dlg.IsWindowVisible());
  EXPECT_NE(m_dlg.m_hWnd, 0);
  const std::string transcript = uw::headless::TakeTranscript();
  EXPECT_NE(transcript.find("dialog 131 ended: 1\n"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("dialog 131 hidden\n"), std::string::npos) << transcript;

  HWND hwnd = 0;
  {
    CSumProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(CSumProgressDlg::IDD, nullptr));
    hwnd = dlg.m_hWnd;
    EXPECT_TRUE(IsWindowVisible(hwnd) == FALSE);  // not visible until shown
  }
  EXPECT_EQ(GetDlgItem(hwnd, kOverall), 0);
  EXPECT_EQ(SendMessageA(hwnd, PBM_GETPOS, 0, 0), 0);
}

}  // namespace

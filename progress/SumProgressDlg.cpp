#include "progress/SumProgressDlg.h"

#include <cstdio>
#include <cstring>

namespace {

enum : int { IDC_OVERALL = 1016, IDC_ACTIVITY = 1017 };

// The overall bar: 0 to 1000 per mille, one step per unit.
constexpr LPARAM kOverallRange = 0x03E80000;
// The activity bar: 0 to 5, run in six steps by every Pulse.
constexpr LPARAM kActivityRange = 0x00050000;
constexpr int kActivitySteps = 6;

}  // namespace

BEGIN_MESSAGE_MAP(CSumProgressDlg, CDialog)
END_MESSAGE_MAP()

CSumProgressDlg::CSumProgressDlg(CWnd* parent) : CDialog(IDD, parent) {}

CSumProgressDlg::~CSumProgressDlg() = default;

void CSumProgressDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ACTIVITY, m_ctlActivity);
  DDX_Control(pDX, IDC_OVERALL, m_ctlOverall);
}

void CSumProgressDlg::InitBar() {
  SendMessageA(m_ctlOverall.m_hWnd, PBM_SETRANGE, 0, kOverallRange);
  SendMessageA(m_ctlOverall.m_hWnd, PBM_SETSTEP, 1, 0);
  SendMessageA(m_ctlOverall.m_hWnd, PBM_SETPOS, 0, 0);
}

void CSumProgressDlg::Advance(short from, short to) {
  char title[64];
  for (int i = from; i <= to; ++i) {
    if (i % 10 == 0) {
      std::memset(title, 0, sizeof(title));
      std::snprintf(title, sizeof(title), "集計中 %d％", i / 10);
      SetWindowText(title);
    }
    SendMessageA(m_ctlOverall.m_hWnd, PBM_STEPIT, 1, 0);
    Pulse();
    UpdateWindow();
  }
}

void CSumProgressDlg::Pulse() {
  SendMessageA(m_ctlActivity.m_hWnd, PBM_SETRANGE, 0, kActivityRange);
  SendMessageA(m_ctlActivity.m_hWnd, PBM_SETSTEP, 1, 0);
  SendMessageA(m_ctlActivity.m_hWnd, PBM_SETPOS, 0, 0);
  for (int step = 0; step < kActivitySteps; ++step) {
    SendMessageA(m_ctlActivity.m_hWnd, PBM_STEPIT, 1, 0);
    BringWindowToTop();
    SetForegroundWindow();
    UpdateWindow();
  }
}

void CSumProgressDlg::Finish() { EndDialog(1); }

#include "platform/ui/afx_controls.h"

int CButton::GetCheck() const {
  return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int check) {
  ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

void CEdit::SetLimitText(UINT max) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, max, 0); }

UINT CEdit::GetLimitText() const {
  return static_cast<UINT>(::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
  ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(static_cast<INT_PTR>(start)), end);
  // The backends always bring the caret into view; nothing the program
  // does relies on a selection left out of view.
  (void)noScroll;
}

void CProgressCtrl::SetRange(short lower, short upper) {
  ::SendMessageA(m_hWnd, PBM_SETRANGE, 0,
                 MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
}

int CProgressCtrl::SetPos(int position) {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(static_cast<INT_PTR>(position)), 0));
}

int CProgressCtrl::GetPos() { return static_cast<int>(::SendMessageA(m_hWnd, PBM_GETPOS, 0, 0)); }

int CProgressCtrl::SetStep(int step) {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, PBM_SETSTEP, static_cast<WPARAM>(static_cast<INT_PTR>(step)), 0));
}

int CProgressCtrl::StepIt() { return static_cast<int>(::SendMessageA(m_hWnd, PBM_STEPIT, 0, 0)); }

#include <cstdio>

#include "platform/ui/DialogEvents.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/WindowTable.h"
#include "platform/ui/afx_controls.h"
#include "platform/ui/afx_dialog.h"

using uw::ui::WindowTable;

HWND CDataExchange::PrepareCtrl(int id) {
  m_idLastControl = id;
  m_bEditLastControl = FALSE;
  const HWND hwnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  if (hwnd == 0) {
    std::fprintf(stderr, "uchiwake: data exchange with control %d, which the dialog lacks\n", id);
    throw uw::ui::DataExchangeFailure();
  }
  return hwnd;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  const HWND hwnd = PrepareCtrl(id);
  m_bEditLastControl = TRUE;
  return hwnd;
}

void CDataExchange::Fail() {
  if (m_idLastControl != 0) {
    const HWND hwnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
    if (hwnd != 0) {
      ::SetFocus(hwnd);
      if (m_bEditLastControl) ::SendMessageA(hwnd, EM_SETSEL, 0, -1);
    }
  }
  throw uw::ui::DataExchangeFailure();
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (control.m_hWnd != 0) return;
  const HWND hwnd = pDX->PrepareCtrl(id);
  if (!control.Attach(hwnd)) {
    std::fprintf(stderr, "uchiwake: control %d has an object attached already\n", id);
    pDX->Fail();
  }
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  const HWND hwnd = pDX->PrepareEditCtrl(id);
  if (pDX->m_bSaveAndValidate) {
    CWnd::FromHandle(hwnd)->GetWindowText(value);
  } else {
    ::SetWindowTextA(hwnd, value);
  }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int count) {
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() > count) {
      char text[96];
      std::snprintf(text, sizeof(text), "%d 文字以内で入力してください。", count);
      uw::ui::ShowMessageBoxUtf8(pDX->m_pDlgWnd->m_hWnd, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
      pDX->Fail();
    }
  } else if (pDX->m_bEditLastControl && pDX->m_idLastControl != 0) {
    const HWND hwnd = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl);
    ::SendMessageA(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
  }
}

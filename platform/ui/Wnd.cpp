#include <vector>

#include "platform/ui/WindowTable.h"
#include "platform/ui/afx_app.h"
#include "platform/ui/afx_wnd.h"

using uw::ui::WindowTable;

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
  if (m_hWnd == 0) return;
  WindowTable& table = WindowTable::Get();
  const uw::ui::WindowEntry* entry = table.Find(m_hWnd);
  if (entry != nullptr && entry->isDialog && entry->object == this) {
    // The derived parts are gone: the window goes without notifications.
    table.DestroyDialog(m_hWnd);
  } else {
    table.Detach(m_hWnd, this);
  }
}

CWnd* CWnd::FromHandle(HWND hwnd) { return WindowTable::Get().ObjectOf(hwnd); }

BOOL CWnd::Attach(HWND hwnd) {
  if (hwnd == 0 || m_hWnd != 0) return FALSE;
  return WindowTable::Get().Attach(hwnd, this) ? TRUE : FALSE;
}

HWND CWnd::Detach() {
  const HWND hwnd = m_hWnd;
  if (hwnd != 0) WindowTable::Get().Detach(hwnd, this);
  return hwnd;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == 0) return FALSE;
  WindowTable& table = WindowTable::Get();
  const uw::ui::WindowEntry* entry = table.Find(m_hWnd);
  if (entry == nullptr || !entry->isDialog) return FALSE;
  const HWND hwnd = m_hWnd;
  // The destroy notification reaches the dialog's object while it is whole.
  if (entry->object != nullptr) entry->object->OnCmdMsg(WM_DESTROY, 0, 0);
  table.DestroyDialog(hwnd);
  return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
void CWnd::SetWindowText(LPCTSTR text) { ::SetWindowTextA(m_hWnd, text); }

void CWnd::GetWindowText(CString& text) const {
  const int length = ::GetWindowTextLengthA(m_hWnd);
  char* buffer = text.GetBuffer(length);
  ::GetWindowTextA(m_hWnd, buffer, length + 1);
  text.ReleaseBuffer(-1);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

CWnd* CWnd::SetParent(CWnd* parent) {
  return FromHandle(::SetParent(m_hWnd, parent != nullptr ? parent->m_hWnd : 0));
}

CWnd* CWnd::GetParent() const {
  const uw::ui::WindowEntry* entry = WindowTable::Get().Find(m_hWnd);
  return entry != nullptr ? FromHandle(entry->parent) : nullptr;
}

// The table is asked directly for its own windows: these three run
// millions of times in a progress run.
void CWnd::BringWindowToTop() {
  WindowTable& table = WindowTable::Get();
  if (table.Owns(m_hWnd)) {
    table.BringToTop(m_hWnd);
  } else {
    ::BringWindowToTop(m_hWnd);
  }
}

BOOL CWnd::SetForegroundWindow() {
  WindowTable& table = WindowTable::Get();
  return table.Owns(m_hWnd) ? table.SetForeground(m_hWnd) : ::SetForegroundWindow(m_hWnd);
}

void CWnd::UpdateWindow() {
  WindowTable& table = WindowTable::Get();
  if (table.Owns(m_hWnd)) {
    table.Update(m_hWnd);
  } else {
    ::UpdateWindow(m_hWnd);
  }
}
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
  return ::MessageBoxA(m_hWnd, text, caption != nullptr ? caption : AfxGetAppName(), type);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  return OnCmdMsg(WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
}

// The Windows calls of winuser.h on the windows of this layer.

#include <algorithm>
#include <cstring>

#include "platform/ui/WindowTable.h"
#include "platform/ui/afx_wnd.h"
#include "platform/ui/winuser.h"

using uw::ui::CurrentBackend;
using uw::ui::WindowTable;

HWND GetFocus() {
  if (!uw::ui::HasBackend()) return 0;
  return CurrentBackend().GetFocus();
}

HWND SetFocus(HWND hwnd) {
  const HWND previous = GetFocus();
  if (WindowTable::Get().Find(hwnd) != nullptr) CurrentBackend().SetFocus(hwnd);
  return previous;
}

BOOL ShowWindow(HWND hwnd, int command) {
  if (WindowTable::Get().Find(hwnd) == nullptr) return FALSE;
  uw::ui::Backend& backend = CurrentBackend();
  const bool wasVisible = backend.IsVisible(hwnd);
  backend.Show(hwnd, command != SW_HIDE);
  return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  if (WindowTable::Get().Find(hwnd) == nullptr) return FALSE;
  return CurrentBackend().IsVisible(hwnd) ? TRUE : FALSE;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (WindowTable::Get().Find(hwnd) == nullptr) return FALSE;
  return static_cast<BOOL>(SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(std::max(size, 0)),
                                       reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) {
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

HWND GetDlgItem(HWND dialog, int id) { return WindowTable::Get().FindControl(dialog, id); }

int GetDlgCtrlID(HWND hwnd) {
  const uw::ui::WindowEntry* entry = WindowTable::Get().Find(hwnd);
  return entry != nullptr && !entry->isDialog ? entry->id : 0;
}

BOOL DestroyWindow(HWND hwnd) {
  WindowTable& table = WindowTable::Get();
  const uw::ui::WindowEntry* entry = table.Find(hwnd);
  if (entry == nullptr || !entry->isDialog) return FALSE;
  CWnd* object = table.ObjectOf(hwnd);
  return object->DestroyWindow();
}

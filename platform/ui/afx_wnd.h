// CWnd: the framework's object for a window handle.
//
// A CWnd either owns a window of this layer (a dialog created from a
// template), is attached to one of its controls (through DDX_Control), or
// wraps a handle it does not own (FromHandle, also for a foreign window such
// as the host window of the command-line handshake). Every operation works
// on the handle through the Windows calls of platform/win/window_msg.h and
// platform/ui/winuser.h, so a foreign handle gets what those calls do for
// foreign windows (messages to its endpoint, best-effort raising).
//
// When a window goes, every object attached to it is detached (m_hWnd
// becomes 0); operations on an object without a window do nothing and
// return 0/FALSE/null.
#pragma once

#include "platform/ui/afx_cmdtarget.h"
#include "platform/ui/winuser.h"
#include "platform/win/afxstr.h"

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  // A dialog object destroys its window; a control object only detaches
  // (its dialog destroys it).
  ~CWnd() override;

  HWND m_hWnd = 0;

  // The object of `hwnd`: the program's object attached to it when there is
  // one, else a wrapper that the framework keeps for the rest of the
  // process (also for a foreign handle), of the control's class (CEdit,
  // CButton, CStatic, CProgressCtrl) so that it may be cast to it. Null for 0.
  static CWnd* FromHandle(HWND hwnd);

  HWND GetSafeHwnd() const { return m_hWnd; }
  // Attaches this object to `hwnd` (which must have no object yet); FALSE
  // when this object has a window already or `hwnd` is 0.
  BOOL Attach(HWND hwnd);
  // Detaches without destroying; returns the handle.
  HWND Detach();
  BOOL DestroyWindow();

  // Returns whether the window was disabled before.
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  void SetWindowText(LPCTSTR text);
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;
  // SW_SHOW or SW_HIDE; returns whether the window was visible before.
  BOOL ShowWindow(int command);
  BOOL IsWindowVisible() const;
  // Makes `parent` (a window of this layer or a foreign one; null for none)
  // the parent; returns the previous parent's object.
  CWnd* SetParent(CWnd* parent);
  CWnd* GetParent() const;
  void BringWindowToTop();
  BOOL SetForegroundWindow();
  // Paints what changed now, without running a message loop.
  void UpdateWindow();
  // Gives this window the focus; returns the previous focus window's object.
  CWnd* SetFocus();
  static CWnd* GetFocus();
  // The object of control `id` of this dialog, or null.
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const;
  // MessageBoxA owned by this window; a null caption takes the
  // application's title.
  int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // Sees every key-down message of a dialog before its controls do (pMsg
  // has the focused control as hwnd). TRUE consumes the message.
  virtual BOOL PreTranslateMessage(MSG* pMsg);

  // Routes a command (WM_COMMAND's wParam: id in the low word,
  // notification code in the high word) through the message maps.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

 protected:
  // The destroy notification (ON_WM_DESTROY); the base does nothing.
  void OnDestroy() {}

  DECLARE_MESSAGE_MAP()
};

// Window calls on handles: the platform's own windows and foreign windows.
//
// A handle that the UI layer's window table owns is handed to that layer
// (see uw::LocalWindows). Any other handle names a foreign window, such as
// the host window of the command-line handshake: an endpoint, a Unix
// datagram socket at <prefix>/windows/<handle>. Messages to it are one text
// datagram each:
//
//   "enable <0|1>"                        EnableWindow
//   "post <msg> <wparam> <lparam>"        PostMessageA (decimal, signed)
//
// Sending never blocks. A missing endpoint makes the call fail as posting to
// a dead window does. Raising, foreground and re-parenting a foreign window
// are best effort and send nothing.
#pragma once

#include <string>

#include "platform/win/windef.h"

namespace uw {

// What the UI layer provides for the windows in its table. Registered once
// by the UI layer; without it every handle is foreign.
class LocalWindows {
 public:
  virtual ~LocalWindows() = default;
  virtual bool Owns(HWND hwnd) = 0;
  virtual BOOL Enable(HWND hwnd, BOOL enable) = 0;
  virtual BOOL IsEnabled(HWND hwnd) = 0;
  virtual BOOL Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
  virtual LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
  virtual BOOL BringToTop(HWND hwnd) = 0;
  virtual BOOL SetForeground(HWND hwnd) = 0;
  virtual BOOL Update(HWND hwnd) = 0;
  // Makes `parent` (local or foreign) the parent of the local `child`;
  // returns the previous parent.
  virtual HWND Reparent(HWND child, HWND parent) = 0;
};

void SetLocalWindows(LocalWindows* windows);

// POSIX path of the endpoint of a foreign handle.
std::string EndpointPath(HWND hwnd);

}  // namespace uw

// Posts a message; FALSE when the window does not exist.
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Sends a message to a local window and returns its result; 0 for a foreign
// or missing window.
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Enables or disables a window. Returns whether it was disabled before
// (FALSE for a foreign window, whose state is not known here).
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL SetForegroundWindow(HWND hwnd);
BOOL BringWindowToTop(HWND hwnd);
BOOL UpdateWindow(HWND hwnd);
HWND SetParent(HWND child, HWND parent);

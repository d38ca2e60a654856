// The host window of `talhost run`: the endpoint through which a deliverable
// reaches "the host window" named on its command line.
//
// An endpoint is a Unix datagram socket at <prefix>/windows/<handle>; the
// platform's window calls (platform/win/window_msg.h) send one text datagram
// per call: "enable <0|1>" or "post <msg> <wparam> <lparam>".
#pragma once

#include <string>
#include <vector>

#include "host/HostTypes.h"

namespace talhost {

// One datagram, as `talhost run` reports it.
struct WindowEvent {
  enum Kind { kEnable, kPost, kOther };
  Kind kind = kOther;
  long long enable = 0;                       // kEnable: 0 or 1
  long long msg = 0, wParam = 0, lParam = 0;  // kPost
  std::string text;                           // the datagram as received

  // The line `talhost run` prints for it:
  //   "enabled <0|1>", "posted msg=<m> wparam=<w> lparam=<l>",
  //   or "received <text>" (bytes outside printable ASCII as '?').
  std::string Line() const;
};

// Reads a datagram's text into an event.
WindowEvent ParseWindowEvent(const std::string& text);

class HostWindow {
 public:
  HostWindow() = default;
  ~HostWindow() { Close(); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Binds the endpoint of `handle` (replacing a stale one). Returns false
  // with `error` set when it cannot.
  bool Open(HWND handle, std::string* error);
  // Removes the endpoint; harmless when none is open.
  void Close();
  bool IsOpen() const { return m_fd >= 0; }
  // The socket, for poll(); -1 when closed.
  int Fd() const { return m_fd; }
  // Every datagram waiting now, without blocking, in arrival order.
  std::vector<WindowEvent> Drain();

 private:
  int m_fd = -1;
  std::string m_strPath;
};

}  // namespace talhost

// A call on a window of this layer, as recorded for tests: every message
// sent to it (SendMessageA, and the messages behind the control objects'
// operations) and the raise, foreground and repaint calls. Recording is
// off unless a test turns it on (headless/HeadlessTesting.h).
#pragma once

#include "platform/win/windef.h"

namespace uw::ui {

struct RecordedCall {
  int control;   // the control's id; 0 for the dialog itself
  UINT message;  // the message number, or one of kCall* below
  WPARAM wParam;
  LPARAM lParam;  // for WM_SETTEXT a pointer valid only during the call
};

// Window calls that are not messages.
constexpr UINT kCallBringWindowToTop = 0x10001;
constexpr UINT kCallSetForegroundWindow = 0x10002;
constexpr UINT kCallUpdateWindow = 0x10003;

}  // namespace uw::ui

// How user actions reported by a backend reach the program's dialogs: keys
// through PreTranslateMessage and the standard dialog handling, clicks and
// the close box as WM_COMMAND.
#pragma once

#include "platform/ui/Backend.h"
#include "platform/ui/winuser.h"

class CDialog;

namespace uw::ui {

// Thrown by CDataExchange::Fail, caught by UpdateData.
struct DataExchangeFailure {};

// The framework's BackendEvents, handed to every backend it installs.
BackendEvents& FrameworkEvents();

// The standard dialog handling of a key-down message of `dialog`: Esc
// issues IDCANCEL, Enter the command of the focused push button or IDOK.
// True when the key was used.
bool StandardDialogKey(CDialog* dialog, const MSG* msg);

// While it lives, GetKeyState answers with `modifiers` (the state when the
// key being handled was pressed).
class KeyStateScope {
 public:
  explicit KeyStateScope(unsigned modifiers);
  ~KeyStateScope();
  KeyStateScope(const KeyStateScope&) = delete;
  KeyStateScope& operator=(const KeyStateScope&) = delete;

 private:
  unsigned m_previous;
  bool m_hadPrevious;
};

}  // namespace uw::ui

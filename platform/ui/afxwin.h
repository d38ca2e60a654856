// The dialog framework the program is written against: application object,
// windows, dialogs with data exchange, message maps, controls, message
// boxes and keys. One include for all of it, as the program expects.
//
// Everything here is our own small layer over a UI backend (real windows
// with wxWidgets, or a scripted headless backend; see
// platform/ui/Backend.h). Texts are CP932 throughout.
#pragma once

#include "platform/ui/afx_app.h"
#include "platform/ui/afx_cmdtarget.h"
#include "platform/ui/afx_controls.h"
#include "platform/ui/afx_dialog.h"
#include "platform/ui/afx_wnd.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/winuser.h"
#include "platform/win/afxstr.h"

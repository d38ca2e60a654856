// The control objects the program binds with DDX_Control: labels, edits,
// buttons (push buttons, check boxes, group boxes) and progress bars. Each
// operation is a message to the control's window, as on Windows, so it
// works the same whether the control is reached through its object or its
// handle.
#pragma once

#include "platform/ui/afx_wnd.h"
#include "platform/ui/commctrl.h"

class CStatic : public CWnd {};

class CButton : public CWnd {
 public:
  // BST_CHECKED (1) or BST_UNCHECKED (0) for a check box; 0 otherwise.
  int GetCheck() const;
  // Any non-zero state checks the box; no command is issued.
  void SetCheck(int check);
};

class CEdit : public CWnd {
 public:
  // Limits what can be typed to `max` bytes of CP932 text (0: the largest
  // limit). Text set by the program is not cut.
  void SetLimitText(UINT max);
  void LimitText(int max = 0) { SetLimitText(static_cast<UINT>(max)); }
  UINT GetLimitText() const;
  // Selects bytes `start` to `end` (end -1: to the end; start -1: nothing)
  // and, unless `noScroll`, scrolls the caret into view.
  void SetSel(int start, int end, BOOL noScroll = FALSE);
};

class CProgressCtrl : public CWnd {
 public:
  void SetRange(short lower, short upper);
  int SetPos(int position);
  int GetPos();
  int SetStep(int step);
  int StepIt();
};

// CDialog: modal and modeless dialogs built from the program's dialog
// templates, with the exchange of control texts (DDX/DDV).
//
// Both kinds are created from a template registered by the program's
// resources (platform/ui/DialogTemplate.h). Creation runs OnInitDialog
// before the dialog is shown; when it returns TRUE the first enabled tab
// stop gets the focus. A modal dialog (DoModal) disables its owner while it
// runs (when the owner is a window of this layer that was enabled) and
// returns the result given to EndDialog. A modeless dialog (Create) is
// hidden by EndDialog and destroyed with its object.
//
// The standard dialog handling, after PreTranslateMessage has declined a
// key: Esc and the close box issue the command IDCANCEL; Enter issues the
// command of the focused push button, or IDOK when the focus is elsewhere.
// CDialog routes IDOK to OnOK and IDCANCEL to OnCancel.
#pragma once

#include "platform/ui/afx_wnd.h"

// One run of data exchange between the controls and the members.
class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;  // TRUE: controls to members (with checks)
  CWnd* m_pDlgWnd;
  int m_idLastControl = 0;  // the control of the last exchange
  BOOL m_bEditLastControl = FALSE;

  // The control `id` as the subject of the next checks; 0 when the dialog
  // has no such control (the exchange then fails).
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Ends the exchange as failed: the focus goes to the last prepared
  // control (an edit gets its whole text selected) and UpdateData returns
  // FALSE. Does not return.
  [[noreturn]] void Fail();
};

// Attaches `control` to the dialog's control `id` (once; later exchanges
// leave it as it is).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Exchanges the text of control `id` with `value` (CP932).
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// Length check of the last DDX_Text on an edit control, counted in bytes
// of the CP932 text. Saving: a value longer than `count` shows the
// platform's message (exclamation, OK) and fails the exchange. Loading:
// limits the edit to `count` bytes.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int count);

class CDialog : public CWnd {
 public:
  CDialog() = default;
  CDialog(UINT templateId, CWnd* parent = nullptr);
  // Destroys a window still there (a modeless dialog).
  ~CDialog() override;

  // Runs the dialog modally; returns the result of EndDialog, or -1 when
  // the template is missing or the window cannot be made.
  virtual INT_PTR DoModal();
  // Creates the dialog modeless (hidden unless the template says visible);
  // FALSE when the template is missing or this object has a window.
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  // Ends the dialog with `result`: a modal dialog returns from DoModal once
  // the current handler is done; a modeless one is hidden.
  void EndDialog(int result);
  // Runs DoDataExchange; TRUE unless a check failed.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // Called before the dialog is shown; the base exchanges the members into
  // the controls. TRUE lets the framework focus the first tab stop.
  virtual BOOL OnInitDialog();
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  // IDOK: saves the controls into the members and ends with IDOK.
  virtual void OnOK();
  // IDCANCEL: ends with IDCANCEL.
  virtual void OnCancel();

  UINT m_nIDTemplate = 0;
  CWnd* m_pParentWnd = nullptr;

  DECLARE_MESSAGE_MAP()

 private:
  friend class CDialogAccess;
  // Makes the window from the template; FALSE when that is not possible.
  BOOL CreateFromTemplate(UINT templateId, HWND owner, bool modal);
  // Runs OnInitDialog and the first focus, as creation does.
  void InitialiseWindow();

  bool m_bModal = false;
  bool m_bEnded = false;
  int m_nModalResult = -1;
};

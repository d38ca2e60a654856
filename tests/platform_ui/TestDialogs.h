// A small dialog template and dialog class for the framework's tests:
// every kind of control, with ids of their own.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/afxwin.h"

namespace uwtest {

enum : int {
  kTestDialogId = 900,
  kIdLabel = 10,   // "&Number" label before the number edit
  kIdNumber = 11,  // edit, digits only, tab stop
  kIdTax = 12,     // auto check box "&Tax", tab stop
  kIdGo = 13,      // push button "&Go", tab stop
  kIdOff = 14,     // push button, disabled
  kIdHidden = 15,  // edit, not visible
  kIdGroup = 16,   // group box "&Out"
  kIdPath = 17,    // edit, tab stop
  kIdCancel = 18,  // push button "Cancel", tab stop
};

// Registers template 900 (once).
void RegisterTestTemplate();

// A dialog on template 900 that logs what reaches it.
class CTestDlg : public CDialog {
 public:
  explicit CTestDlg(CWnd* parent = nullptr) : CDialog(kTestDialogId, parent) {}

  std::vector<std::string> log;  // "init", "go", "tax", "ok", "cancel", "destroy", keys
  CString m_strNumber;
  CString m_strPath;
  CEdit m_edtNumber;
  CButton m_chkTax;
  int numberLimit = 2;
  bool endInInit = false;  // OnInitDialog ends the dialog with 77
  bool consumeF12 = true;  // PreTranslateMessage consumes F12 (logs "F12")
  bool refuseCancel = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnOK() override;
  void OnCancel() override;
  void OnGo();
  void OnTax();
  void OnDestroy();

  DECLARE_MESSAGE_MAP()
};

}  // namespace uwtest

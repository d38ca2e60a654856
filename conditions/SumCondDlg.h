// The conditions dialog (template 130, "科目内訳書 - 集計条件").
//
// The user confirms the company data and accounting period selected in the
// host, chooses the last month to aggregate, whether amounts include
// consumption tax, and the XML file to write. The aggregation run fills the
// input members, runs the dialog modally and reads the answers back after
// RESULT_EXECUTE; any other result but RESULT_CANCEL counts as execute.
//
// Every way of confirming runs the same checks: the Execute button, F12,
// Enter on Execute, and the standard dialog's OK command (Enter with Shift,
// Ctrl or Alt held, or Enter where no control takes it), so the dialog never
// ends with IDOK unchecked. A path that does not fit the program's 260-byte
// path buffers (a fixed path of the host, a proposed path built on a long
// folder, a long choice in the file dialog) is shown whole and refused by
// Execute with the illegal-character message; nothing cuts it.
//
// The handlers live in files of their own: initialisation, keys and cancel
// (SumCondDlg.cpp), Execute and its checks (SumCondExecute.cpp), Browse
// (SumCondBrowse.cpp), the saved conditions (SumCondSaved.cpp). The path
// operations are in OutputPath.h, the file format in SavedConditions.h.
#pragma once

#include "host/HostRecords.h"
#include "platform/ui/afxwin.h"

class CSumCondDlg : public CDialog {
 public:
  enum { IDD = 130 };
  // Results of DoModal.
  enum { RESULT_EXECUTE = 1002, RESULT_CANCEL = 1003 };

  explicit CSumCondDlg(CWnd* parent = nullptr);
  ~CSumCondDlg() override;

  // Reads the user's saved record: 1 and the outputs filled, else 0 with the
  // outputs untouched. `path` is a 261-byte buffer.
  int LoadConditions(short* tax, short* endMonth, char* path);
  // Saves tax, end month and `path` (null: the path restored at start) as
  // the user's record. 1 when written, else 0; the file is never left half
  // written.
  int SaveConditions(short tax, short endMonth, const char* path);
  // The host's consumption-tax settings of the selected data: 1 and `out`
  // filled, else 0 with `out` untouched.
  int ReadTaxSettings(StSHOHIZEIINFO* out);

  CStatic m_stcMonthLabel;  // 1013
  CButton m_grpOutput;      // 1014, the group box
  CEdit m_edtEndMonth;      // 1000
  CEdit m_edtOutPath;       // 1015
  CButton m_chkTax;         // 1004
  CButton m_btnBrowse;      // 1001
  CButton m_btnExecute;     // 1002
  CButton m_btnCancel;      // 1003
  CString m_strPeriod;      // shown in 1008
  CString m_strCompany;     // shown in 1006
  CString m_strOutPath;     // 1015: the file to write
  CString m_strEndMonth;    // 1000: end month, at most 2 characters
  CString m_strStartMonth;  // shown in 1010
  SHORT m_nTaxIncluded;     // 1 = aggregate including consumption tax
  LONG m_lSelectedNo1;      // set by the caller
  LONG m_lSelectedNo2;      // set by the caller
  LONG m_lPeriodStart;      // set by the caller, yyyymmdd
  LONG m_lPeriodEnd;        // set by the caller, yyyymmdd
  BOOL m_bPastData;         // set by the caller: past results data
  CString m_strFixedPath;   // set by the caller: output path fixed by the host
  char m_szUserID[65];      // set by the caller
  BOOL m_bFixedPath;        // 1 while in fixed-path mode
  char m_szSavedPath[261];  // path restored from the saved conditions

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;
  // The standard dialog's OK command (Enter with Shift, Ctrl or Alt held)
  // runs the same checks as Execute instead of ending the dialog unchecked.
  void OnOK() override;

  void OnExecute();
  void OnBrowse();
  void OnCancelClicked();
  void OnTaxClicked();
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  // Focus to the path edit with its whole text selected and the caret in view.
  void FocusPathEdit();
  // Focus to the end-month edit with its whole text selected.
  void FocusEndMonthEdit();
  // Shows `text` in error style (OK, exclamation) owned by the dialog.
  void ShowError(const char* text);
  // Asks `text` in question style; true for Yes.
  bool AskYesNo(const char* text);
  // True when the start and end months lie inside the accounting period.
  bool IsPeriodValid();
  // The proposed path when no saved path exists: the host's output folder,
  // else the temporary folder, followed by "*.xml".
  CString BuildDefaultPath();
};

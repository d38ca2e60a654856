// Conditions dialog: construction, data exchange, initialisation, keys,
// the tax check box and cancelling.

#include "conditions/SumCondDlg.h"

#include <cstdio>
#include <cstring>

#include "aggregate/FindCondition.h"
#include "conditions/ConditionTexts.h"
#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "host/TalFileMgr.h"
#include "platform/ui/winuser.h"
#include "platform/win/fileapi.h"
#include "platform/win/mbstring.h"

namespace {

// Control ids of template 130.
enum : int {
  IDC_END_MONTH = 1000,
  IDC_BROWSE = 1001,
  IDC_EXECUTE = 1002,
  IDC_CANCEL = 1003,
  IDC_TAX = 1004,
  IDC_COMPANY = 1006,
  IDC_PERIOD = 1008,
  IDC_START_MONTH = 1010,
  IDC_MONTH_LABEL = 1013,
  IDC_OUTPUT_GROUP = 1014,
  IDC_OUT_PATH = 1015,
};

// Characters the end-month edit takes, and the path edit.
constexpr int kEndMonthLimit = 2;
constexpr int kOutPathLimit = 255;

// True when `text` ends in a single-byte backslash, not in the trail byte
// 0x5C of a double-byte character (scanned from the start).
bool EndsInBackslash(const char* text) {
  const std::size_t length = std::strlen(text);
  if (length == 0) return false;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  return _mbsbtype(bytes, length - 1) == _MBC_SINGLE && text[length - 1] == '\\';
}

// True while Shift, Ctrl or Alt is held, as the key states read now say.
bool IsModifierHeld() {
  return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSumCondDlg, CDialog)
ON_BN_CLICKED(IDC_EXECUTE, &CSumCondDlg::OnExecute)
ON_BN_CLICKED(IDC_BROWSE, &CSumCondDlg::OnBrowse)
ON_BN_CLICKED(IDC_CANCEL, &CSumCondDlg::OnCancelClicked)
ON_BN_CLICKED(IDC_TAX, &CSumCondDlg::OnTaxClicked)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CSumCondDlg::CSumCondDlg(CWnd* parent)
    : CDialog(IDD, parent),
      m_nTaxIncluded(0),
      m_lSelectedNo1(0),
      m_lSelectedNo2(0),
      m_lPeriodStart(0),
      m_lPeriodEnd(0),
      m_bPastData(FALSE),
      m_bFixedPath(FALSE) {
  std::memset(m_szUserID, 0, sizeof(m_szUserID));
  std::memset(m_szSavedPath, 0, sizeof(m_szSavedPath));
}

CSumCondDlg::~CSumCondDlg() = default;

void CSumCondDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_MONTH_LABEL, m_stcMonthLabel);
  DDX_Control(pDX, IDC_OUTPUT_GROUP, m_grpOutput);
  DDX_Control(pDX, IDC_END_MONTH, m_edtEndMonth);
  DDX_Control(pDX, IDC_OUT_PATH, m_edtOutPath);
  DDX_Control(pDX, IDC_TAX, m_chkTax);
  DDX_Control(pDX, IDC_BROWSE, m_btnBrowse);
  DDX_Control(pDX, IDC_EXECUTE, m_btnExecute);
  DDX_Control(pDX, IDC_CANCEL, m_btnCancel);
  DDX_Text(pDX, IDC_PERIOD, m_strPeriod);
  DDX_Text(pDX, IDC_COMPANY, m_strCompany);
  DDX_Text(pDX, IDC_OUT_PATH, m_strOutPath);
  DDX_Text(pDX, IDC_END_MONTH, m_strEndMonth);
  DDV_MaxChars(pDX, m_strEndMonth, kEndMonthLimit);
  DDX_Text(pDX, IDC_START_MONTH, m_strStartMonth);
}

BOOL CSumCondDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  if (m_bPastData == TRUE) {
    ShowError(kCondMsgPastData);
    EndDialog(RESULT_CANCEL);
    return TRUE;
  }

  m_edtOutPath.SetLimitText(kOutPathLimit);

  short tax = 1;
  short startMonth = 0;
  short endMonth = 0;
  char path[261];
  std::memset(path, 0, sizeof(path));
  std::memset(m_szSavedPath, 0, sizeof(m_szSavedPath));

  if (LoadConditions(&tax, &endMonth, path) == 1) {
    std::memcpy(m_szSavedPath, path, sizeof(m_szSavedPath));
  } else {
    short firstMonth = 0;
    short lastMonth = 0;
    GetPeriodMonths(m_lPeriodStart, m_lPeriodEnd, &firstMonth, &lastMonth);
    startMonth = firstMonth;
    endMonth = static_cast<short>(lastMonth % 100);
    StSHOHIZEIINFO taxInfo;
    std::memset(&taxInfo, 0, sizeof(taxInfo));
    ReadTaxSettings(&taxInfo);  // a failed read leaves zeros: tax excluded
    tax = taxInfo.inclusiveFlag != 0 ? 1 : 0;
  }

  const CString proposedPath = path[0] != '\0' ? CString(path) : BuildDefaultPath();

  if (!m_strFixedPath.IsEmpty()) {
    m_strOutPath = m_strFixedPath;
    m_btnBrowse.EnableWindow(FALSE);
    m_edtOutPath.EnableWindow(FALSE);
    m_grpOutput.SetWindowText(kCondFixedGroupCaption);
    m_bFixedPath = TRUE;
  } else {
    m_strOutPath = proposedPath;
    m_bFixedPath = FALSE;
  }

  if (startMonth == 0) {
    short firstMonth = 0;
    GetPeriodMonths(m_lPeriodStart, m_lPeriodEnd, &firstMonth, nullptr);
    startMonth = firstMonth;
  }
  m_strStartMonth.Format("%d", startMonth);
  m_strEndMonth.Format("%d", endMonth);

  m_chkTax.SetCheck(tax);
  m_nTaxIncluded = tax;

  UpdateData(FALSE);
  return TRUE;  // the framework focuses the first tab stop, the end month
}

CString CSumCondDlg::BuildDefaultPath() {
  // Built in a growing string: a folder that fills the 260-byte path buffer
  // still gets "*.xml", and Execute then refuses the overlong path instead
  // of anything being cut or overrun here.
  CString path;
  const char* hostFolder = ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::_FolderType_Output);
  if (hostFolder != nullptr && hostFolder[0] != '\0') {
    path = hostFolder;  // ends in a backslash by the host's contract
  } else {
    char temp[261];
    std::memset(temp, 0, sizeof(temp));
    const DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length > 0 && length < sizeof(temp)) {
      path = temp;
      if (!EndsInBackslash(temp) && length < 260) path += "\\";
    }
  }
  path += kDefaultFilePattern;
  return path;
}

BOOL CSumCondDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && !IsModifierHeld()) {
    CWnd* focus = GetFocus();
    const int focusId = focus != nullptr ? focus->GetDlgCtrlID() : 0;
    if (pMsg->wParam == VK_F12) {
      OnExecute();
      return TRUE;
    }
    if (pMsg->wParam == VK_RETURN) {
      const bool canBrowse = m_btnBrowse.IsWindowEnabled() != FALSE;
      switch (focusId) {
        case IDC_END_MONTH:
          m_chkTax.SetFocus();
          return TRUE;
        case IDC_TAX:
          if (canBrowse) {
            FocusPathEdit();
          } else {
            m_btnExecute.SetFocus();
          }
          return TRUE;
        case IDC_OUT_PATH:
          if (canBrowse) {
            m_btnBrowse.SetFocus();
          } else {
            m_btnExecute.SetFocus();
          }
          return TRUE;
        case IDC_BROWSE:
          OnBrowse();
          return TRUE;
        case IDC_EXECUTE:
          OnExecute();
          return TRUE;
        default:
          break;
      }
    }
  }
  return CDialog::PreTranslateMessage(pMsg);
}

void CSumCondDlg::OnTaxClicked() { m_nTaxIncluded = m_chkTax.GetCheck() != 0 ? 1 : 0; }

void CSumCondDlg::OnCancelClicked() { OnCancel(); }

void CSumCondDlg::OnCancel() {
  MessageBox(kCondMsgCancel, kCondCaption, MB_OK | MB_ICONINFORMATION);
  EndDialog(RESULT_CANCEL);
}

void CSumCondDlg::OnOK() { OnExecute(); }

void CSumCondDlg::OnDestroy() { CDialog::OnDestroy(); }

void CSumCondDlg::FocusPathEdit() {
  m_edtOutPath.SetFocus();
  m_edtOutPath.SetSel(0, -1);
}

void CSumCondDlg::FocusEndMonthEdit() {
  m_edtEndMonth.SetFocus();
  m_edtEndMonth.SetSel(0, -1);
}

void CSumCondDlg::ShowError(const char* text) {
  MessageBox(text, kCondCaption, MB_OK | MB_ICONEXCLAMATION);
}

bool CSumCondDlg::AskYesNo(const char* text) {
  return MessageBox(text, kCondCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int CSumCondDlg::ReadTaxSettings(StSHOHIZEIINFO* out) {
  ClDataMgr* dataMgr = ClDataMgr::Inst();
  ClSetData* dataSet = static_cast<ClSetData*>(dataMgr->GetSetObject(ClDataMgr::SET_DATA, 1));
  ClSetShohizei* taxSet =
      static_cast<ClSetShohizei*>(dataMgr->GetSetObject(ClDataMgr::SET_SHOHIZEI, 1));
  taxSet->AttachSetMgr(dataMgr->GetSetMgr());
  taxSet->SetCurDataID(dataSet->GetSelectedInfo()->dataId);
  StSHOHIZEIINFO info;
  std::memset(&info, 0, sizeof(info));
  if (taxSet->Get(&info) != 0) return 0;
  std::memcpy(out, &info, sizeof(info));
  return 1;
}

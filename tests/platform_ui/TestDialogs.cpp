#include "tests/platform_ui/TestDialogs.h"

#include <iterator>

#include "platform/ui/DialogTemplate.h"

namespace uwtest {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

const uw::DialogControlTemplate kControls[] = {
    {kIdLabel, "Static", "&Number", kChild | SS_LEFT, 0, 5, 5, 40, 12},
    {kIdNumber, "Edit", "", kChild | ES_NUMBER | ES_RIGHT | WS_BORDER | WS_TABSTOP, 0, 50, 5, 20,
     12},
    {kIdTax, "Button", "&Tax", kChild | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 5, 20, 60, 12},
    {kIdGo, "Button", "&Go", kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 5, 35, 40, 14},
    {kIdOff, "Button", "Off", kChild | BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 0, 50, 35, 40, 14},
    {kIdHidden, "Edit", "", WS_CHILD | WS_BORDER | WS_TABSTOP, 0, 95, 35, 40, 14},
    {kIdGroup, "Button", "&Out", kChild | BS_GROUPBOX, 0, 2, 52, 150, 30},
    {kIdPath, "Edit", "", kChild | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0, 5, 62, 140, 12},
    {kIdCancel, "Button", "Cancel", kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 100, 85, 50, 14},
};

const uw::DialogTemplateData kTemplate = {
    kTestDialogId,
    "テスト",
    DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    0,
    0,
    0,
    160,
    105,
    "ＭＳ Ｐゴシック",
    9,
    kControls,
    std::size(kControls)};

}  // namespace

void RegisterTestTemplate() { uw::RegisterDialogTemplate(&kTemplate); }

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_BN_CLICKED(kIdGo, &CTestDlg::OnGo)
ON_BN_CLICKED(kIdTax, &CTestDlg::OnTax)
ON_WM_DESTROY()
END_MESSAGE_MAP()

void CTestDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kIdNumber, m_edtNumber);
  DDX_Control(pDX, kIdTax, m_chkTax);
  DDX_Text(pDX, kIdNumber, m_strNumber);
  DDV_MaxChars(pDX, m_strNumber, numberLimit);
  DDX_Text(pDX, kIdPath, m_strPath);
}

BOOL CTestDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  log.push_back("init");
  if (endInInit) EndDialog(77);
  return TRUE;
}

BOOL CTestDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) {
    std::string key = pMsg->message == WM_SYSKEYDOWN ? "syskey " : "key ";
    key += std::to_string(pMsg->wParam) + " at " + std::to_string(::GetDlgCtrlID(pMsg->hwnd));
    if (GetKeyState(VK_SHIFT) < 0) key += " shift";
    if (GetKeyState(VK_CONTROL) < 0) key += " ctrl";
    if (GetKeyState(VK_MENU) < 0) key += " alt";
    log.push_back(key);
    if (consumeF12 && pMsg->wParam == static_cast<WPARAM>(VK_F12)) {
      log.push_back("F12");
      return TRUE;
    }
  }
  return CDialog::PreTranslateMessage(pMsg);
}

void CTestDlg::OnOK() {
  log.push_back("ok");
  CDialog::OnOK();
}

void CTestDlg::OnCancel() {
  log.push_back("cancel");
  if (!refuseCancel) CDialog::OnCancel();
}

void CTestDlg::OnGo() {
  const bool ownerDisabled = m_pParentWnd != nullptr && !m_pParentWnd->IsWindowEnabled();
  log.push_back(ownerDisabled ? "go (owner disabled)" : "go");
}

void CTestDlg::OnTax() { log.push_back(m_chkTax.GetCheck() != 0 ? "tax 1" : "tax 0"); }

void CTestDlg::OnDestroy() {
  log.push_back("destroy");
  CDialog::OnDestroy();
}

}  // namespace uwtest

#include <cstdio>

#include "platform/ui/DialogEvents.h"
#include "platform/ui/WindowTable.h"
#include "platform/ui/afx_dialog.h"
#include "platform/win/text_convert.h"

using uw::ui::CurrentBackend;
using uw::ui::WindowTable;

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

BOOL CDialog::CreateFromTemplate(UINT templateId, HWND owner, bool modal) {
  const uw::DialogTemplateData* tpl = uw::FindDialogTemplate(templateId);
  if (tpl == nullptr) {
    std::fprintf(stderr, "uchiwake: dialog template %u is not registered\n", templateId);
    return FALSE;
  }
  WindowTable& table = WindowTable::Get();
  const HWND hwnd = table.AddDialog(tpl, owner);
  table.Attach(hwnd, this);

  uw::ui::DialogInfo info{
      hwnd, owner, modal, tpl, uw::Cp932ToUtf8(tpl->title != nullptr ? tpl->title : ""), {}};
  const uw::ui::WindowEntry* dialog = table.Find(hwnd);
  for (HWND child : dialog->children) {
    const uw::ui::WindowEntry* control = table.Find(child);
    info.controls.push_back(
        {child, control->id, control->kind, control->control,
         uw::Cp932ToUtf8(control->control->text != nullptr ? control->control->text : ""),
         &control->progress});
  }
  uw::ui::Backend& backend = CurrentBackend();
  if (!backend.CreateDialog(info)) {
    std::fprintf(stderr, "uchiwake: dialog %u cannot be made\n", templateId);
    table.RemoveDialog(hwnd);
    return FALSE;
  }
  for (const uw::ui::ControlInfo& control : info.controls) {
    if ((control.tpl->style & WS_DISABLED) != 0) backend.Enable(control.hwnd, false);
    if ((control.tpl->style & WS_VISIBLE) == 0) backend.Show(control.hwnd, false);
  }
  m_bModal = modal;
  m_bEnded = false;
  m_nModalResult = -1;
  return TRUE;
}

void CDialog::InitialiseWindow() {
  const HWND hwnd = m_hWnd;
  if (OnInitDialog() && !m_bEnded && m_hWnd == hwnd) {
    // The first enabled, visible tab stop gets the focus.
    WindowTable& table = WindowTable::Get();
    uw::ui::Backend& backend = CurrentBackend();
    for (HWND child : table.Find(hwnd)->children) {
      const uw::ui::WindowEntry* control = table.Find(child);
      if ((control->style & WS_TABSTOP) != 0 && backend.IsEnabled(child) &&
          backend.IsVisible(child)) {
        backend.SetFocus(child);
        break;
      }
    }
  }
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd != 0) return -1;
  const HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : 0;
  // A local owner is disabled while the dialog runs, as on Windows; a
  // foreign owner is left to the program (the host window is disabled by
  // it already).
  bool reenableOwner = false;
  if (WindowTable::Get().Find(owner) != nullptr && ::IsWindowEnabled(owner)) {
    ::EnableWindow(owner, FALSE);
    reenableOwner = true;
  }
  INT_PTR result = -1;
  if (CreateFromTemplate(m_nIDTemplate, owner, true)) {
    InitialiseWindow();
    if (!m_bEnded && m_hWnd != 0) CurrentBackend().RunModal(m_hWnd);
    result = m_nModalResult;
    DestroyWindow();
  }
  if (reenableOwner) ::EnableWindow(owner, TRUE);
  m_bModal = false;
  m_bEnded = false;
  return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (m_hWnd != 0) return FALSE;
  m_nIDTemplate = templateId;
  m_pParentWnd = parent;
  if (!CreateFromTemplate(templateId, parent != nullptr ? parent->m_hWnd : 0, false)) return FALSE;
  const DWORD style = uw::FindDialogTemplate(templateId)->style;
  InitialiseWindow();
  if ((style & WS_VISIBLE) != 0 && m_hWnd != 0 && !m_bEnded) ShowWindow(SW_SHOW);
  return TRUE;
}

void CDialog::EndDialog(int result) {
  m_bEnded = true;
  m_nModalResult = result;
  if (m_hWnd == 0) return;
  CurrentBackend().EndDialog(m_hWnd, result);
  if (!m_bModal) ShowWindow(SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  if (m_hWnd == 0) return FALSE;
  CDataExchange exchange(this, saveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (const uw::ui::DataExchangeFailure&) {
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  return uw::ui::StandardDialogKey(this, pMsg) ? TRUE : FALSE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

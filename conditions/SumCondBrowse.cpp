// Conditions dialog: the Browse handler and its file dialog.

#include "conditions/ConditionTexts.h"
#include "conditions/OutputPath.h"
#include "conditions/SumCondDlg.h"
#include "platform/ui/afxdlgs.h"
#include "platform/ui/winuser.h"

void CSumCondDlg::OnBrowse() {
  UpdateData(TRUE);

  CString folder = GetFolderPart(m_strOutPath);
  CString name;
  if (folder.IsEmpty()) {
    folder = GetDrivePart(m_strOutPath);
    name = GetAfterDrivePart(m_strOutPath);
  } else {
    name = GetFileNamePart(m_strOutPath);
  }

  CFileDialog dialog(FALSE, kBrowseDefaultExt, name,
                     OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                     kBrowseFilter, this);
  dialog.m_ofn.lpstrTitle = kBrowseTitle;
  dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : static_cast<LPCSTR>(folder);
  if (dialog.DoModal() == IDOK) {
    m_strOutPath = dialog.GetPathName();
    UpdateData(FALSE);
  }
  m_btnExecute.SetFocus();
}

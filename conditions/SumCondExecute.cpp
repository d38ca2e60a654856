// Conditions dialog: the Execute handler with its checks of the period and
// the output destination.

#include <cstring>

#include "aggregate/FindCondition.h"
#include "conditions/ConditionTexts.h"
#include "conditions/OutputPath.h"
#include "conditions/SumCondDlg.h"
#include "platform/ui/winuser.h"
#include "platform/win/crt.h"
#include "platform/win/crt_io.h"

bool CSumCondDlg::IsPeriodValid() {
  const int start = win::atol(m_strStartMonth);
  const int end = win::atol(m_strEndMonth);
  short firstMonth = 0;
  short lastMonth = 0;
  GetPeriodMonths(m_lPeriodStart, m_lPeriodEnd, &firstMonth, &lastMonth);
  const int first = firstMonth;
  const bool wraps = lastMonth >= 100;  // the period crosses the year end
  const int last = wraps ? lastMonth - 100 : lastMonth;

  if (end < 1 || end > 12) return false;
  if (!wraps) {
    if (start < first || end > last) return false;
    if (first >= 1 && last <= 12 && start > end) return false;
  } else {
    if (1 <= start && start <= last && (start > end || end > last)) return false;
    if (last < start && start < first) return false;
    if (last < end && end < first) return false;
  }
  return true;
}

void CSumCondDlg::OnExecute() {
  if (!UpdateData(TRUE)) return;  // the platform has said what is wrong

  if (!IsPeriodValid()) {
    ShowError(kCondMsgBadPeriod);
    FocusEndMonthEdit();
    return;
  }

  if (m_strOutPath.IsEmpty()) {
    ShowError(kCondMsgNoPath);
    OnBrowse();
    return;
  }

  // A path that does not fit the program's 260-byte path buffers is refused
  // here rather than cut somewhere later.
  if (!FitsPathBuffer(m_strOutPath) || !CheckPathChars(m_strOutPath)) {
    ShowError(kCondMsgBadChars);
    FocusPathEdit();
    return;
  }

  if (!CheckDrive(m_strOutPath)) {
    ShowError(kCondMsgBadDrive);
    FocusPathEdit();
    return;
  }

  if (GetFileNamePart(m_strOutPath).IsEmpty()) {
    ShowError(kCondMsgNoFileName);
    FocusPathEdit();
    return;
  }

  const CString folder = GetFolderPart(m_strOutPath);
  if (!folder.IsEmpty() && _access(folder, 0) != 0) {
    if (!AskYesNo(kCondMsgCreateFolder)) {
      FocusPathEdit();
      return;
    }
    if (CreateFolderTree(folder) == 0) {
      ShowError(kCondMsgCreateFailed);
      FocusPathEdit();
      return;
    }
  }

  struct _stat status;
  if (m_bFixedPath == FALSE && _stat(m_strOutPath, &status) == 0) {
    if ((status.st_mode & _S_IFDIR) != 0) {
      ShowError(kCondMsgNoFileName);
      FocusPathEdit();
      return;
    }
    if (!AskYesNo(kCondMsgOverwrite)) {
      FocusPathEdit();
      return;
    }
  }

  EndDialog(RESULT_EXECUTE);
}

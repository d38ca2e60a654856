// The aggregation run: the second half of the start-up hook. It runs the
// conditions dialog, shows the progress dialog, sums the balances, writes
// the report, tells the user the outcome and saves the conditions.

#include <cstring>

#include "aggregate/UchiwakeSum.h"
#include "app/AppTexts.h"
#include "app/UchiwakeApp.h"
#include "conditions/SumCondDlg.h"
#include "host/TalCmn.h"
#include "platform/ui/winuser.h"
#include "platform/win/crt.h"
#include "progress/SumProgressDlg.h"
#include "report/UchiwakeXml.h"

namespace {

// Data kind of past results data, which cannot be linked.
constexpr std::int16_t kPastResultsDataKind = 99;

// The company and period texts of the dialog. The company name is the
// host's; the text grows with it rather than being cut.
void FillDialogTexts(CSumCondDlg* dialog, const StDATAINFO& data) {
  char name[sizeof(data.companyName) + 1];
  std::memset(name, 0, sizeof(name));
  std::memcpy(name, data.companyName, sizeof(data.companyName));
  dialog->m_strCompany.Format(" %s", name);
  dialog->m_strPeriod.Format(" %04d/%02d/%02d～%04d/%02d/%02d", data.periodStart / 10000,
                             data.periodStart % 10000 / 100, data.periodStart % 100,
                             data.periodEnd / 10000, data.periodEnd % 10000 / 100,
                             data.periodEnd % 100);
}

}  // namespace

BOOL CUchiwakeApp::RunAggregation(StDATAINFO* dataInfo) {
  CSumCondDlg conditions(m_pHostWnd);
  {
    ClSysUser* user = ClDataMgr::Inst()->GetSysUserObject();
    std::memset(conditions.m_szUserID, 0, sizeof(conditions.m_szUserID));
    user->GetCurUserID(conditions.m_szUserID);
    TLONG first = 0;
    TLONG second = 0;
    user->GetSelectedNo(conditions.m_szUserID, &first, &second);
    conditions.m_lSelectedNo1 = first;
    conditions.m_lSelectedNo2 = second;
  }
  conditions.m_bPastData = dataInfo->dataKind == kPastResultsDataKind ? 1 : 0;
  conditions.m_strFixedPath.Empty();
  if (m_bFromHost == 1) conditions.m_strFixedPath = m_strHostPath;
  conditions.m_lPeriodStart = dataInfo->periodStart;
  conditions.m_lPeriodEnd = dataInfo->periodEnd;
  FillDialogTexts(&conditions, *dataInfo);

  if (conditions.DoModal() == CSumCondDlg::RESULT_CANCEL) {
    m_nResult = RESULT_CANCELLED;
    return FALSE;
  }

  const short taxIncluded = conditions.m_nTaxIncluded;
  const LONG startMonth = win::atol(conditions.m_strStartMonth);
  const LONG endMonth = win::atol(conditions.m_strEndMonth);
  char outPath[261];
  std::memset(outPath, 0, sizeof(outPath));
  // The dialog refuses paths that do not fit, so this copy never cuts.
  std::strncpy(outPath, conditions.m_strOutPath, sizeof(outPath) - 1);

  CSumProgressDlg progress(nullptr);
  StFINDINFO findInfo[4];
  std::memset(findInfo, 0, sizeof(findInfo));
  progress.Create(CSumProgressDlg::IDD, nullptr);
  if (m_pHostWnd != nullptr) progress.SetParent(m_pHostWnd);
  progress.ShowWindow(SW_SHOW);
  BeginWaitCursor();
  progress.InitBar();

  BOOL result = FALSE;
  {
    ClUchiwakeSum sum;
    ClUchiwakeXml xml;
    sum.progress = &progress;
    sum.zandakaList = &m_ZandakaList;
    xml.progress = &progress;
    xml.zandakaList = &m_ZandakaList;

    BuildFindInfo(findInfo, *dataInfo, startMonth, endMonth);

    bool overflow = false;
    try {
      // The result does not change the course: the report is written from
      // whatever the list holds.
      sum.Aggregate(taxIncluded != 0 ? 1 : 0, findInfo, *dataInfo);
    } catch (int) {
      // A balance reached the amount limit: nothing trustworthy can be
      // written, so the run ends as failed before any report exists.
      overflow = true;
    }

    if (overflow) {
      progress.MessageBox(kRunMsgAmountOverflow, kAppCaption, MB_OK | MB_ICONEXCLAMATION);
      progress.Finish();
      RestoreWaitCursor();
      m_nResult = RESULT_ERROR;
    } else {
      xml.SetProgressBase(500);
      if (xml.OutputXml(outPath, m_nFuncId, dataInfo) == 0) {
        progress.MessageBox(kRunMsgWriteFailed, kAppCaption, MB_OK | MB_ICONEXCLAMATION);
        progress.Finish();
        RestoreWaitCursor();
        m_nResult = RESULT_ERROR;
      } else {
        conditions.SaveConditions(taxIncluded, static_cast<short>(endMonth),
                                  m_bFromHost == 1 ? nullptr : outPath);
        progress.Finish();
        RestoreWaitCursor();
        progress.MessageBox(kRunMsgDone, kAppCaption, MB_OK | MB_ICONINFORMATION);
        result = CWinApp::InitInstance();
      }
    }
    // The report writer, then the aggregation engine (with any host rule it
    // still holds), are released here, before the wait cursor ends.
  }
  EndWaitCursor();
  return result;
}

#include "app/UchiwakeApp.h"

#include <cstring>

#include "aggregate/FindCondition.h"
#include "app/AppTexts.h"
#include "conditions/OutputPath.h"
#include "host/TalCmn.h"
#include "host/TalLink.h"
#include "platform/win/crt_io.h"
#include "platform/win/fileapi.h"
#include "platform/win/window_msg.h"
#include "resources/Edition.h"

BEGIN_MESSAGE_MAP(CUchiwakeApp, CWinApp)
END_MESSAGE_MAP()

CUchiwakeApp::CUchiwakeApp()
    : m_bFromHost(0),
      m_hHostWnd(0),
      m_nHostMsg(0),
      m_nFuncId(1),
      m_pHostWnd(nullptr),
      m_nResult(RESULT_WRITTEN),
      m_pSetData(nullptr) {}

CUchiwakeApp::~CUchiwakeApp() {
  // The items were deleted by ExitInstance; only the nodes may remain.
  m_ZandakaList.clear();
}

BOOL CUchiwakeApp::InitInstance() {
  AfxEnableControlContainer();

  ClTalConnect* connect = ClTalConnect::Inst();
  connect->m_pszAppTitle = kAppCaption;
  connect->SetAppType(g_edition.appType);
  connect->SetUseDataType(1);
  if (connect->Initiate() != 0) return FALSE;

  if (ParseHostCommandLine(m_lpCmdLine) == 1) {
    m_bFromHost = 1;
    m_pHostWnd = CWnd::FromHandle(m_hHostWnd);
    EnableWindow(m_hHostWnd, FALSE);
    connect->m_hAppWnd = m_hHostWnd;
  }

  // The level file and the support file are looked for beside the program:
  // its folder is its path up to and including the last backslash.
  char modulePath[MAX_PATH + 1];
  std::memset(modulePath, 0, sizeof(modulePath));
  GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
  const CString programFolder = GetFolderPart(modulePath);
  if (!programFolder.IsEmpty()) _chdir(programFolder);

  if (CheckProgramLevel(1) == 0) {
    m_nResult = RESULT_ERROR;
    return FALSE;
  }

  const TLONG admitted = connect->ExpSysLink();
  if (admitted != 0) {
    m_nResult = admitted == 1 ? RESULT_CANCELLED : RESULT_ERROR;
    return FALSE;
  }

  StDATAINFO dataInfo;
  std::memset(&dataInfo, 0, sizeof(dataInfo));
  GetCurrentDataInfo(&dataInfo);

  return RunAggregation(&dataInfo);
}

int CUchiwakeApp::ExitInstance() {
  ReleaseZandakaList();

  ClTalConnect* connect = ClTalConnect::Inst();
  connect->LogOut();
  connect->Terminate();
  connect->Release();

  if (m_bFromHost == 1) {
    SetForegroundWindow(m_hHostWnd);
    EnableWindow(m_hHostWnd, TRUE);
    // The function identifier travels sign-extended, as a 16-bit value
    // widened to the 32-bit message parameter.
    const WPARAM wParam = static_cast<WPARAM>(static_cast<LONG>(m_nFuncId));
    PostMessageA(m_hHostWnd, m_nHostMsg, wParam, static_cast<LPARAM>(m_nResult));
    EnableWindow(m_hHostWnd, TRUE);
  }
  return CWinApp::ExitInstance();
}

int CUchiwakeApp::GetCurrentDataInfo(StDATAINFO* out) {
  if (m_pSetData == nullptr) {
    m_pSetData = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_DATA, 1));
  }

  ClSysUser* user = ClDataMgr::Inst()->GetSysUserObject();
  char userId[65];
  std::memset(userId, 0, sizeof(userId));
  user->GetCurUserID(userId);
  TLONG first = 0;
  TLONG second = 0;
  user->GetSelectedNo(userId, &first, &second);

  std::memset(out, 0, sizeof(*out));
  TULONG cursor = 0;
  m_pSetData->GetDatCursor(&cursor);
  m_pSetData->ReadyDat(cursor, 0);
  int found = 0;
  StDATAINFO record;
  std::memset(&record, 0, sizeof(record));
  while (m_pSetData->WalkDat(&record, cursor) == 0) {
    if (record.dataNo == second) {
      std::memcpy(out, &record, sizeof(record));
      found = 1;
      break;
    }
    std::memset(&record, 0, sizeof(record));
  }
  m_pSetData->ReleaseDatCursor(cursor);
  return found;
}

void CUchiwakeApp::BuildFindInfo(StFINDINFO* findInfo, const StDATAINFO& dataInfo, long startMonth,
                                 long endMonth) {
  ::BuildFindInfo(findInfo, dataInfo, startMonth, endMonth);
}

void CUchiwakeApp::ReleaseZandakaList() {
  for (StZandakaItem*& item : m_ZandakaList) {
    delete item;
    item = nullptr;
  }
  m_ZandakaList.clear();
}

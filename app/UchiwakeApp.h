// The application object: the program's whole course of work.
//
// Everything happens in the start-up hook InitInstance: connect to the host,
// read the command-line handshake, check the program level, let the host
// admit the run, copy the selected company data and carry out the
// aggregation run. Whatever InitInstance returns, the framework then calls
// ExitInstance, which empties the balance list, logs out of the host and,
// after a valid handshake, posts the result to the host window.
#pragma once

#include "aggregate/ZandakaList.h"
#include "host/HostRecords.h"
#include "host/TalBCore.h"
#include "platform/ui/afxwin.h"

class CUchiwakeApp : public CWinApp {
 public:
  // Result codes posted to the host as the message's second parameter.
  enum { RESULT_WRITTEN = 0, RESULT_CANCELLED = 1, RESULT_ERROR = 2 };

  CUchiwakeApp();
  ~CUchiwakeApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;

  // Parses the handshake "<window>,<message>,<function>,<path>" and stores
  // the fields as it goes. Returns 1 when the first three commas are all
  // there (valid), else 0. The tail is parsed whole, never cut.
  int ParseHostCommandLine(const char* tail);

  // Copies the host's record of the user's selected company data into `out`.
  // Returns 1 when found, else 0 with `out` all zero.
  int GetCurrentDataInfo(StDATAINFO* out);

  // Asks whether the installed statement program accepts this component
  // (its level definition file in the current folder). Returns 1 when
  // accepted, 0 when refused; a refusal is shown when `showMessage` is set.
  int CheckProgramLevel(int showMessage);

  // Builds the summing condition for the months `startMonth`-`endMonth`.
  void BuildFindInfo(StFINDINFO* findInfo, const StDATAINFO& dataInfo, long startMonth,
                     long endMonth);

  int m_bFromHost;          // 1 once the handshake was parsed whole
  HWND m_hHostWnd;          // field 1: host window
  UINT m_nHostMsg;          // field 2: message posted at exit
  SHORT m_nFuncId;          // field 3: function identifier (low 16 bits)
  CString m_strHostPath;    // field 4: output file fixed by the host
  CWnd* m_pHostWnd;         // wrapper of m_hHostWnd after a valid handshake
  int m_nResult;            // result code posted at exit
  ZandakaList m_ZandakaList;  // the balance list; owns its items
  ClSetData* m_pSetData;    // the host's company data set, not owned

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  // The aggregation run: the second half of the start-up hook.
  BOOL RunAggregation(StDATAINFO* dataInfo);
  // Deletes every item of the balance list and empties it.
  void ReleaseZandakaList();
};

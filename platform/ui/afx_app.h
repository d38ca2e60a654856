// CWinApp: the application object, and the process entry that runs it.
//
// A program defines exactly one static object of a class derived from
// CWinApp. The entry (the uw_main library) finds it, sets the command-line
// tail, calls InitInstance and then, whatever that returned, ExitInstance;
// the process exits with ExitInstance's result. With real windows the
// toolkit is started before InitInstance and shut down after ExitInstance.
#pragma once

#include <string>

#include "platform/ui/afx_cmdtarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
 public:
  // Registers this object as the application. `appName` (CP932) is the
  // title of AfxMessageBox; null takes the program's file name.
  explicit CWinApp(LPCTSTR appName = nullptr);
  ~CWinApp() override;

  // The start-up hook; the base returns TRUE.
  virtual BOOL InitInstance();
  // The exit hook; the base returns 0, the process's exit status.
  virtual int ExitInstance();

  // The wait cursor over every window of the program, counted: Begin adds
  // one, End removes one, and the cursor shows while the count is above 0.
  // Restore shows it again after something (a message box) replaced it.
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

  // The command-line tail: the arguments after the program's path joined by
  // single spaces, in CP932. Never null once the entry has run.
  LPSTR m_lpCmdLine = nullptr;
  // The title for AfxMessageBox, CP932.
  LPCTSTR m_pszAppName = nullptr;
  // The program's file name without folder and extension, CP932.
  LPCTSTR m_pszExeName = nullptr;
  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;

  DECLARE_MESSAGE_MAP()

 private:
  friend struct WinAppAccess;
  std::string m_cmdLine;
  std::string m_appName;
  std::string m_exeName;
  int m_nWaitCursorCount = 0;
};

// The application object, or null when the program has none (a unit test).
CWinApp* AfxGetApp();
// Support for hosted controls; nothing is needed here.
void AfxEnableControlContainer();
// The application's title, CP932: m_pszAppName of the application object,
// else the program's file name.
LPCTSTR AfxGetAppName();

// Host connection (module TalLink): the program's session with the host.
//
// A singleton reached through Inst(); the result is never null. Results are
// 0 for success and non-zero otherwise.
#pragma once

#include "host/HostTypes.h"
#include "host/TalEnvMgr.h"

class ClTalConnectImpl;

class ClTalConnect {
 public:
  // Caption of the host's messages for this program. The caller stores a
  // pointer to a text that lives for the whole run. First data member.
  const char* m_pszAppTitle;
  // Host window of the run; set by the caller after a valid handshake.
  // Second data member.
  HWND m_hAppWnd;

  static ClTalConnect* Inst();

  void SetAppType(ClSysEnvMgr::_AppType type);
  void SetUseDataType(TLONG type);

  // Opens the host's prefix and ledger. 0 = connected; on failure the host
  // shows a message that says what is missing and returns non-zero.
  TLONG Initiate();

  // Shows `text` in a message box owned by `owner` (0 for none) with
  // `caption` and the MessageBoxA `style`, after replacing every
  // "ES_APRPACKAGENAME" by the statement program's name. Returns the button
  // pressed. Both texts are CP932.
  unsigned DispMsg(HWND owner, const char* text, const char* caption, unsigned style);

  // Whether the host admits the run: 0 = go on, 1 = refused by the user,
  // other = error.
  TLONG ExpSysLink();

  int LogOut();
  void Terminate();
  void Release();

 private:
  ClTalConnect();
  ~ClTalConnect();
  ClTalConnect(const ClTalConnect&) = delete;
  ClTalConnect& operator=(const ClTalConnect&) = delete;

  ClTalConnectImpl* m_pImpl;
};

// The host connection ClTalConnect: opening the ledger, the host's message
// display, the admission of the run, and logging out.
#include "host/TalLink.h"

#include <string>

#include "platform/ui/winuser.h"
#include "talhost/Faults.h"
#include "talhost/HostObjects.h"
#include "talhost/HostPaths.h"
#include "talhost/HostSession.h"
#include "talhost/HostText.h"
#include "talhost/MessageText.h"

class ClTalConnectImpl {
 public:
  ClSysEnvMgr::_AppType m_appType = ClSysEnvMgr::_AppType_Wht;
  TLONG m_lUseDataType = 0;
  bool m_bLoggedIn = false;
};

namespace {

// Caption of the host's own messages when the program named none.
constexpr const char* kHostCaption = "talhost";

}  // namespace

ClTalConnect* ClTalConnect::Inst() {
  // Never destroyed: the program's exit hook may run from static
  // destruction.
  static ClTalConnect* instance = new ClTalConnect;
  return instance;
}

ClTalConnect::ClTalConnect()
    : m_pszAppTitle(nullptr), m_hAppWnd(0), m_pImpl(new ClTalConnectImpl) {}

ClTalConnect::~ClTalConnect() { delete m_pImpl; }

void ClTalConnect::SetAppType(ClSysEnvMgr::_AppType type) { m_pImpl->m_appType = type; }

void ClTalConnect::SetUseDataType(TLONG type) { m_pImpl->m_lUseDataType = type; }

TLONG ClTalConnect::Initiate() {
  talhost::ResetHostSets();
  std::string problem;
  const TLONG rc = talhost::HostSession::Get().Open(&problem);
  if (rc != talhost::kOpened) {
    const std::string text = talhost::ToCp932(problem);
    MessageBoxA(m_hAppWnd, text.c_str(), m_pszAppTitle != nullptr ? m_pszAppTitle : kHostCaption,
                MB_OK | MB_ICONEXCLAMATION);
    return rc;
  }
  m_pImpl->m_bLoggedIn = true;
  return 0;
}

unsigned ClTalConnect::DispMsg(HWND owner, const char* text, const char* caption, unsigned style) {
  const std::string shown =
      talhost::ReplacePackageName(text != nullptr ? text : "", talhost::PackageNameCp932());
  return static_cast<unsigned>(MessageBoxA(owner, shown.c_str(), caption, style));
}

TLONG ClTalConnect::ExpSysLink() {
  if (!talhost::HostSession::Get().IsOpen()) return -1;
  return talhost::CurrentFaultSwitches().expSysLink.value_or(0);
}

int ClTalConnect::LogOut() {
  m_pImpl->m_bLoggedIn = false;
  return 0;
}

void ClTalConnect::Terminate() { talhost::ResetHostSets(); }

void ClTalConnect::Release() {
  m_pImpl->m_bLoggedIn = false;
  talhost::ResetHostSets();
  talhost::HostSession::Get().Close();
}

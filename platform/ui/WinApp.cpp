#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/afx_app.h"
#include "platform/win/text_convert.h"

namespace {

CWinApp* g_app = nullptr;

// The program's file name without folder and extension, CP932.
const std::string& ProgramName() {
  static const std::string name = [] {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    std::string file = length > 0 ? std::string(path, static_cast<std::size_t>(length)) : "";
    file = file.substr(file.find_last_of('/') + 1);
    if (const std::size_t dot = file.find_last_of('.'); dot != std::string::npos && dot > 0) {
      file.resize(dot);
    }
    return uw::Utf8ToCp932(file);
  }();
  return name;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR appName) : m_exeName(ProgramName()) {
  if (g_app == nullptr) {
    g_app = this;
  } else {
    std::fprintf(stderr, "uchiwake: a second application object is ignored\n");
  }
  m_appName = appName != nullptr ? appName : m_exeName;
  m_pszAppName = m_appName.c_str();
  m_pszExeName = m_exeName.c_str();
  m_lpCmdLine = m_cmdLine.data();
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::BeginWaitCursor() {
  if (++m_nWaitCursorCount == 1) uw::ui::CurrentBackend().SetWaitCursor(true);
}

void CWinApp::EndWaitCursor() {
  if (m_nWaitCursorCount == 0) return;
  if (--m_nWaitCursorCount == 0) uw::ui::CurrentBackend().SetWaitCursor(false);
}

void CWinApp::RestoreWaitCursor() {
  if (m_nWaitCursorCount > 0) uw::ui::CurrentBackend().SetWaitCursor(true);
}

CWinApp* AfxGetApp() { return g_app; }

void AfxEnableControlContainer() {}

LPCTSTR AfxGetAppName() {
  if (g_app != nullptr && g_app->m_pszAppName != nullptr) return g_app->m_pszAppName;
  return ProgramName().c_str();
}

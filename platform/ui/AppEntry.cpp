#include "platform/ui/AppEntry.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/afx_app.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "platform/ui/wx/WxEntry.h"
#include "platform/win/text_convert.h"

struct WinAppAccess {
  static void SetCommandLine(CWinApp* app, std::string tail) {
    app->m_cmdLine = std::move(tail);
    app->m_lpCmdLine = app->m_cmdLine.data();
  }
};

namespace uw::ui {

int RunWinApp(int argc, char** argv) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) {
    std::fprintf(stderr, "uchiwake: the program has no application object\n");
    return 1;
  }
  // The tail is taken before the toolkit sees the arguments (it may remove
  // some of its own).
  std::string tail;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) tail += ' ';
    tail += argv[i];
  }
  WinAppAccess::SetCommandLine(app, Utf8ToCp932(tail));

  bool wxStarted = false;
  if (ChooseBackendName() == "wx") {
    wxStarted = StartWx(argc, argv);
    if (wxStarted) {
      InstallBackend(MakeWxBackend());
    } else {
      std::fprintf(stderr,
                   "uchiwake: no real windows can be opened (DISPLAY=%s); running headless\n",
                   std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "");
      InstallBackend(MakeHeadlessBackendForProcess());
    }
  }
  int result = 0;
  {
    app->InitInstance();
    result = app->ExitInstance();
  }
  ReleaseBackend();
  if (wxStarted) StopWx();
  return result;
}

}  // namespace uw::ui

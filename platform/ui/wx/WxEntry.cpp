// Starting and stopping wxWidgets for a program whose whole life runs in
// its start-up and exit hooks. wxEntry itself is not used: it reports a
// start-up hook that returns false exactly as a failed toolkit start, and
// the exit status must stay the program's own.

#include "platform/ui/wx/WxEntry.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstdlib>

namespace uw::ui {
namespace {

// No main loop ever runs: the program's dialogs run their own loops, and
// the progress dialog is painted without one.
class UwApp : public wxApp {
 public:
  // The base would parse the command line, which belongs to the program.
  bool OnInit() override { return true; }
  int OnExit() override { return 0; }
};

// A failed wx check is reported on stderr, never as a dialog of its own.
void ReportAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  std::fprintf(stderr, "uchiwake: wx check failed at %s:%d (%s): %s %s\n", file.utf8_str().data(),
               line, func.utf8_str().data(), cond.utf8_str().data(), msg.utf8_str().data());
}

bool g_started = false;

}  // namespace

bool StartWx(int& argc, char** argv) {
  if (g_started) return true;
  // Without a session bus the toolkit's settings cannot be stored, and every
  // attempt (the file dialog makes many) prints a warning: keep them in
  // memory for this process instead.
  // For the same reason the accessibility bridge, which looks for its bus
  // through the session bus, is left out.
  if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
    setenv("GSETTINGS_BACKEND", "memory", 0);
    setenv("NO_AT_BRIDGE", "1", 0);
  }
  wxSetAssertHandler(ReportAssert);
  wxApp::SetInstance(new UwApp());
  if (!wxEntryStart(argc, argv)) {
    // wxEntryStart has released the application object on failure.
    return false;
  }
  // wx's own messages go to stderr rather than into message boxes.
  delete wxLog::SetActiveTarget(new wxLogStderr());
  if (!wxTheApp->CallOnInit()) {
    wxEntryCleanup();
    return false;
  }
  wxImage::AddHandler(new wxPNGHandler());
  g_started = true;
  return true;
}

void StopWx() {
  if (!g_started) return;
  g_started = false;
  wxTheApp->OnExit();
  wxEntryCleanup();
}

}  // namespace uw::ui

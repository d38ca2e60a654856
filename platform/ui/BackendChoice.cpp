// Which backend a process uses, and its lifetime.

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/DialogEvents.h"
#include "platform/ui/WindowTable.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "platform/ui/wx/WxEntry.h"
#include "platform/win/prefix.h"
#include "platform/win/profile.h"

namespace uw::ui {
namespace {

// Owned here; deleted by ReleaseBackend. A raw pointer so that nothing is
// destroyed behind the program's back during static destruction.
Backend* g_backend = nullptr;
// The toolkit was started for a backend made on first use (a process
// without the uw_main entry), so it is stopped at exit.
bool g_wxStartedHere = false;
bool g_exitHookSet = false;

void ReleaseAtExit() { ReleaseBackend(); }

void Adopt(std::unique_ptr<Backend> backend) {
  g_backend = backend.release();
  g_backend->SetEvents(&FrameworkEvents());
  WindowTable::Get().SetBackend(g_backend);
  if (!g_exitHookSet) {
    g_exitHookSet = true;
    std::atexit(ReleaseAtExit);
  }
}

// "wx", "headless", or "" for a text that names neither (auto counts as "").
std::string Normalise(const std::string& value) {
  if (strcasecmp(value.c_str(), "wx") == 0) return "wx";
  if (strcasecmp(value.c_str(), "headless") == 0) return "headless";
  return "";
}

}  // namespace

std::string ChooseBackendName() {
  if (const char* forced = std::getenv("UCHIWAKE_UI"); forced != nullptr && forced[0] != '\0') {
    const std::string name = Normalise(forced);
    if (!name.empty()) return name;
    std::fprintf(stderr, "uchiwake: UCHIWAKE_UI=%s is neither wx nor headless; ignored\n", forced);
  }
  std::string setting;
  if (ReadProfileString(GetPrefixPath("platform.ini"), "ui", "backend", &setting)) {
    const std::string name = Normalise(setting);
    if (!name.empty()) return name;
    if (strcasecmp(setting.c_str(), "auto") != 0 && !setting.empty()) {
      std::fprintf(stderr, "uchiwake: platform.ini [ui] backend=%s is not auto, wx or headless\n",
                   setting.c_str());
    }
  }
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const bool hasDisplay =
      (display != nullptr && display[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
  return hasDisplay ? "wx" : "headless";
}

Backend& CurrentBackend() {
  if (g_backend == nullptr) {
    if (ChooseBackendName() == "wx") {
      static char programName[] = "uchiwake";
      static char* argv[] = {programName, nullptr};
      int argc = 1;
      if (StartWx(argc, argv)) {
        g_wxStartedHere = true;
        Adopt(MakeWxBackend());
        return *g_backend;
      }
      std::fprintf(stderr,
                   "uchiwake: no real windows can be opened (DISPLAY=%s); running headless\n",
                   std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "");
    }
    Adopt(MakeHeadlessBackendForProcess());
  }
  return *g_backend;
}

bool HasBackend() { return g_backend != nullptr; }

void InstallBackend(std::unique_ptr<Backend> backend) {
  ReleaseBackend();
  Adopt(std::move(backend));
}

void ReleaseBackend() {
  if (g_backend == nullptr) return;
  g_backend->Shutdown();
  WindowTable::Get().SetBackend(nullptr);
  delete g_backend;
  g_backend = nullptr;
  if (g_wxStartedHere) {
    g_wxStartedHere = false;
    StopWx();
  }
}

}  // namespace uw::ui

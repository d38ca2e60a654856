// Starting and stopping wxWidgets, and the wx backend, without exposing any
// wx header to the rest of the framework.
#pragma once

#include <memory>

#include "platform/ui/Backend.h"

namespace uw::ui {

// Starts the toolkit (wxEntryStart and the application's start-up hook,
// without its command-line parsing). False when no display can be opened;
// nothing is left started then. `argc`/`argv` may lose the toolkit's own
// options.
bool StartWx(int& argc, char** argv);
// Shuts the toolkit down (the application's exit hook and wxEntryCleanup).
void StopWx();
// The backend with real windows. REQUIRES: StartWx succeeded.
std::unique_ptr<Backend> MakeWxBackend();

}  // namespace uw::ui

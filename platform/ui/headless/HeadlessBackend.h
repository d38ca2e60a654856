// The headless backend: dialogs without a display, driven by a script of
// the user's actions, telling in a transcript everything a person would
// see. The script language and the transcript are described in
// docs/headless.md; tests reach the backend through HeadlessTesting.h.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/Backend.h"

namespace uw::ui {

// The headless backend of a process: the script comes from the file named
// by UCHIWAKE_UI_SCRIPT (none: an empty script), the transcript goes to
// standard output.
std::unique_ptr<Backend> MakeHeadlessBackendForProcess();

}  // namespace uw::ui

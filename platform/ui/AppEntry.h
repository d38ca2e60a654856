// The process entry of a program written against CWinApp (used by the
// uw_main library's main()).
#pragma once

namespace uw::ui {

// Runs the application object: sets its command-line tail (the arguments
// after the program's path joined by single spaces, converted to CP932),
// starts the backend (with real windows, the toolkit is started before
// InitInstance and shut down after ExitInstance), calls InitInstance and
// then always ExitInstance. Returns ExitInstance's result, or 1 when the
// program has no application object.
int RunWinApp(int argc, char** argv);

}  // namespace uw::ui

// In-process access to the headless backend for tests of any module: script
// the user, read the transcript, and record the calls the windows receive.
//
//   uw::headless::Start("key F12\nanswer ok\n");  // fresh backend, this script
//   CSumCondDlg dlg; dlg.DoModal();
//   std::string seen = uw::headless::TakeTranscript();
//
// Start replaces the process's backend, so no window may be open then.
// While a test backend is current its transcript is kept in memory (not
// printed). Without Start, SetScript, TakeTranscript and RecordCalls start
// one on first use.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/CallRecord.h"
#include "platform/win/windef.h"

namespace uw::headless {

// Makes a fresh headless backend the backend of this process, with
// `script` as the user's actions and an empty transcript kept in memory.
// Recording is off. REQUIRES: no window of the dialog framework is open.
void Start(const std::string& script = "");

// Replaces the remaining script by `lines` (the script language of
// docs/headless.md).
void SetScript(const std::string& lines);

// The transcript written since the last call (UTF-8, one line per event,
// each ending in '\n'), and clears it.
std::string TakeTranscript();

// Starts (true) or stops recording the calls on the framework's windows.
void RecordCalls(bool on);
// The calls recorded since the last call, oldest first, and clears them.
std::vector<uw::ui::RecordedCall> TakeCalls();

// The number of script actions not yet used.
std::size_t RemainingActions();

}  // namespace uw::headless
